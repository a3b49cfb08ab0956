"""Web harness: drives the page (build-web/site or $GEARMESH_SITE) in headless
Chromium through Selenium and chromedriver.  Debian packages only:
chromium, chromium-driver, python3-selenium.

API
---
``Site(folder=None)``
    Context manager that serves the static folder (default $GEARMESH_SITE)
    with ``tools/serve-site`` on a free port of 127.0.0.1 and stops the
    server on leaving.  ``.url`` is the page's address.

``Browser(scale=1, width=1400, height=1000)``
    Context manager around one headless Chromium at device scale ``scale``
    (devicePixelRatio) in a window of width x height CSS pixels.  The
    browser's console log is collected from every page it shows.
    ``.driver``                 the Selenium WebDriver
    ``.open(url, prompt=True)`` loads (or reloads) the page, a link's fragment
                                included: the program starts afresh; waits for
                                the first prompt (or, prompt=False, for its first
                                text); returns a Page
    ``.log()``                  console entries logged since the last call, kept
                                in ``.entries`` as well
    ``.problems()``             entries of ``.entries`` at WARNING or SEVERE
    ``.save_screenshot(name)``  the browser's own screenshot, as name.png in
                                $GEARMESH_SHOT_DIR (nothing when it is unset)

``Page``: the open page.
    ``.output(stream="out")``   the text the program wrote to its console, its
                                standard output ("out") or error ("err") side,
                                without what the user typed
    ``.panel_text()``           everything the console panel shows
    ``.type_line(text)``        types text into the input line and presses Enter
    ``.key(*names, times=1)``   presses keys where the focus is ("3", "s", "R",
                                Keys.ESCAPE, ...), as a user at the keyboard
    ``.hold_key(name, seconds)`` holds a key down that long: the browser repeats it
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

Pixels: ``harness.Screenshot`` (pixel, count, near, centroid, save_png) and
``harness.model_to_pixel`` apply unchanged to the 800 by 800 drawing.
"""

import base64
import os
import struct
import subprocess
import sys
import time

from system_python import rerun_under_system_python

try:
    from selenium import webdriver
except ImportError:
    rerun_under_system_python()
    raise
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

from harness import Screenshot

TOP = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
PROMPT_END = "z1 z2= "


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


class Browser:
    def __init__(self, scale=1, width=1400, height=1000):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage",
                         "--force-device-scale-factor=%s" % scale,
                         "--window-size=%d,%d" % (width, height),
                         "--no-first-run", "--no-default-browser-check"):
            options.add_argument(argument)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.entries = []
        # Make the viewport itself width x height: the window is larger by
        # what the browser keeps around it, and a window narrower than 500
        # pixels starts out at 500.
        inner = self.driver.execute_script("return [window.innerWidth, window.innerHeight];")
        if inner != [width, height]:
            outer = self.driver.get_window_size()
            self.driver.set_window_size(outer["width"] + width - inner[0],
                                        outer["height"] + height - inner[1])

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.driver.quit()
        return False

    def open(self, url, timeout=30, prompt=True):
        """Loads url afresh (a link's fragment included) and waits for the
        program to start: for the first prompt, or with prompt=False for
        the page's program to exist and write its first text."""
        if "#" in url:
            self.driver.get("about:blank")  # a new fragment alone would not reload the page
        self.driver.get(url)
        page = Page(self)
        if prompt:
            WebDriverWait(self.driver, timeout).until(lambda _: page.output().endswith(PROMPT_END))
        else:
            WebDriverWait(self.driver, timeout).until(
                lambda _: page.script("return !!window.gearmeshProgram;") and page.output())
        return page

    def log(self):
        entries = self.driver.get_log("browser")
        self.entries += entries
        return entries

    def problems(self):
        self.log()
        return [e for e in self.entries if e.get("level") in ("WARNING", "SEVERE")]

    def save_screenshot(self, name):
        directory = os.environ.get("GEARMESH_SHOT_DIR")
        if directory:
            os.makedirs(directory, exist_ok=True)
            self.driver.save_screenshot(os.path.join(directory, name + ".png"))


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
        line.send_keys(text + "\n")

    def key(self, *names, times=1):
        actions = ActionChains(self.driver)
        for _ in range(times):
            for name in names:
                actions.send_keys(name)
        actions.perform()

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
