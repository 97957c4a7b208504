// The rulership table files, almuten scheme files and their readable sources.
#include <gtest/gtest.h>

#include <map>

#include "classical_fixtures.h"
#include "core/analysis/dignities.h"
#include "support/recording_messages.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

using testing::ClassicalSource;
using testing::ShippedTables;

TEST(ShippedTables, SchemesAndRulersAsPublished) {
  const RulershipTables& t = ShippedTables();
  ASSERT_EQ(t.schemes.size(), 4u);
  EXPECT_EQ(t.schemeT, 1);
  EXPECT_EQ(t.schemeM, 2);
  EXPECT_EQ(t.schemeE, 3);
  EXPECT_EQ(t.schemeH, 4);
  EXPECT_EQ(t.schemes[0].name, "Traditional");
  const RulershipScheme& trad = *t.Scheme(t.schemeT);
  // Domiciles and exaltations of the seven planets; Lilly's table.
  const int domicile[13] = {0, PointMars, PointVenus, PointMercury, PointMoon, PointSun, PointMercury, PointVenus, PointMars, PointJupiter,
                            PointSaturn, PointSaturn, PointJupiter};
  const int exaltation[13] = {0, PointSun, PointMoon, 0, PointJupiter, 0, PointMercury, PointSaturn, 0, 0, PointMars, 0, PointVenus};
  for (int s = 1; s <= 12; ++s) {
    EXPECT_EQ(trad.domicile[static_cast<std::size_t>(s)], domicile[s]) << s;
    EXPECT_EQ(trad.exaltation[static_cast<std::size_t>(s)], exaltation[s]) << s;
  }
  // The faces run in Chaldean order from Mars at 0 Aries to Mars at 20 Pisces.
  const int chaldean[7] = {PointMars, PointSun, PointVenus, PointMercury, PointMoon, PointSaturn, PointJupiter};
  for (int i = 0; i < 36; ++i)
    EXPECT_EQ(trad.faces[static_cast<std::size_t>(i / 3 + 1)][static_cast<std::size_t>(i % 3)], chaldean[i % 7]) << i;
  EXPECT_EQ(t.Scheme(t.schemeM)->domicile[8], PointPluto);
  EXPECT_EQ(t.Scheme(t.schemeM)->domicile[11], PointUranus);
  EXPECT_EQ(t.Scheme(t.schemeM)->domicile[12], PointNeptune);
  EXPECT_EQ(t.Scheme(t.schemeE)->domicile[2], PointVulcan);
  EXPECT_EQ(t.Scheme(t.schemeH)->domicile[3], PointEarth);
}

TEST(ShippedTables, TermTotals) {
  // Egyptian terms: each planet's degrees are its "years" (Saturn 57, Jupiter 79, Mars 66,
  // Venus 82, Mercury 76). Chaldean terms (diurnal order): Saturn 78, Jupiter 72, Mars 69,
  // Venus 75, Mercury 66. Every degree has a term ruler in every system.
  const RulershipTables& t = ShippedTables();
  std::map<int, int> egyptian, chaldean;
  for (int d = 1; d <= 360; ++d) {
    for (std::size_t s = 0; s < 3; ++s) ASSERT_NE(t.terms[static_cast<std::size_t>(d)][s], 0) << d;
    ++egyptian[t.terms[static_cast<std::size_t>(d)][0]];
    ++chaldean[t.terms[static_cast<std::size_t>(d)][2]];
  }
  EXPECT_EQ(egyptian, (std::map<int, int>{{PointMercury, 76}, {PointVenus, 82}, {PointMars, 66}, {PointJupiter, 79}, {PointSaturn, 57}}));
  EXPECT_EQ(chaldean, (std::map<int, int>{{PointMercury, 66}, {PointVenus, 75}, {PointMars, 69}, {PointJupiter, 72}, {PointSaturn, 78}}));
  // Spot checks against Lilly's table of Ptolemaic terms: Saturn holds 27-30 Aries, 22-25
  // Gemini, 19-24 Virgo, 21-25 Sagittarius and 26-30 Capricorn.
  for (int d : {27, 30, 82, 85, 169, 174, 261, 265, 296, 300}) EXPECT_EQ(t.terms[static_cast<std::size_t>(d)][1], PointSaturn) << d;
  for (int d : {26, 81, 168, 260, 295}) EXPECT_NE(t.terms[static_cast<std::size_t>(d)][1], PointSaturn) << d;
}

