"""The page in headless Chromium: the console dialogue with the desktop's
texts and reading rules, the keys and the buttons with pixels read back from
the canvas at places computed from `gearpair report --json`, the drawing's
size on screens of every density and width, the layout on wide screens and
phones, Japanese and English, and a browser console without a single error
or warning.

The expected texts (tests/support/texts.py) and the geometry checks are the
desktop tests' own (tests/app/test_dialogue.py, test_gearmesh.py). Set
GEARMESH_SHOT_DIR to keep the browser's screenshots as PNG files, and
GEARMESH_BROWSER=webkit to run the tests in WebKit instead (under
tests/with-xvfb; CTest runs Console, KeyPresses and SameFrameAsGearpairView
there, web_test_page_webkit).
"""

import math
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "app"))

from web_harness import (Browser, Site, assert_same_frame, chromium_only,  # noqa: E402
                         gearpair_frame, gearpair_frame_json,  # (first: it finds Selenium)
                         page_frame)
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

import test_dialogue as console  # noqa: E402
import test_gearmesh as desktop  # noqa: E402
from harness import BLACK, BLUE, WHITE, YELLOW, Screenshot  # noqa: E402
from texts import ENGLISH, JAPANESE  # noqa: E402

TITLE = JAPANESE.TITLE
PROGRAM_ENDED = JAPANESE.PROGRAM_ENDED
SITE = None
BROWSER = None


def setUpModule():
    global SITE, BROWSER
    SITE = Site().__enter__()
    BROWSER = Browser()


def tearDownModule():
    BROWSER.__exit__(None, None, None)
    SITE.__exit__(None, None, None)


def reload_keys_picture(keys, counts="20 40"):
    """The picture a fresh page shows after the counts and these keys."""
    page = BROWSER.open(SITE.url)
    page.type_line(counts)
    for key in keys:
        page.key(key)
    return page.picture()


class PageTest(unittest.TestCase):
    """Every test ends with an empty browser console log."""

    browser = None  # BROWSER unless a test class brings its own

    def setUp(self):
        self.browser = self.browser or BROWSER
        self.browser.log()
        self.browser.entries = []

    def tearDown(self):
        self.assertEqual(self.browser.problems(), [])

    def open(self, counts=None):
        page = self.browser.open(SITE.url)
        if counts is not None:
            page.type_line(counts)
        return page

    # The desktop's checks of a picture, applied to the canvas. Its edges are
    # smoothed, so where a flank crosses a marker fewer pixels keep the
    # marker's own colour than in the window.
    MARKER_PIXELS_SHOWN = 2
    assertLegend = desktop.GearmeshTest.assertLegend
    assertOutlineDrawn = desktop.GearmeshTest.assertOutlineDrawn
    assertContactMarkers = desktop.GearmeshTest.assertContactMarkers
    fraction_on_circle = desktop.GearmeshTest.fraction_on_circle


