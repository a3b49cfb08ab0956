"""The page's painting against its plain painting (window.gearmeshPaintPlain):
the layer copied in place of a frame's unchanged front items and the tooth
outlines filled in place of their strokes leave the canvas as the plain
painting leaves it but for a few edge pixels, under 0.5 % of them, in every
scenario of the page's benchmark (bench/web_bench.py), on a screen of one and
of two device pixels per CSS pixel.
"""

import os
import sys
import unittest

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(TOP, "bench"))

from web_harness import Browser, Site  # noqa: E402  (first: it finds Selenium)
from web_bench import SCENARIOS  # noqa: E402

# At most this share of the canvas's pixels may differ from the plain painting.
MOST_CHANGED = 0.005
STEPS = 3
SITE = None

# The last frame's layer serial number, how many items it holds, and how many
# strokes come with an outline (web/canvas_frame.h: layer 7, outlineCount 9).
FRAME_SHAPE = """
const m = window.gearmesh, p = window.gearmeshProgram, heap = m.HEAPF64;
const items = m._webFrameItems(p) / 8, stride = m._webFrameItemStride();
let layer = 0, outlines = 0;
for (let i = 0; i < m._webFrameItemCount(p); ++i) {
    layer += heap[items + stride * i + 7] !== 0;
    outlines += heap[items + stride * i + 9] > 0;
}
return [heap[items + 7], layer, outlines];
"""
PRESS = "window.gearmesh._webKey(window.gearmeshProgram, arguments[0]);"
PAINT_PLAIN = ("window.gearmeshPaintPlain = true; window.gearmesh.page.paint();"
               "window.gearmeshPaintPlain = false;")


def setUpModule():
    global SITE
    SITE = Site().__enter__()


def tearDownModule():
    SITE.__exit__(None, None, None)


def changed_share(a, b):
    """The share of pixels whose colour differs between two pictures of one size."""
    self_rgb, other_rgb = memoryview(a.rgb), memoryview(b.rgb)
    changed = sum(self_rgb[i:i + 3] != other_rgb[i:i + 3] for i in range(0, len(a.rgb), 3))
    return changed / (a.width * a.height)


class PaintedAsPlain(unittest.TestCase):
    def check_scenarios(self, browser, names=None):
        for name, counts, keys in SCENARIOS:
            if names is not None and name not in names:
                continue
            page = browser.open(SITE.url)
            page.type_line(counts)
            for key in keys:
                page.script(PRESS, ord(key))
            serials, outlined = [], 0
            for step in range(STEPS):
                with self.subTest(scenario=name, step=step):
                    page.script(PRESS, ord("s"))
                    serial, layer, outlines = page.script(FRAME_SHAPE)
                    serials.append(serial)
                    outlined += outlines
                    shown = page.picture()
                    page.script(PAINT_PLAIN)
                    plain = page.picture()
                    page.script("window.gearmesh.page.paint();")
                    self.assertLess(changed_share(shown, plain), MOST_CHANGED)
                    # The clear and the legend at least, from the first step on.
                    self.assertGreaterEqual(layer, 6)
            # From the second step on the page copies the layer it has; the
            # turning teeth, where there are any, are filled outlines.
            self.assertEqual(serials[1:], [serials[1]] * (STEPS - 1), name)
            if "mode 3" in name:
                self.assertGreater(outlined, 0, name)
        self.assertEqual(browser.problems(), [])

    def test_every_scenario(self):
        with Browser() as browser:
            self.check_scenarios(browser)

    def test_study_view(self):
        # The study view's band and rings over the mesh, its form circle over
        # a single gear, opened from links.
        with Browser() as browser:
            for fragment in ("z=20,40&keys=3&study=1", "z=12,30&keys=1&study=1&shift=0.3",
                             "z=10,40&keys=w15.3&study=1"):
                page = browser.open(SITE.url + "#" + fragment, prompt=False)
                for step in range(STEPS):
                    with self.subTest(link=fragment, step=step):
                        page.script(PRESS, ord("s"))
                        shown = page.picture()
                        page.script(PAINT_PLAIN)
                        plain = page.picture()
                        page.script("window.gearmesh.page.paint();")
                        self.assertLess(changed_share(shown, plain), MOST_CHANGED)
            self.assertEqual(browser.problems(), [])

    def test_dense_screen(self):
        with Browser(scale=2) as browser:
            self.check_scenarios(browser, ("20/40 mode 3", "10/40 mode 3, 15 w"))


if __name__ == "__main__":
    unittest.main()
