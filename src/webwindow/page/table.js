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

export function tableRows(traffic, sortKey, ascending) {
  const centre = centreOf(traffic);
  const rows = traffic.aircraft.map((aircraft) => ({ ...aircraft, distance_nm: distanceNm(centre, aircraft) }));
  rows.sort((a, b) => {
    const left = a[sortKey] ?? '';
    const right = b[sortKey] ?? '';
    const order = typeof left === 'number' && typeof right === 'number' ? left - right : String(left).localeCompare(String(right));
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

export class AircraftTable {
  constructor(table, onSelect) {
    this.table = table;
    this.onSelect = onSelect;
    this.sortKey = 'distance_nm';
    this.ascending = true;
    this.selected = null;
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
  }

  render(traffic) {
    this.traffic = traffic;
    if (!traffic) return;
    const body = this.table.tBodies[0];
    body.replaceChildren();
    for (const row of tableRows(traffic, this.sortKey, this.ascending)) {
      const line = body.insertRow();
      line.dataset.hexid = String(row.hexid);
      if (row.hexid === this.selected) line.classList.add('selected');
      for (const [key] of COLUMNS) line.insertCell().textContent = cellText(row, key);
      line.addEventListener('click', () => this.onSelect(row.hexid));
    }
  }
}