class Console(PageTest):
    def test_dialogue_texts_focus_and_title(self):
        page = self.open()
        self.assertEqual(page.title(), TITLE)
        self.assertEqual(page.output(), console.HEAD + console.PROMPT)
        self.assertEqual(page.focused(), "line")
        page.type_line("20 40")
        self.assertEqual(page.output().encode(), console.dialogue())
        self.assertEqual(page.output("err"), "")
        # The panel shows the typed line where a terminal would echo it.
        self.assertEqual(page.panel_text(),
                         console.HEAD + console.PROMPT + "20 40\n" + console.HELP)
        self.assertEqual(page.focused(), "drawing")
        self.assertFalse(self.browser.driver.find_element(By.ID, "line").is_enabled())
        self.browser.save_screenshot("web_dialogue_20_40")

    def test_bad_lines_get_the_error_line_and_the_prompt_again(self):
        reference = reload_keys_picture(["3"])
        # The rest of a bad line is dropped: were "30" read, the pair would
        # be 30 and 20 and the mesh would look different.
        cases = ["abc 30", "0 30", "-20 40", "20 150", "99999999999 30", "-99999999999 30",
                 "2147483648 30", "20abc 30", "1.5 30", "+ 30"]
        for bad in cases:
            with self.subTest(line=bad):
                page = self.open(bad)
                self.assertEqual(page.output(), console.HEAD + console.PROMPT * 2)
                self.assertEqual(page.output("err"), console.BAD_COUNT)
                self.assertEqual(page.focused(), "line")
                page.type_line("20 40")
                page.key("3")
                self.assertEqual(page.output().encode(), console.dialogue(prompts=2))
                self.assertEqual(page.picture(), reference)

    def test_counts_over_several_lines(self):
        reference = reload_keys_picture(["3"])
        for lines, prompts, errors in ((["x", "0", "  20 y 40", "20 40"], 4, 3),
                                       (["", "", "  +20", "", "   40"], 1, 0),
                                       (["20", "40 60"], 1, 0),
                                       # Longer than the module's first line buffer.
                                       ([" " * 600 + "20", "x" * 300, "20 40"], 2, 1)):
            with self.subTest(lines=lines):
                page = self.open()
                for line in lines:
                    self.assertEqual(page.focused(), "line")
                    page.type_line(line)
                page.key("3")
                self.assertEqual(page.output().encode(), console.dialogue(prompts=prompts))
                self.assertEqual(page.output("err"), console.BAD_COUNT * errors)
                self.assertEqual(page.picture(), reference)

    def test_smallest_and_largest_counts(self):
        for line in ("1 149", "149 1"):
            with self.subTest(line=line):
                page = self.open(line)
                self.assertEqual(page.output().encode(), console.dialogue())
                page.key("3")
                self.assertLegend(page.picture())


