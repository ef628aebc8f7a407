// Writes, in UTF-8 with CR LF line ends, the delivered file of the statutory
// days off (休) and make-up working days (班) of mainland China, from the
// npm package chinese-days (exact version in package-lock.json), which
// follows the State Council's yearly announcements. generate.sh converts
// it to code page 936 as data/Holiday.dat; the calendar window and
// `quillet-lunar --holidays` read that file (calendar/day_marks.h).
//
// Every day of an arranged holiday is a day off (the weekend days inside
// it too, as the announcements list them); ordinary weekends are not
// listed.
'use strict';
const fs = require('fs');
const path = require('path');

const folder = path.join(__dirname, 'node_modules', 'chinese-days');
const { version, license } = JSON.parse(fs.readFileSync(path.join(folder, 'package.json')));
const data = JSON.parse(fs.readFileSync(path.join(folder, 'dist', 'chinese-days.json')));
const licenceText = fs.readFileSync(path.join(folder, 'LICENSE'), 'utf8').trim();

// Entries read "English name,中文名,days": keep the Chinese name.
const days = [];
for (const [kind, mark] of [['holidays', '休'], ['workdays', '班']]) {
  for (const [date, entry] of Object.entries(data[kind])) {
    if (!/^\d{4}-\d{2}-\d{2}$/.test(date)) throw new Error(`odd date ${date}`);
    days.push({ date, mark, name: entry.split(',')[1] || '' });
  }
}
days.sort((a, b) => a.date.localeCompare(b.date));
for (let i = 1; i < days.length; ++i) {
  if (days[i].date === days[i - 1].date) throw new Error(`${days[i].date} listed twice`);
}
const first = days[0].date.slice(0, 4);
const last = days[days.length - 1].date.slice(0, 4);

const lines = [
  '# 中国大陆法定节假日安排：放假的日子（休）和调休上班的日子（班）。',
  '# 每行一天：日期（年-月-日，如 2026-10-01），空格，“休”或“班”，后面可加空格和说明。',
  '# 以 # 开头的行和空行不算；没有列出的日子不作标记，平常的周末也不标。',
  '# 同一天写了几行时，以最后一行为准。',
  '# 国务院每年公布下一年的安排后，可照这个格式添上。改好的文件放进“我的个性设置”里',
  '# 选定的数据文件夹：那份文件里写到的年份以它为准，其余年份仍用程序自带的这份；',
  '# 程序升级时它也不会被覆盖。',
  '#',
  `# 本文件由 tools/holiday-data/generate.js 从 npm 包 chinese-days ${version} 生成，`,
  `# 含 ${first} 年至 ${last} 年的安排。该包的许可证（${license}）原文如下：`,
  '#',
  ...licenceText.split(/\r?\n/).map((l) => (l ? `# ${l}` : '#')),
  '',
  ...days.map((d) => `${d.date} ${d.mark} ${d.name}`),
];
process.stdout.write(lines.join('\r\n') + '\r\n');
