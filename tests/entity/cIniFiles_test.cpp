#include "entity/cIniFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "entity/VEXUtility.h"
#include "temp_dir.h"

namespace {
std::string Slurp(const std::string& f) {
  std::string b;
  EXPECT_TRUE(ReadFileBytes(f, b)) << f;
  return b;
}
}  // namespace

TEST(IniFile, ParsingRules) {
  auto ini = TVEXIniFile::FromBytes(
      "ignored=before section\n; comment\n  [ Project ]  \n Name = Tower one \nEmpty=\nNoEquals\n[project]\nName=dup\n");
  EXPECT_EQ(ini.ReadString("PROJECT", "name", "?"), "Tower one");
  EXPECT_EQ(ini.ReadString("Project", "Empty", "?"), "");
  EXPECT_EQ(ini.ReadString("Project", "NoEquals", "?"), "");
  EXPECT_EQ(ini.ReadString("Project", "ignored", "?"), "?");
  EXPECT_EQ(ini.ReadSections().size(), 1u);
}

TEST(IniFile, OrderIsKeptAndKeysReplacedInPlace) {
  auto ini = TVEXIniFile::FromBytes("[B]\r\nx=1\r\ny=2\r\n[A]\r\nz=3\r\n");
  ini.WriteString("b", "X", "10");
  ini.WriteString("B", "w", "4");
  ini.WriteString("C", "k", "v");
  EXPECT_EQ(ini.ToBytes(), "[B]\r\nx=10\r\ny=2\r\nw=4\r\n\r\n[A]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n\r\n");
  ini.EraseSection("a");
  ini.DeleteKey("B", "Y");
  EXPECT_EQ(ini.ToBytes(), "[B]\r\nx=10\r\nw=4\r\n\r\n[C]\r\nk=v\r\n\r\n");
}

TEST(IniFile, EncodingsAreKept) {
  TempDir dir;
  struct Case {
    std::string bytes;
    TVEXIniFile::TEncoding encoding;
  } cases[] = {
      {"[S]\r\nk=caf\xC3\xA9\r\n", TVEXIniFile::TEncoding::Utf8},
      {"\xEF\xBB\xBF[S]\r\nk=caf\xC3\xA9\r\n", TVEXIniFile::TEncoding::Utf8Bom},
      {"[S]\r\nk=caf\xE9\r\n", TVEXIniFile::TEncoding::Cp1252},
      {std::string("\xFF\xFE[\0S\0]\0\r\0\n\0k\0=\0c\0a\0f\0\xE9\0", 24), TVEXIniFile::TEncoding::Utf16LE},
  };
  for (const auto& c : cases) {
    const std::string f = dir.File("enc.ini");
    std::ofstream(f, std::ios::binary) << c.bytes;
    {
      TVEXIniFile ini(f);
      EXPECT_EQ(ini.Encoding(), c.encoding);
      EXPECT_EQ(ini.ReadString("S", "k", ""), "caf\xC3\xA9");
      ini.WriteString("S", "n", "\xE2\x82\xAC");
      ASSERT_TRUE(ini.UpdateFile().IsOK());
    }
    TVEXIniFile again(f, true);
    EXPECT_EQ(again.Encoding(), c.encoding);
    EXPECT_EQ(again.ReadString("S", "k", ""), "caf\xC3\xA9");
    EXPECT_EQ(again.ReadString("S", "n", ""), "\xE2\x82\xAC");
  }
}

TEST(IniFile, WrittenOnDestructionUnlessReadOnly) {
  TempDir dir;
  const std::string f = dir.File("d.ini");
  { TVEXIniFile(f, true).WriteString("S", "k", "v"); }
  EXPECT_FALSE(std::filesystem::exists(f));
  {
    TVEXIniFile ini(f);
    ini.WriteFloat("S", "k", 0.5);
    ini.WriteBool("S", "b", true);
  }
  EXPECT_EQ(Slurp(f), "[S]\r\nk=0.5\r\nb=1\r\n\r\n");
}

TEST(IniFile, HostileFilesReadAsEmpty) {
  TempDir dir;
  const std::string subfolder = dir.File("a-folder");
  std::filesystem::create_directories(subfolder);
  TVEXIniFile folder(subfolder, true);
  EXPECT_EQ(folder.LoadResult().Message(), "[" + subfolder + "] is a folder, not a file");
  EXPECT_TRUE(folder.ReadSections().empty());
  std::string bytes(1 << 20, 'x');
  bytes += "\n[S]\nk=v\n";
  auto big = TVEXIniFile::FromBytes(bytes);
  EXPECT_EQ(big.ReadString("S", "k", ""), "v");
  auto bad = TVEXIniFile::FromBytes(std::string("[S]\nk=\xFF\xFE\x00zz\n", 12));
  EXPECT_TRUE(bad.SectionExists("S"));
  TVEXIniFile missing(dir.File("never-there.ini"), true);
  EXPECT_TRUE(missing.LoadResult().IsOK());
}

