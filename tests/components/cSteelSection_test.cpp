#include "components/cSteelSection.h"

#include <gtest/gtest.h>

#include "components/cStandard.h"
#include "entity/cIniFiles.h"
#include "steel_test_sections.h"

TEST(SteelSectionData, TypeOfSectionFollowsTheDesignation) {
  struct Case {
    const char* name;
    const char* type;
  } cases[] = {{"250ub25.7", "UB"},        {"200UC46.2", "UC"},    {"1200WB423", "WB"},
               {"500WC267", "WC"},         {"150x50x5RHS", "RHS"}, {"100x100x4SHS", "SHS"},
               {"Plate girder", "Custom"}, {"", "Custom"},         {"UBUC", "UB"}};
  for (const auto& c : cases)
    EXPECT_EQ(TCustomSteelSection::TypeOfSection(c.name), c.type) << c.name;
}

TEST(SteelSectionData, SectionTypeSetsCategoryAndWebs) {
  struct Case {
    const char* type;
    bool standard;
    TResidualStressType rs;
    bool two_webs;
  } cases[] = {{"UB", true, HR, false},        {"UC", true, HR, false},
               {"WB", true, HW, false},        {"WC", true, HW, false},
               {"Custom_I", false, HW, false}, {"Cust_Box", false, HW, true},
               {"RHS", true, CF, true},        {"SHS", true, CF, true}};
  for (const auto& c : cases) {
    TCustomSteelSection s;
    s.ResidualStressType = SR;
    s.HasTwoWebs = !c.two_webs;
    s.SetSectionType(c.type);
    EXPECT_EQ(s.IsStandard, c.standard) << c.type;
    EXPECT_EQ(s.ResidualStressType, c.rs) << c.type;
    EXPECT_EQ(s.HasTwoWebs, c.two_webs) << c.type;
  }
  // "Custom" is a library section of no known family: standard, the rest untouched.
  TCustomSteelSection custom;
  custom.ResidualStressType = LW;
  custom.HasTwoWebs = true;
  custom.SetSectionType("Custom");
  EXPECT_TRUE(custom.IsStandard);
  EXPECT_EQ(custom.ResidualStressType, LW);
  EXPECT_TRUE(custom.HasTwoWebs);
  // The comparison is exact.
  custom.SetSectionType("custom_i");
  EXPECT_TRUE(custom.IsStandard);
}

TEST(SteelSectionData, NewSectionDefaultsAndName) {
  TCustomSteelSection s;
  EXPECT_FALSE(s.IsStandard);
  EXPECT_FALSE(s.HasTwoWebs);
  EXPECT_EQ(s.ResidualStressType, HW);
  s.SetNamedPropertyValue("Name", "150x50x5RHS");
  EXPECT_EQ(s.SectionType, "RHS");
  EXPECT_EQ(s.ResidualStressType, CF);
  EXPECT_TRUE(s.IsChanged);
}

TEST(SteelSectionData, BottomFlangeOfStandardSectionIsTheTopFlange) {
  TCustomSteelSection s;
  s.b = 165;
  s.tf = 10.2;
  s.fyf = 320;
  s.Setbbf(200);
  s.Settbf(12);
  s.Setfybf(300);
  s.SetSectionType("Custom_I");
  EXPECT_DOUBLE_EQ(s.bbf(), 200);
  EXPECT_DOUBLE_EQ(s.NumericValue("tbf"), 12);
  EXPECT_DOUBLE_EQ(s.fybf(), 300);
  s.SetSectionType("UB");
  EXPECT_DOUBLE_EQ(s.bbf(), 165);
  EXPECT_DOUBLE_EQ(s.NumericValue("tbf"), 10.2);
  EXPECT_DOUBLE_EQ(s.fybf(), 320);
}

TEST(SteelSectionData, FullName) {
  EXPECT_EQ(TCustomSteelSection::CalcFullName("UB", "310UB40.4", "KESTREL"),
            "UB:310UB40.4/KESTREL");
  TSteelSection s;
  Set310UB404(s);
  EXPECT_EQ(s.ShortName(), "310UB40.4/KESTREL");
  s.SetSectionType("Custom_I");
  EXPECT_EQ(s.ShortName(), "Custom");
}

