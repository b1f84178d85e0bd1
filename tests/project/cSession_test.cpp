#include "project/cSession.h"
#include "temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "components/cShearConnector.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
#include "engine/cLimitState.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"
#include "project/cFloorUse.h"

namespace {


const std::string kDefinitions = std::string(TREVALON_TEST_DATA_DIR) + "/VarnLibrary.ini";

std::vector<std::string> Messages(const TStatus& status) {
  std::vector<std::string> out;
  for (const auto& line : status.ErrorList()) out.push_back(line.Text);
  return out;
}

std::unique_ptr<TShearConnectorLibraryItem> Connector(const std::string& name, double dbs) {
  auto c = std::make_unique<TShearConnectorLibraryItem>();
  c->Name = name;
  c->dbs = dbs;
  return c;
}

}  // namespace

TEST(Session, StartsWithEmptyLibraries) {
  TSession session;
  EXPECT_EQ(session.SectionName, "Session");
  EXPECT_EQ(session.LibraryFilename, "Trevalon.kvl");
  EXPECT_EQ(session.SteelSectionLibrary.SectionName(), "CustomSteelSection");
  EXPECT_EQ(session.ShearConnectorLibrary.SectionName(), "ShearConnector");
  EXPECT_EQ(session.SteelDeckLibrary.SectionName(), "SteelDeck");
  EXPECT_EQ(session.FloorUseLibrary.SectionName(), "FloorUse");
  EXPECT_EQ(session.LimitStateLibrary.SectionName(), "LimitState");
  EXPECT_EQ(session.CWBRestrictionLibrary.SectionName(), "CWBRestriction");
}

TEST(Session, IsOKNamesEveryEmptyLibraryDecksFirst) {
  TSession session;
  EXPECT_FALSE(session.IsOK());
  EXPECT_TRUE(session.Status.IsChecked);
  EXPECT_EQ(session.Status.ErrorMsg, "Missing or invalid steel deck library");
  const std::vector<std::string> expected = {
      "Error: Missing or invalid steel deck library",    "Error: Missing or invalid shear connector library",
      "Error: Missing or invalid steel section library", "Error: Missing or invalid floor use library",
      "Error: Missing or invalid limit state library",   "Error: Missing or invalid CWB restriction library"};
  EXPECT_EQ(Messages(session.Status), expected);

  // With a deck the first complaint moves on; earlier messages are replaced.
  session.SteelDeckLibrary.Add("d", std::make_unique<TSteelDeckLibraryItem>());
  EXPECT_FALSE(session.IsOK());
  EXPECT_EQ(session.Status.ErrorMsg, "Missing or invalid shear connector library");
  EXPECT_EQ(session.Status.ErrorList().size(), 5u);
}

