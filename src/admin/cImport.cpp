#include "admin/cImport.h"

#include <climits>
#include <cstdint>
#include <utility>
#include <vector>

#include "admin/cExcelDirect.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"

const char* const kTvxFormatWarning = "Trevalon import file not in correct format";

namespace {

// An older project file has at least this many lines; later ones are ignored.
constexpr int kTvxLineCount = 31;
// The last row a table of a workbook can reach.
constexpr int kLastRow = 1048576;

// Lines end at CR LF, LF or CR; a line break at the very end starts no line.
std::vector<std::string> SplitLines(std::string_view Text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] != '\r' && Text[i] != '\n') continue;
    lines.emplace_back(Text.substr(start, i - start));
    if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < Text.size()) lines.emplace_back(Text.substr(start));
  return lines;
}

std::string ImportedFrom(const std::string& Filename, std::time_t Today) {
  return "Imported from " + Filename + ", " + FormatShortDate(Today);
}

// A count from 1 made a position from 0, kept within the range of int.
int PositionOf(int32_t Number) { return Number == INT32_MIN ? Number : Number - 1; }

// ---------------------------------------------------------------------------
// The workbook, sheet by sheet.

// The import ends where the workbook first fails to read (a missing sheet, a
// cell that is not the number it must be): that failure is the import's
// result. Once it has failed the reader reads nothing more: every later
// cell reads as empty, no row is added to a list, and no sheet after it is
// read, so the project is left cleared and filled up to that point.
class TWorkbookReader {
 public:
  TWorkbookReader(TProject& Project, TExcelDirect& Book, const std::string& Filename, std::time_t Today)
      : project_(Project), beam_(*Project.GetBeam(1)), book_(Book), filename_(Filename), today_(Today) {}

  TResult Read() {
    const bool is_first_layout = ReadDeflectionLayout();
    for (void (TWorkbookReader::*sheet)() :
         {&TWorkbookReader::ReadGeneralData, &TWorkbookReader::ReadSteelSections,
          &TWorkbookReader::ReadConcreteSections, &TWorkbookReader::ReadCompositeSections,
          &TWorkbookReader::ReadDistributedLoads, &TWorkbookReader::ReadPointLoads}) {
      if (!result_) return result_;
      (this->*sheet)();
    }
    if (result_) ReadDeflectionData(is_first_layout);
    return result_;
  }

 private:
  static std::string Ref(const char* Column, int Row) { return Column + std::to_string(Row); }
  // Whether the reading goes on: nothing has failed yet.
  bool IsReading() const { return result_.IsOK(); }
  // Chooses a sheet; false (and the import's failure) when it cannot be read.
  bool Sheet(const char* Name) {
    if (IsReading()) result_ = book_.SetCurrentSheetByName(Name);
    return IsReading();
  }
  std::string Text(const char* Column, int Row) {
    std::string value;
    if (IsReading()) result_ = book_.GetCellValue(Ref(Column, Row), value);
    return IsReading() ? value : std::string();
  }
  double Number(const char* Column, int Row) {
    double value = 0;
    if (IsReading()) result_ = book_.GetCellFloatValue(Ref(Column, Row), value);
    return IsReading() ? value : 0;
  }
  // A stage number: the cell as an integer, the in-service stage when it is not one.
  static int StageOf(const std::string& Text) { return StrToIntDef(Text, kInServiceStage); }

  // The layout of "Deflection_Data": true for the first (D2 <= 1, an empty
  // D2 included), which starts with the combined stage 3, 5 and 6 limit.
  bool ReadDeflectionLayout() {
    if (!Sheet("Deflection_Data")) return false;
    return Number("D", 2) <= 1;
  }

