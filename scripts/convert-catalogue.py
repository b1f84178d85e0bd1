#!/usr/bin/env python3
"""Convert the raw component catalogue into Trevalon's library CSV files.

Usage (from the repository root):

    python3 scripts/convert-catalogue.py [CATALOGUE_DIR] [--output DATA_DIR]

CATALOGUE_DIR defaults to ../shared/data/catalogue beside the repository
(that is, <repo>/../shared/data/catalogue, resolved from this script's own
location, so the current directory does not matter).  DATA_DIR defaults to
<repo>/data.  The script reads every CSV of the catalogue and writes:

    data/library/SteelSections.csv
    data/library/ShearConnectors.csv
    data/library/SteelDecks.csv
    data/library/FloorUses.csv
    data/library/LimitStates.csv
    data/library/CWBRestrictions.csv
    data/VarnLibrary.ini             (library definitions file naming the
                                      CSVs through library/)
    data/LICENSES-data.md            (licence notices of the raw data)

Only the Python 3 standard library is used.  The output is deterministic:
running the script twice gives byte-identical files.

Library CSV format (what the program's CSV list loader reads): line 1 holds
the field names, each further line one item.  Fields are joined by commas; a
field holding a blank, a control character, a comma or a double quote is put
in double quotes with inner quotes doubled; an empty field is written as
nothing.  Booleans are -1 / 0, numbers are in their shortest plain decimal
form, text is single-byte ASCII and lines end with CR LF.  The loader stops at
the first line whose first field is empty, so every row starts with a
non-empty field.

Decisions taken while converting (kept here so that they can be reviewed):

Steel sections
  * UB and UC are listed twice: grade label "KESTREL" (AS/NZS 3679.1 grade
    300, hot-rolled) and "350" (AS/NZS 3679.1 grade 350).  WB and WC are
    listed as "300" and "400" (AS/NZS 3678 plate).  RHS and SHS use the grade
    of the hollow-section file, "C350" and "C450" (AS/NZS 1163 C350L0 and
    C450L0).  PFC and CHS are not used by the program and are skipped.
  * fyf comes from the flange thickness and fyw from the web thickness.  The
    yield table rows are walked in order of thickness and the first band
    whose upper bound admits t is taken ("lt": t < t_hi, "le": t <= t_hi), so
    for grade 300 hot-rolled t = 11.0 mm gives 300 MPa, not 320 MPa.
  * bbf, tbf and fybf are left empty: standard sections are doubly symmetric
    and the program reads them as b, tf and fyf.
  * Hollow sections: tf = tw = wall thickness t.
  * Order: by type (UB, UC, WB, WC, RHS, SHS), then grade (KESTREL first, the
    others ascending), then mass per metre from lightest to heaviest (ties by
    depth, then width, thickness and name), because automatic selection keeps
    the first passing section in library order.  Mass per metre of rolled and
    welded sections is the number that ends the designation; for hollow
    sections it is computed from the geometry with the outer corner radius:
        A = 2 t (b + d - 2 t) - (4 - pi) (ro^2 - ri^2),  ri = max(ro - t, 0)
        mass = A * 7850e-6 kg/m.

Shear connectors
  * dbs is the nominal size of the name (15.9, 19, 22.2, 25; 20 for the
    bolt).  The 22.2 mm stud takes the catalogue's 22 mm (ISO) row.
  * Stud height: of the heights after welding in the catalogue for that
    diameter, the shortest one that is at least 4 x dbs and still clears a
    55 mm deck rib by max(2 x dbs, 40 mm), so that every stock stud can be
    used with the 55 mm re-entrant deck of the sample project.  This gives
    15.9 x 100, 19 x 95, 22.2 x 100 and 25 x 125.
  * fuc of the M20 bolt: the catalogue gives 830 MPa (property class 8.8).
    The design strength of a connector is capped at 500 MPa (450 MPa for
    steeply sloping ribs) and the program warns for every connector with
    fuc above 500 MPa, so a library item with 830 MPa would raise that
    warning in every project that picks the bolt while giving no more
    capacity.  The bolt is therefore shipped with fuc = 500 MPa, the value
    the capacity is worked out with.
  * The channel is the 100 mm parallel flange channel offcut of the
    catalogue, standing on one flange with its web upright: hsc = channel
    depth (100 mm).  A channel has no shank diameter; dbs carries the web
    thickness (4.2 mm), the web being the channel's "shank" between the
    welded flange and the top flange.  fuc = 440 MPa from the catalogue.
  * IsThroughDeckWelded is true for headed studs and false for the bolt and
    the channel.

Steel decks
  * A solid slab comes first (DeckType 0, all geometry 0).
  * One item per profile and sheet thickness, named neutrally from the rib
    form, rib height and thickness ("Re-entrant 55 mm x 1.00 mm"), with a
    short code from the profile code and the thickness in hundredths of a
    millimetre ("RE55-100").
  * Catalogue rows describing the same profile (same rib form, rib height,
    pitch and rib widths) are merged into one family; the thickness lists
    are joined (including the thicknesses noted as "also ...") and for a
    thickness listed twice the first row's mass is kept.
  * DeckType from the rib form: 1 open trapezoidal (also with a stiffened
    crest), 2 re-entrant, 3 closed rib.  StudsPerRib 1 for a 200 mm pitch,
    2 for a 300 mm pitch, 1 otherwise.  Beta 1.  "~" marks of estimated
    values are dropped.
  * Mass (kg/m2): the catalogue value where given.  A mass given per lineal
    metre of sheet is divided by the sheet cover width.  Missing masses are
    estimated as 7.85 kg/m2 per mm of thickness times a developed-width
    factor k; k is the mean factor found in the listed masses of the same
    profile family, else of the profiles with the same DeckType, else 1.25.
    (For the shallow trapezoidal profiles this borrows the 80 mm profile's
    factor, which errs on the heavy side for construction loads.)
  * WillIgnoreConcreteBelowRibs is true for every deck except the solid slab.

Floor uses
  * Seven common occupancies from the AS/NZS 1170.1 table.  Live load and
    the combination factors psi_s, psi_l come from the catalogue; DeadLoad is
    the typical superimposed dead load plus the partition allowance.  Slab
    depth, concrete strength, deflection limits and facade load are typical
    values chosen here (see FLOOR_USES below).  The live load is reducible
    for offices, residential and retail areas and not for assembly, storage,
    car parks or plant rooms.

CWB restrictions
  * One depth band per nominal depth series of the welded sections (350, 400
    and 500 WC; 700, 800, 900, 1000 and 1200 WB).  Band limits lie halfway
    between neighbouring nominal depths; the first band starts at 0 and the
    last has no upper bound (MaxDepth -1).  The minima are the flange width,
    flange thickness and web thickness of the lightest section of the series.
"""

