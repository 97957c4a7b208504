#include "core/analysis/aspect_file.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "aspect_fixtures.h"
#include "core/analysis/find_aspect.h"
#include "core/util/records.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::MakeRecord;
using testing::RecordingMessages;
using testing::TempFolder;

// A file written field by field at the documented offsets, independently of the writer.
struct HandFile {
  std::int16_t mode = 1;
  int records = 2;
  bool moiety = true;

  std::string Bytes() const {
    ByteWriter w;
    for (int i = 0; i < 82; ++i) w.U8(static_cast<std::uint8_t>(i + 1));
    w.I16(mode);
    w.I16(-1);  // factors added
    w.I16(0);
    w.I16(0);
    w.I16(static_cast<std::int16_t>(records));
    for (int n = 1; n <= records; ++n) {
      w.I16(static_cast<std::int16_t>(n == 1 ? 3 : 1));
      w.Bytes(n == 1 ? std::string("Trine               ") : std::string("Conjunci\xF3n          "));
      w.Bytes("\x01\x02\x03\x04");
      w.U8(static_cast<std::uint8_t>(150 + n));
      w.F64(n == 1 ? 120.0 : 0.0);
      w.Bytes(std::string("\x05\x06\x07\x08\x09\x0A", 6));
      w.I16(n == 1 ? -1 : 0);
      w.U32(0x00112233u + static_cast<std::uint32_t>(n));
      w.I16(static_cast<std::int16_t>(n == 1 ? -2 : 3));
      for (int i = 0; i < 12; ++i) w.F64(n * 10 + i * 0.5);
    }
    if (moiety)
      for (int p = 1; p <= 36; ++p) w.F32(p * 0.25f);
    return w.Take();
  }
};

TEST(AspectFile, ReadsEveryFieldAtItsOffset) {
  std::string bytes = HandFile{}.Bytes();
  ASSERT_EQ(bytes.size(), 92u + 2 * 145 + 144);
  AspectSet set;
  ASSERT_NO_THROW(ParseAspectFile(bytes, set));
  EXPECT_TRUE(set.loaded);
  EXPECT_EQ(set.header.reserved[0], 1);
  EXPECT_EQ(set.header.reserved[81], 82);
  EXPECT_EQ(set.header.selectionMode, 1);
  EXPECT_EQ(set.header.moietyCombination, -1);
  EXPECT_EQ(set.Count(), 2);

  const AspectRecord& trine = *set.Record(1);
  EXPECT_EQ(trine.aspectType, 3);
  EXPECT_EQ(trine.name, "Trine");
  EXPECT_EQ(trine.reserved1[3], 4);
  EXPECT_EQ(trine.glyph, 151);
  EXPECT_EQ(trine.angle, 120.0);
  EXPECT_EQ(trine.reserved2[5], 10);
  EXPECT_TRUE(trine.inUse);
  EXPECT_EQ(trine.color, 0x00112234u);
  EXPECT_EQ(trine.lineStyle, -2);
  EXPECT_EQ(trine.Orb(OrbApplying, OrbLuminary, OrbNatal), 10.0);   // element 0
  EXPECT_EQ(trine.Orb(OrbApplying, OrbOther, OrbDynamic), 12.5);    // element 5
  EXPECT_EQ(trine.Orb(OrbSeparating, OrbLuminary, OrbNatal), 13.0); // element 6
  EXPECT_EQ(trine.Orb(OrbSeparating, OrbOther, OrbDynamic), 15.5);  // element 11

  const AspectRecord& conj = *set.Record(2);
  EXPECT_EQ(conj.name, "Conjunci\xC3\xB3n");  // Windows-1252 in the file, UTF-8 in memory
  EXPECT_FALSE(conj.inUse);
  EXPECT_EQ(conj.lineStyle, 3);
  EXPECT_EQ(set.Record(3), nullptr);

  EXPECT_EQ(set.moietyFactors[1], 0.25f);
  EXPECT_EQ(set.moietyFactors[36], 9.0f);
  // Displayed moiety = record 1's applying luminary natal orb (10) * factor.
  EXPECT_FLOAT_EQ(set.displayedMoieties[3], 7.5f);
}

TEST(AspectFile, WritesBackTheBytesItRead) {
  std::string bytes = HandFile{}.Bytes();
  AspectSet set;
  ASSERT_NO_THROW(ParseAspectFile(bytes, set));
  EXPECT_EQ(SerializeAspectFile(set), bytes);
}

TEST(AspectFile, ReadsTheMoietyBlockOnlyWhenTheModesLowByteIsOne) {
  struct Case {
    std::int16_t mode;
    bool read;
  };
  for (Case c : {Case{0, false}, Case{1, true}, Case{2, false}, Case{5, false}, Case{257, true}}) {
    HandFile f;
    f.mode = c.mode;
    AspectSet set;
    ASSERT_NO_THROW(ParseAspectFile(f.Bytes(), set)) << c.mode;
    EXPECT_EQ(set.moietyFactors[4], c.read ? 1.0f : 0.0f) << c.mode;
    EXPECT_EQ(set.displayedMoieties[4], c.read ? 10.0f : 0.0f) << c.mode;
  }
}

