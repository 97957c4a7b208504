#include "core/queue/queue_record.h"

#include <gtest/gtest.h>

#include "core/config/program_settings.h"
#include "core/util/records.h"
#include "queue_test_fixture.h"

namespace korvana {
namespace {

using testing::QueueChart;
using testing::QueueSet;

TEST(QueueRecord, FieldsSitAtTheirOffsets) {
  const TKVReport set = QueueSet("/home/u/korvana/Natal.swp", "Natal Report", true);
  QueueEntry entry = MakeQueueEntry({QueueChart("Ann"), QueueChart("Bob", 15)}, set, 7);
  entry.status = QueueStatus::Cancelled;
  const std::string record = EncodeQueueEntry(entry);
  ASSERT_EQ(record.size(), QueueRecordSize);

  ByteReader r(record);
  r.Seek(WideNameOffset);
  EXPECT_EQ(r.Bytes(4), std::string("Ann\0", 4)) << "first chart's name";
  r.Seek(292 + WideNameOffset);
  EXPECT_EQ(r.Bytes(4), std::string("Bob\0", 4)) << "second chart's name";
  r.Seek(584);
  EXPECT_EQ(r.ShortString(80), "Natal Report");
  r.Seek(665);
  EXPECT_EQ(r.ShortString(255), "/home/u/korvana/Natal.swp");
  r.Seek(921);
  EXPECT_EQ(r.U8(), 3);
  EXPECT_EQ(r.U16(), 0);
  EXPECT_EQ(r.I32(), 7);
  EXPECT_EQ(r.U8(), 1);
  EXPECT_EQ(r.Bytes(3), std::string(3, '\0'));
}

TEST(QueueRecord, RoundTripKeepsChartsAndFields) {
  ProgramSettings settings;
  const StoredChart ann = QueueChart("Ann");
  QueueEntry entry = MakeQueueEntry({ann}, QueueSet("/r/Natal.swp", "Natal Report"), 1);
  EXPECT_FALSE(entry.HasSecondChart());
  const QueueEntry back = DecodeQueueEntry(EncodeQueueEntry(entry));
  EXPECT_EQ(EncodeQueueEntry(back), EncodeQueueEntry(entry));
  EXPECT_EQ(back.caption, "Natal Report");
  EXPECT_FALSE(SecondChartOf(back, settings).has_value());
  const StoredChart first = FirstChartOf(back, settings);
  EXPECT_EQ(first.chart.Name, "Ann");
  EXPECT_EQ(first.chart.Moment, ann.chart.Moment);
  EXPECT_DOUBLE_EQ(first.chart.Latitude, ann.chart.Latitude);
}

TEST(QueueRecord, LimitsOfTheTextFields) {
  // A caption is cut to its field; a path that does not fit is refused, since a shortened
  // path would regenerate some other report.
  const std::string longCaption(100, 'c');
  const QueueEntry cut = MakeQueueEntry({QueueChart("Ann")}, QueueSet("/r/a.swp", longCaption), 1);
  EXPECT_EQ(DecodeQueueEntry(EncodeQueueEntry(cut)).caption, std::string(80, 'c'));
  EXPECT_THROW(MakeQueueEntry({QueueChart("Ann")}, QueueSet("/" + std::string(255, 'p'), "X"), 1), EQueueError);
  EXPECT_THROW(DecodeQueueEntry(std::string(931, '\0')), EQueueError);
}

TEST(QueueRecord, DisplayNamesAndStatusTexts) {
  const QueueEntry single = MakeQueueEntry({QueueChart("Ann Smith ")}, QueueSet("/r/n.swp", "N"), 1);
  EXPECT_EQ(EntryDisplayName(single), "Ann Smith");
  const QueueEntry pair = MakeQueueEntry({QueueChart("Ann"), QueueChart("Bob")}, QueueSet("/r/s.swp", "S", true), 1);
  EXPECT_EQ(EntryDisplayName(pair), "Ann\\Bob");
  // Two charts kept for a set that is not a synastry set show the first name only.
  const QueueEntry notSynastry = MakeQueueEntry({QueueChart("Ann"), QueueChart("Bob")}, QueueSet("/r/c.swp", "C"), 1);
  EXPECT_EQ(EntryDisplayName(notSynastry), "Ann");

  const std::pair<int, const char*> statuses[] = {
      {0, "Queued"}, {1, "Printing..."}, {2, "Printed"}, {3, "Cancelled"}, {9, "Unknown"}};
  for (const auto& [code, text] : statuses) EXPECT_STREQ(StatusText(static_cast<QueueStatus>(code)), text);
}

}  // namespace
}  // namespace korvana