import argparse
import csv
import math
import os
import re
import sys
import unicodedata

STEEL_DENSITY = 7850.0  # kg/m3

# ---------------------------------------------------------------------------
# Writing
# ---------------------------------------------------------------------------

_ASCII_REPLACEMENTS = {
    "\u00d7": "x", "\u2013": "-", "\u2014": "-", "\u2018": "'",
    "\u2019": "'", "\u201c": '"', "\u201d": '"', "\u00b0": "deg",
    "\u2264": "<=", "\u2265": ">=", "\u03c8": "psi", "\u00b2": "2",
    "\u00b3": "3", "\u00a0": " ",
}


def to_ascii(text):
    """Replace every non-ASCII character by an ASCII look-alike (or '?')."""
    out = []
    for ch in text:
        if ord(ch) < 128:
            out.append(ch)
        elif ch in _ASCII_REPLACEMENTS:
            out.append(_ASCII_REPLACEMENTS[ch])
        else:
            plain = unicodedata.normalize("NFKD", ch)
            plain = plain.encode("ascii", "ignore").decode("ascii")
            out.append(plain if plain else "?")
    return "".join(out)


def fmt_number(value):
    """Shortest plain decimal form: 9000, 0.12, 40.4 (up to 15 digits)."""
    if isinstance(value, bool):
        return "-1" if value else "0"
    if isinstance(value, int):
        return str(value)
    if value == 0:
        return "0"
    text = "%.15g" % value
    if "e" in text or "E" in text:
        if abs(value) >= 1e-5:
            text = ("%.15f" % value).rstrip("0").rstrip(".")
        else:
            mantissa, exponent = text.lower().split("e")
            text = "%sE%d" % (mantissa, int(exponent))
    if text == "-0":
        text = "0"
    return text


