#!/usr/bin/env python3
"""Builds the pages of the demo catalogue and checks them in headless Chromium, driven through
ChromeDriver's WebDriver HTTP interface: served over HTTP from 127.0.0.1 with each of CONTENT_TYPES,
and from file://. Optionally adds projects whose names hold characters that URLs reserve, and
saves a screenshot of each page."""
import argparse
import base64
import functools
import html
import http.server
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request

PAGES = {
    "projects_index.htm": "Index",
    "projects_short.htm": "Short Descriptions",
    "projects_long.htm": "Short Descriptions",
}
LINKS = {"Index": "projects_index.htm", "Short": "projects_short.htm", "Long": "projects_long.htm"}
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--disable-dev-shm-usage", "--window-size=1000,1300"]
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"
# Names that break a picture URL written as they are: an escape, a query, a fragment, the end of the
# attribute, a character reference; and characters beyond ASCII, which depend on the page's charset.
RESERVED_NAMES = ["Pct%41", "Q?", "Hash#1", 'Say "hi"', "Tom&amp", "Ωmega € 🌉"]
CONTENT_TYPES = ["text/html; charset=utf-8", "text/html; charset=windows-1252", "text/html"]
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def read_catalogue(path):
    """The demo catalogue's names, texts and picture counts, read straight from the file."""
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    projects, current = [], None
    i = 0
    while i < len(text):
        if text.startswith('"', i):
            key_end = text.index('"', i + 1)
            key = text[i + 1:key_end]
            rest = text[key_end + 2:]
            if rest.startswith('"'):
                end = rest.index('"\r\n', 1)
                value = rest[1:end]
                i = key_end + 2 + end + 3
            else:
                end = rest.index("\r\n")
                value = int(rest[:end])
                i = key_end + 2 + end + 2
            if key == "Name:":
                current = {"Name": value}
                projects.append(current)
            else:
                current[key] = value
        else:
            i += 1
    return projects


