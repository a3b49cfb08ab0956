"""The study view in the window: `gearmesh --study` under Xvfb, keys through
XTEST, pixels read back at places computed from `gearpair report --json`,
and whole pictures against `gearpair view --study` rendered from its SVG.
Set GEARMESH_SHOT_DIR to keep the screenshots as PNG files.
"""

import json
import math
import os
import subprocess
import sys
import tempfile
import unittest

from harness import Gearmesh
from test_gearmesh import GEARPAIR, View, close, save

MAGENTA = (255, 0, 255)
ORANGE = (255, 140, 0)
ALPHA = math.pi / 9


def on_line(u, beside=0.0):
    """Window pixel of position u on the line of action (modules, positive
    towards gear 1's interference point), `beside` pixels off it to the upper right."""
    x, y = View(0.2).px((u * math.cos(ALPHA), -u * math.sin(ALPHA)))
    return x + beside * math.sin(ALPHA), y - beside * math.cos(ALPHA)


class StudyWindowTest(unittest.TestCase):
    def start(self, counts):
        g = Gearmesh(counts + "\n", args=["--study"])
        self.addCleanup(g.close)
        self.assertIsNotNone(g.wait_window(60))
        return g

    def test_band_and_rings_along_the_exact_path(self):
        g = self.start("20 40")
        geo = json.loads(subprocess.run([GEARPAIR, "report", "--json", "20", "40"], check=True,
                                        capture_output=True, timeout=60).stdout)
        shot = g.key("3")
        save(shot, "study_mode3_20_40")
        start, end = -geo["exact"]["pathEnd2"], geo["exact"]["pathEnd1"]
        single_from, single_to = geo["study"]["singlePairZone"]
        # Magenta where one pair carries the load, orange where two share it,
        # neither beyond the path's ends; 14 pixels beside the line.
        for i in range(-60, 61):
            u = i / 20
            x, y = on_line(u, 14.0)
            found = [shot.near(int(x), int(y), c, radius=2, tolerance=40) for c in (MAGENTA, ORANGE)]
            if single_from + 0.03 < u < single_to - 0.03:
                self.assertEqual(found, [True, False], "u = %.2f" % u)
            elif start + 0.03 < u < single_from - 0.03 or single_to + 0.03 < u < end - 0.03:
                self.assertEqual(found, [False, True], "u = %.2f" % u)
            elif u < start - 0.05 or u > end + 0.05:
                self.assertEqual(found, [False, False], "u = %.2f" % u)

        def ring(u, colour):
            x, y = on_line(u)
            return sum(close(shot.pixel(int(x + 7 * math.cos(a)), int(y + 7 * math.sin(a))),
                             colour, 40) for a in (math.radians(d) for d in range(0, 360, 10)))
        # One pair in contact, at the pitch point; ten steps on, two.
        self.assertGreater(ring(0.0, MAGENTA), 20)
        for _ in range(10):
            shot = g.key("s")
        turned = 10 * geo["angleStep"] * geo["baseRadius1"]
        contacts = [u for u in (-turned + n * geo["basePitch"] for n in range(-2, 3))
                    if start <= u <= end]
        self.assertEqual(len(contacts), 2)
        for u in contacts:
            self.assertGreater(ring(u, ORANGE), 15, "u = %.2f" % u)

    def test_same_picture_as_gearpair_view_study(self):
        cases = [("20 40", ["3"] + ["s"] * 10, ["20", "40", "--mode", "3", "--steps", "10"]),
                 ("12 30", ["X", "X", "X"], ["12", "30", "--mode", "1", "--shift", "0.3"]),
                 ("12 30", ["3", "X", "s", "s", "x", "x", "2"],
                  ["12", "30", "--mode", "2", "--shift", "-0.1"]),
                 ("1 1", ["3"], ["1", "1", "--mode", "3"])]
        with tempfile.TemporaryDirectory() as directory:
            svg, png = os.path.join(directory, "view.svg"), os.path.join(directory, "view.png")
            for counts, keys, args in cases:
                with self.subTest(counts=counts, keys=keys):
                    g = self.start(counts)
                    for key in keys:
                        shot = g.key(key)
                    save(shot, "study_" + "_".join(args).replace("-", ""))
                    subprocess.run([GEARPAIR, "view", *args, "--study", "-o", svg], check=True,
                                   timeout=60)
                    subprocess.run(["rsvg-convert", svg, "-o", png], check=True, timeout=60)
                    rgb = subprocess.run(["convert", png, "-alpha", "off", "-depth", "8", "rgb:-"],
                                         check=True, capture_output=True, timeout=60).stdout
                    self.assertEqual(len(rgb), len(shot.rgb))
                    same = sum(rgb[i:i + 3] == shot.rgb[i:i + 3] for i in range(0, len(rgb), 3))
                    share = same / (shot.width * shot.height)
                    print("%s %s: %.2f %% of pixels equal" % (counts, keys, 100 * share),
                          file=sys.stderr)
                    # Only the substitute face of the SVG's texts differs.
                    self.assertGreaterEqual(share, 0.99)
                    g.close()


if __name__ == "__main__":
    unittest.main()
