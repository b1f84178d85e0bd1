"""The JSON results of the command line: valid against the shipped schema,
and every value the one `eval` gives for its path."""
import jsonschema
import pytest

from conftest import SAMPLE, cli_document, eval_json

# Each key of a beam and of a critical section, and the path (after the
# beam's or the section's own path) `eval` reads it by.
BEAM_PATHS = {
    "mark": "Mark",
    "section": "SteelSectionList0.Name",
    "grade": "SteelSectionList0.Grade",
    "span_mm": "Span",
    "strength_ratio": "MaxStrengthRatio",
    "stress_ratio": "MaxStressRatio",
    "deflection_ratio": "MaxDeflectionRatio",
    "camber_mm": "SuggestedCamber",
    "shear_connectors": "TotalShearConnectors",
    "ok": "IsAssessmentOK",
}
SECTION_PATHS = {
    "position_mm": "x",
    "is_critical": "IsPCC",
    "composite_section": "CompositeSection.CompositeSectionLabel",
    "design_moment_knm": "MDes0,7",
    "design_shear_kn": "VDes0,7",
    "moment_capacity_knm": "phiMbv",
    "shear_capacity_kn": "VComp",
    "shear_ratio": "shear_ratio",
    "beta_min": "beta_min",
    "beta_actual": "beta_actual",
    "shear_connectors_required": "ni",
    "shear_connectors_provided": "ni_actual",
    "stage3_design_moment_knm": "MDes0,3",
    "stage3_design_shear_kn": "VDes0,3",
    "stage3_shear_capacity_kn": "phiVvm",
    "deflection_total_mm": "TotalDeflection",
}
VIBRATION_PATHS = {
    "checked": "Vibration.IsChecked",
    "ok": "Vibration.IsOK",
    "frequency_hz": "Vibration.Frequency",
    "peak_acceleration_pct_g": "Vibration.PeakAcceleration",
    "acceleration_limit_pct_g": "Vibration.AccelerationLimit",
    "damping_ratio": "Vibration.Damping",
    "beam_frequency_hz": "Vibration.BeamFrequency",
    "girder_frequency_hz": "Vibration.GirderFrequency",
    "beam_deflection_mm": "Vibration.BeamDeflection",
    "girder_deflection_mm": "Vibration.GirderDeflection",
    "effective_weight_kn": "Vibration.EffectiveWeight",
}
# Keys that are not values of a path: what the document says about them.
NOT_PATHS = {"role", "path", "messages", "critical_sections", "moment_ratio", "calculated", "message", "bay_side"}


def path_values(doc):
    """(key, path, value) of every value of the document that a path reads."""
    for beam in doc["beams"]:
        for key, value in beam.items():
            if key in BEAM_PATHS:
                yield key, f"{beam['path']}.{BEAM_PATHS[key]}", value
            else:
                assert key in NOT_PATHS, f"a key without its path: {key}"
        for section in beam["critical_sections"]:
            for key, value in section.items():
                if key in SECTION_PATHS:
                    yield key, f"{section['path']}.{SECTION_PATHS[key]}", value
                else:
                    assert key in NOT_PATHS, f"a key without its path: {key}"
    for key, value in doc["vibration"].items():
        if key in VIBRATION_PATHS:
            yield key, VIBRATION_PATHS[key], value
        else:
            assert key in NOT_PATHS, f"a key without its path: {key}"


@pytest.mark.parametrize("command", ["analyse", "design"])
def test_the_document_of_the_sample_equals_eval_for_every_value(command, schema, tmp_path):
    doc = cli_document(command, SAMPLE, tmp_path)
    jsonschema.validate(doc, schema)
    assert doc["project"]["file"] == str(SAMPLE)
    assert [b["role"] for b in doc["beams"]] == ["secondary", "primary"]

    triples = list(path_values(doc))
    assert len(triples) > 300
    args = ["--design"] if command == "design" else []
    values = eval_json(SAMPLE, args + [path for _, path, _ in triples])
    for key, path, value in triples:
        # Exactly equal: both are the program's doubles, printed in full.
        assert value == values[path], f"{key} ({path})"
        assert type(value) is type(values[path]), f"{key} ({path})"
    # The moment ratio is the design moment over the capacity beside it.
    for beam in doc["beams"]:
        for s in beam["critical_sections"]:
            assert s["moment_ratio"] == pytest.approx(abs(s["design_moment_knm"]) / s["moment_capacity_knm"], rel=1e-15)


def test_the_schema_refuses_what_the_program_never_writes(schema, tmp_path):
    doc = cli_document("analyse", SAMPLE, tmp_path)
    for spoil in (lambda d: d["beams"][0].update(ok="True"),           # a Boolean as text
                  lambda d: d["beams"][0].update(span_mm="9000"),       # a number as text
                  lambda d: d["beams"][0].update(role="main"),
                  lambda d: d.pop("messages"),
                  lambda d: d["vibration"].update(frequency="3.4")):    # a key without its unit
        spoilt = cli_document("analyse", SAMPLE, tmp_path)
        spoil(spoilt)
        with pytest.raises(jsonschema.ValidationError):
            jsonschema.validate(spoilt, schema)
    jsonschema.validate(doc, schema)
