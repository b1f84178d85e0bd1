"""The Python module: the same results as the command line, writes checked
as the window checks its fields, the edition per thread, errors as
exceptions, and threads analysing at once."""
import json
import shutil
import threading

import jsonschema
import pytest

import trevalon
from conftest import SAMPLE, cli_document, eval_json, run_trevalon


@pytest.fixture
def floor(tmp_path):
    """A copy of the sample to change and save."""
    path = tmp_path / "floor.tva"
    shutil.copyfile(SAMPLE, path)
    return path


@pytest.mark.parametrize("command", ["analyse", "design"])
def test_results_equal_the_command_lines(command, floor, tmp_path, schema):
    p = trevalon.Project.open(str(floor))
    r = getattr(p, command)()
    doc = r.to_dict()
    assert doc == cli_document(command, floor, tmp_path)
    jsonschema.validate(doc, schema)
    assert json.loads(r.to_json()) == doc
    # The attributes hold the same.
    assert r.standard == doc["standard"]
    assert r.project.name == doc["project"]["name"]
    assert [b.section for b in r.beams] == [b["section"] for b in doc["beams"]]
    assert r.beams[0].critical_sections[5].design_moment_knm == doc["beams"][0]["critical_sections"][5]["design_moment_knm"]
    assert r.vibration.frequency_hz == doc["vibration"]["frequency_hz"]
    assert r.messages == doc["messages"]


def test_any_path_of_the_results_equals_eval(floor):
    r = trevalon.Project.open(str(floor)).analyse()
    paths = ["Beam1.PCCAt4500.MDes0,7", "Beam.MaxStrengthRatio", "Beam1.kt", "Beam.SteelSectionList0.Mass",
             "Vibration.PeakAcceleration", "IsOK", "Geometry.SpacingSide1", "Beam1.TotalShearConnectors"]
    expected = eval_json(floor, paths)
    for path in paths:
        assert r[path] == expected[path], path
        assert type(r[path]) is type(expected[path]), path
    with pytest.raises(KeyError, match=r"Unknown property path \[Beam1.Nothing\]: no such property"):
        r["Beam1.Nothing"]


def test_design_leaves_the_chosen_sections_in_the_project(floor, tmp_path):
    p = trevalon.Project.open(str(floor))
    p["Geometry.SpacingSide1"] = 10500
    r = p.design()
    assert p["Beam1.SteelSectionList0.Name"] == r.beams[0].section
    p.save(str(tmp_path / "designed.tva"))
    assert p.file == str(tmp_path / "designed.tva")
    saved = eval_json(tmp_path / "designed.tva", ["Beam1.SteelSectionList0.Name", "Geometry.SpacingSide1"])
    assert saved == {"Beam1.SteelSectionList0.Name": r.beams[0].section, "Geometry.SpacingSide1": 10500.0}
    # The results stay as they were when the project changes afterwards.
    p["Geometry.SpacingSide1"] = 6000
    assert r["Geometry.SpacingSide1"] == 10500.0
    assert r.beams[0].span_mm == 10500.0


@pytest.mark.parametrize("path, value, error, message", [
    ("Geometry.SpacingSide1", 30000, ValueError, "Secondary span should be between 1000 and 25000"),
    ("Geometry.SpacingSide1", 9000.5, ValueError, "Secondary span has invalid characters - please only enter integers"),
    ("ConcreteFloor.ConcreteStrength", 60, ValueError, "Concrete strength (f'c) should be between 15 and 50"),
    ("Beam1.UserBeta", 0.3, ValueError, "Specified shear connection ratio should be between 0 and 1"),
    ("Designer", "x" * 81, ValueError, "Designer length should be shorter than 80"),
    ("Beam1.Mark", "", ValueError, "Mark cannot be blank, please enter a valid string"),
    ("Geometry.FacadeLoad", float("nan"), ValueError, "Cannot set [Geometry.FacadeLoad] to nan: not a finite number"),
    ("Geometry.Span", "9000", TypeError, "Cannot set [Geometry.Span] to 9000: it takes a number"),
    ("Geometry.HasPrimaryBeam", 1, TypeError, "Cannot set [Geometry.HasPrimaryBeam] to 1: it takes True or False"),
    ("Geometry.Span", None, TypeError, "A project value is a number, a bool or a str, not NoneType"),
    ("Beam1.Span", 8000, KeyError, "Cannot set [Beam1.Span]: it is not an input of the project file"),
    ("Beam1.SteelSectionList0.BaseSteelSection.d", 400, KeyError,
     "Cannot set [Beam1.SteelSectionList0.BaseSteelSection.d]: the value comes from the library section 360UB44.7 "
     "and would be replaced"),
    ("Geometry.Nothing", 1, KeyError, "Unknown property path [Geometry.Nothing]: no such property"),
])
def test_writes_are_checked_as_the_window_checks_its_fields(path, value, error, message):
    p = trevalon.Project.sample()
    before = p.analyse().to_dict()
    with pytest.raises(error) as raised:
        p[path] = value
    assert str(raised.value).strip("'\"") == message
    assert p.analyse().to_dict() == before  # nothing changed


