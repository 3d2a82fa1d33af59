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

/** An array the server sent packed: base64 of little-endian float64. */
export function unpacked(text) {
  const characters = atob(text);
  const bytes = new Uint8Array(characters.length);
  for (let i = 0; i < bytes.length; i += 1) bytes[i] = characters.charCodeAt(i);
  const view = new DataView(bytes.buffer), values = new Float64Array(bytes.length / 8);
  for (let i = 0; i < values.length; i += 1) values[i] = view.getFloat64(i * 8, true);
  return values;
}

/** A data answer with its times and each series' low, middle and high unpacked. */
export const unpackedData = (data) => ({
  ...data,
  x: unpacked(data.x),
  series: data.series.map((each) => ({
    ...each, low: unpacked(each.low), middle: unpacked(each.middle), high: unpacked(each.high),
  })),
});
