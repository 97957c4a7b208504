// The reader contract: every file-format reader of the core meets an empty file and a
// file cut short with a korvana::Error carrying a message for the user, never with
// another exception, a marker result or a crash. Each row makes a sound file of its
// format (and reads it, so that the failures below come from the damage alone), then
// feeds the reader the empty file and the sound file cut to `cutTo` bytes.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/aspect_source.h"
#include "core/analysis/classical_sources.h"
#include "core/analysis/aspect_file.h"
#include "core/analysis/rulerships.h"
#include "core/astro/asteroid_file.h"
#include "core/astro/stars.h"
#include "core/charts/chart_collection.h"
#include "core/charts/chart_files.h"
#include "core/charts/chart_layouts.h"
#include "core/charts/memo_file.h"
#include "core/config/start_up.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/interps/interp_builder.h"
#include "core/reports/interps/interps.h"
#include "core/reports/reportset/compiled_record.h"
#include "core/reports/reportset/report_set.h"
#include "core/reports/reportset/section_tree.h"
#include "core/time/time_zone.h"
#include "core/time/zone_tables.h"
#include "core/util/error.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "core/wheels/wheel_design.h"
#include "core/charts/chart_fixtures.h"
#include "core/wheels/wheel_design_text.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

std::string Bytes(const std::string& path) { return ReadFileBytes(path).value_or(""); }

std::string SourceData(const std::string& name) {
  return ReadFileBytes(std::string(KORVANA_SOURCE_DATA_DIR) + "/" + name).value_or("");
}


std::string OwnRecord() { return OwnRecordFromChart(testing::SydneyChart(ProgramSettings{}), 5, 0.0f, 0); }

void ReadFirstChart(const std::string& path) {
  ProgramSettings settings;
  ReadChart(path, ChartFileInfo(path).format, 1, settings);
}

std::string Collection() {
  TEM6ChartCollection collection;
  collection.charts.push_back({WideFromOwn(OwnRecord()), {{HeaderlessFromOwn(OwnRecord()), "event"}}, "memo"});
  return SerializeCollection(collection);
}

// A memo file holding one memo of three records; the memo starts at record 2.
std::string MemoFile() {
  std::string data;
  WriteMemoData(data, 0, std::string(60, 'm'));
  return data;
}

std::string AspectFile() {
  AspectSet set;
  set.header.count = 2;
  set.records[1].name = "Conjunction";
  set.records[2].name = "Opposition";
  set.records[2].angle = 180;
  return SerializeAspectFile(set);
}

std::string StarFile() {
  StarRecord algol{"Algol", "bePer", {11000000, 147000000, 2000, -1000, 4000, 36000}, 212};
  StarRecord regulus{"Regulus", "alLeo", {547000000, 43000000, -2000, 5000, 6000, 41000}, 140};
  return EncodeStarFile({algol, regulus});
}

std::string RulershipFile() {
  std::string record(RulershipRecordSize, '\0');
  record[0] = 'T';
  record[55] = 5;  // Aries ruled by Mars
  return record;
}

std::string ZoneTable() {
  TZTable table;
  table.header = {1, 0, 1, "Test zone"};
  table.entries.push_back({1, 1970, 101, 0});
  return WriteZoneTables({table}).bin;
}

std::string AsteroidFile() {
  AsteroidRecord record;
  for (HelioPosition& p : record) p = {10, 1, 2.5};
  std::string data;
  for (int k = 0; k < 3; ++k) data += EncodeAsteroidRecord(record);
  return data;
}

std::string CompiledFile(std::uint8_t code) {
  CompiledRecord first;
  first.code = code;
  first.noText = false;
  first.text = "A section";
  CompiledRecord second = first;
  second.text = "Another section";
  return EncodeCompiledRecord(first) + EncodeCompiledRecord(second);
}

std::string WheelDesignFile() {
  WheelDesign design;
  design.version = 2;
  design.circleCount = 1;
  design.chartCount = 1;
  return SerializeWheelDesign(design);
}

struct ReaderCase {
  const char* reader;
  const char* fileName;
  std::function<std::string()> soundFile;
  std::size_t cutTo;
  std::function<void(const std::string& path)> read;
  // A few formats hold nothing in an empty file (no zones, no records, no sections, a
  // scheme source of the default values); there an empty file reads as an empty one and
  // only the cut file is damaged.
  bool emptyIsSound = false;
};

void PrintTo(const ReaderCase& c, std::ostream* os) { *os << c.reader; }

