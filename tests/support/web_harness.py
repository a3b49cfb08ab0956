"""Web harness: drives the page (build-web/site or $GEARMESH_SITE, and the
whole page in one file beside that folder) in one of three browsers:
headless Chromium through Selenium and chromedriver, WebKitGTK's MiniBrowser
through Selenium and WebKitWebDriver (it needs an X display: run the test
under tests/with-xvfb), or headless Firefox through Marionette, Firefox's
own remote protocol (Debian has no geckodriver).  Debian packages only:
chromium, chromium-driver, webkit2gtk-driver, firefox-esr, python3-selenium.

API
---
``Site(folder=None)``
    Context manager that serves the static folder (default $GEARMESH_SITE)
    with ``tools/serve-site`` on a free port of 127.0.0.1 and stops the
    server on leaving.  ``.url`` is the page's address.

``whole_page_url(folder=None)``
    The file: address of gearmesh.html beside the site's folder.

``ENGINE``: the browser a test gets unless it names one: $GEARMESH_BROWSER,
"chromium" (default), "webkit" or "firefox".  ``chromium_only`` skips a
test elsewhere (it needs Chromium's DevTools or its scale factor).

``Browser(scale=1, width=1400, height=1000, engine=ENGINE)``
    Context manager around one browser with a viewport of width x height CSS
    pixels; Chromium alone takes a device scale ``scale`` (devicePixelRatio).
    Chromium's console log is collected from every page it shows; the other
    two hand over none.
    ``.engine``                 "chromium", "webkit" or "firefox"
    ``.driver``                 the Selenium WebDriver (for Firefox a Marionette
                                object that answers the same calls Page makes)
    ``.open(url, prompt=True)`` loads (or reloads) the page, a link's fragment
                                included: the program starts afresh; waits for
                                the first prompt (or, prompt=False, for its first
                                text); returns a Page
    ``.load(url)``              loads a page and returns it, waiting for nothing
    ``.log()``                  console entries logged since the last call, kept
                                in ``.entries`` as well (always empty but in Chromium)
    ``.problems()``             entries of ``.entries`` at WARNING or SEVERE
    ``.screenshot()``           the browser's own screenshot as a harness.Screenshot
    ``.save_screenshot(name)``  the browser's own screenshot, as name.png in
                                $GEARMESH_SHOT_DIR (nothing when it is unset);
                                name_webkit.png, name_firefox.png from the others
                                unless name says which

``Page``: the open page.
    ``.output(stream="out")``   the text the program wrote to its console, its
                                standard output ("out") or error ("err") side,
                                without what the user typed
    ``.panel_text()``           everything the console panel shows
    ``.type_line(text)``        types text into the input line and presses Enter
    ``.key(*names, times=1)``   presses keys where the focus is ("3", "s", "R",
                                Keys.ESCAPE, ...), as a user at the keyboard
    ``.hold_key(name, seconds)`` holds a key down that long: the browser repeats it
                                (Chromium only)
    ``.button(label)``          the button element whose text is label
    ``.labels()``               the key buttons' labels, left to right
    ``.choose_language(name)``  clicks the language switch's button name
                                ("日本語", "English"); the browser remembers it
    ``.text_of(id)``            the text of the element with that id
    ``.box(id)``                the element's box on the screen in CSS pixels,
                                a dict of left, top, right, bottom, width, height
    ``.viewport()``             dict of the page's visible width and height and
                                its scrollWidth and scrollHeight
    ``.focused()``              id of the element that has the focus
    ``.title()``                the page's title
    ``.picture()``              the canvas's backing store as a harness.Screenshot
                                (read with toDataURL, decoded by ImageMagick)
    ``.script(js, *args)``      runs JavaScript in the page, returns its value

``page_frame(page)``, ``gearpair_frame(counts, mode, reverse, zoom, steps, shift=0)``
    The page's last frame as its recorder holds it, and the one `gearpair view
    --format json` records after the same keys, as JSON objects.
``assert_same_frame(test, drawn, expected, zoom)``
    The two frames primitive by primitive: modes, colours, widths, lighting
    and vertex counts equal, coordinates within 1e-9 model units (the
    browser's maths library and the native one may differ in the last bit);
    the texts and their positions equal.

Pixels: ``harness.Screenshot`` (pixel, count, near, centroid, save_png) and
``harness.model_to_pixel`` apply unchanged to the 800 by 800 drawing.
"""

import base64
import json
import os
import pathlib
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

from system_python import rerun_under_system_python

try:
    from selenium import webdriver
except ImportError:
    rerun_under_system_python()
    raise
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait
from selenium.webdriver.webkitgtk.options import Options as WebKitOptions

from harness import Screenshot

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROMPT_END = "z1 z2= "
ENGINE = os.environ.get("GEARMESH_BROWSER", "chromium")
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
chromium_only = unittest.skipUnless(ENGINE == "chromium", "needs Chromium")


