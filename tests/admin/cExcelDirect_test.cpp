#include "admin/cExcelDirect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "admin/xlsx_builder.h"
#include "entity/VEXUtility.h"
#include "temp_dir.h"

using xlsx_test::TWorkbookBuilder;

namespace {

// The message of a failed selection or read ("" when it succeeded).
std::string ErrorOf(const TResult& Result) { return Result.IsOK() ? "" : Result.Message(); }

// Reads that must succeed.
std::string TextOf(const TExcelDirect& Reader, const std::string& Ref) {
  std::string value = "not read";
  const TResult read = Reader.GetCellValue(Ref, value);
  EXPECT_TRUE(read.IsOK()) << read.Message();
  return value;
}
double FloatOf(const TExcelDirect& Reader, const std::string& Ref) {
  double value = -1;
  const TResult read = Reader.GetCellFloatValue(Ref, value);
  EXPECT_TRUE(read.IsOK()) << read.Message();
  return value;
}
int IntegerOf(const TExcelDirect& Reader, const std::string& Ref) {
  int value = -1;
  const TResult read = Reader.GetCellIntegerValue(Ref, value);
  EXPECT_TRUE(read.IsOK()) << read.Message();
  return value;
}

// Why a read fails ("" when it succeeds); the value is left as it was.
std::string TextErrorOf(const TExcelDirect& Reader, const std::string& Ref) {
  std::string value = "kept";
  const std::string error = ErrorOf(Reader.GetCellValue(Ref, value));
  if (!error.empty()) {
    EXPECT_EQ(value, "kept");
  }
  return error;
}
std::string FloatErrorOf(const TExcelDirect& Reader, const std::string& Ref) {
  double value = -7;
  const std::string error = ErrorOf(Reader.GetCellFloatValue(Ref, value));
  if (!error.empty()) {
    EXPECT_EQ(value, -7);
  }
  return error;
}
std::string IntegerErrorOf(const TExcelDirect& Reader, const std::string& Ref) {
  int value = -7;
  const std::string error = ErrorOf(Reader.GetCellIntegerValue(Ref, value));
  if (!error.empty()) {
    EXPECT_EQ(value, -7);
  }
  return error;
}

class ExcelDirect : public ::testing::Test {
 protected:
  void SetUp() override { UsePlainRegionalSettings(); }

  // Connects the reader to the builder's workbook, written to a file.
  void Open(const TWorkbookBuilder& Book) {
    const std::string file = dir.File("book.xlsx");
    Book.Write(file);
    xl.Connect(file);
    ASSERT_TRUE(xl.IsConnected()) << xl.ConnectError();
  }

  TempDir dir;
  TExcelDirect xl;
};

}  // namespace

TEST(ExcelCellReference, SplitsLettersAndDigits) {
  struct {
    const char* Ref;
    int Row, Column;  // 0 0: not a reference
  } cases[] = {
      {"A1", 1, 1},     {"C1", 1, 3},          {"G5", 5, 7},           {"Z26", 26, 26},
      {"AA27", 27, 27}, {"AZ1", 1, 52},        {"XFD1048576", 1048576, 16384},
      {"", 0, 0},       {"A", 0, 0},           {"12", 0, 0},           {"1A", 0, 0},
      {"A1B", 0, 0},    {"a1", 0, 0},          {"A 1", 0, 0},          {"XFE1", 0, 0},
      {"A1048577", 0, 0}, {"AAAAAAAAAAAAA1", 0, 0}, {"A99999999999999999999", 0, 0},
  };
  for (const auto& c : cases) {
    int row = -1, column = -1;
    const bool ok = TExcelDirect::SplitCellReference(c.Ref, row, column);
    EXPECT_EQ(ok, c.Row > 0) << c.Ref;
    if (ok) {
      EXPECT_EQ(row, c.Row) << c.Ref;
      EXPECT_EQ(column, c.Column) << c.Ref;
    }
  }
}