TEST(Session, GeneratedLibraryHoldsTheShippedCsvData) {
  TempDir dir;
  const std::string file = dir.File("Trevalon.tvl");
  const TResult result = GenerateLibraryFile(kDefinitions, file);
  ASSERT_TRUE(result.IsOK()) << result.Message();
  EXPECT_EQ(result.Message(), "New library file created: " + file);
  EXPECT_FALSE(std::filesystem::exists(file + ".tmp"));

  TSession session;
  ASSERT_TRUE(session.LoadLibraries(file).IsOK());
  EXPECT_TRUE(session.IsOK()) << session.Status.ErrorText();
  // One item per data line of each CSV file.
  EXPECT_EQ(session.SteelSectionLibrary.Count(), 418);
  EXPECT_EQ(session.ShearConnectorLibrary.Count(), 6);
  EXPECT_EQ(session.SteelDeckLibrary.Count(), 24);
  EXPECT_EQ(session.FloorUseLibrary.Count(), 7);
  EXPECT_EQ(session.LimitStateLibrary.Count(), 5);
  EXPECT_EQ(session.CWBRestrictionLibrary.Count(), 8);

  // SteelSections.csv: 180UB16.1,KESTREL,173,90,7,,,4.5,320,,320,UB
  auto* ub = static_cast<TCustomSteelSection*>(session.SteelSectionLibrary.Find("UB:180UB16.1/KESTREL"));
  ASSERT_NE(ub, nullptr);
  EXPECT_EQ(ub->d, 173);
  EXPECT_EQ(ub->b, 90);
  EXPECT_EQ(ub->tw, 4.5);
  EXPECT_EQ(ub->fyw, 320);
  EXPECT_EQ(ub->tbf(), 7);  // a standard section reads its bottom flange from the top one

  // SteelDecks.csv: RE54-060,8.21,200,25,54,0.6,1,0.12,1,2,"Re-entrant 54 mm x 0.60 mm",-1,0
  auto* deck = static_cast<TSteelDeckLibraryItem*>(session.SteelDeckLibrary.Find("Re-entrant 54 mm x 0.60 mm"));
  ASSERT_NE(deck, nullptr);
  EXPECT_EQ(deck->ShortCode, "RE54-060");
  EXPECT_EQ(deck->Mass, 8.21);
  EXPECT_EQ(deck->hr, 54);
  EXPECT_EQ(deck->VoidRatio, 0.12);
  EXPECT_EQ(deck->DeckType, 2);
  EXPECT_TRUE(deck->WillIgnoreConcreteBelowRibs);
  EXPECT_FALSE(deck->IsCustom);

  // ShearConnectors.csv: 2,20,100,500,0,"High-strength M20 bolt",0
  auto* bolt = static_cast<TShearConnectorLibraryItem*>(session.ShearConnectorLibrary.Find("High-strength M20 bolt"));
  ASSERT_NE(bolt, nullptr);
  EXPECT_EQ(bolt->ConnectorType, ctHighStrengthBolt);
  EXPECT_EQ(bolt->fuc, 500);
  EXPECT_FALSE(bolt->IsThroughDeckWelded);

  // FloorUses.csv: Storage,STOR,150,40,5,0,0.5,300,250,1,0.6,5
  auto* storage = static_cast<TFloorUse*>(
      session.FloorUseLibrary.Find("Storage, 150Slab G40, 5LL NoRed, 0.5SDL, [Def:300,250,1.0,0.6]"));
  ASSERT_NE(storage, nullptr);
  EXPECT_EQ(storage->ShortCode, "STOR");
  EXPECT_EQ(storage->FacadeLoad, 5);
  EXPECT_EQ(session.FloorUseLibrary.ItemAs<TFloorUse>(0)->Name, "Office");  // file order kept

  auto* strength = static_cast<TLimitState*>(session.LimitStateLibrary.Find("Strength"));
  ASSERT_NE(strength, nullptr);
  EXPECT_EQ(strength->LFdead, 1.2);
  EXPECT_EQ(strength->LFlive, 1.5);

  // CWBRestrictions.csv: 1100,-1,275,25,16 (keyed by MinDepth)
  auto* deep = static_cast<TCWBRestriction*>(session.CWBRestrictionLibrary.Find("1100"));
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->MaxDepth, -1);
  EXPECT_EQ(deep->bfMin, 275);
}

TEST(Session, GenerationWritesToTheDefinitionsName) {
  TempDir dir;
  std::filesystem::create_directories(dir.File("library"));
  for (const char* csv :
       {"SteelSections", "ShearConnectors", "SteelDecks", "FloorUses", "LimitStates", "CWBRestrictions"})
    std::filesystem::copy_file(std::string(TREVALON_TEST_DATA_DIR) + "/library/" + csv + ".csv",
                               dir.File("library/" + std::string(csv) + ".csv"));
  TVEXIniFile shipped(kDefinitions, true);
  std::string text = shipped.ToBytes();
  const std::string out = dir.File("Named.tvl");
  text.replace(text.find("Name=Trevalon.tvl"), 17, "Name=" + out);
  const std::string definitions = dir.Write("Defs.ini", text);

  const TResult result = GenerateLibraryFile(definitions);
  EXPECT_TRUE(result.IsOK());
  EXPECT_EQ(result.Message(), "New library file created: " + out);
  EXPECT_TRUE(std::filesystem::exists(out));
}