TEST(SteelSectionData, SettingTheTypeSetsTheBaseType) {
  TSteelSection s;
  s.SetNamedPropertyValue("SectionType", "Cust_Box");
  EXPECT_EQ(s.BaseSteelSection.SectionType, "Cust_Box");
  EXPECT_FALSE(s.BaseSteelSection.IsStandard);
  EXPECT_TRUE(s.BaseSteelSection.HasTwoWebs);
}

TEST(SteelSectionData, DerivedGeometryOfPlainPlatedAndNotchedSections) {
  TSteelSection s;
  Set310UB404(s);
  s.bp = 200;
  s.tp = 16;
  // Plate sizes are kept but not used while fyp is 0.
  EXPECT_DOUBLE_EQ(s.Ds(), 304);
  EXPECT_DOUBLE_EQ(s.bsf2(), 165);
  EXPECT_DOUBLE_EQ(s.tf2(), 10.2);
  EXPECT_DOUBLE_EQ(s.bsp(), 0);
  EXPECT_DOUBLE_EQ(s.OverallDepth(), 304);
  EXPECT_DOUBLE_EQ(s.StressLimitTop(), 288);
  EXPECT_DOUBLE_EQ(s.StressLimitBottom(), -288);

  s.fyp = 300;  // plated under the full section
  EXPECT_DOUBLE_EQ(s.bsp(), 200);
  EXPECT_DOUBLE_EQ(s.tsp(), 16);
  EXPECT_DOUBLE_EQ(s.OverallDepth(), 320);
  EXPECT_DOUBLE_EQ(s.fyf2(), 320);
  EXPECT_DOUBLE_EQ(s.StressLimitBottom(), -270);
  // (165 x 10.2 + 200 x 16) / (165 x 10.2) = 4883 / 1683
  EXPECT_NEAR(s.FlangeAreaRatio(), 4883.0 / 1683.0, 1e-12);

  s.NotchedDepth = 200;  // notched and plated: the plate is the bottom flange
  EXPECT_DOUBLE_EQ(s.Ds(), 200);
  EXPECT_DOUBLE_EQ(s.bsf2(), 200);
  EXPECT_DOUBLE_EQ(s.tf2(), 16);
  EXPECT_DOUBLE_EQ(s.fyf2(), 300);
  EXPECT_DOUBLE_EQ(s.bsp(), 0);
  EXPECT_DOUBLE_EQ(s.OverallDepth(), 200);
  EXPECT_DOUBLE_EQ(s.StressLimitBottom(), -270);

  s.fyp = 0;  // notched only: no bottom flange
  EXPECT_DOUBLE_EQ(s.bsf2(), 0);
  EXPECT_DOUBLE_EQ(s.tf2(), 0);
  EXPECT_DOUBLE_EQ(s.StressLimitBottom(), -0.9 * 320);
}

TEST(SteelSectionData, FlangeAreaRatioWithoutTopFlangeIsZero) {
  TSteelSection s;
  SetCustomI(s, 300, 0, 0, 300, 8, 300, 150, 10, 300);
  EXPECT_EQ(s.FlangeAreaRatio(), 0);
}

TEST(SteelSectionData, MassFromDesignationOrPlates) {
  TSteelSection s;
  Set310UB404(s);
  EXPECT_NEAR(s.Mass(), 40.4, 1e-9);
  // Nothing readable after "UB": 2 x 165 x 10.2 + 283.6 x 6.1 = 5095.96 mm2 -> 40.0033 kg/m.
  s.Name = "310UB-special";
  EXPECT_NEAR(s.Mass(), 5095.96 * 7850 / 1e6, 1e-9);
  // A plate 200 x 16 adds 3200 mm2.
  s.fyp = 300;
  s.bp = 200;
  s.tp = 16;
  EXPECT_NEAR(s.Mass(), (5095.96 + 3200) * 7850 / 1e6, 1e-9);
  // Notched to 200 without plate: 165 x 10.2 + (200 - 10.2) x 6.1 = 2840.78 mm2.
  s.fyp = 0;
  s.NotchedDepth = 200;
  EXPECT_NEAR(s.Mass(), 2840.78 * 7850 / 1e6, 1e-9);
  // A hollow section counts both webs: SHS 100x100x4 (square corners):
  // 2 x 100 x 4 + 2 x 92 x 4 = 1536 mm2.
  TSteelSection shs;
  SetStandard(shs, "SHS", 100, 100, 4, 4, 350);
  EXPECT_NEAR(shs.Mass(), 1536 * 7850 / 1e6, 1e-9);
}

