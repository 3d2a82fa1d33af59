"""The browser tests' driver: the front end's server on test stations, and one headless Chromium."""

from __future__ import annotations

import concurrent.futures
import shutil
import subprocess
import sys
from pathlib import Path

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

TOP = Path(__file__).resolve().parents[3]
START_SECONDS = 60
WAIT_SECONDS = 30
WINDOW = (1400, 900)


class Server:
    """zdz-frontend writing in place into folder, until stop()."""

    def __init__(self, stations: Path, folder: Path, *options: str) -> None:
        self.process = subprocess.Popen(
            [sys.executable, "-m", "zodavudaz_frontend", "--stations", str(stations), "--settings", str(folder),
             "--write-in-place", *options], stdout=subprocess.PIPE, text=True, cwd=TOP)
        line = ""
        while not line.startswith("http"):
            line = self.process.stdout.readline()  # type: ignore[union-attr]
            if not line:
                raise RuntimeError("the front end ended before printing its URL")
        self.url = line.strip()

    def stop(self) -> int:
        self.process.send_signal(2)
        return self.process.wait(timeout=30)


def _chromium() -> webdriver.Chrome:
    options = webdriver.ChromeOptions()
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     f"--window-size={WINDOW[0]},{WINDOW[1]}", "--force-device-scale-factor=1"):
        options.add_argument(argument)
    options.binary_location = shutil.which("chromium") or "/usr/bin/chromium"
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver") or "/usr/bin/chromedriver"),
                              options=options)
    driver.set_page_load_timeout(START_SECONDS)
    driver.set_script_timeout(WAIT_SECONDS)
    return driver


def start_browser() -> webdriver.Chrome:
    """Headless Chromium, given 60 s to start and one more try."""
    for attempt in range(2):
        starting = concurrent.futures.ThreadPoolExecutor(max_workers=1)
        try:
            return starting.submit(_chromium).result(timeout=START_SECONDS)
        except (WebDriverException, concurrent.futures.TimeoutError):
            if attempt:
                raise
        finally:
            starting.shutdown(wait=False)
    raise AssertionError("unreachable")


def wait(driver: webdriver.Chrome, condition, message: str = ""):  # type: ignore[no-untyped-def]
    return WebDriverWait(driver, WAIT_SECONDS).until(condition, message)


def open_page(driver: webdriver.Chrome, url: str) -> None:
    driver.get(url)
    wait(driver, lambda d: d.execute_script("return document.body.dataset.ready === 'yes'"), "the tree")


def open_module(driver: webdriver.Chrome, station: int, module: int, which: str) -> None:
    """Presses the tree's Panel or Viewer button of the module and waits for the window's plotted data or
    current values."""
    item = driver.find_element(By.CSS_SELECTOR, f'li.module[data-station="{station}"][data-module="{module}"]')
    item.find_element(By.XPATH, f'./button[text()="{which}"]').click()
    window = f"{which.lower()}-{station}-{module}"
    wait(driver, lambda d: d.execute_script(
        f"const w = document.getElementById('{window}');"
        "return Boolean(w && (w.querySelector('.plot')?.shown || w.querySelector('.current table')));"), window)
