// The listing quillet-lunar makes (date, lunar date text, festivals), made
// with lunar-javascript, to time the two side by side:
//   time node listing.js > /dev/null
//   time quillet-lunar 1900-01-31 2100-12-31 > /dev/null
// Run after tools/lunar-reference/generate.sh has installed the package.
'use strict';
const { Solar } = require('lunar-javascript');

const out = [];
const end = Date.UTC(2100, 11, 31);
for (let t = Date.UTC(1900, 0, 31); t <= end; t += 86400000) {
  const d = new Date(t);
  const solar = Solar.fromYmd(d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate());
  const lunar = solar.getLunar();
  const festivals = solar.getFestivals().concat(lunar.getFestivals()).join(' ');
  out.push(`${solar.toYmd()}\t农历${lunar.getYearInGanZhi()}年(${lunar.getYearShengXiao()})` +
           `${lunar.getMonthInChinese()}月${lunar.getDayInChinese()}\t${festivals ? `(${festivals})` : ''}`);
}
process.stdout.write(`${out.join('\n')}\n`);
