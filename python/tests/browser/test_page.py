"""The page in headless Chromium: the tree, traces in their stored colours at the view model's
pixels, cursor readouts, a live acquisition, and what moving and saving write."""

from __future__ import annotations

import socket
from pathlib import Path

from conftest import GROUP, VIEWER
from page_driver import Server, open_module, open_page, wait
from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By

import zodavudaz

# The centre of a channel's band, in the data the page was sent, and that pixel of the plot.
PIXEL = """
const [selector, channel] = arguments;
const pane = document.querySelector(selector);
const g = pane.dygraph, data = pane.shown;
const series = data.series.find((each) => each.channel === channel);
const column = Math.floor(data.x.length / 2);
const [x, y] = g.toDomCoords(data.x[column], (series.low[column] + series.high[column]) / 2 + 0.5);
const pixel = g.hidden_.getContext('2d').getImageData(Math.round(x), Math.round(y), 1, 1).data;
return '#' + Array.from(pixel.slice(0, 3), (v) => v.toString(16).padStart(2, '0')).join('');
"""

# The closed outlines one redraw of a plot fills, its axes (whose lines close paths too) left out.
OUTLINES = """
const proto = CanvasRenderingContext2D.prototype, closePath = proto.closePath;
let count = 0;
proto.closePath = function closeCounted() { count += 1; return closePath.call(this); };
try {
  document.querySelector(arguments[0]).dygraph.updateOptions({ fillAlpha: 1, drawAxis: false });
} finally { proto.closePath = closePath; }
return count;
"""

# The path calls of one channel's band on a 100 × 100 area: two runs split by a missing point.
BAND = """
const [stepPlot, done] = arguments;
import('/envelope.js').then(({ envelopePlotter }) => {
  const calls = [], record = (name) => (...at) => calls.push([name, ...at]);
  const context = { save() {}, restore() {}, beginPath() {}, moveTo: record('M'), lineTo: record('L'),
                    closePath: record('Z'), fill: record('fill') };
  const points = [[0, 0.2, 0.4], [10, 0.5, 0.6], [20, NaN, NaN], [30, 0.1, 0.3], [40, 0.3, 0.5]]
    .map(([canvasx, top, bottom]) => ({ canvasx, y_top: top, y_bottom: bottom }));
  envelopePlotter({ dygraph: { getBooleanOption: () => stepPlot, getNumericOption: () => 1 }, drawingContext: context,
                    plotArea: { x: 0, y: 0, w: 100, h: 100 }, setName: 'CH1', color: '#f00', points });
  done(calls);
});
"""
# Up the tops, back along the bottoms; a step plot holds each value until the next point.
BANDS = {
    False: [["M", 0, 20], ["L", 10, 50], ["L", 10, 60], ["L", 0, 40], ["Z"],
            ["M", 30, 10], ["L", 40, 30], ["L", 40, 50], ["L", 30, 30], ["Z"], ["fill"]],
    True: [["M", 0, 20], ["L", 10, 20], ["L", 10, 50], ["L", 10, 60], ["L", 10, 40], ["L", 0, 40], ["Z"],
           ["M", 30, 10], ["L", 40, 10], ["L", 40, 30], ["L", 40, 50], ["L", 40, 30], ["L", 30, 30], ["Z"], ["fill"]],
}


def drag(page: webdriver.Chrome, window: str, dx: int, dy: int) -> None:
    title = page.find_element(By.CSS_SELECTOR, f"#{window} > .title > span")
    ActionChains(page).click_and_hold(title).move_by_offset(dx, dy).release().perform()


def section(file: Path, name: str) -> list[str]:
    lines = file.read_bytes().decode("latin-1").split("\r\n")
    start = lines.index(f"[{name}]") + 1
    return lines[start: next(i for i in range(start, len(lines)) if not lines[i] or lines[i].startswith("["))]


def test_tree_shows_each_module_and_empty_slot(page: webdriver.Chrome) -> None:
    modules = page.find_elements(By.CSS_SELECTOR, "li.module")
    assert [(item.get_attribute("data-station"), item.get_attribute("data-module")) for item in modules] == \
        [("0", "16"), ("9", "1"), ("9", "2")]
    assert [item.text.split(" Panel")[0] for item in modules] == ["1:ZO1", "Slot 1 ZOb10", "Slot 2 ZOb20"]
    assert [item.text for item in page.find_elements(By.CSS_SELECTOR, "li.empty")] == ["Slot 3 (empty)",
                                                                                      "Slot 4 (empty)"]


