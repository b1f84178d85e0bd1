#!/usr/bin/env python3
"""Secondary beam sizes over a range of spans and spacings.

Designs the secondary beams of a floor for every secondary span from 6 m to
12 m and every spacing from 2.5 m to 4 m, prints a table of the sections the
program picks (with their mass, strength ratio, camber and shear connectors),
and, when matplotlib is installed, plots section mass against span for each
spacing into span_spacing_sweep.png.

    python3 span_spacing_sweep.py [PROJECT.tva]

Without a project it starts from the sample project shipped with Trevalon.
"""
import sys

import trevalon

SPANS_MM = [6000, 7000, 8000, 9000, 10000, 11000, 12000]
SPACINGS_MM = [2500, 3000, 3500, 4000]


def design(project_file, span, spacing):
    """The design of one floor: the secondary beams at this span and spacing."""
    p = trevalon.Project.open(project_file) if project_file else trevalon.Project.sample()
    p["Geometry.SpacingSide1"] = span            # the secondary beams' span
    p["Geometry.SecondarySpacingSide1"] = spacing
    r = p.design()
    beam = next(b for b in r.beams if b.role == "secondary")
    return {
        "span_mm": span,
        "spacing_mm": spacing,
        "section": beam.section,
        "mass_kg_per_m": r[beam.path + ".SteelSectionList0.Mass"],
        "strength_ratio": beam.strength_ratio,
        "camber_mm": beam.camber_mm,
        "shear_connectors": beam.shear_connectors,
        "ok": beam.ok,
    }


def print_table(rows):
    print(f"{'Span (m)':>8}  {'Spacing (m)':>11}  {'Section':<12}  {'kg/m':>6}  {'Strength':>8}  "
          f"{'Camber (mm)':>11}  {'Studs':>5}  OK?")
    for row in rows:
        print(f"{row['span_mm'] / 1000:>8.1f}  {row['spacing_mm'] / 1000:>11.1f}  {row['section']:<12}  "
              f"{row['mass_kg_per_m']:>6.1f}  {row['strength_ratio']:>8.0%}  {row['camber_mm']:>11.0f}  "
              f"{row['shear_connectors']:>5}  {'OK' if row['ok'] else 'FAIL'}")


def plot(rows, file_name="span_spacing_sweep.png"):
    """Section mass against span, one line per spacing; nothing without matplotlib."""
    try:
        import matplotlib
        matplotlib.use("Agg")
        import matplotlib.pyplot as plt
    except ImportError:
        print("matplotlib is not installed: no plot")
        return
    fig, ax = plt.subplots()
    for spacing in SPACINGS_MM:
        these = [r for r in rows if r["spacing_mm"] == spacing]
        ax.plot([r["span_mm"] / 1000 for r in these], [r["mass_kg_per_m"] for r in these], marker="o",
                label=f"spacing {spacing / 1000:.1f} m")
    ax.set_xlabel("Secondary beam span (m)")
    ax.set_ylabel("Section mass (kg/m)")
    ax.set_title("Lightest passing secondary beam")
    ax.legend()
    fig.savefig(file_name, dpi=120)
    print(f"Plot written to {file_name}")


def main():
    project_file = sys.argv[1] if len(sys.argv) > 1 else None
    rows = [design(project_file, span, spacing) for span in SPANS_MM for spacing in SPACINGS_MM]
    print_table(rows)
    plot(rows)


if __name__ == "__main__":
    main()