def fmt_field(value):
    if value is None:
        return ""
    if isinstance(value, (bool, int, float)):
        return fmt_number(value)
    return to_ascii(str(value))


def quote_field(text):
    if text == "":
        return ""
    if any(ch in text for ch in ' ,"') or any(ord(ch) < 32 or ord(ch) == 127 for ch in text):
        return '"' + text.replace('"', '""') + '"'
    return text


def csv_line(values):
    return ",".join(quote_field(fmt_field(v)) for v in values)


def write_text(path, lines, crlf=True):
    """Write lines as single-byte ASCII text with CR LF (or LF) endings."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    eol = "\r\n" if crlf else "\n"
    data = "".join(to_ascii(line) + eol for line in lines)
    with open(path, "w", encoding="ascii", newline="") as handle:
        handle.write(data)


def write_library(path, header, rows):
    lines = [",".join(header)]
    for row in rows:
        if len(row) != len(header):
            raise ValueError("%s: row %r does not match the header" % (path, row))
        first = fmt_field(row[0])
        if first == "":
            raise ValueError("%s: empty first field in %r" % (path, row))
        lines.append(csv_line(row))
    write_text(path, lines)
    return len(rows)


# ---------------------------------------------------------------------------
# Reading
# ---------------------------------------------------------------------------

def read_catalogue_csv(folder, name, units_row=False):
    """Rows of a catalogue CSV as dicts.  Strips a UTF-8 BOM and, when asked,
    the units row that follows the header."""
    path = os.path.join(folder, name)
    with open(path, encoding="utf-8-sig", newline="") as handle:
        rows = list(csv.DictReader(handle))
    if units_row:
        if not rows or rows[0].get("section", "").strip() not in ("-", ""):
            raise ValueError("%s: expected a units row after the header" % path)
        rows = rows[1:]
    return [{k.strip(): (v or "").strip() for k, v in row.items()} for row in rows]


_NUMBER = re.compile(r"[-+]?\d+(?:\.\d+)?")


def number(text):
    """Leading number of a catalogue value, without '~' estimate marks."""
    match = _NUMBER.search(text.replace("~", ""))
    if not match:
        raise ValueError("no number in %r" % text)
    value = float(match.group(0))
    return int(value) if value.is_integer() else value


def numbers(text):
    return [number(m) for m in _NUMBER.findall(text.replace("~", ""))]


def clean(value):
    """Integral floats as int so that they print as 9000, not 9000.0."""
    if isinstance(value, float) and value.is_integer():
        return int(value)
    return value


# ---------------------------------------------------------------------------
# Steel sections
# ---------------------------------------------------------------------------

SECTION_TYPE_MASKS = ["UB", "UC", "WB", "WC", "RHS", "SHS"]
SECTION_TYPE_ORDER = {t: i for i, t in enumerate(SECTION_TYPE_MASKS)}

# grade label -> (standard prefix, grade in the yield table, text that the
# applies_to column must contain)
GRADES = {
    "KESTREL": ("AS/NZS 3679.1", "300 (300PLUS)", "UB/UC"),
    "350": ("AS/NZS 3679.1", "350", "hot-rolled"),
    "300": ("AS/NZS 3678", "300", "welded"),
    "400": ("AS/NZS 3678", "400", "welded"),
    "C350": ("AS/NZS 1163", "C350L0", "RHS/SHS"),
    "C450": ("AS/NZS 1163", "C450L0", "RHS/SHS"),
}

GRADES_BY_TYPE = {
    "UB": ["KESTREL", "350"],
    "UC": ["KESTREL", "350"],
    "WB": ["300", "400"],
    "WC": ["300", "400"],
}


def type_of_section(name):
    upper = name.upper()
    for mask in SECTION_TYPE_MASKS:
        if mask in upper:
            return mask
    return "Custom"


def grade_sort_key(grade):
    if grade == "KESTREL":
        return (0, 0, grade)
    digits = re.sub(r"\D", "", grade)
    return (1, int(digits) if digits else 0, grade)


class YieldTable:
    def __init__(self, rows):
        self.bands = {}
        for label, (standard, grade, applies) in GRADES.items():
            bands = [r for r in rows
                     if r["standard"].startswith(standard) and r["grade"] == grade]
            if not bands:
                raise ValueError("yield table has no rows for %s %s" % (standard, grade))
            for band in bands:
                if applies not in band["applies_to"]:
                    raise ValueError("yield row %r does not apply to %s" % (band, applies))
                if band["upper_bound_type"] not in ("lt", "le"):
                    raise ValueError("unknown bound type in %r" % band)
            bands.sort(key=lambda r: (float(r["t_lo_mm"]), float(r["t_hi_mm"])))
            self.bands[label] = [(float(r["t_lo_mm"]), float(r["t_hi_mm"]),
                                  r["upper_bound_type"], number(r["fy_MPa"]))
                                 for r in bands]

    def fy(self, grade, t):
        for t_lo, t_hi, bound, fy in self.bands[grade]:
            if t < t_lo:
                break
            if (bound == "lt" and t < t_hi) or (bound == "le" and t <= t_hi):
                return fy
        raise ValueError("no yield stress for grade %s at t = %s mm" % (grade, t))


def designation_mass(name, sec_type):
    """Mass per metre read from a designation such as 310UB40.4."""
    tail = name[name.upper().index(sec_type) + len(sec_type):]
    return float(number(tail))


def hollow_mass(d, b, t, r_o):
    r_i = max(r_o - t, 0.0)
    area = 2.0 * t * (d + b - 2.0 * t) - (4.0 - math.pi) * (r_o ** 2 - r_i ** 2)
    return area * STEEL_DENSITY * 1e-6


def build_sections(open_rows, hollow_rows, yields):
    items = []  # (sort key, row)
    for row in open_rows:
        sec_type = row["sec_type"]
        if sec_type not in GRADES_BY_TYPE:
            continue  # PFC
        name = row["section"]
        if type_of_section(name) != sec_type:
            raise ValueError("%s: name does not imply type %s" % (name, sec_type))
        d, b = number(row["d"]), number(row["b"])
        tf, tw = number(row["t_f"]), number(row["t_w"])
        mass = designation_mass(name, sec_type)
        for grade in GRADES_BY_TYPE[sec_type]:
            fyf, fyw = yields.fy(grade, tf), yields.fy(grade, tw)
            key = (SECTION_TYPE_ORDER[sec_type], grade_sort_key(grade), mass, d, b, tf, tw, name)
            items.append((key, [name, grade, d, b, tf, None, None, tw, fyf, None, fyw, sec_type]))
    for row in hollow_rows:
        sec_type = row["sec_type"]
        if sec_type not in ("RHS", "SHS"):
            continue  # CHS
        name = row["section"]
        if type_of_section(name) != sec_type:
            raise ValueError("%s: name does not imply type %s" % (name, sec_type))
        grade = row["grade"]
        if grade not in ("C350", "C450"):
            raise ValueError("%s: unexpected hollow grade %s" % (name, grade))
        d, b, t = number(row["d"]), number(row["b"]), number(row["t"])
        r_o = float(number(row["r_o"])) if row.get("r_o") else 0.0
        mass = hollow_mass(float(d), float(b), float(t), r_o)
        fy = yields.fy(grade, t)
        key = (SECTION_TYPE_ORDER[sec_type], grade_sort_key(grade), round(mass, 9), d, b, t, name)
        items.append((key, [name, grade, d, b, t, None, None, t, fy, None, fy, sec_type]))
    items.sort(key=lambda item: item[0])
    seen = set()
    for _, row in items:
        full_name = "%s:%s/%s" % (row[11], row[0], row[1])
        if full_name.upper() in seen:
            raise ValueError("duplicate section %s" % full_name)
        seen.add(full_name.upper())
    return [row for _, row in items]


# ---------------------------------------------------------------------------
# CWB restrictions
# ---------------------------------------------------------------------------

def build_cwb_restrictions(open_rows):
    series = {}
    for row in open_rows:
        if row["sec_type"] not in ("WB", "WC"):
            continue
        name = row["section"]
        nominal = int(number(name[:name.upper().index(row["sec_type"])]))
        entry = (designation_mass(name, row["sec_type"]), number(row["d"]), name,
                 number(row["b"]), number(row["t_f"]), number(row["t_w"]))
        series.setdefault(nominal, []).append(entry)
    depths = sorted(series)
    rows = []
    for i, nominal in enumerate(depths):
        lightest = min(series[nominal])
        min_depth = 0 if i == 0 else clean((depths[i - 1] + nominal) / 2.0)
        max_depth = -1 if i == len(depths) - 1 else clean((nominal + depths[i + 1]) / 2.0)
        for entry in series[nominal]:
            actual = entry[1]
            if actual < min_depth or (max_depth >= 0 and actual > max_depth):
                raise ValueError("%s (d = %s) falls outside its band" % (entry[2], actual))
        rows.append([min_depth, max_depth, lightest[3], lightest[4], lightest[5]])
    return rows


# ---------------------------------------------------------------------------
# Shear connectors
# ---------------------------------------------------------------------------

STUDS = [  # (name, nominal diameter)
    ("15.9 mm headed stud", 15.9),
    ("19 mm headed stud", 19),
    ("22.2 mm headed stud", 22.2),
    ("25 mm headed stud", 25),
]
REFERENCE_RIB_HEIGHT = 55.0  # mm, the 55 mm re-entrant deck of the sample project
BOLT_FUC_CAP = 500  # MPa, see the module notes
CHANNEL_ID = "CH-100PFC"


def pick_stud_height(rows, dbs):
    heights = sorted(float(number(r["height_after_weld_mm"])) for r in rows)
    need_clear = max(2.0 * dbs, 40.0)
    for h in heights:
        if h >= 4.0 * dbs and h - REFERENCE_RIB_HEIGHT >= need_clear:
            return clean(h)
    return clean(heights[-1])


def build_connectors(rows):
    out = []
    studs = [r for r in rows if r["type"] == "headed stud"]
    for name, dbs in STUDS:
        matches = [r for r in studs if abs(float(number(r["shank_d_mm"])) - dbs) <= 0.5]
        if not matches:
            raise ValueError("no catalogue stud for %s" % name)
        fucs = {number(r["fuc_MPa"]) for r in matches}
        if len(fucs) != 1:
            raise ValueError("studs of %s disagree on fuc: %s" % (name, fucs))
        hsc = pick_stud_height(matches, dbs)
        out.append([0, dbs, hsc, fucs.pop(), True, name, False])

    bolts = [r for r in rows if r["id"].startswith("BOLT-M20")]
    if len(bolts) != 1:
        raise ValueError("expected one M20 bolt row")
    bolt = bolts[0]
    bolt_fuc = min(number(bolt["fuc_MPa"]), BOLT_FUC_CAP)
    out.append([2, number(bolt["shank_d_mm"]), number(bolt["height_after_weld_mm"]),
                bolt_fuc, False, "High-strength M20 bolt", False])

    channels = [r for r in rows if r["id"] == CHANNEL_ID]
    if len(channels) != 1:
        raise ValueError("expected one %s row" % CHANNEL_ID)
    channel = channels[0]
    geometry = dict(re.findall(r"(\w+)=([\d.]+)", channel["shank_d_mm"]))
    out.append([1, clean(float(geometry["tw"])), clean(float(geometry["d"])),
                number(channel["fuc_MPa"]), False, "Taper/parallel flange channel", False])
    return out


# ---------------------------------------------------------------------------
# Steel decks
# ---------------------------------------------------------------------------

DEFAULT_DEVELOPED_WIDTH_FACTOR = 1.25  # estimated; used only when no listed mass helps


def deck_type_of(profile_type):
    text = profile_type.lower()
    if text.startswith("re-entrant"):
        return 2, "Re-entrant"
    if text.startswith("closed rib"):
        return 3, "Closed rib"
    if "trapezoidal" in text:
        return 1, "Trapezoidal"
    raise ValueError("unknown deck profile type %r" % profile_type)


def split_thicknesses(text):
    """Main thickness list and the extra ones noted as '(also ...)'."""
    main, _, extra = text.partition("(")
    return numbers(main), numbers(extra)


def listed_masses(row, thicknesses):
    text = row["mass_kg_m2"]
    if not text:
        return {}
    values = numbers(text.split(":", 1)[1] if ":" in text else text)
    if "lineal metre" in text:
        cover = min(numbers(row["cover_mm"]))  # only one cover width is given
        values = [v * 1000.0 / cover for v in values]
    if len(values) != len(thicknesses):
        raise ValueError("deck %s: %d masses for %d thicknesses"
                         % (row["id"], len(values), len(thicknesses)))
    return {float(t): float(m) for t, m in zip(thicknesses, values)}


def build_decks(rows):
    families = []  # merged profiles in catalogue order
    for row in rows:
        deck_type, form = deck_type_of(row["profile_type"])
        geometry = (deck_type, number(row["hr_mm"]), number(row["sr_mm"]),
                    number(row["bsr_steel_rib_mid_mm"]))
        main, extra = split_thicknesses(row["bmt_mm"])
        masses = listed_masses(row, main)
        family = next((f for f in families if f["geometry"] == geometry), None)
        if family is None:
            family = {"geometry": geometry, "form": form, "deck_type": deck_type,
                      "code": row["id"].split("-")[0], "hr": geometry[1],
                      "sr": geometry[2], "bsr": geometry[3],
                      "void": number(row["void_ratio_rib_zone"]),
                      "thicknesses": set(), "masses": {}}
            families.append(family)
        family["thicknesses"].update(float(t) for t in main + extra)
        for t, m in masses.items():
            family["masses"].setdefault(t, m)

    def factor(pairs):
        """Mean developed-width factor of (thickness, mass) pairs."""
        ratios = [m / (t * STEEL_DENSITY / 1000.0) for t, m in pairs]
        return sum(ratios) / len(ratios) if ratios else None

    out = [["SS", 0, 0, 0, 0, 0, 1, 0, 1, 0, "Solid slab", False, False]]
    names = set()
    for family in families:
        k = factor(sorted(family["masses"].items()))
        if k is None:
            k = factor([pair for other in families if other["deck_type"] == family["deck_type"]
                        for pair in sorted(other["masses"].items())])
        if k is None:
            k = DEFAULT_DEVELOPED_WIDTH_FACTOR
        studs_per_rib = {200: 1, 300: 2}.get(family["sr"], 1)
        for t in sorted(family["thicknesses"]):
            mass = family["masses"].get(t)
            if mass is None:
                mass = t * STEEL_DENSITY / 1000.0 * k  # estimated
            name = "%s %s mm x %.2f mm" % (family["form"], fmt_number(family["hr"]), t)
            code = "%s-%03d" % (family["code"], int(round(t * 100)))
            if name in names:
                raise ValueError("duplicate deck name %s" % name)
            names.add(name)
            out.append([code, clean(round(mass, 2)), family["sr"], family["bsr"], family["hr"],
                        clean(t), studs_per_rib, family["void"], 1, family["deck_type"],
                        name, True, False])
    return out


# ---------------------------------------------------------------------------
# Floor uses
# ---------------------------------------------------------------------------

# catalogue id -> (Name, ShortCode, Ds, f'c, reducible, IncrementalRelLimit,
#                  TotalRelLimit, FacadeLoad kN/m)
FLOOR_USES = [
    ("OFF", "Office", "OFF", 120, 32, True, 500, 250, 5),
    ("RET", "Retail", "RET", 130, 32, True, 500, 250, 5),
    ("RES", "Residential", "RES", 120, 32, True, 500, 250, 5),
    ("CAR", "Car park", "CAR", 150, 40, False, 300, 250, 3),
    ("ASM-OPEN", "Assembly", "ASM", 130, 32, False, 400, 250, 5),
    ("STOR", "Storage", "STOR", 150, 40, False, 300, 250, 5),
    ("PLANT", "Plant room", "PLANT", 150, 32, False, 400, 250, 5),
]


def build_floor_uses(rows):
    by_id = {r["id"]: r for r in rows}
    out = []
    for cat_id, name, code, ds, fc, reducible, inc, total, facade in FLOOR_USES:
        row = by_id[cat_id]
        dead = clean(round(float(number(row["sdl_typical_kPa"]))
                           + float(number(row["partition_allowance_kPa"])), 3))
        out.append([name, code, ds, fc, number(row["Q_udl_kPa"]), reducible, dead,
                    inc, total, number(row["psi_s"]), number(row["psi_l"]), facade])
    return out


# ---------------------------------------------------------------------------
# Limit states, definitions file, licences
# ---------------------------------------------------------------------------

LIMIT_STATES = [
    ["Strength", 1.2, 1.5],
    ["Short-term", 1, 0.7],
    ["Long-term", 1, 0.4],
    ["Construc.Defl", 1, 0],
    ["Construc.Stress", 1, 1],
]

LIBRARIES = [
    ("SteelSections.csv", "STEELSECTION"),
    ("ShearConnectors.csv", "SHEARCONNECTOR"),
    ("SteelDecks.csv", "STEELDECK"),
    ("FloorUses.csv", "FLOORUSE"),
    ("LimitStates.csv", "LIMITSTATE"),
    ("CWBRestrictions.csv", "CWBRESTRICTION"),
]

MIT_LICENCE = """MIT License

