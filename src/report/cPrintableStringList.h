// TPrintableStringList: the list of report lines an analysis run fills and the
// window shows, exports and prints as a paginated table. Each line is a row of
// comma-separated cells placed in columns of given widths (cm); header and
// footer texts (left, centre, right) may hold placeholders such as "&[Page]"
// and "&[Date]" that are replaced when printed.
//
// This unit keeps the lines and lays the pages out: where every row falls, on
// which page, in which cell rectangles, and the header and footer texts of
// each page (PlanPrintedPages). It measures nothing itself: the printer's
// drawing code (report/qt/cReportPrinter.h) supplies the page size and a
// TPrintRowMeasure that knows the font, then draws what the plan says.
#pragma once

#include <ctime>
#include <string>
#include <utility>
#include <vector>

using TStringList = std::vector<std::string>;

class TPrintableStringList {
 public:
  static constexpr int kTop = 0;     // vertical positions of header and footer texts
  static constexpr int kBottom = 8;
  static constexpr int kLeft = 0;    // horizontal positions
  static constexpr int kCentre = 1;
  static constexpr int kRight = 2;

  TStringList Lines;

  int ColCount() const { return col_count_; }
  int MaxColCount = 0;  // columns stretched to the page width
  // The stored width for Index < ColCount; beyond it the last stored width; 0 when none.
  double ColWidths(int Index) const;
  void SetColWidths(int Index, double Width);

  // "name=value" pairs; names are matched without regard to letter case.
  const std::vector<std::pair<std::string, std::string>>& Parameters() const { return parameters_; }
  void SetParameter(const std::string& Name, const std::string& Value);
  // Every occurrence of a parameter name in Text, letter case ignored, replaced by its value.
  std::string ApplyParameters(const std::string& Text) const;

  const std::string& HeaderFooter(int Vertical, int Horizontal) const;
  void SetHeaderFooter(int Vertical, int Horizontal, const std::string& Text);
  bool HasHeader() const;
  bool HasFooter() const;

  // Lines up to the last one that is not blank (trailing blank lines are not printed).
  TStringList PrintableLines() const;

  void Add(const std::string& Line) { Lines.push_back(Line); }
  void Clear() { Lines.clear(); }
  int Count() const { return static_cast<int>(Lines.size()); }

 private:
  std::vector<double> widths_;
  int col_count_ = 0;
  std::vector<std::pair<std::string, std::string>> parameters_;
  std::string header_footer_[9][3];
};

// The results report's page layout, as the window and the command line print
// it: column widths 2.6, 1.6, 1.7 and 1.6 cm (later columns repeat 1.6),
// eleven columns stretched to the page, "&[File]" = ProjectFileName and
// "&[Project]" = ProjectName, the header project name (left) and file
// (right) on every page, and the footer program name/version (left),
// "&[Page]" (centre), "&[Date]" (right). The lines are left as they are.
void SetReportPageLayout(TPrintableStringList& List, const std::string& ProjectFileName,
                         const std::string& ProjectName = "");

// ---------------------------------------------------------------------------
// Page layout for printing. All lengths are in the printer's device pixels.

// The printer page and the body font, as the drawing code measures them.
struct TPrintPageMetrics {
  int PageWidth = 0;         // printable width
  int PageHeight = 0;        // printable height
  double PixelsPerInch = 0;  // horizontal resolution
  int CharWidth = 0;         // width of "M" in the body font (9 pt)
  int CharHeight = 0;        // height of "M" in the body font
};

struct TPrintRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TPrintRect&) const = default;
};

// Margins, header, body and footer of every page, and the column scale.
struct TPrintPageLayout {
  int Margin = 0;  // 5 x the width of "M", on all four sides
  bool HasHeader = false, HasFooter = false;
  TPrintRect HeaderRect, FooterRect;  // empty when absent
  int BodyTop = 0, BodyBottom = 0;
  int PageWidth = 0, PageHeight = 0;
  // Scale of the columns' widths so that columns 0 to MaxColCount - 1 fill
  // the width between the margins; 1 when they have no width.
  double ColumnScale = 1;
  double PixelsPerInch = 0;
};

TPrintPageLayout PrintPageLayout(const TPrintableStringList& List, const TPrintPageMetrics& Metrics);
// Width of column Index in device pixels: round(scale x ppi / 2.54 x width in cm).
int ColumnPixels(const TPrintableStringList& List, const TPrintPageLayout& Layout, int Index);

// One cell of a printed row: its text and the rectangle it is drawn in
// (wrapped at blanks, top left), in the body font times FontScale.
struct TPrintCell {
  std::string Text;
  TPrintRect Rect;
  double FontScale = 1;
};

// The widths (device pixels) of the columns of a block of lines, and the
// scale of its type: see FitColumns.
struct TColumnFit {
  std::vector<int> Widths;  // empty: the list's own widths
  double FontScale = 1;
  int Width(const TPrintableStringList& List, const TPrintPageLayout& Layout, int Index) const;
};

