#!/usr/bin/env python3
# Writes dates.tsv: day numbers with their calendar facts and stored forms, worked out here with Python's datetime
# and zoneinfo, apart from the program's code. The Unix columns read the date as local time in each zone of ZONES,
# the milliseconds rounded half up. Times that a zone skips or repeats at a daylight-saving change are left out:
# their reading is a choice.
#
# Run: python3 make_dates.py > dates.tsv
import calendar
import random
from datetime import date, datetime, timedelta
from zoneinfo import ZoneInfo

ZONES = ["UTC", "Europe/Berlin", "America/New_York", "Asia/Kolkata"]
EPOCH = date(1899, 12, 30)

FIXED = [
    (1899, 12, 30, 0, 0, 0, 0), (1899, 12, 29, 6, 0, 0, 0), (1, 1, 1, 0, 0, 0, 0), (1, 1, 1, 18, 0, 0, 0),
    (9999, 12, 31, 23, 59, 59, 999),
    (1979, 12, 31, 12, 0, 0, 0), (1980, 1, 1, 0, 0, 0, 0), (2107, 12, 31, 23, 59, 59, 0), (2108, 1, 1, 0, 0, 0, 0),
    (1600, 12, 31, 23, 59, 59, 999), (1601, 1, 1, 0, 0, 0, 0), (2024, 3, 1, 0, 0, 0, 0), (2021, 1, 1, 0, 0, 0, 0),
    (2001, 9, 9, 1, 46, 40, 0), (1969, 12, 31, 23, 59, 59, 500), (2038, 1, 19, 3, 14, 8, 0),
    # around daylight-saving changes: Berlin (last Sunday of March and October), New York (March and November)
    (2024, 3, 31, 1, 30, 0, 0), (2024, 3, 31, 3, 30, 0, 0), (2024, 10, 27, 1, 30, 0, 0), (2024, 10, 27, 3, 30, 0, 0),
    (2024, 3, 10, 1, 30, 0, 0), (2024, 3, 10, 3, 30, 0, 0), (2024, 11, 3, 0, 30, 0, 0), (2024, 11, 3, 2, 30, 0, 0),
]


def day_number(y, mo, d, h, mi, s, ms):
    # The same double arithmetic as the program's encoder: before 1899-12-30 the time of day counts away from zero.
    days = float((date(y, mo, d) - EPOCH).days)
    fraction = (((h * 60.0 + mi) * 60.0 + s) * 1000.0 + ms) / 86400000.0
    return days - fraction if days < 0 else days + fraction


def clear_in_every_zone(y, mo, d, h, mi, s):
    for zone in ZONES:
        local = datetime(y, mo, d, h, mi, s, tzinfo=ZoneInfo(zone))
        try:
            if local.utcoffset() != local.replace(fold=1).utcoffset():
                return False
        except OverflowError:
            return False
    return True


def unix(y, mo, d, h, mi, s, ms, zone):
    local = datetime(y, mo, d, h, mi, s)
    offset = local.replace(tzinfo=ZoneInfo(zone)).utcoffset()
    seconds = (local - datetime(1970, 1, 1) - offset) // timedelta(seconds=1)
    return seconds + (1 if ms >= 500 else 0)


def row(y, mo, d, h, mi, s, ms):
    day = date(y, mo, d)
    leap = int(calendar.isleap(y))
    doy = day.timetuple().tm_yday
    weekday = day.isoweekday()
    days_in_month = calendar.monthrange(y, mo)[1]
    dos = ((y - 1980) << 25 | mo << 21 | d << 16 | h << 11 | mi << 5 | s // 2) if 1980 <= y <= 2107 else 0
    ms_of_day = ((h * 60 + mi) * 60 + s) * 1000 + ms
    filetime = ((day - date(1601, 1, 1)).days * 86400000 + ms_of_day) * 10000 if y >= 1601 else 0
    cells = [repr(day_number(y, mo, d, h, mi, s, ms)), f"{y:04}-{mo:02}-{d:02} {h:02}:{mi:02}:{s:02}.{ms:03}",
             leap, doy, weekday, (doy - weekday + 10) // 7, days_in_month, dos, filetime]
    cells += [unix(y, mo, d, h, mi, s, ms, zone) for zone in ZONES]
    return "\t".join(str(c) for c in cells)


def main():
    rng = random.Random(20261207)
    moments = [m for m in FIXED if clear_in_every_zone(*m[:6])]
    first, last = date(1, 1, 1).toordinal(), date(9999, 12, 31).toordinal()
    while len(moments) < 320:
        day = date.fromordinal(rng.randint(first, last))
        timed = rng.random() < 0.7
        ms = rng.randrange(86400000) if timed else 0
        m = (day.year, day.month, day.day, ms // 3600000, ms // 60000 % 60, ms // 1000 % 60, ms % 1000)
        if clear_in_every_zone(*m[:6]):
            moments.append(m)
    print("# day number, moment, leap, day of year, weekday, week index, days in month, DOS, FileTime, Unix in "
          + ", ".join(ZONES))
    for m in moments:
        print(row(*m))


if __name__ == "__main__":
    main()
