#include "core/queue/page_margins.h"

#include <gtest/gtest.h>

namespace korvana {
namespace {

TEST(PageMargins, HalfAnInchEverywhere) {
  // 0.5 inch entered and applied stores 720 twips; switching to centimetres shows 1.270.
  const double typed = ReadMarginField("0.5");
  EXPECT_EQ(TwipsFromMargin(typed, MarginUnit::Inches), 720);
  EXPECT_EQ(MarginText(ConvertMargin(typed, MarginUnit::Inches, MarginUnit::Centimetres)), "1.270");
  EXPECT_EQ(TwipsFromMargin(1.270, MarginUnit::Centimetres), 720);
  EXPECT_EQ(MarginText(MarginFromTwips(720, MarginUnit::Inches)), "0.500");
  EXPECT_EQ(MarginText(MarginFromTwips(720, MarginUnit::Centimetres)), "1.270");
  EXPECT_EQ(MarginText(ConvertMargin(1.27, MarginUnit::Centimetres, MarginUnit::Inches)), "0.500");
}

TEST(PageMargins, FieldsAndUnits) {
  struct Case {
    const char* typed;
    double read;
  };
  const Case cases[] = {{"1.25", 1.25}, {" 2 ", 2.0}, {"1,5", 1.5}, {"", 0.5},      {"abc", 0.5},
                        {"-1", 0.5},    {"1.2.3", 0.5}, {".", 0.5}, {"1e400", 0.5}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(ReadMarginField(c.typed), c.read) << c.typed;

  EXPECT_EQ(MarginUnitOf(2), MarginUnit::Inches);
  EXPECT_EQ(MarginUnitOf(0), MarginUnit::Centimetres);
  EXPECT_EQ(MarginUnitOf(1), MarginUnit::Centimetres);

  // Rounding halves to even, and no margin goes below 0 or beyond a 16-bit twip count.
  EXPECT_EQ(TwipsFromMargin(1.0 / 64, MarginUnit::Inches), 22);  // 22.5
  EXPECT_EQ(TwipsFromMargin(3.0 / 64, MarginUnit::Inches), 68);  // 67.5
  EXPECT_EQ(TwipsFromMargin(1000, MarginUnit::Centimetres), 32767);
  EXPECT_EQ(TwipsFromMargin(0, MarginUnit::Inches), 0);
}

}  // namespace
}  // namespace korvana