TEST(AspectFile, HoldsAtMostFiftyRecordsAndFindsTheMoietiesAfterAllOfThem) {
  HandFile f;
  f.records = 55;
  AspectSet set;
  ASSERT_NO_THROW(ParseAspectFile(f.Bytes(), set));
  EXPECT_EQ(set.Count(), 50);
  EXPECT_EQ(set.moietyFactors[2], 0.5f);
  std::string written = SerializeAspectFile(set);
  EXPECT_EQ(written.size(), 92u + 50 * 145 + 144);
  ByteReader r(written);
  r.Seek(90);
  EXPECT_EQ(r.I16(), 50);
}

TEST(AspectFile, NegativeCountMeansNoRecords) {
  HandFile f;
  f.records = 0;
  std::string bytes = f.Bytes();
  bytes[90] = '\xFD';  // -3
  bytes[91] = '\xFF';
  AspectSet set;
  EXPECT_NO_THROW(ParseAspectFile(bytes, set));
  EXPECT_EQ(set.Count(), 0);
  EXPECT_EQ(set.moietyFactors[1], 0.25f);
}

TEST(LoadAspectFile, ReportsAFileWithoutAWholeHeader) {
  TempFolder tmp;
  struct Case {
    const char* what;
    std::string file;  // written unless empty
  };
  std::string header = HandFile{}.Bytes().substr(0, 91);
  for (const Case& c : {Case{"missing", ""}, Case{"empty", "x"}, Case{"91 bytes", header}}) {
    std::string path = tmp / "set.asp";
    std::filesystem::remove(path);
    if (!c.file.empty()) tmp.Write("set.asp", c.file == "x" ? std::string() : c.file);
    AspectSet set = testing::StandardSet();
    RecordingMessages messages;
    EXPECT_FALSE(LoadAspectFile(path, set, messages)) << c.what;
    EXPECT_FALSE(set.loaded) << c.what;
    EXPECT_EQ(set.Count(), 0) << c.what;
    ASSERT_EQ(messages.messages.size(), 1u) << c.what;
    EXPECT_EQ(messages.messages[0].kind, MessageKind::Error);
    EXPECT_EQ(messages.messages[0].text, "Unable to open aspect file: " + path);
  }
}

TEST(LoadAspectFile, KeepsWhatWasReadWhenTheBodyIsCutShort) {
  TempFolder tmp;
  std::string bytes = HandFile{}.Bytes();
  struct Case {
    const char* what;
    std::size_t length;
    int records;
    float factor;
  };
  for (const Case& c : {Case{"second record cut", 92 + 145 + 100, 1, 0},
                        Case{"moiety block cut", 92 + 2 * 145 + 143, 2, 0},
                        Case{"whole", bytes.size(), 2, 0.25f}}) {
    std::string path = tmp.Write("set.asp", bytes.substr(0, c.length));
    AspectSet set;
    RecordingMessages messages;
    EXPECT_EQ(LoadAspectFile(path, set, messages), c.length == bytes.size()) << c.what;
    EXPECT_TRUE(messages.messages.empty()) << c.what;
    EXPECT_TRUE(set.loaded) << c.what;
    EXPECT_EQ(set.Count(), c.records) << c.what;
    EXPECT_EQ(set.Record(1)->name, "Trine") << c.what;
    EXPECT_EQ(set.moietyFactors[1], c.factor) << c.what;
  }
}

TEST(LoadAspectFile, FindsTheFileWhateverTheCaseOfItsName) {
  TempFolder tmp;
  tmp.Write("Modern.ASP", HandFile{}.Bytes());
  AspectSet set;
  RecordingMessages messages;
  EXPECT_TRUE(LoadAspectFile(tmp / "modern.asp", set, messages));
  EXPECT_EQ(set.Count(), 2);
}

TEST(SaveAspectFile, WritesALoadableFileAndFailsCleanly) {
  TempFolder tmp;
  AspectSet set = testing::StandardSet(SelectByMoiety);
  set.header.reserved[10] = 0xAB;
  set.records[5].name = "Sextile with a name longer than twenty";
  set.moietyFactors[7] = 0.5f;
  ASSERT_TRUE(SaveAspectFile(tmp / "out.asp", set));
  EXPECT_EQ(std::filesystem::file_size(tmp / "out.asp"), 92u + 9 * 145 + 144);

  AspectSet back;
  RecordingMessages messages;
  ASSERT_TRUE(LoadAspectFile(tmp / "out.asp", back, messages));
  EXPECT_EQ(back.header.reserved[10], 0xAB);
  EXPECT_EQ(back.records[5].name, "Sextile with a name");  // cut to 20, blanks dropped
  EXPECT_EQ(back.records[3].angle, 120.0);
  EXPECT_EQ(back.moietyFactors[7], 0.5f);
  EXPECT_EQ(SerializeAspectFile(back).substr(0, 92), SerializeAspectFile(set).substr(0, 92));

  EXPECT_FALSE(SaveAspectFile(tmp / "no-such-folder/out.asp", set));
  EXPECT_FALSE(std::filesystem::exists(tmp / "no-such-folder"));
}

