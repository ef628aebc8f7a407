#!/usr/bin/env python3
"""The export command lines of quillet.exe under Wine, their files read by
other programs' readers: Python's csv module for the work records, the
icalendar package (with dateutil expanding its repeat rules) for the
reminders. The times the calendar expands must be those the program's own
arithmetic gives (quillet-next-due); the CSV fields are literals here.
Usage: export_check.py WIN_BIN_DIR NATIVE_BIN_DIR  (inside a Wine session)"""
import csv
import datetime
import os
import shutil
import subprocess
import sys
import tempfile

import icalendar
from dateutil.rrule import rrulestr

win_bin, native_bin = sys.argv[1], sys.argv[2]
UNTIL = datetime.datetime(2029, 1, 1)
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAILED:", what)


calls = 0


def quillet(folder, *args):
    """quillet.exe from a batch file (cmd waits for a program of the GUI
    subsystem there), standard error redirected to a file. A new file each
    call: Wine's helper processes keep the last one open."""
    global calls
    calls += 1
    err = os.path.join(folder, "err%d.txt" % calls)
    bat = os.path.join(folder, "run%d.bat" % calls)
    with open(bat, "w", encoding="gbk", newline="\r\n") as f:
        f.write("@echo off\n%s %s 2>%s\nexit /b %%errorlevel%%\n"
                % (z(os.path.join(folder, "quillet.exe")), " ".join(args), z(err)))
    rc = subprocess.run(["wine", "cmd", "/c", z(bat)], stdout=subprocess.DEVNULL,
                        stderr=subprocess.DEVNULL).returncode
    with open(err, "rb") as f:
        return rc, f.read().decode("utf-8", "replace")


def z(path):
    return "Z:" + path.replace("/", "\\")


# Reminders as the reminder settings window writes them (eleven quoted
# fields each), and one record file with commas, a line break and a quote.
def reminder(content, repeat, due, remark=""):
    fields = [content, "2026", "1", "1", "8", "0", "0", repeat, "只弹出窗口", remark, due]
    return "".join('"%s"\r\n' % f for f in fields)


REMINDERS = [
    ("交周报；别忘了, 还有附件\\材料" + "很长的内容" * 12, "每天提醒", "2027-1-3 9:30:00"),
    ("例会", "每周提醒", "2027-1-4 14:00:00"),
    ("房租", "每月提醒", "2027-1-15 8:00:00"),
    ("月底对账", "每月提醒", "2027-1-31 17:00:00"),
    ("闰日", "每年提醒", "2028-2-29 7:00:00"),
    ("生日", "每年提醒", "2027-6-1 0:00:00"),
    ("腊月生日", "每年农历提醒", "2027-1-20 8:00:00"),
    ("一次", "只提醒一次", "2027-3-1 10:15:30"),
]
RECORDS = [
    ["2026-12-7 9:0", "2026-12-8 17:0", "甲,乙", "尚未完成", "第一行\r\n第二行"],
    ["2026-12-9 8:0", "2026-12-9 9:0", '说"好"', "已经完成", "末尾"],
]