TEST_F(ExcelDirect, ReadsEachKindOfCell) {
  TWorkbookBuilder book;
  book.Number("Data", "A1", "9000")
      .Number("Data", "B1", "2.5")
      .Number("Data", "C1", "0.10000000000000001")  // 0.1 as a writer stores it
      .Number("Data", "D1", "1E-6")
      .Number("Data", "E1", "-3")
      .Text("Data", "A2", "UB.xls")
      .Text("Data", "B2", "12.5")
      .Text("Data", "C2", "  ")
      .Text("Data", "D2", "7")
      .InlineText("Data", "A3", "Span")
      .Boolean("Data", "B3", true)
      .Boolean("Data", "C3", false)
      .ErrorValue("Data", "D3", "#N/A")
      .Raw("Data", "A4", "", " s=\"1\"")                              // styled, no value
      .Raw("Data", "B4", "<f>A1*2</f><v>18000</v>")                  // formula, stored result
      .Raw("Data", "C4", "<f>\"x\"&amp;\"y\"</f><v>xy</v>", " t=\"str\"")  // formula with text result
      .Number("Data", "AA27", "27");
  Open(book);
  ASSERT_TRUE(xl.SetCurrentSheetByName("Data").IsOK());

  struct {
    const char* Ref;
    const char* Text;
    double Float;  // NAN: reading a number fails
    int Integer;
  } cases[] = {
      {"A1", "9000", 9000, 9000},   {"B1", "2.5", 2.5, 3},         {"C1", "0.1", 0.1, 0},
      {"D1", "1E-6", 1e-6, 0},      {"E1", "-3", -3, -3},           {"A2", "UB.xls", NAN, 0},
      {"B2", "12.5", 12.5, 13},     {"C2", "  ", 0, 0},             {"D2", "7", 7, 7},
      {"A3", "Span", NAN, 0},       {"B3", "True", 1, 1},           {"C3", "False", 0, 0},
      {"D3", "#N/A", NAN, 0},       {"A4", "", 0, 0},               {"B4", "18000", 18000, 18000},
      {"C4", "xy", NAN, 0},         {"AA27", "27", 27, 27},         {"Z99", "", 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextOf(xl, c.Ref), c.Text) << c.Ref;
    if (std::isnan(c.Float)) {
      EXPECT_NE(FloatErrorOf(xl, c.Ref), "") << c.Ref;
      EXPECT_NE(IntegerErrorOf(xl, c.Ref), "") << c.Ref;
    } else {
      EXPECT_DOUBLE_EQ(FloatOf(xl, c.Ref), c.Float) << c.Ref;
      EXPECT_EQ(IntegerOf(xl, c.Ref), c.Integer) << c.Ref;
    }
  }
}

TEST_F(ExcelDirect, NumbersAndTextFollowTheRegionalSeparator) {
  Open(TWorkbookBuilder().Number("Data", "A1", "2.5").Text("Data", "A2", "3,75"));
  ASSERT_TRUE(xl.SetCurrentSheetByName("Data").IsOK());
  SetDecimalSeparator(',');
  EXPECT_EQ(TextOf(xl, "A1"), "2,5");
  EXPECT_DOUBLE_EQ(FloatOf(xl, "A1"), 2.5);
  EXPECT_DOUBLE_EQ(FloatOf(xl, "A2"), 3.75);
  UsePlainRegionalSettings();
}

TEST_F(ExcelDirect, ErrorsNameTheSheetAndTheCell) {
  Open(TWorkbookBuilder()
           .Text("General_Beam_Data", "B5", "thirty-two")
           .ErrorValue("General_Beam_Data", "C5", "#DIV/0!")
           .Number("General_Beam_Data", "D5", "1E+20")
           .Sheet("Point_Loads"));
  EXPECT_EQ(TextErrorOf(xl, "A1"), "No sheet chosen to read cell A1 from");
  EXPECT_EQ(ErrorOf(xl.SetCurrentSheetByName("Distributed_Loads")),
            "The workbook [" + dir.File("book.xlsx") + "] has no sheet \"Distributed_Loads\"");

  ASSERT_TRUE(xl.SetCurrentSheetByName("general_beam_data").IsOK());  // as the spreadsheet program finds sheets
  EXPECT_EQ(xl.CurrentSheetName(), "General_Beam_Data");
  const std::string in = " of sheet \"General_Beam_Data\" in [" + dir.File("book.xlsx") + "]";
  EXPECT_EQ(FloatErrorOf(xl, "B5"), "Cell B5" + in + " holds \"thirty-two\", which is not a number");
  EXPECT_EQ(FloatErrorOf(xl, "C5"), "Cell C5" + in + " holds the error value #DIV/0!, not a number");
  EXPECT_EQ(IntegerErrorOf(xl, "D5"),
            "Cell D5" + in + " holds 1E20, which is beyond the range of a whole number");
  EXPECT_EQ(TextErrorOf(xl, "5B"), "Invalid cell reference \"5B\"");

  // A failed selection keeps the sheet chosen before.
  EXPECT_NE(ErrorOf(xl.SetCurrentSheetByName("Deflection_Data")), "");
  EXPECT_EQ(xl.CurrentSheetName(), "General_Beam_Data");

  xl.Disconnect();
  EXPECT_FALSE(xl.IsConnected());
  EXPECT_NE(TextErrorOf(xl, "A1"), "");
  xl.Disconnect();  // nothing happens the second time
}