Copyright (c) 2024 joegattas

Permission is hereby granted, free of charge, to any person obtaining a copy
of this software and associated documentation files (the "Software"), to deal
in the Software without restriction, including without limitation the rights
to use, copy, modify, merge, publish, distribute, sublicense, and/or sell
copies of the Software, and to permit persons to whom the Software is
furnished to do so, subject to the following conditions:

The above copyright notice and this permission notice shall be included in all
copies or substantial portions of the Software.

THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR
IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY,
FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT. IN NO EVENT SHALL THE
AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER
LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM,
OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE
SOFTWARE."""

LICENCE_NOTES = """# Licences of the shipped library data

The library files in `data/library/` are generated by
`scripts/convert-catalogue.py` from a raw catalogue of component data.  This
file keeps the licence notices of that raw data and says what was derived from
where.

## Steel section dimensions

`data/library/SteelSections.csv` and `data/library/CWBRestrictions.csv` take
the dimensions of the Australian UB, UC, WB and WC sections (designation,
d, b, tf, tw) and of the RHS and SHS hollow sections (d, b, t, outer corner
radius, grades C350 and C450) from the section tables of the MIT-licensed
`steel-as` package (Folded Structures Lab, The University of Queensland).
Its licence notice:

```
{mit}
```

## Other data

