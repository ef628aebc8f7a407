// Generates calendar/solar_term_table.h, the days of the 24 solar terms of
// the Gregorian years 1900..2100 in Beijing time (UTC+8), and checks every
// term against a second, independent computation:
//
//   reference  lunar-javascript (its 寿星 astronomical calendar, the same
//              package the lunar year table comes from): the moment of each
//              term, already in Beijing time;
//   check      astronomy-engine: the moment the Sun's apparent geocentric
//              ecliptic longitude (true equinox of date, with nutation and
//              aberration) reaches 285 + 15k degrees for term k, in UT,
//              plus eight hours.
//
// The two may give different days only for a term within ten minutes of
// Beijing midnight, where the models' small differences (above all their
// extrapolated Delta T) can carry it over; any other difference is a fault
// and stops the generator. The figures of the comparison go to stderr and
// into the generated header.
//
//   node generate.js > ../../calendar/solar_term_table.h
//
// Run with tools/solar-terms/generate.sh, which installs the packages
// (exact versions in package-lock.json). Nothing here runs at build or test
// time.
'use strict';
const { Solar } = require('lunar-javascript');
const Astronomy = require('astronomy-engine');

const FIRST_YEAR = 1900;
const LAST_YEAR = 2100;
const DAY_MS = 86400000;
const MIDNIGHT_MARGIN_MS = 10 * 60000;
const BEIJING_MS = 8 * 3600000;

// Term k of a Gregorian year, k = 0..23, falls in month k / 2 + 1.
const NAMES = ['小寒', '大寒', '立春', '雨水', '惊蛰', '春分', '清明', '谷雨',
  '立夏', '小满', '芒种', '夏至', '小暑', '大暑', '立秋', '处暑',
  '白露', '秋分', '寒露', '霜降', '立冬', '小雪', '大雪', '冬至'];

// Beijing wall-clock time of the term as milliseconds of a UTC Date (so
// getUTC* read Beijing fields), from the reference.
function referenceMoment(table, year, k) {
  // The table of a lunar year spans 冬至 of the year before to the next
  // 小寒; the 冬至 at the end of this Gregorian year has the key DONG_ZHI.
  const s = table[k === 23 ? 'DONG_ZHI' : NAMES[k]];
  if (s.getYear() !== year || s.getMonth() !== Math.floor(k / 2) + 1) {
    throw new Error(`${year} ${NAMES[k]}: ${s.toYmdHms()} is not in month ${Math.floor(k / 2) + 1}`);
  }
  return Date.UTC(s.getYear(), s.getMonth() - 1, s.getDay(), s.getHour(), s.getMinute(), s.getSecond());
}

function checkMoment(year, k) {
  const start = Astronomy.MakeTime(new Date(Date.UTC(year, Math.floor(k / 2), 1) - 5 * DAY_MS));
  const time = Astronomy.SearchSunLongitude((285 + 15 * k) % 360, start, 40);
  if (!time) throw new Error(`${year} ${NAMES[k]}: no solution from astronomy-engine`);
  return time.date.getTime() + BEIJING_MS;
}

// astronomy-engine exports no package.json, so read it from the folder.
const versionOf = (name) =>
  JSON.parse(require('fs').readFileSync(require('path').join(__dirname, 'node_modules', name, 'package.json'))).version;
const dayOf = (ms) => Math.floor(ms / DAY_MS);
const fromMidnight = (ms) => { const t = ((ms % DAY_MS) + DAY_MS) % DAY_MS; return Math.min(t, DAY_MS - t); };