// The cells of Line placed from the left margin between Top and Bottom: the
// line split as comma text with the delimiter strict (a line with no cells is
// one blank cell); each cell spans its column width less 2 pixels, a cell
// followed by empty cells stretches over their columns up to the next
// non-empty cell, and the last one reaches the right margin. Empty cells are
// left out (they draw nothing); so are cells that start at or beyond the right
// margin.
std::vector<TPrintCell> PrintRowCells(const TPrintableStringList& List, const TPrintPageLayout& Layout,
                                      const std::string& Line, int Top, int Bottom);
// The same with the columns of a fitted block.
std::vector<TPrintCell> PrintRowCells(const TPrintableStringList& List, const TPrintPageLayout& Layout,
                                      const std::string& Line, int Top, int Bottom, const TColumnFit& Fit);

// Measures rows with the printer's font: the height a row's cells take when
// drawn word wrapped in their rectangles, the largest over the cells (0 for no
// cells).
class TPrintRowMeasure {
 public:
  virtual ~TPrintRowMeasure() = default;
  virtual int RowHeight(const std::vector<TPrintCell>& Cells) = 0;
  // The least width of a cell's rectangle (device pixels) in which none of
  // its tokens breaks: its widest token (a run between blanks; a number with
  // the unit after it counts as one token) in its type, with the cell's
  // padding. 0: the measure knows no fonts, and columns keep their widths.
  virtual int TokenWidth(const TPrintCell& /*Cell*/) { return 0; }
};

// The columns of a block of report lines (lines between blank lines: one
// table of the report) fitted so that no token breaks: a column narrower than
// the widest token of a cell in it is widened, a cell stretched over empty
// cells (and the last cell of a line, which reaches the right margin) gets
// the width it needs over its columns, and the other columns are narrowed
// within the page to make room. When the widest tokens alone are wider than
// the page, the block's type is made smaller (down to 0.6 of the body type)
// until they fit. A block whose tokens do not fit even then (a token wider
// than the printable width) keeps the list's widths and type, and only such
// tokens break. A block that needs nothing keeps the list's widths exactly.
TColumnFit FitColumns(const TPrintableStringList& List, const TPrintPageLayout& Layout, const TStringList& Block,
                      TPrintRowMeasure& Measure);

struct TPrintedRow {
  int LineIndex = 0;  // in the list's printable lines
  int Top = 0;
  int Height = 0;
  std::vector<TPrintCell> Cells;
};

struct TPrintedPage {
  int PageNumber = 0;
  std::string HeaderTexts[3];  // left, centre, right, placeholders replaced
  std::string FooterTexts[3];
  std::vector<TPrintedRow> Rows;
};

// Everything a printer draws for one copy of the document.
struct TPrintPlan {
  TPrintPageLayout Layout;
  std::vector<TPrintedPage> Pages;  // the pages of the printed range, in order
  int PageCount = 0;                // pages the whole list takes
  // "Line too long to fit on single page." when not one character of a row
  // fits a page; Pages then holds nothing: such a document is not printed.
  std::string Error;
  bool IsOK() const { return Error.empty(); }
};

inline constexpr const char* kLineTooLong = "Line too long to fit on single page.";

// Lays the printable lines out on pages FromPage to ToPage (1-based; ToPage
// 0 or less: to the end). "&[Date]" and "&[Time]" are set from Now in the
// user's short formats and "&[Page]" per page; they are replaced in the header
// and footer texts only, never in the lines.
//
// A form feed in a line is removed, and in any line but the first it starts a
// new page before that line. A row that does not fit below the rows already on
// a page starts a new page; a row taller than the body of an empty page is
// printed there anyway (it never leaves a blank page behind). A row taller
// than the page less ten "M" widths (a very long description, or one very
// long word) goes on over as many pages as it needs: each page takes the
// longest beginning of its cells' texts that fits its body, cut after a blank
// where there is one (inside a word where there is none). kLineTooLong is left
// for a row of which not even one character fits a page.
TPrintPlan PlanPrintedPages(const TPrintableStringList& List, const TPrintPageMetrics& Metrics,
                            TPrintRowMeasure& Measure, int FromPage, int ToPage, std::time_t Now);

// A report cell as a reader sees it: the report's file writes units with a
// caret ("Ac_1 (mm^2)", "Concrete Density (kg/m^3)", "mm^4/mm") for the
// programs that read it; the printed list and the window write them as the
// pages do ("mm²", "kg/m³", "mm⁴/mm"). Only a unit standing on its own (after
// the start, a blank or "(") changes; any other text is returned as it is.
std::string UnitsAsWritten(const std::string& Field);

// The time as the user's short time format writes it ("h:mm").
std::string FormatShortTime(std::time_t When);