- Yield stresses by element thickness (`fyf`, `fyw` in `SteelSections.csv`):
  compiled from the published tables of AS/NZS 3679.1 (grades 300 and 350,
  hot-rolled), AS/NZS 3678 (grades 300 and 400 plate, for welded sections)
  and AS/NZS 1163 (C350L0 and C450L0, hollow sections).
- Steel decks (`SteelDecks.csv`): generic profile geometries of profiled steel
  decking used in Australia and New Zealand; rib widths and void ratios are
  estimates, and some masses are estimated from the sheet thickness.  No
  product names are used.
- Shear connectors (`ShearConnectors.csv`): headed stud dimensions after
  ISO 13918; material strengths are typical values.
- Floor uses (`FloorUses.csv`): live loads from AS/NZS 1170.1 Table 3.1 and
  combination factors from AS/NZS 1170.0 Table 4.1; slab depths, concrete
  strengths, deflection limits and facade loads are typical values chosen for
  the library.
- Limit states (`LimitStates.csv`): the program's standard load factors.
""".format(mit=MIT_LICENCE)


def write_definitions(path):
    lines = ["[Libraries]", "Name=Trevalon.tvl", "Count=%d" % len(LIBRARIES)]
    for i, (filename, kind) in enumerate(LIBRARIES, 1):
        # Library files are read from the definitions file's folder: name them
        # through the library/ subfolder beside it.
        lines.append("Library%d=library/%s" % (i, filename))
        lines.append("Type%d=%s" % (i, kind))
    lines.append("")
    write_text(path, lines)


# ---------------------------------------------------------------------------

def main(argv=None):
    repo_root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    default_catalogue = os.path.normpath(os.path.join(repo_root, "..", "shared", "data", "catalogue"))
    parser = argparse.ArgumentParser(
        description="Convert the raw component catalogue into the library CSV files.")
    parser.add_argument("catalogue", nargs="?", default=default_catalogue,
                        help="catalogue folder (default: %(default)s)")
    parser.add_argument("--output", default=os.path.join(repo_root, "data"),
                        help="data folder to write (default: %(default)s)")
    args = parser.parse_args(argv)

    cat = args.catalogue
    if not os.path.isdir(cat):
        parser.error("catalogue folder not found: %s" % cat)

    open_rows = read_catalogue_csv(cat, "au_open_sections.csv", units_row=True)
    hollow_rows = read_catalogue_csv(cat, "au_hollow_sections.csv", units_row=True)
    yields = YieldTable(read_catalogue_csv(cat, "steel_yield_by_thickness.csv"))
    connector_rows = read_catalogue_csv(cat, "shear_connectors.csv")
    deck_rows = read_catalogue_csv(cat, "profiled_decks.csv")
    floor_rows = read_catalogue_csv(cat, "floor_uses_as1170.csv")

    library = os.path.join(args.output, "library")
    counts = {}
    counts["SteelSections.csv"] = write_library(
        os.path.join(library, "SteelSections.csv"),
        ["Name", "Grade", "d", "b", "tf", "bbf", "tbf", "tw", "fyf", "fybf", "fyw", "SectionType"],
        build_sections(open_rows, hollow_rows, yields))
    counts["ShearConnectors.csv"] = write_library(
        os.path.join(library, "ShearConnectors.csv"),
        ["ConnectorType", "dbs", "hsc", "fuc", "IsThroughDeckWelded", "Name", "IsCustom"],
        build_connectors(connector_rows))
    counts["SteelDecks.csv"] = write_library(
        os.path.join(library, "SteelDecks.csv"),
        ["ShortCode", "Mass", "sr", "bsr", "hr", "t", "StudsPerRib", "VoidRatio", "Beta",
         "DeckType", "Name", "WillIgnoreConcreteBelowRibs", "IsCustom"],
        build_decks(deck_rows))
    counts["FloorUses.csv"] = write_library(
        os.path.join(library, "FloorUses.csv"),
        ["Name", "ShortCode", "Ds", "ConcreteStrength", "NominalLiveLoad", "IsLiveLoadReducible",
         "DeadLoad", "IncrementalRelLimit", "TotalRelLimit", "LFliveShort", "LFliveLong",
         "FacadeLoad"],
        build_floor_uses(floor_rows))
    counts["LimitStates.csv"] = write_library(
        os.path.join(library, "LimitStates.csv"),
        ["LimitStateLabel", "LFdead", "LFlive"], LIMIT_STATES)
    counts["CWBRestrictions.csv"] = write_library(
        os.path.join(library, "CWBRestrictions.csv"),
        ["MinDepth", "MaxDepth", "bfMin", "tfMin", "twMin"],
        build_cwb_restrictions(open_rows))
    write_definitions(os.path.join(args.output, "VarnLibrary.ini"))
    write_text(os.path.join(args.output, "LICENSES-data.md"),
               LICENCE_NOTES.rstrip("\n").split("\n"), crlf=False)

    for filename, _ in LIBRARIES:
        print("%-22s %4d items" % (filename, counts[filename]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
