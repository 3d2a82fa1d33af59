// The page: the station tree, module panels and viewers, and the live connection.

import { get } from './api.js';
import { Live } from './live.js';
import { openPanel } from './panel.js';
import { showTree } from './tree.js';
import { Viewer } from './viewer.js';

const statusLine = document.getElementById('status');

/** Shows a message, or an error's reason, in the header; null clears it. */
function report(message, lasting = false) {
  const text = message instanceof Error ? message.message : message;
  statusLine.textContent = text ?? '';
  statusLine.classList.toggle('warning', Boolean(text && (lasting || message instanceof Error)));
  statusLine.dataset.lasting = lasting ? 'yes' : '';
}

async function start() {
  const live = new Live({
    report: (text, lasting) => { if (!statusLine.dataset.lasting) report(text, lasting); },
    shown: () => [...Viewer.open.values()].map((viewer) => [viewer.station.id, viewer.module.id]),
    acquired: (message) => Viewer.open.get(`${message.station}/${message.module}`)?.acquired(message),
  });
  const actions = {
    panel: (station, module) => openPanel(station, module, report).catch(report),
    viewer: (station, module) => Viewer.show(station, module, report).then(() => live.update(), report),
  };
  showTree(document.getElementById('tree'), await get('/api/stations'), actions, report);
  document.body.dataset.ready = 'yes';
  live.connect();
}

start().catch(report);