class KeyPresses(PageTest):
    def test_drive_and_driven_gear(self):
        page = self.open("20 40")
        geo = desktop.geometry(20, 40)
        view = desktop.View(0.2)
        shot = page.picture()
        self.assertEqual((shot.width, shot.height), (800, 800))
        self.assertLegend(shot)
        self.assertOutlineDrawn(shot, geo, 1, view)
        centre = geo["center1"]
        chain = self.fraction_on_circle(shot, view, centre, 10.0, BLUE,
                                        degrees=[d / 4 for d in range(-100, 101)])
        self.assertGreater(chain, 0.5)
        self.assertLess(chain, 0.95)
        self.assertGreater(self.fraction_on_circle(shot, view, centre, 11.0, YELLOW), 0.5)
        self.assertGreater(self.fraction_on_circle(shot, view, centre, geo["undercutRadius1"],
                                                   BLACK), 0.4)
        self.browser.save_screenshot("web_mode1_20_40")
        page.key("2")
        shot = page.picture()
        self.assertLegend(shot)
        self.assertOutlineDrawn(shot, geo, 2, view)
        # Outside the mesh view s and R redraw the same picture.
        page.key("s")
        page.key("R")
        self.assertEqual(page.picture(), shot)

    def test_mesh_steps_and_reverses(self):
        page = self.open("20 40")
        geo = desktop.geometry(20, 40)
        page.key("3")
        shot = page.picture()
        mesh = desktop.Mesh(geo, 0)
        self.assertLegend(shot, first_line_indented_by=(3, 17))
        self.assertContactMarkers(shot, mesh, "first frame")
        self.assertOutlineDrawn(shot, geo, 1, mesh.view, angle=2 * math.pi / 20)
        self.assertOutlineDrawn(shot, geo, 2, mesh.view, angle=math.pi - 2 * math.pi / 40)
        self.browser.save_screenshot("web_mode3_20_40")
        for k, key in ((1, "s"), (2, "s"), (1, "R"), (0, "R"), (-1, "s")):
            page.key(key)
            self.assertContactMarkers(page.picture(), desktop.Mesh(geo, k),
                                      "after %s, step %d" % (key, k))

    @chromium_only
    def test_held_s_runs_the_mesh_on_one_step_per_repeat(self):
        page = self.open("20 40")
        page.key("3")
        presses = page.hold_key("s", 2.0)
        held = page.picture()
        # A loaded machine sends fewer repeats; that there are several is what counts.
        self.assertGreater(presses, 3)
        self.assertEqual(held, reload_keys_picture(["3"] + ["s"] * presses))

    def test_unlisted_keys_change_nothing(self):
        page = self.open("20 40")
        page.key("3")
        first = page.picture()
        for key in ("S", "Z", "x", " ", Keys.F1, Keys.ENTER, Keys.ARROW_LEFT):
            page.key(key)
            self.assertEqual(page.picture(), first, repr(key))
            self.assertEqual(page.focused(), "drawing")
        page.key("s")
        self.assertEqual(page.picture(), reload_keys_picture(["3", "s"]))

    def test_zoom_scales_the_figure(self):
        page = self.open("20 40")
        geo = desktop.geometry(20, 40)
        tip1 = geo["center1"][1] + geo["tipRadius1"]
        scale = 0.2
        for key, factor in (("w", 0.9), ("w", 0.9), ("W", 1 / 0.9)):
            page.key(key)
            shot = page.picture()
            old_row = desktop.View(scale).px((0.0, tip1))[1]
            scale *= factor
            row = desktop.View(scale).px((0.0, tip1))[1]
            self.assertTrue(shot.near(416, int(row), YELLOW, radius=1), (key, row))
            self.assertFalse(shot.near(416, int(old_row), YELLOW, radius=1), (key, old_row))

    def test_mesh_at_the_deepest_zoom(self):
        page = self.open("20 40")
        page.key("W", times=200)
        page.key("3")
        shot = page.picture()
        self.browser.save_screenshot("web_mode3_20_40_W200")
        self.assertLegend(shot)
        self.assertTrue(shot.near(400, 400, desktop.RED, radius=3))
        self.assertTrue(shot.near(100, 400, BLUE, radius=1))
        page.key("s")
        self.assertFalse(page.picture().near(400, 400, desktop.RED, radius=3))

    def test_z_asks_again_and_keeps_the_picture_until_the_next_key(self):
        page = self.open("20 40")
        page.key("3")
        before = page.picture()
        page.key("z")
        self.assertEqual(page.focused(), "line")
        self.assertEqual(page.output(), console.dialogue().decode() + console.HEAD + console.PROMPT)
        self.assertEqual(page.script("return document.getElementById('line').value;"), "")
        # While the dialogue asks, the drawing takes no keys.
        self.browser.driver.find_element(By.ID, "drawing").click()
        page.key("3")
        self.assertEqual(page.picture(), before)
        page.type_line("ten forty")
        page.type_line("10 40")
        self.assertEqual(page.output("err"), console.BAD_COUNT)
        self.assertEqual(page.output().encode(), console.dialogue() + console.dialogue(prompts=2))
        self.assertEqual(page.focused(), "drawing")
        self.assertEqual(page.picture(), before)

        geo = desktop.geometry(10, 40)
        view = desktop.View(0.2)
        page.key("s")
        shot = page.picture()
        self.assertOutlineDrawn(shot, geo, 1, view)
        self.assertGreater(self.fraction_on_circle(shot, view, geo["center1"],
                                                   geo["undercutRadius1"], BLACK), 0.4)
        page.key("3")
        self.assertContactMarkers(page.picture(), desktop.Mesh(geo, 0), "10/40 first frame")

    def test_escape_ends_the_program_until_the_page_is_loaded_again(self):
        page = self.open("20 40")
        page.key("3")
        before = page.picture()
        page.key(Keys.ESCAPE)
        self.assertEqual(page.output(), console.dialogue().decode() + PROGRAM_ENDED)
        for key in ("s", "1", "z", Keys.ESCAPE):
            page.key(key)
        self.assertEqual(page.picture(), before)
        self.assertEqual(page.output(), console.dialogue().decode() + PROGRAM_ENDED)
        self.assertFalse(self.browser.driver.find_element(By.ID, "line").is_enabled())
        self.assertFalse(any(b.is_enabled() for b in
                             self.browser.driver.find_elements(By.CSS_SELECTOR, "#keys button")))
        page = self.open("20 40")
        self.assertEqual(page.output().encode(), console.dialogue())


