"""End-to-end tests of the gearpair command-line companion ($GEARPAIR).

Only the live-window comparisons need the X server that CTest provides; the
rest runs the binary with no display at all.
"""

import json
import math
import os
import re
import resource
import shutil
import signal
import stat
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

from system_python import rerun_under_system_python

try:
    import ezdxf
except ImportError:
    rerun_under_system_python()
    raise

GEARPAIR = os.environ.get("GEARPAIR", "")
PI = 3.14159265358979  # the simulator's value of pi
SVG_NS = "{http://www.w3.org/2000/svg}"

MESH_LEGEND = [
    "(3) draw gear mesh",
    "     circle : blue :pitch cl,  green:base cl,  black:undercut cl",
    "     point  : blue :pitch pnt, black:mesh start and finish pnt",
    "                 green:interference pnt, red:contact pnt",
    "     green line : path of contact",
]


def run(*args, env=None):
    return subprocess.run([GEARPAIR, *args], capture_output=True, timeout=300, env=env)


def report_json(*args):
    result = run("report", *args, "--json")
    assert result.returncode == 0, result.stderr
    return json.loads(result.stdout)


def rgb_of_png(path):
    """Raw 8-bit RGB bytes and size of a PNG, through ImageMagick."""
    size = subprocess.run(["identify", "-format", "%w %h", path], capture_output=True,
                          text=True, check=True).stdout.split()
    data = subprocess.run(["convert", path, "-background", "white", "-flatten", "-alpha", "off",
                           "-depth", "8", "rgb:-"], capture_output=True, check=True).stdout
    return data, int(size[0]), int(size[1])


def expected_path(report, gear, module):
    """Gear outline from the report's tooth outline: copy k turned by
    theta - k * 2 pi / z about the centre (theta as in the first mesh frame),
    repeated vertices dropped, in millimetres."""
    z = report["z%d" % gear]
    cx, cy = report["center%d" % gear]
    theta1 = report["basePitchAngle1"]
    angle = theta1 if gear == 1 else PI - report["gearRatio"] * theta1
    points = []
    for k in range(1, z + 1):
        c, s = math.cos(angle - k * 2 * PI / z), math.sin(angle - k * 2 * PI / z)
        for x, y in report["toothOutline%d" % gear]:
            p = (cx + x * c - y * s, cy + x * s + y * c)
            if not points or math.dist(points[-1], p) > 1e-9:
                points.append(p)
    if math.dist(points[-1], points[0]) <= 1e-9:
        points.pop()
    return [(x * module, y * module) for x, y in points]


def svg_path_points(d):
    numbers = [float(v) for v in re.findall(r"-?[0-9.]+(?:e-?[0-9]+)?", d)]
    return [(numbers[i], -numbers[i + 1]) for i in range(0, len(numbers), 2)]