class WebDriver:
    def __init__(self, port, profile):
        self.base = "http://127.0.0.1:%d" % port
        body = {"capabilities": {"alwaysMatch": {
            "browserName": "chrome",
            "pageLoadStrategy": "normal",
            "timeouts": {"pageLoad": 30000, "script": 30000, "implicit": 0},
            "goog:chromeOptions": {"binary": "/usr/bin/chromium",
                                   "args": CHROMIUM_FLAGS + ["--user-data-dir=" + profile]},
        }}}
        self.session = self.call("POST", "/session", body)["sessionId"]

    def call(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as response:
                return json.loads(response.read())["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError("%s %s: %s" % (method, path, error.read()[:500])) from None

    def s(self, method, path, body=None):
        return self.call(method, "/session/" + self.session + path, body)

    def go(self, url):
        self.s("POST", "/url", {"url": url})

    def script(self, source, *args):
        return self.s("POST", "/execute/sync", {"script": source, "args": list(args)})

    def url(self):
        return self.s("GET", "/url")

    def click_link(self, text):
        element = self.s("POST", "/element", {"using": "link text", "value": text})[ELEMENT]
        self.s("POST", "/element/%s/click" % element, {})

    def screenshot(self, path):
        with open(path, "wb") as f:
            f.write(base64.b64decode(self.s("GET", "/screenshot")))

    def quit(self):
        self.s("DELETE", "")


def wait_for_images(driver):
    deadline = time.time() + 15
    while time.time() < deadline:
        if driver.script("return document.readyState === 'complete' && "
                         "Array.from(document.images).every(i => i.complete)"):
            return
        time.sleep(0.1)
    check(False, "images still loading at " + driver.url())


def local_file(site, base, src):
    """The file that a resolved picture URL stands for."""
    relative = urllib.parse.unquote(urllib.parse.urlparse(src).path)[len(urllib.parse.urlparse(base).path):]
    return os.path.join(site, relative)


def add_reserved_names(site):
    """Appends a project with two pictures for each of RESERVED_NAMES to the site's catalogue."""
    with open(os.path.join(site, "projects.txt"), "ab") as f:
        for name in RESERVED_NAMES:
            f.write(('"Name:","%s"\r\n"Location:","Loopback"\r\n"Short Description:","Reserved"\r\n'
                     '"Long Description:","Reserved characters"\r\n"Total Pictures:",2\r\n' % name).encode("utf-8"))
    demo_picture = os.path.join(site, "Thumbs", "Harbour Bridge_p1.gif")
    for name in RESERVED_NAMES:
        for k in (1, 2):
            shutil.copy(demo_picture, os.path.join(site, "Thumbs", "%s_p%d.gif" % (name, k)))


def expected_pictures(file_name, projects):
    """The picture files that a page shows, in the order of its <img> tags."""
    if file_name != "projects_long.htm":
        return [p["Name"] + "_p1.gif" for p in projects]
    return [p["Name"] + "_p%d.gif" % k for p in projects for k in range(1, p["Total Pictures:"] + 1)]


def check_page(driver, site, base, file_name, projects):
    driver.go(base + file_name)
    wait_for_images(driver)
    where = base + file_name
    check(driver.script("return document.title") == "Project List", "title of " + where)
    heading = driver.script("return (document.querySelector('table td') || {innerText: ''}).innerText.trim()")
    check(heading == PAGES[file_name], "heading of %s is %r" % (where, heading))
    text = driver.script("return document.body.innerText")
    for project in projects:
        # Names are written as they are: a "&amp" in one shows as "&".
        shown = html.unescape(project["Name"])
        check(shown in text, "%s does not show %r" % (where, shown))
        if file_name != "projects_index.htm":
            check(project["Location:"] in text, "%s does not show %r" % (where, project["Location:"]))

    images = driver.script("return Array.from(document.images).map(i => [i.src, i.naturalWidth])")
    expected = len(projects) if file_name != "projects_long.htm" else sum(max(p["Total Pictures:"], 0) for p in projects)
    check(len(images) == expected, "%s has %d pictures, expected %d" % (where, len(images), expected))
    loaded = broken = 0
    for (src, width), picture in zip(images, expected_pictures(file_name, projects)):
        requested = local_file(site, base, src)
        check(requested == os.path.join(site, "Thumbs", picture),
              "%s: %s asks for %r, not for %r" % (where, src, requested, picture))
        exists = os.path.isfile(requested)
        check((width > 0) == exists, "%s: %s has natural width %d, file %s" %
              (where, src, width, "exists" if exists else "missing"))
        if picture.rsplit("_p", 1)[0] in RESERVED_NAMES:
            check(width > 0, "%s: the picture %r does not load" % (where, picture))
        loaded += width > 0
        broken += width == 0
    check(loaded > 0, "no picture loaded on " + where)
    print("%s: %d pictures loaded, %d missing" % (where, loaded, broken), flush=True)

    for link, target in LINKS.items():
        driver.go(where)
        driver.click_link(link)
        deadline = time.time() + 15
        while driver.url() != base + target and time.time() < deadline:
            time.sleep(0.1)
        check(driver.url() == base + target, "link %s on %s leads to %s" % (link, where, driver.url()))
        heading = driver.script("return (document.querySelector('table td') || {innerText: ''}).innerText.trim()")
        check(heading == PAGES[target], "link %s on %s shows heading %r" % (link, where, heading))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tool", required=True, help="publish_pages_tool executable")
    parser.add_argument("--demo", required=True, help="folder with projects.txt and Thumbs/")
    parser.add_argument("--reserved-names", action="store_true",
                        help="add projects named with characters that URLs reserve")
    parser.add_argument("--screenshots", help="folder for page-index.png, page-short.png, page-long.png")
    args = parser.parse_args()

    signal.signal(signal.SIGALRM, lambda *_: sys.exit("browser test timed out"))
    signal.alarm(240)

    work = tempfile.mkdtemp(prefix="browser-pages-")
    site = os.path.join(work, "site")
    os.mkdir(site)
    # In UTF-8, so that names beyond Windows-1252 can be added.
    with open(os.path.join(args.demo, "projects.txt"), "rb") as f, open(os.path.join(site, "projects.txt"), "wb") as g:
        g.write(f.read().decode("cp1252").encode("utf-8"))
    shutil.copytree(os.path.join(args.demo, "Thumbs"), os.path.join(site, "Thumbs"))
    if args.reserved_names:
        add_reserved_names(site)
    projects = read_catalogue(os.path.join(site, "projects.txt"))
    result = subprocess.run([os.path.abspath(args.tool)], cwd=site, capture_output=True, text=True, timeout=60)
    if result.returncode != 0:
        sys.exit("building the pages failed: " + result.stdout + result.stderr)

    servers = []
    for content_type in CONTENT_TYPES:
        handler = type("Handler", (QuietHandler,),
                       {"extensions_map": {**QuietHandler.extensions_map, ".htm": content_type}})
        servers.append(http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(handler, directory=site)))
        threading.Thread(target=servers[-1].serve_forever, daemon=True).start()
    driver_port = free_port()
    chromedriver = subprocess.Popen(["chromedriver", "--port=%d" % driver_port],
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    driver = None
    try:
        deadline = time.time() + 20
        while True:
            try:
                urllib.request.urlopen("http://127.0.0.1:%d/status" % driver_port, timeout=2).read()
                break
            except OSError:
                if time.time() > deadline:
                    raise
                time.sleep(0.2)
        driver = WebDriver(driver_port, os.path.join(work, "profile"))
        bases = ["http://127.0.0.1:%d/" % server.server_address[1] for server in servers]
        bases.append("file://" + urllib.request.pathname2url(site) + "/")
        for base, served_as in zip(bases, CONTENT_TYPES + ["file"]):
            print("== " + served_as, flush=True)
            for file_name in PAGES:
                check_page(driver, site, base, file_name, projects)
        if args.screenshots:
            os.makedirs(args.screenshots, exist_ok=True)
            for file_name, shot in (("projects_index.htm", "page-index.png"),
                                    ("projects_short.htm", "page-short.png"),
                                    ("projects_long.htm", "page-long.png")):
                driver.go(bases[0] + file_name)
                wait_for_images(driver)
                driver.screenshot(os.path.join(args.screenshots, shot))
    finally:
        if driver:
            try:
                driver.quit()
            except Exception:
                pass
        chromedriver.terminate()
        try:
            chromedriver.wait(timeout=10)
        except subprocess.TimeoutExpired:
            chromedriver.kill()
        for server in servers:
            server.shutdown()
        shutil.rmtree(work, ignore_errors=True)

    if failures:
        sys.exit("%d check(s) failed" % len(failures))
    print("all pages checked over HTTP, with each of %d headers, and file://" % len(CONTENT_TYPES))


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


if __name__ == "__main__":
    main()