TEST(Session, BlocksLoadInAnyOrderAndEndAtAnUnknownName) {
  TempDir dir;
  const std::string file = dir.File("lib.tvl");
  TEntityList uses = TEntityList::Of<TFloorUse>();
  uses.Add("o", TFloorUse::CreateNew("Office", "OFF", 120, 32, 3, true, 1, 500, 250, 0.7, 0.4, 5));
  TEntityList connectors = TEntityList::Of<TShearConnectorLibraryItem>();
  connectors.Add("a", Connector("Stud", 19));
  TEntityList unknown = TEntityList::Of<TSession>();  // a block no library reads
  unknown.Add("s", std::make_unique<TSession>());
  ASSERT_TRUE(uses.SaveToStream(file, false).IsOK());
  ASSERT_TRUE(connectors.SaveToStream(file, true).IsOK());
  ASSERT_TRUE(unknown.SaveToStream(file, true).IsOK());
  ASSERT_TRUE(connectors.SaveToStream(file, true).IsOK());  // behind the unknown block: never read
  ASSERT_TRUE(TEntityList::WriteStringToStream(file, "").IsOK());

  TSession session;
  const TResult loaded = session.LoadLibraries(file);
  EXPECT_TRUE(loaded.IsOK()) << loaded.Message();
  ASSERT_EQ(session.FloorUseLibrary.Count(), 1);
  EXPECT_EQ(session.FloorUseLibrary.Key(0), "Office, 120Slab G32, 3LL Reduc, 1SDL, [Def:500,250,0.7,0.4]");
  EXPECT_EQ(session.ShearConnectorLibrary.Count(), 1);
}

TEST(Session, RepeatedKeyReplacesTheEarlierItem) {
  TempDir dir;
  const std::string file = dir.File("lib.tvl");
  TEntityList connectors = TEntityList::Of<TShearConnectorLibraryItem>();
  connectors.Add("1", Connector("19 mm stud", 19));
  connectors.Add("2", Connector("19 MM STUD", 20));
  ASSERT_TRUE(connectors.SaveToStream(file, false).IsOK());
  ASSERT_TRUE(TEntityList::WriteStringToStream(file, "").IsOK());

  TSession session;
  ASSERT_TRUE(session.LoadLibraries(file).IsOK());
  ASSERT_EQ(session.ShearConnectorLibrary.Count(), 1);
  EXPECT_EQ(session.ShearConnectorLibrary.ItemAs<TShearConnectorLibraryItem>(0)->dbs, 20);
}

TEST(Session, DamagedFileKeepsWhatLoadedAndNamesThePosition) {
  TempDir dir;
  const std::string file = dir.File("lib.tvl");
  TEntityList connectors = TEntityList::Of<TShearConnectorLibraryItem>();
  connectors.Add("a", Connector("Stud", 19));
  ASSERT_TRUE(connectors.SaveToStream(file, false).IsOK());
  const auto second_block = std::filesystem::file_size(file);
  TEntityList decks = TEntityList::Of<TSteelDeckLibraryItem>();
  decks.Add("d", std::make_unique<TSteelDeckLibraryItem>());
  ASSERT_TRUE(decks.SaveToStream(file, true).IsOK());
  std::filesystem::resize_file(file, second_block + 30);  // cut inside the deck block

  TSession session;
  const TResult loaded = session.LoadLibraries(file);
  EXPECT_EQ(session.ShearConnectorLibrary.Count(), 1);
  EXPECT_EQ(session.SteelDeckLibrary.Count(), 0);
  EXPECT_FALSE(loaded.IsOK());
  EXPECT_EQ(loaded.Message(),
            "Error loading from library file [" + file + "], position = " + std::to_string(second_block));
  // Validating names the library the damage left empty, and the loading's
  // message is still there to show beside it.
  EXPECT_FALSE(session.IsOK());
  EXPECT_EQ(session.Status.ErrorMsg, "Missing or invalid steel deck library");
  EXPECT_EQ(loaded.Message(),
            "Error loading from library file [" + file + "], position = " + std::to_string(second_block));

  // Without the end marker the file simply ends behind its last whole block.
  std::filesystem::resize_file(file, second_block);
  TSession whole;
  EXPECT_TRUE(whole.LoadLibraries(file).IsOK());
  EXPECT_EQ(whole.ShearConnectorLibrary.Count(), 1);
}

TEST(Session, MissingLibraryFile) {
  TempDir dir;
  const std::string file = dir.File("none.tvl");
  TSession session;
  EXPECT_EQ(session.LoadLibraries(file).Message(), "Trevalon library file [" + file + "] not available");
  EXPECT_TRUE(session.Status.ErrorList().empty());
}