TEST_F(ExcelDirect, TextTooLongOrOnSeveralLinesIsShownOnOneLine) {
  Open(TWorkbookBuilder().Text("S", "A1", "first line\r\nsecond line, and much more text than fits"));
  ASSERT_TRUE(xl.SetCurrentSheetByName("S").IsOK());
  const std::string message = FloatErrorOf(xl, "A1");
  // XML reads a line break in text as LF.
  EXPECT_NE(message.find("\"first line<LF>second line, and much more te...\""), std::string::npos) << message;
  EXPECT_EQ(message.find('\n'), std::string::npos);
}

// Writers differ: prefixed element names, cells and rows without references,
// rich text runs, escaped control characters, absolute relationship targets.
TEST_F(ExcelDirect, ReadsTheVariantsWritersProduce) {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  TWorkbookBuilder book;
  book.Sheet("Data")
      .Part("xl/worksheets/sheet1.xml",
            "<x:worksheet xmlns:x=\"" + main + "\"><x:sheetData>"
            "<x:row><x:c><x:v>1</x:v></x:c><x:c t=\"inlineStr\"><x:is><x:t>b</x:t></x:is></x:c></x:row>"
            "<x:row r=\"3\"><x:c r=\"C3\" t=\"s\"><x:v>0</x:v></x:c><x:c><x:v>4</x:v></x:c></x:row>"
            "<x:row><x:c r=\"A4\" t=\"s\"><x:v>1</x:v></x:c></x:row>"
            "</x:sheetData></x:worksheet>")
      .Part("xl/sharedStrings.xml",
            "<sst xmlns=\"" + main + "\"><si><r><t>Rich </t></r><r><rPr><b/></rPr><t>text</t></r>"
            "<rPh><t>phonetic</t></rPh></si><si><t xml:space=\"preserve\">line_x000D__x000A_two </t></si></sst>")
      .Part("xl/_rels/workbook.xml.rels",
            "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "worksheet\" Target=\"/xl/worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rIdS\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
            "sharedStrings\" Target=\"../xl/./sharedStrings.xml\"/></Relationships>");
  Open(book);
  ASSERT_TRUE(xl.SetCurrentSheetByName("Data").IsOK());
  EXPECT_EQ(TextOf(xl, "A1"), "1");
  EXPECT_EQ(TextOf(xl, "B1"), "b");
  EXPECT_EQ(TextOf(xl, "C3"), "Rich text");
  EXPECT_EQ(TextOf(xl, "D3"), "4");
  EXPECT_EQ(TextOf(xl, "A4"), "line\r\ntwo ");
}

