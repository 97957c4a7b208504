#include "core/dynamic/event_file.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <system_error>

#include "core/util/files.h"
#include "core/util/records.h"

namespace korvana {
namespace {

void WritePoints(ByteWriter& w, const std::vector<TDynamicPointDefn>& points) {
  w.I32(static_cast<std::int32_t>(points.size()));
  for (const TDynamicPointDefn& p : points) {
    w.U8(p.Kind);
    w.I32(p.PointNo);
    w.I32(p.Extra);
  }
}

std::int32_t ReadCount(ByteReader& r, std::size_t recordSize, const std::string& path) {
  const std::int32_t n = r.I32();
  if (n < 0 || static_cast<std::size_t>(n) > r.Remaining() / recordSize)
    throw EEventFileError("The event file " + path + " is damaged: a count does not fit the file.");
  return n;
}

std::vector<TDynamicPointDefn> ReadPoints(ByteReader& r, const std::string& path) {
  std::vector<TDynamicPointDefn> points(static_cast<std::size_t>(ReadCount(r, DynamicPointSize, path)));
  for (TDynamicPointDefn& p : points) {
    p.Kind = r.U8();
    p.PointNo = r.I32();
    p.Extra = r.I32();
  }
  return points;
}

std::vector<TDynamicPointDefn> PointList(const std::vector<int>& ids) {
  std::vector<TDynamicPointDefn> points;
  for (int id : ids) points.push_back({0, id, 0});
  return points;
}

bool Inside(std::int32_t index, std::size_t size) { return index >= 0 && static_cast<std::size_t>(index) < size; }

}  // namespace

std::string SerializeEventFile(const TDynamicReport& report) {
  ByteWriter w;
  w.I32(static_cast<std::int32_t>(report.Events.size()));
  for (const DynamicEvent& e : report.Events) {
    w.U8(e.type);
    w.I32(e.dynamicIndex);
    w.I32(e.aspect);
    w.I32(e.radixIndex);
    w.F64(e.time);
    for (double x : e.extra) w.F64(x);
    w.I32(e.place);
    w.I32(e.reserved);
    w.U8(e.flag);
  }
  for (std::int32_t i : report.Order) w.I32(i);
  WritePoints(w, report.DynamicPoints);
  WritePoints(w, report.RadixPoints);
  return w.Take();
}

TDynamicReport ParseEventFile(std::string_view bytes, const std::string& path) {
  ByteReader r(bytes);
  TDynamicReport report;
  try {
    report.EventCount = ReadCount(r, DynamicEventSize + 4, path);
    report.Events.resize(static_cast<std::size_t>(report.EventCount));
    for (DynamicEvent& e : report.Events) {
      e.type = r.U8();
      e.dynamicIndex = r.I32();
      e.aspect = r.I32();
      e.radixIndex = r.I32();
      e.time = r.F64();
      for (double& x : e.extra) x = r.F64();
      e.place = r.I32();
      e.reserved = r.I32();
      e.flag = r.U8();
    }
    report.Order.resize(report.Events.size());
    for (std::int32_t& i : report.Order) i = r.I32();
    report.DynamicPoints = ReadPoints(r, path);
    report.RadixPoints = ReadPoints(r, path);
  } catch (const ERecordError&) {
    throw EEventFileError("The event file " + path + " is cut short.");
  }
  for (std::int32_t i : report.Order)
    if (!Inside(i, report.Events.size()))
      throw EEventFileError("The event file " + path + " is damaged: its order list names a missing event.");
  for (const DynamicEvent& e : report.Events) {
    const bool aspect = e.type <= 4 || e.type >= 18;
    if (!Inside(e.dynamicIndex, report.DynamicPoints.size()) ||
        (aspect && !Inside(e.radixIndex, report.RadixPoints.size())))
      throw EEventFileError("The event file " + path + " is damaged: an event names a missing point.");
  }
  return report;
}

TDynamicReport ReadEventFile(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) throw EEventFileError("The event file " + path + " cannot be read.");
  return ParseEventFile(*bytes, path);
}

bool RemoveEarlierFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(std::filesystem::symlink_status(path, ec))) return true;
  return std::filesystem::remove(path, ec);
}

bool WriteEventFile(const std::string& path, const TDynamicReport& report) {
  return WriteFileAtomic(path, SerializeEventFile(report));
}

TDynamicReport MakeDynamicReport(const SearchRequest& request, const std::vector<Configuration>& configurations) {
  std::vector<std::size_t> stored(configurations.size());
  std::iota(stored.begin(), stored.end(), std::size_t{0});
  std::stable_sort(stored.begin(), stored.end(), [&](std::size_t a, std::size_t b) {
    return configurations[a].movingIndex < configurations[b].movingIndex;
  });
  TDynamicReport report;
  std::vector<std::int32_t> firstEvent(configurations.size());
  for (std::size_t c : stored) {
    firstEvent[c] = static_cast<std::int32_t>(report.Events.size());
    const Configuration& conf = configurations[c];
    for (const ConfigurationEvent& e : conf.events) {
      DynamicEvent ev;
      ev.type = e.type;
      ev.dynamicIndex = conf.movingIndex;
      ev.aspect = conf.aspect;
      ev.radixIndex = conf.radixIndex;
      ev.time = e.time;
      ev.place = conf.place;
      report.Events.push_back(ev);
    }
  }
  for (std::size_t c = 0; c < configurations.size(); ++c)
    for (std::size_t k = 0; k < configurations[c].events.size(); ++k)
      report.Order.push_back(firstEvent[c] + static_cast<std::int32_t>(k));
  report.EventCount = static_cast<std::int32_t>(report.Events.size());
  report.DynamicPoints = PointList(request.movingPoints);
  report.RadixPoints = PointList(request.radixPoints);
  return report;
}

}  // namespace korvana
