#include "report/cPrintableStringList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ctime>

#include "entity/VEXUtility.h"

TEST(PrintableStringList, ColumnWidthsRepeatTheLastOne) {
  TPrintableStringList list;
  EXPECT_EQ(list.ColWidths(0), 0);
  for (int i = 0; i < 4; ++i) list.SetColWidths(i, std::vector<double>{2.6, 1.6, 1.7, 1.6}[i]);
  EXPECT_EQ(list.ColCount(), 4);
  EXPECT_DOUBLE_EQ(list.ColWidths(2), 1.7);
  EXPECT_DOUBLE_EQ(list.ColWidths(10), 1.6);
  // Eleven stretched columns: 2.6 + 1.6 + 1.7 + 8 x 1.6 = 18.7 cm.
  double total = 0;
  for (int i = 0; i < 11; ++i) total += list.ColWidths(i);
  EXPECT_NEAR(total, 18.7, 1e-12);
  list.SetColWidths(7, 3);
  EXPECT_EQ(list.ColCount(), 8);
  EXPECT_DOUBLE_EQ(list.ColWidths(5), 0);  // a gap left by a later write
}

TEST(PrintableStringList, ParametersReplacePlaceholdersIgnoringCase) {
  TPrintableStringList list;
  list.SetParameter("&[File]", "a.tva");
  list.SetParameter("&[Page]", "1");
  list.SetParameter("&[page]", "2");  // same name: replaced, not appended
  EXPECT_EQ(list.Parameters().size(), 2u);
  EXPECT_EQ(list.ApplyParameters("&[FILE] page &[Page] of &[page]"), "a.tva page 2 of 2");
  list.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kCentre, "&[Page]");
  EXPECT_FALSE(list.HasHeader());
  EXPECT_TRUE(list.HasFooter());
}

TEST(PrintableStringList, TrailingBlankLinesAreNotPrinted) {
  TPrintableStringList list;
  list.Add("a");
  list.Add("");
  list.Add("b");
  list.Add("  ");
  list.Add("");
  EXPECT_EQ(list.PrintableLines(), (TStringList{"a", "", "b"}));
}

// ---------------------------------------------------------------------------
// Page layout. A small page in round numbers: 1000 x 1200 pixels at 254 pixels
// per inch (100 pixels to the cm), "M" 10 pixels wide and 20 high, so the
// margin is 50 and the width between the margins 900 pixels = 9 cm.

namespace {

constexpr TPrintPageMetrics kPage{1000, 1200, 254, 10, 20};

// Every row is Height pixels high, or BigHeight when its first cell says "BIG".
class TFixedRows : public TPrintRowMeasure {
 public:
  explicit TFixedRows(int Height = 100, int BigHeight = 0) : height_(Height), big_(BigHeight) {}
  int RowHeight(const std::vector<TPrintCell>& Cells) override {
    if (Cells.empty()) return 0;
    return Cells[0].Text == "BIG" ? big_ : height_;
  }

 private:
  int height_, big_;
};

// The report's layout without its header: the rows' tests measure the body
// between the top margin and the footer.
TPrintableStringList ReportLayout() {
  TPrintableStringList list;
  SetReportPageLayout(list, "/work/Office floor.tva", "Office floor");
  for (int h = 0; h < 3; ++h) list.SetHeaderFooter(TPrintableStringList::kTop, h, "");
  return list;
}

std::vector<int> PageNumbers(const TPrintPlan& plan) {
  std::vector<int> pages;
  for (const TPrintedPage& p : plan.Pages) pages.push_back(p.PageNumber);
  return pages;
}

std::vector<int> RowsPerPage(const TPrintPlan& plan) {
  std::vector<int> rows;
  for (const TPrintedPage& p : plan.Pages) rows.push_back(static_cast<int>(p.Rows.size()));
  return rows;
}

TPrintableStringList Numbered(int count) {
  TPrintableStringList list = ReportLayout();
  for (int i = 1; i <= count; ++i) list.Add("line " + std::to_string(i));
  return list;
}

}  // namespace

