// The aircraft table: one row per aircraft (tr[data-hexid]), sortable by any
// column; every text goes in as text, never as markup.
import { centreOf } from './picture.js';

export const COLUMNS = [
  ['callsign', 'Callsign'], ['type', 'Type'], ['airline', 'Airline'], ['registration', 'Registration'],
  ['state', 'State'], ['phase', 'Phase'], ['alt_ft', 'Altitude ft'], ['speed_kt', 'Speed kt'],
  ['distance_nm', 'Distance nm'], ['stand', 'Stand'], ['livery', 'Livery'],
];

export function distanceNm(from, to) {
  const toRad = Math.PI / 180;
  const dLat = (to.lat - from.lat) * toRad;
  const dLon = (to.lon - from.lon) * toRad;
  const a = Math.sin(dLat / 2) ** 2 + Math.cos(from.lat * toRad) * Math.cos(to.lat * toRad) * Math.sin(dLon / 2) ** 2;
  return 2 * 3437.7467707849396 * Math.asin(Math.min(1, Math.sqrt(a)));
}

// The page's own order of texts, made once: comparing through it is the
// same as localeCompare and much faster for a thousand rows.
const collator = new Intl.Collator();

export function tableRows(traffic, sortKey, ascending) {
  const centre = centreOf(traffic);
  const rows = traffic.aircraft.map((aircraft) => ({ ...aircraft, distance_nm: distanceNm(centre, aircraft) }));
  rows.sort((a, b) => {
    const left = a[sortKey] ?? '';
    const right = b[sortKey] ?? '';
    const order = typeof left === 'number' && typeof right === 'number' ? left - right : collator.compare(String(left), String(right));
    return ascending ? order : -order;
  });
  return rows;
}

function cellText(row, key) {
  const value = row[key];
  if (value === null || value === undefined) return '';
  if (key === 'alt_ft' || key === 'speed_kt') return String(Math.round(value));
  if (key === 'distance_nm') return value.toFixed(1);
  return String(value);
}

// Rows and cells stay from one picture to the next and only texts that
// changed are written: building a thousand rows anew twice a second took the
// page most of its time in style and layout.
export class AircraftTable {
  constructor(table, onSelect) {
    this.table = table;
    this.sortKey = 'distance_nm';
    this.ascending = true;
    this.selected = null;
    // The texts each row shows, so that the page's cells need not be read back.
    this.shown = [];
    const head = table.tHead.insertRow();
    for (const [key, title] of COLUMNS) {
      const cell = document.createElement('th');
      cell.textContent = title;
      cell.dataset.key = key;
      cell.addEventListener('click', () => {
        this.ascending = this.sortKey === key ? !this.ascending : true;
        this.sortKey = key;
        this.render(this.traffic);
      });
      head.appendChild(cell);
    }
    table.tBodies[0].addEventListener('click', (event) => {
      const line = event.target.closest('tr');
      if (line) onSelect(Number(line.dataset.hexid));
    });
  }

  render(traffic) {
    this.traffic = traffic;
    if (!traffic) return;
    const body = this.table.tBodies[0];
    const rows = tableRows(traffic, this.sortKey, this.ascending);
    while (body.rows.length > rows.length) body.deleteRow(-1);
    this.shown.length = rows.length;
    for (let index = body.rows.length; index < rows.length; ++index) {
      const line = body.insertRow();
      for (let column = 0; column < COLUMNS.length; ++column) line.insertCell();
      this.shown[index] = { hexid: null, selected: false, texts: [] };
    }
    rows.forEach((row, index) => {
      const line = body.rows[index];
      const shown = this.shown[index];
      if (shown.hexid !== row.hexid) {
        shown.hexid = row.hexid;
        line.dataset.hexid = String(row.hexid);
      }
      const selected = row.hexid === this.selected;
      if (shown.selected !== selected) {
        shown.selected = selected;
        line.classList.toggle('selected', selected);
      }
      COLUMNS.forEach(([key], column) => {
        const text = cellText(row, key);
        if (shown.texts[column] === text) return;
        shown.texts[column] = text;
        line.cells[column].textContent = text;
      });
    });
  }
}
