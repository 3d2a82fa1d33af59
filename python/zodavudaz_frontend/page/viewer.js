// A waveform viewer: the module's stored settings drawn by the view model's rules, its groups as
// tabs, a zoom read again at full resolution, and a save that writes its record through the server.

import { call, get, isAbort, Latest, modulePath, unpackedData } from './api.js';
import { channelName, Plot, readouts } from './plot.js';
import { openWindow } from './windows.js';

function element(tag, properties = {}, ...children) {
  const made = Object.assign(document.createElement(tag), properties);
  made.append(...children);
  return made;
}

class Viewer {
  constructor(station, module, view, report) {
    Object.assign(this, { station, module, view, report, tab: view.currentTab, span: view.window, moved: null,
      latest: new Latest(), skipped: 0 });
    this.path = modulePath(station.id, module.id);
    const { element: frame, body } = openWindow({
      id: `viewer-${station.id}-${module.id}`, title: `${station.name}: ${view.name} viewer`, rect: view.rect,
      onMoved: (rect) => { this.moved = rect; this.status('moved: save to keep it'); },
      onClose: () => Viewer.open.delete(this.key),
    });
    frame.classList.add('viewer');
    frame.addEventListener('resized', () => this.panes.forEach((pane) => pane.resize()));
    this.frame = frame;
    this.build(body);
  }

  get key() { return `${this.station.id}/${this.module.id}`; }

  build(body) {
    this.tabs = element('div', { className: 'tabs', role: 'tablist' });
    this.statusLine = element('span', { className: 'viewer-status' });
    const tools = element('div', { className: 'tools' },
      element('button', { textContent: 'Save', className: 'save', onclick: () => this.save() }), ' ',
      element('button', { textContent: 'Whole', onclick: () => this.load(this.view.window) }), ' ',
      element('button', { textContent: 'PNG', onclick: () => this.png() }), ' ',
      element('button', { textContent: 'CSV', onclick: () => this.csv() }), ' ', this.statusLine);
    this.chips = element('div', { className: 'chips' });
    this.plots = element('div', { className: 'plots' });
    this.readout = element('div', { className: 'readouts' });
    const notes = this.view.notes.map((text) => element('li', { className: 'note', textContent: text }));
    const inspector = element('details', { className: 'inspector' }, element('summary', { textContent: 'Settings' }),
      element('ul', {}, ...notes), element('pre', { textContent: JSON.stringify(this.view.inspector, null, 1) }));
    body.append(this.tabs, this.chips, tools, this.plots, this.readout, inspector);
    Object.assign(body.style, { display: 'flex', flexDirection: 'column' });
    Object.assign(this.plots.style, { flex: '1', display: 'flex', flexDirection: 'column', minHeight: '120px' });
    this.showTabs();
  }

  showTabs() {
    this.tabs.replaceChildren(...this.view.tabs.map((tab, index) => element('button', {
      textContent: tab.name, role: 'tab', ariaSelected: String(index === this.tab),
      onclick: () => { this.tab = index; this.showTabs(); },
    })));
    this.makePanes();
    this.showChips();
    this.load(this.span);
  }

  /** A button per shown channel: selecting one draws the others in their other colour. */
  showChips() {
    this.selected = null;
    this.chips.replaceChildren(...this.visible().map((entry) => element('button', {
      textContent: channelName(entry.channel), className: 'chip', style: `color: ${entry.colour}`,
      onclick: () => {
        this.selected = this.selected === entry.channel ? null : entry.channel;
        this.panes.forEach((pane) => pane.select(this.selected));
      },
    })));
  }

  visible() {
    return this.view.tabs[this.tab].channels.filter((entry) => entry.visible);
  }

  /** One pane, or two when the settings split the viewer (the upper one taking the split share). */
  makePanes() {
    const entries = this.visible();
    const split = this.view.split && entries.length > 1 ? Math.ceil(entries.length / 2) : entries.length;
    const groups = [entries.slice(0, split), entries.slice(split)].filter((group) => group.length);
    const shares = groups.length > 1 ? [this.view.split, 1 - this.view.split] : [1];
    this.plots.replaceChildren();
    this.panes = groups.map((group, index) => {
      const container = element('div', { className: 'plot' });
      container.style.flex = `${shares[index]} 1 0`;
      this.plots.append(container);
      return new Plot(container, this.view, group, (low, high) => this.zoom(low, high));
    });
  }

