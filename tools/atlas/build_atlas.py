#!/usr/bin/env python3
"""Builds the atlas database from GeoNames data.

build_atlas.py --places cities500.txt --admin1 admin1.json --countries iso_3166-1.json
               --aliases aliases.txt --out atlas.db

Every name is stored with its search key: lower case, accents removed, hyphens as
blanks, apostrophes and full stops dropped, blanks collapsed. The table `fold` holds the
key of every non-ASCII character met in the names, so that a reader folds a typed name
exactly as the names were folded here. The database is written beside the output and
renamed into place: a failed build leaves no half-written file.
"""

import argparse
import json
import os
import sqlite3
import sys
import unicodedata

FormatVersion = "1"

# Letters that do not decompose into a base letter and marks.
SpecialLetters = {
    "ß": "ss", "ẞ": "ss", "ø": "o", "Ø": "o", "æ": "ae", "Æ": "ae", "œ": "oe", "Œ": "oe",
    "đ": "d", "Đ": "d", "ð": "d", "Ð": "d", "ł": "l", "Ł": "l", "þ": "th", "Þ": "th",
    "ı": "i", "ħ": "h", "Ħ": "h", "ŧ": "t", "Ŧ": "t", "ŋ": "n", "Ŋ": "n",
    "ʻ": "", "ʼ": "", "‘": "", "’": "", "‐": " ", "‑": " ", "–": " ", "—": " ",
}
DroppedAscii = "'.`\""


def FoldAscii(text):
    out = []
    for ch in text:
        if ch in DroppedAscii:
            continue
        out.append(" " if ch == "-" or ch.isspace() else ch.lower())
    return "".join(out)


class Folder:
    def __init__(self):
        self.table = {}

    def FoldChar(self, ch):
        if ord(ch) < 128:
            return FoldAscii(ch)
        folded = self.table.get(ch)
        if folded is None:
            if ch in SpecialLetters:
                base = SpecialLetters[ch]
            else:
                base = "".join(c for c in unicodedata.normalize("NFKD", ch)
                               if not unicodedata.combining(c))
            folded = "".join(FoldAscii(c) if ord(c) < 128 else c.lower() for c in base)
            self.table[ch] = folded
        return folded

    def Key(self, text):
        return " ".join("".join(self.FoldChar(ch) for ch in text).split())


def Fail(message):
    sys.exit("build_atlas: " + message)


def ReadJson(path):
    try:
        with open(path, encoding="utf-8") as f:
            return json.load(f)
    except (OSError, ValueError) as e:
        Fail(f"cannot read {path}: {e}")


def CreateSchema(db):
    db.executescript("""
        CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
        CREATE TABLE fold(code_point INTEGER PRIMARY KEY, folded TEXT NOT NULL);
        CREATE TABLE countries(code TEXT PRIMARY KEY, name TEXT NOT NULL);
        CREATE TABLE country_keys(search_key TEXT NOT NULL, code TEXT NOT NULL,
            PRIMARY KEY(search_key, code)) WITHOUT ROWID;
        CREATE TABLE admin1(country_code TEXT NOT NULL, admin1_code TEXT NOT NULL,
            name TEXT NOT NULL, PRIMARY KEY(country_code, admin1_code)) WITHOUT ROWID;
        CREATE TABLE admin1_keys(search_key TEXT NOT NULL, country_code TEXT NOT NULL,
            admin1_code TEXT NOT NULL,
            PRIMARY KEY(search_key, country_code, admin1_code)) WITHOUT ROWID;
        CREATE TABLE places(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
            ascii_name TEXT NOT NULL, search_key TEXT NOT NULL,
            country_code TEXT NOT NULL, admin1_code TEXT NOT NULL,
            latitude REAL NOT NULL, longitude REAL NOT NULL,
            population INTEGER NOT NULL, zone TEXT NOT NULL);
        CREATE TABLE alternate_names(place_id INTEGER NOT NULL, name TEXT NOT NULL,
            search_key TEXT NOT NULL);
    """)


def AddCountries(db, folder, countries):
    for entry in countries.get("3166-1", []):
        code = entry["alpha_2"]
        name = entry.get("common_name") or entry["name"]
        db.execute("INSERT INTO countries VALUES(?,?)", (code, name))
        for text in (code, entry.get("alpha_3"), entry["name"], entry.get("common_name"),
                     entry.get("official_name")):
            if text:
                db.execute("INSERT OR IGNORE INTO country_keys VALUES(?,?)",
                           (folder.Key(text), code))