def test_writes_take_effect_as_the_window_edits_them(floor):
    p = trevalon.Project.open(str(floor))
    p["Geometry.SpacingSide1"] = 7500
    assert p["Geometry.SpacingSide2"] == 7500.0  # side 2 is side 1 on this floor
    assert p["Geometry.PrimaryEffectiveSpacing"] == 7500.0
    p["geometry.secondaryspacingside1"] = 2500.0
    p["Beam1.Mark"] = "SB7"
    p["Geometry.IsLiveLoadReducible"] = False
    p["Segments"] = 20
    assert (p["Segments"], p["Beam1.Mark"], p["Geometry.IsLiveLoadReducible"]) == (20, "SB7", False)
    r = p.analyse()
    assert r.beams[0].mark == "SB7" and r.beams[0].span_mm == 7500.0
    assert len(r.beams[0].critical_sections) > len(trevalon.Project.open(str(floor)).analyse().beams[0].critical_sections)


def test_the_edition_belongs_to_the_calling_thread():
    p = trevalon.Project.sample()
    assert trevalon.standard().year == "2017"
    with trevalon.standard("2003") as edition:
        assert edition.name == "AS/NZS2327.1-2003"
        assert p.analyse().standard == "AS/NZS2327.1-2003"
        seen = []
        other = threading.Thread(target=lambda: seen.append(p.analyse().standard))
        other.start()
        other.join()
        assert seen == ["AS/NZS2327:2017"]  # a new thread starts with the program's edition
        with trevalon.standard(2017):
            assert p.analyse().standard == "AS/NZS2327:2017"
        assert p.analyse().standard == "AS/NZS2327.1-2003"
    assert p.analyse().standard == "AS/NZS2327:2017"
    # Without `with`, it selects the thread's edition until changed again.
    trevalon.standard("2003")
    assert trevalon.standard().year == "2003"
    trevalon.standard("2017")
    with pytest.raises(ValueError, match=r"Unknown standard edition \[2010\]"):
        trevalon.standard("2010")


def test_errors_are_exceptions_with_the_programs_messages(tmp_path):
    with pytest.raises(FileNotFoundError, match=r"Project file \[.*missing.tva\] not found"):
        trevalon.Project.open(str(tmp_path / "missing.tva"))
    (tmp_path / "notes.tva").write_text("just some notes\n")
    with pytest.raises(OSError, match=r"is not a project file"):
        trevalon.Project.open(str(tmp_path / "notes.tva"))
    p = trevalon.Project.sample()
    with pytest.raises(OSError, match=r"is also an input \(library file"):
        p.save(p.library)
    # A slab the field takes (90 mm and more) but the 2017 edition does not.
    p["Geometry.Ds"] = 95
    with pytest.raises(ValueError) as raised:
        p.analyse()
    lines = str(raised.value).splitlines()
    assert lines[0] == "The project does not validate"
    assert "Warning: (Cl 2.2.1) Composite slab depth must be at least 100 mm" in lines[1:]


def test_two_threads_analysing_at_once_equal_one_after_the_other(floor):
    def case(span):
        p = trevalon.Project.open(str(floor))
        p["Geometry.SpacingSide1"] = span
        return p

    spans = (7500, 11000)
    alone = [case(span).design().to_dict() for span in spans]
    assert alone[0] != alone[1]

    together = [None, None]
    start = threading.Barrier(2)

    def work(i):
        p = case(spans[i])
        start.wait()
        together[i] = p.design().to_dict()

    threads = [threading.Thread(target=work, args=(i,)) for i in range(2)]
    for t in threads:
        t.start()
    for t in threads:
        t.join()
    assert together == alone
