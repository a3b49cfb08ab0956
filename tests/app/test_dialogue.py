"""The console dialogue of the real gearmesh binary: exact bytes in UTF-8 and
code page 932, the order of console and window, and every kind of bad input
through a pipe."""

import re
import tempfile
import time
import unittest

from harness import Gearmesh, make_sjis_locale, top_level_windows
from texts import ENGLISH, JAPANESE, unknown_language

HEAD = JAPANESE.HEAD
PROMPT = JAPANESE.PROMPT
HELP = JAPANESE.HELP
BAD_COUNT = JAPANESE.BAD_COUNT
INPUT_ENDED = JAPANESE.INPUT_ENDED


# A display number no server listens on here.
ABSENT = ":4997"


def dialogue(prompts=1, encoding="utf-8"):
    return JAPANESE.dialogue(prompts).encode(encoding)


def run_to_window(text, **kwargs):
    """Runs gearmesh on text until its window has drawn; returns (stdout,
    stderr, picture of the mesh view)."""
    with Gearmesh(text, **kwargs) as g:
        g.wait_window()
        mesh = g.key("3")
        return g.stdout_bytes(), g.stderr_bytes(), mesh


class DialogueBytes(unittest.TestCase):
    def test_utf8_in_utf8_and_plain_locales(self):
        for locale in ("C.UTF-8", "C", "POSIX"):
            with self.subTest(locale=locale), Gearmesh("20 40\n", lc_all=locale) as g:
                self.assertTrue(g.wait_stdout(HELP.encode()), g.stdout_bytes())
                g.wait_window()
                self.assertEqual(g.stdout_bytes(), dialogue())
                self.assertEqual(g.stderr_bytes(), b"")

    def test_code_page_932_in_a_shift_jis_locale(self):
        with tempfile.TemporaryDirectory() as directory:
            locale = make_sjis_locale(directory)
            self.assertIsNotNone(locale, "localedef could not build ja_JP.SJIS")
            env = {"LOCPATH": directory}
            with Gearmesh("20 40\n", lc_all=locale, env=env) as g:
                self.assertTrue(g.wait_stdout(HELP.encode("cp932")), g.stdout_bytes())
                g.wait_window()
                self.assertEqual(g.stdout_bytes(), dialogue(encoding="cp932"))
            with Gearmesh("0 40\n", lc_all=locale, env=env) as g:
                g.close_stdin()
                self.assertEqual(g.exit_code(), 1)
                self.assertEqual(g.stderr_bytes(),
                                 (BAD_COUNT + INPUT_ENDED).encode("cp932"))

    def test_prompt_waits_for_input_before_any_window(self):
        with Gearmesh() as g:
            head = (HEAD + PROMPT).encode()
            self.assertTrue(g.wait_stdout(head), g.stdout_bytes())
            self.assertEqual(g.stdout_bytes(), head)
            self.assertIsNone(g.find_window())
            g.write("20 40\n")
            g.wait_window()
            # The key help was flushed before the window was created.
            self.assertEqual(g.stdout_bytes(), dialogue())