TEST(PrintPageLayout, ReportColumnsFillTheWidthBetweenTheMargins) {
  const TPrintableStringList list = ReportLayout();
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  EXPECT_EQ(layout.Margin, 50);
  // 2.6 + 1.6 + 1.7 + 8 x 1.6 = 18.7 cm scaled onto the 9 cm between the margins.
  EXPECT_NEAR(layout.ColumnScale, 9.0 / 18.7, 1e-12);
  EXPECT_EQ(ColumnPixels(list, layout, 0), 125);  // round(260 x 9 / 18.7) = round(125.13)
  EXPECT_EQ(ColumnPixels(list, layout, 2), 82);   // round(170 x 9 / 18.7) = round(81.82)
  EXPECT_EQ(ColumnPixels(list, layout, 10), 77);  // round(160 x 9 / 18.7) = round(77.01)
  int total = 0;
  for (int c = 0; c < 11; ++c) total += ColumnPixels(list, layout, c);
  EXPECT_NEAR(total, 900, 2);  // each column rounded by at most half a pixel

  // The same on an A4 page at 600 dpi: 4960 pixels wide, "M" 44 pixels wide.
  const TPrintPageMetrics a4{4960, 7016, 600, 44, 86};
  const TPrintPageLayout wide = PrintPageLayout(list, a4);
  total = 0;
  for (int c = 0; c < 11; ++c) total += ColumnPixels(list, wide, c);
  EXPECT_NEAR(total, 4960 - 10 * 44, 6);
}

TEST(PrintPageLayout, TheReportHeadsEveryPageWithItsProjectAndFile) {
  TPrintableStringList list;
  SetReportPageLayout(list, "/work/Office floor.tva", "Office floor");
  TFixedRows rows;
  for (int i = 0; i < 25; ++i) list.Add("line");
  const TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 1, 0, 0);
  ASSERT_EQ(plan.Pages.size(), 3u);
  for (const TPrintedPage& page : plan.Pages) {
    EXPECT_EQ(page.HeaderTexts[TPrintableStringList::kLeft], "Office floor");
    EXPECT_EQ(page.HeaderTexts[TPrintableStringList::kRight], "/work/Office floor.tva");
  }
}

TEST(PrintPageLayout, HeaderAndFooterTakeTwoLinesEach) {
  TPrintableStringList list = ReportLayout();  // a footer, no header
  TPrintPageLayout layout = PrintPageLayout(list, kPage);
  EXPECT_FALSE(layout.HasHeader);
  EXPECT_EQ(layout.BodyTop, 50);
  EXPECT_EQ(layout.BodyBottom, 1200 - 50 - 40);
  EXPECT_EQ(layout.FooterRect, (TPrintRect{50, 1110, 950, 1150}));

  list.SetHeaderFooter(TPrintableStringList::kTop, TPrintableStringList::kCentre, "&[File]");
  layout = PrintPageLayout(list, kPage);
  EXPECT_EQ(layout.HeaderRect, (TPrintRect{50, 50, 950, 90}));
  EXPECT_EQ(layout.BodyTop, 90);

  // No widths at all: the scale stays 1 and the columns have no width.
  TPrintableStringList bare;
  EXPECT_EQ(PrintPageLayout(bare, kPage).ColumnScale, 1);
}