  void ReadGeneralData() {
    if (!Sheet("General_Beam_Data")) return;
    project_.Project = Text("C", 1);
    project_.Description = ImportedFrom(filename_, today_);
    project_.Designer = Text("G", 1);
    project_.FloorArea = 1000;
    project_.Storeys = 5;
    project_.Segments = 10;
    beam_.Mark = Text("C", 2);
    TGeometry& g = project_.Geometry;
    g.HasPrimaryBeam = false;
    g.IsSide2SameAsSide1 = true;
    g.WillAutocalcBeamLoading = false;
    g.Span = 10000;
    g.PrimaryEffectiveSpacing = Number("A", 5);
    g.SpacingSide1 = g.PrimaryEffectiveSpacing;
    g.WillAutocalcSecondaryStartLocations = false;
    g.Outstand = 150;
    g.PondingAllowance = 10;
    // As a project file is read: a number that names no stage would leave the
    // composite design without any stage.
    const int stage = StageOf(Text("G", 5));
    project_.DesignCompositeStage =
        static_cast<TStage>(TConstructionStageSet::IsValidStage(stage) ? stage : kInServiceStage);
    project_.ConcreteFloor.ConcreteStrength = Number("B", 5);
    project_.ConcreteFloor.Density = Number("C", 5);
    project_.ConcreteFloor.ShrinkageStrain = Number("D", 5);
    project_.SteelDeck.Name = Text("E", 5);
    project_.ShearConnector.Name = Text("F", 5);
  }

  // One row per kind of section; the first row also names the section type,
  // name and grade that all four sections of the beam take.
  void ReadSteelSections() {
    if (!Sheet("Steel_X_Sections")) return;
    TSteelSection section;
    if (!Text("A", 2).empty()) {
      std::string type = Text("B", 2);
      if (const size_t dot = type.rfind('.'); dot != std::string::npos) type.erase(dot);
      section.SetSectionType(type);
      section.Name = Text("C", 2);
      section.Grade = Text("D", 2);
      // Each section keeps its own label and takes type, name and grade.
      for (int i = 0; i < beam_.SteelSectionList.Count(); ++i) {
        TSteelSection& own = *beam_.SteelSection(i);
        section.SteelSectionLabel = own.SteelSectionLabel;
        own.Assign(&section);
      }
    }
    bool has_notch = false;
    for (int r = 2; r <= kLastRow; ++r) {
      const std::string key = Text("A", r);
      if (key.empty()) break;
      section.NotchedDepth = Number("E", r);
      section.bp = Number("F", r);
      section.tp = Number("G", r);
      section.fyp = Number("H", r);
      if (!IsReading()) return;
      if (section.NotchedDepth > 0) {
        section.SteelSectionLabel = has_notch ? "Notched (End 2)" : "Notched (End 1)";
        has_notch = true;
      } else {
        section.SteelSectionLabel = section.fyp > 0 ? "Plated" : "Base steel beam";
      }
      section_map_.emplace_back(key, section.SteelSectionLabel);
      if (TSteelSection* own = beam_.SteelSectionList.SteelSectionByLabel(section.SteelSectionLabel))
        own->Assign(&section);
    }
  }

  void ReadConcreteSections() {
    if (!Sheet("Concrete_X_Sections")) return;
    TGeometry& g = project_.Geometry;
    g.Ds = Number("B", 2);
    g.PondingAllowance = 0;
    g.FacadeLoad = 0;
    g.IsEdgeBeam = Text("H", 2) == "Y";
    g.SecondarySpacingSide1 = 2 * Number("C", 2);
    if (g.IsEdgeBeam) {
      g.Outstand = Number("D", 2);
      g.SecondarySpacingSide2 = g.SecondarySpacingSide1;
    } else {
      g.Outstand = 150;
      g.SecondarySpacingSide2 = 2 * Number("D", 2);
    }
    g.ThetaSide1 = 90 - Number("E", 2);
    g.ThetaSide2 = 90 - Number("F", 2);
    if (!IsReading()) return;
    beam_.CompositeSectionList.Clear();
  }

  // The label of the steel section a workbook key names; "" when none does.
  std::string SectionLabelOf(const std::string& Key) const {
    for (const auto& [key, label] : section_map_)
      if (SameText(key, Key)) return label;
    return "";
  }