TEST(Session, DefinitionsTypesIgnoreCaseAndSkipUnknownOnes) {
  TempDir dir;
  dir.Write("Sections.csv", "Name,Grade,d,b,tf,tw,fyf,fyw\n310UB40.4,300PLUS,304,165,10.2,6.1,320,320\n");
  dir.Write("Beams.csv", "Name\nX\n");
  const std::string definitions = dir.Write("Defs.ini",
                                            "[Libraries]\nCount=2\n"
                                            "Library1=Sections.txt\nType1=SteelSection\n"
                                            "Library2=Beams.csv\nType2=Beams\n");
  TSession session;
  const TResult loaded = session.LoadLibrariesFromCsv(definitions);
  EXPECT_TRUE(loaded.IsOK()) << loaded.Message();
  EXPECT_EQ(session.LibraryFilename, "Trevalon.kvl");  // no Name: kept
  ASSERT_EQ(session.SteelSectionLibrary.Count(), 1);
  EXPECT_EQ(session.SteelSectionLibrary.Key(0), "UB:310UB40.4/300PLUS");
  for (const TEntityList* list : {&session.ShearConnectorLibrary, &session.SteelDeckLibrary, &session.FloorUseLibrary,
                                  &session.LimitStateLibrary, &session.CWBRestrictionLibrary})
    EXPECT_EQ(list->Count(), 0);
}

TEST(Session, MissingCsvIsReportedAndSkipped) {
  TempDir dir;
  dir.Write("Limits.csv", "LimitStateLabel,LFdead,LFlive\nStrength,1.2,1.5\n");
  const std::string definitions = dir.Write("Defs.ini",
                                            "[Libraries]\nName=Out.tvl\nCount=2\n"
                                            "Library1=Missing.csv\nType1=FLOORUSE\n"
                                            "Library2=Limits.csv\nType2=LIMITSTATE\n");
  TSession session;
  const TResult loaded = session.LoadLibrariesFromCsv(definitions);
  EXPECT_EQ(session.LibraryFilename, "Out.tvl");
  EXPECT_EQ(loaded.MessageLines(),
            std::vector<std::string>{"Library [" + dir.File("Missing.csv") + "] not available"});
  EXPECT_EQ(session.LimitStateLibrary.Count(), 1);

  // Generation stops before writing anything and says why: the loading
  // first, then the libraries it left empty.
  const std::string out = dir.File("Out.tvl");
  const TResult result = GenerateLibraryFile(definitions, out);
  EXPECT_FALSE(result.IsOK());
  EXPECT_FALSE(std::filesystem::exists(out));
  const std::vector<std::string> lines = result.MessageLines();
  ASSERT_EQ(lines.size(), 6u) << result.Message();
  EXPECT_EQ(lines[0], "Error: Library [" + dir.File("Missing.csv") + "] not available");
  EXPECT_EQ(lines[1], "Error: Missing or invalid steel deck library");
}

TEST(Session, MissingDefinitionsFile) {
  TempDir dir;
  const std::string definitions = dir.File("VarnLibrary.ini");
  const TResult result = GenerateLibraryFile(definitions, dir.File("out.tvl"));
  EXPECT_FALSE(result.IsOK());
  EXPECT_EQ(result.Message(), "Library definitions file " + definitions + " not found");
}

// ---------------------------------------------------------------------------
// Generation checks its input.