def AddAdmin1(db, folder, admin1):
    for entry in admin1:
        country, _, code = entry["code"].partition(".")
        db.execute("INSERT OR IGNORE INTO admin1 VALUES(?,?,?)", (country, code, entry["name"]))
        for text in (entry["name"], code):
            db.execute("INSERT OR IGNORE INTO admin1_keys VALUES(?,?,?)",
                       (folder.Key(text), country, code))


def AddAliases(db, folder, path):
    try:
        lines = open(path, encoding="utf-8").read().splitlines()
    except OSError as e:
        Fail(f"cannot read {path}: {e}")
    for number, line in enumerate(lines, 1):
        if not line.strip() or line.startswith("#"):
            continue
        kind, _, rest = line.partition(" ")
        if kind == "state" and len(rest.split(" ", 2)) == 3:
            country, code, alias = rest.split(" ", 2)
            db.execute("INSERT OR IGNORE INTO admin1_keys VALUES(?,?,?)",
                       (folder.Key(alias), country, code))
        elif kind == "country" and len(rest.split(" ", 1)) == 2:
            code, alias = rest.split(" ", 1)
            db.execute("INSERT OR IGNORE INTO country_keys VALUES(?,?)", (folder.Key(alias), code))
        else:
            Fail(f"{path}:{number}: expected 'state COUNTRY CODE NAME' or 'country CODE NAME'")


def AlternateKeys(folder, mainKey, asciiName, alternates):
    """The distinct keys other than the main one that a place is found by. Short codes
    in capitals (airport codes) are left out: they would drown real names."""
    seen = {mainKey}
    for text in [asciiName] + alternates.split(","):
        text = text.strip()
        if not text or (len(text) <= 3 and text.isupper()):
            continue
        key = folder.Key(text)
        if key and key not in seen and key.isascii():
            seen.add(key)
            yield text, key


def AddPlaces(db, folder, path):
    try:
        f = open(path, encoding="utf-8")
    except OSError as e:
        Fail(f"cannot read {path}: {e}")
    with f:
        for number, line in enumerate(f, 1):
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 19:
                Fail(f"{path}:{number}: expected 19 tab-separated fields")
            (placeId, name, asciiName, alternates, latitude, longitude, _, _, country, _,
             admin1, _, _, _, population, _, _, zone, _) = fields[:19]
            key = folder.Key(name)
            db.execute("INSERT INTO places VALUES(?,?,?,?,?,?,?,?,?,?)",
                       (int(placeId), name, asciiName, key, country, admin1,
                        float(latitude), float(longitude), int(population or 0), zone))
            db.executemany("INSERT INTO alternate_names VALUES(?,?,?)",
                           ((int(placeId), text, altKey) for text, altKey
                            in AlternateKeys(folder, key, asciiName, alternates)))


def Build(args, out):
    folder = Folder()
    db = sqlite3.connect(out)
    db.execute("PRAGMA journal_mode=OFF")
    db.execute("PRAGMA synchronous=OFF")
    CreateSchema(db)
    db.execute("INSERT INTO meta VALUES('format', ?)", (FormatVersion,))
    db.execute("INSERT INTO meta VALUES('source', 'GeoNames (CC BY 4.0)')")
    AddCountries(db, folder, ReadJson(args.countries))
    AddAdmin1(db, folder, ReadJson(args.admin1))
    AddAliases(db, folder, args.aliases)
    AddPlaces(db, folder, args.places)
    db.executemany("INSERT INTO fold VALUES(?,?)",
                   ((ord(ch), folded) for ch, folded in folder.table.items()))
    db.executescript("""
        CREATE INDEX places_search_key ON places(search_key);
        CREATE INDEX places_region ON places(country_code, admin1_code, population);
        CREATE INDEX alternate_names_search_key ON alternate_names(search_key);
        CREATE INDEX alternate_names_place ON alternate_names(place_id);
    """)
    db.commit()
    db.execute("VACUUM")
    db.close()


def Main():
    parser = argparse.ArgumentParser(description="Builds the atlas database.")
    for name in ("places", "admin1", "countries", "aliases", "out"):
        parser.add_argument("--" + name, required=True)
    args = parser.parse_args()
    # A work file name the program knows, so that a data folder seeded meanwhile skips it.
    work = f"{args.out}.work{os.getpid()}_0"
    if os.path.exists(work):
        os.remove(work)
    try:
        Build(args, work)
        os.replace(work, args.out)
    finally:
        if os.path.exists(work):
            os.remove(work)


if __name__ == "__main__":
    Main()
