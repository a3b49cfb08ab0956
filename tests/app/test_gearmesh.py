"""The simulator as a student uses it: the real gearmesh under Xvfb, tooth
counts through a pipe, keys through XTEST, pixels read back from the window.

Where a picture element should be is computed from the geometry that
`gearpair report --json` prints, never from the picture itself.  Set
GEARMESH_SHOT_DIR to keep the screenshots as PNG files.
"""

import json
import math
import os
import subprocess
import time
import unittest

from harness import BLACK, BLUE, GREEN, RED, YELLOW, Gearmesh

GEARPAIR = os.environ["GEARPAIR"]
SHOT_DIR = os.environ.get("GEARMESH_SHOT_DIR")

LINE_CLEARANCE = 1.8   # pixels: a 2-pixel line covers pixel centres this near
MARKER_RADIUS = 4.0    # pixels: 0.01 view units in the 800 by 800 window
LEGEND_BASELINES = (40, 60, 80, 100, 120)  # rows of y = 0.9 ... 0.7


def geometry(z1, z2):
    out = subprocess.run([GEARPAIR, "report", "--json", str(z1), str(z2)],
                         check=True, capture_output=True, timeout=60).stdout
    return json.loads(out)


def save(shot, name):
    if SHOT_DIR and shot is not None:
        os.makedirs(SHOT_DIR, exist_ok=True)
        shot.save_png(os.path.join(SHOT_DIR, name + ".png"))


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def wait_idle(g, timeout=300.0):
    """Waits until the program has used no processor time for half a second,
    that is until it has drawn every frame its queued keys asked for."""
    deadline = time.monotonic() + timeout
    last, since = cpu_ticks(g.process.pid), time.monotonic()
    while time.monotonic() < deadline:
        time.sleep(0.1)
        now = cpu_ticks(g.process.pid)
        if now != last:
            last, since = now, time.monotonic()
        elif time.monotonic() - since >= 0.5:
            break
    return g.wait_stable(30)


def press_many(g, name, count):
    """Sends count presses of one key at once and waits for the last frame."""
    subprocess.run(["xdotool", "mousemove", "--window", str(g.window), "20", "20"],
                   check=True, timeout=30)
    subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "2"] + [name] * count,
                   check=True, timeout=300)
    return wait_idle(g)


def wait_count(g, text, count, timeout=10.0):
    """Waits until standard output holds text `count` times."""
    deadline = time.monotonic() + timeout
    while g.stdout_bytes().count(text) < count:
        if time.monotonic() > deadline or not g.running():
            return False
        time.sleep(0.05)
    return True


class View:
    """Model units to window pixels for one zoom and window size, and the
    distances (in pixels) from a pixel to the figure's elements."""

    def __init__(self, scale, width=800, height=800):
        self.scale, self.width, self.height = scale, width, height

    def px(self, p):
        """Float pixel position of model point p; pixel (i, j) spans i..i+1."""
        return (self.width / 2 * (1 + self.scale * p[0]),
                self.height / 2 * (1 - self.scale * p[1]))

    def segment(self, a, b):
        (ax, ay), (bx, by) = self.px(a), self.px(b)

        def distance(x, y):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            return math.hypot(x - ax - t * dx, y - ay - t * dy)
        return distance

    def circle(self, centre, radius):
        cx, cy = self.px(centre)
        r = radius * self.scale * self.width / 2
        return lambda x, y: abs(math.hypot(x - cx, y - cy) - r)

    def disc(self, centre, radius_px):
        cx, cy = self.px(centre)
        return lambda x, y: max(0.0, math.hypot(x - cx, y - cy) - radius_px)

    def row(self, y):
        return lambda x, _y: abs(_y - y)

    def column(self, x):
        return lambda _x, y: abs(_x - x)


def close(rgb, colour, tolerance=60):
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, colour))


