// In-page windows at stored rectangles: moved onto the page when stored off it, and reported only
// when the user moves or resizes them, so an unmoved window's stored rectangle stays as it was.

const MIN_WIDTH = 160;
const MIN_HEIGHT = 80;
const desktop = () => document.getElementById('desktop');
let topmost = 1;

/** rect moved and shrunk to lie within the desktop; the stored rectangle is not changed. */
export function onPage(rect, width, height) {
  const w = Math.max(MIN_WIDTH, Math.min(rect.right - rect.left, width));
  const h = Math.max(MIN_HEIGHT, Math.min(rect.bottom - rect.top, height));
  const left = Math.min(Math.max(rect.left, 0), Math.max(width - w, 0));
  const top = Math.min(Math.max(rect.top, 0), Math.max(height - h, 0));
  return { left, top, right: left + w, bottom: top + h };
}

function place(element, rect) {
  Object.assign(element.style, { left: `${rect.left}px`, top: `${rect.top}px`,
    width: `${rect.right - rect.left}px`, height: `${rect.bottom - rect.top}px` });
}

function rectOf(element) {
  const left = element.offsetLeft, top = element.offsetTop;
  return { left, top, right: left + element.offsetWidth, bottom: top + element.offsetHeight };
}

/** Follows the pointer from a press on handle, changing the window's rectangle with change. */
function track(handle, element, change, onMoved) {
  handle.addEventListener('pointerdown', (down) => {
    if (down.target.closest('button')) return;
    down.preventDefault();
    const start = rectOf(element);
    handle.setPointerCapture(down.pointerId);
    const move = (event) => place(element, change(start, event.clientX - down.clientX, event.clientY - down.clientY));
    const up = () => {
      handle.removeEventListener('pointermove', move);
      handle.removeEventListener('pointerup', up);
      const moved = rectOf(element);
      if (JSON.stringify(moved) !== JSON.stringify(start)) onMoved(moved);
    };
    handle.addEventListener('pointermove', move);
    handle.addEventListener('pointerup', up);
  });
}

const moved = (r, dx, dy) => ({ left: r.left + dx, top: r.top + dy, right: r.right + dx, bottom: r.bottom + dy });
const resized = (r, dx, dy) => ({ left: r.left, top: r.top, right: Math.max(r.left + MIN_WIDTH, r.right + dx),
  bottom: Math.max(r.top + MIN_HEIGHT, r.bottom + dy) });

/** A window titled title at the stored rect; onMoved(rect) after each move or resize by the user. */
export function openWindow({ id, title, rect, onMoved = () => {}, onClose = () => {} }) {
  document.getElementById(id)?.remove();
  const element = document.createElement('section');
  element.className = 'window';
  element.id = id;
  element.innerHTML = '<div class="title"><span></span><button title="Close">×</button></div>' +
    '<div class="body"></div><div class="resize"></div>';
  element.querySelector('.title span').textContent = title;
  element.querySelector('.title button').addEventListener('click', () => { element.remove(); onClose(); });
  element.addEventListener('pointerdown', () => { element.style.zIndex = ++topmost; });
  desktop().append(element);
  place(element, onPage(rect, desktop().clientWidth, desktop().clientHeight));
  const report = (now) => { element.dispatchEvent(new Event('resized')); onMoved(now); };
  track(element.querySelector('.title'), element, moved, report);
  track(element.querySelector('.resize'), element, resized, report);
  return { element, body: element.querySelector('.body') };
}