TEST(SteelSectionData, LoadFromLibraryByFullName) {
  TEntityList library = TEntityList::Of<TCustomSteelSection>();
  auto item = std::make_unique<TCustomSteelSection>();
  item->SetName("150x50x5RHS");
  item->Grade = "C450";
  item->d = 150;
  item->b = 50;
  item->tf = 5;
  item->tw = 5;
  item->fyf = 450;
  item->fyw = 450;
  item->Setbbf(99);  // not used: a standard item gives its top flange
  const std::string key = item->FullName();
  library.Add(key, std::move(item));

  TSteelSection s;
  s.SetSectionType("RHS");
  s.Name = "150x50x5RHS";
  s.Grade = "c450";  // keys are found regardless of letter case
  s.BaseSteelSection.Name = "kept";
  s.LoadFromLibrary(library);
  const TCustomSteelSection& b = s.BaseSteelSection;
  EXPECT_DOUBLE_EQ(b.d, 150);
  EXPECT_DOUBLE_EQ(b.stored_bbf, 50);
  EXPECT_DOUBLE_EQ(b.fybf(), 450);
  EXPECT_EQ(b.ResidualStressType, CF);
  EXPECT_TRUE(b.HasTwoWebs);
  EXPECT_EQ(b.Name, "kept");
  EXPECT_TRUE(b.IsChanged);

  // Not in the library: nothing changes.
  s.Name = "<Auto-select>";
  s.BaseSteelSection.d = 123;
  s.LoadFromLibrary(library);
  EXPECT_DOUBLE_EQ(s.BaseSteelSection.d, 123);
}

TEST(SteelSectionData, AssignCopiesInputsAndBaseButNotResults) {
  TSteelSection src;
  SetCustomI(src, 500, 200, 12, 300, 8, 320, 250, 16, 350);
  src.SteelSectionLabel = "Notched (End 1)";
  src.NotchedDepth = 350;
  src.fyp = 300;
  src.bp = 220;
  src.tp = 20;
  src.WillSetTopFlangeCompact = true;
  src.Zst = 1e6;
  src.BaseSteelSection.ResidualStressType = LW;

  TSteelSection dst;
  Set310UB404(dst);
  dst.Assign(&src);
  EXPECT_EQ(dst.SteelSectionLabel, "Notched (End 1)");
  EXPECT_EQ(dst.SectionType, "Custom_I");
  EXPECT_DOUBLE_EQ(dst.NotchedDepth, 350);
  EXPECT_DOUBLE_EQ(dst.tp, 20);
  EXPECT_TRUE(dst.WillSetTopFlangeCompact);
  EXPECT_EQ(dst.Zst, 0);
  const TCustomSteelSection& b = dst.BaseSteelSection;
  EXPECT_FALSE(b.IsStandard);
  EXPECT_DOUBLE_EQ(b.d, 500);
  EXPECT_DOUBLE_EQ(b.bbf(), 250);
  EXPECT_DOUBLE_EQ(b.tbf(), 16);
  EXPECT_DOUBLE_EQ(b.fybf(), 350);
  EXPECT_EQ(b.ResidualStressType, LW);
  EXPECT_DOUBLE_EQ(src.NotchedDepth, 350);  // the source is left as it was
  EXPECT_EQ(src.Zst, 1e6);
}

TEST(SteelSectionData, StandardSectionStoresOnlyItsReference) {
  auto ini = TVEXIniFile::FromBytes("[B1CustomSteelSection]\nName=old\nd=500\n");
  TSteelSection s;
  Set310UB404(s);
  s.SaveToIniFile(ini, "B1", "");
  EXPECT_FALSE(ini.SectionExists("B1CustomSteelSection"));
  EXPECT_EQ(ini.ReadString("B1SteelSection", "Name", ""), "310UB40.4");
  EXPECT_EQ(ini.ReadString("B1SteelSection", "SectionType", ""), "UB");
  EXPECT_FALSE(ini.ValueExists("B1SteelSection", "Zst"));

  TSteelSection loaded;
  loaded.LoadFromIniFile(ini, "B1", "");
  EXPECT_EQ(loaded.Name, "310UB40.4");
  EXPECT_TRUE(loaded.BaseSteelSection.IsStandard);
  EXPECT_EQ(loaded.BaseSteelSection.ResidualStressType, HR);
  EXPECT_DOUBLE_EQ(loaded.BaseSteelSection.d, 0);  // dimensions come from the library
}