class SameFrameAsGearpairView(PageTest):
    """The frame the page drew last, as its recorder holds it, against the one
    `gearpair view` records after the same keys: primitive by primitive,
    coordinates within 1e-9 model units (the browser's maths library and the
    native one may differ in the last bit)."""

    CASES = [  # counts, mode, reverse, zoom (W > 0, w < 0), steps
        ((20, 40), "3", False, 0, 5),
        ((20, 40), "3", True, 3, 7),
        ((12, 30), "1", False, -4, 0),
        ((10, 40), "2", False, 0, 1),
        ((149, 149), "3", False, 20, 2),
        ((20, 40), "3", False, 40, 3),
        ((1, 1), "3", True, -30, 11),
    ]

    def page_frame(self, counts, mode, reverse, zoom, steps):
        page = self.open("%d %d" % counts)
        keys = [mode] + ["R"] * reverse + ["W" if zoom > 0 else "w"] * abs(zoom) + ["s"] * steps
        page.key(*keys)
        return page_frame(page)

    def test_every_primitive_matches(self):
        for counts, mode, reverse, zoom, steps in self.CASES:
            where = "%d/%d mode %s%s zoom %d steps %d" % (*counts, mode, " R" * reverse, zoom,
                                                          steps)
            with self.subTest(where):
                expected = gearpair_frame(counts, mode, reverse, zoom, steps)
                drawn = self.page_frame(counts, mode, reverse, zoom, steps)
                assert_same_frame(self, drawn, expected, zoom)


class Buttons(PageTest):
    LABELS = JAPANESE.BUTTONS

    def click(self, page, key):
        """Clicks the button of key ("3", "Esc"): the one whose label starts with it."""
        label = next(label for label in self.LABELS if label.split()[0] == key)
        ActionChains(self.browser.driver).click(page.button(label)).perform()

    def test_one_button_per_key_in_order(self):
        page = self.open()
        self.assertEqual(page.labels(), self.LABELS)

    def test_buttons_do_what_their_keys_do(self):
        for keys in (["3", "s", "s", "R", "s"], ["2", "W", "W", "w"], ["3", "r", "s", "1"]):
            with self.subTest(keys=keys):
                page = self.open("20 40")
                for key in keys:
                    self.click(page, key)
                    # The drawing keeps the focus, so the keyboard goes on working.
                    self.assertEqual(page.focused(), "drawing")
                self.assertEqual(page.picture(), reload_keys_picture(keys))
        self.browser.save_screenshot("web_buttons_after_1")

    def test_held_step_button_repeats(self):
        page = self.open("20 40")
        self.click(page, "3")
        page.script("const m = window.gearmesh, press = m._webKey;"
                    "window.presses = 0;"
                    "m._webKey = (p, k) => { window.presses += k === 115; return press(p, k); };")
        step = page.button(next(label for label in self.LABELS if label.startswith("s ")))
        ActionChains(self.browser.driver).click_and_hold(step).pause(2.0).release().perform()
        presses = page.script("return window.presses;")
        self.assertGreater(presses, 3)
        self.assertEqual(page.picture(), reload_keys_picture(["3"] + ["s"] * presses))

    def test_new_counts_and_quit_buttons(self):
        page = self.open("20 40")
        self.click(page, "z")
        self.assertEqual(page.focused(), "line")
        self.assertTrue(page.output().endswith(console.HEAD + console.PROMPT))
        page.type_line("12 30")
        self.click(page, "Esc")
        self.assertTrue(page.output().endswith(console.HELP + PROGRAM_ENDED))


