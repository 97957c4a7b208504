// The interpretation file reader against files made by the builder and by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/reports/interps/interp_builder.h"
#include "core/reports/interps/interps.h"
#include "core/util/records.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

namespace msg = interp_messages;

constexpr int Moon = 1, Sun = 3, Mercury = 5;
constexpr int Conjunction = 1, Opposition = 2, Trine = 3, Square = 4;

// A small fixture: writes a file built from a source text and opens it.
class InterpsTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  TEMInterps interps;
  std::string path;

  void Build(const std::string& source, int version, bool directed = false) {
    path = folder.Write("test.int", BuildInterpFile(ParseInterpSource(source), version, directed));
    interps.Open(path);
    ASSERT_TRUE(interps.IsLoaded());
  }
  std::string Get(int kind, int a, int s, int b, bool expectOk = true) {
    std::string text;
    EXPECT_EQ(interps.GetText(kind, a, s, b, text), expectOk) << text;
    return text;
  }
  std::string Fails(int kind, int a, int s, int b) { return Get(kind, a, s, b, false); }
};

// Handwritten bytes of a pre-300 header with the given fields.
std::string RawHeader(std::int16_t version, std::int16_t aspectCount, std::int32_t directed = 0) {
  ByteWriter w;
  w.I16(version);
  for (int i = 0; i < InterpKindCount; ++i) w.I32(i == DegreeText ? 6 : 0);
  w.I32(directed);
  w.I16(aspectCount);
  w.Zeros(70);
  return w.Take();
}

const char* const TwoAspects =
    "Aspects=Conjunction, Trine\n"
    "[Aspect Sun, Conjunction, Moon]\nSun with Moon.\n"
    "[Aspect Sun, Trine, Moon]\nSun trine Moon.\n"
    "[Degree 1]\nFirst degree.\n";

TEST_F(InterpsTest, HeaderLayoutFollowsTheVersion) {
  // DataStart lies after the header of the version's layout, the aspect map and the names.
  struct Case { int version; int header; };
  for (Case c : {Case{150, 154}, Case{199, 154}, Case{200, 154}, Case{299, 154}, Case{300, 166}}) {
    SCOPED_TRACE(c.version);
    Build("Aspects=Conjunction, Square\n[Degree 1]\nOne.\n[Aspect Sun, Square, Moon]\nSquare.\n", c.version);
    EXPECT_EQ(interps.Version, c.version);
    EXPECT_EQ(interps.AspectCount, 2);
    EXPECT_EQ(interps.DataStart, c.header + 52 + 2 * 12);
    EXPECT_EQ(interps.PointCapacity(), c.version >= 300 ? 50 : c.version >= 200 ? 36 : 26);
    EXPECT_EQ(interps.FileAspectNames[1], "Conjunction");
    EXPECT_EQ(interps.FileAspectNames[2], "Square");
    EXPECT_EQ(interps.AspectMap[Square], 2);
    EXPECT_EQ(interps.AspectMap[Trine], 0);
    EXPECT_EQ(Get(DegreeText, 1, 0, 0), "One.");
    EXPECT_EQ(Get(AspectText, Moon, Square, Sun), "Square.");
  }
}

TEST_F(InterpsTest, VersionAbove300IsRefusedAndLeavesTheReaderUnloaded) {
  Build("[Degree 1]\nOne.\n", 300);
  std::string bad = folder.Write("v301.int", RawHeader(301, 0) + std::string(200, '\0'));
  try {
    interps.Open(bad);
    FAIL() << "version 301 was accepted";
  } catch (const EInterpFileError& e) {
    EXPECT_EQ(std::string(e.what()), std::string(msg::IncompatibleVersion) + bad);
  }
  EXPECT_FALSE(interps.IsLoaded());
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::NoFile);
}

TEST_F(InterpsTest, Version300ReadsItsFieldsFromTheLongerHeader) {
  // Bytes 78..89 of a version-300 header are not the pair flag and aspect count: a reader
  // that took the short layout would see an undirected file without aspects.
  Build("Aspects=Conjunction\n[Aspect Sun, Conjunction, Moon]\nSun first.\n"
        "[Aspect Moon, Conjunction, Sun]\nMoon first.\n", 300, true);
  EXPECT_NE(interps.DirectedPairs, 0);
  EXPECT_EQ(interps.AspectCount, 1);
  EXPECT_EQ(Get(AspectText, Sun, Conjunction, Moon), "Sun first.");
  EXPECT_EQ(Get(AspectText, Moon, Conjunction, Sun), "Moon first.");
}