  zoom(low, high) {
    const interval = this.view.interval || 1;
    const start = Math.max(0, Math.floor(low / interval));
    const end = Math.min(this.view.points, Math.ceil(high / interval) + 1);
    if (end > start) this.load([start, end]);
  }

  /** Reads span of every pane's channels, decimated to its width; a newer load wins. */
  async load(span) {
    this.span = span;
    const signal = this.latest.start();
    this.loading = true;
    try {
      await Promise.all(this.panes.map(async (pane) => {
        const channels = pane.entries.map((entry) => entry.channel).join(',');
        const columns = Math.max(1, pane.container.clientWidth || 600);
        const data = await get(`${this.path}/data?channels=${channels}&tab=${this.tab}&start=${span[0]}` +
          `&end=${span[1]}&columns=${columns}`, signal);
        pane.show(unpackedData(data));
      }));
      this.showReadouts();
    } catch (error) {
      if (!isAbort(error)) this.report(error);
    } finally {
      if (this.latest.signal === signal) this.loaded();
    }
  }

  /** After the latest load: once more if acquisitions came meanwhile. */
  loaded() {
    this.loading = false;
    if (this.waiting) {
      this.waiting = false;
      this.load(this.span);
    }
  }

  showReadouts() {
    const timeSpan = (this.span[1] - this.span[0]) * (this.view.interval || 1);
    const channels = this.panes.flatMap((pane) => pane.entries.map((entry) => ({ channel: entry.channel,
      range: pane.ranges[entry.channel], unit: this.view.units[entry.channel] })));
    this.readout.textContent = readouts(this.view, timeSpan, channels);
  }

  status(text) {
    this.statusLine.textContent = text;
  }

  /** An announced acquisition: drawn when the load under way ends, so that acquisitions faster
   *  than the server never starve the plot; those that came meanwhile count as skipped. */
  acquired(message) {
    this.skipped += message.skipped + (this.waiting ? 1 : 0);
    this.status(`acquisition ${message.number}${this.skipped ? `, ${this.skipped} skipped` : ''}`);
    if (this.loading) this.waiting = true;
    else this.load(this.span);
  }

  async save() {
    const changes = {};
    if (this.moved) changes.rect = this.moved;
    if (this.tab !== this.view.currentTab) changes.currentGroup = this.tab;
    try {
      const answer = await call('PUT', `${this.path}/viewer`, changes);
      this.status(answer.written.length ? `saved ${answer.written.join(', ')}` : 'nothing changed: nothing written');
    } catch (error) {
      this.report(error);
    }
  }

  /** The visible range of the shown channels at full resolution, as the server writes it. */
  csv() {
    const channels = this.visible().map((entry) => entry.channel).join(',');
    element('a', { href: `${this.path}/csv?channels=${channels}&start=${this.span[0]}&end=${this.span[1]}` }).click();
  }

  png() {
    const canvases = this.panes.flatMap((pane) => [...pane.container.querySelectorAll('canvas')]);
    const out = element('canvas', { width: this.plots.clientWidth, height: this.plots.clientHeight });
    const context = out.getContext('2d');
    const origin = this.plots.getBoundingClientRect();
    for (const canvas of canvases) {
      const box = canvas.getBoundingClientRect();
      context.drawImage(canvas, box.left - origin.left, box.top - origin.top, box.width, box.height);
    }
    element('a', { href: out.toDataURL('image/png'), download: `${this.view.name}.png` }).click();
  }

  static async show(station, module, report) {
    await call('POST', modulePath(station.id, module.id) + '/use');
    const view = await get(modulePath(station.id, module.id) + '/viewer');
    const viewer = new Viewer(station, module, view, report);
    Viewer.open.set(viewer.key, viewer);
    return viewer;
  }
}

Viewer.open = new Map();

export { Viewer, channelName };
