#include "report/cPrintableStringList.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "entity/VEXUtility.h"

double TPrintableStringList::ColWidths(int Index) const {
  if (Index >= 0 && Index < col_count_) return widths_[Index];
  if (col_count_ > 0) return widths_[col_count_ - 1];  // later columns repeat the last width
  return 0;
}

void TPrintableStringList::SetColWidths(int Index, double Width) {
  if (Index < 0) return;
  if (Index >= col_count_) col_count_ = Index + 1;
  if (static_cast<int>(widths_.size()) <= Index) widths_.resize(Index + 5, 0.0);
  widths_[Index] = Width;
}

void TPrintableStringList::SetParameter(const std::string& Name, const std::string& Value) {
  for (auto& p : parameters_)
    if (SameText(p.first, Name)) {
      p.second = Value;
      return;
    }
  parameters_.emplace_back(Name, Value);
}

std::string TPrintableStringList::ApplyParameters(const std::string& Text) const {
  std::string out = Text;
  for (const auto& p : parameters_) out = ReplaceAllText(out, p.first, p.second);
  return out;
}

const std::string& TPrintableStringList::HeaderFooter(int Vertical, int Horizontal) const {
  static const std::string empty;
  if (Vertical < 0 || Vertical > 8 || Horizontal < 0 || Horizontal > 2) return empty;
  return header_footer_[Vertical][Horizontal];
}

void TPrintableStringList::SetHeaderFooter(int Vertical, int Horizontal, const std::string& Text) {
  if (Vertical < 0 || Vertical > 8 || Horizontal < 0 || Horizontal > 2) return;
  header_footer_[Vertical][Horizontal] = Text;
}

bool TPrintableStringList::HasHeader() const {
  for (int h = 0; h < 3; ++h)
    if (!header_footer_[kTop][h].empty()) return true;
  return false;
}

bool TPrintableStringList::HasFooter() const {
  for (int h = 0; h < 3; ++h)
    if (!header_footer_[kBottom][h].empty()) return true;
  return false;
}

TStringList TPrintableStringList::PrintableLines() const {
  size_t end = Lines.size();
  while (end > 0 && Trim(Lines[end - 1]).empty()) --end;
  return TStringList(Lines.begin(), Lines.begin() + static_cast<long>(end));
}

// ---------------------------------------------------------------------------
// Report page layout.

void SetReportPageLayout(TPrintableStringList& List, const std::string& ProjectFileName,
                         const std::string& ProjectName) {
  const double widths[] = {2.6, 1.6, 1.7, 1.6};
  for (int c = 0; c < 4; ++c) List.SetColWidths(c, widths[c]);
  List.MaxColCount = 11;
  List.SetParameter("&[File]", ProjectFileName);
  List.SetParameter("&[Project]", ProjectName);
  // Every page says what it belongs to.
  for (int h = 0; h < 3; ++h) List.SetHeaderFooter(TPrintableStringList::kTop, h, "");
  List.SetHeaderFooter(TPrintableStringList::kTop, TPrintableStringList::kLeft, "&[Project]");
  List.SetHeaderFooter(TPrintableStringList::kTop, TPrintableStringList::kRight, "&[File]");
  List.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kLeft,
                       GetAppName() + "/" + GetAppVersionShort());
  List.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kCentre, "&[Page]");
  List.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kRight, "&[Date]");
}

// ---------------------------------------------------------------------------
// Printing: pages, rows and cells.