function compute() {
  const days = [];  // days[year - FIRST_YEAR][k], day of the month
  const figures = { terms: 0, maxDiffS: 0, maxAt: '', sumDiffS: 0, dayDiffs: [], nearMidnight: 0, closest: Infinity, closestAt: '' };
  for (let year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
    const table = Solar.fromYmd(year, 6, 1).getLunar().getJieQiTable();
    const row = [];
    for (let k = 0; k < 24; ++k) {
      const ref = referenceMoment(table, year, k);
      const check = checkMoment(year, k);
      const diffS = Math.abs(ref - check) / 1000;
      figures.terms += 1;
      figures.sumDiffS += diffS;
      if (diffS > figures.maxDiffS) { figures.maxDiffS = diffS; figures.maxAt = `${year} ${NAMES[k]}`; }
      if (fromMidnight(check) < MIDNIGHT_MARGIN_MS) figures.nearMidnight += 1;
      if (fromMidnight(check) < figures.closest) {
        figures.closest = fromMidnight(check);
        figures.closestAt = `${year} ${NAMES[k]}, ${new Date(check).toISOString().slice(0, 19)}`;
      }
      if (dayOf(ref) !== dayOf(check)) {
        const at = `${year} ${NAMES[k]} (${new Date(ref).toISOString()} / ${new Date(check).toISOString()})`;
        if (fromMidnight(check) >= MIDNIGHT_MARGIN_MS) throw new Error(`the computations disagree: ${at}`);
        figures.dayDiffs.push(at);
      }
      row.push(new Date(ref).getUTCDate());
    }
    days.push(row);
  }
  return { days, figures };
}

function header({ days, figures }) {
  const lunarVersion = versionOf('lunar-javascript');
  const astroVersion = versionOf('astronomy-engine');
  const base = NAMES.map((_, k) => Math.min(...days.map((row) => row[k])));
  const words = days.map((row, i) => {
    let word = 0n;
    row.forEach((day, k) => {
      const offset = day - base[k];
      if (offset < 0 || offset > 3) throw new Error(`${FIRST_YEAR + i} ${NAMES[k]}: day ${day} is too far from ${base[k]}`);
      word |= BigInt(offset) << BigInt(2 * k);
    });
    return '0x' + word.toString(16).toUpperCase().padStart(12, '0');
  });
  const rows = [];
  for (let i = 0; i < words.length; i += 5) {
    rows.push(`    ${words.slice(i, i + 5).join(', ')},  // ${FIRST_YEAR + i}`);
  }
  const mean = (figures.sumDiffS / figures.terms).toFixed(1);
  return `// The days of the 24 solar terms of the Gregorian years ${FIRST_YEAR}..${LAST_YEAR}, in
// Beijing time (UTC+8). Generated by tools/solar-terms/generate.js; do not
// edit by hand.
//
// Source: the astronomical calendar of the npm package lunar-javascript
// ${lunarVersion} (MIT). Checked term by term against the apparent solar longitude
// of the npm package astronomy-engine ${astroVersion} (MIT): ${figures.terms} terms, the
// two moments ${mean} s apart on average and at most ${figures.maxDiffS.toFixed(0)} s (${figures.maxAt}),
// ${figures.dayDiffs.length} terms on different days (only a term within ten minutes of Beijing
// midnight may differ; ${figures.nearMidnight} terms lie that close, the closest
// ${(figures.closest / 1000).toFixed(0)} s from it: ${figures.closestAt}).
//
// Term k (0 = 小寒 .. 23 = 冬至) falls in month k / 2 + 1 on day
// kSolarTermBaseDays[k] + the two bits 2k + 1 .. 2k of the year's word.
#pragma once

#include <array>
#include <cstdint>

namespace quillet {

inline constexpr int kSolarTermFirstYear = ${FIRST_YEAR};
inline constexpr int kSolarTermLastYear = ${LAST_YEAR};

inline constexpr std::array<std::uint8_t, 24> kSolarTermBaseDays = {
    ${base.join(', ')}};

inline constexpr std::array<std::uint64_t, kSolarTermLastYear - kSolarTermFirstYear + 1>
    kSolarTermTable = {
${rows.join('\n')}
};

}  // namespace quillet
`;
}

const result = compute();
const f = result.figures;
process.stderr.write(`${f.terms} terms ${FIRST_YEAR}..${LAST_YEAR}; lunar-javascript and astronomy-engine ` +
  `${(f.sumDiffS / f.terms).toFixed(1)} s apart on average, at most ${f.maxDiffS.toFixed(1)} s (${f.maxAt}); ` +
  `${f.dayDiffs.length} on different days; ${f.nearMidnight} within 10 min of midnight, the closest ` +
  `${(f.closest / 1000).toFixed(0)} s (${f.closestAt})\n`);
f.dayDiffs.forEach((d) => process.stderr.write(`  different day: ${d}\n`));
process.stdout.write(header(result));
