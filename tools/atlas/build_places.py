#!/usr/bin/env python3
"""Builds the shipped place files from the atlas database.

build_places.py --atlas atlas.db --zones zones.txt --out FOLDER --alternates State.ini

Each place file holds the atlas's places of one market as 73-byte place records: the
name, the state or country the way people there write it, the standard zone of today as
typed ("AEST -10:00"), latitude and longitude in degrees and minutes ("33S52", "151E12")
and the number of the zone history table of the place's IANA zone (zones.txt), which
gives the zone in force on a chart's date. Names that do not fit the record's 19
characters in Windows-1252 are shortened the usual way ("Saint-" to "St-") or, failing
that, left out. Of two places with the same name and state the more populous is kept.
The alternates file lets a lookup by country name find places filed under a state
("Australia" finds places of "NSW"). Files are written beside their final name and
renamed into place.
"""

import argparse
import datetime
import os
import sqlite3
import struct
import sys
import zoneinfo

RecordSize = 73
TextWidth = 19

# How each market's places are filed: the file, the countries it holds and, per country,
# how a place's state or country is written in the record (None: the country's name).
AustralianStates = {"01": "ACT", "02": "NSW", "03": "NT", "04": "QLD", "05": "SA", "06": "TAS",
                    "07": "VIC", "08": "WA"}
CanadianProvinces = {"01": "AB", "02": "BC", "03": "MB", "04": "NB", "05": "NL", "07": "NS",
                     "08": "ON", "09": "PE", "10": "QC", "11": "SK", "12": "YT", "13": "NWT",
                     "14": "NU"}
BritishCountries = {"ENG": "England", "NIR": "Northern Ireland", "SCT": "Scotland",
                    "WLS": "Wales"}

Markets = [
    ("australi.plc", {"AU": AustralianStates}),
    ("usa.plc", {"US": "admin1"}),
    ("canada.plc", {"CA": CanadianProvinces}),
    ("britain.plc", {"GB": BritishCountries, "IE": "Ireland"}),
    ("germany.plc", {"DE": "Germany"}),
    ("france.plc", {"FR": "France"}),
    ("spain.plc", {"ES": "Spain"}),
]

# Country names under which the states of a market may be looked for.
AlternateNames = {"AU": ["Australia"], "US": ["United States", "USA", "US"], "CA": ["Canada"],
                  "GB": ["United Kingdom", "UK", "Great Britain"]}

Shortenings = [("Saint-", "St-"), ("Sainte-", "Ste-"), ("Saint ", "St "), ("Sainte ", "Ste "),
               ("Mount ", "Mt "), ("Fort ", "Ft "), ("Port ", "Pt ")]

# A day of a northern winter and summer: one of them is on standard time.
Probes = [datetime.datetime(2025, 1, 15, 12), datetime.datetime(2025, 7, 15, 12)]


def Fail(message):
    sys.exit("build_places: " + message)


def ReadZoneNumbers(path):
    numbers = {}
    try:
        lines = open(path, encoding="utf-8").read().splitlines()
    except OSError as e:
        Fail(f"cannot read {path}: {e}")
    for line in lines:
        if line.strip() and not line.startswith("#"):
            number, zone = line.split()
            numbers[zone] = int(number)
    return numbers


def RecordText(text):
    """The text in Windows-1252 within the record's width, or None."""
    for candidate in [text] + [text.replace(a, b, 1) for a, b in Shortenings if text.startswith(a)]:
        try:
            encoded = candidate.encode("cp1252")
        except UnicodeEncodeError:
            continue
        if len(encoded) <= TextWidth:
            return encoded
    return None