TEST(ShippedTables, Triplicities) {
  const RulershipTables& t = ShippedTables();
  // Dorothean fire: Sun by day, Jupiter by night, Saturn participating.
  EXPECT_EQ(t.triplicities[1][0], PointSun);
  EXPECT_EQ(t.triplicities[1][3], PointJupiter);
  EXPECT_EQ(t.triplicities[1][6], PointSaturn);
  // Water: Dorothean Venus/Mars/Moon, Ptolemaic Venus/Moon with Mars, Lilly Mars/Mars.
  EXPECT_EQ(t.triplicities[4], (std::array<std::uint8_t, 9>{PointVenus, PointVenus, PointMars, PointMars, PointMoon, PointMars, PointMoon,
                                                            PointMars, 0}));
}

TEST(RulershipFiles, LoadingAndFailures) {
  testing::TempFolder f;
  const std::string rulers = f.Write("rulers2.fil", BuildRulershipFile(ClassicalSource("rulerships.txt")));
  const std::string degrees = f.Write("degdig2.fil", BuildDegreeFile(ClassicalSource("terms.txt")));
  const std::string trips = f.Write("tripdig2.fil", BuildTriplicityFile(ClassicalSource("triplicities.txt")));
  testing::RecordingMessages m;
  RulershipTables t;
  EXPECT_TRUE(LoadRulershipTables(rulers, degrees, trips, m, t));
  EXPECT_TRUE(m.Empty());
  EXPECT_EQ(t.degreesRead, 360);
  EXPECT_EQ(t.elementsRead, 4);

  // A missing file: the message, and what could be read stays.
  EXPECT_FALSE(LoadRulershipTables(rulers, f / "none.fil", trips, m, t));
  EXPECT_EQ(m.Only(), "Unable to read rulerships file/s: " + (f / "none.fil"));
  EXPECT_EQ(t.schemes.size(), 4u);
  EXPECT_EQ(t.elementsRead, 4);
  EXPECT_EQ(t.degreesRead, 0);

  // Truncated files read their whole records; an empty one fails.
  std::string whole = f.Read("rulers2.fil");
  f.Write("short.fil", whole.substr(0, 163 + 100));
  f.Write("empty.fil", "");
  f.Write("deg.fil", f.Read("degdig2.fil").substr(0, 5 * 40 + 3));
  m.messages.clear();
  EXPECT_FALSE(LoadRulershipTables(f / "short.fil", f / "deg.fil", f / "empty.fil", m, t));
  EXPECT_EQ(m.Only(), "Unable to read rulerships file/s: " + (f / "empty.fil"));
  EXPECT_EQ(t.schemes.size(), 1u);
  EXPECT_EQ(t.degreesRead, 40);
  EXPECT_EQ(t.terms[41][0], 0);

  // Letters are recognised without regard to case; absent letters name record 1; ruler
  // bytes that are no PointId read as none.
  std::string odd = whole.substr(0, 2 * 163);
  odd[0] = 'x';
  odd[163] = 'm';
  odd[55] = static_cast<char>(200);  // Aries domicile of the first record
  RulershipTables o;
  EXPECT_NO_THROW(ParseRulershipFile(odd, o));
  EXPECT_EQ(o.schemeM, 2);
  EXPECT_EQ(o.schemeT, 1);
  EXPECT_EQ(o.schemeH, 1);
  EXPECT_EQ(o.schemes[0].domicile[1], 0);
  // No more than five schemes are read.
  RulershipTables six;
  ParseRulershipFile(whole + whole, six);
  EXPECT_EQ(six.schemes.size(), 5u);
}

