#!/usr/bin/env python3
"""Writes the page as one file: the stylesheets and scripts that index.html
names are put inside it, so that it opens from disk with no other file.

    whole_page.py INDEX OUTPUT [--file NAME=PATH]...

A stylesheet <link rel="stylesheet" href="NAME"> becomes a <style> element
and a <script src="NAME"></script> a <script> element holding the file NAME
beside INDEX, or PATH where --file names one for it (the module whose
WebAssembly is inside its JavaScript).
"""

import argparse
import os
import re
import sys

STYLESHEET = re.compile(r'<link rel="stylesheet" href="([^"]+)">')
SCRIPT = re.compile(r'<script src="([^"]+)"></script>')


def inline_text(name, text, element):
    # Inside an element of raw text its end tag ends it: "<\/" reads as "</"
    # wherever JavaScript or CSS can hold one (a string, a regular
    # expression). The start of an HTML comment changes how a script's text
    # is parsed and has no such spelling.
    text = re.sub("</(%s)" % element, r"<\\/\1", text, flags=re.IGNORECASE)
    if element == "script" and "<!--" in text:
        sys.exit("whole_page.py: %s holds \"<!--\" and cannot go inside a script element" % name)
    return "<%s>\n%s\n</%s>" % (element, text.rstrip("\n"), element)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("index")
    parser.add_argument("output")
    parser.add_argument("--file", action="append", default=[], metavar="NAME=PATH")
    args = parser.parse_args()
    folder = os.path.dirname(os.path.abspath(args.index))
    paths = dict(entry.split("=", 1) for entry in args.file)

    def contents(name):
        with open(paths.get(name, os.path.join(folder, name)), encoding="utf-8") as f:
            return f.read()

    with open(args.index, encoding="utf-8") as f:
        html = f.read()
    def inline(element):
        return lambda match: inline_text(match.group(1), contents(match.group(1)), element)

    html, styles = STYLESHEET.subn(inline("style"), html)
    html, scripts = SCRIPT.subn(inline("script"), html)
    if styles == 0 or scripts == 0:
        sys.exit("whole_page.py: %s names no stylesheet or no script" % args.index)
    with open(args.output, "w", encoding="utf-8") as f:
        f.write(html)


if __name__ == "__main__":
    main()
