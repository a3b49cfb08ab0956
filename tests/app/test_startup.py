"""How the real gearmesh binary starts: with standard descriptors closed,
without a display it can open, and on an X server that resets whenever its
last client leaves."""

import contextlib
import os
import subprocess
import tempfile
import time
import unittest

from harness import Gearmesh, make_sjis_locale
from texts import JAPANESE

NO_DISPLAY = JAPANESE.NO_DISPLAY
BARE_DISPLAY = JAPANESE.BARE_DISPLAY
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


@contextlib.contextmanager
def resetting_xvfb():
    """A private Xvfb on a free display number, which resets whenever its
    last client leaves: unlike with-xvfb's, no connection of the harness
    holds it. Yields its DISPLAY name."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                               "1280x1024x24", "-nolisten", "tcp", "+extension", "GLX"],
                              pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
    os.close(write_end)
    try:
        with os.fdopen(read_end, "rb") as displayfd:
            number = displayfd.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        yield ":" + number.decode()
    finally:
        server.kill()
        server.wait()


class NoDisplay(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.locale_directory = tempfile.TemporaryDirectory()
        cls.locale = make_sjis_locale(cls.locale_directory.name)

    @classmethod
    def tearDownClass(cls):
        cls.locale_directory.cleanup()

    def in_sjis(self, **env):
        """Gearmesh arguments for a Shift-JIS console, with env added."""
        self.assertIsNotNone(self.locale, "localedef could not build ja_JP.SJIS")
        return {"lc_all": self.locale, "env": dict(env, LOCPATH=self.locale_directory.name)}

    def assert_refused(self, line, encoding="utf-8", **kwargs):
        with Gearmesh("20 40\n", **kwargs) as g:
            self.assertEqual(g.exit_code(), 3)
            self.assertEqual(g.stdout_bytes(), b"")  # no dialogue first
            self.assertEqual(g.stderr_bytes(), line.encode(encoding))

    def test_one_line_naming_the_display_and_status_3(self):
        self.assert_refused(NO_DISPLAY % "", env={"DISPLAY": None})
        self.assert_refused(NO_DISPLAY % ABSENT, env={"DISPLAY": ABSENT})
        # -display wins over DISPLAY, and the last -display over the others,
        # as they do for GLUT.
        self.assert_refused(NO_DISPLAY % ":4998", args=("-display", ":4998"))
        self.assert_refused(NO_DISPLAY % ":4998",
                            args=("-display", os.environ["DISPLAY"], "-display", ":4998"))
        self.assert_refused(NO_DISPLAY % ABSENT, encoding="cp932",
                            **self.in_sjis(DISPLAY=ABSENT))

    def test_a_display_argument_without_a_name_is_refused_at_once(self):
        # GLUT would refuse it too, but only after the dialogue, in English.
        self.assert_refused(BARE_DISPLAY, args=("-display",))
        self.assert_refused(BARE_DISPLAY, args=("-display", ":4998", "-display"))
        self.assert_refused(BARE_DISPLAY, encoding="cp932", args=("-display",), **self.in_sjis())

    def test_a_long_display_name_is_cut_between_characters(self):
        # The line has room for about 120 of these three-byte characters; half
        # of one would be a broken character, and in code page 932 would take
        # the closing bracket after it along.
        name = "画" * 300
        head, _, tail = NO_DISPLAY.partition("%s")
        for encoding, kwargs in (("utf-8", {}), ("cp932", self.in_sjis())):
            with self.subTest(encoding=encoding), \
                    Gearmesh("20 40\n", args=("-display", name), **kwargs) as g:
                self.assertEqual(g.exit_code(), 3)
                line = g.stderr_bytes().decode(encoding)
                self.assertTrue(line.startswith(head) and line.endswith(tail), line)
                kept = line[len(head):len(line) - len(tail)]
                self.assertGreater(len(kept), 100)
                self.assertEqual(kept, "画" * len(kept))

    def test_the_display_argument_is_the_one_checked(self):
        here = os.environ["DISPLAY"]
        for args in (("-display", here), ("-display", ABSENT, "-display", here)):
            with self.subTest(args=args), \
                    Gearmesh("20 40\n", args=args, env={"DISPLAY": ABSENT}) as g:
                self.assertIsNotNone(g.wait_window())

    def test_the_window_opens_on_a_server_that_resets(self):
        # Such a server resets whenever its last client leaves. Had the
        # display check's connection gone before GLUT opened its own, GLUT
        # would now and then meet the reset and fail after the dialogue.
        # Nothing else may connect while the program starts, so the window is
        # looked for only after GLUT has had time to connect or fail. The
        # dialogue goes to /dev/null: GLUT meets the reset when it connects
        # moments after the check, and a pipe read line by line slows that.
        failed = []
        with resetting_xvfb() as display:
            environment = dict(os.environ, DISPLAY=display, LC_ALL="C.UTF-8")
            for start in range(20):
                with subprocess.Popen([os.environ["GEARMESH"]], stdin=subprocess.PIPE,
                                      stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                      env=environment) as program:
                    try:
                        _, error = program.communicate(b"20 40\n", timeout=3)
                        failed.append((start, program.returncode, error))
                    except subprocess.TimeoutExpired:
                        found = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible",
                                                "--pid", str(program.pid)],
                                               env=environment, capture_output=True, timeout=30)
                        if not found.stdout.strip():
                            failed.append((start, "no window", found.stderr))
                    finally:
                        program.kill()
                        program.communicate()
                # Ending the program resets the server; a client arriving
                # during the reset may be turned away, so let it finish.
                time.sleep(1.0)
        self.assertEqual(failed, [], "%d of 20 starts failed" % len(failed))

if __name__ == "__main__":
    unittest.main()