namespace {

// The shipped definitions file and CSV files, copied into a scratch folder.
struct TShippedLibraryCopy {
  TempDir dir;
  std::string definitions;
  TShippedLibraryCopy() {
    std::filesystem::create_directories(dir.File("library"));
    for (const char* csv :
         {"SteelSections", "ShearConnectors", "SteelDecks", "FloorUses", "LimitStates", "CWBRestrictions"})
      std::filesystem::copy_file(std::string(TREVALON_TEST_DATA_DIR) + "/library/" + csv + ".csv", Csv(csv));
    definitions = dir.Write("Defs.ini", ReadAll(kDefinitions));
  }
  std::string Csv(const std::string& name) const { return dir.File("library/" + name + ".csv"); }
  static std::string ReadAll(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Replaces the first From in a file of the copy.
  void Edit(const std::string& file, const std::string& from, const std::string& to) const {
    std::string text = ReadAll(file);
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
    std::ofstream(file, std::ios::binary) << text;
  }
};

}  // namespace

TEST(Session, GenerationStopsAtTheFirstBadInputWithFileRowAndColumn) {
  struct Case {
    const char* name;
    std::function<void(const TShippedLibraryCopy&)> damage;
    std::function<std::string(const TShippedLibraryCopy&)> message;
  };
  const auto sections = [](const TShippedLibraryCopy& c) { return "Library [" + c.Csv("SteelSections") + "]"; };
  const Case cases[] = {
      {"missing column",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("SteelSections"), ",tw,", ","); },
       [&](const TShippedLibraryCopy& c) { return sections(c) + ", row 1: column tw is missing"; }},
      {"number that is text",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("SteelSections"), "180UB16.1,KESTREL,173,", "180UB16.1,KESTREL,abc,"); },
       [&](const TShippedLibraryCopy& c) { return sections(c) + ", row 3, column 3 (d): \"abc\" is not a number"; }},
      {"not a number",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("SteelSections"), "150UB14.0,KESTREL,150,75", "150UB14.0,KESTREL,150,NaN"); },
       [&](const TShippedLibraryCopy& c) { return sections(c) + ", row 2, column 4 (b): \"NaN\" is not a number"; }},
      {"negative dimension",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("SteelSections"), "150UB14.0,KESTREL,150,75,7,", "150UB14.0,KESTREL,150,75,-7,"); },
       [&](const TShippedLibraryCopy& c) { return sections(c) + ", row 2, column 5 (tf): \"-7\" must be greater than 0"; }},
      {"missing dimension",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("SteelSections"), "150UB14.0,KESTREL,150,", "150UB14.0,KESTREL,,"); },
       [&](const TShippedLibraryCopy& c) { return sections(c) + ", row 2, column 3 (d): a value is needed"; }},
      {"negative load factor",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("LimitStates"), "Strength,1.2,", "Strength,-1.2,"); },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("LimitStates") + "], row 2, column 2 (LFdead): \"-1.2\" must not be negative";
       }},
      {"Boolean that is text",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("FloorUses"), "Office,OFF,120,32,3,-1,", "Office,OFF,120,32,3,yes,"); },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("FloorUses") + "], row 2, column 6 (IsLiveLoadReducible): \"yes\" is not 0, 1, "
                "-1, True or False";
       }},
      {"restriction depth below -1",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("CWBRestrictions"), "0,375,", "0,-375,"); },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("CWBRestrictions") + "], row 2, column 2 (MaxDepth): \"-375\" must be -1 (no "
                "limit) or not negative";
       }},
      {"UTF-16 file",
       [](const TShippedLibraryCopy& c) {
         std::string text = "\xFF\xFE";
         for (char ch : std::string("LimitStateLabel,LFdead,LFlive\r\nStrength,1.2,1.5\r\n")) text += {ch, '\0'};
         std::ofstream(c.Csv("LimitStates"), std::ios::binary) << text;
       },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("LimitStates") + "]: UTF-16 text; save the file as UTF-8";
       }},
      {"NUL bytes",
       [](const TShippedLibraryCopy& c) {
         std::ofstream(c.Csv("LimitStates"), std::ios::binary) << std::string("LimitStateLabel,LFdead,LFlive\r\nS\0,1,1\r\n", 39);
       },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("LimitStates") + "], row 2: a NUL character; save the file as UTF-8";
       }},
      {"name longer than a library file holds",
       [](const TShippedLibraryCopy& c) { c.Edit(c.Csv("FloorUses"), "Office,OFF", std::string(70000, 'O') + ",OFF"); },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("FloorUses") + "], row 2, column 1 (Name): 70000 characters, more than 64000";
       }},
      {"more rows than a library file holds",
       [](const TShippedLibraryCopy& c) {
         std::string text = "LimitStateLabel,LFdead,LFlive\n";
         for (int i = 0; i <= kMaxStreamItems; ++i) text += "L" + std::to_string(i) + ",1,1\n";
         std::ofstream(c.Csv("LimitStates"), std::ios::binary) << text;
       },
       [](const TShippedLibraryCopy& c) {
         return "Library [" + c.Csv("LimitStates") + "], row 64002: more than 64000 rows";
       }},
      {"a billion libraries",
       [](const TShippedLibraryCopy& c) { c.Edit(c.definitions, "Count=6", "Count=1000000000"); },
       [](const TShippedLibraryCopy& c) {
         return "Library definitions file [" + c.definitions +
                "], section [Libraries], key Count: \"1000000000\" is more than 100 items";
       }},
      {"no library file named",
       [](const TShippedLibraryCopy& c) { c.Edit(c.definitions, "Name=" + c.dir.File("Out.tvl") + "\r\n", ""); },
       [](const TShippedLibraryCopy& c) {
         return "Library definitions file [" + c.definitions + "] names no library file to write (no Name in section "
                "[Libraries])";
       }},
      {"library not named",
       [](const TShippedLibraryCopy& c) { c.Edit(c.definitions, "Library2=library/ShearConnectors.csv", "Library2="); },
       [](const TShippedLibraryCopy& c) {
         return "Library definitions file [" + c.definitions + "], section [Libraries], key Library2: no file named";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShippedLibraryCopy copy;
    // The definitions file names its output relative to the current folder:
    // a case that lost its Name must not fall back to any file.
    copy.Edit(copy.definitions, "Name=Trevalon.tvl", "Name=" + copy.dir.File("Out.tvl"));
    c.damage(copy);
    const TResult result = GenerateLibraryFile(copy.definitions);
    EXPECT_FALSE(result.IsOK());
    EXPECT_EQ(result.Message(), c.message(copy));
    EXPECT_FALSE(std::filesystem::exists(copy.dir.File("Out.tvl")));
    EXPECT_FALSE(std::filesystem::exists("Trevalon.kvl"));
  }
}