def marker_pixels(shot, centre, colour, avoid=(), radius=MARKER_RADIUS):
    """Pixels of the colour within radius of centre (float pixels) that no
    other element of that colour can have painted."""
    cx, cy = centre
    found = []
    for j in range(int(cy - radius) - 1, int(cy + radius) + 2):
        for i in range(int(cx - radius) - 1, int(cx + radius) + 2):
            x, y = i + 0.5, j + 0.5
            if not (0 <= i < shot.width and 0 <= j < shot.height):
                continue
            if math.hypot(x - cx, y - cy) > radius:
                continue
            if any(d(x, y) <= LINE_CLEARANCE for d in avoid):
                continue
            if close(shot.pixel(i, j), colour):
                found.append((x, y))
    return found


def centroid(points):
    return (sum(p[0] for p in points) / len(points), sum(p[1] for p in points) / len(points))


class Mesh:
    """What the mesh view shows k steps after the mode key (k < 0: reversed)."""

    def __init__(self, g, k, scale=0.2):
        self.g, self.k = g, k
        self.view = View(scale)
        self.total1 = k * g["angleStep"]
        self.total2 = g["gearRatio"] * self.total1

    def on_line(self, s):
        a = self.g["pressureAngle"]
        return (-s * math.cos(a), s * math.sin(a))

    def contacts(self):
        """Signed distances of the contact points, one base pitch apart."""
        g = self.g
        s0 = math.remainder(g["baseRadius1"] * self.total1, g["basePitch"])
        return [s for s in (s0 + n * g["basePitch"] for n in range(2, -3, -1))
                if -g["contactLimit1"] < s < g["contactLimit2"]]

    def blue_elements(self):
        g, v = self.g, self.view
        elements = [v.disc((0.0, 0.0), MARKER_RADIUS)]  # the pitch point's own marker
        for centre, r, angle in ((g["center1"], g["pitchRadius1"], self.total1),
                                 (g["center2"], g["pitchRadius2"], -self.total2)):
            c, s = r * math.cos(angle), r * math.sin(angle)
            cx, cy = centre
            elements.append(v.segment((cx + c, cy + s), (cx - c, cy - s)))
            elements.append(v.segment((cx + s, cy - c), (cx - s, cy + c)))
            elements.append(v.circle(centre, r))
        return elements

    def black_elements(self):
        g, v = self.g, self.view
        elements = [v.row(v.height / 2), v.column(v.width / 2)]  # the cross mark
        for n in ("1", "2"):
            if g["undercut" + n]:
                elements.append(v.circle(g["center" + n], g["undercutRadius" + n]))
        return elements

    def green_elements(self):
        g, v = self.g, self.view
        return [v.segment(g["interferencePoint1"], g["interferencePoint2"]),
                v.circle(g["center1"], g["baseRadius1"]),
                v.circle(g["center2"], g["baseRadius2"])]


