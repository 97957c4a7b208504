#include "core/dynamic/dynamic_entries.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/reports/interps/interps.h"
#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/util/text.h"

namespace korvana {
namespace {

using lang::Phrase;
using lang::PhraseText;

std::string Row(int language, Phrase row) { return std::string(PhraseText(language, row)); }

std::int32_t PointNoAt(const std::vector<TDynamicPointDefn>& points, std::int32_t index) {
  return index >= 0 && static_cast<std::size_t>(index) < points.size() ? points[static_cast<std::size_t>(index)].PointNo : 0;
}

void AppendEntry(const TDynamicReport& report, std::size_t first, std::size_t last, double startUT, double endUT,
                 TDynamicTextEntries& entries) {
  const DynamicEvent& head = report.Events[static_cast<std::size_t>(report.Order[first])];
  const double s = head.time;
  const double e = report.Events[static_cast<std::size_t>(report.Order[last])].time;
  if (!(e >= startUT && s <= endUT)) return;
  TDynamicTextEntry entry;
  entry.Category = static_cast<std::uint8_t>(EventCategory(head.type));
  entry.StartTime = s;
  entry.EndTime = e;
  for (std::size_t p = first; p <= last; ++p) {
    const DynamicEvent& ev = report.Events[static_cast<std::size_t>(report.Order[p])];
    if (IsExactEvent(ev.type)) entry.ExactTimes.push_back(ev.time);
  }
  entry.FirstPoint = PointNoAt(report.DynamicPoints, head.dynamicIndex);
  entry.AspectNo = head.aspect;
  if (entry.Category == 0) entry.Second = PointNoAt(report.RadixPoints, head.radixIndex);
  if (entry.Category == 1 || entry.Category == 2) entry.Second = head.place;
  entries.Items.push_back(std::move(entry));
}

// Whether the configuration that holds `prev` ends before `cur`.
bool EndsBetween(const DynamicEvent& prev, const DynamicEvent& cur) {
  if (!SameConfiguration(prev, cur)) return true;
  switch (EventCategory(cur.type)) {
    case 0: return prev.type == EventLeavesOrb || prev.type == EventInOrbAtEnd;
    case 1: return cur.place != prev.place || prev.type == EventLeavesHouse;
    case 2: return cur.place != prev.place || prev.type == EventLeavesSign;
    default: return false;
  }
}

std::string JoinedNames(const std::vector<int>& ids, int language, int last, std::string_view (*name)(int, int)) {
  std::string text;
  for (int id = 1; id <= last; ++id) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) continue;
    text += text.empty() ? " " : ", ";
    text += name(language, id);
  }
  return text;
}

std::string Heading(std::string_view text) { return "|<BOLDON>" + std::string(text) + ":<BOLDOFF>"; }

std::string AngleText(double degrees) { return FormatAngle(1, true, false, false, degrees); }

// The date's own day number is printed, also one past the end of its month.
std::string DateText(const DateTimeRec& d, int language, bool monthFirst) {
  std::array<std::string, 12> months;
  for (int m = 1; m <= 12; ++m) months[static_cast<std::size_t>(m - 1)] = lang::MonthName(language, m);
  return FormatDate(monthFirst, d.Day, d.Month, d.Year, &months, language == lang::LanguageNorwegian);
}

}  // namespace

int EventCategory(int type) {
  if (type == 5 || type == 7 || type == 9 || type == 11) return 1;
  if (type == 6 || type == 8 || type == 10 || type == 12) return 2;
  if (type == 13 || type == 14) return 3;
  if (type == 15) return 4;
  if (type == 16 || type == 17) return 5;
  return 0;
}

bool IsExactEvent(int type) { return type == 0 || (type >= 5 && type <= 12); }

bool SameConfiguration(const DynamicEvent& a, const DynamicEvent& b) {
  return EventCategory(a.type) == EventCategory(b.type) && a.dynamicIndex == b.dynamicIndex &&
         a.aspect == b.aspect && a.radixIndex == b.radixIndex;
}

void GroupEvents(const TDynamicReport& report, double startUT, double endUT, TDynamicTextEntries& entries) {
  entries = {};
  const std::size_t n = std::min(report.Order.size(), report.Events.size());
  std::size_t first = 0;
  for (std::size_t p = 1; p <= n; ++p) {
    const bool ends = p == n || EndsBetween(report.Events[static_cast<std::size_t>(report.Order[p - 1])],
                                            report.Events[static_cast<std::size_t>(report.Order[p])]);
    if (!ends) continue;
    AppendEntry(report, first, p - 1, startUT, endUT, entries);
    first = p;
  }
  entries.Count = static_cast<std::int32_t>(entries.Items.size());
  entries.Order.resize(entries.Items.size());
  for (std::size_t i = 0; i < entries.Order.size(); ++i) entries.Order[i] = static_cast<std::int32_t>(i);
}

std::string DynamicDateText(double jd, int language, bool monthFirst) {
  return DateText(JDToDateRec(calAuto, jd), language, monthFirst);
}