TEST(Session, GenerationRefusesRowsTheAnalysisCouldNotTrust) {
  // Rows that read but could not be real: each refused with its file and row.
  struct Case {
    const char* name;
    const char* csv;
    std::string from, to;
    int row;
    std::string problem;  // after "Library [file], row n"
  };
  const Case cases[] = {
      {"a Boolean that is neither true nor false", "FloorUses", "Office,OFF,120,32,3,-1,", "Office,OFF,120,32,3,2,", 2,
       ", column 6 (IsLiveLoadReducible): \"2\" is not 0, 1, -1, True or False"},
      {"a section 1e300 mm deep", "SteelSections", "150UB14.0,KESTREL,150,", "150UB14.0,KESTREL,1e300,", 2,
       ", column 3 (d): \"1e300\" is more than 5000"},
      {"a load factor of 11", "LimitStates", "Strength,1.2,", "Strength,11,", 2,
       ", column 2 (LFdead): \"11\" is more than 10"},
      {"a void ratio above 1", "SteelDecks", "RE54-060,8.21,200,25,54,0.6,1,0.12,", "RE54-060,8.21,200,25,54,0.6,1,1.5,",
       3, ", column 8 (VoidRatio): \"1.5\" is more than 1"},
      {"a restriction whose minimum depth exceeds its maximum", "CWBRestrictions", "375,450,", "475,450,", 3,
       ": minimum depth 475 is more than the maximum depth 450"},
      {"a section type the program does not know", "SteelSections", "150UB14.0,KESTREL,150,75,7,,,5,320,,320,UB",
       "150UB14.0,KESTREL,150,75,7,,,5,320,,320,IB", 2, ": section type \"IB\" is not one the program knows"},
      {"a section twice", "SteelSections", "180UB16.1,KESTREL,173,", "150UB14.0,KESTREL,173,", 3,
       ": FullName \"UB:150UB14.0/KESTREL\" is already in row 2"},
      {"a floor use twice, in other letters", "FloorUses", "Retail,RET,130,32,4,-1,2,",
       "OFFICE,OFF,120,32,3,-1,1.5,", 3, ": LongName \"OFFICE, 120Slab G32"},
      {"a connector twice", "ShearConnectors", "\"19 mm headed stud\"", "\"15.9 mm headed stud\"", 3,
       ": Name \"15.9 mm headed stud\" is already in row 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShippedLibraryCopy copy;
    copy.Edit(copy.definitions, "Name=Trevalon.tvl", "Name=" + copy.dir.File("Out.tvl"));
    copy.Edit(copy.Csv(c.csv), c.from, c.to);
    const TResult result = GenerateLibraryFile(copy.definitions);
    EXPECT_FALSE(result.IsOK());
    const std::string where = "Library [" + copy.Csv(c.csv) + "], row " + std::to_string(c.row);
    EXPECT_EQ(result.Message().substr(0, where.size() + c.problem.size()), where + c.problem);
    EXPECT_FALSE(std::filesystem::exists(copy.dir.File("Out.tvl")));
  }
}

TEST(Session, TheSectionChoicesAndNeighboursComeFromTheLibrary) {
  // The shipped library: grades KESTREL then 350 for universal beams, each
  // from light to heavy; the window's lists and its up and down buttons (and
  // any program) read them here.
  TSession s;
  ASSERT_TRUE(s.LoadLibraries(std::string(TREVALON_BIN_DIR) + "/Trevalon.tvl").IsOK());
  EXPECT_EQ(s.SectionTypeChoices(), (std::vector<std::string>{"UB", "UC", "WB", "WC", "RHS", "SHS", "Custom_I"}));
  EXPECT_EQ(s.SectionGrades("UB"), (std::vector<std::string>{"KESTREL", "350"}));
  EXPECT_TRUE(s.SectionGrades("Custom_I").empty());
  const std::vector<std::string> names = s.SectionNames("UB", "KESTREL");
  ASSERT_EQ(names.size(), 28u);
  EXPECT_EQ(names.front(), "150UB14.0");
  EXPECT_EQ(names.back(), "610UB125");
  EXPECT_TRUE(s.SectionNames("UB", "C350").empty());

  const struct {
    const char* grade;
    const char* name;
    int step;
    const char* expected;
  } cases[] = {
      {"KESTREL", "150UB14.0", +1, "180UB16.1"},
      {"KESTREL", "180UB16.1", -1, "150UB14.0"},
      {"KESTREL", "150UB14.0", -1, "150UB14.0"},  // the lightest stays
      {"KESTREL", "610UB125", +1, "610UB125"},    // the heaviest of its grade stays (the next is grade 350)
      {"350", "150UB14.0", -1, "150UB14.0"},      // the first of its grade (the one before is KESTREL)
      {"350", "150UB14.0", +1, "180UB16.1"},
      {"kestrel", "150ub14.0", +1, "180UB16.1"},  // letter case aside
      {"KESTREL", "999UB1", +1, "999UB1"},        // not in the library: stays
  };
  for (const auto& c : cases)
    EXPECT_EQ(s.NeighbourSection(c.grade, c.name, c.step), c.expected) << c.grade << " " << c.name << " " << c.step;
  // An empty library offers the user's own section only.
  EXPECT_EQ(TSession().SectionTypeChoices(), std::vector<std::string>{"Custom_I"});
}

TEST(Session, GenerationRefusesAFolderAndAcceptsTheShippedFiles) {
  TShippedLibraryCopy copy;
  std::filesystem::create_directories(copy.dir.File("folder.ini"));
  EXPECT_EQ(GenerateLibraryFile(copy.dir.File("folder.ini"), copy.dir.File("Out.tvl")).Message(),
            "[" + copy.dir.File("folder.ini") + "] is a folder, not a file");
  // The shipped files pass every check and load back whole.
  const TResult made = GenerateLibraryFile(copy.definitions, copy.dir.File("Out.tvl"));
  ASSERT_TRUE(made.IsOK()) << made.Message();
  TSession session;
  EXPECT_TRUE(session.LoadLibraries(copy.dir.File("Out.tvl")).IsOK());
  EXPECT_TRUE(session.IsOK());
}

TEST(Session, GenerationRefusesLibrariesTheReaderWouldRefuse) {
  // Two files of one type that together hold more items than a block may.
  TShippedLibraryCopy copy;
  std::string half = "LimitStateLabel,LFdead,LFlive\n";
  for (int i = 0; i < kMaxStreamItems / 2 + 1; ++i) half += "A" + std::to_string(i) + ",1,1\n";
  std::ofstream(copy.Csv("LimitStates"), std::ios::binary) << half;
  std::string other = half;
  for (size_t at = 0; (at = other.find("\nA", at)) != std::string::npos; ++at) other[at + 1] = 'B';
  std::ofstream(copy.dir.File("library/More.csv"), std::ios::binary) << other;
  copy.Edit(copy.definitions, "Count=6", "Count=7\r\nLibrary7=library/More.csv\r\nType7=LIMITSTATE");
  const TResult result = GenerateLibraryFile(copy.definitions, copy.dir.File("Out.tvl"));
  EXPECT_EQ(result.Message(), "The limit state library holds " + std::to_string(2 * (kMaxStreamItems / 2 + 1)) +
                                  " items, more than the 64000 a library file holds");
  EXPECT_FALSE(std::filesystem::exists(copy.dir.File("Out.tvl")));
}
