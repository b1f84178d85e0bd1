"""Shared fixtures of the Python module's tests.

CTest runs them with the built module on PYTHONPATH and TREVALON_BIN naming
the folder of the built programs (the library, the sample, the schema).
"""
import json
import os
import pathlib
import subprocess

import pytest

BIN = pathlib.Path(os.environ["TREVALON_BIN"])
PROGRAM = BIN / "trevalon"
SAMPLE = BIN / "SampleAnalysis.tva"
SCHEMA = BIN / "trevalon-results.schema.json"


def run_trevalon(*args, cwd=None, check=True):
    """The command line as a user runs it; returns its standard output."""
    done = subprocess.run([str(PROGRAM), *map(str, args)], cwd=cwd, env={**os.environ, "LC_ALL": "C"},
                          capture_output=True, text=True)
    if check and done.returncode not in (0, 1):
        raise AssertionError(f"trevalon {' '.join(map(str, args))} exited {done.returncode}: {done.stderr}")
    return done.stdout


def cli_document(command, project, tmp_path):
    """The document `trevalon analyse|design PROJECT --json -` prints."""
    return json.loads(run_trevalon(command, project, "--json", "-", "--report", tmp_path / "report.csv"))


def eval_json(project, paths):
    """`trevalon eval PROJECT PATHS... --json`: {path: value}."""
    return json.loads(run_trevalon("eval", project, "--json", *paths))


@pytest.fixture(scope="session")
def schema():
    return json.loads(SCHEMA.read_text())
