// A module panel: product, channels with their wave information, current values refreshed at the
// stored rate, back-up information, "Config" values and the front ends that use the module.

import { call, get, modulePath } from './api.js';
import { openWindow } from './windows.js';

const DEFAULT_RECT = { left: 40, top: 40, right: 560, bottom: 420 };
const WAVE_COLUMNS = [['channel', 'Channel'], ['name', 'Name'], ['points', 'Points'], ['type', 'Type'],
  ['interval', 'Interval (s)'], ['unit', 'Unit'], ['secondUnit', 'Second unit'], ['date', 'Date'], ['time', 'Time']];

function table(rows, head) {
  const element = document.createElement('table');
  if (head) element.createTHead().insertRow().append(...head.map((text) => Object.assign(
    document.createElement('th'), { textContent: text })));
  const body = element.createTBody();
  for (const row of rows) body.insertRow().append(...row.map((text) => Object.assign(
    document.createElement('td'), { textContent: text ?? '' })));
  return element;
}

function section(title, ...content) {
  const element = document.createElement('div');
  element.append(Object.assign(document.createElement('h4'), { textContent: title }), ...content);
  return element;
}

function note(text) {
  return Object.assign(document.createElement('p'), { className: 'note', textContent: text });
}

function usage(facts) {
  const users = facts.users.length ? facts.users.map((id) => `front end ${id}${id === facts.frontend ? ' (this one)' : ''}`)
    .join(', ') : 'none';
  return section('Used by', document.createTextNode(users), ...(facts.usageNote ? [note(facts.usageNote)] : []));
}

function currentValues(facts, report) {
  const cell = document.createElement('div');
  cell.className = 'current';
  const refresh = () => get(modulePath(facts.station, facts.module) + '/current').then((answer) => {
    cell.replaceChildren(answer.note ? note(answer.note) : table([answer.values.map((value) => value.toPrecision(6))],
      answer.values.map((_, index) => `CH${index + 1}`)));
  }, report);
  refresh();
  const timer = facts.refreshRate > 0 ? setInterval(refresh, 1000 / facts.refreshRate) : null;
  return { element: section(`Current values (${facts.refreshRate ? `${facts.refreshRate} per second` : 'once'})`,
    cell), stop: () => clearInterval(timer) };
}

export async function openPanel(station, module, report) {
  const path = modulePath(station.id, module.id);
  await call('POST', path + '/use');
  const facts = await get(path);
  let current;
  const { body } = openWindow({
    id: `panel-${station.id}-${module.id}`, title: `${station.name}: ${facts.name}`, rect: facts.rect || DEFAULT_RECT,
    onMoved: (rect) => call('PUT', path + '/placement', rect).catch(report),
    onClose: () => current.stop(),
  });
  current = currentValues(facts, report);
  body.append(
    table([['Product id', `0x${facts.productId.toString(16)}`], ['Product name', facts.productName],
      ['Channels', facts.channels]]),
    section('Wave information', table(facts.waves.map((wave) => WAVE_COLUMNS.map(([key]) => wave[key])),
      WAVE_COLUMNS.map(([, title]) => title))),
    current.element,
    section('Back-up information', document.createTextNode(facts.backup ?? 'none stored for this product')),
    section('Config', document.createTextNode(facts.config ?? 'none')),
    usage(facts));
}