class GearmeshTest(unittest.TestCase):
    # Pixels of its own colour a contact marker shows beside the flanks that
    # cross it (one fewer at the pitch point).
    MARKER_PIXELS_SHOWN = 3

    def start(self, counts):
        g = Gearmesh(counts + "\n")
        self.addCleanup(g.close)
        shot = g.wait_window(60)
        self.assertIsNotNone(shot)
        return g, shot

    # ------------------------------------------------------------ checks

    def assertLegend(self, shot, first_line_indented_by=None):
        """Five dark text lines at x = -0.9 and y = 0.9 ... 0.7."""
        for n, baseline in enumerate(LEGEND_BASELINES):
            dark = [i for j in range(baseline - 14, baseline + 4) for i in range(0, 390)
                    if close(shot.pixel(i, j), BLACK)]
            self.assertGreater(len(dark), 40, "legend line %d is not dark" % (n + 1))
            if n == 0:
                self.assertIn(min(dark), range(40, 45), "legend does not start at x = -0.9")
        if first_line_indented_by is not None:
            line, blanks = first_line_indented_by
            baseline = LEGEND_BASELINES[line]
            dark = [i for j in range(baseline - 14, baseline + 4) for i in range(0, 390)
                    if close(shot.pixel(i, j), BLACK)]
            # A blank of the 18-point font is 5 pixels wide.
            self.assertAlmostEqual(min(dark), 40 + 5 * blanks, delta=3)

    def assertOutlineDrawn(self, shot, g, gear, view, angle=0.0):
        """Red at the points of every copy of the gear's outline, the copies
        standing one angular pitch apart from `angle`."""
        outline = g["toothOutline%d" % gear]
        cx, cy = g["center%d" % gear]
        z = g["z%d" % gear]
        checked = 0
        for copy in range(z):
            turn = angle + copy * 2 * math.pi / z
            for x, y in outline[::6]:
                p = (cx + x * math.cos(turn) - y * math.sin(turn),
                     cy + x * math.sin(turn) + y * math.cos(turn))
                X, Y = view.px(p)
                if 5 <= X < view.width - 5 and 5 <= Y < view.height - 5:
                    checked += 1
                    self.assertTrue(shot.near(int(X), int(Y), RED, radius=2),
                                    "no tooth outline at pixel (%d, %d)" % (X, Y))
        self.assertGreater(checked, 20)

    def fraction_on_circle(self, shot, view, centre, radius, colour, degrees=range(-25, 26)):
        """Share of sample points of a circle about `centre` that show the colour."""
        hits = 0
        for d in degrees:
            a = math.radians(d)
            p = (centre[0] + radius * math.sin(a), centre[1] + radius * math.cos(a) *
                 (1 if centre[1] < 0 else -1))
            X, Y = view.px(p)
            hits += shot.near(int(X), int(Y), colour, radius=1, tolerance=60)
        return hits / len(degrees)

    def assertContactMarkers(self, shot, mesh, where):
        """Blue contact markers exactly at the contact points of this step and
        nowhere else along the line of action."""
        blue = mesh.blue_elements()
        expected = [mesh.view.px(mesh.on_line(s)) for s in mesh.contacts()]
        for X, Y in expected:
            # At the pitch point the contact marker covers the pitch point's own.
            at_pitch_point = math.hypot(X - 400, Y - 400) < 1.0
            found = marker_pixels(shot, (X, Y), BLUE, blue[1:] if at_pitch_point else blue,
                                  radius=10)
            inside = [p for p in found if math.hypot(p[0] - X, p[1] - Y) < MARKER_RADIUS + 0.5]
            # There the centre lines and pitch circles cross the disc and the
            # flanks cover two of its quarters: one pixel shows in each other one.
            self.assertGreaterEqual(len(inside), self.MARKER_PIXELS_SHOWN - at_pitch_point,
                                    "%s: no contact marker at (%.1f, %.1f)" % (where, X, Y))
            self.assertEqual(len(found), len(inside),
                             "%s: blue beside the marker at (%.1f, %.1f)" % (where, X, Y))
        s = -6.0
        while s < 6.0:
            X, Y = mesh.view.px(mesh.on_line(s))
            if 5 < X < 795 and 5 < Y < 795 and len(marker_pixels(shot, (X, Y), BLUE, blue)) >= 3:
                self.assertTrue(any(math.hypot(X - x, Y - y) < 8 for x, y in expected),
                                "%s: unexpected blue marker near (%.0f, %.0f)" % (where, X, Y))
            s += 0.05

    # ------------------------------------------------------------ tests

    def test_first_frame_shows_the_drive_gear(self):
        g, shot = self.start("20 40")
        geo = geometry(20, 40)
        view = View(0.2)
        save(shot, "mode1_20_40")
        self.assertLegend(shot)
        self.assertOutlineDrawn(shot, geo, 1, view)

        centre = geo["center1"]
        # Pitch circle as a chain line: blue along most of it, with gaps.
        chain = self.fraction_on_circle(shot, view, centre, 10.0, BLUE, degrees=[
            d / 4 for d in range(-100, 101)])
        self.assertGreater(chain, 0.5)
        self.assertLess(chain, 0.95)
        self.assertGreater(self.fraction_on_circle(shot, view, centre, geo["baseRadius1"], GREEN,
                                                   degrees=range(-25, 26, 2)), 0.4)
        self.assertGreater(self.fraction_on_circle(shot, view, centre, 11.0, YELLOW), 0.5)
        self.assertGreater(self.fraction_on_circle(shot, view, centre, 8.75, YELLOW), 0.5)
        self.assertGreater(self.fraction_on_circle(shot, view, centre, geo["undercutRadius1"],
                                                   BLACK), 0.4)
        # The vertical centre line runs up to the pitch point; above it only
        # the black cross hair through the gear's centre continues.
        below = sum(shot.near(400, y, BLUE, radius=1) for y in range(420, 790, 10))
        above = sum(shot.near(400, y, BLUE, radius=1) for y in range(150, 380, 10))
        self.assertGreater(below, 20)
        self.assertEqual(above, 0)
        self.assertTrue(all(shot.near(400, y, BLACK, radius=1) for y in range(150, 300, 10)))
        self.assertIsNone(g.key("Escape", redraw=False))
        self.assertEqual(g.exit_code(), 0)

    def test_mesh_view_marks_the_line_of_action(self):
        g, _ = self.start("20 40")
        geo = geometry(20, 40)
        shot = g.key("3")
        save(shot, "mode3_20_40")
        self.assertLegend(shot, first_line_indented_by=(3, 17))
        mesh = Mesh(geo, 0)
        view = mesh.view
        self.assertEqual(mesh.contacts(), [0.0])
        self.assertContactMarkers(shot, mesh, "first frame")
        # Gear 1 turned by one angular pitch, gear 2 half a turn and back by one of its own.
        self.assertOutlineDrawn(shot, geo, 1, view, angle=2 * math.pi / 20)
        self.assertOutlineDrawn(shot, geo, 2, view, angle=math.pi - 2 * math.pi / 40)

        green, black = mesh.green_elements(), mesh.black_elements()
        self.assertGreaterEqual(
            len(marker_pixels(shot, view.px(geo["interferencePoint1"]), GREEN, green)), 5)
        # Start and finish of meshing: here both mating tip circles end the path.
        for point in ("tipContactPoint2", "tipContactPoint1"):
            self.assertGreaterEqual(len(marker_pixels(shot, view.px(geo[point]), BLACK, black)),
                                    3, point)
        for point in ("undercutPoint1", "undercutPoint2"):
            X, Y = view.px(geo[point])
            if 0 < X < 800:
                self.assertEqual(marker_pixels(shot, (X, Y), BLACK, black), [], point)
        # The green path of contact between the interference points.
        samples = [i / 20 for i in range(-70, 70) if abs(i) > 4]
        on_path = sum(shot.near(*map(int, view.px(mesh.on_line(s))), GREEN, radius=1)
                      for s in samples)
        self.assertGreater(on_path / len(samples), 0.7)

        # Each s turns gear 1 by one angle step; R turns it back.
        for k, key in ((1, "s"), (2, "s"), (1, "R"), (0, "R")):
            shot = g.key(key)
            self.assertContactMarkers(shot, Mesh(geo, k), "after %s, step %d" % (key, k))
        self.assertIsNone(g.key("Escape", redraw=False))
        self.assertEqual(g.exit_code(), 0)

    def test_holding_s_runs_the_mesh_on(self):
        g, _ = self.start("20 40")
        geo = geometry(20, 40)
        g.key("3")
        shot = press_many(g, "s", 500)
        save(shot, "mode3_20_40_500_steps")
        mesh = Mesh(geo, 500)
        # 500 steps are 12.5 tooth pitches: two contacts half a base pitch either side.
        self.assertEqual(len(mesh.contacts()), 2)
        self.assertContactMarkers(shot, mesh, "after 500 steps")
        self.assertTrue(g.running())
        shot = g.key("3")
        self.assertContactMarkers(shot, Mesh(geo, 0), "restarted")

    def test_unlisted_keys_change_nothing(self):
        g, _ = self.start("20 40")
        first = g.key("3")
        for key in ("S", "Z", "x", "F1"):
            self.assertEqual(g.key(key, redraw=False), first, key)
        after_s = g.key("s")
        self.assertEqual(g.key("3"), first)
        self.assertEqual(g.key("s"), after_s)

    def test_zoom_scales_the_figure_but_not_the_markers(self):
        g, _ = self.start("20 40")
        geo = geometry(20, 40)
        tip1 = geo["center1"][1] + geo["tipRadius1"]  # top of gear 1's tip circle
        scale = 0.2
        for key, factor in (("w", 0.9), ("w", 0.9), ("W", 1 / 0.9)):
            shot = g.key(key)
            old_row = View(scale).px((0.0, tip1))[1]
            scale *= factor
            row = View(scale).px((0.0, tip1))[1]
            self.assertTrue(shot.near(416, int(row), YELLOW, radius=1), (key, row))
            self.assertFalse(shot.near(416, int(old_row), YELLOW, radius=1), (key, old_row))

        g.key("3")
        for key, presses in (("W", 4), ("w", 10)):
            shot = press_many(g, key, presses)
            scale *= (1 / 0.9 if key == "W" else 0.9) ** presses
            mesh = Mesh(geo, 0, scale)
            centre = mesh.view.px(geo["interferencePoint1"])
            found = marker_pixels(shot, centre, GREEN, mesh.green_elements(), radius=9)
            self.assertGreaterEqual(len(found), 5)
            reach = max(math.hypot(x - centre[0], y - centre[1]) for x, y in found)
            self.assertGreater(reach, 3.0)
            self.assertLess(reach, 4.8)

    def test_new_counts_through_z(self):
        g, _ = self.start("20 40")
        before = g.key("3")
        prompt = "z1 z2= ".encode()
        key_help_end = "ESCキーで　　：終了".encode()
        self.assertEqual(g.key("z", redraw=False), before)
        self.assertTrue(wait_count(g, prompt, 2))
        g.write("ten forty\n")
        self.assertTrue(wait_count(g, prompt, 3))
        g.write("10 40\n")
        self.assertTrue(wait_count(g, key_help_end, 2))
        # No redraw until the next key: the old mesh stays on the screen.
        self.assertEqual(g.wait_stable(), before)

        geo = geometry(10, 40)
        view = View(0.2)
        shot = g.key("s")
        save(shot, "mode1_10_40")
        self.assertLegend(shot)
        self.assertTrue(geo["undercut1"])
        self.assertOutlineDrawn(shot, geo, 1, view)
        self.assertGreater(self.fraction_on_circle(shot, view, geo["center1"],
                                                   geo["undercutRadius1"], BLACK), 0.4)
        shot = g.key("2")
        save(shot, "mode2_10_40")
        self.assertOutlineDrawn(shot, geo, 2, view, angle=0.0)
        shot = g.key("3")
        save(shot, "mode3_10_40")
        mesh = Mesh(geo, 0)
        self.assertContactMarkers(shot, mesh, "10/40 first frame")
        # Gear 1's undercut ends the path on its side.
        self.assertGreaterEqual(
            len(marker_pixels(shot, view.px(geo["undercutPoint1"]), BLACK, mesh.black_elements())),
            3)

    def test_z_after_the_input_has_ended_keeps_the_view(self):
        g, _ = self.start("20 40")
        g.key("3")
        g.close_stdin()
        g.key("z", redraw=False)
        self.assertTrue(g.running())
        shot = g.key("s")
        self.assertContactMarkers(shot, Mesh(geometry(20, 40), 1), "mesh goes on")

    def test_driven_gear_view(self):
        g, _ = self.start("20 40")
        geo = geometry(20, 40)
        shot = g.key("2")
        save(shot, "mode2_20_40")
        self.assertLegend(shot)
        self.assertOutlineDrawn(shot, geo, 2, View(0.2))
        self.assertEqual(g.key("s", redraw=False), shot)
        self.assertEqual(g.key("R", redraw=False), shot)

    def test_resized_window_squeezes_the_picture(self):
        g, shot = self.start("20 40")
        shot = g.resize(800, 400)
        save(shot, "mode1_20_40_800x400")
        self.assertEqual((shot.width, shot.height), (800, 400))
        view = View(0.2, 800, 400)
        # Gear 1's tip circle: at column 416 its top is now on row 160, not 320.
        X, Y = view.px((0.2, -10 + math.sqrt(11 ** 2 - 0.2 ** 2)))
        self.assertEqual(int(X), 416)
        self.assertTrue(shot.near(416, int(Y), YELLOW, radius=1))
        self.assertFalse(shot.near(416, 320, YELLOW, radius=1))
        # Teeth stay whole and squeezed: x as before, y halved.
        self.assertOutlineDrawn(shot, geometry(20, 40), 1, view)
        self.assertIsNone(g.key("Escape", redraw=False))
        self.assertEqual(g.exit_code(), 0)

    def test_escape_ends_every_mode_with_status_0(self):
        for mode in ("1", "2", "3"):
            with self.subTest(mode=mode):
                g, _ = self.start("12 30")
                g.key(mode, redraw=mode != "1")
                self.assertIsNone(g.key("Escape", redraw=False))
                self.assertEqual(g.exit_code(), 0)

    def test_mesh_at_the_deepest_zoom(self):
        g, _ = self.start("20 40")
        press_many(g, "W", 200)
        shot = g.key("3")
        self.assertTrue(g.running())
        save(shot, "mode3_20_40_W200")
        self.assertLegend(shot)
        # At zoom 1000 the window spans two thousandths of a module: the first
        # mesh frame shows the flanks touching at the pitch point, the green
        # line of action through it, and the two pitch circles as one straight
        # blue line across the window.
        self.assertTrue(shot.near(400, 400, RED, radius=3))
        X, Y = View(1000.0).px((0.0004 * math.cos(math.radians(20)),
                                -0.0004 * math.sin(math.radians(20))))
        self.assertTrue(shot.near(int(X), int(Y), GREEN, radius=2))
        self.assertTrue(shot.near(100, 400, BLUE, radius=1))
        # One step turns gear 1 by baseRadius1 x angleStep = 0.074 modules at
        # the pitch circle, some 30,000 pixels: the flanks leave the window.
        shot = g.key("s")
        self.assertTrue(g.running())
        self.assertFalse(shot.near(400, 400, RED, radius=3))
        self.assertTrue(shot.near(int(X), int(Y), GREEN, radius=2))

    def test_zooming_out_stops_at_the_bound(self):
        g, _ = self.start("20 40")
        # The cross hair runs through gear 1's centre, 400 x viewScale x 10
        # pixels below the window centre: 4 pixels at the lowest zoom, 0.001.
        shot = press_many(g, "w", 200)
        self.assertTrue(g.running())
        save(shot, "mode1_20_40_w200")
        self.assertLegend(shot)
        self.assertTrue(shot.near(100, 404, BLACK, radius=0))
        self.assertFalse(shot.near(100, 400, BLACK, radius=0))
        shot = press_many(g, "W", 10)
        row = View(0.001 / 0.9 ** 10).px((0.0, -10.0))[1]
        self.assertTrue(shot.near(100, int(row), BLACK, radius=1))
        self.assertFalse(shot.near(100, 404, BLACK, radius=1))


if __name__ == "__main__":
    unittest.main()