TEST(PrintPageLayout, CellsSpanEmptyCellsAndTheLastReachesTheMargin) {
  const TPrintableStringList list = ReportLayout();
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  const int c0 = ColumnPixels(list, layout, 0), c1 = ColumnPixels(list, layout, 1), c2 = ColumnPixels(list, layout, 2);
  struct Case {
    const char* line;
    std::vector<std::string> texts;
    std::vector<int> lefts, rights;
  } cases[] = {
      // Each cell its column less 2 pixels; the last one to the right margin at 950.
      {"a,b,c", {"a", "b", "c"}, {50, 50 + c0, 50 + c0 + c1}, {50 + c0 - 2, 50 + c0 + c1 - 2, 950}},
      // "Notched (End 1)" with two empty cells after it uses three columns.
      {"Notched (End 1),,,x", {"Notched (End 1)", "x"}, {50, 50 + c0 + c1 + c2}, {50 + c0 + c1 + c2 - 2, 950}},
      // Blanks do not split; a quoted cell keeps its comma.
      {"\"Span, mm\",9000 mm", {"Span, mm", "9000 mm"}, {50, 50 + c0}, {50 + c0 - 2, 950}},
      // Followed by empty cells only: to the margin.
      {"Title,,,", {"Title"}, {50}, {950}},
      // An empty line is one blank cell; a line of empty cells draws nothing.
      {"", {" "}, {50}, {950}},
      {",,", {}, {}, {}},
      {",b", {"b"}, {50 + c0}, {950}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const std::vector<TPrintCell> cells = PrintRowCells(list, layout, c.line, 200, 1110);
    ASSERT_EQ(cells.size(), c.texts.size());
    for (size_t i = 0; i < cells.size(); ++i) {
      EXPECT_EQ(cells[i].Text, c.texts[i]);
      EXPECT_EQ(cells[i].Rect, (TPrintRect{c.lefts[i], 200, c.rights[i], 1110}));
    }
  }

  // Beyond the page's columns: a cell that would start past the right margin is not drawn.
  std::string many;
  for (int i = 0; i < 14; ++i) many += "c" + std::to_string(i) + ",";
  many.pop_back();
  const std::vector<TPrintCell> cells = PrintRowCells(list, layout, many, 0, 100);
  ASSERT_EQ(cells.size(), 11u);
  EXPECT_EQ(cells.back().Text, "c10");
}

TEST(PrintedCells, UnitsAreWrittenAsOnThePagesAndOtherTextStaysAsItIs) {
  const struct {
    const char* field;
    const char* shown;
  } cases[] = {
      {"Ac_1 (mm^2)", "Ac_1 (mm\u00B2)"},
      {"Concrete Density (kg/m^3)", "Concrete Density (kg/m\u00B3)"},
      {"Iti (mm^4)", "Iti (mm\u2074)"},
      {"mm^4/mm", "mm\u2074/mm"},
      {"Zb (mm^3) and Zt (mm^3)", "Zb (mm\u00B3) and Zt (mm\u00B3)"},
      // A user's text, a power that is no unit's, a caret at the end: as they are.
      {"Room^2", "Room^2"},
      {"x (m^5)", "x (m^5)"},
      {"(mm^2b)", "(mm^2b)"},
      {"mm^", "mm^"},
      {"Restrained shrinkage (\u00B5m/m)", "Restrained shrinkage (\u00B5m/m)"},
  };
  for (const auto& c : cases) EXPECT_EQ(UnitsAsWritten(c.field), c.shown) << c.field;

  // The printed list draws the cell as the page writes it.
  TPrintableStringList list;
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  const std::vector<TPrintCell> cells = PrintRowCells(list, layout, "Label,Itl (mm^4),Is (mm)", 0, 100);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[1].Text, "Itl (mm\u2074)");
}

TEST(PrintPlan, RowsFillPagesAndTrailingBlankLinesPrintNothing) {
  // Body 50 to 1110: rows of 100 at 50, 150, ... 950; the next would reach 1110.
  TFixedRows rows;
  TPrintableStringList list = Numbered(25);
  for (int i = 0; i < 12; ++i) list.Add(i % 2 ? "" : "   ");
  const TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 1, 0, 0);
  ASSERT_TRUE(plan.IsOK());
  EXPECT_EQ(plan.PageCount, 3);
  EXPECT_EQ(RowsPerPage(plan), (std::vector<int>{10, 10, 5}));
  EXPECT_EQ(plan.Pages[1].Rows.front().Top, 50);
  EXPECT_EQ(plan.Pages[1].Rows.front().LineIndex, 10);
  EXPECT_EQ(plan.Pages[0].Rows[9].Top, 950);

  // Exactly one page full: no blank page after it.
  EXPECT_EQ(PlanPrintedPages(Numbered(10), kPage, rows, 1, 0, 0).PageCount, 1);
  // Nothing to print: one page with its footer only.
  const TPrintPlan empty = PlanPrintedPages(Numbered(0), kPage, rows, 1, 0, 0);
  EXPECT_EQ(empty.PageCount, 1);
  EXPECT_TRUE(empty.Pages.at(0).Rows.empty());
}

