"""How the real gearmesh binary starts: with standard descriptors closed, and
without a display it can open."""

import os
import tempfile
import unittest

from harness import Gearmesh, make_sjis_locale
from texts import JAPANESE

NO_DISPLAY = JAPANESE.NO_DISPLAY
BAD_COUNT = JAPANESE.BAD_COUNT
# Display numbers no server listens on here.
ABSENT = ":4999"


class ClosedDescriptors(unittest.TestCase):
    def test_closed_output_or_error_does_not_reach_the_x_connection(self):
        # Were descriptor 1 or 2 handed to the X connection, the z dialogue
        # would write its text into the X socket and ESC hang in XCloseDisplay.
        for closed in ((1,), (2,), (1, 2)):
            with self.subTest(closed=closed), Gearmesh("20 40\n", closed=closed) as g:
                first = g.wait_window()
                g.key("z", redraw=False)
                g.write("0\n12 30\n")  # an error line for standard error too
                self.assertNotEqual(g.key("1"), first)  # the new pair's drive gear
                g.key("Escape", redraw=False)
                self.assertEqual(g.exit_code(timeout=1.0), 0)
                if 2 not in closed:
                    self.assertEqual(g.stderr_bytes(), BAD_COUNT.encode())


class NoDisplay(unittest.TestCase):
    def assert_refused(self, value, encoding="utf-8", **kwargs):
        with Gearmesh("20 40\n", **kwargs) as g:
            self.assertEqual(g.exit_code(), 3)
            self.assertEqual(g.stdout_bytes(), b"")  # no dialogue first
            self.assertEqual(g.stderr_bytes(), (NO_DISPLAY % value).encode(encoding))

    def test_one_line_naming_the_display_and_status_3(self):
        self.assert_refused("", env={"DISPLAY": None})
        self.assert_refused(ABSENT, env={"DISPLAY": ABSENT})
        # -display wins over DISPLAY, as it does for GLUT.
        self.assert_refused(":4998", args=("-display", ":4998"))
        with tempfile.TemporaryDirectory() as directory:
            locale = make_sjis_locale(directory)
            self.assertIsNotNone(locale, "localedef could not build ja_JP.SJIS")
            self.assert_refused(ABSENT, encoding="cp932", lc_all=locale,
                                env={"LOCPATH": directory, "DISPLAY": ABSENT})

    def test_the_display_argument_is_the_one_checked(self):
        with Gearmesh("20 40\n", args=("-display", os.environ["DISPLAY"]),
                      env={"DISPLAY": ABSENT}) as g:
            self.assertIsNotNone(g.wait_window())


if __name__ == "__main__":
    unittest.main()
