#include "report/cPrintableStringList.h"

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
