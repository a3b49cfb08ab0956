"""The page's downloads in headless Chromium, saved for real into a folder of
their own: the exact outlines as SVG and DXF against `gearpair outline`, and
the picture as SVG against `gearpair view` after the same keys, for pairs
shifted and not. The texts must be the same but for numbers, which may differ
by 1e-9 of their size (of a millimetre or a pixel below 1): the browser's
maths library and the native one differ in the last bits of sin and cos.
"""

import os
import re
import shutil
import subprocess
import tempfile
import time
import unittest

from web_harness import Browser, Site  # noqa: E402  (first: it finds Selenium)
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

from texts import ENGLISH, JAPANESE  # noqa: E402

# The buttons by what they save: the page speaks Japanese unless told.
OUTLINE = {"svg": JAPANESE.DOWNLOADS[0], "dxf": JAPANESE.DOWNLOADS[1]}
PICTURE = JAPANESE.DOWNLOADS[2]

GEARPAIR = os.environ["GEARPAIR"]
NUMBER = re.compile(r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?")
SITE = None
BROWSER = None
FOLDER = None


def setUpModule():
    global SITE, BROWSER, FOLDER
    SITE = Site().__enter__()
    BROWSER = Browser()
    FOLDER = tempfile.mkdtemp(prefix="gearmesh-downloads-")
    BROWSER.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                   {"behavior": "allow", "downloadPath": FOLDER})


def tearDownModule():
    BROWSER.__exit__(None, None, None)
    SITE.__exit__(None, None, None)
    shutil.rmtree(FOLDER, ignore_errors=True)


def gearpair(*args):
    return subprocess.run([GEARPAIR] + [str(a) for a in args], capture_output=True, text=True,
                          timeout=120)


def shift_text(tenths):
    """The shift as gearpair reads it: the double that whole tenths give."""
    return repr(tenths / 10)


class DownloadTest(unittest.TestCase):
    def setUp(self):
        BROWSER.log()
        BROWSER.entries = []

    def tearDown(self):
        self.assertEqual(BROWSER.problems(), [])

    def open(self, counts, tenths=0):
        """A fresh page with the pair of counts at the shift in whole tenths,
        set with the study view's shift keys."""
        page = BROWSER.open(SITE.url)
        page.type_line(counts)
        if tenths:
            page.script("window.gearmesh._webSetStudy(window.gearmeshProgram, 1);")
            page.key("X" if tenths > 0 else "x", times=abs(tenths))
        return page

    def buttons(self):
        return BROWSER.driver.find_elements(By.CSS_SELECTOR, "#downloads button")

    def download(self, page, label):
        """Clicks the button and returns the name and text of the file saved."""
        for name in os.listdir(FOLDER):
            os.remove(os.path.join(FOLDER, name))
        next(b for b in self.buttons() if b.text == label).click()
        WebDriverWait(BROWSER.driver, 30).until(
            lambda _: os.listdir(FOLDER) and not any(
                n.endswith(".crdownload") for n in os.listdir(FOLDER)))
        (name,) = os.listdir(FOLDER)
        with open(os.path.join(FOLDER, name), encoding="utf-8") as f:
            return name, f.read()

    def assertSameText(self, saved, written):
        """Equal texts but for numbers, which agree within 1e-9 of their size."""
        self.assertEqual(NUMBER.split(saved), NUMBER.split(written))
        got, want = NUMBER.findall(saved), NUMBER.findall(written)
        self.assertEqual(len(got), len(want))
        worst = max((abs(float(a) - float(b)) / max(1.0, abs(float(a)), abs(float(b)))
                     for a, b in zip(got, want)), default=0.0)
        self.assertLessEqual(worst, 1e-9)