class Study(PageTest):
    """The study view's toggle and shift buttons and keys, against `gearpair
    view --study` after the same presses."""

    LABELS = Buttons.LABELS
    STUDY_LABEL = JAPANESE.BUTTONS[10]
    SHIFT_LABELS = tuple(JAPANESE.BUTTONS[11:13])
    click = Buttons.click

    def assertFrameOf(self, page, *view_args):
        assert_same_frame(self, page_frame(page), gearpair_frame_json(*view_args))

    def assertStudyShown(self, page, on):
        self.assertEqual(page.button(self.STUDY_LABEL).get_attribute("aria-pressed"),
                         "true" if on else "false")
        self.assertEqual([page.button(label).is_enabled() for label in self.SHIFT_LABELS],
                         [on, on])

    def test_toggle_and_shift_keys_draw_what_gearpair_view_draws(self):
        page = self.open("12 30")
        self.assertStudyShown(page, False)
        page.key("X")  # the shift keys wait for the study view
        self.assertFrameOf(page, "12", "30", "--mode", "1")
        self.click(page, self.STUDY_LABEL)
        self.assertStudyShown(page, True)
        self.assertEqual(page.focused(), "drawing")
        self.assertFrameOf(page, "12", "30", "--mode", "1", "--study")
        self.click(page, "X")
        self.click(page, "X")
        page.key("X")
        self.assertFrameOf(page, "12", "30", "--mode", "1", "--shift", "0.3", "--study")
        self.browser.save_screenshot("web_study_12_30_mode1_X3")
        page.key("3", "s", "s", "x")
        page.key("s")
        self.assertFrameOf(page, "12", "30", "--mode", "3", "--steps", "1", "--shift", "0.2",
                           "--study")
        # New counts keep the study view and the shift.
        page.key("z")
        page.type_line("20 40")
        page.key("3", "s", "s")
        self.assertFrameOf(page, "20", "40", "--mode", "3", "--steps", "2", "--shift", "0.2",
                           "--study")
        self.browser.save_screenshot("web_study_20_40_mode3")
        # Off again: the same mesh frame, classic, without a step.
        self.click(page, self.STUDY_LABEL)
        self.assertStudyShown(page, False)
        self.assertFrameOf(page, "20", "40", "--mode", "3", "--steps", "2", "--shift", "0.2")