TEST(WriteDynamicAspectFile, SetsTheDynamicOrbsAndTheSelectionOfTheFirst26Records) {
  TempFolder tmp;
  AspectSet set;
  set.loaded = true;
  set.header.selectionMode = SelectByMoiety;
  set.header.reserved[0] = 7;
  set.header.count = 28;
  for (int n = 1; n <= 28; ++n) {
    set.records[n] = MakeRecord((n - 1) % 26 + 1, n, 5, 4, 3, 2, n % 2 == 0);
    set.records[n].SetOrb(OrbApplying, OrbLuminary, OrbUnused, 9);
  }
  set.moietyFactors[3] = 1.0f;
  ASSERT_TRUE(SaveAspectFile(tmp / "modern.asp", set));

  std::string selection = "1101x";  // then missing: off
  ASSERT_TRUE(WriteDynamicAspectFile(tmp / "modern.asp", tmp / "transit.asp", selection, 2.5, 1.5));

  AspectSet dyn;
  RecordingMessages messages;
  ASSERT_TRUE(LoadAspectFile(tmp / "transit.asp", dyn, messages));
  EXPECT_EQ(dyn.Count(), 28);
  EXPECT_EQ(dyn.header.reserved[0], 7);
  EXPECT_EQ(dyn.moietyFactors[3], 1.0f);
  for (int n = 1; n <= 26; ++n) {
    const AspectRecord& r = dyn.records[n];
    bool on = n <= 4 && n != 3;
    EXPECT_EQ(r.inUse, on) << n;
    for (int c : {OrbLuminary, OrbOther}) {
      EXPECT_EQ(r.Orb(OrbApplying, c, OrbDynamic), 2.5) << n;
      EXPECT_EQ(r.Orb(OrbSeparating, c, OrbDynamic), 1.5) << n;
    }
    EXPECT_EQ(r.Orb(OrbApplying, OrbLuminary, OrbNatal), 5) << n;
    EXPECT_EQ(r.Orb(OrbSeparating, OrbOther, OrbNatal), 2) << n;
    EXPECT_EQ(r.Orb(OrbApplying, OrbLuminary, OrbUnused), 9) << n;
  }
  for (int n : {27, 28}) {
    EXPECT_EQ(dyn.records[n].inUse, n % 2 == 0) << n;
    EXPECT_EQ(dyn.records[n].Orb(OrbApplying, OrbOther, OrbDynamic), 1.0) << n;
  }
  // The current file is left as it was.
  EXPECT_EQ(tmp.Read("modern.asp"), SerializeAspectFile(set));
}

TEST(WriteDynamicAspectFile, WritesNothingFromAFileItCannotReadWhole) {
  TempFolder tmp;
  std::string whole = SerializeAspectFile(testing::StandardSet());
  tmp.Write("cut.asp", whole.substr(0, whole.size() - 200));
  EXPECT_FALSE(WriteDynamicAspectFile(tmp / "missing.asp", tmp / "transit.asp", "1", 1, 1));
  EXPECT_FALSE(WriteDynamicAspectFile(tmp / "cut.asp", tmp / "transit.asp", "1", 1, 1));
  EXPECT_FALSE(std::filesystem::exists(tmp / "transit.asp"));
}

}  // namespace
}  // namespace korvana

namespace korvana {
namespace {

// Damaged files of every length and content: reading, finding and writing never leave
// the data, whatever the counts, modes, angles and orbs say.
TEST(AspectFile, GarbageNeverBreaksReadingOrFinding) {
  std::uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::uint8_t>(seed >> 24);
  };
  const std::string good = HandFile{}.Bytes();
  for (int round = 0; round < 400; ++round) {
    std::string bytes;
    if (round % 2 == 0) {
      bytes.resize(static_cast<std::size_t>(round * 7 % 900));
      for (auto& b : bytes) b = static_cast<char>(next());
    } else {
      bytes = good;
      for (int k = 0; k < 12; ++k) bytes[next() * bytes.size() / 256] = static_cast<char>(next());
    }
    AspectSet set;
    try {
      ParseAspectFile(bytes, set);
    } catch (const EAspectFileError&) {
    }
    EXPECT_LE(set.Count(), MaxAspectRecords);
    for (int mode : {0, 1, 2, 3, 4, 5, -1, -7}) {
      set.header.selectionMode = static_cast<std::int16_t>(mode);
      for (int p = 0; p <= 37; p += 5) {
        AspectMatch m = FindAspect(set, p, 37 - p, testing::At(next() * 1.5, 1), testing::At(next() * 1.4, -1, 3, 1));
        if (m.Found()) {
          ASSERT_NE(set.Record(m.record), nullptr);
          EXPECT_TRUE(set.Record(m.record)->inUse);
        }
      }
    }
    AspectSet again;
    EXPECT_NO_THROW(ParseAspectFile(SerializeAspectFile(set), again));
  }
}

}  // namespace
}  // namespace korvana