TPrintPageLayout PrintPageLayout(const TPrintableStringList& List, const TPrintPageMetrics& Metrics) {
  TPrintPageLayout l;
  const int w = Metrics.CharWidth, h = Metrics.CharHeight;
  l.PageWidth = Metrics.PageWidth;
  l.PageHeight = Metrics.PageHeight;
  l.PixelsPerInch = Metrics.PixelsPerInch;
  l.Margin = 5 * w;
  l.HasHeader = List.HasHeader();
  l.HasFooter = List.HasFooter();
  l.BodyTop = l.Margin;
  if (l.HasHeader) {
    l.HeaderRect = {l.Margin, l.Margin, Metrics.PageWidth - l.Margin, l.Margin + 2 * h};
    l.BodyTop = l.HeaderRect.Bottom;
  }
  l.BodyBottom = Metrics.PageHeight - l.Margin;
  if (l.HasFooter) {
    l.BodyBottom -= 2 * h;
    l.FooterRect = {l.Margin, l.BodyBottom, Metrics.PageWidth - l.Margin, Metrics.PageHeight - l.Margin};
  }
  // Columns 0 to MaxColCount - 1 fill the width between the margins exactly.
  double total = 0;
  for (int c = 0; c < List.MaxColCount; ++c) total += List.ColWidths(c);
  if (total > 0 && Metrics.PixelsPerInch > 0)
    l.ColumnScale = (Metrics.PageWidth - 10.0 * w) / total / Metrics.PixelsPerInch * 2.54;
  return l;
}

int ColumnPixels(const TPrintableStringList& List, const TPrintPageLayout& Layout, int Index) {
  return static_cast<int>(std::lround(Layout.ColumnScale * Layout.PixelsPerInch / 2.54 * List.ColWidths(Index)));
}

int TColumnFit::Width(const TPrintableStringList& List, const TPrintPageLayout& Layout, int Index) const {
  if (Index >= 0 && Index < static_cast<int>(Widths.size())) return Widths[Index];
  return ColumnPixels(List, Layout, Index);
}

std::vector<TPrintCell> PrintRowCells(const TPrintableStringList& List, const TPrintPageLayout& Layout,
                                      const std::string& Line, int Top, int Bottom) {
  return PrintRowCells(List, Layout, Line, Top, Bottom, TColumnFit());
}

std::vector<TPrintCell> PrintRowCells(const TPrintableStringList& List, const TPrintPageLayout& Layout,
                                      const std::string& Line, int Top, int Bottom, const TColumnFit& Fit) {
  std::vector<std::string> fields = SplitCommaText(Line, true);
  if (fields.empty()) fields.push_back(" ");
  const int n = static_cast<int>(fields.size());
  const int right_margin = Layout.PageWidth - Layout.Margin;
  std::vector<TPrintCell> cells;
  int left = Layout.Margin;
  for (int i = 0; i < n; ++i) {
    const int width = Fit.Width(List, Layout, i);
    if (!fields[i].empty() && left < right_margin) {
      // A cell stretches over the empty cells after it; the last one, and one
      // followed by empty cells only, reaches the right margin.
      int j = i + 1, span = width;
      while (j < n && fields[j].empty()) span += Fit.Width(List, Layout, j++);
      const int right = j >= n ? right_margin : left + span - 2;
      cells.push_back({UnitsAsWritten(fields[i]), {left, Top, right, Bottom}, Fit.FontScale});
    }
    left += width;
  }
  return cells;
}

