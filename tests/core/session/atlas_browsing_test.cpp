#include "core/session/atlas_browsing.h"

#include <gtest/gtest.h>

#include "support/date_time_fixture.h"

namespace korvana {
namespace {

TEST(BrowseCountryName, AustralianStatesBrowseAustralia) {
  const std::pair<const char*, const char*> cases[] = {
      {"NSW", "Australia"}, {"vic", "Australia"}, {" WA ", "Australia"}, {"Tas", "Australia"},
      {"Germany", "Germany"}, {"  France ", "France"}, {"NSWX", "NSWX"}, {"", ""}};
  for (const auto& [typed, shown] : cases) EXPECT_EQ(BrowseCountryName(typed), shown) << typed;
}

TEST(AtlasPlaceRow, NamesTheStateWhenKnown) {
  AtlasPlace p;
  p.name = "Portland";
  EXPECT_EQ(AtlasPlaceRow(p), "Portland");
  p.state = "Oregon";
  EXPECT_EQ(AtlasPlaceRow(p), "Portland, Oregon");
}

// A change forward, a change back and the adoption of standard time.
TEST(ZoneChangeRows, ShowWhenTheClocksChangedAndTheZoneAfter) {
  ZoneChange adoption{testing::Rec(1895, 2, 1, 0, 0), testing::Rec(1895, 2, 1, 0, 14, 20),
                      {ZoneKind::Standard, -9.5, -8550, "ACST"}};
  ZoneChange forward{testing::Rec(1971, 10, 31, 2, 0), testing::Rec(1971, 10, 31, 3, 0),
                     {ZoneKind::Daylight, -10.5, -8550, "ACDT"}};
  ZoneChange back{testing::Rec(1972, 2, 27, 3, 0), testing::Rec(1972, 2, 27, 2, 0),
                  {ZoneKind::Standard, -9.5, -8550, "ACST"}};
  EXPECT_EQ(ZoneChangeRows({adoption, forward, back}, false, false),
            (std::vector<std::string>{"1 Feb 1895 0:00\t0:14:20\tACST -9:30\tStandard",
                                      "31 Oct 1971 2:00\t3:00\tACDT -10:30\tDaylight",
                                      "27 Feb 1972 3:00\t2:00\tACST -9:30\tStandard"}));
  EXPECT_EQ(ZoneChangeRows({forward}, true, true), (std::vector<std::string>{"Oct 31 1971 2:00 am\t3:00 am\tACDT -10:30\tDaylight"}));
  ZoneChange unnamed = forward;
  unnamed.zone.abbreviation = "";
  unnamed.zone.kind = ZoneKind::HalfHourDaylight;
  EXPECT_EQ(ZoneChangeRows({unnamed}, false, false)[0], "31 Oct 1971 2:00\t3:00\t-10:30\tHalf-hour Daylight");
}

}  // namespace
}  // namespace korvana