class Outlines(DownloadTest):
    CASES = [  # counts, shift in tenths, file name without its extension
        ("12 30", 0, "gear-12-30"),
        ("12 30", -3, "gear-12-30-x-0.30"),
        ("20 40", 5, "gear-20-40-x0.50"),
        ("149 1", 0, "gear-149-1"),
        ("8 17", 10, "gear-8-17-x1.00"),
    ]

    def test_outlines_are_gearpairs(self):
        for counts, tenths, stem in self.CASES:
            page = self.open(counts, tenths)
            for extension in ("svg", "dxf"):
                with self.subTest(counts=counts, shift=tenths, format=extension):
                    name, text = self.download(page, OUTLINE[extension])
                    self.assertEqual(name, stem + "." + extension)
                    written = gearpair("outline", *counts.split(), "--shift",
                                       shift_text(tenths), "--format", extension)
                    self.assertEqual(written.returncode, 0, written.stderr)
                    self.assertSameText(text, written.stdout)

    def test_a_gear_the_rack_cannot_cut_gives_the_reason_instead(self):
        refused = gearpair("outline", "2", "40")
        self.assertEqual(refused.returncode, 2)
        reason = refused.stderr.split("gearpair: ", 1)[1].split(" (see gearpair --help)")[0]
        page = self.open("2 40")
        for label in OUTLINE.values():
            next(b for b in self.buttons() if b.text == label).click()
        # The reason on the console's error side, once per press, and no file.
        self.assertEqual(page.output("err"), ("\n" + reason) * 2)
        time.sleep(0.5)
        self.assertEqual(os.listdir(FOLDER), [])
        # The picture of that pair is still there to save.
        self.assertEqual(self.download(page, PICTURE)[0], "view-2-40.svg")


class Picture(DownloadTest):
    CASES = [  # counts, shift in tenths, mode, reverse, zoom, steps
        ("20 40", 0, "3", True, 3, 7),
        ("12 30", 0, "1", False, -4, 0),
        ("10 40", 0, "2", False, 0, 1),
        ("12 30", 3, "3", False, 0, 2),
    ]

    def test_picture_is_gearpairs_view(self):
        for counts, tenths, mode, reverse, zoom, steps in self.CASES:
            with self.subTest(counts=counts, shift=tenths, mode=mode, reverse=reverse, zoom=zoom,
                              steps=steps):
                page = self.open(counts, tenths)
                page.key(*([mode] + ["R"] * reverse + ["W" if zoom > 0 else "w"] * abs(zoom)
                           + ["s"] * steps))
                name, text = self.download(page, PICTURE)
                self.assertEqual(name, "view-%s-%s.svg" % tuple(counts.split()))
                # The shift keys work in the study view, which stays on.
                args = ["view", *counts.split(), "--mode", mode, "--zoom", zoom, "--steps", steps,
                        "--shift", shift_text(tenths)] + ["--reverse"] * reverse + \
                    ["--study"] * (tenths != 0)
                self.assertSameText(text, gearpair(*args).stdout)

    def test_buttons_wait_for_the_first_counts_and_leave_the_keys_working(self):
        page = BROWSER.open(SITE.url)
        self.assertEqual([b.text for b in self.buttons()], JAPANESE.DOWNLOADS)
        self.assertFalse(any(b.is_enabled() for b in self.buttons()))
        page.type_line("20 40")
        self.assertTrue(all(b.is_enabled() for b in self.buttons()))
        self.download(page, PICTURE)
        self.assertEqual(page.focused(), "drawing")
        page.key("3")
        # After z and new counts the picture stays until the next key, and
        # so does what its file names.
        page.key("z")
        page.type_line("12 30")
        page.choose_language(ENGLISH.NAME)
        # The browser remembers the choice: the next page is Japanese again.
        self.addCleanup(page.script, "localStorage.removeItem('gearmesh.language');")
        self.assertEqual([b.text for b in self.buttons()], ENGLISH.DOWNLOADS)
        name, text = self.download(page, ENGLISH.DOWNLOADS[2])
        self.assertEqual(name, "view-20-40.svg")
        self.assertSameText(text, gearpair("view", "20", "40", "--mode", "3").stdout)


if __name__ == "__main__":
    unittest.main()