namespace {

// What a block asks of its columns: the cells from column Start up to (not
// including) End need Need pixels between them.
struct TSpanNeed {
  int Start, End, Need;
};

// The widths a block's cells need at a type scale, and how many columns it has.
std::vector<TSpanNeed> BlockNeeds(const TStringList& Block, TPrintRowMeasure& Measure, double Scale, int& Columns) {
  std::vector<TSpanNeed> needs;
  Columns = 0;
  for (const std::string& line : Block) {
    const std::vector<std::string> fields = SplitCommaText(line, true);
    const int n = static_cast<int>(fields.size());
    Columns = std::max(Columns, n);
    for (int i = 0; i < n; ++i) {
      if (fields[i].empty()) continue;
      int j = i + 1;
      while (j < n && fields[j].empty()) ++j;
      TPrintCell cell;
      cell.Text = UnitsAsWritten(fields[i]);
      cell.FontScale = Scale;
      // A cell's rectangle is its columns less 2 pixels (a last cell reaches the margin).
      const int need = Measure.TokenWidth(cell);
      if (need > 0) needs.push_back({i, j >= n ? -1 : j, need + 2});
    }
  }
  for (TSpanNeed& s : needs)
    if (s.End < 0) s.End = Columns;
  return needs;
}

int Sum(const std::vector<int>& w, int From, int To) {
  int total = 0;
  for (int c = From; c < To && c < static_cast<int>(w.size()); ++c) total += w[c];
  return total;
}

// Widens the columns to what the spans need (single columns first, then the
// last column of a span takes what its span lacks); returns the least width
// each column must keep.
std::vector<int> Widen(std::vector<int>& w, const std::vector<TSpanNeed>& needs) {
  std::vector<int> least(w.size(), 1);
  for (const TSpanNeed& s : needs)
    if (s.End - s.Start == 1) {
      w[s.Start] = std::max(w[s.Start], s.Need);
      least[s.Start] = std::max(least[s.Start], s.Need);
    }
  for (const TSpanNeed& s : needs) {
    const int lack = s.Need - Sum(w, s.Start, s.End);
    if (s.End - s.Start > 1 && lack > 0) w[s.End - 1] += lack;
  }
  return least;
}

bool AllMet(const std::vector<int>& w, const std::vector<TSpanNeed>& needs) {
  for (const TSpanNeed& s : needs)
    if (Sum(w, s.Start, s.End) < s.Need) return false;
  return true;
}

}  // namespace

TColumnFit FitColumns(const TPrintableStringList& List, const TPrintPageLayout& Layout, const TStringList& Block,
                      TPrintRowMeasure& Measure) {
  TColumnFit fit;
  const int avail = Layout.PageWidth - 2 * Layout.Margin;
  int columns = 0;
  std::vector<TSpanNeed> needs = BlockNeeds(Block, Measure, 1, columns);
  std::vector<int> base(static_cast<size_t>(columns));
  for (int c = 0; c < columns; ++c) base[c] = ColumnPixels(List, Layout, c);
  // The last cell of a line reaches the right margin: its span is to the
  // margin, whatever the columns after it.
  auto met_at_base = [&] {
    for (const TSpanNeed& s : needs) {
      const int room = s.End >= columns ? avail - Sum(base, 0, s.Start) : Sum(base, s.Start, s.End);
      if (room < s.Need) return false;
    }
    return true;
  };
  if (needs.empty() || met_at_base()) return fit;  // nothing breaks: the list's own widths

  for (double scale = 1; scale >= 0.6 - 1e-9; scale -= 0.05) {
    if (scale < 1) needs = BlockNeeds(Block, Measure, scale, columns);
    std::vector<int> w = base;
    const std::vector<int> least = Widen(w, needs);
    // Narrow the other columns within the page, in proportion to what they can spare.
    int excess = Sum(w, 0, columns) - avail;
    for (int round = 0; round < 4 && excess > 0; ++round) {
      int spare = 0;
      for (int c = 0; c < columns; ++c) spare += std::max(0, w[c] - least[c]);
      if (spare <= 0) break;
      const double share = std::min(1.0, static_cast<double>(excess) / spare);
      for (int c = 0; c < columns; ++c) w[c] -= static_cast<int>(std::ceil(std::max(0, w[c] - least[c]) * share));
      Widen(w, needs);  // spans keep what they need
      excess = Sum(w, 0, columns) - avail;
    }
    if (excess <= 0 && AllMet(w, needs)) {
      fit.Widths = w;
      fit.FontScale = scale;
      return fit;
    }
  }
  // Not even the smallest type lets every token fit (a token wider than the
  // page): the list's own widths and type, and that token breaks.
  return fit;
}

