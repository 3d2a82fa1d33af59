// Calls of the server's JSON interface; a refused call throws an ApiError with the server's reason.

export class ApiError extends Error {
  constructor(status, text) {
    super(text);
    this.status = status;
  }
}

export async function call(method, path, body, signal) {
  const options = { method, signal, credentials: 'same-origin', headers: {} };
  if (body !== undefined) {
    options.body = JSON.stringify(body);
    options.headers['Content-Type'] = 'application/json';
  }
  const response = await fetch(path, options);
  const answer = response.headers.get('Content-Type')?.startsWith('application/json') ? await response.json() : {};
  if (!response.ok) throw new ApiError(response.status, answer.error || response.statusText);
  return answer;
}

export const get = (path, signal) => call('GET', path, undefined, signal);

export const modulePath = (station, module) => `/api/stations/${station}/modules/${module}`;

/** A source of requests of which only the latest counts: starting one aborts the one before. */
export class Latest {
  start() {
    this.controller?.abort();
    this.controller = new AbortController();
    return this.controller.signal;
  }

  get signal() {
    return this.controller?.signal;
  }
}

export const isAbort = (error) => error.name === 'AbortError';