  void ReadCompositeSections() {
    if (!Sheet("Composite_X_Sections")) return;
    for (int r = 2; r <= kLastRow; ++r) {
      const std::string label = Text("A", r);
      if (label.empty()) break;
      auto cs = std::make_unique<TCompositeSection>();
      cs->CompositeSectionLabel = label;
      cs->StartPosition = Number("B", r);
      cs->SteelSectionLabel = SectionLabelOf(Text("C", r));
      cs->bcLeft = project_.Geometry.GetMaxSlabWidth(1, 1);
      cs->bcRight = project_.Geometry.GetMaxSlabWidth(1, 2);
      if (!IsReading()) return;
      beam_.CompositeSectionList.Add(label, std::move(cs));
    }
  }

  static bool IsLiveLoadKind(const std::string& Kind) {
    const char first = Kind.empty() ? ' ' : UpperCase(Kind.substr(0, 1))[0];
    return first == 'L' || first == 'Q';
  }

  // Reads the load's kind and description, stores it under its row, and
  // takes the live load factors a service load row carries.
  void AddLoad(TAppliedLoadList& List, std::unique_ptr<TAppliedLoad> Load, const std::string& StageText, int Row,
               const char* KindColumn, const char* DescriptionColumn, const char* ShortColumn,
               const char* LongColumn) {
    Load->IsLiveLoad = IsLiveLoadKind(Text(KindColumn, Row));
    Load->Description = Text(DescriptionColumn, Row);
    if (!IsReading()) return;
    const int stage = Load->ConStage;
    const bool is_point = Load->IsPointLoad();
    List.Add(std::to_string(Row - 1), std::move(Load));
    if (stage == 4 || !TConstructionStageSet::IsValidStage(stage))
      project_.Status.SetError(elWarning, std::string(is_point ? "Point" : "Distributed") + " load in row " +
                                              std::to_string(Row) + " of sheet \"" + book_.CurrentSheetName() +
                                              "\" has stage " + std::to_string(stage) +
                                              ", which is not 3, 5, 6 or 7: the load never acts");

    const int index = beam_.ConstructionStageList.IndexOf(StageText);
    if (index < 0 || !beam_.ConstructionStageList.ItemAs<TConstructionStage>(index)->IsInServiceStage()) return;
    SetLiveLoadFactor("*Short*", Number(ShortColumn, Row));
    SetLiveLoadFactor("*Long*", Number(LongColumn, Row));
  }

  void SetLiveLoadFactor(const char* Mask, double Factor) {
    if (Factor <= 0) return;
    const int i = project_.LimitStateList.CloseIndexOf(Mask);
    if (i >= 0) project_.LimitStateList.ItemAs<TLimitState>(i)->LFlive = Factor;
  }

  void ReadDistributedLoads() {
    if (!Sheet("Distributed_Loads")) return;
    for (int r = 2; r <= kLastRow; ++r) {
      const std::string stage = Text("A", r);
      if (stage.empty()) break;
      auto load = std::make_unique<TDistributedLoad>();
      load->ConStage = StageOf(stage);
      load->SetStartPosition(Number("B", r));
      load->IsStartPositionProportional = false;
      // Only "Span" as written ends the load at the support; anything else is a position.
      if (Text("C", r) == "Span") {
        load->IsFinishPositionAtEnd = true;
      } else {
        load->IsFinishPositionAtEnd = false;
        load->FinishPosition = Number("C", r);
      }
      load->IsFinishPositionProportional = false;
      load->StartValue = Number("D", r);
      load->FinishValue = Number("E", r);
      AddLoad(beam_.DistributedLoadList, std::move(load), stage, r, "F", "I", "G", "H");
    }
  }

  void ReadPointLoads() {
    if (!Sheet("Point_Loads")) return;
    for (int r = 2; r <= kLastRow; ++r) {
      const std::string stage = Text("A", r);
      if (stage.empty()) break;
      auto load = std::make_unique<TPointLoad>();
      load->ConStage = StageOf(stage);
      load->Position = Number("B", r);
      load->IsPositionProportional = false;
      load->Value = Number("C", r);
      AddLoad(beam_.PointLoadList, std::move(load), stage, r, "D", "G", "E", "F");
    }
  }

