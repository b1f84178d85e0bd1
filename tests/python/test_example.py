"""The example of docs/examples runs as a user runs it, here without
matplotlib: a table of one designed section per span and spacing."""
import pathlib
import re
import subprocess
import sys

EXAMPLE = pathlib.Path(__file__).resolve().parents[2] / "docs" / "examples" / "span_spacing_sweep.py"

# The script with matplotlib hidden, whether or not the machine has it.
WITHOUT_MATPLOTLIB = ("import runpy, sys; sys.modules['matplotlib'] = None; "
                      "sys.argv = [sys.argv[1]]; runpy.run_path(sys.argv[0], run_name='__main__')")


def test_the_sweep_prints_a_section_for_every_span_and_spacing(tmp_path):
    done = subprocess.run([sys.executable, "-c", WITHOUT_MATPLOTLIB, str(EXAMPLE)], cwd=tmp_path,
                          capture_output=True, text=True, timeout=600)
    assert done.returncode == 0, done.stderr
    lines = done.stdout.splitlines()
    assert lines[0].split() == ["Span", "(m)", "Spacing", "(m)", "Section", "kg/m", "Strength", "Camber", "(mm)",
                                "Studs", "OK?"]
    rows = [line.split() for line in lines[1:] if re.match(r"\s*\d", line)]
    assert [(r[0], r[1]) for r in rows] == [(f"{s:.1f}", f"{b:.1f}") for s in range(6, 13) for b in (2.5, 3, 3.5, 4)]
    # A longer span never needs a lighter section at the same spacing.
    for spacing in ("2.5", "3.0", "3.5", "4.0"):
        masses = [float(r[3]) for r in rows if r[1] == spacing]
        assert masses == sorted(masses), spacing
    assert lines[-1] == "matplotlib is not installed: no plot"
    assert not list(tmp_path.iterdir())  # no plot file