std::string UnitsAsWritten(const std::string& Field) {
  static const char* const kSuperscripts[] = {"\u00B2", "\u00B3", "\u2074"};  // ², ³, ⁴
  static const char* const kUnits[] = {"mm", "m", "kg/m"};
  std::string out;
  size_t copied = 0;
  for (size_t at = Field.find('^'); at != std::string::npos; at = Field.find('^', at + 1)) {
    const char power = at + 1 < Field.size() ? Field[at + 1] : '\0';
    if (power < '2' || power > '4') continue;
    const char after = at + 2 < Field.size() ? Field[at + 2] : '\0';
    if (after != '\0' && after != ')' && after != '/' && after != ' ') continue;
    size_t start = at;
    while (start > 0 && Field[start - 1] != ' ' && Field[start - 1] != '(') --start;
    const std::string unit = Field.substr(start, at - start);
    if (std::find(std::begin(kUnits), std::end(kUnits), unit) == std::end(kUnits)) continue;
    out.append(Field, copied, at - copied).append(kSuperscripts[power - '2']);
    copied = at + 2;
  }
  if (copied == 0) return Field;
  return out.append(Field, copied, std::string::npos);
}

std::string FormatShortTime(std::time_t When) {
  std::tm tm{};
  localtime_r(&When, &tm);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d:%02d", tm.tm_hour, tm.tm_min);
  return buf;
}

namespace {

std::string WithoutFormFeeds(const std::string& Line, bool& HadFormFeed) {
  std::string out;
  out.reserve(Line.size());
  HadFormFeed = false;
  for (char c : Line) {
    if (c == '\f') HadFormFeed = true;
    else out += c;
  }
  return out;
}

// The first Count bytes of Text, cut back to the start of a UTF-8 character.
size_t CharacterBoundary(const std::string& Text, size_t Count) {
  if (Count >= Text.size()) return Text.size();
  while (Count > 0 && (static_cast<unsigned char>(Text[Count]) & 0xC0) == 0x80) --Count;
  return Count;
}

// The cells with the first Count bytes of each text (a whole text when it is
// shorter); a text cut inside is cut after its last blank when it has one
// there, so that words go on the next page whole.
std::vector<TPrintCell> Beginnings(const std::vector<TPrintCell>& Cells, size_t Count,
                                   std::vector<TPrintCell>* Rest) {
  std::vector<TPrintCell> first;
  if (Rest) Rest->clear();
  for (const TPrintCell& c : Cells) {
    size_t cut = CharacterBoundary(c.Text, Count);
    if (cut < c.Text.size()) {
      const size_t blank = c.Text.find_last_of(' ', cut);
      if (blank != std::string::npos && blank > 0) cut = blank + 1;
    }
    if (cut > 0) first.push_back({c.Text.substr(0, cut), c.Rect, c.FontScale});
    if (Rest && cut < c.Text.size()) Rest->push_back({c.Text.substr(cut), c.Rect, c.FontScale});
  }
  return first;
}

// Splits a row too tall for one page: the longest beginning of its cells'
// texts that is at most Height high stays (in Cells), the rest goes to Rest.
// Returns the height of what stays; 0 when not even one character fits.
int FirstPieceThatFits(TPrintRowMeasure& Measure, int Height, std::vector<TPrintCell>& Cells,
                       std::vector<TPrintCell>& Rest) {
  size_t longest = 0;
  for (const TPrintCell& c : Cells) longest = std::max(longest, c.Text.size());
  // The most bytes taken from every cell that still fits, by halving.
  size_t low = 0, high = longest;
  while (low < high) {
    const size_t mid = low + (high - low + 1) / 2;
    if (Measure.RowHeight(Beginnings(Cells, mid, nullptr)) <= Height) low = mid;
    else high = mid - 1;
  }
  if (low == 0) return 0;
  std::vector<TPrintCell> first = Beginnings(Cells, low, &Rest);
  if (first.empty()) return 0;
  const int height = Measure.RowHeight(first);
  Cells = std::move(first);
  return height;
}

void SetHeaderAndFooter(const TPrintableStringList& List, TPrintedPage& Page) {
  for (int h = 0; h < 3; ++h) {
    Page.HeaderTexts[h] = List.ApplyParameters(List.HeaderFooter(TPrintableStringList::kTop, h));
    Page.FooterTexts[h] = List.ApplyParameters(List.HeaderFooter(TPrintableStringList::kBottom, h));
  }
}

}  // namespace

