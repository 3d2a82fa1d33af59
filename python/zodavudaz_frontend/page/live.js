// The live connection: acquisitions pushed for the modules the page shows, a reconnect after a
// lost connection, and word of a restarted server, whose new URL the page needs.

import { ApiError, get } from './api.js';

const RETRY_MS = [250, 500, 1000, 2000, 4000];

export class Live {
  constructor({ shown, acquired, report }) {
    Object.assign(this, { shown, acquired, report, attempts: 0 });
  }

  connect() {
    this.socket = new WebSocket(`ws://${location.host}/api/live`);
    this.socket.addEventListener('open', () => { this.attempts = 0; this.update(); this.report(null); });
    this.socket.addEventListener('message', (event) => this.acquired(JSON.parse(event.data)));
    this.socket.addEventListener('close', () => this.lost());
  }

  /** Tells the server which modules the page shows. */
  update() {
    if (this.socket?.readyState === WebSocket.OPEN) this.socket.send(JSON.stringify({ show: this.shown() }));
  }

  async lost() {
    const wait = RETRY_MS[Math.min(this.attempts++, RETRY_MS.length - 1)];
    this.report(`connection lost: trying again in ${wait / 1000} s`);
    await new Promise((resolve) => { setTimeout(resolve, wait); });
    try {
      // A restarted server has a new token, which the cookie no longer matches (401).
      await get('/api/session');
      this.connect();
    } catch (error) {
      if (error instanceof ApiError && error.status === 401) {
        this.report('the server restarted: open the new URL it printed', true);
        return;
      }
      if (this.attempts >= RETRY_MS.length * 3) {
        this.report('the server is gone: if it restarted on a new port, open the new URL it printed', true);
      }
      this.lost();
    }
  }
}
