"""Headless Chromium for the web player's tests and benchmarks: a fresh profile per browser, pages
opened from file:// as a player opens a downloaded page, and the phone's screen emulated."""
import os
import shutil
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By

from checks import Checks  # noqa: F401 (the tests take both from here)

CHROMIUM_FLAGS = ("--headless --no-sandbox --disable-gpu --disable-quic --no-first-run "
                  "--disable-background-networking --disable-component-update --disable-sync "
                  "--autoplay-policy=no-user-gesture-required").split()
DESKTOP = (1280, 900)  # wide enough for the program's three columns
PHONE = (390, 844)
READY_SECONDS = 20


class Browser:
    def __init__(self, downloads=None, accept_leaving=False):
        self.profile = tempfile.mkdtemp(prefix="fenok-web-")
        options = Options()
        if accept_leaving:  # a page that asks before it is left is answered yes
            options.set_capability("unhandledPromptBehavior", "accept")
        for flag in CHROMIUM_FLAGS:
            options.add_argument(flag)
        options.add_argument("--user-data-dir=" + self.profile)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"),
                                       options=options)
        if downloads:
            self.driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        self.screen(*DESKTOP)

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)

    def screen(self, width, height, mobile=False):
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})

    def open(self, path):
        """Opens the page and waits until its boxes are there; returns the milliseconds that took."""
        self.driver.get("file://" + os.path.abspath(path))
        return self.wait_ready()

    def reload(self):
        self.driver.refresh()
        return self.wait_ready()

    def wait_ready(self):
        deadline = time.time() + READY_SECONDS
        while time.time() < deadline:
            ready = self.driver.execute_script("return document.body && document.body.dataset.ready")
            if ready:
                return float(ready)
            if self.messages():
                return None  # the page said why it cannot play
            time.sleep(0.05)
        raise AssertionError("the page never became ready: " + self.messages())

    def run(self, script, *args):
        return self.driver.execute_script(script, *args)

    def find(self, css):
        return self.driver.find_element(By.CSS_SELECTOR, css)

    def finds(self, css):
        return self.driver.find_elements(By.CSS_SELECTOR, css)

    def messages(self):
        return self.run("const m = document.getElementById('messages'); return m ? m.innerText : ''")

    def errors(self):
        return [entry["message"] for entry in self.driver.get_log("browser") if entry["level"] == "SEVERE"]

    def shot(self, path):
        self.driver.save_screenshot(path)