def test_viewer_draws_each_trace_in_its_stored_colour_and_reads_out_its_cursors(page: webdriver.Chrome) -> None:
    open_module(page, 9, 1, "Viewer")
    plot = "#viewer-9-1 .plot"
    assert [page.execute_script(PIXEL, plot, channel) for channel in (0, 1)] == ["#ff0000", "#0000ff"]
    page.find_element(By.XPATH, '//section[@id="viewer-9-1"]//button[text()="CH2"]').click()
    assert [page.execute_script(PIXEL, plot, channel) for channel in (0, 1)] == ["#808080", "#0000ff"]
    readout = page.find_element(By.CSS_SELECTOR, "#viewer-9-1 .readouts").text
    assert readout == "Δt 10 s; 1/Δt 0.1 Hz; ΔV CH1 10 V; ΔV CH2 10 V"
    # A band of a quad per pair of points, each the plot's full height here, took a software canvas
    # a quarter of a second to fill: each channel is one outline.
    assert page.execute_script(OUTLINES, plot) == 2


def test_band_is_one_outline_per_run_of_points_in_lines_or_steps(page: webdriver.Chrome) -> None:
    for step_plot, expected in BANDS.items():
        assert page.execute_async_script(BAND, step_plot) == expected, f"stepPlot {step_plot}"


def test_moved_panel_writes_its_placement(page: webdriver.Chrome, settings: Path) -> None:
    open_module(page, 9, 1, "Panel")
    drag(page, "panel-9-1", 30, -20)
    wait(page, lambda _: section(settings / "Mardel.tmp", "StationTest-Module1") ==
         ["WindowPos=0,1,-1,-1,-1,-1,50,380,450,680"], "the placement line")


def test_panel_stored_off_the_page_is_shown_on_it_and_stored_unchanged(page: webdriver.Chrome,
                                                                     settings: Path) -> None:
    open_module(page, 9, 2, "Panel")
    inside = page.execute_script("""const box = document.getElementById('panel-9-2').getBoundingClientRect();
        const desk = document.getElementById('desktop').getBoundingClientRect();
        return box.left >= desk.left && box.top >= desk.top && box.right <= desk.right && box.bottom <= desk.bottom
          && box.width === 400 && box.height === 300;""")
    assert inside
    assert section(settings / "Mardel.tmp", "StationTest-Module2") == ["WindowPos=0,1,-1,-1,-1,-1,-900,5000,-500,5300"]


def test_saved_viewer_writes_its_lines(page: webdriver.Chrome, settings: Path) -> None:
    open_module(page, 9, 1, "Viewer")
    drag(page, "viewer-9-1", -40, 25)
    page.find_element(By.CSS_SELECTOR, "#viewer-9-1 button.save").click()
    status = page.find_element(By.CSS_SELECTOR, "#viewer-9-1 .viewer-status")
    wait(page, lambda _: status.text.startswith("saved"), "the save")
    with zodavudaz.ViewerProperty.from_text(VIEWER) as record:
        record.group_from_text(GROUP)
        record.Left, record.Top, record.Right, record.Bottom = 260, 65, 960, 585
        expected = ["Product=ZOb10 test module", f"Viewer={record.to_text()}", f"Group1={record.group_to_text(0)}"]
    assert section(settings / "Mardel.ini", "StationTest-Module1") == expected


def test_a_restarted_server_is_reported(browser: webdriver.Chrome, stations: Path, tmp_path: Path) -> None:
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        port = str(probe.getsockname()[1])
    first = Server(stations, tmp_path, "--port", port)
    try:
        open_page(browser, first.url)
    finally:
        first.stop()
    second = Server(stations, tmp_path, "--port", port)
    try:
        status = browser.find_element(By.ID, "status")
        wait(browser, lambda _: "restarted" in status.text, "the restart")
    finally:
        second.stop()


def test_live_acquisition_arrives(page: webdriver.Chrome) -> None:
    open_module(page, 9, 2, "Viewer")
    station = '//li[@data-station="9"]/button[text()="{}"]'
    page.find_element(By.XPATH, station.format("Start")).click()
    status = page.find_element(By.CSS_SELECTOR, "#viewer-9-2 .viewer-status")
    try:
        wait(page, lambda _: status.text.startswith("acquisition"), "an acquisition")
    finally:
        page.find_element(By.XPATH, station.format("Stop")).click()
