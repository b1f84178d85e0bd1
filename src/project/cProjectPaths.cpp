#include "project/cProjectPaths.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "entity/VEXUtility.h"
#include "project/cFieldRules.h"
#include "project/cProjectFile.h"

TPathValue TPathValue::OfNumber(double V) {
  TPathValue v;
  v.Kind = pvNumber;
  v.Number = V;
  return v;
}

TPathValue TPathValue::OfInteger(int64_t V) {
  TPathValue v;
  v.Kind = pvInteger;
  v.Integer = V;
  return v;
}

TPathValue TPathValue::OfBoolean(bool V) {
  TPathValue v;
  v.Kind = pvBoolean;
  v.Boolean = V;
  return v;
}

TPathValue TPathValue::OfText(std::string V) {
  TPathValue v;
  v.Kind = pvText;
  v.Text = std::move(V);
  return v;
}

namespace {

// "Project.Geometry.Span" and "geometry.span" are GEOMETRY.SPAN.
std::string NormalisedPath(const std::string& Path) {
  std::string path = UpperCase(Trim(Path));
  if (path.rfind("PROJECT.", 0) == 0) path.erase(0, 8);
  return path;
}

TPathOutcome Failure(TPathProblem Problem, std::string Message) {
  TPathOutcome outcome;
  outcome.Problem = Problem;
  outcome.Message = std::move(Message);
  return outcome;
}

// A number as the user would type it: the shortest text that reads back as
// the same double, so a fraction is never rounded into a whole number.
std::string ExactNumberText(double V) {
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, V);
  std::string text(buf, r.ptr);
  if (text.find('e') != std::string::npos || text.find('E') != std::string::npos) {
    // The field's reader takes no exponent; an exponent only comes with a
    // value no field's range holds, and the range message says so.
    return FloatToStrGeneral(V);
  }
  return text;
}

std::string ValueText(const TPathValue& V) {
  switch (V.Kind) {
    case TPathValue::pvNumber: return ExactNumberText(V.Number);
    case TPathValue::pvInteger: return std::to_string(V.Integer);
    case TPathValue::pvBoolean: return V.Boolean ? "True" : "False";
    case TPathValue::pvText: return V.Text;
  }
  return {};
}

const char* KindWord(TPropKind Kind) {
  switch (Kind) {
    case TPropKind::Integer: return "a whole number";
    case TPropKind::Boolean: return "True or False";
    case TPropKind::Enumeration: return "a whole number";
    case TPropKind::Float: return "a number";
    case TPropKind::String: return "text";
    default: return "a value";
  }
}

// The value a library would put back over the user's when the project is
// opened or analysed: a library section's dimensions, a library deck's or
// connector's data. Names the library item, or "" when the value is the user's.
std::string LibraryOwner(TProject& Project, const TSession& Session, TEntity* Owner, const std::string& Name) {
  if (Owner == &Project.SteelDeck) {
    if (Project.SteelDeck.IsCustom || SameText(Name, "Name") || SameText(Name, "IsCustom") ||
        SameText(Name, "WillIgnoreConcreteBelowRibs"))
      return "";
    return "the library deck " + Project.SteelDeck.Name;
  }
  if (Owner == &Project.ShearConnector) {
    if (Project.ShearConnector.IsCustom || SameText(Name, "Name") || SameText(Name, "IsCustom")) return "";
    return "the library shear connector " + Project.ShearConnector.Name;
  }
  for (int side = 0; side < 3; ++side) {
    const TImportedBeam& beam = *Project.GetBeam(side);
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      const TSteelSection& section = *beam.SteelSection(i);
      if (Owner != &section.BaseSteelSection) continue;
      const std::string full = TCustomSteelSection::CalcFullName(section.SectionType, section.Name, section.Grade);
      if (Session.SteelSectionLibrary.Find(full)) return "the library section " + section.Name;
      return "";
    }
  }
  return "";
}

// The steel section that owns Owner (itself or its base section), with its beam; null when none.
TSteelSection* SectionOf(TProject& Project, TEntity* Owner) {
  for (int side = 0; side < 3; ++side) {
    TImportedBeam& beam = *Project.GetBeam(side);
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      TSteelSection* section = beam.SteelSection(i);
      if (Owner == section || Owner == &section->BaseSteelSection) return section;
    }
  }
  return nullptr;
}