  void ReadDeflectionData(bool IsFirstLayout) {
    if (!Sheet("Deflection_Data")) return;
    TDeflectionLimit& dl = project_.DeflectionLimit;
    std::string camber;
    if (IsFirstLayout) {
      dl.Stage3DLRelLimit = 0;
      dl.Stage56DLRelLimit = 0;
      dl.Stage356DLRelLimit = Number("A", 2);
      dl.IncrementalRelLimit = Number("B", 2);
      dl.TotalRelLimit = Number("C", 2);
      dl.ShrinkageRatioPriorInservice = Number("D", 2);
      camber = Text("E", 2);
    } else {
      dl.Stage3DLRelLimit = Number("A", 2);
      dl.Stage56DLRelLimit = Number("B", 2);
      dl.Stage356DLRelLimit = 0;
      dl.IncrementalRelLimit = Number("C", 2);
      dl.TotalRelLimit = Number("D", 2);
      dl.ShrinkageRatioPriorInservice = Number("E", 2);
      camber = Text("F", 2);
    }

    // "Stage ..." names the stages the camber offsets (stage 3 alone when a 3
    // is named, else stages 3, 5 and 6); anything else is a camber in mm.
    if (!MatchesMask(camber, "stage*")) {
      beam_.CamberType = 2;
      beam_.CamberAbsolute = StrToFloatDef(camber, 0);
    } else {
      beam_.CamberType = MatchesMask(camber, "*3*") ? 0 : 1;
    }
    beam_.CamberRelative = 0;

    dl.Stage3DLAbsLimit = 55;
    dl.Stage56DLAbsLimit = 0;
    dl.Stage356DLAbsLimit = 0;
    dl.IncrementalAbsLimit = 0;
    dl.TotalAbsLimit = 0;
    if (IsFirstLayout) {
      const int i = project_.LimitStateList.CloseIndexOf("*Strength*");
      if (i >= 0) project_.LimitStateList.ItemAs<TLimitState>(i)->LFdead = 1.25;
    }
  }

  TProject& project_;
  TImportedBeam& beam_;
  TExcelDirect& book_;
  const std::string& filename_;
  std::time_t today_;
  std::vector<std::pair<std::string, std::string>> section_map_;  // workbook key, section label
  TResult result_;  // the first failure to read the workbook
};

// The input screens' rule for a name the library lacks: a deck (or
// connector) that is not custom and matches no library name, not even
// loosely, takes the library's first item. Said as a warning, since the
// engineer did not choose it.
void TakeFirstLibraryItemWhenUnknown(TProject& Project, std::string& Name, bool IsCustom, const TEntityList& Library,
                                     const std::string& What) {
  if (IsCustom || Library.Empty() || Library.IndexOf(Name) >= 0 || Library.CloseIndexOf(Name) >= 0) return;
  const std::string first = Library.Key(0);
  Project.Status.SetError(elWarning, What + " \"" + Name + "\" is not in the library: the first one, \"" + first +
                                         "\", is used");
  Name = first;
}