TEST(PrintPlan, FormFeedsStartPagesExceptOnTheFirstLine) {
  TFixedRows rows;
  TPrintableStringList list = ReportLayout();
  for (const char* line : {"\fFirst", "a", "\fSECOND,x", "b", "c\f", "d"}) list.Add(line);
  const TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 1, 0, 0);
  ASSERT_EQ(plan.PageCount, 3);
  EXPECT_EQ(RowsPerPage(plan), (std::vector<int>{2, 2, 2}));
  // The form feeds are removed from the cells.
  EXPECT_EQ(plan.Pages[0].Rows[0].Cells.at(0).Text, "First");
  EXPECT_EQ(plan.Pages[1].Rows[0].Cells.at(0).Text, "SECOND");
  EXPECT_EQ(plan.Pages[2].Rows[0].Cells.at(0).Text, "c");
  EXPECT_EQ(plan.Pages[2].Rows[0].Top, 50);
}

TEST(PrintPlan, PageRangePrintsOnlyItsPagesWithTheirOwnNumbers) {
  TFixedRows rows;
  TPrintableStringList list = Numbered(45);  // 5 pages of 10, 10, 10, 10, 5
  list.SetHeaderFooter(TPrintableStringList::kTop, TPrintableStringList::kLeft, "Page &[page] of &[FILE]");
  const TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 2, 3, 0);
  EXPECT_EQ(plan.PageCount, 5);
  EXPECT_EQ(PageNumbers(plan), (std::vector<int>{2, 3}));
  EXPECT_EQ(plan.Pages[0].FooterTexts[TPrintableStringList::kCentre], "2");
  EXPECT_EQ(plan.Pages[1].FooterTexts[TPrintableStringList::kCentre], "3");
  EXPECT_EQ(plan.Pages[1].HeaderTexts[TPrintableStringList::kLeft], "Page 3 of /work/Office floor.tva");
  // With the header the body runs from 90 to 1110: still ten rows (the last at 990).
  EXPECT_EQ(plan.Pages[0].Rows.front().LineIndex, 10);
  EXPECT_EQ(plan.Pages[1].Rows.front().LineIndex, 20);
  EXPECT_EQ(plan.Pages[1].Rows.back().Top, 990);
  // A range past the end prints nothing; 0 as the last page means to the end.
  EXPECT_TRUE(PlanPrintedPages(list, kPage, rows, 9, 9, 0).Pages.empty());
  EXPECT_EQ(PageNumbers(PlanPrintedPages(list, kPage, rows, 4, 0, 0)), (std::vector<int>{4, 5}));
}

TEST(PrintPlan, DateAndTimeFillTheFooterButNeverTheLines) {
  TFixedRows rows;
  TPrintableStringList list = Numbered(0);
  list.Add("Printed &[Date] at &[Time]");
  list.SetHeaderFooter(TPrintableStringList::kTop, TPrintableStringList::kRight, "&[Date] &[Time]");
  std::tm tm{};
  tm.tm_year = 2026 - 1900;
  tm.tm_mon = 11;
  tm.tm_mday = 5;
  tm.tm_hour = 9;
  tm.tm_min = 7;
  tm.tm_isdst = -1;
  const std::time_t when = std::mktime(&tm);
  TRegionalSettingsScope plain(TRegionalSettings{});
  const TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 1, 0, when);
  EXPECT_EQ(plan.Pages.at(0).HeaderTexts[TPrintableStringList::kRight], "5/12/2026 9:07");
  EXPECT_EQ(plan.Pages[0].FooterTexts[TPrintableStringList::kRight], "5/12/2026");
  EXPECT_EQ(plan.Pages[0].FooterTexts[TPrintableStringList::kLeft], GetAppName() + "/" + GetAppVersionShort());
  EXPECT_EQ(plan.Pages[0].Rows.at(0).Cells.at(0).Text, "Printed &[Date] at &[Time]");
}

TEST(PrintPlan, TallRowsNeverLeaveABlankPage) {
  // The body is 1060 high; the page less ten "M" widths 1100.
  TFixedRows rows(100, 1080);
  TPrintableStringList list = ReportLayout();
  for (const char* line : {"a", "BIG", "b"}) list.Add(line);
  TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 1, 0, 0);
  ASSERT_TRUE(plan.IsOK());
  EXPECT_EQ(RowsPerPage(plan), (std::vector<int>{1, 1, 1}));
  EXPECT_EQ(plan.Pages[1].Rows[0].Top, 50);

  // As the first line it stays on page 1.
  list.Lines = {"BIG", "b"};
  plan = PlanPrintedPages(list, kPage, rows, 1, 0, 0);
  EXPECT_EQ(RowsPerPage(plan), (std::vector<int>{1, 1}));

  // Not one character of a row fits a page: nothing is printed at all.
  TFixedRows too_tall(1101);
  list.Lines = {"a", "b"};
  plan = PlanPrintedPages(list, kPage, too_tall, 1, 0, 0);
  EXPECT_EQ(plan.Error, "Line too long to fit on single page.");
  EXPECT_TRUE(plan.Pages.empty());
}