TEST(SteelSectionData, UserDefinedSectionRoundTrips) {
  auto ini = TVEXIniFile::FromBytes("");
  TSteelSection s;
  SetCustomI(s, 500, 200, 12, 300, 8, 320, 250, 16, 350);
  s.NotchedDepth = 300;
  s.WillUseFullSectionForServiceability = true;
  s.SaveToIniFile(ini, "", "");
  EXPECT_EQ(ini.ReadString("CustomSteelSection", "SectionType", ""), "Custom_I");

  TSteelSection loaded;
  loaded.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(loaded.SectionType, "Custom_I");
  EXPECT_FALSE(loaded.BaseSteelSection.IsStandard);
  EXPECT_DOUBLE_EQ(loaded.BaseSteelSection.d, 500);
  EXPECT_DOUBLE_EQ(loaded.BaseSteelSection.bbf(), 250);
  EXPECT_DOUBLE_EQ(loaded.BaseSteelSection.fybf(), 350);
  EXPECT_DOUBLE_EQ(loaded.NotchedDepth, 300);
  EXPECT_TRUE(loaded.WillUseFullSectionForServiceability);
  EXPECT_FALSE(loaded.IsChanged);
}

TEST(SteelSectionData, StandardSectionKeepsOtherSectionsBaseData) {
  // A beam's sections share the INI sections under numbered suffixes.
  auto ini = TVEXIniFile::FromBytes("");
  TSteelSection custom, standard;
  SetCustomI(custom, 500, 200, 12, 300, 8, 320, 250, 16, 350);
  Set310UB404(standard);
  custom.SaveToIniFile(ini, "", "0");
  standard.BaseSteelSection.SaveToIniFile(ini, "",
                                          "1");  // left from an earlier user-defined section
  standard.SaveToIniFile(ini, "", "1");
  EXPECT_FALSE(ini.ValueExists("CustomSteelSection", "d1"));
  TSteelSection loaded;
  loaded.LoadFromIniFile(ini, "", "0");
  EXPECT_DOUBLE_EQ(loaded.BaseSteelSection.d, 500);
  EXPECT_DOUBLE_EQ(loaded.BaseSteelSection.tbf(), 16);
}

namespace {
// IsOK of a valid 310UB40.4 changed by one edit; the first message.
std::string FirstMessage(void (*edit)(TSteelSection&)) {
  TSteelSection s;
  Set310UB404(s);
  edit(s);
  s.IsOK();
  return s.Status.ErrorMsg;
}
}  // namespace