class Links(PageTest):
    """A link reopens a picture: the frame `gearpair view` draws for the same
    keys, and the address the page writes after every key opens it again."""

    def open_link(self, fragment, prompt=False):
        return self.browser.open(SITE.url + "#" + fragment, prompt=prompt)

    def fragment(self, page):
        """The address's fragment once the page has written its last one (it
        writes at most every 200 ms while keys repeat)."""
        time.sleep(0.3)
        return page.script("return location.hash;")[1:]

    def test_a_link_shows_what_gearpair_view_draws_and_speaks_its_language(self):
        page = self.open_link("z=20,40&keys=3W3s5&study=1&lang=en")
        assert_same_frame(self, page_frame(page),
                          gearpair_frame_json("20", "40", "--mode", "3", "--zoom", "3", "--steps",
                                              "5", "--study"), zoom=3)
        self.assertEqual(page.output(), ENGLISH.HEAD + ENGLISH.PROMPT + ENGLISH.HELP)
        self.assertIn("20,40\n", page.panel_text())
        self.assertEqual(page.focused(), "drawing")
        # As after typed counts, the pair's files can be saved.
        self.assertTrue(page.script(
            "return Array.from(document.querySelectorAll('#downloads button'))"
            ".every(b => !b.disabled);"))
        self.assertEqual(page.script("return document.documentElement.lang;"), "en")
        # The address is rewritten to what the page shows: the same link.
        self.assertEqual(self.fragment(page), "z=20,40&keys=3W3s5&study=1&lang=en")
        self.browser.save_screenshot("web_link_20_40")

    def test_the_rewritten_address_opens_the_same_frame(self):
        page = self.open("12 30")
        page.key("3", "W", "W", "R", "s", "s", "s", "2", "3", "s")
        page.script("document.getElementById('keys').querySelector('[aria-pressed]').click();")
        page.key("X", "X", "s")
        fragment = self.fragment(page)
        self.assertIn("shift=0.2", fragment)
        shown = page_frame(page)
        again = self.open_link(fragment)
        assert_same_frame(self, page_frame(again), shown, zoom=2)
        # Keys go on from the reopened link as from the page that wrote it:
        # three steps since the last shift key restarted the mesh (gearpair
        # view's two zoom presses each step it too).
        page = self.open_link(fragment)
        page.key("s", "s")
        assert_same_frame(self, page_frame(page),
                          gearpair_frame_json("12", "30", "--mode", "3", "--zoom", "2", "--steps",
                                              "1", "--shift", "0.2", "--study"), zoom=2)

    def test_an_unreadable_link_starts_the_page_as_usual_and_says_why(self):
        for fragment, words in (("z=20,400", "z="), ("z=20,40&keys=3q", "keys="),
                                ("z=20,40&keys=s100001", "keys="), ("zoom=3", "z keys")):
            with self.subTest(fragment=fragment):
                page = self.open_link(fragment, prompt=True)
                errors = page.output("err").splitlines()
                self.assertEqual(len(errors), 1)
                self.assertIn(words, errors[0])
                self.assertEqual(page.output(), JAPANESE.HEAD + JAPANESE.PROMPT)
                self.assertEqual(page.focused(), "line")

    def test_an_address_edited_by_hand_opens_its_link(self):
        page = self.open_link("z=20,40&keys=3")
        page.script("location.hash = '#z=12,30&keys=2W';")
        WebDriverWait(self.browser.driver, 30).until(
            lambda _: self.fragment(page) == "z=12,30&keys=2W&lang=ja")
        assert_same_frame(self, page_frame(page),
                          gearpair_frame_json("12", "30", "--mode", "2", "--zoom", "1"), zoom=1)

    def test_the_link_button_says_it_has_copied(self):
        page = self.open_link("z=20,40&keys=3&lang=en")
        button = self.browser.driver.find_element(By.ID, "copy-link")
        self.assertEqual(button.text, "copy link")
        button.click()
        WebDriverWait(self.browser.driver, 10).until(lambda _: button.text == "copied")
        WebDriverWait(self.browser.driver, 10).until(lambda _: button.text == "copy link")


