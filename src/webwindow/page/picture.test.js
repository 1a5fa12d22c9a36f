// node --test src/webwindow/page/picture.test.js
import assert from 'node:assert/strict';
import { test } from 'node:test';

import { aircraftAt, between, centreOf, colourOf, project, ringRadiusPx, scaleFor } from './picture.js';
import { tableRows } from './table.js';

const width = 880;
const height = 560;

test('a point at the radius lies on the ring within 1 px, in every direction', () => {
  const user = { lat: 47.4621, lon: 8.5509 };
  for (const radiusNm of [2, 10, 40, 100]) {
    for (const zoom of [0.5, 1, 3]) {
      const scale = scaleFor(radiusNm, zoom, width, height);
      const ring = ringRadiusPx(radiusNm, scale);
      const north = project(user, user.lat + radiusNm / 60, user.lon, scale, width, height);
      assert.ok(Math.abs(Math.hypot(north.x - width / 2, north.y - height / 2) - ring) <= 1);
      const eastLon = user.lon + radiusNm / (60 * Math.cos((user.lat * Math.PI) / 180));
      const east = project(user, user.lat, eastLon, scale, width, height);
      assert.ok(Math.abs(east.x - width / 2 - ring) <= 1);
      assert.ok(Math.abs(east.y - height / 2) <= 1);
    }
  }
});

test('north is up and east is right', () => {
  const user = { lat: 10, lon: 20 };
  const scale = scaleFor(40, 1, width, height);
  assert.ok(project(user, 10.1, 20, scale, width, height).y < height / 2);
  assert.ok(project(user, 10, 20.1, scale, width, height).x > width / 2);
});

test('the ring fits the canvas at zoom 1', () => {
  const scale = scaleFor(40, 1, width, height);
  assert.ok(ringRadiusPx(40, scale) <= height / 2);
});

test('colours follow the state; static aircraft are grey', () => {
  assert.equal(colourOf({ kind: 'live', state: 'active' }), '#2ecc71');
  assert.equal(colourOf({ kind: 'static', state: 'active' }), '#8a8a8a');
});

test('motion between snapshots', () => {
  assert.deepEqual(between({ lat: 0, lon: 0 }, { lat: 1, lon: 2 }, 0.5), { lat: 0.5, lon: 1 });
  assert.deepEqual(between(undefined, { lat: 1, lon: 2 }, 0.5), { lat: 1, lon: 2 });
  assert.deepEqual(between({ lat: 0, lon: 0 }, { lat: 1, lon: 2 }, 3), { lat: 1, lon: 2 });
});

test('picking finds the aircraft under the pointer', () => {
  const traffic = {
    user: { lat: 47, lon: 8 },
    aircraft: [{ hexid: 1, lat: 47.1, lon: 8 }, { hexid: 2, lat: 46.9, lon: 8 }],
  };
  const scale = scaleFor(40, 1, width, height);
  const at = project(traffic.user, 47.1, 8, scale, width, height);
  assert.equal(aircraftAt(traffic, at.x + 3, at.y, scale, width, height).hexid, 1);
  assert.equal(aircraftAt(traffic, 0, 0, scale, width, height), null);
  assert.deepEqual(centreOf({ user: null, park_airport: null, aircraft: [] }), { lat: 0, lon: 0 });
});

test('the table sorts texts in the page collation and numbers by value, either way', () => {
  const traffic = {
    user: { lat: 47, lon: 8 },
    aircraft: [
      { hexid: 1, callsign: 'swr12', alt_ft: 900, lat: 47.3, lon: 8 },
      { hexid: 2, callsign: 'EZY9', alt_ft: 10000, lat: 47.1, lon: 8 },
      { hexid: 3, callsign: 'Ädria', alt_ft: 35000, lat: 47.2, lon: 8 },
      { hexid: 4, callsign: null, alt_ft: 0, lat: 47, lon: 8.1 },
    ],
  };
  const callsigns = traffic.aircraft.map((aircraft) => aircraft.callsign ?? '').sort((a, b) => a.localeCompare(b));
  assert.deepEqual(tableRows(traffic, 'callsign', true).map((row) => row.callsign ?? ''), callsigns);
  assert.deepEqual(tableRows(traffic, 'alt_ft', false).map((row) => row.hexid), [3, 2, 1, 4]);
  assert.deepEqual(tableRows(traffic, 'distance_nm', true).map((row) => row.hexid), [4, 2, 3, 1]);
});