TEST(SteelSectionChecks, MessagesInBothEditions) {
  {
    TSteelSection s;
    Set310UB404(s);
    EXPECT_TRUE(s.IsOK());
    EXPECT_TRUE(s.Status.IsChecked);
  }
  struct Case {
    void (*edit)(TSteelSection&);
    const char* message;  // with "%C" where the 2017 edition puts its clause
  } cases[] = {
      {[](TSteelSection& s) { s.SteelSectionLabel = ""; }, "Missing label for steel section"},
      {[](TSteelSection& s) { s.SectionType = ""; },
       "Missing steel section type for [Base steel beam]"},
      {[](TSteelSection& s) { s.BaseSteelSection.b = 20.5; },
       "Invalid top flange width (20.5 mm) for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.b = 1200; },
       "Invalid top flange width (1200 mm) for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.tf = 2; },
       "%CTop flange thickness should be at least 3.0 for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.fyf = 90; },
       "Top flange yield stress should be at least 100 for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.fyf = 500; },
       "%CAssumed top flange yield stress must not exceed 450 MPa for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.tw = 2.5; },
       "%CWeb thickness should be at least 3.0 for steel section [Base steel beam]"},
      {[](TSteelSection& s) { s.BaseSteelSection.fyw = 90; },
       "Web yield stress should be at least 100 for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.fyw = 460; },
       "%CAssumed web yield stress must not exceed 450 MPa for Base steel beam section"},
      {[](TSteelSection& s) { s.NotchedDepth = 200; },
       "Invalid bottom flange width for steel section [Base steel beam]"},
      {[](TSteelSection& s) {
         s.fyp = 300;
         s.bp = 200;
         s.tp = 2;
         s.NotchedDepth = 200;
       },
       "%CBottom flange thickness should be at least 3.0 for steel section [Base steel beam]"},
      {[](TSteelSection& s) {
         s.SetSectionType("Custom_I");
         s.BaseSteelSection.Setbbf(165);
         s.BaseSteelSection.Settbf(10.2);
         s.BaseSteelSection.Setfybf(80);
       },
       "Bottom flange yield stress should be at least 100 for Base steel beam section"},
      {[](TSteelSection& s) {
         s.fyp = 500;
         s.bp = 200;
         s.tp = 16;
         s.NotchedDepth = 200;
       },
       "%CAssumed bottom flange yield stress must not exceed 450 MPa for Base steel beam section"},
      {[](TSteelSection& s) { s.BaseSteelSection.d = 40; },
       "Invalid section depth for steel section [Base steel beam]"},
  };
  for (int version : {kStandard2017, kStandard2003}) {
    TStandardVersionScope scope(version);
    const std::string clause = version == kStandard2017 ? "(Cl 1.1.1a) " : "";
    for (const auto& c : cases) {
      std::string expected = c.message;
      if (expected.rfind("%C", 0) == 0) expected = clause + expected.substr(2);
      EXPECT_EQ(FirstMessage(c.edit), expected) << version;
    }
  }
}

TEST(SteelSectionChecks, LevelsAndNotchedSectionWithoutPlate) {
  TSteelSection s;
  Set310UB404(s);
  s.SteelSectionLabel = "";
  EXPECT_FALSE(s.IsOK());
  EXPECT_EQ(s.Status.ErrorLevel, elError);

  // Notched without plate: checks 11 and 12 report the missing bottom flange.
  TSteelSection n;
  Set310UB404(n, "Notched (End 1)");
  n.NotchedDepth = 200;
  EXPECT_FALSE(n.IsOK());
  EXPECT_EQ(n.Status.ErrorLevel, elWarning);
  ASSERT_EQ(n.Status.ErrorList().size(), 2u);
  EXPECT_EQ(n.Status.ErrorList()[0].Text,
            "Warning: Invalid bottom flange width for steel section [Notched (End 1)]");
  EXPECT_EQ(n.Status.ErrorList()[1].Text,
            "Warning: (Cl 1.1.1a) Bottom flange thickness should be at least 3.0 for steel section "
            "[Notched (End 1)]");

  // "<Auto-select>" sections are checked for label and type only.
  TSteelSection a;
  a.SteelSectionLabel = "Plated";
  a.SetSectionType("UB");
  a.Name = "<Auto-select>";
  EXPECT_TRUE(a.IsOK());
}

TEST(SteelSectionRestrictions, FirstApplicableRowByDepth) {
  TEntityList rows = TEntityList::Of<TCWBRestriction>();
  const double limits[][2] = {{0, 500}, {400, 1000}, {1000, -1}};
  for (const auto& l : limits) {
    auto r = std::make_unique<TCWBRestriction>();
    r->MinDepth = l[0];
    r->MaxDepth = l[1];
    rows.Add(std::to_string(l[0]), std::move(r));
  }
  struct Case {
    double Ds;
    int row;
  } cases[] = {{300, 0}, {500, 0}, {700, 1}, {1000, 1}, {1000.5, 2}, {5000, 2}};
  for (const auto& c : cases) {
    EXPECT_EQ(FindCWBRestriction(rows, c.Ds), rows.Item(c.row)) << c.Ds;
  }
  rows.Delete(2);
  EXPECT_EQ(FindCWBRestriction(rows, 2000), nullptr);
  EXPECT_EQ(FindCWBRestriction(TEntityList::Of<TCWBRestriction>(), 100), nullptr);
}