std::string EntryTimeText(const TDynamicTextEntry& entry, const EntryTextContext& c) {
  const int lg = c.language;
  // The times are UT; a reader of a report in another zone looks for its own dates.
  auto date = [&](double jd) { return DynamicDateText(jd - c.zoneHours / 24.0, lg, c.monthFirst); };
  std::string text;
  if (entry.ExactTimes.empty()) {
    text = date((entry.StartTime + entry.EndTime) / 2);
  } else if (entry.Category == 0) {
    for (std::size_t i = 0; i < entry.ExactTimes.size(); ++i)
      text += (i ? " " + Row(lg, Phrase::And) + " " : "") + date(entry.ExactTimes[i]);
  } else {
    for (std::size_t i = 0; i < entry.ExactTimes.size(); ++i) {
      const double t = entry.ExactTimes[i];
      Phrase word;
      if (i % 2 == 0) word = t - c.extStartUT < 0.001 ? Phrase::EnteredBefore : Phrase::Enters;
      else word = t - c.extEndUT <= -0.001 ? Phrase::Leaves : Phrase::LeavesAfter;
      text += (i ? ", " : "") + Row(lg, word) + " " + date(t);
    }
  }
  text = "<BOLDON>" + text + "<BOLDOFF>";
  if (entry.Category == 0)
    text += "    (" + date(entry.StartTime) + " " + Row(lg, Phrase::Till) + " " + date(entry.EndTime) + ")";
  return text;
}

void ComposeEntryTexts(TDynamicTextEntries& entries, const std::string& dynamicFile, const EntryTextContext& c) {
  TEMInterps reader;
  try {
    reader.Open(dynamicFile);
  } catch (const EInterpFileError&) {
    // An unusable file reads as a missing one: every entry says so.
  }
  const int lg = c.language;
  for (TDynamicTextEntry& e : entries.Items) {
    const std::string p1 = c.firstName + " " + std::string(lang::PointName(lg, e.FirstPoint));
    std::string paragraph;
    switch (e.Category) {
      case 0:
        e.Show = reader.GetText(18, e.FirstPoint, e.AspectNo, e.Second, paragraph);
        e.Keyword = p1 + " " + std::string(lang::AspectName(lg, e.AspectNo)) + " " + c.secondName + " " +
                    std::string(lang::PointName(lg, e.Second));
        break;
      case 1:
        e.Show = reader.GetText(15, e.FirstPoint, e.Second, 0, paragraph);
        e.Keyword = p1 + " " + Row(lg, Phrase::InThe) + " " + std::string(lang::HouseLabel(lg, e.Second)) + " " +
                    Row(lg, Phrase::House);
        break;
      case 2:
        e.Show = reader.GetText(16, e.FirstPoint, e.Second, 0, paragraph);
        e.Keyword = p1 + " in " + std::string(lang::SignName(lg, e.Second));
        break;
      default:
        e.Show = false;
        break;
    }
    e.Text = paragraph;
    if (!e.Show && !reader.IsLoaded()) {
      e.Text = "Interpretations file invalid or missing: " + dynamicFile;
      e.Show = true;
    }
    e.TimeText = EntryTimeText(e, c);
  }
}

TDynamicTextEntries ErrorEntries(int code) {
  TDynamicTextEntries entries;
  TDynamicTextEntry e;
  e.Keyword = "ERROR";
  e.Text = "An error occurred during dynamic report generation. Error code: " + std::to_string(code);
  e.Show = true;
  entries.Items.push_back(e);
  entries.Count = 1;
  entries.Order = {0};
  return entries;
}

std::string DynamicSummary(const SummaryContext& c) {
  const int lg = c.language;
  const std::string points = Row(lg, Phrase::Points);
  std::string text = Heading(c.firstName + " " + points) + JoinedNames(c.dynamicPoints, lg, 36, lang::PointName);
  text += Heading(c.secondName + " " + points) + JoinedNames(c.radixPoints, lg, 36, lang::PointName);
  text += Heading(Row(lg, Phrase::DynamicAspects));
  bool firstAspect = true;
  for (int a = 1; a <= 26; ++a) {
    const auto it = std::find_if(c.aspects.begin(), c.aspects.end(), [a](const auto& x) { return x.first == a; });
    if (it == c.aspects.end()) continue;
    text += firstAspect ? " " : ", ";
    firstAspect = false;
    text += std::string(lang::AspectName(lg, a)) + " (" + AngleText(it->second) + ")";
  }
  text += Heading(Row(lg, Phrase::AspectOrbs)) + " " + Row(lg, Phrase::Entering) + " " + AngleText(c.enterOrb) + ", " +
          Row(lg, Phrase::Leaving) + " " + AngleText(c.leaveOrb);
  const std::string zone = c.zoneAbbr + " " + FormatZoneHours(c.zoneHours);
  text += Heading(Row(lg, Phrase::ReferenceTimezone)) + " " + std::string(Trim(zone));
  return lang::ApplyContractions(text, lg);
}

std::string PeriodLine(const DateTimeRec& start, const DateTimeRec& end, int language, bool monthFirst) {
  return Row(language, Phrase::FromCapitalised) + " " + DateText(start, language, monthFirst) + " " +
         Row(language, Phrase::Until) + " " + DateText(end, language, monthFirst);
}

std::string PeriodLine(const TDynRepUserData& settings, const DateTimeRec& today, int language, bool monthFirst) {
  const DateTimeRec start = PeriodStart(settings, today);
  return PeriodLine(start, PeriodEnd(settings, start), language, monthFirst);
}

}  // namespace korvana