class Sizes(PageTest):
    def test_the_site_is_small_and_loads_nothing_from_elsewhere(self):
        folder = SITE.folder
        size = sum(os.path.getsize(os.path.join(folder, name)) for name in os.listdir(folder))
        self.assertLess(size, 1000000)
        page = self.open("20 40")
        resources = page.script("return [location.href].concat(performance.getEntriesByType"
                                "('resource').map(e => e.name));")
        self.assertTrue(all(url.startswith(SITE.url) for url in resources), resources)

    def test_800_css_pixels_are_the_desktop_frame(self):
        page = self.open("20 40")
        box = page.script("const r = document.getElementById('drawing').getBoundingClientRect();"
                          "return [r.width, r.height];")
        self.assertEqual(box, [800, 800])
        self.assertEqual(page.picture(), reload_keys_picture(["1"]))

    def test_dense_screen_gets_a_sharper_backing_store(self):
        with Browser(scale=2) as dense:
            self.browser, saved = dense, self.browser
            try:
                page = self.open("20 40")
                page.key("3")
                shot = page.picture()
                self.assertEqual((shot.width, shot.height), (1600, 1600))
                # The path of contact's green and the pitch point's blue marker
                # where the 800-pixel frame has them, at twice the pixels.
                geo = desktop.geometry(20, 40)
                x, y = desktop.View(0.2, 1600, 1600).px(geo["interferencePoint1"])
                self.assertTrue(shot.near(int(x), int(y), desktop.GREEN, radius=2))
                view = desktop.View(0.2, 1600, 1600)
                for gear in ("1", "2"):
                    self.assertGreater(self.fraction_on_circle(
                        shot, view, geo["center" + gear], geo["baseRadius" + gear],
                        desktop.GREEN), 0.4)
                self.assertLegend(self.half(shot))
                self.assertEqual(dense.problems(), [])
            finally:
                self.browser = saved

    def test_narrow_screen_scales_the_drawing_down(self):
        with Browser(width=500, height=900) as narrow:
            self.browser, saved = narrow, self.browser
            try:
                page = self.open("20 40")
                box = page.script("const r = document.getElementById('drawing')"
                                  ".getBoundingClientRect(); return [r.width, r.height];")
                self.assertLess(box[0], 500)
                self.assertEqual(box[0], box[1])
                shot = page.picture()
                self.assertEqual(shot.width, round(box[0]))
                geo = desktop.geometry(20, 40)
                self.assertOutlineDrawn(shot, geo, 1, desktop.View(0.2, shot.width, shot.height))
                narrow.save_screenshot("web_narrow_500")
                self.assertEqual(narrow.problems(), [])
            finally:
                self.browser = saved

    @staticmethod
    def half(shot):
        """Every other pixel of every other row."""
        rgb = bytearray()
        for y in range(0, shot.height, 2):
            for x in range(0, shot.width, 2):
                rgb += bytes(shot.pixel(x, y))
        return Screenshot(shot.width // 2, shot.height // 2, rgb)


class Languages(PageTest):
    """Japanese unless the switch chose English, which the browser remembers;
    every label, the title and the texts from then on follow it."""

    def tearDown(self):
        self.browser.driver.execute_script("localStorage.clear();")
        super().tearDown()

    def assertPageIn(self, page, texts):
        self.assertEqual(page.title(), texts.TITLE)
        self.assertEqual(page.script("return document.documentElement.lang;"), texts.code)
        self.assertEqual(page.text_of("language-label"), texts.SWITCH)
        self.assertEqual(page.text_of("drawing-hint"), texts.HINT)
        labels = page.labels()
        self.assertEqual(labels, texts.BUTTONS)
        # Each label starts with the key its button presses; the study view's
        # toggle presses none.
        keys = page.script("const m = window.gearmesh; return Array.from("
                           "{length: m._webButtonCount()}, (_, i) => m._webButtonKey(i));")
        pressing = [(label, key) for label, key in zip(labels, keys) if key >= 0]
        self.assertEqual(len(pressing), len(labels) - 1)
        self.assertEqual([label.split(" ")[0] for label, _ in pressing],
                         ["Esc" if key == 27 else chr(key) for _, key in pressing])

    def test_switching_changes_the_labels_at_once_and_the_texts_from_then_on(self):
        page = self.open()
        self.assertPageIn(page, JAPANESE)
        self.assertEqual(page.output(), JAPANESE.HEAD + JAPANESE.PROMPT)
        hint = self.browser.driver.find_element(By.ID, "drawing-hint")
        self.assertTrue(hint.is_displayed())
        # A blank drawing, not an opaque canvas's black.
        self.assertTrue(page.picture().is_all(WHITE))

        page.choose_language(ENGLISH.NAME)
        self.assertPageIn(page, ENGLISH)
        self.assertEqual(page.output(), JAPANESE.HEAD + JAPANESE.PROMPT)
        self.assertEqual(page.focused(), "line")
        self.browser.save_screenshot("web_english_before_counts")
        page.type_line("0 40")
        page.type_line("20 40")
        self.assertFalse(hint.is_displayed())
        self.assertEqual(page.output(),
                         JAPANESE.HEAD + JAPANESE.PROMPT + ENGLISH.PROMPT + ENGLISH.HELP)
        self.assertEqual(page.output("err"), ENGLISH.BAD_COUNT)

        page.choose_language(JAPANESE.NAME)
        self.assertPageIn(page, JAPANESE)
        self.assertEqual(page.focused(), "drawing")
        page.key(Keys.ESCAPE)
        self.assertTrue(page.output().endswith(ENGLISH.HELP + JAPANESE.PROGRAM_ENDED))

    def test_the_chosen_language_survives_a_reload(self):
        self.open().choose_language(ENGLISH.NAME)
        page = self.open("0 40")
        page.type_line("20 40")
        self.assertPageIn(page, ENGLISH)
        self.assertEqual(page.output(), ENGLISH.dialogue(prompts=2))
        self.assertEqual(page.output("err"), ENGLISH.BAD_COUNT)
        page.key("z")
        page.type_line("12 30")
        page.key(Keys.ESCAPE)
        self.assertEqual(page.output(), ENGLISH.dialogue(prompts=2) + ENGLISH.dialogue()
                         + ENGLISH.PROGRAM_ENDED)
        self.browser.save_screenshot("web_english_20_40")

        page.choose_language(JAPANESE.NAME)
        page = self.open()
        self.assertPageIn(page, JAPANESE)
        self.assertEqual(page.output(), JAPANESE.HEAD + JAPANESE.PROMPT)


class Layout(PageTest):
    """Side by side from 1100 CSS pixels wide, the drawing square and whole in
    the window; stacked on a phone, with nothing to scroll sideways."""

    def in_browser(self, width, height):
        """The rest of the test runs in a browser of its own of this size,
        closed after tearDown has checked its console."""
        browser = Browser(width=width, height=height)
        self.addCleanup(browser.__exit__, None, None, None)
        self.browser = browser

    def assertInside(self, box, view, what):
        self.assertGreaterEqual(box["left"], 0, what)
        self.assertGreaterEqual(box["top"], 0, what)
        self.assertLessEqual(box["right"], view["width"], what)
        self.assertLessEqual(box["bottom"], view["height"], what)

    def test_wide_screen_shows_the_input_line_and_the_whole_drawing(self):
        self.in_browser(1280, 720)
        page = self.open()
        self.assertTrue(page.picture().is_all(WHITE))
        page.type_line("20 40")
        view = page.viewport()
        self.assertEqual((view["scrollWidth"], view["scrollHeight"]),
                         (view["width"], view["height"]))
        panel, line, drawing = (page.box(i) for i in ("console-panel", "line", "drawing"))
        self.assertLessEqual(panel["right"], drawing["left"])
        self.assertEqual(panel["top"], drawing["top"])
        self.assertEqual(drawing["width"], drawing["height"])
        # As tall as the window allows, the page's margins excepted.
        self.assertGreater(drawing["height"], 0.9 * view["height"])
        for name, box in (("drawing", drawing), ("line", line), ("keys", page.box("keys"))):
            self.assertInside(box, view, name)
        shot = page.picture()
        self.assertEqual((shot.width, shot.height), (drawing["width"], drawing["height"]))
        self.assertOutlineDrawn(shot, desktop.geometry(20, 40), 1,
                                desktop.View(0.2, shot.width, shot.height))
        self.browser.save_screenshot("web_wide_1280x720")

    def test_phone_stacks_the_panels_without_sideways_scrolling(self):
        self.in_browser(390, 844)
        page = self.open()
        # The backing store has shrunk to the drawing's width: still blank.
        self.assertTrue(page.picture().is_all(WHITE))
        page.type_line("20 40")
        view = page.viewport()
        self.assertEqual(view["scrollWidth"], view["width"])
        panel, drawing = page.box("console-panel"), page.box("drawing")
        self.assertLessEqual(panel["bottom"], drawing["top"])
        self.assertEqual((drawing["left"], drawing["right"]), (panel["left"], panel["right"]))
        self.assertGreater(drawing["width"], 0.9 * view["width"])
        self.assertEqual(drawing["width"], drawing["height"])
        for button in self.browser.driver.find_elements(By.CSS_SELECTOR, "button"):
            box = button.rect
            self.assertLessEqual(box["x"] + box["width"], view["width"], button.text)
        self.browser.save_screenshot("web_phone_390x844")


if __name__ == "__main__":
    unittest.main()
