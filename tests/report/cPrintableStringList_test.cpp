#include "report/cPrintableStringList.h"

#include <gtest/gtest.h>

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
