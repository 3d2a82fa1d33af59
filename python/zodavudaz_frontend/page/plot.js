// One pane of a waveform viewer drawn by dygraphs: each channel a min/max envelope (custom bars)
// with its trace line, every channel's range mapped onto one shared grid of divisions, cursors
// drawn over the plot with their readouts in each channel's own unit.

/* global Dygraph */

import { plotters } from './envelope.js';

const CURSOR_COLOUR = '#ffffff';

export const channelName = (channel) => `CH${channel + 1}`;

/** A value in divisions back in the channel's own unit. */
export const inUnit = (divisions, range, total) => range[0] + divisions / total * (range[1] - range[0]);

function timeFormatter(view) {
  if (view.timeFormat === 'points') return (x) => String(Math.round(x / (view.interval || 1)));
  if (view.timeFormat === 'clock' && view.timeStamp != null) {
    return (x) => new Date((view.timeStamp + x) * 1000).toISOString().substring(11, 23);
  }
  return (x) => `${Number(x.toPrecision(6))} s`;
}

function drawCursors(context, area, cursors) {
  context.save();
  context.strokeStyle = CURSOR_COLOUR;
  context.setLineDash([4, 3]);
  context.beginPath();
  for (const fraction of cursors.vertical || []) {
    context.moveTo(area.x + fraction * area.w, area.y);
    context.lineTo(area.x + fraction * area.w, area.y + area.h);
  }
  for (const fraction of cursors.horizontal || []) {
    context.moveTo(area.x, area.y + (1 - fraction) * area.h);
    context.lineTo(area.x + area.w, area.y + (1 - fraction) * area.h);
  }
  context.stroke();
  context.restore();
}

/** The readouts of the cursors: Δt and 1/Δt over the shown time, ΔV in each channel's unit. */
export function readouts(view, timeSpan, channels) {
  const parts = [];
  const { vertical, horizontal } = view.cursors;
  if (vertical) {
    const dt = Math.abs(vertical[1] - vertical[0]) * timeSpan;
    parts.push(`Δt ${Number(dt.toPrecision(6))} s`, `1/Δt ${dt ? Number((1 / dt).toPrecision(6)) : '∞'} Hz`);
  }
  if (horizontal) {
    for (const { channel, range, unit } of channels) {
      const dv = Math.abs(horizontal[1] - horizontal[0]) * (range[1] - range[0]);
      parts.push(`ΔV ${channelName(channel)} ${Number(dv.toPrecision(6))} ${unit}`);
    }
  }
  return parts.join('; ');
}

export class Plot {
  /** A pane in container for the entries (channels with their colours) of view's current tab. */
  constructor(container, view, entries, onZoom) {
    Object.assign(this, { container, view, entries, onZoom, ranges: {}, selected: null });
  }

  /** Each channel's colour: its own, or its other colour while another channel is selected. */
  colours() {
    return this.entries.map((entry) => (this.selected === null || entry.channel === this.selected ?
      entry.colour : entry.otherColour));
  }

  select(channel) {
    this.selected = this.entries.some((entry) => entry.channel === channel) ? channel : null;
    this.graph?.updateOptions({ colors: this.colours() });
  }

  options(labels) {
    const { view } = this;
    const units = (channel) => view.units[channel] ?? '';
    return {
      labels, customBars: true, plotter: plotters(), colors: this.colours(), fillAlpha: 1,
      strokeWidth: view.interpolation === 'points' ? 0 : 1, drawPoints: view.interpolation === 'points',
      pointSize: 2, stepPlot: view.interpolation === 'step', valueRange: [0, view.divisions],
      drawGrid: view.grid !== 'none', gridLinePattern: view.grid === 'dots' ? [1, 3] : null,
      gridLineColor: '#505050', axisLineColor: '#808080', legend: view.labels ? 'always' : 'never',
      labelsSeparateLines: true, animatedZooms: false, yRangePad: 0, xRangePad: 0,
      axes: {
        x: { axisLabelFormatter: timeFormatter(view), valueFormatter: timeFormatter(view) },
        y: {
          ticker: () => Array.from({ length: view.divisions + 1 }, (_, v) => ({ v, label: this.yLabel(v) })),
          valueFormatter: (v, _options, series) => {
            const channel = this.entries[labels.indexOf(series) - 1]?.channel;
            const range = this.ranges[channel];
            return range ? `${Number(inUnit(v, range, view.divisions).toPrecision(5))} ${units(channel)}` : String(v);
          },
        },
      },
      underlayCallback: (context, area) => drawCursors(context, area, view.cursors),
      zoomCallback: (low, high) => this.onZoom(low, high),
    };
  }

  /** The y axis is labelled in the first channel's own unit. */
  yLabel(v) {
    const first = this.entries[0];
    const range = first && this.ranges[first.channel];
    return range ? String(Number(inUnit(v, range, this.view.divisions).toPrecision(4))) : String(v);
  }

  /** Draws data, and counts the draws and their time on the container (the benchmark reads them). */
  show(data) {
    const started = performance.now();
    this.draw(data);
    const draws = this.container.draws || { count: 0, ms: 0 };
    this.container.draws = { count: draws.count + 1, ms: draws.ms + performance.now() - started };
  }

  draw(data) {
    this.container.shown = data;
    const series = data.series;
    series.forEach((each) => { this.ranges[each.channel] = each.range; });
    const rows = Array.from(data.x, (x, i) => [x, ...series.map((each) => [each.low[i], each.middle[i], each.high[i]])]);
    const labels = ['time', ...series.map((each) => channelName(each.channel))];
    if (!rows.length) rows.push([0, ...series.map(() => [null, null, null])]);
    if (!this.graph) {
      this.graph = new Dygraph(this.container, rows, this.options(labels));
      this.container.dygraph = this.graph;
    } else {
      this.graph.updateOptions({ file: rows, ...this.options(labels), dateWindow: null });
    }
  }

  resize() {
    this.graph?.resize();
  }
}