// Damaged packages: each gives its outcome, never a crash.
TEST_F(ExcelDirect, DamagedWorkbooksAreReportedNotRead) {
  const std::string ws = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  struct {
    const char* What;
    std::function<void(TWorkbookBuilder&)> Damage;
    const char* ConnectError;  // "" when the workbook opens
    const char* SheetError;    // expected in the message of choosing sheet "Data"
  } cases[] = {
      {"no workbook part", [](TWorkbookBuilder& b) { b.RemovePart("xl/workbook.xml"); }, "it has no workbook part",
       ""},
      {"workbook not XML", [](TWorkbookBuilder& b) { b.Part("xl/workbook.xml", "<workbook><sheets>"); },
       "part xl/workbook.xml is not well-formed XML", ""},
      {"workbook of another kind", [](TWorkbookBuilder& b) { b.Part("xl/workbook.xml", "<document/>"); },
       "part xl/workbook.xml is not a workbook", ""},
      {"shared strings missing", [](TWorkbookBuilder& b) { b.RemovePart("xl/sharedStrings.xml"); },
       "its shared strings part xl/sharedStrings.xml is missing", ""},
      {"worksheet missing", [](TWorkbookBuilder& b) { b.RemovePart("xl/worksheets/sheet1.xml"); }, "",
       "part xl/worksheets/sheet1.xml is missing"},
      {"sheet relationships missing", [](TWorkbookBuilder& b) { b.RemovePart("xl/_rels/workbook.xml.rels"); }, "",
       "the workbook does not say where it is stored"},
      {"worksheet not XML", [](TWorkbookBuilder& b) { b.Part("xl/worksheets/sheet1.xml", "<worksheet><sheetData"); },
       "", "part xl/worksheets/sheet1.xml is not well-formed XML"},
      {"shared string beyond the list",
       [](TWorkbookBuilder& b) { b.Raw("Data", "B2", "<v>99</v>", " t=\"s\""); }, "",
       "cell B2 refers to shared string \"99\", which the workbook lacks"},
      {"number that is not one", [](TWorkbookBuilder& b) { b.Number("Data", "C3", "12,5"); }, "",
       "cell C3 stores \"12,5\" as a number"},
      {"bad cell reference", [](TWorkbookBuilder& b) { b.Raw("Data", "A1A", "<v>1</v>"); }, "",
       "bad cell reference \"A1A\""},
      {"bad row number", [](TWorkbookBuilder& b) { b.Raw("Data", "B0", "<v>1</v>"); }, "", "bad row number \"0\""},
      {"relationship to an external target",
       [&](TWorkbookBuilder& b) {
         b.Part("xl/_rels/workbook.xml.rels",
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                "<Relationship Id=\"rId1\" Type=\"" + ws + "worksheet\" Target=\"http://example.com/s.xml\" "
                "TargetMode=\"External\"/></Relationships>");
       },
       "", "the workbook does not say where it is stored"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TWorkbookBuilder book;
    book.Text("Data", "A1", "x");
    c.Damage(book);
    book.Write(dir.File("damaged.xlsx"));
    TExcelDirect reader;
    reader.Connect(dir.File("damaged.xlsx"));
    if (*c.ConnectError) {
      EXPECT_FALSE(reader.IsConnected());
      EXPECT_NE(reader.ConnectError().find(c.ConnectError), std::string::npos) << reader.ConnectError();
      EXPECT_EQ(reader.ConnectError().rfind("[" + dir.File("damaged.xlsx") + "] is not a readable", 0), 0u);
      // The first sheet selection says why.
      EXPECT_EQ(ErrorOf(reader.SetCurrentSheetByName("Data")), reader.ConnectError());
      continue;
    }
    ASSERT_TRUE(reader.IsConnected()) << reader.ConnectError();
    const std::string message = ErrorOf(reader.SetCurrentSheetByName("Data"));
    EXPECT_EQ(message.rfind("Sheet \"Data\" of [" + dir.File("damaged.xlsx") + "] cannot be read: ", 0), 0u) << message;
    EXPECT_NE(message.find(c.SheetError), std::string::npos) << message;
  }
}

TEST_F(ExcelDirect, FilesThatAreNoWorkbookLeaveItUnconnected) {
  struct {
    const char* Name;
    std::string Bytes;
    const char* Reason;
  } cases[] = {
      {"text.xlsx", "Trevalon V2\r\nnot a workbook\r\n", "is not a spreadsheet workbook (.xlsx): Not a zip archive"},
      {"empty.xlsx", "", "is not a readable spreadsheet workbook: it has no workbook part"},
      {"cut.xlsx", std::string("PK\x03\x04", 4) + std::string(40, '\0'), "is not a spreadsheet workbook (.xlsx): "},
  };
  for (const auto& c : cases) {
    TExcelDirect reader;
    reader.Connect(dir.Write(c.Name, c.Bytes));
    EXPECT_FALSE(reader.IsConnected()) << c.Name;
    EXPECT_NE(reader.ConnectError().find(c.Reason), std::string::npos) << reader.ConnectError();
  }
  TExcelDirect reader;
  reader.Connect(dir.File("missing.xlsx"));
  EXPECT_FALSE(reader.IsConnected());
  EXPECT_EQ(reader.ConnectError(), "Cannot open file [" + dir.File("missing.xlsx") + "]");
}

TEST_F(ExcelDirect, AZipOfAnotherKindIsNoWorkbook) {
  // A zip whose parts are no spreadsheet: the package's main part is missing.
  TWorkbookBuilder book;
  book.Text("Data", "A1", "x").RemovePart("xl/workbook.xml").RemovePart("_rels/.rels");
  book.Write(dir.File("other.zip"));
  xl.Connect(dir.File("other.zip"));
  EXPECT_FALSE(xl.IsConnected());
  EXPECT_NE(xl.ConnectError().find("it has no workbook part"), std::string::npos) << xl.ConnectError();
}

// The workbook the import reads is small. A small crafted file asking for
// millions of shared strings or cells (a 48 KB file unpacking to six million
// empty strings took 12 s and 690 MB) is refused with a message, its work
// bounded by its size: its parts may unpack to 100 times the file at most,
// a part may hold a million XML elements, the shared strings and the cells
// of a sheet 100,000 each. Stored packages (not compressed) reach the counts
// without the bound on unpacking.
TEST_F(ExcelDirect, SmallCraftedFilesCannotAskForMuch) {
  auto repeated = [](const std::string& Element, int Count) {
    std::string text;
    text.reserve(Element.size() * static_cast<size_t>(Count));
    for (int i = 0; i < Count; ++i) text += Element;
    return text;
  };
  const std::string sst = "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">";
  auto rows_of_empty_cells = [&](int Rows) {
    std::string rows;
    for (int r = 1; r <= Rows; ++r)
      rows += "<row r=\"" + std::to_string(r) + "\">" + repeated("<c/>", 16384) + "</row>";
    return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows +
           "</sheetData></worksheet>";
  };
  struct {
    const char* What;
    bool IsStored;
    std::function<void(TWorkbookBuilder&)> Craft;
    const char* ConnectError;  // "" when the workbook opens
    const char* SheetError;    // expected in the message of choosing sheet "Data"
  } cases[] = {
      {"a million empty shared strings in a few kilobytes", false,
       [&](TWorkbookBuilder& b) { b.Part("xl/sharedStrings.xml", sst + repeated("<si/>", 1000000) + "</sst>"); },
       "its parts unpack to more than 100 times the size of the file", ""},
      {"more shared strings than a workbook of the import holds", true,
       [&](TWorkbookBuilder& b) { b.Part("xl/sharedStrings.xml", sst + repeated("<si/>", 100001) + "</sst>"); },
       "holds more than 100000 strings", ""},
      {"a part of more than a million elements", true,
       [&](TWorkbookBuilder& b) { b.Part("xl/sharedStrings.xml", sst + repeated("<x/>", 1000001) + "</sst>"); },
       "part xl/sharedStrings.xml holds more than 1000000 XML elements", ""},
      {"a sheet of more cells than a workbook of the import holds", true,
       [&](TWorkbookBuilder& b) { b.Part("xl/worksheets/sheet1.xml", rows_of_empty_cells(7)); }, "",
       "more than 100000 cells"},
      {"as many shared strings and cells as may be", true,
       [&](TWorkbookBuilder& b) {
         b.Part("xl/sharedStrings.xml", sst + "<si><t>x</t></si>" + repeated("<si/>", 99999) + "</sst>");
         b.Part("xl/worksheets/sheet1.xml", rows_of_empty_cells(6));  // 98304 cells
       },
       "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TWorkbookBuilder book;
    book.Text("Data", "A1", "x");
    c.Craft(book);
    const std::string file = dir.File("crafted.xlsx");
    book.Write(file, c.IsStored);
    TExcelDirect reader;
    reader.Connect(file);
    if (*c.ConnectError) {
      EXPECT_FALSE(reader.IsConnected());
      EXPECT_NE(reader.ConnectError().find(c.ConnectError), std::string::npos) << reader.ConnectError();
      EXPECT_EQ(reader.ConnectError().rfind("[" + file + "] is not a readable spreadsheet workbook: ", 0), 0u);
      continue;
    }
    ASSERT_TRUE(reader.IsConnected()) << reader.ConnectError();
    const std::string message = ErrorOf(reader.SetCurrentSheetByName("Data"));
    if (*c.SheetError) {
      EXPECT_NE(message.find(c.SheetError), std::string::npos) << message;
    } else {
      EXPECT_EQ(message, "");
      EXPECT_EQ(TextOf(reader, "A1"), "");  // the sheet of empty cells replaced the builder's
    }
  }
}
