"""The page without a server, in the three browsers a classroom meets:
gearmesh.html, the whole page in one file, opened from disk (file:, no
server, no network) in Chromium, WebKit and Firefox; the site's index.html
opened from disk, which says on its console panel, in the language chosen
last, that it needs a web server or gearmesh.html, and logs nothing; and the
site over HTTP in Firefox.
Screenshots are checked by their pixels; set GEARMESH_SHOT_DIR to keep them.
Runs under tests/with-xvfb (WebKit needs a display).
"""

import os
import pathlib
import time
import unittest

from web_harness import (Browser, Site, assert_same_frame, gearpair_frame,  # noqa: E402
                         page_frame, whole_page_url)  # (first: it finds Selenium)
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

from texts import ENGLISH, JAPANESE  # noqa: E402

ENGINES = ("chromium", "webkit", "firefox")
# The console panel's text colour (page.css) and the drawing's outline red.
TEXT = (17, 17, 17)
RED = (255, 0, 0)


def box(page, element_id):
    """The element's box on the screenshot, in pixels (scale 1)."""
    b = page.box(element_id)
    return tuple(round(b[side]) for side in ("left", "top", "right", "bottom"))


class OfflineTest(unittest.TestCase):
    def assertConsoleShows(self, shot, page):
        """Text on the console panel: glyph pixels of its colour, in more than a line."""
        left, top, right, bottom = box(page, "console")
        rows = [y for y in range(top, bottom)
                if shot.count(TEXT, tolerance=40, box=(left, y, right, y + 1)) > 0]
        self.assertGreater(len(rows), 30)
        self.assertGreater(shot.count(TEXT, tolerance=40, box=(left, top, right, bottom)), 800)


class WholePageFromDisk(OfflineTest):
    """gearmesh.html from file: the dialogue, the keys and a frame that is
    gearpair view's, in each browser, with nothing fetched from anywhere."""

    def check(self, engine):
        with Browser(engine=engine) as browser:
            page = browser.open(whole_page_url())
            self.assertEqual(page.title(), JAPANESE.TITLE)
            self.assertEqual(page.output(), JAPANESE.HEAD + JAPANESE.PROMPT)
            # Everything is inside the one file: no other file, no server.
            self.assertEqual(page.script("return performance.getEntriesByType('resource')"
                                         ".map(e => e.name).filter(n => !n.startsWith('data:'));"),
                             [])
            page.type_line("20 40")
            page.key("3", "R", "W", "W", "s", "s", "s")
            self.assertEqual(page.output(), JAPANESE.dialogue())
            assert_same_frame(self, page_frame(page), gearpair_frame((20, 40), "3", True, 2, 3), 2)
            shot = browser.screenshot()
            browser.save_screenshot("offline_gearmesh_html_" + engine)
            self.assertConsoleShows(shot, page)
            self.assertGreater(shot.count(RED, tolerance=60, box=box(page, "drawing")), 2000)
            self.assertEqual(browser.problems(), [])

    def test_in_chromium(self):
        self.check("chromium")

    def test_in_webkit(self):
        self.check("webkit")

    def test_in_firefox(self):
        self.check("firefox")


class SiteFromDisk(OfflineTest):
    """index.html from file: cannot load its module, and says so in the text
    tables' words instead of showing an empty page: in Japanese, and in
    English once the language switch has chosen it (as it does over HTTP,
    the browser keeps the choice for the page)."""

    def says_it_needs_a_server(self, browser, page, texts):
        WebDriverWait(browser.driver, 30).until(lambda _: page.panel_text() != "")
        self.assertEqual(page.output("err"), texts.NEEDS_SERVER)
        self.assertEqual(page.panel_text(), texts.NEEDS_SERVER)
        self.assertEqual(page.title(), texts.TITLE)
        self.assertEqual(page.script("return document.documentElement.lang;"), texts.code)
        self.assertFalse(browser.driver.find_element(By.ID, "line").is_enabled())
        # Chromium's log: no blocked fetch, no uncaught rejection.
        self.assertEqual(browser.problems(), [])

    def test_says_it_needs_a_server(self):
        index = pathlib.Path(os.environ["GEARMESH_SITE"], "index.html").resolve().as_uri()
        for engine in ENGINES:
            with self.subTest(engine), Browser(engine=engine) as browser:
                page = browser.load(index)
                self.says_it_needs_a_server(browser, page, JAPANESE)
                # The text is in the document at once; WebKit may show it a
                # moment later.
                red = 0
                for _ in range(25):
                    red = browser.screenshot().count((176, 0, 32), tolerance=60,
                                                     box=box(page, "console"))
                    if red > 300:
                        break
                    time.sleep(0.2)
                browser.save_screenshot("offline_index_html_" + engine)
                self.assertGreater(red, 300)
                page.script("localStorage.setItem('gearmesh.language', 'en');")
                page = browser.load(index)
                self.says_it_needs_a_server(browser, page, ENGLISH)


class SiteInFirefox(OfflineTest):
    def test_shows_the_dialogue_over_http(self):
        with Site() as site, Browser(engine="firefox") as browser:
            page = browser.open(site.url)
            self.assertEqual(page.output(), JAPANESE.HEAD + JAPANESE.PROMPT)
            shot = browser.screenshot()
            browser.save_screenshot("offline_site_http_firefox")
            self.assertConsoleShows(shot, page)


if __name__ == "__main__":
    unittest.main()
