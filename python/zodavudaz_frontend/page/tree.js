// The station tree: stations, then their slots in connected groups with the modules' own name
// texts, empty slots, and the modules without a slot of their own.

import { call } from './api.js';

function item(text, className) {
  const li = document.createElement('li');
  li.textContent = text;
  if (className) li.className = className;
  return li;
}

function button(text, action) {
  const element = document.createElement('button');
  element.textContent = text;
  element.addEventListener('click', action);
  return element;
}

function moduleItem(station, module, actions) {
  const li = item(`${module.name} `, 'module');
  li.dataset.station = station.id;
  li.dataset.module = module.id;
  li.append(button('Panel', () => actions.panel(station, module)));
  if (module.channels) li.append(' ', button('Viewer', () => actions.viewer(station, module)));
  return li;
}

function slotItem(station, slot, actions) {
  return slot.module ? moduleItem(station, slot.module, actions) : item(`Slot ${slot.slot} (empty)`, 'empty');
}

function groupItem(station, group, actions) {
  if (group.slots.length === 1) return slotItem(station, group.slots[0], actions);
  const li = item(`Connected group, master slot ${group.master}`, 'group');
  const list = document.createElement('ul');
  list.append(...group.slots.map((slot) => slotItem(station, slot, actions)));
  li.append(list);
  return li;
}

function stationItem(station, actions, report) {
  const li = item(`${station.name} (${station.id}${station.model ? `, ${station.model}` : ''}) `, 'station');
  li.dataset.station = station.id;
  for (const action of ['start', 'stop']) {
    li.append(button(action === 'start' ? 'Start' : 'Stop', () =>
      call('POST', `/api/stations/${station.id}/${action}`).then(() => report(`${station.name}: ${action}`), report)));
  }
  const list = document.createElement('ul');
  list.append(...station.groups.map((group) => groupItem(station, group, actions)));
  if (station.extras.length) {
    const extras = item('Modules without a slot of their own');
    const inner = document.createElement('ul');
    inner.append(...station.extras.map((module) => moduleItem(station, module, actions)));
    extras.append(inner);
    list.append(extras);
  }
  li.append(list);
  return li;
}

export function showTree(container, stations, actions, report) {
  const list = document.createElement('ul');
  list.append(...stations.map((station) => stationItem(station, actions, report)));
  container.replaceChildren(list);
}