TEST_F(InterpsTest, NoAspectsMeansNoNamesAndDataRightAfterTheMap) {
  Build("[Degree 360]\nLast degree.\n", 250);
  EXPECT_EQ(interps.AspectCount, 0);
  EXPECT_EQ(interps.DataStart, 154 + 52);
  EXPECT_EQ(Get(DegreeText, 360, 0, 0), "Last degree.");
  EXPECT_EQ(Fails(AspectText, Sun, Conjunction, Moon), msg::AspectNotIncluded);
}

TEST_F(InterpsTest, UnmappedAspectIsAnsweredWithoutReadingTheFile) {
  Build(TwoAspects, 250);
  std::filesystem::remove(path);
  EXPECT_EQ(Fails(AspectText, Sun, Opposition, Moon), msg::AspectNotIncluded);
  EXPECT_EQ(Fails(AspectText, Sun, 0, Moon), msg::AspectNotIncluded);
  EXPECT_EQ(Fails(AspectText, Sun, 27, Moon), msg::AspectNotIncluded);
  // A mapped aspect does need the file, and says which one failed.
  EXPECT_EQ(Fails(AspectText, Sun, Trine, Moon), msg::ReadException + path);
}

TEST_F(InterpsTest, UndirectedPairsAreOrderedDirectedPairsAreNot) {
  const std::string source =
      "Aspects=Conjunction, Trine\n"
      "[Aspect Sun, Trine, Moon]\nFirst.\n";
  for (int version : {150, 250, 300}) {
    SCOPED_TRACE(version);
    Build(source, version, false);
    EXPECT_EQ(Get(AspectText, Sun, Trine, Moon), "First.");
    EXPECT_EQ(Get(AspectText, Moon, Trine, Sun), "First.");
    EXPECT_EQ(Fails(AspectText, Moon, Conjunction, Sun), msg::NoTopicText);
  }
  for (int version : {250, 300}) {
    SCOPED_TRACE(version);
    Build(source, version, true);
    EXPECT_EQ(Get(AspectText, Sun, Trine, Moon), "First.");
    EXPECT_EQ(Fails(AspectText, Moon, Trine, Sun), msg::NoTopicText);
  }
}

TEST_F(InterpsTest, EveryPairHasItsOwnRecordIncludingAPointWithItself) {
  // Every pair and aspect gets a distinct paragraph; reading each back proves that no
  // two requests share a record, in all four addressing schemes.
  struct Case { int version; bool directed; int points; };
  for (Case c : {Case{150, false, 26}, Case{250, false, 36}, Case{250, true, 36}, Case{300, false, 50},
                 Case{300, true, 50}}) {
    SCOPED_TRACE(::testing::Message() << c.version << (c.directed ? " directed" : ""));
    InterpSource source;
    source.aspects = {Trine, Conjunction};
    for (int a = 1; a <= c.points; ++a)
      for (int b = c.directed ? 1 : a; b <= c.points; ++b)
        for (int s : source.aspects)
          source.topics.push_back({AspectText, a, s, b,
                                   std::to_string(a) + "-" + std::to_string(s) + "-" + std::to_string(b)});
    path = folder.Write("all.int", BuildInterpFile(source, c.version, c.directed));
    interps.Open(path);
    for (int a = 1; a <= c.points; ++a)
      for (int b = 1; b <= c.points; ++b)
        for (int s : source.aspects) {
          int lo = c.directed ? a : std::min(a, b), hi = c.directed ? b : std::max(a, b);
          std::string text;
          ASSERT_TRUE(interps.GetText(AspectText, a, s, b, text)) << text;
          ASSERT_EQ(text, std::to_string(lo) + "-" + std::to_string(s) + "-" + std::to_string(hi));
        }
  }
}