with tempfile.TemporaryDirectory(prefix="quillet-export-") as folder:
    shutil.copy(os.path.join(win_bin, "quillet.exe"), folder)
    with open(os.path.join(folder, "timer.dat"), "wb") as f:
        f.write("".join(reminder(c, k, d, "备注") for c, k, d in REMINDERS).encode("gbk"))
    # The first record quoted one field a line; the second unquoted on one
    # line, where a quote is an ordinary character and blanks are trimmed.
    text = "".join('"%s"\r\n' % f for f in RECORDS[0])
    text += "2026-12-9 8:0 ,2026-12-9 9:0, 说\"好\",已经完成,  末尾 \r\n"
    with open(os.path.join(folder, "schedule.dat"), "wb") as f:
        f.write(text.encode("gbk"))
    before = {n: open(os.path.join(folder, n), "rb").read() for n in ("timer.dat", "schedule.dat")}

    csv_path = os.path.join(folder, "工作记录.csv")
    rc, err = quillet(folder, "/export-records", z(csv_path))
    check(rc == 0 and err == "", "records export exit %d, stderr %r" % (rc, err))
    with open(csv_path, "rb") as f:
        raw = f.read()
    check(raw.startswith(b"\xef\xbb\xbf") and b"\r\n" in raw and b"\n" not in raw.replace(b"\r\n", b""),
          "CSV: byte-order mark and CR LF line ends")
    with open(csv_path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f))
    check(rows == [["序号", "开始日期", "截止日期", "工作内容", "完成情况", "备注信息"],
                   ["1"] + RECORDS[0], ["2"] + RECORDS[1]], "CSV rows read back: %r" % rows)

    ics_path = os.path.join(folder, "提醒.ics")
    rc, err = quillet(folder, "/export-reminders", z(ics_path))
    check(rc == 0 and err == "", "reminders export exit %d, stderr %r" % (rc, err))
    with open(ics_path, "rb") as f:
        ics = f.read()
    check(all(len(line) <= 75 for line in ics.split(b"\r\n")), "iCalendar lines of 75 octets at most")
    calendar = icalendar.Calendar.from_ical(ics)
    events = list(calendar.walk("VEVENT"))
    check(len(events) == len(REMINDERS), "one event per reminder")

    listing = subprocess.run([os.path.join(native_bin, "quillet-next-due"),
                              os.path.join(folder, "timer.dat"), UNTIL.date().isoformat()],
                             capture_output=True, text=True, check=True).stdout
    expected = {}
    for line in listing.splitlines():
        index, moment = line.split("\t")
        expected.setdefault(int(index), []).append(datetime.datetime.strptime(moment, "%Y%m%dT%H%M%S"))
    for i, event in enumerate(events):
        check(str(event["SUMMARY"]) == REMINDERS[i][0], "summary %d: %r" % (i, str(event["SUMMARY"])))
        check(event.walk("VALARM") and str(event.walk("VALARM")[0]["ACTION"]) == "DISPLAY",
              "display alarm %d" % i)
        start = event["DTSTART"].dt
        times = {start}
        if "RRULE" in event:
            rule = rrulestr(event["RRULE"].to_ical().decode(), dtstart=start)
            times |= set(rule.between(start, UNTIL, inc=True))
        rdates = event.get("RDATE")
        for group in (rdates if isinstance(rdates, list) else [rdates] if rdates else []):
            times |= {d.dt for d in group.dts}
        got = sorted(t for t in times if t < UNTIL)
        want = expected.get(i, [])
        if "RRULE" not in event and rdates:
            want = want[:20]  # a listed repeat gives its next 20 times
        check(got == want, "times of reminder %d (%s): %d expanded, %d by the program; first "
              "difference %r" % (i, REMINDERS[i][1], len(got), len(want),
                                 next((p for p in zip(got, want) if p[0] != p[1]), None)))
    uids = [str(e["UID"]) for e in events]
    rc, err = quillet(folder, "/export-reminders", z(ics_path))
    again = [str(e["UID"]) for e in icalendar.Calendar.from_ical(open(ics_path, "rb").read()).walk("VEVENT")]
    check(rc == 0 and uids == again and len(set(uids)) == len(uids), "a second export keeps the UIDs")

    rc, err = quillet(folder, "/export-records", z(os.path.join(folder, "没有的文件夹", "x.csv")))
    check(rc == 1 and len(err.strip().splitlines()) == 1 and "x.csv" in err,
          "a failed export: exit %d, stderr %r" % (rc, err))
    check(all(open(os.path.join(folder, n), "rb").read() == b for n, b in before.items()),
          "the data files untouched")

print("export_check: %d failed" % len(failures) if failures else "export_check: all passed")
sys.exit(1 if failures else 0)