TEST(AlmutenSchemeFiles, ReadWriteKeepsWhatIsNotInterpreted) {
  testing::TempFolder f;
  AlmutenScheme s = ParseAlmutenSchemeSource(ClassicalSource("traditional.txt"));
  std::string record = EncodeAlmutenRecord(s);
  ASSERT_EQ(record.size(), AlmutenRecordSize);
  record[5] = 'K';     // bytes the program does not interpret
  record[500] = 'Z';
  std::string second(AlmutenRecordSize, '\x11');
  const std::string path = f.Write("t.alm", record + second);

  std::optional<AlmutenScheme> read;
  ASSERT_NO_THROW(read = ReadAlmutenScheme(path));
  EXPECT_EQ(read->title, "Planetary Strength (Traditional)");
  EXPECT_EQ(read->dignityWeights, (std::array<std::int16_t, 9>{5, 4, 3, 0, 0, 2, 1, -5, -4}));
  EXPECT_EQ(read->houseWeights[12], -5);
  EXPECT_EQ(read->TriplicityVariant(), 2);
  EXPECT_EQ(read->termSystem, 1);
  EXPECT_EQ(read->receptionCounts, (std::array<std::int16_t, 5>{-1, -1, 0, 0, 0}));
  EXPECT_TRUE(read->OwnPlaceMode());
  EXPECT_EQ(read->peregrineWeight, -5);
  EXPECT_FLOAT_EQ(read->cuspOffsets[0], 8.0f);
  EXPECT_DOUBLE_EQ(read->CuspOffset(7), 8.0);
  EXPECT_DOUBLE_EQ(read->CuspOffset(11), 5.0);
  EXPECT_DOUBLE_EQ(read->CuspOffset(12), 3.0);

  // The preferences change the cusp offsets: only those bytes change.
  read->cuspOffsets = {10.0f, 6.0f, 2.0f};
  ASSERT_TRUE(WriteAlmutenScheme(path, 1, *read));
  std::string after = f.Read("t.alm");
  ASSERT_EQ(after.size(), 2 * AlmutenRecordSize);
  std::size_t differing = 0;
  for (std::size_t i = 0; i < after.size(); ++i)
    if (after[i] != (record + second)[i]) {
      ++differing;
      EXPECT_TRUE(i >= 467 && i < 479) << i;
    }
  EXPECT_GT(differing, 0u);
  EXPECT_FLOAT_EQ(ReadAlmutenScheme(path).cuspOffsets[0], 10.0f);
  // Record 2 is read from its own place; record 3 does not exist; a short file fails.
  EXPECT_EQ(ReadAlmutenScheme(path, 2).dignityWeights[0], 0x1111);
  EXPECT_THROW(ReadAlmutenScheme(path, 3), EAlmutenSchemeError);
  EXPECT_THROW(ReadAlmutenScheme(path, 0), EAlmutenSchemeError);
  EXPECT_THROW(ReadAlmutenScheme(f.Write("cut.alm", record.substr(0, 578))), EAlmutenSchemeError);
  EXPECT_THROW(ReadAlmutenScheme(f / "none.alm"), EAlmutenSchemeError);
  // Writing a record beyond the end extends the file.
  ASSERT_TRUE(WriteAlmutenScheme(f / "new.alm", 2, s));
  EXPECT_EQ(f.Read("new.alm").size(), 2 * AlmutenRecordSize);
  EXPECT_EQ(ReadAlmutenScheme(f / "new.alm", 2).title, s.title);
}

TEST(ClassicalSources, Errors) {
  struct Case { std::string (*build)(std::string_view); std::string source; std::string message; };
  std::string aries = "[Terms 0 X]\nAries Jupiter 6 Venus 12 Mercury 20 Mars 25 Saturn 30\n";
  const Case cases[] = {
      {BuildDegreeFile, "Aries Jupiter 30\n", "line 1: text before the first [Terms ...] heading"},
      {BuildDegreeFile, "[Terms 3 X]\n", "line 1: the number must be 0..2"},
      {BuildDegreeFile, aries, "line 1: a term system needs twelve sign lines"},
      {BuildDegreeFile, "[Terms 0]\nTaurus Venus 30\n" + std::string(11, '\n'), "line 1: a term system needs twelve sign lines"},
      {BuildTriplicityFile, "[Triplicities 0 D]\nFire Sun Jupiter\nEarth Venus Moon Mars\nAir Saturn Mercury Jupiter\nWater Venus Mars Moon\n",
       "line 2: expected Fire DAY NIGHT PARTICIPATING"},
      {BuildTriplicityFile, "[Triplicities 0 D]\nFire Sun Jupitr Saturn\nEarth Venus Moon Mars\nAir Saturn Mercury Jupiter\nWater Venus Mars Moon\n",
       "line 2: unknown planet \"Jupitr\""},
      {BuildRulershipFile, "[Scheme TT x]\n", "line 1: a scheme is lettered with one character"},
  };
  for (const Case& c : cases) {
    try {
      c.build(c.source);
      ADD_FAILURE() << c.source;
    } catch (const EClassicalSourceError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  // A term line whose ends do not rise or do not reach 30.
  std::string terms = ClassicalSource("terms.txt");
  std::string bad = terms;
  bad.replace(bad.find("Jupiter 6   Venus 12"), 20, "Jupiter 6   Venus 5 ");
  EXPECT_THROW(BuildDegreeFile(bad), EClassicalSourceError);
  bad = terms;
  bad.replace(bad.find("Saturn 30"), 9, "Saturn 29");
  EXPECT_THROW(BuildDegreeFile(bad), EClassicalSourceError);

  EXPECT_THROW(ParseAlmutenSchemeSource("DignityWeights = 1, 2\n"), EClassicalSourceError);
  EXPECT_THROW(ParseAlmutenSchemeSource("Positions = Sun, Nowhere\n"), EClassicalSourceError);
  EXPECT_THROW(ParseAlmutenSchemeSource("Colour = 1\n"), EClassicalSourceError);
  EXPECT_THROW(ParseAlmutenSchemeSource("OwnPlace = 2\n"), EClassicalSourceError);
  EXPECT_EQ(ParseAlmutenSchemeSource("Positions = Sun, 1022, 105\n").positions[1], 1022);
}

}  // namespace
}  // namespace korvana