TEST_F(InterpsTest, RecordPositionsFollowTheFormatArithmetic) {
  // Record numbers worked by hand from the format's formulas (aspect position m is the
  // translated aspect, here 2 of 2).
  struct Case { int version; bool directed; int kind, a, s, b; std::int32_t record; };
  const Case cases[] = {
      {150, false, AspectText, 3, 2, 5, (2 * 26 - 2 * 1 / 2 + 2) * 2 + 1},  // 107
      {150, false, AspectText, 5, 2, 3, 107},
      {150, false, AspectText, 1, 1, 1, 0},
      {250, false, AspectText, 5, 2, 3, (2 * 36 + 4) * 2 + 1},       // 153
      {250, true, AspectText, 5, 2, 3, (4 * 36 + 2) * 2 + 1},        // 293
      {300, false, AspectText, 5, 2, 3, 2 * 50 * 2 + 1 * 50 + 4},    // 254
      {300, true, AspectText, 5, 2, 3, (4 * 50 + 2) * 2 + 1},        // 405
      {300, false, PointInSign, 3, 2, 0, 25},
      {300, false, PointInHouse, 50, 12, 0, 49 * 12 + 11},
      {300, false, DegreeText, 10, 0, 0, 9},
      {300, false, 5, 2, 1, 0, 4},
      {300, false, 0, 7, 7, 7, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.version << " kind " << c.kind << " " << c.a << "/" << c.s << "/" << c.b);
    EXPECT_EQ(InterpRecordNumber(c.version, c.directed, 2, c.kind, c.a, c.s, c.b), c.record);
  }
  Build("Aspects=Conjunction, Trine\n[Aspect Sun, Trine, Mercury]\nX\n", 150);
  EXPECT_EQ(interps.RecordPosition(AspectText, Mercury, 2, Sun),
            interps.DataStart + interps.SectionOffset[AspectText] + 6 * 107);
  EXPECT_EQ(interps.RecordPosition(DegreeText, 1, 0, 0), 0);  // kind absent
}

TEST_F(InterpsTest, PointsBeyondTheCapacityAreRefusedWithoutReadingTheFile) {
  Build("[Sign Sun, Aries]\nSun in Aries.\n[House 26, 12]\nLast point.\n[Aspect Sun, Conjunction, 26]\nx\n", 150);
  EXPECT_EQ(Get(PointInHouse, 26, 12, 0), "Last point.");
  std::filesystem::remove(path);
  EXPECT_EQ(Fails(PointInSign, 27, 1, 0), msg::NoInformation);
  EXPECT_EQ(Fails(PointInHouse, 27, 1, 0), msg::NoInformation);
  EXPECT_EQ(Fails(AspectText, Sun, Conjunction, 27), msg::NoInformation);
  // Numbers below the first item and signs beyond twelve would read other topics' records.
  EXPECT_EQ(Fails(PointInSign, 0, 1, 0), msg::NoInformation);
  EXPECT_EQ(Fails(PointInSign, Sun, 13, 0), msg::NoInformation);
  EXPECT_EQ(Fails(PointInSign, Sun, 0, 0), msg::NoInformation);
  EXPECT_EQ(Fails(DegreeText, 0, 0, 0), msg::NoInformation);
  // A kind the file lacks, and kinds outside 0..18.
  EXPECT_EQ(Fails(14, 1, 0, 0), msg::NoInformation);
  EXPECT_EQ(Fails(19, 1, 0, 0), msg::NoInformation);
  EXPECT_EQ(Fails(-1, 1, 0, 0), msg::NoInformation);
}

TEST_F(InterpsTest, CapacityGrowsWithTheVersion) {
  Build("[Sign 36, Pisces]\nLast.\n", 250);
  EXPECT_EQ(Get(PointInSign, 36, 12, 0), "Last.");
  EXPECT_EQ(Fails(PointInSign, 37, 1, 0), msg::NoInformation);
  Build("[Sign 50, Pisces]\nLast.\n", 300);
  EXPECT_EQ(Get(PointInSign, 50, 12, 0), "Last.");
  EXPECT_EQ(Fails(PointInSign, 51, 1, 0), msg::NoInformation);
}

