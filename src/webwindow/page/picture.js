// The plan view: north up around the user aircraft, the radius ring, the
// aircraft turned by their heading and coloured by their state. The
// geometry is pure and tested on its own; drawing takes a 2D context.

const NM_PER_DEGREE = 60;
const MARGIN_PX = 16;

export const STATE_COLOURS = {
  buffer: '#7f8c99',
  adding2sim: '#f1c40f',
  active: '#2ecc71',
  liveryrespawn: '#e67e22',
  removingfromsim: '#e74c3c',
};
export const STATIC_COLOUR = '#8a8a8a';

// Pixels per nautical mile so that the radius ring fits the canvas, times the zoom.
export function scaleFor(radiusNm, zoom, width, height) {
  const fit = Math.min(width, height) / 2 - MARGIN_PX;
  return (fit / Math.max(radiusNm, 0.1)) * zoom;
}

// Canvas position of a point: the user at the centre, north up.
export function project(centre, lat, lon, scale, width, height) {
  const eastNm = (lon - centre.lon) * NM_PER_DEGREE * Math.cos((centre.lat * Math.PI) / 180);
  const northNm = (lat - centre.lat) * NM_PER_DEGREE;
  return { x: width / 2 + eastNm * scale, y: height / 2 - northNm * scale };
}

export function ringRadiusPx(radiusNm, scale) {
  return radiusNm * scale;
}

export function colourOf(aircraft) {
  if (aircraft.kind === 'static') return STATIC_COLOUR;
  return STATE_COLOURS[String(aircraft.state).toLowerCase()] ?? '#ffffff';
}

// Where an aircraft is shown between two snapshots: t from 0 (before) to 1 (now).
export function between(before, now, t) {
  if (!before) return { lat: now.lat, lon: now.lon };
  const clamped = Math.min(Math.max(t, 0), 1);
  return { lat: before.lat + (now.lat - before.lat) * clamped, lon: before.lon + (now.lon - before.lon) * clamped };
}

// The centre of the view: the user, else the park airport, else the first aircraft.
export function centreOf(traffic) {
  if (traffic.user) return traffic.user;
  if (traffic.park_airport) return traffic.park_airport;
  if (traffic.aircraft.length > 0) return traffic.aircraft[0];
  return { lat: 0, lon: 0 };
}

// The arrow of an aircraft: nose, right wing tip, tail notch, left wing tip.
const ARROW = [[0, -7], [5, 6], [0, 3], [-5, 6]];

// Adds the arrow at a canvas point, turned by the heading, to a path; a fill
// closes it, a stroke needs it closed.
function addArrow(path, at, headingDeg) {
  const angle = (headingDeg * Math.PI) / 180;
  const cos = Math.cos(angle);
  const sin = Math.sin(angle);
  ARROW.forEach(([x, y], index) => {
    const px = at.x + x * cos - y * sin;
    const py = at.y + x * sin + y * cos;
    if (index === 0) path.moveTo(px, py);
    else path.lineTo(px, py);
  });
}

function drawAircraft(context, at, headingDeg, colour, selected) {
  const path = new Path2D();
  addArrow(path, at, headingDeg);
  path.closePath();
  context.fillStyle = colour;
  context.fill(path);
  if (selected) {
    context.strokeStyle = '#ffffff';
    context.lineWidth = 1.5;
    context.stroke(path);
  }
}

// Draws one frame. `view`: {zoom, selected hexid, t between snapshots, before: Map hexid -> {lat, lon}}.
// The arrows of one colour are filled as one path and the labels written
// after them: a thousand aircraft take one fill per colour instead of a
// save, turn, fill and restore each.
export function drawPicture(context, traffic, view) {
  const { width, height } = context.canvas;
  context.clearRect(0, 0, width, height);
  const centre = centreOf(traffic);
  const scale = scaleFor(traffic.radius_nm || 40, view.zoom, width, height);
  context.strokeStyle = '#3d6b8f';
  context.lineWidth = 1;
  context.beginPath();
  context.arc(width / 2, height / 2, ringRadiusPx(traffic.radius_nm || 40, scale), 0, 2 * Math.PI);
  context.stroke();
  context.font = '11px system-ui, sans-serif';
  context.fillStyle = '#3d6b8f';
  context.fillText(`${traffic.radius_nm} nm`, width / 2 + 4, height / 2 - ringRadiusPx(traffic.radius_nm || 40, scale) + 12);
  context.strokeStyle = '#555';
  for (const stand of traffic.stands) {
    const at = project(centre, stand.lat, stand.lon, scale, width, height);
    context.strokeRect(at.x - 2, at.y - 2, 4, 4);
  }
  const arrows = new Map();
  const labels = [];
  let selected = null;
  for (const aircraft of traffic.aircraft) {
    const place = between(view.before?.get(aircraft.hexid), aircraft, view.t ?? 1);
    const at = project(centre, place.lat, place.lon, scale, width, height);
    if (at.x < -20 || at.y < -20 || at.x > width + 20 || at.y > height + 20) continue;
    const colour = colourOf(aircraft);
    if (!arrows.has(colour)) arrows.set(colour, new Path2D());
    addArrow(arrows.get(colour), at, aircraft.heading_deg);
    if (aircraft.hexid === view.selected) selected = { at, aircraft, colour };
    labels.push([aircraft.callsign || aircraft.registration || '', at.x + 8, at.y - 6]);
  }
  for (const [colour, path] of arrows) {
    context.fillStyle = colour;
    context.fill(path);
  }
  if (selected) drawAircraft(context, selected.at, selected.aircraft.heading_deg, selected.colour, true);
  context.fillStyle = '#d0d0d0';
  for (const [text, x, y] of labels) context.fillText(text, x, y);
  if (traffic.user) drawAircraft(context, { x: width / 2, y: height / 2 }, traffic.user.heading_deg, '#00bfff', false);
  return scale;
}

// The aircraft nearest to a canvas point within 10 px, for picking in the picture.
export function aircraftAt(traffic, x, y, scale, width, height) {
  const centre = centreOf(traffic);
  let best = null;
  let bestDistance = 10;
  for (const aircraft of traffic.aircraft) {
    const at = project(centre, aircraft.lat, aircraft.lon, scale, width, height);
    const distance = Math.hypot(at.x - x, at.y - y);
    if (distance <= bestDistance) {
      best = aircraft;
      bestDistance = distance;
    }
  }
  return best;
}