TPrintPlan PlanPrintedPages(const TPrintableStringList& Source, const TPrintPageMetrics& Metrics,
                            TPrintRowMeasure& Measure, int FromPage, int ToPage, std::time_t Now) {
  TPrintableStringList list = Source;  // the placeholders change per page
  list.SetParameter("&[Date]", FormatShortDate(Now));
  list.SetParameter("&[Time]", FormatShortTime(Now));
  TPrintPlan plan;
  plan.Layout = PrintPageLayout(list, Metrics);
  const TPrintPageLayout& layout = plan.Layout;
  const auto in_range = [&](int page) { return page >= FromPage && (ToPage <= 0 || page <= ToPage); };
  const auto start_page = [&](int page) {
    list.SetParameter("&[Page]", std::to_string(page));
    if (!in_range(page)) return;
    plan.Pages.emplace_back();
    plan.Pages.back().PageNumber = page;
    SetHeaderAndFooter(list, plan.Pages.back());
  };

  const auto add_row = [&](int Line, int Top, int Height, std::vector<TPrintCell> Cells, bool IsPrinted) {
    if (!IsPrinted) return;
    TPrintedRow row;
    row.LineIndex = Line;
    row.Top = Top;
    row.Height = Height;
    row.Cells = std::move(Cells);
    plan.Pages.back().Rows.push_back(std::move(row));
  };

  const TStringList lines = list.PrintableLines();
  // Each block of lines (a table of the report, between blank lines and page
  // breaks) gets its columns fitted to its tokens.
  std::vector<TColumnFit> fits(lines.size());
  for (size_t first = 0; first < lines.size();) {
    size_t last = first;
    TStringList block;
    while (last < lines.size() && !Trim(lines[last]).empty() &&
           (last == first || lines[last].find('\f') == std::string::npos)) {
      bool unused;
      block.push_back(WithoutFormFeeds(lines[last], unused));
      ++last;
    }
    if (last == first) {
      ++first;
      continue;
    }
    const TColumnFit fit = FitColumns(list, layout, block, Measure);
    for (size_t i = first; i < last; ++i) fits[i] = fit;
    first = last;
  }
  int page = 1;
  start_page(page);
  int y = layout.BodyTop;
  bool is_page_empty = true;
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    bool had_form_feed = false;
    const std::string line = WithoutFormFeeds(lines[i], had_form_feed);
    const bool forced = had_form_feed && i > 0;
    const TColumnFit& fit = fits[static_cast<size_t>(i)];
    const int height = Measure.RowHeight(PrintRowCells(list, layout, line, y, layout.BodyBottom, fit));
    if (forced || (y + height >= layout.BodyBottom && !is_page_empty)) {
      start_page(++page);
      y = layout.BodyTop;
      is_page_empty = true;
    }
    std::vector<TPrintCell> cells = PrintRowCells(list, layout, line, y, layout.BodyBottom, fit);
    int row_height = height;
    // A row taller than a page (a long description, one very long word) goes
    // on over the pages after it, each piece filling the body of its page.
    while (row_height > Metrics.PageHeight - 10 * Metrics.CharWidth) {
      std::vector<TPrintCell> rest;
      const int piece_height = FirstPieceThatFits(Measure, layout.BodyBottom - y, cells, rest);
      if (piece_height <= 0) {
        plan.Pages.clear();
        plan.Error = kLineTooLong;
        plan.PageCount = page;
        return plan;
      }
      add_row(i, y, piece_height, std::move(cells), in_range(page));
      start_page(++page);
      y = layout.BodyTop;
      is_page_empty = true;
      for (TPrintCell& c : rest) {
        c.Rect.Top = y;
        c.Rect.Bottom = layout.BodyBottom;
      }
      cells = std::move(rest);
      row_height = Measure.RowHeight(cells);
    }
    if (cells.empty()) continue;  // the pieces before took it all
    add_row(i, y, row_height, std::move(cells), in_range(page));
    y += row_height;
    is_page_empty = false;
  }
  plan.PageCount = page;
  return plan;
}