TEST(IniFile, AFailedWriteSaysWhy) {
  TempDir dir;
  const std::string f = dir.File("no-such-folder/x.ini");
  TVEXIniFile ini(f);
  ini.IsReadOnly = true;  // no second attempt when it goes
  ini.WriteString("S", "k", "v");
  const TResult written = ini.UpdateFile();
  EXPECT_FALSE(written.IsOK());
  EXPECT_EQ(written.Message(), "Cannot write file [" + f + "]");
  EXPECT_EQ(TVEXIniFile::FromBytes("[S]").UpdateFile().Message(), "No file name to write to");
}

TEST(IniFile, NumberReadsNoteTheFirstTextThatIsNotANumber) {
  // Every read still gives its default; the first key whose non-empty text
  // is not a number is kept, naming the section, key and text.
  struct Case {
    const char* name;
    const char* value;
    char kind;             // 'f' float, 'i' integer, 'b' Boolean
    const char* problem;   // "" when the text reads as it should
  };
  const Case cases[] = {
      {"decimal comma under a point", "1,5", 'f', "section [S], key K: \"1,5\" is not a number"},
      {"word", "abc", 'f', "section [S], key K: \"abc\" is not a number"},
      {"not a number", "nan", 'f', "section [S], key K: \"nan\" is not a number"},
      {"infinite", "inf", 'f', "section [S], key K: \"inf\" is not a number"},
      {"too large for a number", "1e999", 'f', "section [S], key K: \"1e999\" is not a number"},
      {"fraction for an integer", "1.5", 'i', "section [S], key K: \"1.5\" is not a whole number"},
      {"word for a Boolean", "True", 'b', "section [S], key K: \"True\" is not a whole number"},
      {"empty float", "", 'f', ""},
      {"blank integer", "   ", 'i', ""},
      {"plain float", "-2.5E3", 'f', ""},
      {"hexadecimal integer", "$1F", 'i', ""},
      {"Boolean", "1", 'b', ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto ini = TVEXIniFile::FromBytes(std::string("[S]\r\nK=") + c.value + "\r\nLater=x\r\n");
    EXPECT_TRUE(ini.ReadProblem().IsOK());
    switch (c.kind) {
      case 'f': (void)ini.ReadFloat("S", "K", 7); break;
      case 'i': (void)ini.ReadInteger("S", "K", 7); break;
      default: (void)ini.ReadBool("S", "K", true); break;
    }
    (void)ini.ReadFloat("S", "Later", 0);  // a later problem does not replace the first
    (void)ini.ReadFloat("S", "Missing", 0);
    if (*c.problem) {
      EXPECT_EQ(ini.ReadProblem().Message(), c.problem);
    } else {
      EXPECT_EQ(ini.ReadProblem().Message(), "section [S], key Later: \"x\" is not a number");
    }
  }
  // A missing key is no problem, and the default is what the read gives.
  auto ini = TVEXIniFile::FromBytes("[S]\r\nK=abc\r\n");
  EXPECT_EQ(ini.ReadFloat("S", "K", 7), 7);
  EXPECT_EQ(ini.ReadInteger("S", "Missing", 3), 3);
}

TEST(IniFile, CountsAreCappedWithAMessage) {
  struct Case {
    const char* value;
    int count;
    const char* problem;
  };
  const Case cases[] = {
      {"12", 12, ""},
      {"", 0, ""},
      {"100", 100, ""},
      {"101", 0, "section [S], key Count: \"101\" is more than 100 items"},
      {"1000000000", 0, "section [S], key Count: \"1000000000\" is more than 100 items"},
      {"-1", 0, "section [S], key Count: \"-1\" is not a count"},
      {"many", 0, "section [S], key Count: \"many\" is not a whole number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    auto ini = TVEXIniFile::FromBytes(std::string("[S]\r\nCount=") + c.value + "\r\n");
    EXPECT_EQ(ini.ReadCount("S", "Count", 100), c.count);
    EXPECT_EQ(ini.ReadProblem().Message(), c.problem);
  }
}