def whole_page_url(folder=None):
    site = folder or os.environ.get("GEARMESH_SITE") or ""
    path = os.path.join(os.path.dirname(os.path.abspath(site)), "gearmesh.html")
    if not os.path.exists(path):
        raise RuntimeError("no %s: build it with tools/web --build-only" % path)
    return pathlib.Path(path).as_uri()


class Site:
    def __init__(self, folder=None):
        self.folder = folder or os.environ.get("GEARMESH_SITE")
        if not self.folder or not os.path.exists(os.path.join(self.folder, "index.html")):
            raise RuntimeError("no page in %r: build it with tools/web --build-only" % self.folder)
        self.server = None
        self.url = None

    def __enter__(self):
        self.server = subprocess.Popen([sys.executable, os.path.join(TOP, "tools", "serve-site"),
                                        self.folder, "0"],
                                       stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.url = self.server.stdout.readline().strip()
        if not self.url.startswith("http://127.0.0.1:"):
            self.server.kill()
            raise RuntimeError("serve-site did not start: %s" % self.server.stderr.read())
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        try:
            self.server.wait(10)
        except subprocess.TimeoutExpired:
            self.server.kill()
            self.server.wait()
        self.server.stdout.close()
        self.server.stderr.close()
        return False


def chromium(scale, width, height):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                     "--force-device-scale-factor=%s" % scale,
                     "--window-size=%d,%d" % (width, height),
                     "--no-first-run", "--no-default-browser-check"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def webkit():
    options = WebKitOptions()
    options.binary_location = MINIBROWSER
    options.add_argument("--automation")
    with warnings.catch_warnings():
        # Debian's Selenium 4.8 builds its WebKit session the old way and says so.
        warnings.simplefilter("ignore", DeprecationWarning)
        return webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver", options=options)


class Browser:
    def __init__(self, scale=1, width=1400, height=1000, engine=None):
        self.engine = engine or ENGINE
        if self.engine == "chromium":
            self.driver = chromium(scale, width, height)
        elif scale != 1:
            raise ValueError("only Chromium takes a device scale")
        elif self.engine == "webkit":
            self.driver = webkit()
        elif self.engine == "firefox":
            self.driver = Marionette()
        else:
            raise ValueError("no browser %r" % self.engine)
        self.entries = []
        # Make the viewport itself width x height: the window is larger by
        # what the browser keeps around it, and a window narrower than 500
        # pixels starts out at 500; once more where the first try fell short.
        for _ in range(2):
            inner = self.driver.execute_script("return [window.innerWidth, window.innerHeight];")
            if inner == [width, height]:
                break
            outer = self.driver.get_window_size()
            self.driver.set_window_size(outer["width"] + width - inner[0],
                                        outer["height"] + height - inner[1])

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.driver.quit()
        return False

    def load(self, url):
        if "#" in url:
            self.driver.get("about:blank")  # a new fragment alone would not reload the page
        self.driver.get(url)
        return Page(self)

    def open(self, url, timeout=30, prompt=True):
        """Loads url afresh (a link's fragment included) and waits for the
        program to start: for the first prompt, or with prompt=False for
        the page's program to exist and write its first text."""
        page = self.load(url)
        if prompt:
            WebDriverWait(self.driver, timeout).until(lambda _: page.output().endswith(PROMPT_END))
        else:
            WebDriverWait(self.driver, timeout).until(
                lambda _: page.script("return !!window.gearmeshProgram;") and page.output())
        return page

    def log(self):
        entries = self.driver.get_log("browser") if self.engine == "chromium" else []
        self.entries += entries
        return entries

    def problems(self):
        self.log()
        return [e for e in self.entries if e.get("level") in ("WARNING", "SEVERE")]

    def send_keys(self, names):
        if self.engine == "firefox":
            self.driver.press_keys(names)
            return
        actions = ActionChains(self.driver)
        for name in names:
            actions.send_keys(name)
        actions.perform()

    def screenshot(self):
        return decode_png(self.driver.get_screenshot_as_png())

    def save_screenshot(self, name):
        directory = os.environ.get("GEARMESH_SHOT_DIR")
        if directory:
            os.makedirs(directory, exist_ok=True)
            # Another browser's run of the same test keeps its own.
            suffix = "" if self.engine == "chromium" or self.engine in name else "_" + self.engine
            self.driver.save_screenshot(os.path.join(directory, name + suffix + ".png"))


class Marionette:
    """Headless Firefox through Marionette, on a port the browser picks, with
    a profile of its own that is removed on quit: the calls Page and Browser
    make of a Selenium WebDriver, and press_keys."""

    ELEMENT = "element-6066-11e4-a52e-4f735466cecf"  # the W3C element reference's key

    def __init__(self, timeout=60):
        self.profile = tempfile.mkdtemp(prefix="gearmesh-firefox-")
        with open(os.path.join(self.profile, "user.js"), "w") as f:
            f.write('user_pref("marionette.port", 0);\n')
        self.process = subprocess.Popen(
            ["firefox-esr", "--headless", "--marionette", "--no-remote", "--profile",
             self.profile], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, env=dict(os.environ, MOZ_HEADLESS="1"))
        self.socket = None
        self.last_id = 0
        try:
            # Firefox writes the port it listens on into the profile.
            port_file = os.path.join(self.profile, "MarionetteActivePort")
            deadline = time.monotonic() + timeout
            while not os.path.exists(port_file) or os.path.getsize(port_file) == 0:
                if time.monotonic() > deadline or self.process.poll() is not None:
                    raise RuntimeError("Firefox did not start Marionette")
                time.sleep(0.1)
            with open(port_file) as f:
                port = int(f.read())
            self.socket = socket.create_connection(("127.0.0.1", port), timeout=timeout)
            self.stream = self.socket.makefile("rb")
            self.receive()  # the greeting
            self.command("WebDriver:NewSession", {"capabilities": {}})
        except BaseException:
            self.quit()
            raise

    def receive(self):
        length = b""
        while not length.endswith(b":"):
            byte = self.stream.read(1)
            if not byte:
                raise RuntimeError("Marionette closed the connection")
            length += byte
        return json.loads(self.stream.read(int(length[:-1])))

    def command(self, name, parameters=None):
        self.last_id += 1
        data = json.dumps([0, self.last_id, name, parameters or {}]).encode()
        self.socket.sendall(str(len(data)).encode() + b":" + data)
        _, _, error, result = self.receive()
        if error:
            raise RuntimeError("%s: %s" % (name, error.get("message", error)))
        return result

    def get(self, url):
        self.command("WebDriver:Navigate", {"url": url})

    @property
    def title(self):
        return self.command("WebDriver:GetTitle")["value"]

    def execute_script(self, script, *args):
        return self.command("WebDriver:ExecuteScript",
                            {"script": script, "args": list(args)})["value"]

    def get_window_size(self):
        rect = self.command("WebDriver:GetWindowRect")
        return {"width": rect["width"], "height": rect["height"]}

    def set_window_size(self, width, height):
        self.command("WebDriver:SetWindowRect", {"width": width, "height": height})

    def find_elements(self, by, value):
        css = "#" + value if by == By.ID else value
        found = self.command("WebDriver:FindElements", {"using": "css selector", "value": css})
        return [MarionetteElement(self, e[self.ELEMENT]) for e in found]

    def find_element(self, by, value):
        found = self.find_elements(by, value)
        if not found:
            raise LookupError("no element %s %r" % (by, value))
        return found[0]

    def press_keys(self, names):
        presses = []
        for name in names:
            for key in name:
                presses += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.command("WebDriver:PerformActions",
                     {"actions": [{"type": "key", "id": "keyboard", "actions": presses}]})
        self.command("WebDriver:ReleaseActions")

    def get_screenshot_as_png(self):
        return base64.b64decode(self.command("WebDriver:TakeScreenshot", {"full": False})["value"])

    def save_screenshot(self, path):
        with open(path, "wb") as f:
            f.write(self.get_screenshot_as_png())

    def quit(self):
        if self.socket is not None:
            try:
                self.command("Marionette:Quit", {"flags": ["eForceQuit"]})
            except (OSError, RuntimeError):
                pass
            self.socket.close()
            self.socket = None
        try:
            self.process.wait(20)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class MarionetteElement:
    def __init__(self, driver, reference):
        self.driver = driver
        self.reference = reference

    def send_keys(self, text):
        self.driver.command("WebDriver:ElementSendKeys", {"id": self.reference, "text": text})

    def click(self):
        self.driver.command("WebDriver:ElementClick", {"id": self.reference})

    def is_enabled(self):
        return self.driver.command("WebDriver:IsElementEnabled", {"id": self.reference})["value"]

    @property
    def text(self):
        return self.driver.command("WebDriver:GetElementText", {"id": self.reference})["value"]


class Page:
    def __init__(self, browser):
        self.browser = browser
        self.driver = browser.driver

    def script(self, js, *args):
        return self.driver.execute_script(js, *args)

    def output(self, stream="out"):
        return self.script(
            "return Array.from(document.querySelectorAll('#console span.' + arguments[0]),"
            " s => s.textContent).join('');", stream)

    def panel_text(self):
        return self.script("return document.getElementById('console').textContent;")

    def type_line(self, text):
        line = self.driver.find_element(By.ID, "line")
        line.send_keys(text + Keys.ENTER)

    def key(self, *names, times=1):
        self.browser.send_keys(list(names) * times)

    def hold_key(self, name, seconds):
        """Holds a key down through the DevTools protocol with auto-repeat,
        as a keyboard does; returns the number of key presses sent."""
        text = name if len(name) == 1 else ""
        code = "Key" + name.upper() if name.isalpha() else "Digit" + name
        params = {"key": name, "code": code, "text": text, "unmodifiedText": text,
                  "windowsVirtualKeyCode": ord(name.upper())}
        presses = 0
        deadline = time.monotonic() + seconds
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", dict(params, type="keyDown"))
        presses += 1
        time.sleep(0.66)
        while time.monotonic() < deadline:
            self.driver.execute_cdp_cmd("Input.dispatchKeyEvent",
                                        dict(params, type="keyDown", autoRepeat=True))
            presses += 1
            time.sleep(0.04)
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", dict(params, type="keyUp"))
        return presses

    def button(self, label):
        for button in self.driver.find_elements(By.CSS_SELECTOR, "#keys button"):
            if button.text == label:
                return button
        raise LookupError("no button %r" % label)

    def labels(self):
        return [b.text for b in self.driver.find_elements(By.CSS_SELECTOR, "#keys button")]

    def choose_language(self, name):
        for button in self.driver.find_elements(By.CSS_SELECTOR, "#language-switch button"):
            if button.text == name:
                button.click()
                return
        raise LookupError("no language %r" % name)

    def text_of(self, element_id):
        return self.script("return document.getElementById(arguments[0]).textContent;",
                           element_id)

    def box(self, element_id):
        return self.script("const r = document.getElementById(arguments[0])"
                           ".getBoundingClientRect(); return {left: r.left, top: r.top,"
                           " right: r.right, bottom: r.bottom, width: r.width,"
                           " height: r.height};", element_id)

    def viewport(self):
        return self.script("const e = document.documentElement; return {width: e.clientWidth,"
                           " height: e.clientHeight, scrollWidth: e.scrollWidth,"
                           " scrollHeight: e.scrollHeight};")

    def focused(self):
        return self.script("return document.activeElement ? document.activeElement.id : null;")

    def title(self):
        return self.driver.title

    def picture(self):
        url = self.script("return document.getElementById('drawing').toDataURL('image/png');")
        return decode_png(base64.b64decode(url.split(",", 1)[1]))


def decode_png(data):
    """A PNG as a Screenshot, through ImageMagick's convert (alpha dropped)."""
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    width, height = struct.unpack(">II", data[16:24])
    rgb = subprocess.run(["convert", "png:-", "-alpha", "off", "-depth", "8", "rgb:-"],
                         input=data, capture_output=True, check=True, timeout=60).stdout
    return Screenshot(width, height, rgb)


def page_frame(page):
    return json.loads(page.script(
        "const m = window.gearmesh;"
        " return m.UTF8ToString(m._webFrameJson(window.gearmeshProgram));"))


def gearpair_frame_json(*args):
    """The frame `gearpair view ARGS --format json` records."""
    return json.loads(subprocess.run([os.environ["GEARPAIR"], "view", *args, "--format", "json"],
                                     check=True, capture_output=True, timeout=60).stdout)


def gearpair_frame(counts, mode, reverse, zoom, steps, shift=0):
    args = [str(counts[0]), str(counts[1]), "--mode", mode, "--zoom", str(zoom),
            "--steps", str(steps), "--shift", repr(shift)]
    if reverse:
        args.append("--reverse")
    return gearpair_frame_json(*args)


def assert_same_frame(test, drawn, expected, zoom=0):
    test.assertFalse(drawn["overflowed"])
    test.assertLessEqual(drawn["submittedVertices"], 100000)
    # View units per model unit: 1e-9 model units is this many view units.
    tolerance = 1e-9 * min(1000.0, max(0.001, 0.2 / 0.9 ** zoom))
    test.assertEqual(len(drawn["primitives"]), len(expected["primitives"]))
    for i, (a, b) in enumerate(zip(drawn["primitives"], expected["primitives"])):
        test.assertEqual([a[k] for k in ("mode", "colour", "lineWidth", "lighting")],
                         [b[k] for k in ("mode", "colour", "lineWidth", "lighting")],
                         "primitive %d" % i)
        test.assertEqual(len(a["vertices"]), len(b["vertices"]), "primitive %d" % i)
        worst = max((abs(p - q) for u, v in zip(a["vertices"], b["vertices"])
                     for p, q in zip(u, v)), default=0.0)
        test.assertLessEqual(worst, tolerance, "primitive %d" % i)
    test.assertEqual([t["text"] for t in drawn["texts"]], [t["text"] for t in expected["texts"]])
    test.assertEqual([t["position"] for t in drawn["texts"]],
                     [t["position"] for t in expected["texts"]])