int BeamSideOf(TProject& Project, TEntity* Owner) {
  for (int side = 0; side < 3; ++side)
    if (Owner == Project.GetBeam(side)) return side;
  return -1;
}

// While side 2 is side 1, the window shows side 1's values on side 2 and the
// project keeps them there (the primary beam's loads read side 2).
void MirrorSide1(TGeometry& G) {
  if (!G.IsSide2SameAsSide1) return;
  G.ThetaSide2 = G.ThetaSide1;
  G.SpacingSide2 = G.SpacingSide1;
  G.SecondarySpacingSide2 = G.SecondarySpacingSide1;
  G.SecondaryStartSide2 = G.SecondaryStartSide1;
}

}  // namespace

TPathOutcome ReadPath(TProject& Project, const std::string& Path) {
  const std::string path = NormalisedPath(Path);
  try {
    std::string name;
    TEntity* owner = Project.ResolvePath(path, name);
    if (!owner) return Failure(TPathProblem::UnknownPath, "Unknown property path [" + Path + "]: no such entity");
    TPathOutcome outcome;
    if (owner == &Project && name.find('.') == std::string::npos && (name == "ISOK")) {
      outcome.Value = TPathValue::OfBoolean(Project.IsOK());
      return outcome;
    }
    const TProperty* property = owner->Properties().Find(name);
    if (property && property->IsScalar() && property->IsReadable()) {
      switch (property->Kind) {
        case TPropKind::Float: outcome.Value = TPathValue::OfNumber(property->GetFloat(*owner)); break;
        case TPropKind::Integer:
        case TPropKind::Enumeration: outcome.Value = TPathValue::OfInteger(property->GetOrdinal(*owner)); break;
        case TPropKind::Boolean: outcome.Value = TPathValue::OfBoolean(property->GetOrdinal(*owner) != 0); break;
        default: outcome.Value = TPathValue::OfText(property->GetString(*owner)); break;
      }
      return outcome;
    }
    if (owner->IsNumeric(name)) {
      outcome.Value = TPathValue::OfNumber(owner->NumericValue(name));
      return outcome;
    }
    const std::string text = owner->StringValue(name, "** UNKNOWN PROPERTY **", 0, 3);
    if (text == "** UNKNOWN PROPERTY **" || text == "** Unable to evaluate property **")
      return Failure(TPathProblem::UnknownPath, "Unknown property path [" + Path + "]: no such property");
    outcome.Value = TPathValue::OfText(text);
    return outcome;
  } catch (const std::exception& e) {
    return Failure(TPathProblem::CalculationError, "Calculation error for [" + Path + "]: " + e.what());
  }
}

