#!/usr/bin/env python3
"""Times the page in headless Chromium: from opening it to the console's
prompt, from Enter to the first frame, and each frame of the scenarios of
frame_bench (bench/frame_bench.cpp).

    tools/web --build-only            # the page, into build-web/site
    python3 bench/web_bench.py [SITE_FOLDER] [--frames N] [--runs N] [--only TEXT]
                               [--throttle N]

A frame is timed from the key press to a canvas whose pixels are all
painted: the module's share (the key's redraw through the recorder and the
frame handed to the canvas), the canvas calls of page.js, and the
rasterisation that a one-pixel read of the canvas forces (Chromium defers
it otherwise). --throttle N slows Chromium's CPU N times (the DevTools
protocol's Emulation.setCPUThrottlingRate), as a slow school machine would
be. Not a test: it prints figures and checks nothing.
"""

import argparse
import math
import os
import statistics
import sys

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(TOP, "tests", "support"))

from web_harness import Browser, Site  # noqa: E402  (first: it finds Selenium)

# name, counts, keys before the timed frames (the mode key first)
SCENARIOS = [
    ("20/40 mode 1", "20 40", ["1"]),
    ("20/40 mode 2", "20 40", ["2"]),
    ("20/40 mode 3", "20 40", ["3"]),
    ("20/40 mode 3, 10 W", "20 40", ["3"] + ["W"] * 10),
    ("20/40 mode 3, 20 W", "20 40", ["3"] + ["W"] * 20),
    ("20/40 mode 3, 40 W", "20 40", ["3"] + ["W"] * 40),
    ("149/149 mode 3", "149 149", ["3"]),
    ("149/149 mode 3, 20 W", "149 149", ["3"] + ["W"] * 20),
    ("10/40 mode 3, 15 w", "10 40", ["3"] + ["w"] * 15),
]

# Before the page's own scripts run: note when the prompt first shows.
PROMPT_WATCH = """
new MutationObserver(function (changes, observer) {
    const panel = document.getElementById("console");
    if (panel && panel.textContent.endsWith("z1 z2= ")) {
        window.benchPromptAt = performance.now();
        observer.disconnect();
    }
}).observe(document, {childList: true, subtree: true, characterData: true});
"""

# One timed key press: module, canvas calls and rasterisation, milliseconds.
TIME_KEYS = """
const [code, frames] = arguments;
const m = window.gearmesh, page = m.page, paint = page.paint;
const context = document.getElementById("drawing").getContext("2d");
let painted = 0;
page.paint = function () { const t = performance.now(); paint(); painted += performance.now() - t; };
const rows = [];
for (let i = 0; i < frames; ++i) {
    painted = 0;
    const t0 = performance.now();
    m._webKey(window.gearmeshProgram, code);
    const t1 = performance.now();
    context.getImageData(0, 0, 1, 1);
    const t2 = performance.now();
    rows.push([t2 - t0, t1 - t0 - painted, painted, t2 - t1, m._webFrameVertexCount(window.gearmeshProgram)]);
}
page.paint = paint;
return rows;
"""

# From Enter to the first frame painted, and to the next animation frame.
TIME_FIRST_FRAME = """
const [counts, done] = arguments;
const input = document.getElementById("line");
const context = document.getElementById("drawing").getContext("2d");
input.value = counts;
const t0 = performance.now();
document.getElementById("line-form").requestSubmit();
context.getImageData(0, 0, 1, 1);
const painted = performance.now() - t0;
requestAnimationFrame(function () {
    setTimeout(function () { done([painted, performance.now() - t0]); }, 0);
});
"""


def percentile95(values):
    """The value 95 in 100 of values do not exceed (nearest rank)."""
    ordered = sorted(values)
    return ordered[math.ceil(0.95 * len(ordered)) - 1]


def summary(values):
    return "mean %7.2f  median %7.2f  max %7.2f" % (
        statistics.mean(values), statistics.median(values), max(values))


def frame_summary(values):
    return "%7.2f %7.2f %7.2f" % (statistics.mean(values), percentile95(values), max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("site", nargs="?", default=os.path.join(TOP, "build-web", "site"))
    parser.add_argument("--frames", type=int, default=100, help="timed frames per scenario")
    parser.add_argument("--runs", type=int, default=5, help="page loads for the start-up figures")
    parser.add_argument("--only", default="", help="time only the scenarios whose names hold TEXT")
    parser.add_argument("--throttle", type=float, default=1.0,
                        help="slow Chromium's CPU this many times (1: not at all)")
    args = parser.parse_args()

    with Site(args.site) as site, Browser() as browser:
        driver = browser.driver
        driver.set_script_timeout(600)
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": PROMPT_WATCH})

        def open_page():
            # Set again for every page, whatever the browser keeps across loads.
            driver.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": args.throttle})
            return browser.open(site.url, timeout=30 * args.throttle)

        prompts, firsts, presented = [], [], []
        for _ in range(args.runs):
            open_page()
            prompts.append(driver.execute_script(
                "return window.benchPromptAt - performance.getEntriesByType('navigation')[0]"
                ".startTime;"))
            first, shown = driver.execute_async_script(TIME_FIRST_FRAME, "20 40")
            firsts.append(first)
            presented.append(shown)
        print("Chromium %s, CPU throttled %gx, %d page loads, milliseconds" % (
            driver.capabilities.get("browserVersion", "?"), args.throttle, args.runs))
        print("  page opened -> prompt          %s" % summary(prompts))
        print("  Enter -> first frame painted   %s" % summary(firsts))
        print("  Enter -> next animation frame  %s" % summary(presented))
        print()
        print("%d frames per scenario (key s), milliseconds per frame: the whole frame's and"
              % args.frames)
        print("the page's own share's (module and canvas calls) mean, 95th percentile and")
        print("maximum, then the mean of each part")
        print("%-22s %23s %23s %7s %7s %7s %9s" % ("scenario", "total: mean p95 max",
                                                   "own: mean p95 max", "module", "canvas",
                                                   "raster", "vertices"))
        for name, counts, keys in SCENARIOS:
            if args.only not in name:
                continue
            page = open_page()
            page.type_line(counts)
            for key in keys:
                driver.execute_script("window.gearmesh._webKey(window.gearmeshProgram, arguments[0]);", ord(key))
            rows = driver.execute_script(TIME_KEYS, ord("s"), args.frames)
            print("%-22s %23s %23s %7.2f %7.2f %7.2f %9d" % (
                name, frame_summary([r[0] for r in rows]),
                frame_summary([r[1] + r[2] for r in rows]),
                statistics.mean(r[1] for r in rows), statistics.mean(r[2] for r in rows),
                statistics.mean(r[3] for r in rows), max(r[4] for r in rows)))


if __name__ == "__main__":
    main()