class ReportTest(unittest.TestCase):
    def test_report_20_40_matches_the_formulas(self):
        result = run("report", "20", "40")
        self.assertEqual(result.returncode, 0, result.stderr)
        text = result.stdout.decode()

        def row(label):
            match = re.search(r"^  %s +(\S+) +(\S+)$" % re.escape(label), text, re.M)
            self.assertIsNotNone(match, label)
            return match.groups()

        alpha = PI / 9
        cos_a, sin_a = math.cos(alpha), math.sin(alpha)
        for gear, z in ((1, 20), (2, 40)):
            r = z / 2
            column = gear - 1
            self.assertAlmostEqual(float(row("pitch radius")[column]), r, places=4)
            self.assertAlmostEqual(float(row("base radius")[column]), r * cos_a, places=4)
            self.assertAlmostEqual(float(row("tip radius")[column]), r + 1, places=4)
            self.assertAlmostEqual(float(row("root radius")[column]), r - 1.25, places=4)
        # Junction radii of the sampled flank and fillet: 9.424 and 19.021,
        # both above the base circle, which is not true undercut for 40 teeth.
        self.assertAlmostEqual(float(row("sampled flank start radius")[0]), 9.424, places=3)
        self.assertAlmostEqual(float(row("sampled flank start radius")[1]), 19.021, places=3)
        self.assertEqual(row("flank above base (sampled)"), ("yes", "yes"))
        self.assertEqual(row("truly undercut"), ("yes", "no"))
        self.assertEqual(row("pointed teeth"), ("no", "no"))
        self.assertAlmostEqual(float(re.search(r"base pitch +(\S+)", text).group(1)),
                               PI * cos_a, places=4)

        def point(label):
            match = re.search(r"^  %s +(\S+) +(\S+) +(\S+)$" % re.escape(label), text, re.M)
            self.assertIsNotNone(match, label)
            return tuple(float(v) for v in match.groups())

        rb1, rb2 = 10 * cos_a, 20 * cos_a
        for label, x, y in (("interference point 1", rb1 * sin_a, rb1 * cos_a - 10),
                            ("interference point 2", -rb2 * sin_a, 20 - rb2 * cos_a)):
            px, py, distance = point(label)
            self.assertAlmostEqual(px, x, places=4)
            self.assertAlmostEqual(py, y, places=4)
            self.assertAlmostEqual(distance, math.hypot(x, y), places=4)
        # The tip circles meet the line of action at sqrt(ra^2 - rb^2) from the
        # base circle's tangent point.
        tip1 = point("tip contact point 1")
        tip2 = point("tip contact point 2")
        self.assertAlmostEqual(tip1[2], math.sqrt(11 ** 2 - rb1 ** 2) - 10 * sin_a, places=4)
        self.assertAlmostEqual(tip2[2], math.sqrt(21 ** 2 - rb2 ** 2) - 20 * sin_a, places=4)
        for label in ("tip contact point 1", "tip contact point 2", "sampled flank start 1",
                      "sampled flank start 2"):
            px, py, _ = point(label)
            self.assertAlmostEqual(py, -px * math.tan(alpha), places=3, msg=label)

        limit1 = float(re.search(r"contact limit 1 +(\S+) +ended by the gear 2 tip circle",
                                 text).group(1))
        limit2 = float(re.search(r"contact limit 2 +(\S+) +ended by the gear 1 tip circle",
                                 text).group(1))
        self.assertAlmostEqual(limit1, tip2[2], places=4)
        self.assertAlmostEqual(limit2, tip1[2], places=4)
        self.assertAlmostEqual(float(re.search(r"length +(\S+)", text).group(1)),
                               limit1 + limit2, places=3)
        ratio = re.search(r"contact ratio +(\S+) +usable \((\S+) theoretical", text)
        self.assertAlmostEqual(float(ratio.group(1)), 1.635, places=3)
        self.assertAlmostEqual(float(ratio.group(2)), 1.635, places=3)

        # The table is aligned: both gears' columns end in the same places.
        rows = [line for line in text.splitlines()
                if re.match(r"  (pitch|base|tip|root|sampled flank start) radius", line)]
        self.assertEqual(len(rows), 5)
        self.assertEqual(len({len(line) for line in rows}), 1, rows)

    def test_contact_ratios(self):
        cos_a, sin_a = math.cos(PI / 9), math.sin(PI / 9)

        def theoretical(z1, z2):
            r1, r2 = z1 / 2, z2 / 2
            reach = (math.sqrt((r1 + 1) ** 2 - (r1 * cos_a) ** 2)
                     + math.sqrt((r2 + 1) ** 2 - (r2 * cos_a) ** 2))
            return (reach - (r1 + r2) * sin_a) / (PI * cos_a)

        for z1, z2, usable, tip_only in ((12, 30, 1.185, 1.537), (20, 40, 1.635, 1.635)):
            report = report_json(str(z1), str(z2))
            self.assertAlmostEqual(report["contactRatioTheoretical"], theoretical(z1, z2), places=12)
            self.assertAlmostEqual(report["contactRatioTheoretical"], tip_only, places=3)
            self.assertAlmostEqual(report["contactRatio"], usable, places=3)
        # 12 teeth: gear 1's undercut point, not gear 2's tip, ends the contact.
        text = run("report", "12", "30").stdout.decode()
        self.assertRegex(text, r"contact limit 1 +1\.403\d +ended by the gear 1 sampled flank start")
        self.assertRegex(text, r"contact limit 2 +2\.096\d +ended by the gear 1 tip circle")

    def test_pointed_teeth_are_reported(self):
        # A full shift on 10 teeth, and a single tooth, bring the flanks
        # together below the tip circle; the standard 20-tooth gear does not.
        for args, expected in ((("10", "10", "--shift", "1"), ("yes", "no")),
                               (("1", "30"), ("yes", "no")),
                               (("20", "40"), ("no", "no"))):
            text = run("report", *args).stdout.decode()
            pointed = re.search(r"pointed teeth +(\S+) +(\S+)", text).groups()
            self.assertEqual(pointed, expected, args)
            self.assertEqual("Gear 1's teeth are pointed" in text, expected[0] == "yes")
            # Pointed or not as the outline shows it: the flank's tip point
            # lies past the tooth's centre line.
            report = report_json(*args)
            outline, last = report["toothOutline1"], report["toothOutlineLast1"]
            tip = outline[(last - 20) // 2 + 10]
            tooth_angle = (PI / 2 + 2 * report["shift1"] * report["tanAlpha"]) / report["pitchRadius1"]
            self.assertEqual(2 * math.atan2(tip[0], tip[1]) > tooth_angle, expected[0] == "yes")

    def test_shift_moves_the_undercut_radius_towards_the_base_radius(self):
        plain = report_json("10", "40")
        shifted = report_json("10", "40", "--shift", "0.5")
        self.assertEqual((shifted["shift1"], shifted["shift2"]), (0.5, -0.5))
        self.assertEqual(shifted["tipRadius1"], 6.5)
        self.assertEqual(shifted["tipRadius2"], 20.5)
        self.assertEqual(shifted["baseRadius1"], plain["baseRadius1"])
        gap = lambda r: r["undercutRadius1"] - r["baseRadius1"]
        self.assertGreater(gap(plain), 0.05)
        self.assertLess(abs(gap(shifted)), gap(plain) / 5)
        # Less undercut, longer path of contact on gear 1's side.
        self.assertGreater(shifted["contactLimit1"], plain["contactLimit1"])


class JsonTest(unittest.TestCase):
    FIELDS = ["z1", "z2", "gearRatio", "pressureAngle", "tanAlpha", "invAlpha", "cosAlpha",
              "sinAlpha", "shift1", "shift2", "addendum1", "addendum2", "dedendum1",
              "dedendum2", "pitchRadius1", "pitchRadius2", "baseRadius1", "baseRadius2",
              "tipRadius1", "tipRadius2", "basePitch", "basePitchAngle1", "pitchPoint",
              "center1", "center2", "interferencePoint1", "interferencePoint2",
              "interferenceDist1", "interferenceDist2", "tipContactPoint1", "tipContactPoint2",
              "tipContactDist1", "tipContactDist2", "toothOutline1", "toothOutline2",
              "toothOutlineLast1", "toothOutlineLast2", "undercutRadius1", "undercutRadius2",
              "undercutPoint1", "undercutPoint2", "undercutDist1", "undercutDist2",
              "contactLimit1", "contactLimit2"]
    EXTRA = ["contactRatio", "contactRatioTheoretical", "undercut1", "undercut2", "viewScale",
             "angleStep"]

    def test_one_object_with_the_record_fields(self):
        result = run("report", "20", "40", "--json")
        self.assertEqual(result.returncode, 0)
        report = json.loads(result.stdout)  # fails on anything but one JSON text
        self.assertEqual(list(report), self.FIELDS + self.EXTRA + ["exact", "study"])
        for name in ("pitchPoint", "center1", "interferencePoint2", "undercutPoint1"):
            self.assertEqual(len(report[name]), 2, name)
        for name in ("z1", "z2", "toothOutlineLast1", "toothOutlineLast2"):
            self.assertIsInstance(report[name], int, name)
        self.assertIs(report["undercut1"], True)
        self.assertEqual(report["viewScale"], 0.2)

    def test_key_order_is_the_one_the_readme_lists(self):
        # Gear 1's field stands right before gear 2's ("addendum1",
        # "addendum2"), as the README promises readers of the object.
        readme = os.path.join(os.path.dirname(__file__), "..", "..", "README.md")
        with open(readme, encoding="utf-8") as f:
            text = " ".join(f.read().split())
        listed = text[text.index("in this order: "):text.index("; points as `[x, y]`")]
        documented = re.findall(r"`(\w+)`", re.sub(r"\([^)]*\)", "", listed))
        self.assertEqual(documented, self.FIELDS)
        self.assertEqual(list(report_json("12", "30"))[:len(documented)], documented)

    def test_doubles_read_back_to_the_same_bits(self):
        # The closed forms, evaluated with the same operations in the same
        # order, must match exactly: a value printed with too few digits
        # would read back as a neighbouring double.
        for z1, z2, shift in ((20, 40, 0.0), (7, 149, 0.3), (33, 1, -0.7)):
            r = report_json(str(z1), str(z2), "--shift", repr(shift))
            alpha = PI / 9
            cos_a, sin_a, tan_a = math.cos(alpha), math.sin(alpha), math.tan(alpha)
            r1, r2 = z1 / 2.0, z2 / 2.0
            rb1, rb2 = r1 * cos_a, r2 * cos_a
            ra1, ra2 = r1 + (1.0 + shift), r2 + (1.0 + -shift)
            psi2 = PI / 2 - alpha - math.asin(cos_a * r2 / ra2)
            tip2 = (ra2 * math.sin(psi2), r2 - ra2 * math.cos(psi2))
            interference1 = (rb1 * sin_a, rb1 * cos_a - r1)
            exact = {
                "gearRatio": z1 / z2, "pressureAngle": alpha, "tanAlpha": tan_a,
                "invAlpha": tan_a - alpha, "cosAlpha": cos_a, "sinAlpha": sin_a,
                "shift1": shift, "shift2": -shift, "pitchRadius1": r1, "pitchRadius2": r2,
                "baseRadius1": rb1, "baseRadius2": rb2, "tipRadius1": ra1, "tipRadius2": ra2,
                "basePitch": PI * cos_a, "basePitchAngle1": (PI * cos_a) / rb1,
                "interferenceDist1": math.sqrt(interference1[0] ** 2 + interference1[1] ** 2),
                "tipContactDist2": math.sqrt(tip2[0] ** 2 + tip2[1] ** 2),
                "angleStep": PI / (20 * z1), "viewScale": 0.2,
            }
            for name, value in exact.items():
                self.assertEqual(r[name].hex(), value.hex(), (z1, z2, name))
            self.assertEqual([v.hex() for v in r["interferencePoint1"]],
                             [v.hex() for v in interference1])
            self.assertEqual([v.hex() for v in r["tipContactPoint2"]], [v.hex() for v in tip2])
            self.assertEqual(r["contactRatio"],
                             (r["contactLimit1"] + r["contactLimit2"]) / r["basePitch"])

    def test_outline_arrays(self):
        for z in (1, 2, 10, 40, 149):
            r = report_json(str(z), "20")
            outline, last = r["toothOutline1"], r["toothOutlineLast1"]
            self.assertEqual(len(outline), last + 1)
            self.assertEqual((last - 20) % 2, 0)
            self.assertTrue(all(len(p) == 2 and all(math.isfinite(v) for v in p) for p in outline))
            # (From 144 teeth up the sampled flank-fillet junction dips a few
            # hundredths under the root circle, so the bounds hold up to there.)
            if 3 <= z < 144:
                root, tip = r["pitchRadius1"] - r["dedendum1"], r["tipRadius1"]
                radii = [math.hypot(x, y) for x, y in outline]
                self.assertAlmostEqual(radii[0], root, places=9)
                self.assertAlmostEqual(radii[-1], root, places=9)
                self.assertAlmostEqual(radii[(last - 20) // 2 + 10], tip, places=9)
                self.assertTrue(all(root - 1e-9 <= v <= tip + 1e-9 for v in radii), z)


class BadArgumentsTest(unittest.TestCase):
    CASES = [
        [], ["frobnicate", "20", "40"],
        ["report"], ["report", "20"], ["report", "20", "40", "60"],
        ["report", "0", "40"], ["report", "20", "1001"], ["report", "-5", "40"],
        ["report", "abc", "40"], ["report", "12.5", "40"], ["report", "20", "4e1"],
        ["report", "99999999999999999999", "40"], ["report", "", "40"], ["report", " 20", "40"],
        ["report", "20", "40", "--shift", "1.5"], ["report", "20", "40", "--shift", "-1.01"],
        ["report", "20", "40", "--shift", "nan"], ["report", "20", "40", "--shift", "inf"],
        ["report", "20", "40", "--shift", "x"], ["report", "20", "40", "--shift"],
        ["report", "20", "40", "--json", "--json"], ["report", "20", "40", "--json=yes"],
        ["report", "20", "40", "--frob"], ["report", "20", "40", "-o", "x.svg"],
        ["outline", "20", "40", "--module", "0"], ["outline", "20", "40", "--module", "-1"],
        ["outline", "20", "40", "--module", "nan"], ["outline", "20", "40", "--module", "inf"],
        ["outline", "20", "40", "--module", "1e400"], ["outline", "20", "40", "--module", "2mm"],
        ["outline", "20", "40", "--gear", "3"], ["outline", "20", "40", "--format", "png"],
        ["outline", "20", "40", "--shift", "2"], ["outline", "20", "40", "--steps", "3"],
        ["view", "20", "40", "--mode", "4"], ["view", "20", "40", "--steps", "-1"],
        ["view", "20", "40", "--steps", "100001"], ["view", "20", "40", "--zoom", "1001"],
        ["view", "20", "40", "--zoom", "1.5"], ["view", "20", "40", "--reverse=1"],
        ["view", "20", "40", "--module", "2"], ["view", "20", "40", "--format", "png"],
        ["outline", "20", "40", "-o", ""], ["view", "20", "40", "--output="],
        ["outline", "1001", "40"], ["outline", "150", "40", "--as-drawn"], ["view", "150", "40"],
        ["outline", "20", "40", "--tolerance", "0"], ["outline", "20", "40", "--tolerance", "1"],
        ["outline", "20", "40", "--tolerance", "1e-8"],
        ["outline", "20", "40", "--as-drawn", "--tolerance", "0.01"],
        ["outline", "5", "40", "--shift", "-1"], ["outline", "40", "2"],
    ]

    def assert_refused(self, args, directory=None):
        before = sorted(os.listdir(directory)) if directory else None
        result = run(*args)
        self.assertEqual(result.returncode, 2, args)
        self.assertEqual(result.stdout, b"", args)
        lines = result.stderr.decode().splitlines()
        self.assertEqual(len(lines), 1, (args, lines))
        self.assertTrue(lines[0].startswith("gearpair: "), lines)
        if directory:
            self.assertEqual(sorted(os.listdir(directory)), before, args)

    def test_every_bad_argument_exits_2_with_one_line(self):
        for args in self.CASES:
            with self.subTest(args=args):
                self.assert_refused(args)

    def test_no_file_is_left_behind(self):
        with tempfile.TemporaryDirectory() as directory:
            target = os.path.join(directory, "pair.svg")
            for args in (["outline", "20", "40", "--module", "0", "-o", target],
                         ["outline", "0", "40", "-o", target],
                         ["outline", "20", "40", "-o", os.path.join(directory, "pair.txt")],
                         ["outline", "20", "40", "-o", directory],
                         ["outline", "20", "40", "-o", os.path.join(directory, "no", "pair.dxf")],
                         ["view", "20", "40", "--mode", "9", "-o", target],
                         ["view", "20", "40", "-o", os.path.join(directory, "view.png")]):
                with self.subTest(args=args):
                    self.assert_refused(args, directory)
            # A file already there survives a refused run untouched.
            with open(target, "w") as f:
                f.write("earlier drawing")
            self.assert_refused(["outline", "20", "40", "--gear", "both", "-o", target], directory)
            with open(target) as f:
                self.assertEqual(f.read(), "earlier drawing")

    def test_help(self):
        for args in (["--help"], ["-h"], ["report", "20", "40", "--help"], ["view", "-h", "20"]):
            with self.subTest(args=args):
                result = run(*args)
                self.assertEqual(result.returncode, 0)
                self.assertEqual(result.stderr, b"")
                for command in (b"gearpair report Z1 Z2", b"gearpair outline Z1 Z2",
                                b"gearpair view Z1 Z2"):
                    self.assertIn(command, result.stdout)
        # As an option's value -h is that value: here the name of the file.
        with tempfile.TemporaryDirectory() as directory:
            result = subprocess.run([GEARPAIR, "outline", "20", "40", "--format", "dxf", "-o", "-h"],
                                    cwd=directory, capture_output=True, timeout=300)
            self.assertEqual((result.returncode, result.stdout), (0, b""), result.stderr)
            with open(os.path.join(directory, "-h")) as f:
                self.assertIn("\nPOLYLINE\n", f.read())
        self.assert_refused(["report", "20", "40", "--shift", "--help"])

    def test_an_echoed_argument_stays_on_its_line_and_sends_no_command(self):
        # Typed as $'0.5\n\e[31mRED' it would split the line and turn the
        # terminal red. C1 controls (U+009B is CSI) are controls too; bytes
        # that are no UTF-8 are shown by value, letters as they are.
        cases = [(b"0.5\n\x1b[31mRED", b"0.5\\n\\x1b[31mRED"),
                 (b"\t\r\x7f", b"\\t\\r\\x7f"),
                 (b"\xc2\x9b2J\xc2\x85", b"\\u009b2J\\u0085"),
                 (b"\xff\xc2 \xed\xa0\x80", b"\\xff\\xc2 \\xed\\xa0\\x80"),
                 ("歯車 ü €".encode(), "歯車 ü €".encode())]
        for value, shown in cases:
            with self.subTest(value=value):
                result = run("report", "20", "40", "--shift", value)
                self.assertEqual(result.returncode, 2)
                self.assertEqual(result.stderr, b"gearpair: shift '" + shown +
                                 b"' is not a number (see gearpair --help)\n")
        result = run(b"\x1b]0;title\x07", "20", "40")
        self.assertEqual(result.stderr, b"gearpair: unknown command '\\x1b]0;title\\x07'; use "
                         b"report, outline or view (see gearpair --help)\n")


WRITE_FAULTS = os.environ.get("WRITE_FAULTS", "")
AS_NOBODY = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"]
NOBODY = 65534


def is_root():
    return os.geteuid() == 0


def leftovers(directory):
    return sorted(name for name in os.listdir(directory) if name.startswith(".gearpair"))


class OutputTargetTest(unittest.TestCase):
    """Where -o and standard output put the text: in place for devices, FIFOs
    and open descriptors; by atomic replacement for regular files, keeping
    their mode, owner and links; never leaving a temporary file."""

    def setUp(self):
        self.directory = tempfile.mkdtemp()
        self.addCleanup(subprocess.run, ["rm", "-rf", self.directory])
        os.chmod(self.directory, 0o777)  # the dropped-privilege runs write here too
        self.svg = run("outline", "20", "40").stdout
        self.view_svg = run("view", "20", "40").stdout

    def path(self, name):
        return os.path.join(self.directory, name)

    def assert_one_error(self, result, *words):
        lines = result.stderr.decode().splitlines()
        self.assertEqual(result.returncode, 2, result.stderr)
        self.assertEqual(len(lines), 1, lines)
        for word in words:
            self.assertIn(word, lines[0])

    @unittest.skipUnless(is_root(), "mknod needs root; the tests run as root on the test machine")
    def test_devices_are_written_in_place_and_write_errors_reported(self):
        probe = subprocess.run(["unshare", "-m", "true"], capture_output=True)
        if probe.returncode != 0:
            self.skipTest("no private mount namespace here: %r" % probe.stderr)
        # The devices live on a tmpfs seen only inside the namespace; the
        # machine's /dev is never used.
        script = r'''
            D=$1; G=$2
            mount -t tmpfs scratch "$D" && mknod "$D/full" c 1 7 && mknod "$D/null" c 1 3 || exit 90
            "$G" outline 20 40 --format svg -o "$D/full"; echo "full $? $(stat -c %F "$D/full")"
            "$G" outline 20 40 --format dxf -o "$D/null"; echo "null $? $(stat -c %F "$D/null")"
            "$G" report 20 40 > "$D/full"; echo "report $?"
            "$G" view 20 40 > "$D/full"; echo "view $?"
            "$G" --help > "$D/full"; echo "help $?"
            echo $(ls -A "$D")
        '''
        result = subprocess.run(["unshare", "-m", "sh", "-c", script, "sh", self.directory, GEARPAIR],
                                capture_output=True, timeout=120)
        self.assertEqual(result.stdout.decode().splitlines(),
                         ["full 2 character special file", "null 0 character special file",
                          "report 2", "view 2", "help 2", "full null"], result.stderr)
        errors = result.stderr.decode().splitlines()
        self.assertEqual(len(errors), 4, errors)
        self.assertIn("'%s': No space left on device" % self.path("full"), errors[0])
        for line in errors[1:]:
            self.assertIn("standard output: No space left on device", line)

    def test_open_descriptors_are_written_not_reopened(self):
        # Standard output opened for appending keeps what it held: the
        # descriptor is written, the file it points at never truncated.
        for name in ("-", "/dev/stdout", "/proc/self/fd/1", "/dev/fd/1"):
            with self.subTest(target=name):
                log = self.path("log.svg")
                with open(log, "wb") as f:
                    f.write(b"earlier\n")
                with open(log, "ab") as out:
                    result = subprocess.run([GEARPAIR, "outline", "20", "40", "-o", name],
                                            stdout=out, stderr=subprocess.PIPE, timeout=60)
                self.assertEqual(result.returncode, 0, result.stderr)
                with open(log, "rb") as f:
                    self.assertEqual(f.read(), b"earlier\n" + self.svg)
        # An ordinary user may not reopen a pipe that root made, but writes it.
        if is_root():
            result = subprocess.run(AS_NOBODY + [GEARPAIR, "view", "20", "40", "-o", "/dev/stdout"],
                                    capture_output=True, timeout=60)
            self.assertEqual((result.returncode, result.stderr), (0, b""))
            self.assertEqual(result.stdout, self.view_svg)

    def test_a_fifo_is_written_in_place(self):
        fifo = self.path("pipe.svg")
        os.mkfifo(fifo)
        reader = os.open(fifo, os.O_RDONLY | os.O_NONBLOCK)
        holder = os.open(fifo, os.O_WRONLY)  # the reader sees no end before gearpair writes
        try:
            result = run("view", "20", "40", "-o", fifo)  # under the pipe's 64 KiB, never blocks
            os.close(holder)
            holder = None
            os.set_blocking(reader, True)
            data = b""
            while True:
                chunk = os.read(reader, 65536)
                if not chunk:
                    break
                data += chunk
        finally:
            if holder is not None:
                os.close(holder)
            os.close(reader)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(data, self.view_svg)
        self.assertTrue(stat.S_ISFIFO(os.lstat(fifo).st_mode))

    def test_regular_files_keep_mode_owner_and_links(self):
        kept = self.path("kept.svg")
        with open(kept, "w") as f:
            f.write("old")
        os.chmod(kept, 0o640)
        os.symlink("real.svg", self.path("link.svg"))
        with open(self.path("real.svg"), "w") as f:
            f.write("old")
        os.symlink("made.svg", self.path("dangling.svg"))
        cases = ["kept.svg", "link.svg", "dangling.svg"]
        if is_root():
            private = self.path("private.svg")
            with open(private, "w") as f:
                f.write("old")
            os.chown(private, NOBODY, NOBODY)
            os.chmod(private, 0o600)
            read_only = self.path("read-only.svg")
            with open(read_only, "w") as f:
                f.write("old")
            os.chmod(read_only, 0o444)  # root may replace it, as cp does
            cases += ["private.svg", "read-only.svg"]
        for name in cases:
            with self.subTest(target=name):
                result = run("outline", "20", "40", "-o", self.path(name))
                self.assertEqual(result.returncode, 0, result.stderr)
        with open(self.path("real.svg"), "rb") as f:
            self.assertEqual(f.read(), self.svg)
        with open(self.path("made.svg"), "rb") as f:
            self.assertEqual(f.read(), self.svg)
        self.assertEqual(os.readlink(self.path("link.svg")), "real.svg")
        self.assertEqual(os.readlink(self.path("dangling.svg")), "made.svg")
        expected = {"kept.svg": (0o640, os.geteuid()), "private.svg": (0o600, NOBODY),
                    "read-only.svg": (0o444, 0)}
        for name, (mode, owner) in expected.items():
            if name in cases:
                status = os.stat(self.path(name))
                self.assertEqual((stat.S_IMODE(status.st_mode), status.st_uid), (mode, owner), name)
                with open(self.path(name), "rb") as f:
                    self.assertEqual(f.read(), self.svg, name)
        # A new file gets the mode a plain create gives under the umask.
        fresh = self.path("fresh.dxf")
        result = subprocess.run([GEARPAIR, "outline", "20", "40", "-o", fresh], capture_output=True,
                                preexec_fn=lambda: os.umask(0o027), timeout=60)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(stat.S_IMODE(os.stat(fresh).st_mode), 0o640)
        self.assertEqual(leftovers(self.directory), [])

    @unittest.skipUnless(is_root() and shutil.which("setpriv"),
                         "dropping privileges to an ordinary user needs root and setpriv")
    def test_an_ordinary_user_cannot_replace_a_read_only_file(self):
        target = self.path("read-only.svg")
        with open(target, "w") as f:
            f.write("old")
        os.chown(target, NOBODY, NOBODY)
        os.chmod(target, 0o444)
        result = subprocess.run(AS_NOBODY + [GEARPAIR, "outline", "20", "40", "-o", target],
                                capture_output=True, timeout=60)
        self.assert_one_error(result, "'%s'" % target, "Permission denied")
        with open(target) as f:
            self.assertEqual(f.read(), "old")
        self.assertEqual(stat.S_IMODE(os.stat(target).st_mode), 0o444)
        self.assertEqual(leftovers(self.directory), [])

    def killed_runs(self, extra_env, signals):
        """Runs outline to a new and to an existing file, each killed by every
        signal halfway through its write; returns what the folder keeps."""
        existing = self.path("existing.svg")
        with open(existing, "w") as f:
            f.write("earlier")
        for number in signals:
            for target in (existing, self.path("new.svg")):
                with self.subTest(signal=signal.Signals(number).name, target=target):
                    env = dict(os.environ, LD_PRELOAD=WRITE_FAULTS,
                               GEARPAIR_FAULT_SIGNAL=str(number), **extra_env)
                    result = run("outline", "20", "40", "-o", target, env=env)
                    self.assertEqual(result.returncode, -number, result.stderr)
        with open(existing) as f:
            self.assertEqual(f.read(), "earlier")
        self.assertFalse(os.path.exists(self.path("new.svg")))
        return leftovers(self.directory)

    @unittest.skipUnless(WRITE_FAULTS, "WRITE_FAULTS is not set to the write_faults library")
    def test_no_temporary_file_survives_a_kill(self):
        self.assertEqual(self.killed_runs({}, [signal.SIGINT, signal.SIGTERM, signal.SIGKILL,
                                               signal.SIGXFSZ]), [])
        # The file size limit itself, with nothing preloaded.
        target = self.path("limited.svg")
        limit = lambda: resource.setrlimit(resource.RLIMIT_FSIZE, (65536, 65536))
        result = subprocess.run([GEARPAIR, "outline", "20", "40", "-o", target],
                                capture_output=True, preexec_fn=limit, timeout=60)
        self.assertEqual(result.returncode, -signal.SIGXFSZ, result.stderr)
        self.assertEqual(os.listdir(self.directory), ["existing.svg"])

    @unittest.skipUnless(WRITE_FAULTS, "WRITE_FAULTS is not set to the write_faults library")
    def test_without_unnamed_files_a_named_one_is_removed_on_signals(self):
        no_tmpfile = {"GEARPAIR_FAULT_NO_TMPFILE": "1"}
        self.assertEqual(self.killed_runs(no_tmpfile, [signal.SIGINT, signal.SIGTERM,
                                                       signal.SIGXFSZ]), [])
        # SIGKILL alone cannot be caught; the named file it leaves shows this
        # run really took the named path.
        self.assertEqual(len(self.killed_runs(no_tmpfile, [signal.SIGKILL])), 2)
        target = self.path("kept.svg")
        with open(target, "w") as f:
            f.write("old")
        os.chmod(target, 0o604)
        result = run("outline", "20", "40", "-o", target,
                     env=dict(os.environ, LD_PRELOAD=WRITE_FAULTS, **no_tmpfile))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(stat.S_IMODE(os.stat(target).st_mode), 0o604)
        with open(target, "rb") as f:
            self.assertEqual(f.read(), self.svg)

    def test_tiny_numbers_are_numbers(self):
        for shift in ("5e-324", "-1e-400"):
            with self.subTest(shift=shift):
                result = run("report", "20", "40", "--shift", shift)
                self.assertEqual(result.returncode, 0, result.stderr)
        result = run("outline", "20", "40", "--module", "5e-324")
        self.assert_one_error(result, "from 1e-6 to 1e6")


class OutlineTest(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.addCleanup(self.directory.cleanup)

    def path(self, name):
        return os.path.join(self.directory.name, name)

    def dxf_paths(self, *args, module=1.0):
        target = self.path("outline.dxf")
        result = run("outline", *args, "--as-drawn", "--module", repr(module), "-o", target)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertEqual(result.stdout, b"")
        doc = ezdxf.readfile(target)
        auditor = doc.audit()
        self.assertFalse(auditor.has_errors, [str(e) for e in auditor.errors])
        self.assertEqual(doc.header.get("$INSUNITS"), 4)
        with open(target) as f:
            return doc, f.read()

    def test_dxf_polylines_are_the_rotated_outline_copies(self):
        for z1, z2, shift, module in ((20, 40, 0.0, 1.0), (10, 40, 0.5, 2.5), (3, 7, 0.0, 0.5),
                                      (149, 149, -0.2, 1.0), (1, 2, 0.0, 1.0)):
            with self.subTest(z1=z1, z2=z2):
                args = (str(z1), str(z2), "--shift", repr(shift))
                doc, text = self.dxf_paths(*args, module=module)
                report = report_json(*args)
                polylines = {e.dxf.layer: e for e in doc.modelspace().query("POLYLINE")}
                self.assertEqual(sorted(polylines), ["GEAR1", "GEAR2"])
                for gear in (1, 2):
                    polyline = polylines["GEAR%d" % gear]
                    self.assertTrue(polyline.is_closed)
                    vertices = [(v.dxf.location.x, v.dxf.location.y) for v in polyline.vertices]
                    expected = expected_path(report, gear, module)
                    self.assertEqual(len(vertices), len(expected))
                    worst = max(math.dist(a, b) for a, b in zip(vertices, expected))
                    self.assertLess(worst, 1e-9)
                    # No zero-length segment anywhere, the closing one included.
                    shortest = min(math.dist(a, b) for a, b in zip(vertices, vertices[1:] + vertices[:1]))
                    self.assertGreater(shortest, 1e-7 * module)
                    # From three teeth up each copy starts where the one before
                    # ended (one shared vertex per copy); with 1 or 2 they do
                    # not meet and straight edges join them.
                    z, last = report["z%d" % gear], report["toothOutlineLast%d" % gear]
                    self.assertEqual(len(vertices), z * last if z >= 3 else z * (last + 1))
                lines = doc.modelspace().query("LINE")
                self.assertEqual(len(lines), 4)
                self.assertEqual({line.dxf.layer for line in lines}, {"CENTRES"})
                centres = {(round(line.dxf.start.x + line.dxf.end.x, 9) / 2,
                            round(line.dxf.start.y + line.dxf.end.y, 9) / 2) for line in lines}
                self.assertEqual(centres, {(0.0, -z1 / 2 * module), (0.0, z2 / 2 * module)})
                self.assertRegex(text.splitlines()[1], r"z1 = %d, z2 = %d, module %s mm"
                                 % (z1, z2, re.escape(repr(module).rstrip("0").rstrip("."))))

    def test_single_gear(self):
        doc, _ = self.dxf_paths("20", "40", "--gear", "2")
        self.assertEqual([e.dxf.layer for e in doc.modelspace().query("POLYLINE")], ["GEAR2"])
        self.assertEqual(len(doc.modelspace().query("LINE")), 2)

    def svg(self, *args, exact=False):
        target = self.path("outline.svg")
        result = run("outline", *args, *([] if exact else ["--as-drawn"]), "-o", target)
        self.assertEqual(result.returncode, 0, result.stderr)
        lint = subprocess.run(["xmllint", "--noout", target], capture_output=True)
        self.assertEqual(lint.returncode, 0, lint.stderr)
        return target, ElementTree.parse(target).getroot()

    def test_svg_is_true_size_and_holds_the_dxf_vertices(self):
        target, root = self.svg("20", "40", "--module", "2")
        width, height = root.get("width"), root.get("height")
        self.assertTrue(width.endswith("mm") and height.endswith("mm"))
        box = [float(v) for v in root.get("viewBox").split()]
        self.assertAlmostEqual(float(width[:-2]), box[2], places=9)
        self.assertAlmostEqual(float(height[:-2]), box[3], places=9)
        # 20 and 40 teeth at module 2: from gear 1's tip circle at -42 mm to
        # gear 2's at 82 mm, and a margin of one module above and below.
        self.assertAlmostEqual(box[3], 124 + 2 * 2, delta=0.1)
        desc = root.find(SVG_NS + "desc").text
        self.assertIn("z1 = 20, z2 = 40, module 2 mm", desc)
        paths = {p.get("id"): p for p in root.iter(SVG_NS + "path")}
        report = report_json("20", "40")
        for gear in (1, 2):
            d = paths["gear%d" % gear].get("d")
            self.assertTrue(d.startswith("M") and d.rstrip().endswith("Z"))
            points = svg_path_points(d)
            expected = expected_path(report, gear, 2.0)
            self.assertEqual(len(points), len(expected))
            self.assertLess(max(math.dist(a, b) for a, b in zip(points, expected)), 1e-9)
        # Same file content whichever way the format is chosen.
        on_stdout = run("outline", "20", "40", "--module", "2", "--as-drawn").stdout
        with open(target, "rb") as f:
            self.assertEqual(f.read(), on_stdout)

    def test_svg_renders_the_teeth(self):
        # Render at 20 pixels per millimetre and walk round the gear on its
        # pitch circle: each tooth's two flanks cross it, nothing else does.
        # The same for the sampled and the exact outline.
        for gear, z, exact in ((1, 20, False), (2, 31, False), (1, 20, True), (2, 31, True)):
            target, root = self.svg("20", "31", "--gear", str(gear), exact=exact)
            png = self.path("outline%d.png" % gear)
            box = [float(v) for v in root.get("viewBox").split()]
            subprocess.run(["rsvg-convert", "--dpi-x", "508", "--dpi-y", "508", "-b", "white",
                            target, "-o", png], check=True)
            rgb, w, h = rgb_of_png(png)
            self.assertAlmostEqual(w, box[2] * 20, delta=1)
            self.assertAlmostEqual(h, box[3] * 20, delta=1)

            def pixel(x_mm, y_mm):
                i = (int((-y_mm - box[1]) * 20) * w + int((x_mm - box[0]) * 20)) * 3
                return tuple(rgb[i:i + 3])

            def dark(x_mm, y_mm):
                return sum(pixel(x_mm, y_mm)) < 400

            centre_y = -10.0 if gear == 1 else 15.5
            radius = z / 2
            # A dark run starts where none of the three samples before was
            # dark: an anti-aliased line may leave one light pixel inside.
            crossings, recent = 0, []
            for step in range(3600):
                a = 2 * math.pi * step / 3600
                now = dark(radius * math.sin(a), centre_y + radius * math.cos(a))
                crossings += len(recent) == 3 and now and not any(recent)
                recent = (recent + [now])[-3:]
            self.assertEqual(crossings, 2 * z, gear)
            self.assertEqual(pixel(z / 4, centre_y), (255, 255, 255))  # inside: empty
            red, green, blue = pixel(0.0, centre_y)  # the centre cross
            self.assertTrue(blue == 255 and red < 128 and green < 128, (red, green, blue))


class ExactTest(unittest.TestCase):
    """The exact geometry: the report's exact part and the default outline."""

    def test_exact_path_of_contact(self):
        # 20/40: both paths end at the tip circles, sampled and exact agree.
        report = report_json("20", "40")
        self.assertAlmostEqual(report["exact"]["contactRatio"], 1.6352, places=4)
        self.assertAlmostEqual(report["exact"]["contactRatio"], report["contactRatio"], places=9)
        self.assertNotIn("Sampled path end", run("report", "20", "40").stdout.decode())
        # 20/149: the sampled junction of the 20-tooth gear ends the path at
        # 2.706; the exact undercut point lies at 3.306, past the mate's tip.
        report = report_json("20", "149")
        self.assertAlmostEqual(report["contactRatio"], 1.6950, places=4)
        exact = report["exact"]
        self.assertAlmostEqual(exact["contactRatio"], 1.7237, places=4)
        self.assertAlmostEqual(exact["undercutDist1"], 3.306, places=3)
        self.assertEqual(exact["pathEndCause1"], "gear 2 tip circle")
        text = run("report", "20", "149").stdout.decode()
        self.assertRegex(text, r"contact ratio +1\.7237 +usable\n")
        self.assertRegex(text, r"Sampled path end 1: 2\.7059, 0\.0847 earlier")
        # True undercut below 2 (1.25 - x) / sin^2(alpha) teeth: 21.37 at x = 0.
        for z, undercut in ((21, True), (22, False)):
            exact = report_json(str(z), "40")["exact"]
            self.assertIs(exact["undercut1"], undercut)
            self.assertEqual(exact["smallestCountWithoutUndercut1"], 22)
            self.assertEqual(exact["formRadius1"] is None, undercut)

    def test_counts_above_149_get_the_exact_part_only(self):
        report = report_json("20", "1000", "--shift", "0.25")
        self.assertEqual(list(report),
                         ["z1", "z2", "shift1", "shift2", "module", "exact", "study"])
        # The simulator's view stops at 149 teeth: no frames to count pairs in.
        self.assertNotIn("pairsInContact", report["study"])
        self.assertEqual((report["z2"], report["shift1"], report["shift2"]), (1000, 0.25, -0.25))
        self.assertGreater(report["exact"]["contactRatio"], 1.5)
        text = run("report", "1000", "1000").stdout.decode()
        self.assertIn("defined for 1 to 149 teeth", text)
        self.assertNotIn("sampled flank start", text)
        self.assertRegex(text, r"pitch radius +500\.0000 +500\.0000")

    def test_exact_dxf_is_one_counter_clockwise_polygon_per_gear(self):
        with tempfile.TemporaryDirectory() as directory:
            for z1, z2, shift, module in ((20, 40, 0.0, 1.0), (1, 7, 0.5, 2.0), (12, 1000, -0.5, 0.5)):
                target = os.path.join(directory, "exact.dxf")
                result = run("outline", str(z1), str(z2), "--shift", repr(shift), "--module",
                             repr(module), "-o", target)
                self.assertEqual(result.returncode, 0, result.stderr)
                doc = ezdxf.readfile(target)
                self.assertFalse(doc.audit().has_errors)
                polylines = {e.dxf.layer: e for e in doc.modelspace().query("POLYLINE")}
                for gear, z, x, cy in ((1, z1, shift, -z1 / 2), (2, z2, -shift, z2 / 2)):
                    polyline = polylines["GEAR%d" % gear]
                    self.assertTrue(polyline.is_closed)
                    points = [(v.dxf.location.x / module, v.dxf.location.y / module - cy)
                              for v in polyline.vertices]
                    edges = list(zip(points, points[1:] + points[:1]))
                    area = sum(a[0] * b[1] - b[0] * a[1] for a, b in edges) / 2
                    self.assertGreater(area, 0, (z1, z2, gear))  # counter-clockwise, y up
                    self.assertGreater(min(math.dist(a, b) for a, b in edges), 0)
                    radii = [math.hypot(*p) for p in points]
                    self.assertGreaterEqual(min(radii), z / 2 - (1.25 - x) - 0.001)
                    self.assertLessEqual(max(radii), z / 2 + 1 + x + 1e-9)

    def test_finer_tolerance_gives_more_vertices(self):
        def vertices(*args):
            result = run("outline", "30", "40", "--gear", "1", "--format", "dxf", *args)
            self.assertEqual(result.returncode, 0, result.stderr)
            return result.stdout.count(b"\nVERTEX\n")
        coarse, default, fine = vertices("--tolerance", "0.01"), vertices(), vertices(
            "--tolerance", "0.00001")
        self.assertLess(coarse, default)
        self.assertLess(default, fine)
        self.assertIn(b"exact, chords within 0.001 mm",
                      run("outline", "30", "40", "--format", "dxf").stdout)

    def test_tolerance_bounds_hold_as_typed(self):
        # 0.07 mm at module 0.7 is 0.1 module, though 0.07 / 0.7 rounds above
        # 0.1; 7e-9 mm at module 0.07 is 1e-7 module, though it rounds below.
        for module, tolerance in (("0.7", "0.07"), ("0.07", "7e-9")):
            result = run("outline", "20", "40", "--gear", "1", "--format", "dxf", "--module", module,
                         "--tolerance", tolerance)
            self.assertEqual(result.returncode, 0, result.stderr)
        for module, tolerance in (("0.7", "0.0700001"), ("0.07", "6.99999e-9")):
            result = run("outline", "20", "40", "--module", module, "--tolerance", tolerance)
            self.assertEqual(result.returncode, 2)
            self.assertIn(b"is outside 1e-7 to 0.1 of the module", result.stderr)

    def test_two_teeth_fall_apart_up_to_where_the_rack_alone_says(self):
        # Up to shift +0.25 the rack's tip passes the centre of a 2-tooth
        # gear; a little beyond, the cuts of its two spaces still meet on the
        # teeth's centre lines below the tips. Where that stops is found here
        # from the rack's sweep alone and compared with where gearpair stops
        # refusing the gear (at a fine tolerance, so its chords barely count).
        def refused(shift):
            result = run("outline", "2", "40", "--gear", "1", "--format", "dxf", "--shift",
                         repr(shift), "--tolerance", "0.00001")
            return result.returncode == 2

        def bisect(severed, low, high):
            while high - low > 1e-6:
                middle = (low + high) / 2
                low, high = (middle, high) if severed(middle) else (low, middle)
            return low

        def cut_through(shift):
            return tooth_centre_line_depth(2, shift) > 0

        self.assertTrue(refused(0.26) and cut_through(0.26))
        self.assertFalse(refused(0.3) or cut_through(0.3))
        swept = bisect(cut_through, 0.26, 0.3)
        self.assertAlmostEqual(bisect(refused, 0.26, 0.3), swept, delta=2e-5)
        self.assertAlmostEqual(swept, 0.27755, delta=1e-5)  # the figure in the README
        result = run("outline", "2", "40", "--shift", "0.277")
        self.assertIn(b"neighbouring cuts meet below the tips", result.stderr)

    def test_a_gear_the_rack_cuts_away_is_refused(self):
        # Five teeth at shift -1: the cuts of neighbouring spaces meet below
        # the tips. Gear 2 alone (5 teeth... at +1) is fine.
        result = run("outline", "5", "40", "--shift", "-1")
        self.assertEqual(result.returncode, 2)
        self.assertIn(b"gear 1 (5 teeth, shift -1) cannot be cut", result.stderr)
        self.assertEqual(run("outline", "5", "40", "--shift", "-1", "--gear", "2").returncode, 0)
        self.assertEqual(run("outline", "5", "40", "--shift", "-1", "--as-drawn").returncode, 0)


def rack_depth(z, shift, px, py):
    """How deep the generating rack reaches into the gear point (px, py)
    (gear frame, modules; tooth space 0 centred on +y) at the worst moment
    of its roll, found by brute force over one turn; positive where the rack
    cuts the point away."""
    r = z / 2
    tan_a, cos_a = math.tan(PI / 9), math.cos(PI / 9)

    def depth(phi):
        # The gear turned by phi, the rack rolled on by r phi: the point in
        # the rack's frame, u along its pitch line, d below its datum line.
        c, s = math.cos(phi), math.sin(phi)
        u = px * c - py * s + r * phi
        d = r + shift - (px * s + py * c)
        off_centre = abs((u + PI / 2) % PI - PI / 2)
        return min((PI / 4 - d * tan_a - off_centre) * cos_a, 1.25 - d)

    samples = 720
    best = max(range(samples), key=lambda k: depth(-PI + 2 * PI * k / samples))
    return max(depth(-PI + 2 * PI * best / samples),
               golden_maximum(depth, -PI + 2 * PI * (best - 1) / samples,
                              -PI + 2 * PI * (best + 1) / samples))


def golden_maximum(f, low, high, steps=40):
    """Largest value of f found by golden-section search in low..high."""
    for _ in range(steps):
        a, b = high - 0.618 * (high - low), low + 0.618 * (high - low)
        low, high = (low, b) if f(a) > f(b) else (a, high)
    return f((low + high) / 2)


def tooth_centre_line_depth(z, shift):
    """How deep the cuts of neighbouring spaces reach across a tooth's centre
    line in the module above the rack's tip line, where they would part the
    tooth from the body (a pointed tooth's top is cut away higher up);
    positive where they meet."""
    root = z / 2 - 1.25 + shift
    s, c = math.sin(PI / z), math.cos(PI / z)

    def depth(rho):
        return rack_depth(z, shift, rho * s, rho * c)

    best = max(range(41), key=lambda k: depth(root + k / 40))
    return max(depth(root + best / 40),
               golden_maximum(depth, root + max(best - 1, 0) / 40, root + (best + 1) / 40))

class StudyTest(unittest.TestCase):
    """The study part of the report against closed forms of its own."""

    ALPHA = math.pi / 9
    BASE_PITCH = math.pi * math.cos(math.pi / 9)

    def tip_ratio(self, z1, z2, shift=0.0):
        """Contact ratio of a pair whose path ends at both tip circles."""
        r1, r2 = z1 / 2, z2 / 2
        reach = sum(math.sqrt((r + 1 + x) ** 2 - (r * math.cos(self.ALPHA)) ** 2)
                    for r, x in ((r1, shift), (r2, -shift)))
        return (reach - (r1 + r2) * math.sin(self.ALPHA)) / self.BASE_PITCH

    def test_shared_load_and_sliding_of_pairs_ended_by_their_tips(self):
        for z1, z2, shift, frames in ((20, 40, 0.0, True), (20, 40, 0.3, True),
                                      (200, 300, 0.0, False), (149, 149, 0.0, True)):
            with self.subTest(z1=z1, z2=z2, shift=shift):
                report = report_json(str(z1), str(z2), "--shift", repr(shift))
                study, exact = report["study"], report["exact"]
                ratio = self.tip_ratio(z1, z2, shift)
                self.assertAlmostEqual(study["contactRatio"], ratio, places=12)
                start, end = study["singlePairZone"]
                self.assertAlmostEqual(end - start, (2 - ratio) * self.BASE_PITCH, places=12)
                self.assertAlmostEqual(start, exact["pathEnd1"] - self.BASE_PITCH, places=12)
                # The flanks' radii of curvature: distances from the interference points.
                for u, index in ((-exact["pathEnd2"], 0), (exact["pathEnd1"], 1)):
                    rho1 = z1 / 2 * math.sin(self.ALPHA) - u
                    rho2 = z2 / 2 * math.sin(self.ALPHA) + u
                    v1, v2 = rho1, rho2 * z1 / z2  # flank speeds, omega1 = 1
                    self.assertAlmostEqual(study["specificSliding1"][index], (v1 - v2) / v1, 9)
                    self.assertAlmostEqual(study["specificSliding2"][index], (v2 - v1) / v2, 9)
                if frames:
                    pairs = study["pairsInContact"]
                    self.assertEqual(len(pairs), 40)
                    self.assertTrue(set(pairs) <= {1, 2})
                    self.assertLessEqual(abs(sum(pairs) / 40 - ratio), 1 / 40 + 1e-9)
                    # Step 0 is rotation zero: one pair touches at the pitch point.
                    self.assertEqual(pairs[0], 1)
                else:
                    self.assertNotIn("pairsInContact", study)

    def test_below_ratio_one_some_frames_have_no_pair(self):
        study = report_json("12", "12")["study"]
        self.assertLess(study["contactRatio"], 1)
        self.assertIn(0, study["pairsInContact"])
        self.assertEqual(max(study["pairsInContact"]), 1)
        self.assertAlmostEqual(study["singlePairZone"][1] - study["singlePairZone"][0],
                               study["contactRatio"] * self.BASE_PITCH, places=12)

    def test_no_path_no_figures(self):
        for counts in (("1", "1"), ("2", "2"), ("1", "3")):
            study = report_json(*counts)["study"]
            self.assertTrue(all(value is None for value in study.values()), study)
        text = run("report", "1", "1").stdout.decode()
        self.assertIn("The exact path of contact has no length", text)

    def test_text_part_follows_the_exact_part(self):
        text = run("report", "20", "40").stdout.decode()
        self.assertLess(text.index("Exact path of contact"), text.index("Study:"))
        self.assertRegex(text, r"single-pair zone +-0\.4228 +0\.6541")
        self.assertRegex(text, r"pairs in contact, steps 0\+ (1 ){6}(2 ){26}1")


class ViewTest(unittest.TestCase):
    def setUp(self):
        # Beside the binary, in the build tree: the pictures of the last run
        # stay there for a look.
        self.directory = os.path.join(os.path.dirname(os.path.abspath(GEARPAIR)), "view-pictures")
        os.makedirs(self.directory, exist_ok=True)

    def view(self, *args, env=None):
        target = os.path.join(self.directory, "view.svg")
        result = run("view", *args, "-o", target, env=env)
        self.assertEqual(result.returncode, 0, result.stderr)
        lint = subprocess.run(["xmllint", "--noout", target], capture_output=True)
        self.assertEqual(lint.returncode, 0, lint.stderr)
        return target

    def test_needs_no_display_and_holds_the_legend(self):
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        target = self.view("20", "40", "--mode", "3", env=env)
        root = ElementTree.parse(target).getroot()
        self.assertEqual((root.get("width"), root.get("height")), ("800", "800"))
        texts = list(root.iter(SVG_NS + "text"))
        self.assertEqual(["".join(t.itertext()) for t in texts], MESH_LEGEND)
        self.assertEqual([float(t.find(SVG_NS + "tspan").get("x")) for t in texts], [40.0] * 5)
        self.assertEqual([float(t.get("y")) for t in texts], [40.0, 60.0, 80.0, 100.0, 120.0])

    def test_steps_leave_single_gear_views_as_they_were(self):
        # Presses of s only move the view on, and in modes 1 and 2 nothing
        # turns: 100,000 of them leave the first frame byte for byte.
        for mode in ("1", "2"):
            with self.subTest(mode=mode):
                first = run("view", "20", "40", "--mode", mode)
                later = run("view", "20", "40", "--mode", mode, "--steps", "100000")
                self.assertEqual((later.returncode, later.stderr), (0, b""))
                self.assertEqual(first.stdout, later.stdout)

    def test_deep_zoom_keeps_the_pitch_point_in_the_middle(self):
        # 100 presses of W reach the largest zoom, where the window spans two
        # thousandths of a module: the pitch-point marker and the cross hair
        # through it fill the middle, and the file stays small because only
        # what reaches the window is drawn.
        target = self.view("20", "40", "--mode", "3", "--zoom", "100")
        self.assertLess(os.path.getsize(target), 200000)
        png = os.path.join(self.directory, "deep.png")
        subprocess.run(["rsvg-convert", target, "-o", png], check=True)
        rgb, w, _ = rgb_of_png(png)
        pixel = lambda x, y: tuple(rgb[(y * w + x) * 3:(y * w + x) * 3 + 3])
        self.assertEqual(pixel(400, 700), (0, 0, 0))   # vertical cross hair
        self.assertEqual(pixel(700, 400)[:2], (0, 0))  # horizontal: cross hair or blue chain
        self.assertEqual(pixel(40, 700), (255, 255, 255))

    def compare_with_window(self, name, counts, view_args, keys):
        """Renders the view SVG and the live window after the same keys;
        returns the share of equal pixels. Both pictures and their
        difference stay in self.directory for a look."""
        import harness
        svg = self.view(*counts, *view_args)
        rendered = os.path.join(self.directory, name + "-svg.png")
        subprocess.run(["rsvg-convert", svg, "-o", rendered], check=True)
        with harness.Gearmesh("%s %s\n" % counts) as app:
            app.wait_window()
            for key in keys:
                app.key(key)
            shot = app.wait_stable()
        live = os.path.join(self.directory, name + "-window.png")
        shot.save_png(live)
        subprocess.run(["compare", rendered, live, os.path.join(self.directory, name + "-diff.png")],
                       capture_output=True)
        rgb, w, h = rgb_of_png(rendered)
        self.assertEqual((w, h), (shot.width, shot.height))
        same = sum(1 for i in range(0, len(rgb), 3) if rgb[i:i + 3] == shot.rgb[i:i + 3])
        print("%s: %.2f %% of pixels equal (%s)" % (name, 100.0 * same / (w * h), self.directory),
              file=sys.stderr)
        return same / (w * h)

    @unittest.skipUnless(os.environ.get("DISPLAY") and os.environ.get("GEARMESH"),
                         "needs the X server and gearmesh")
    def test_mesh_after_five_steps_matches_the_window(self):
        share = self.compare_with_window("mesh", ("20", "40"), ("--mode", "3", "--steps", "5"),
                                         ["3", "s", "s", "s", "s", "s"])
        self.assertGreaterEqual(share, 0.99)

    @unittest.skipUnless(os.environ.get("DISPLAY") and os.environ.get("GEARMESH"),
                         "needs the X server and gearmesh")
    def test_reversed_zoomed_mesh_matches_the_window(self):
        share = self.compare_with_window("reversed", ("12", "30"),
                                         ("--mode", "3", "--reverse", "--zoom", "2", "--steps", "3"),
                                         ["3", "R", "W", "W", "s", "s", "s"])
        self.assertGreaterEqual(share, 0.99)


if __name__ == "__main__":
    if not GEARPAIR:
        sys.exit("GEARPAIR is not set to the gearpair binary")
    unittest.main(verbosity=2)
