"""The window of the real gearmesh binary under Xvfb: size, background,
title properties, resizing and ending with ESC."""

import re
import tempfile
import unittest

from harness import Gearmesh, RED, WHITE, YELLOW, make_sjis_locale
from texts import JAPANESE

TITLE = JAPANESE.TITLE

Z1 = 20
VIEW_SCALE = 0.2


def title_properties(xprop_text):
    """{name: (type, decoded text)} of the properties xprop printed."""
    found = {}
    for name, kind, value in re.findall(r'^(\w+)\((\w+)\) = "(.*)"$', xprop_text, re.M):
        found[name] = (kind, value)
    return found


class Window(unittest.TestCase):
    def test_800_by_800_on_white(self):
        with Gearmesh("%d 40\n" % Z1) as g:
            shot = g.wait_window()
            self.assertEqual((shot.width, shot.height), (800, 800))
            # The top right corner lies outside gear 1's tip circle (radius
            # z1/2 + 1 about (0, -z1/2)) and away from the legend.
            x, y = 795, 5
            mx, my = (x - 400) / (400 * VIEW_SCALE), (400 - y) / (400 * VIEW_SCALE)
            self.assertGreater((mx ** 2 + (my + Z1 / 2) ** 2) ** 0.5, Z1 / 2 + 1)
            self.assertEqual(shot.pixel(x, y), WHITE)
            self.assertGreater(shot.count(WHITE), 0.8 * 800 * 800)

    def test_title_shows_the_exact_characters_in_every_locale(self):
        with tempfile.TemporaryDirectory() as directory:
            sjis = make_sjis_locale(directory)
            self.assertIsNotNone(sjis, "localedef could not build ja_JP.SJIS")
            for locale in ("C.UTF-8", "C", sjis):
                with self.subTest(locale=locale), \
                        Gearmesh("20 40\n", lc_all=locale, env={"LOCPATH": directory}) as g:
                    g.wait_window()
                    props = title_properties(g.xprop("_NET_WM_NAME", "WM_NAME"))
                    self.assertEqual(props.get("_NET_WM_NAME"), ("UTF8_STRING", TITLE))
                    self.assertIn("WM_NAME", props)
                    self.assertEqual(props["WM_NAME"][1], TITLE)

    def test_resized_window_shows_the_whole_square_squeezed(self):
        with Gearmesh("20 40\n") as g:
            g.wait_window()
            square = g.key("3")
            squeezed = g.resize(800, 400)
            self.assertEqual((squeezed.width, squeezed.height), (800, 400))
            # Resizing redraws, and each mesh frame steps on; step back to
            # rotation zero for the comparison.
            squeezed = g.key("3")
            for color in (RED, YELLOW):
                with self.subTest(color=color):
                    x800, y800, n800 = square.centroid(color)
                    x400, y400, n400 = squeezed.centroid(color)
                    # Lines keep their width in pixels, so only their middle
                    # moves: columns stay, rows halve.
                    self.assertLess(abs(x400 - x800), 4)
                    self.assertLess(abs(y400 - y800 / 2), 4)
                    self.assertGreater(n400, n800 / 3)

    def test_escape_ends_with_status_0_in_every_mode(self):
        for keys in ([], ["2", "w"], ["3", "s", "R"]):
            with self.subTest(keys=keys), Gearmesh("20 40\n") as g:
                g.wait_window()
                for key in keys:
                    g.key(key)
                self.assertIsNone(g.key("Escape", redraw=False))
                self.assertEqual(g.exit_code(), 0)
                self.assertEqual(g.stderr_bytes(), b"")


if __name__ == "__main__":
    unittest.main()
