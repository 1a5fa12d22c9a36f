// The window in the page: controls at their rows, the status texts, the
// message strip, the plan view and the aircraft table, kept up to date by
// the event stream. Every change goes to the program as a command; the
// controls then show what the program answers.
import { aircraftAt, drawPicture } from './picture.js';
import { AircraftTable } from './table.js';

const SEPARATORS = [[140, 880], [168, 880], [196, 880], [224, 880], [252, 880], [280, 642], [308, 880]];
const ROW_START_X = 8;
const GAP_X = 14;
// A button and its edit box share a row two pixels apart (341/343, 369/371).
const SAME_ROW_PX = 4;
// Where the rows' texts sit next to their controls (the painted texts of the window).
const ROW_TEXTS = { 287: 'Collision avoidance:', 231: '' };

const statusArea = document.getElementById('status');
const controlsArea = document.getElementById('controls');
const messageStrip = document.getElementById('message');
const canvas = document.getElementById('picture');
const elements = new Map();
let traffic = null;
let previous = new Map();
let snapshotAt = performance.now();
const view = { zoom: 1, selected: null, before: previous, t: 1 };
const table = new AircraftTable(document.getElementById('aircraft'), (hexid) => {
  view.selected = hexid;
  table.selected = hexid;
  table.render(traffic);
});

async function send(command) {
  const response = await fetch('/api/command', {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(command),
  });
  if (response.ok) showWindow(await response.json());
}

function makeControl(control) {
  const box = document.createElement('div');
  box.className = 'control';
  box.dataset.controlId = control.id;
  let input;
  if (control.kind === 'check') {
    input = document.createElement('input');
    input.type = 'checkbox';
    input.addEventListener('click', (event) => {
      // The box shows the program's answer, not the click.
      event.preventDefault();
      send({ id: control.id });
    });
  } else if (control.kind === 'list') {
    input = document.createElement('select');
    for (const value of control.values) input.add(new Option(String(value), String(value)));
    input.addEventListener('change', () => send({ id: control.id, value: Number(input.value) }));
  } else if (control.kind === 'button') {
    input = document.createElement('button');
    input.textContent = control.label;
    input.addEventListener('click', () => send({ id: control.id }));
  } else {
    input = document.createElement('input');
    input.type = 'text';
    // While the user types, the box keeps the typed text; Enter hands it over.
    input.addEventListener('input', () => {
      input.dataset.typing = 'yes';
    });
    input.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter') return;
      delete input.dataset.typing;
      send({ id: control.id, text: input.value });
    });
    if (control.kind === 'text') box.classList.add('wide');
  }
  const label = document.createElement('span');
  label.textContent = control.kind === 'button' ? '' : control.label;
  if (control.kind === 'check') box.append(input, label);
  else box.append(label, input);
  controlsArea.appendChild(box);
  elements.set(control.id, { box, input });
}

// The controls come in row order; each row is filled from the left.
function layOut(controls) {
  let rowY = null;
  let x = ROW_START_X;
  for (const control of controls) {
    const { box } = elements.get(control.id);
    if (rowY === null || Math.abs(control.y - rowY) > SAME_ROW_PX) {
      rowY = control.y;
      x = ROW_START_X;
    }
    box.style.left = `${x}px`;
    box.style.top = `${control.y}px`;
    x += box.offsetWidth + GAP_X;
  }
}

function showControl(control) {
  const { input } = elements.get(control.id);
  input.disabled = !control.enabled;
  if (control.kind === 'check') input.checked = control.checked;
  if (control.kind === 'list') input.value = control.selected === null ? '' : String(control.selected);
  if ((control.kind === 'edit' || control.kind === 'text') && !input.dataset.typing) input.value = control.text;
}

function showWindow(window) {
  document.title = window.title;
  if (elements.size === 0) {
    for (const control of window.controls) makeControl(control);
    for (const [y, right] of SEPARATORS) {
      const line = document.createElement('div');
      line.className = 'separator';
      line.style.top = `${y}px`;
      line.style.width = `${right}px`;
      controlsArea.appendChild(line);
    }
    for (const [y, text] of Object.entries(ROW_TEXTS)) {
      if (!text) continue;
      const label = document.createElement('span');
      label.className = 'control';
      label.textContent = text;
      label.style.top = `${y}px`;
      label.style.right = '250px';
      controlsArea.appendChild(label);
    }
    layOut(window.controls);
  }
  for (const control of window.controls) showControl(control);
  statusArea.replaceChildren();
  for (const text of window.texts) {
    const span = document.createElement('span');
    span.textContent = text.text;
    span.style.left = `${text.x}px`;
    span.style.top = `${text.y}px`;
    span.style.color = text.colour;
    statusArea.appendChild(span);
  }
  messageStrip.textContent = window.message.text;
  messageStrip.style.background = window.message.brush;
}

function showTraffic(next) {
  previous = new Map((traffic?.aircraft ?? []).map((aircraft) => [aircraft.hexid, aircraft]));
  view.before = previous;
  snapshotAt = performance.now();
  traffic = next;
  table.render(traffic);
}

function frame(now) {
  if (traffic) {
    // Snapshots come twice a second: the aircraft glide from one to the next.
    view.t = (now - snapshotAt) / 500;
    view.scale = drawPicture(canvas.getContext('2d'), traffic, view);
  }
  requestAnimationFrame(frame);
}

canvas.addEventListener('wheel', (event) => {
  event.preventDefault();
  view.zoom = Math.min(Math.max(view.zoom * (event.deltaY < 0 ? 1.25 : 0.8), 0.25), 64);
});
canvas.addEventListener('click', (event) => {
  if (!traffic || !view.scale) return;
  const picked = aircraftAt(traffic, event.offsetX, event.offsetY, view.scale, canvas.width, canvas.height);
  view.selected = picked ? picked.hexid : null;
  table.selected = view.selected;
  table.render(traffic);
});

// The window's close button: the program closes down and ends.
document.getElementById('close').addEventListener('click', async () => {
  const response = await fetch('/api/close', { method: 'POST' });
  if (response.ok) document.getElementById('title').textContent = 'Closing ...';
});

const events = new EventSource('/api/events');
events.addEventListener('window', (event) => showWindow(JSON.parse(event.data)));
events.addEventListener('traffic', (event) => showTraffic(JSON.parse(event.data)));
requestAnimationFrame(frame);