TEST_F(InterpsTest, EmptyIndexRecordsHaveNoText) {
  Build("[Sign Sun, Aries]\n\n[Sign Sun, Taurus]\nSun in Taurus.\n", 250);
  EXPECT_EQ(Fails(PointInSign, Sun, 1, 0), msg::NoTopicText);   // given with no text
  EXPECT_EQ(Get(PointInSign, Sun, 2, 0), "Sun in Taurus.");
  EXPECT_EQ(Fails(PointInSign, Sun, 3, 0), msg::NoTopicText);   // never given
  EXPECT_EQ(Fails(PointInSign, Moon, 2, 0), msg::NoTopicText);
}

TEST_F(InterpsTest, UnloadedStates) {
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::NoFile);
  interps.Open(folder / "missing.int");  // silently nothing
  EXPECT_FALSE(interps.IsLoaded());
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::NoFile);
  Build("[Degree 1]\nOne.\n", 300);
  interps.Open(folder / "missing.int");  // a failed open forgets the old file
  EXPECT_FALSE(interps.IsLoaded());
  EXPECT_TRUE(interps.FileName.empty());
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::NoFile);
}

TEST_F(InterpsTest, DamagedFiles) {
  Build(TwoAspects, 250);
  std::string good = folder.Read("test.int");

  // Headers cut short, a negative or too large aspect count, version 0 or below.
  for (std::size_t cut : {std::size_t{0}, std::size_t{1}, std::size_t{100}, std::size_t{153}, std::size_t{200},
                          std::size_t{154 + 52 + 12}}) {
    SCOPED_TRACE(cut);
    std::string p = folder.Write("cut.int", good.substr(0, cut));
    EXPECT_THROW(interps.Open(p), EInterpFileError);
    EXPECT_FALSE(interps.IsLoaded());
  }
  for (std::string bytes : {RawHeader(250, -1) + std::string(52, '\0'), RawHeader(250, 27) + std::string(500, '\0'),
                            RawHeader(0, 0) + std::string(52, '\0'), RawHeader(-5, 0) + std::string(52, '\0')}) {
    std::string p = folder.Write("bad.int", bytes);
    EXPECT_THROW(interps.Open(p), EInterpFileError);
    EXPECT_FALSE(interps.IsLoaded());
  }

  // The paragraphs cut off: the header loads, the text read fails with the file's name.
  std::string p = folder.Write("short.int", good.substr(0, good.size() - 3));
  interps.Open(p);
  ASSERT_TRUE(interps.IsLoaded());
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::ReadException + p);

  // An index record pointing far past the end of the file.
  std::string far = good;
  std::int32_t at = interps.RecordPosition(DegreeText, 1, 0, 0);
  PatchI32(far, static_cast<std::size_t>(at), 0x7FFFFF00);
  p = folder.Write("far.int", far);
  interps.Open(p);
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::ReadException + p);

  // A section offset that puts the index past the end of the file.
  std::string lost = good;
  PatchI32(lost, 2 + 4 * DegreeText, 1000000);
  p = folder.Write("lost.int", lost);
  interps.Open(p);
  EXPECT_EQ(Fails(DegreeText, 1, 0, 0), msg::ReadException + p);
}

TEST_F(InterpsTest, RecordArithmeticOverflowIsAnError) {
  Build("[Topic 4, 1]\nFirst item.\n", 250);
  EXPECT_EQ(Get(4, 1, 0, 0), "First item.");
  EXPECT_THROW(interps.RecordPosition(4, 0x7FFFFFFF, 0, 0), std::overflow_error);
  EXPECT_EQ(Fails(4, 0x7FFFFFFF, 0, 0), msg::ReadException + path);
  EXPECT_THROW(InterpRecordNumber(300, false, 26, PointInSign + 1, 0x7FFFFFFF, 1, 0), std::overflow_error);
}

TEST_F(InterpsTest, ParagraphsAreStoredInWindows1252AndReadBackAsUtf8) {
  Build("[Degree 5]\nCafé — naïve.\n", 300);
  EXPECT_EQ(Get(DegreeText, 5, 0, 0), "Café — naïve.");
  EXPECT_NE(folder.Read("test.int").find("Caf\xE9 \x97 na\xEFve."), std::string::npos);
}

}  // namespace
}  // namespace korvana