def StandardZoneText(zone, cache):
    """Today's standard zone as typed: abbreviation and hours, west positive ("AEST -10:00")."""
    if zone not in cache:
        try:
            info = zoneinfo.ZoneInfo(zone)
        except (zoneinfo.ZoneInfoNotFoundError, ValueError):
            cache[zone] = b""
            return cache[zone]
        moment = next((p.replace(tzinfo=info) for p in Probes if not p.replace(tzinfo=info).dst()),
                      Probes[0].replace(tzinfo=info))
        minutes = round(moment.utcoffset().total_seconds() / 60)
        west = -minutes
        hours = f"{'-' if west < 0 else '+'}{abs(west) // 60}:{abs(west) % 60:02d}"
        name = moment.tzname() or ""
        text = f"{name} {hours}" if name.isalpha() and len(name) <= 5 else hours
        cache[zone] = text.encode("ascii")
    return cache[zone]


def Coordinate(degrees, positive, negative):
    minutes = round(abs(degrees) * 60)
    return f"{minutes // 60}{positive if degrees >= 0 else negative}{minutes % 60:02d}".encode("ascii")


def Field(data, width):
    return data[:width - 1].ljust(width, b"\0")


def Record(name, region, zone, latitude, longitude, table):
    return (Field(name, 20) + Field(region, 20) + Field(zone, 14) +
            Field(Coordinate(latitude, "N", "S"), 8) + Field(Coordinate(longitude, "E", "W"), 9) +
            struct.pack("<h", table))


def MarketRecords(db, countries, zoneNumbers, zoneTexts, unnumbered):
    chosen = {}
    for code, filing in countries.items():
        rows = db.execute("SELECT name, ascii_name, admin1_code, latitude, longitude, population, zone "
                          "FROM places WHERE country_code = ? ORDER BY population DESC, id", (code,))
        for name, asciiName, admin1, latitude, longitude, population, zone in rows:
            if isinstance(filing, dict):
                region = filing.get(admin1)
            elif filing == "admin1":
                region = admin1 if admin1.isalpha() else None
            else:
                region = filing
            text = RecordText(name) or RecordText(asciiName)
            if region is None or text is None:
                continue
            key = (text.lower(), region.lower())
            if key in chosen:
                continue
            table = zoneNumbers.get(zone, 0)
            if table == 0:
                unnumbered.add(zone)
            chosen[key] = Record(text, region.encode("cp1252"), StandardZoneText(zone, zoneTexts),
                                 latitude, longitude, table)
    return [chosen[key] for key in sorted(chosen)]


def WriteFile(path, data):
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def Alternates(db):
    lines = ["[Alternates]"]
    for _, countries in Markets:
        for code, filing in countries.items():
            if code not in AlternateNames:
                continue
            if filing == "admin1":
                regions = [row[0] for row in db.execute(
                    "SELECT admin1_code FROM admin1 WHERE country_code = ? ORDER BY 1", (code,))
                    if row[0].isalpha()]
            else:
                regions = sorted(filing.values())
            for name in AlternateNames[code]:
                lines.append(f"{name}={','.join(regions)}")
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--atlas", required=True)
    parser.add_argument("--zones", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--alternates", required=True)
    args = parser.parse_args()
    if not os.path.isfile(args.atlas):
        Fail(f"no atlas database at {args.atlas}")
    zoneNumbers = ReadZoneNumbers(args.zones)
    os.makedirs(args.out, exist_ok=True)
    db = sqlite3.connect(f"file:{args.atlas}?mode=ro", uri=True)
    zoneTexts = {}
    unnumbered = set()
    for fileName, countries in Markets:
        records = MarketRecords(db, countries, zoneNumbers, zoneTexts, unnumbered)
        if not records:
            Fail(f"the atlas holds no places for {fileName}")
        assert all(len(record) == RecordSize for record in records)
        WriteFile(os.path.join(args.out, fileName), b"".join(records))
    WriteFile(args.alternates, Alternates(db))
    if unnumbered:
        print("build_places: no zone history table for " + ", ".join(sorted(unnumbered)) +
              "; those places keep their typed zone", file=sys.stderr)


if __name__ == "__main__":
    main()