TPathOutcome WritePath(TProject& Project, const TSession& Session, const std::string& Path, const TPathValue& Value) {
  const std::string path = NormalisedPath(Path);
  std::string name;
  TEntity* owner = Project.ResolvePath(path, name);
  if (!owner) return Failure(TPathProblem::UnknownPath, "Unknown property path [" + Path + "]: no such entity");
  const TProperty* property = owner->Properties().Find(name);
  if (!property) {
    const bool is_value = owner->IsNumeric(name) ||
                          owner->StringValue(name, "** UNKNOWN PROPERTY **", 0, 0) != "** UNKNOWN PROPERTY **";
    if (!is_value) return Failure(TPathProblem::UnknownPath, "Unknown property path [" + Path + "]: no such property");
    return Failure(TPathProblem::NotAnInput, "Cannot set [" + Path + "]: it is not an input of the project file");
  }
  if (!property->IsScalar() || !property->IsPublished || !property->IsWritable())
    return Failure(TPathProblem::NotAnInput, "Cannot set [" + Path + "]: it is not an input of the project file");
  if (const std::string library = LibraryOwner(Project, Session, owner, name); !library.empty())
    return Failure(TPathProblem::NotAnInput,
                   "Cannot set [" + Path + "]: the value comes from " + library + " and would be replaced");

  // The value in the property's kind.
  const std::string given = ValueText(Value);
  auto wrong_type = [&] {
    return Failure(TPathProblem::WrongType, "Cannot set [" + Path + "] to " + given + ": it takes " +
                                                KindWord(property->Kind));
  };
  double number = 0;
  int64_t ordinal = 0;
  switch (property->Kind) {
    case TPropKind::Float:
      if (Value.Kind == TPathValue::pvNumber) number = Value.Number;
      else if (Value.Kind == TPathValue::pvInteger) number = static_cast<double>(Value.Integer);
      else return wrong_type();
      if (!std::isfinite(number))
        return Failure(TPathProblem::InvalidValue, "Cannot set [" + Path + "] to " + given + ": not a finite number");
      break;
    case TPropKind::Integer:
    case TPropKind::Enumeration:
      if (Value.Kind == TPathValue::pvInteger) {
        ordinal = Value.Integer;
      } else if (Value.Kind == TPathValue::pvNumber && std::isfinite(Value.Number) &&
                 Value.Number == std::trunc(Value.Number) && std::fabs(Value.Number) < 2147483648.0) {
        ordinal = static_cast<int64_t>(Value.Number);
      } else {
        return wrong_type();
      }
      if (ordinal < std::numeric_limits<int32_t>::min() || ordinal > std::numeric_limits<int32_t>::max())
        return Failure(TPathProblem::InvalidValue, "Cannot set [" + Path + "] to " + given + ": out of range");
      number = static_cast<double>(ordinal);
      break;
    case TPropKind::Boolean:
      if (Value.Kind != TPathValue::pvBoolean) return wrong_type();
      ordinal = Value.Boolean ? 1 : 0;
      break;
    case TPropKind::String:
      if (Value.Kind != TPathValue::pvText) return wrong_type();
      break;
    default: return wrong_type();
  }

  // The window's check of the field that edits this value. A field shows a
  // zero it may leave blank as blank.
  if (TFieldRule rule; FieldRuleForPath(path, rule)) {
    std::string text;
    if (property->Kind == TPropKind::String) text = Trim(Value.Text);
    else if (!(number == 0 && rule.CanBeBlank)) text = ValueText(Value.Kind == TPathValue::pvInteger
                                                                      ? Value
                                                                      : TPathValue::OfNumber(number));
    const TFieldVerdict verdict = CheckFieldText(rule, text);
    if (!verdict.IsPassed) return Failure(TPathProblem::InvalidValue, FormatFieldMessage(rule, verdict.MessageTemplate));
  }

  // Store it, with what the window does on such an edit.
  const int side = BeamSideOf(Project, owner);
  TGeometry before;
  before.Assign(&Project.Geometry);
  if (side >= 0 && SameText(name, "IsPropped")) {
    Project.SetBeamPropped(side, ordinal != 0);
  } else {
    switch (property->Kind) {
      case TPropKind::Float: property->SetFloat(*owner, number); break;
      case TPropKind::String: property->SetString(*owner, Value.Text); break;
      default: property->SetOrdinal(*owner, ordinal); break;
    }
  }
  if (owner == &Project.Geometry) {
    MirrorSide1(Project.Geometry);
    Project.Geometry.FollowSecondarySpans(before);
  }
  if (TSteelSection* section = SectionOf(Project, owner);
      section && owner == section &&
      (SameText(name, "Name") || SameText(name, "SectionType") || SameText(name, "Grade")))
    section->LoadFromLibrary(Session.SteelSectionLibrary);
  if (owner == &Project.SteelDeck && !Project.SteelDeck.IsCustom && SameText(name, "Name"))
    ApplyLibraryDeck(Project.SteelDeck, Session.SteelDeckLibrary);
  if (owner == &Project.ShearConnector && !Project.ShearConnector.IsCustom && SameText(name, "Name"))
    ApplyLibraryConnector(Project.ShearConnector, Session.ShearConnectorLibrary);
  Project.UpdateBeamGeometry();
  Project.UpdateAutoLoads();
  Project.IsChanged = true;
  TPathOutcome outcome;
  outcome.Value = ReadPath(Project, Path).Value;
  return outcome;
}
