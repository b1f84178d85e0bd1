#include "entity/VEXUtility.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "temp_dir.h"

TEST(FloatToStrDP, WorkedExamples) {
  struct Case {
    bool blank;
    int dp, inc;
    double value;
    const char* text;
  } cases[] = {
      {false, 0, 3, 9000, "9000"},      {false, 0, 3, 2.5, "2.5"},       {false, 0, 3, 0.125, "0.125"},
      {false, 0, 3, 1.23456, "1.235"},  {false, 0, 3, 0.0001, "0"},      {false, 2, 2, 12.5, "12.50"},
      {false, 2, 2, 3.14159, "3.1416"}, {false, -2, 0, 12345, "12300"},  {false, -2, 3, 12345, "12345"},
      {false, 1, 0, 0, "0.0"},          {true, 1, 0, 0, ""},             {true, 0, 3, 0.0001, ""},
      {false, 0, 3, -2.5, "-2.5"},      {false, 0, 3, -0.0001, "0"},     {false, 1, 3, 1, "1.0"},
      {false, 0, 0, 4500.4, "4500"},    {false, 0, 0, 2.5, "3"},       {false, 0, 0, -2.5, "-3"},
      {false, 2, 0, 1.005, "1.00"},  {false, 1, 0, 0.25, "0.3"},    {false, -1, 0, 15, "20"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStrDP(c.blank, c.dp, c.inc, c.value), c.text) << c.value << " dp " << c.dp << "+" << c.inc;
}

TEST(FloatToStrDP, FollowsTheDecimalSeparator) {
  TRegionalSettingsScope comma({',', 0});
  EXPECT_EQ(FloatToStrDP(false, 0, 3, 2.5), "2,5");
  EXPECT_EQ(FloatToStrDP(false, 0, 3, std::string_view("0,125")), "0,125");
  EXPECT_EQ(FloatToStrGeneral(23.5), "23,5");
  EXPECT_DOUBLE_EQ(StrToFloatDef("23,5", 0), 23.5);
  EXPECT_DOUBLE_EQ(StrToFloatDef("23.5", -1), 23.5);  // files written in the plain form still read
  EXPECT_DOUBLE_EQ(StrToFloatDef("1.000,5", -1), -1);  // but never a mix of both
  EXPECT_EQ(Format("%.1f", {1.25}), "1,3");  // an exact tie rounds away from zero
}

TEST(RegionalFormat, ShortDateOrders) {
  std::tm tm{};
  tm.tm_year = 2026 - 1900;
  tm.tm_mon = 11;  // December
  tm.tm_mday = 5;
  tm.tm_hour = 9;
  tm.tm_min = 7;
  tm.tm_sec = 3;
  const std::time_t when = std::mktime(&tm);
  const struct {
    int order;
    const char* date;
  } cases[] = {{0, "5/12/2026"}, {1, "12/5/2026"}, {2, "2026-12-05"}};
  for (const auto& c : cases) {
    TRegionalSettingsScope format({'.', c.order});
    EXPECT_EQ(FormatShortDate(when), c.date);
    EXPECT_EQ(FormatDateTime(when), std::string(c.date) + " 9:07:03");
  }
}

// Two threads formatting at once under their own guards (a design-table
// worker and the window, say): each keeps its separator, and the
// program-wide format is untouched.
TEST(RegionalFormat, GuardsOnTwoThreadsDoNotMeet) {
  auto run = [](char separator, int& mismatches) {
    TRegionalSettingsScope format({separator, 0});
    const std::string expected = std::string("2") + separator + "5";
    for (int i = 0; i < 20000; ++i)
      if (FloatToStrDP(false, 0, 3, 2.5) != expected || StrToFloatDef(expected, 0) != 2.5) ++mismatches;
  };
  int comma_mismatches = 0, point_mismatches = 0;
  std::thread comma(run, ',', std::ref(comma_mismatches));
  std::thread point(run, '.', std::ref(point_mismatches));
  comma.join();
  point.join();
  EXPECT_EQ(comma_mismatches, 0);
  EXPECT_EQ(point_mismatches, 0);
  EXPECT_EQ(DecimalSeparator(), '.');
}

TEST(RegionalFormat, WorkersStartWithTheProgramWideFormatAndGuardsNest) {
  TRegionalSettingsScope creator({',', 2});
  char seen = 0;
  std::thread([&] { seen = DecimalSeparator(); }).join();
  EXPECT_EQ(seen, '.');
  {
    TRegionalSettingsScope inner({'.', 1});
    EXPECT_EQ(RegionalSettings().DateOrder, 1);
  }
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(RegionalSettings().DateOrder, 2);

  SetDecimalSeparator(',');  // program-wide: every thread without a guard
  std::thread([&] { seen = DecimalSeparator(); }).join();
  UsePlainRegionalSettings();
  EXPECT_EQ(seen, ',');
}

TEST(NumberText, GeneralFormAndPercentages) {
  EXPECT_EQ(FloatToStrGeneral(9000), "9000");
  EXPECT_EQ(FloatToStrGeneral(0.001), "0.001");
  EXPECT_EQ(FloatToStrGeneral(23.5), "23.5");
  EXPECT_EQ(FloatToStrGeneral(0.000001), "1E-6");
  EXPECT_EQ(FloatToStrGeneral(1.5e20), "1.5E20");
  EXPECT_EQ(FloatToStrGeneral(0.1 + 0.2), "0.3");
  EXPECT_DOUBLE_EQ(StrToFloatDef(FloatToStrGeneral(1.0 / 3.0), 0), 0.333333333333333);
  EXPECT_EQ(FloatToPercentStr(1, 0.125), "12.5%");
  EXPECT_TRUE(IsPercent("50%"));
  EXPECT_FALSE(IsPercent("x%"));
  EXPECT_DOUBLE_EQ(PercentStrToFloat("50%", 9), 0.5);
  EXPECT_DOUBLE_EQ(PercentStrToFloat("x%", 9), 0);
  EXPECT_DOUBLE_EQ(PercentStrToFloat("x", 9), 9);
  EXPECT_DOUBLE_EQ(PercentStrToFloat("2.5", 9), 2.5);
  EXPECT_TRUE(IsInteger(" 42 "));
  EXPECT_EQ(StrToIntDef("$1F", 0), 31);
  EXPECT_FALSE(IsInteger("4.2"));
  EXPECT_FALSE(IsFloat("1,000"));
  EXPECT_FALSE(IsFloat(""));
  EXPECT_FALSE(IsInteger("99999999999"));
}

TEST(FormatLanguage, ConversionsAndIndexes) {
  EXPECT_EQ(Format("between %.0f and %.0f mm", {100.0, 200.0}), "between 100 and 200 mm");
  EXPECT_EQ(Format("%d%%", {5}), "5%");
  EXPECT_EQ(Format("%s=%d", {"n", 3}), "n=3");
  EXPECT_EQ(Format("%2:.0f %0:s %s", {"a", "b", 3.4}), "3 a b");
  EXPECT_EQ(Format("%3:s", {"a", "b", "c", "d"}), "d");
  EXPECT_EQ(Format("%.2f|%5d|%-4s|", {1.005, 42, "ab"}), "1.00|   42|ab  |");
  EXPECT_EQ(Format("no conversion", {1.0}), "no conversion");
  EXPECT_EQ(Format("%.0f and %.0f", {7.0}), "7 and %.0f");  // a missing argument stays as text
  EXPECT_EQ(Format("%.2d", {7}), "07");
  EXPECT_EQ(Format("%.3e", {123456789.0}), "1.23E+008");
}

TEST(Text, EscapeRoundTrip) {
  const std::string text = "a<b\r\nline two\nthree\rfour";
  const std::string line = EscapeText(text);
  EXPECT_EQ(line, "a<<b<CRLF>line two<LF>three<CR>four");
  EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(UnescapeText(line), text);
  EXPECT_EQ(UnescapeText(EscapeText("<LF> literal")), "<LF> literal");
}

TEST(Text, PositionsQuotesAndMasks) {
  EXPECT_EQ(PosN("a", "banana", 2), 4);
  EXPECT_EQ(PosN("a", "banana", 4), 0);
  EXPECT_EQ(LastPos("an", "banana"), 4);
  EXPECT_EQ(LastPos("x", "banana"), 0);
  std::string name;
  int n;
  SplitTrailingNumber("SteelSectionList0", name, n);
  EXPECT_EQ(name, "SteelSectionList");
  EXPECT_EQ(n, 0);
  SplitTrailingNumber("SteelSectionList", name, n);
  EXPECT_EQ(name, "SteelSectionList");
  EXPECT_EQ(n, -1);
  SplitTrailingNumber("X99999999999", name, n);
  EXPECT_EQ(n, -1);
  EXPECT_EQ(QuotedText("say \"hi\"", '"'), "\"say \"\"hi\"\"\"");
  EXPECT_EQ(QuotedTextIfContains("a,b", ",", '"'), "\"a,b\"");
  EXPECT_EQ(QuotedTextIfContains("ab", ",", '"'), "ab");
  EXPECT_TRUE(MatchesMask("Long-term", "*Long*"));
  EXPECT_TRUE(MatchesMask("kt12", "KT[0-9]*"));
  EXPECT_FALSE(MatchesMask("KTX", "KT[0-9]*"));
  EXPECT_TRUE(MatchesMask("(Auto) Facade", "(Auto) *"));
  EXPECT_FALSE(MatchesMask("Auto Facade", "(Auto) *"));
  EXPECT_TRUE(MatchesMask("a", "?"));
}

TEST(CommaText, SplitRules) {
  struct Case {
    const char* text;
    std::vector<std::string> fields;
  } cases[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"  a , b ", {"a", "b"}},
      {"a,,c", {"a", "", "c"}},
      {"a,", {"a", ""}},
      {"\"x, y\",z", {"x, y", "z"}},
      {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
      {"two words", {"two", "words"}},
      {"", {}},
      {"\"unterminated", {"unterminated"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitCommaText(c.text), c.fields) << c.text;
  EXPECT_EQ(SplitCommaText("Notched (End 1),,x", true), (std::vector<std::string>{"Notched (End 1)", "", "x"}));
}

TEST(CommaText, JoinQuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(JoinCommaText({"Base steel beam", "310UB40.4", "", "a,b", "q\""}),
            "\"Base steel beam\",310UB40.4,,\"a,b\",\"q\"\"\"");
  EXPECT_EQ(JoinCommaText({""}), "\"\"");
  const std::vector<std::string> fields = {"x y", "", "z,", "\"w\""};
  EXPECT_EQ(SplitCommaText(JoinCommaText(fields)), fields);
}

TEST(Numbers, SmallHelpers) {
  EXPECT_EQ(Clamp(5, 1, 3), 3);
  EXPECT_EQ(Clamp(-1, 1, 3), 1);
  EXPECT_DOUBLE_EQ(Interpolate(45, 40, 50, 32800, 34800), 33800);
  EXPECT_DOUBLE_EQ(Interpolate(5, 1, 1, 10, 20), 20);
  EXPECT_DOUBLE_EQ(Interpolate(1, 1, 1, 10, 20), 10);
  EXPECT_DOUBLE_EQ(KgToKN(2400), 24);
}

TEST(Encodings, Utf16AndCp1252) {
  const std::string text = "f'c \xC2\xB5m/m \xE2\x82\xAC \xF0\x9F\x98\x80";
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC\xC2\xB5"), "\x80\xB5");
  EXPECT_FALSE(IsValidUtf8("\xC3"));
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // a surrogate
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("\xFF"), std::u16string(1, u'\xFFFD'));
}

TEST(Identity, NameVersionAndHash) {
  EXPECT_EQ(GetAppName(), "Trevalon");
  EXPECT_EQ(GetAppVersion().rfind(GetAppDescription() + " ", 0), 0u);
  EXPECT_EQ(GetAppVersionShort(), std::string(TREVALON_VERSION).substr(0, 3));
  EXPECT_EQ(HashText(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(HashText("abc"), "900150983cd24fb0d6963f7d28e17f72");
}

class FoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(root_ / "config");
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  }
  void TearDown() override {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_DATA_HOME");
  }
  TempDir scratch_;
  const std::filesystem::path root_ = scratch_.Path();
};

TEST_F(FoldersTest, SpecialFoldersAndWorkFolder) {
  EXPECT_EQ(GetSpecialFolder("APPDATA"), (root_ / "config").string());
  EXPECT_EQ(GetSpecialFolder("COOKIES"), "$COOKIES$");
  EXPECT_EQ(GetSpecialFolder("Nonsense"), "$Nonsense$");
  EXPECT_EQ(GetSpecialFolder("LOCAL_APPDATA"), "$LOCAL_APPDATA$");  // not there yet
  const std::string work = GetWorkFolder("Trevalon");
  EXPECT_EQ(work, (root_ / "data" / "Trevalon").string() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(work));
  EXPECT_EQ(GetSpecialFolder("local_appdata"), (root_ / "data").string());
}

TEST_F(FoldersTest, TextFilesAndAtomicWrites) {
  const std::string f = (root_ / "t.txt").string();
  ASSERT_TRUE(WriteFileAtomic(f, "plain\r\n\ttext\f"));
  EXPECT_TRUE(IsTextFile(f));
  ASSERT_TRUE(WriteFileAtomic(f, std::string("PK\x03\x04", 4)));
  EXPECT_FALSE(IsTextFile(f));
  EXPECT_FALSE(IsTextFile((root_ / "missing").string()));
  const std::string lost = (root_ / "no-such-dir" / "x").string();
  EXPECT_EQ(WriteFileAtomic(lost, "x").Message(), "Cannot write file [" + lost + "]");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), {}), 2);  // no temporary left behind
}

TEST_F(FoldersTest, AtomicWritesKeepLinksAndDevices) {
  const std::string real = (root_ / "real.csv").string();
  const std::string link = (root_ / "link.csv").string();
  ASSERT_TRUE(WriteFileAtomic(real, "old"));
  std::filesystem::create_symlink(real, link);
  ASSERT_TRUE(WriteFileAtomic(link, "new"));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(real, bytes));
  EXPECT_EQ(bytes, "new");
  ASSERT_TRUE(WriteFileAtomic("/dev/null", "discarded"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(WriteFileAtomic(root_.string(), "x").Message(), "[" + root_.string() + "] is a folder, not a file");
  std::string unread = "kept";
  EXPECT_EQ(ReadFileBytes(root_.string(), unread).Message(), "[" + root_.string() + "] is a folder, not a file");
  EXPECT_EQ(ReadFileBytes((root_ / "missing").string(), unread).Message(),
            "Cannot open file [" + (root_ / "missing").string() + "]");
  EXPECT_EQ(unread, "kept");
}