// A section the library lacks keeps no dimensions, and the analysis would
// only say that its flanges are invalid; say which section it is.
void WarnOfSectionsNotInLibrary(TProject& Project, const TEntityList& Library) {
  for (int id = 0; id < 3; ++id) {
    if (!Project.GetHasBeam(id)) continue;
    const TImportedBeam& beam = *Project.GetBeam(id);
    const TSteelSection* s = beam.SteelSectionList.SteelSectionByLabel("Base steel beam");
    if (!s || s->Name == kAutoSelect) continue;
    if (Library.Find(TCustomSteelSection::CalcFullName(s->SectionType, s->Name, s->Grade))) continue;
    Project.Status.SetError(elWarning, beam.LongName() + ": steel section \"" + s->Name + "\" (type " +
                                           s->SectionType + ", grade \"" + s->Grade +
                                           "\") is not in the section library");
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// Older project files.

TResult ImportFromTvx(TProject& Project, const std::string& TvxFilename, std::time_t Today) {
  std::string bytes;
  if (TResult read = ReadFileBytes(TvxFilename, bytes); !read) return read;
  return ImportFromTvxText(Project, bytes, TvxFilename, Today);
}

TResult ImportFromTvxText(TProject& Project, std::string_view Text, const std::string& TvxFilename,
                                std::time_t Today) {
  Project.Status.Reset();
  const std::vector<std::string> lines = SplitLines(IsValidUtf8(Text) ? std::string(Text) : Cp1252ToUtf8(Text));
  if (static_cast<int>(lines.size()) < kTvxLineCount) {
    Project.Status.SetError(elWarning, kTvxFormatWarning);
    return TResult::Failure(std::string(kTvxFormatWarning) + ": [" + TvxFilename + "] has " + std::to_string(lines.size()) +
                       " lines, fewer than " + std::to_string(kTvxLineCount));
  }
  // Lines are numbered from 1, as the file's layout counts them.
  auto line = [&](int n) -> const std::string& { return lines[n - 1]; };
  auto number = [&](int n, double Default) { return StrToFloatDef(line(n), Default); };

  Project.Clear();
  Project.Project = line(2);
  Project.Description = ImportedFrom(TvxFilename, Today);
  if (!Trim(line(3)).empty()) Project.Description = line(3) + "\r\n" + Project.Description;
  Project.Designer = line(4);
  Project.FloorArea = 1000;
  Project.Storeys = 5;
  Project.Segments = 10;
  Project.DesignCompositeStage = kInServiceStage;

  TGeometry& g = Project.Geometry;
  g.WillAutocalcBeamLoading = true;
  g.FloorUseIndex = PositionOf(StrToIntDef(line(7), 0));
  g.NominalLiveLoad = number(8, 0);
  g.IsLiveLoadReducible = !line(9).empty() && std::string_view("TYty").find(line(9)[0]) != std::string_view::npos;
  g.DeadLoad = number(10, 0);
  g.Ds = number(11, 0);
  g.PondingAllowance = number(12, 0);
  g.FacadeLoad = number(13, 0);
  g.IsTemporaryLiveLoadReducible = true;

  TDeflectionLimit& dl = Project.DeflectionLimit;
  dl.Stage3DLRelLimit = 200;
  dl.Stage56DLRelLimit = 250;
  dl.Stage356DLRelLimit = 0;
  dl.IncrementalRelLimit = number(14, dl.IncrementalRelLimit);
  dl.TotalRelLimit = number(15, dl.TotalRelLimit);
  dl.ShrinkageRatioPriorInservice = 0.4;

  // Positions 1 and 2 of the limit states are the short- and long-term ones.
  for (int position : {1, 2}) {
    if (position >= Project.LimitStateList.Count()) continue;
    TLimitState& ls = *Project.LimitStateList.ItemAs<TLimitState>(position);
    ls.LFlive = number(15 + position, ls.LFlive);
  }

  g.IsSide2SameAsSide1 = true;
  g.HasPrimaryBeam = true;
  g.ThetaSide1 = 0;
  g.ThetaSide2 = 0;
  g.PrimaryEffectiveSpacing = number(18, g.GetSpacing(1));
  g.SpacingSide1 = g.PrimaryEffectiveSpacing;
  g.SpacingSide2 = g.PrimaryEffectiveSpacing;
  g.Outstand = 150;
  g.SecondarySpacingSide1 = number(19, 0);
  g.SecondarySpacingSide2 = g.SecondarySpacingSide1;
  if (Trim(line(20)) == "Ext")
    Project.Status.SetError(elWarning, "Import file has secondary beam as an exterior beam, which is not permitted "
                                       "in this version of " + GetAppName());
  g.Span = number(21, g.Span);
  g.IsEdgeBeam = Trim(line(23)) == "Ext";

  Project.SteelDeck.Name = line(24);
  Project.ConcreteFloor.ConcreteStrength = number(25, 0);
  Project.ConcreteFloor.Density = number(26, 0);
  Project.ConcreteFloor.WetDensity = Project.ConcreteFloor.Density;
  Project.ConcreteFloor.ShrinkageStrain = 300;
  Project.ShearConnector.Name = "<Default>";
  g.SecondaryStartSide1 = number(27, 0);
  g.SecondaryStartSide2 = g.SecondaryStartSide1;

  // The secondary beam (lines 5, 28, 29), then the primary beam (6, 30, 31).
  for (int id : {1, 0}) {
    TImportedBeam& beam = *Project.GetBeam(id);
    beam.Clear();
    beam.Mark = line(id == 1 ? 5 : 6);
    const std::string& name = line(id == 1 ? 28 : 30);
    const std::string grade = line(id == 1 ? 29 : 31) == "1" ? "KESTREL" : "Gr 350";
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      TSteelSection& section = *beam.SteelSection(i);
      section.Name = name;
      section.SetSectionType(TCustomSteelSection::TypeOfSection(name));
      section.Grade = grade;
    }
    beam.CamberType = 0;
    auto cs = std::make_unique<TCompositeSection>();
    cs->CompositeSectionLabel = "1";
    cs->StartPosition = 0;
    cs->SteelSectionLabel = beam.SteelSection(0)->SteelSectionLabel;
    cs->bcLeft = g.GetMaxSlabWidth(id, 1);
    cs->bcRight = g.GetMaxSlabWidth(id, 2);
    beam.CompositeSectionList.Add("1", std::move(cs));
  }
  return {};
}

// ---------------------------------------------------------------------------
// Workbooks.

TResult ImportFromXLS(TProject& Project, const std::string& XLSFilename, std::time_t Today) {
  TExcelDirect book;
  book.Connect(XLSFilename);
  return ImportFromWorkbook(Project, book, XLSFilename, Today);
}

TResult ImportFromWorkbook(TProject& Project, TExcelDirect& Workbook, const std::string& XLSFilename,
                                 std::time_t Today) {
  Project.Status.Reset();
  Project.Clear();
  TResult read = TWorkbookReader(Project, Workbook, XLSFilename, Today).Read();
  Workbook.Disconnect();
  return read;
}

// ---------------------------------------------------------------------------
// The Import command.

TResult ImportProjectFile(TProject& Project, const TSession& Session, const std::string& File,
                                std::time_t Today) {
  // A file that cannot be read changes nothing.
  std::string bytes;
  if (TResult read = ReadFileBytes(File, bytes); !read) return read;

  // The readers change the factors of the project's limit states, which the
  // program's project holds from the library all along; a new one takes them now.
  if (Project.LimitStateList.Empty()) Project.SetLimitStateValues(&Session.LimitStateLibrary);
  if (Project.CWBRestrictionList.Empty()) Project.SetCWBRestrictions(&Session.CWBRestrictionLibrary);
  TResult result;
  if (IsTextFile(File)) {
    result = ImportFromTvxText(Project, bytes, File, Today);
  } else {
    TExcelDirect book;
    book.ConnectToBytes(std::move(bytes), File);
    result = ImportFromWorkbook(Project, book, File, Today);
  }
  if (!result.IsOK()) return result;

  TakeFirstLibraryItemWhenUnknown(Project, Project.SteelDeck.Name, Project.SteelDeck.IsCustom,
                                  Session.SteelDeckLibrary, "Steel deck");
  TakeFirstLibraryItemWhenUnknown(Project, Project.ShearConnector.Name, Project.ShearConnector.IsCustom,
                                  Session.ShearConnectorLibrary, "Shear connector");
  Project.UpdateBeamGeometry();
  ReconcileWithLibraries(Project, Session);
  WarnOfSectionsNotInLibrary(Project, Session.SteelSectionLibrary);
  Project.IsChanged = true;
  return result;
}