class BadInput(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        out, err, cls.reference = run_to_window("20 40\n")
        assert out == dialogue() and err == b""

    def test_bad_word_gets_one_error_line_and_the_prompt_again(self):
        # The rest of the bad line is dropped: were "30" read, the pair would
        # be 30 and 20 and the mesh would look different.
        cases = [
            "abc 30\n",
            "0 30\n",
            "-20 40\n",
            "20 150\n",
            "99999999999 30\n",
            "-99999999999 30\n",
            "2147483648 30\n",
            "20abc 30\n",
            "1.5 30\n",
            "+ 30\n",
        ]
        for bad in cases:
            with self.subTest(input=bad):
                out, err, mesh = run_to_window(bad + "20 40\n")
                self.assertEqual(out, dialogue(prompts=2))
                self.assertEqual(err, BAD_COUNT.encode())
                self.assertEqual(mesh, self.reference)

    def test_each_bad_line_is_reported(self):
        out, err, mesh = run_to_window("x\n0\n  20 y 40\n20 40\n")
        self.assertEqual(out, dialogue(prompts=4))
        self.assertEqual(err, BAD_COUNT.encode() * 3)
        self.assertEqual(mesh, self.reference)

    def test_counts_on_two_lines_after_blank_lines(self):
        out, err, mesh = run_to_window("\n\n  +20\n\n\t40\n")
        self.assertEqual(out, dialogue())
        self.assertEqual(err, b"")
        self.assertEqual(mesh, self.reference)

    def test_smallest_and_largest_counts_are_accepted(self):
        for text in ("1 149\n", "149 1\n"):
            with self.subTest(input=text), Gearmesh(text) as g:
                g.wait_window()
                self.assertEqual(g.stdout_bytes(), dialogue())
                self.assertEqual(g.stderr_bytes(), b"")

    def test_end_of_input_exits_with_status_1_and_no_window(self):
        cases = [
            ("", 1, ""),
            ("20", 1, ""),
            ("20\n", 1, ""),
            ("  \n\n", 1, ""),
            ("abc", 2, BAD_COUNT),
            ("0 0\n", 2, BAD_COUNT),
        ]
        for text, prompts, errors in cases:
            with self.subTest(input=text), Gearmesh(text) as g:
                windows_before = set(top_level_windows())
                g.close_stdin()
                self.assertEqual(g.exit_code(), 1)
                self.assertEqual(g.stdout_bytes(), (HEAD + PROMPT * prompts).encode())
                self.assertEqual(g.stderr_bytes(), (errors + INPUT_ENDED).encode())
                self.assertEqual(set(top_level_windows()), windows_before)


class JapaneseInput(unittest.TestCase):
    """What a Japanese input method types reads as its ASCII equivalent, in
    UTF-8 and in code page 932 consoles."""

    @classmethod
    def setUpClass(cls):
        out, err, cls.reference = run_to_window("20 40\n")
        assert out == dialogue() and err == b""

    def test_full_width_counts_in_utf8(self):
        cases = ["２０　４０\n", "\ufeff20 40\n", "\ufeff２０　４０\n", "＋２０\n　４０\n"]
        for text in cases:
            with self.subTest(input=text):
                out, err, mesh = run_to_window(text.encode("utf-8"))
                self.assertEqual(out, dialogue())
                self.assertEqual(err, b"")
                self.assertEqual(mesh, self.reference)

    def test_full_width_counts_in_code_page_932(self):
        with tempfile.TemporaryDirectory() as directory:
            locale = make_sjis_locale(directory)
            self.assertIsNotNone(locale, "localedef could not build ja_JP.SJIS")
            env = {"LOCPATH": directory}
            cases = ["２０　４０\n".encode("cp932"), "＋２０\n４０\n".encode("cp932"),
                     b"\xef\xbb\xbf20 40\n"]
            for data in cases:
                with self.subTest(input=data):
                    out, err, mesh = run_to_window(data, lc_all=locale, env=env)
                    self.assertEqual(out, dialogue(encoding="cp932"))
                    self.assertEqual(err, b"")
                    self.assertEqual(mesh, self.reference)
            # A full-width minus is a minus: one error line, as for "-20".
            with Gearmesh("－２０ ４０\n".encode("cp932"), lc_all=locale, env=env) as g:
                g.close_stdin()
                self.assertEqual(g.exit_code(), 1)
                self.assertEqual(g.stderr_bytes(), (BAD_COUNT + INPUT_ENDED).encode("cp932"))

    def test_words_after_the_second_count_do_not_feed_the_next_dialogue(self):
        with Gearmesh("20 40 60 80\n") as g:
            g.wait_window()
            g.key("z", redraw=False)
            asked = dialogue() + (HEAD + PROMPT).encode()
            self.assertTrue(g.wait_stdout(asked), g.stdout_bytes())
            # The dialogue waits for the student instead of reading 60 and 80.
            time.sleep(1.0)
            self.assertEqual(g.stdout_bytes(), asked)
            self.assertEqual(g.stderr_bytes(), b"")
            g.write("30 60\n")
            self.assertTrue(g.wait_stdout(dialogue() + dialogue()))
            self.assertEqual(g.stderr_bytes(), b"")


class SetupAgain(unittest.TestCase):
    def test_z_repeats_the_whole_dialogue_and_survives_end_of_input(self):
        with Gearmesh("20 40\n") as g:
            g.wait_window()
            g.key("z", redraw=False)
            self.assertTrue(g.wait_stdout(dialogue() + (HEAD + PROMPT).encode()))
            g.write("-1\n30 60\n")
            self.assertTrue(g.wait_stdout(dialogue() + dialogue(prompts=2)))
            self.assertTrue(g.wait_stderr(BAD_COUNT.encode()))
            self.assertEqual(g.stderr_bytes(), BAD_COUNT.encode())

            # With the console closed, z keeps the pair and the window.
            g.close_stdin()
            g.key("z", redraw=False)
            self.assertTrue(g.wait_stderr(INPUT_ENDED.encode()))
            self.assertTrue(g.running())
            g.key("Escape", redraw=False)
            self.assertEqual(g.exit_code(), 0)

    def test_ctrl_d_at_one_dialogue_does_not_end_the_next(self):
        with Gearmesh("20 40\n", terminal=True) as g:
            g.wait_window()
            g.key("z", redraw=False)
            self.assertTrue(g.wait_stdout(dialogue() + (HEAD + PROMPT).encode()))
            g.close_stdin()
            self.assertTrue(g.wait_stderr(INPUT_ENDED.encode()))
            g.key("z", redraw=False)
            g.write("30 60\n")
            self.assertTrue(g.wait_stdout(dialogue() + (HEAD + PROMPT).encode() + dialogue()))
            self.assertTrue(g.running())


class Languages(unittest.TestCase):
    """--lang en: every console text and the window title in English; --lang
    ja or none: in Japanese; anything else refused before all else."""

    def test_each_language_speaks_the_whole_dialogue(self):
        for args, texts in ((("--lang", "en"), ENGLISH), (("--lang=en",), ENGLISH),
                            (("--lang", "en", "--lang", "ja"), JAPANESE)):
            with self.subTest(args=args), Gearmesh("0 40\n20 40\n", args=args) as g:
                self.assertTrue(g.wait_stdout(texts.HELP.encode()), g.stdout_bytes())
                g.wait_window()
                self.assertEqual(g.stdout_bytes(), texts.dialogue(prompts=2).encode())
                self.assertEqual(g.stderr_bytes(), texts.BAD_COUNT.encode())
                name = re.search(r'^_NET_WM_NAME\(UTF8_STRING\) = "(.*)"$',
                                 g.xprop("_NET_WM_NAME"), re.M)
                self.assertEqual(name and name.group(1), texts.TITLE)
                # The dialogue that z starts speaks the same language.
                g.close_stdin()
                g.key("z", redraw=False)
                self.assertTrue(g.wait_stderr((texts.BAD_COUNT + texts.INPUT_ENDED).encode()))
                self.assertEqual(g.stdout_bytes(),
                                 (texts.dialogue(prompts=2) + texts.HEAD + texts.PROMPT).encode())

    def test_display_errors_in_english(self):
        with Gearmesh("20 40\n", args=("--lang", "en"), env={"DISPLAY": ABSENT}) as g:
            self.assertEqual(g.exit_code(), 3)
            self.assertEqual(g.stderr_bytes(), (ENGLISH.NO_DISPLAY % ABSENT).encode())
        # --lang is taken out before -display is read: -display ends the arguments.
        with Gearmesh("20 40\n", args=("-display", "--lang", "en")) as g:
            self.assertEqual(g.exit_code(), 3)
            self.assertEqual(g.stderr_bytes(), ENGLISH.BARE_DISPLAY.encode())

    def test_unknown_language_is_refused_at_once_in_every_language(self):
        # Without a display: the language is refused before the display is looked for.
        for args, name in ((("--lang", "fr"), "fr"), (("--lang", "EN"), "EN"), (("--lang",), ""),
                           (("--lang=",), ""), (("--lang", "en", "--lang", "english"), "english")):
            with self.subTest(args=args), \
                    Gearmesh("20 40\n", args=args, env={"DISPLAY": None}) as g:
                self.assertEqual(g.exit_code(), 2)
                self.assertEqual(g.stdout_bytes(), b"")
                self.assertEqual(g.stderr_bytes(), unknown_language(name).encode())
        # A name too long for the line is cut short in each language, never
        # the English text after it or the line feed.
        with Gearmesh("20 40\n", args=("--lang", "x" * 2000), env={"DISPLAY": None}) as g:
            self.assertEqual(g.exit_code(), 2)
            line = g.stderr_bytes().decode()
            self.assertEqual(line.count("\n"), 1)
            self.assertTrue(line.startswith("--langの言語「xxx"), line)
            self.assertIn("\" for --lang: give ja (Japanese) or en (English)\n", line)


if __name__ == "__main__":
    unittest.main()