const std::vector<ReaderCase>& Cases() {
  static const std::vector<ReaderCase> cases = {
      {"own chart file", "own.cht", [] { return OwnFileHeader("t") + OwnRecord(); }, OwnRecordSize + 50,
       ReadFirstChart},
      {"wide chart file", "wide.cht", [] { return WideFileHeader("t") + WideFromOwn(OwnRecord()); },
       WideRecordSize + 100, ReadFirstChart},
      {"headerless chart file", "old.cht", [] { return HeaderlessFromOwn(OwnRecord()); }, 100, ReadFirstChart},
      {"chart collection", "set.EMcht", Collection, CollectionHeaderSize + WideRecordSize + 6,
       [](const std::string& path) { ReadCollection(path); }},
      {"memo file", "charts.chm", MemoFile, 2 * MemoRecordSize + 10,
       [](const std::string& path) { ReadMemo(path, 2); }},
      {"aspect file", "modern.asp", AspectFile, AspectHeaderSize + AspectRecordSize + 20,
       [](const std::string& path) {
         AspectSet set;
         ReadAspectFile(path, set);
       }},
      {"star file", "stars.fst", StarFile, 2 + StarRecordSize + 30,
       [](const std::string& path) { ReadStarFile(path); }},
      {"star names of a report set", "stars.fst", StarFile, 2 + StarRecordSize + 30,
       [](const std::string& path) { ReadStarNames(path); }},
      {"almuten scheme", "house.alm", [] { return EncodeAlmutenRecord(AlmutenScheme{}); }, 300,
       [](const std::string& path) { ReadAlmutenScheme(path); }},
      {"rulership table", "rulers2.fil", RulershipFile, 100,
       [](const std::string& path) {
         RulershipTables tables;
         ParseRulershipFile(Bytes(path), tables, path);
       }},
      {"term degree table", "degdig2.fil", [] { return std::string(360 * DegreeRecordSize, '\1'); }, 3,
       [](const std::string& path) {
         RulershipTables tables;
         ParseDegreeFile(Bytes(path), tables, path);
       }},
      {"triplicity table", "tripdig2.fil", [] { return std::string(4 * TriplicityRecordSize, '\1'); }, 5,
       [](const std::string& path) {
         RulershipTables tables;
         ParseTriplicityFile(Bytes(path), tables, path);
       }},
      {"point colour file", "korvana.cpt", [] { return std::string(4 * PointCount, '\x40'); }, 100,
       [](const std::string& path) { ReadPointColorFile(path); }},
      {"zone list", "timezone.fil",
       [] { return FormatZoneListLine({"EST", "Eastern Standard Time", -5}) + "\r\n"; }, 30,
       [](const std::string& path) { LoadZoneList(path); }, true},
      {"zone codes", "tztable.lst", [] { return WriteZoneCodes({{1, 4500, "EST"}, {2, -9000, "AEST"}}); }, 7,
       [](const std::string& path) { ParseZoneCodes(Bytes(path)); }},
      {"zone index", "tztable.ndx", [] { return WriteZoneTables({TZTable{{1, 0, 0, "Test"}, {}}}).index; }, 5,
       [](const std::string& path) { ParseZoneIndex(Bytes(path)); }},
      {"zone table", "tztable.bin", ZoneTable, 20, [](const std::string& path) { ParseZoneTableAt(Bytes(path), 1); }},
      {"asteroid file", "AS19AD.EPH", AsteroidFile, 2 * AsteroidRecordSize + 5,
       [](const std::string& path) { ReadAsteroidValues(path, 0, 6); }},
      {"interpretation file", "natal.int", [] { return BuildInterpFile(InterpSource{}, 300, false); }, 100,
       [](const std::string& path) { TEMInterps().Open(path); }},
      {"compiled report", "natal.bin", [] { return CompiledFile(1); }, CompiledHeaderSize + 2,
       [](const std::string& path) { ReadCompiledRecords(Bytes(path), false); }, true},
      {"section index", "natal.ind", [] { return CompiledFile(SectionOn); }, CompiledHeaderSize + 12,
       [](const std::string& path) { SectionTree::Load(path); }, true},
      {"wheel design", "uni5.wh2", WheelDesignFile, 500, [](const std::string& path) { ReadWheelDesign(path); }},
      {"wheel description", "uni5.wh2.txt", [] { return std::string("[design]\ncircles = 1\ncharts = 1\n"); }, 14,
       [](const std::string& path) { ParseWheelDescription(Bytes(path)); }},
      {"aspect table source", "modern.txt", [] { return SourceData("aspects/modern.txt"); }, 820,
       [](const std::string& path) { ParseAspectSource(Bytes(path)); }},
      {"almuten scheme source", "house.txt", [] { return SourceData("classical/house.txt"); }, 263,
       [](const std::string& path) { ParseAlmutenSchemeSource(Bytes(path)); }, true},
      {"byte records", "record.bin", [] { return std::string(8, '\x3f'); }, 5,
       [](const std::string& path) {
         std::string bytes = Bytes(path);
         ByteReader(bytes).F64();
       }},
  };
  return cases;
}

// "" when the read raises a korvana::Error with a message; else what happened instead.
std::string FailureOf(const std::function<void()>& read) {
  try {
    read();
    return "no error";
  } catch (const Error& e) {
    return std::string(e.what()).empty() ? "an Error without a message" : "";
  } catch (const std::exception& e) {
    return std::string("another exception: ") + e.what();
  } catch (...) {
    return "an exception of no standard type";
  }
}

class ReaderContract : public ::testing::TestWithParam<ReaderCase> {
 protected:
  testing::TempFolder folder;
};

TEST_P(ReaderContract, SoundFileReads) {
  const ReaderCase& c = GetParam();
  const std::string sound = c.soundFile();
  ASSERT_GT(sound.size(), c.cutTo) << "the cut must shorten the file";
  const std::string path = folder.Write(c.fileName, sound);
  EXPECT_NO_THROW(c.read(path));
}

TEST_P(ReaderContract, EmptyFileRaisesAnError) {
  const ReaderCase& c = GetParam();
  const std::string path = folder.Write(c.fileName, "");
  if (c.emptyIsSound) {
    EXPECT_NO_THROW(c.read(path));
  } else {
    EXPECT_EQ(FailureOf([&] { c.read(path); }), "");
  }
}

TEST_P(ReaderContract, FileCutShortRaisesAnError) {
  const ReaderCase& c = GetParam();
  const std::string path = folder.Write(c.fileName, c.soundFile().substr(0, c.cutTo));
  EXPECT_EQ(FailureOf([&] { c.read(path); }), "");
}

std::string RowName(const ::testing::TestParamInfo<ReaderCase>& info) {
  std::string name;
  for (const char* p = info.param.reader; *p; ++p)
    name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(EveryReader, ReaderContract, ::testing::ValuesIn(Cases()), RowName);

}  // namespace
}  // namespace korvana