namespace {

// Rows of text laid out like a printer's: 10 characters to a line of 20
// pixels in every cell, lines broken after a blank where there is one in
// reach, inside a word otherwise.
class TWrappedRows : public TPrintRowMeasure {
 public:
  int RowHeight(const std::vector<TPrintCell>& Cells) override {
    int height = 0;
    for (const TPrintCell& c : Cells) height = std::max(height, 20 * Lines(c.Text));
    return height;
  }
  static int Lines(const std::string& Text) {
    int lines = 0;
    for (size_t at = 0; at < Text.size(); ++lines) {
      size_t end = std::min(Text.size(), at + 10);
      if (end < Text.size()) {
        const size_t blank = Text.find_last_of(' ', end);
        if (blank != std::string::npos && blank > at) end = blank + 1;
      }
      at = end;
    }
    return std::max(lines, 1);
  }
};

}  // namespace

// A row taller than a page (a description of thousands of words, or one very
// long word) goes on over the pages after it, each page's piece filling its
// body, instead of stopping the print.
TEST(PrintPlan, RowsTallerThanAPageGoOnOverThePages) {
  // The body is 1060 high: 53 lines of 20 pixels, 530 characters a page.
  std::string words;
  for (int i = 0; i < 300; ++i) words += "word ";  // 1500 characters, 150 lines
  struct Case {
    const char* what;
    std::string text;
    std::vector<int> rows_per_page;
  } cases[] = {
      {"many words", words, {1, 1, 1, 2}},
      {"one very long word", std::string(1500, 'W'), {1, 1, 1, 2}},
      {"one long word of multi-byte characters", [] {
         std::string w;
         for (int i = 0; i < 700; ++i) w += "\xc2\xb5";  // 1400 bytes, each character two
         return w;
       }(), {1, 1, 1, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TWrappedRows rows;
    TPrintableStringList list = ReportLayout();
    list.Add("before");
    list.Add(",\"" + c.text + "\"");
    list.Add("after");
    const TPrintPlan plan = PlanPrintedPages(list, kPage, rows, 1, 0, 0);
    ASSERT_TRUE(plan.IsOK()) << plan.Error;
    EXPECT_EQ(RowsPerPage(plan), c.rows_per_page);
    // The pieces, in order, hold the whole text; each fits its page's body.
    std::string printed;
    for (const TPrintedPage& page : plan.Pages)
      for (const TPrintedRow& row : page.Rows) {
        if (row.LineIndex != 1) continue;
        ASSERT_EQ(row.Cells.size(), 1u);
        printed += row.Cells[0].Text;
        EXPECT_LE(row.Top + row.Height, plan.Layout.BodyBottom);
        EXPECT_EQ(row.Cells[0].Rect.Top, row.Top);
        // A piece never begins inside a character of several bytes.
        EXPECT_NE(static_cast<unsigned char>(row.Cells[0].Text[0]) & 0xC0, 0x80);
      }
    EXPECT_EQ(printed, c.text);
    EXPECT_EQ(plan.Pages.back().Rows.back().Cells.at(0).Text, "after");
  }
}

// ---------------------------------------------------------------------------
// Columns fitted so that no token breaks.

namespace {

// Tokens 10 pixels a character (at full type), rows of one height.
class TTokenWidths : public TFixedRows {
 public:
  int TokenWidth(const TPrintCell& Cell) override {
    size_t widest = 0, run = 0;
    for (char c : Cell.Text + " ") {
      run = c == ' ' ? 0 : run + 1;
      widest = std::max(widest, run);
    }
    return static_cast<int>(std::lround(10 * Cell.FontScale * static_cast<double>(widest)));
  }
};

int Total(const TColumnFit& fit, const TPrintableStringList& list, const TPrintPageLayout& layout, int columns) {
  int total = 0;
  for (int c = 0; c < columns; ++c) total += fit.Width(list, layout, c);
  return total;
}

}  // namespace

TEST(FitColumns, ABlockWhoseTokensFitKeepsTheListsWidths) {
  const TPrintableStringList list = ReportLayout();
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  TTokenWidths measure;
  // Column 1 is 77 pixels: "360UB" (50) fits, and a fake measure without fonts asks for nothing.
  const TColumnFit fit = FitColumns(list, layout, {"Beam,360UB,KESTREL", "Sec,310UB,GRADE"}, measure);
  EXPECT_TRUE(fit.Widths.empty());
  EXPECT_EQ(fit.FontScale, 1);
  TFixedRows no_fonts;
  EXPECT_TRUE(FitColumns(list, layout, {"x,360UB44.7360UB44.7,y"}, no_fonts).Widths.empty());
}

TEST(FitColumns, ANarrowColumnWidensAndTheOthersMakeRoomWithinThePage) {
  const TPrintableStringList list = ReportLayout();
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  TTokenWidths measure;
  // Eleven columns fill the 900 pixels; "360UB44.7" (90 + 2) needs more than column 1's 77.
  const std::string line = "Sec,360UB44.7,a,b,c,d,e,f,g,h,i";
  const TColumnFit fit = FitColumns(list, layout, {line}, measure);
  ASSERT_EQ(fit.Widths.size(), 11u);
  EXPECT_EQ(fit.FontScale, 1);
  EXPECT_GE(fit.Widths[1], 92);
  EXPECT_LE(Total(fit, list, layout, 11), 900);
  // Every cell of the row is as wide as its token needs.
  for (const TPrintCell& cell : PrintRowCells(list, layout, line, 0, 100, fit))
    EXPECT_GE(cell.Rect.Right - cell.Rect.Left, measure.TokenWidth(cell)) << cell.Text;
}

TEST(FitColumns, TokensTooWideForThePageSetTheBlockInASmallerType) {
  const TPrintableStringList list = ReportLayout();
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  TTokenWidths measure;
  // Eleven tokens of 10 characters need 11 x 102 pixels: more than 900 at full size.
  std::string line = "aaaaaaaaaa";
  for (int c = 1; c < 11; ++c) line += ",bbbbbbbbbb";
  const TColumnFit fit = FitColumns(list, layout, {line}, measure);
  EXPECT_LT(fit.FontScale, 1);
  EXPECT_GE(fit.FontScale, 0.6);
  EXPECT_LE(Total(fit, list, layout, 11), 900);
  for (const TPrintCell& cell : PrintRowCells(list, layout, line, 0, 100, fit)) {
    EXPECT_EQ(cell.FontScale, fit.FontScale);
    EXPECT_GE(cell.Rect.Right - cell.Rect.Left, measure.TokenWidth(cell)) << cell.Text;
  }
  // A token wider than the whole page even in the smallest type breaks: the list's widths and type.
  const TColumnFit huge = FitColumns(list, layout, {"x," + std::string(200, 'w')}, measure);
  EXPECT_EQ(huge.FontScale, 1);
  EXPECT_TRUE(huge.Widths.empty());
}

TEST(FitColumns, EachBlockBetweenBlankLinesIsFittedOnItsOwn) {
  TPrintableStringList list = ReportLayout();
  for (const char* line : {"Sec,360UB44.7,a", "", "Label,x,y"}) list.Add(line);
  TTokenWidths measure;
  const TPrintPlan plan = PlanPrintedPages(list, kPage, measure, 1, 0, 0);
  ASSERT_EQ(plan.Pages.size(), 1u);
  const std::vector<TPrintedRow>& rows = plan.Pages[0].Rows;
  ASSERT_EQ(rows.size(), 3u);
  // The first block widened its column 1; the last kept the list's widths.
  EXPECT_GE(rows[0].Cells[1].Rect.Right - rows[0].Cells[1].Rect.Left, 90);  // the token, 9 x 10
  const TPrintPageLayout layout = PrintPageLayout(list, kPage);
  EXPECT_EQ(rows[2].Cells[1].Rect.Left, layout.Margin + ColumnPixels(list, layout, 0));
}
