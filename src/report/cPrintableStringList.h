// TPrintableStringList: the list of report lines an analysis run fills and the
// window shows, exports and prints as a paginated table. Each line is a row of
// comma-separated cells placed in columns of given widths (cm); header and
// footer texts (left, centre, right) may hold placeholders such as "&[Page]"
// and "&[Date]" that are replaced when printed. Printing itself belongs to the
// desktop program; this class keeps the lines and the page layout settings.
#pragma once

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
