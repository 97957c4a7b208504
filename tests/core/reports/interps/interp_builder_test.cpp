// The readable interpretation source and the builder's refusals.
#include <gtest/gtest.h>

#include "core/reports/interps/interp_builder.h"
#include "core/reports/interps/interps.h"
#include "support/temp_folder.h"

namespace korvana {
namespace {

TEST(InterpSource, HeadingsNamesAndParagraphs) {
  InterpSource s = ParseInterpSource(
      "\xEF\xBB\xBF; a comment\n"
      "Version = 250\r\n"
      "Directed=yes\n"
      "Aspects=Trine, 1\n"
      "\n"
      "[Sign North Node, pisces]\n"
      "\n"
      "  First line\n"
      "second line.  \n"
      "; comments do not end a paragraph\n"
      "\n"
      "\n"
      "New paragraph.\n"
      "\n"
      "[House Moon, 4]\n"
      "[Aspect Part of Fortune, Sesquisquare, 2]\n"
      "Text.\n"
      "[Degree 360]\n"
      "[Topic 12, 3, 2]\n"
      "Kind twelve.\n");
  EXPECT_EQ(s.version, 250);
  EXPECT_EQ(s.directed, true);
  EXPECT_EQ(s.aspects, (std::vector<int>{3, 1}));
  ASSERT_EQ(s.topics.size(), 5u);
  auto is = [](const InterpTopic& t, int kind, int a, int sv, int b, const std::string& text, int line) {
    EXPECT_EQ(t.kind, kind);
    EXPECT_EQ(t.a, a);
    EXPECT_EQ(t.s, sv);
    EXPECT_EQ(t.b, b);
    EXPECT_EQ(t.text, text);
    EXPECT_EQ(t.line, line);
  };
  is(s.topics[0], PointInSign, 20, 12, 0, "First line second line.\r\nNew paragraph.", 6);
  is(s.topics[1], PointInHouse, 1, 4, 0, "", 15);
  is(s.topics[2], AspectText, 26, 7, 2, "Text.", 16);
  is(s.topics[3], DegreeText, 360, 0, 0, "", 18);
  is(s.topics[4], 12, 3, 2, 0, "Kind twelve.", 19);
}

TEST(InterpSource, ErrorsNameTheLine) {
  struct Case { const char* source; const char* message; };
  const Case cases[] = {
      {"Stray text\n", "line 1: text before the first topic heading"},
      {"Colour=red\n", "line 1: unknown setting \"Colour\""},
      {"Version=301\n", "line 1: Version must be 1..300"},
      {"\n[Sign Sun, Aries\n", "line 2: a topic heading must end with ']'"},
      {"[Sign Sunn, Aries]\n", "line 1: unknown point \"Sunn\""},
      {"[Sign Sun, Ariez]\n", "line 1: unknown sign \"Ariez\""},
      {"[Aspect Sun, Trine]\n", "line 1: expected [Aspect POINT, ASPECT, POINT]"},
      {"[Aspect Sun, Trines, Moon]\n", "line 1: unknown aspect \"Trines\""},
      {"[Degree 361]\n", "line 1: degree must be 1..360"},
      {"[Topic 19]\n", "line 1: topic kind must be 0..18"},
      {"[Planet Sun]\n", "line 1: unknown topic heading \"Planet\""},
      {"Aspects=Trine, trine\n", "line 1: aspect \"trine\" is listed twice"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    try {
      ParseInterpSource(c.source);
      ADD_FAILURE() << "accepted";
    } catch (const EInterpSourceError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

TEST(InterpBuilder, RefusesWhatTheVersionCannotHold) {
  struct Case { const char* source; int version; bool directed; const char* message; };
  const Case cases[] = {
      {"[Sign 27, Aries]\n", 150, false, "line 1: the topic's numbers are out of range for a version 150 file (points 1..26)"},
      {"[Aspect Sun, Trine, 37]\n", 250, false, "line 1: the topic's numbers are out of range for a version 250 file (points 1..36)"},
      {"[House Sun, 13]\n", 300, false, "line 1: the topic's numbers are out of range for a version 300 file (points 1..50)"},
      {"Aspects=Square\n[Aspect Sun, Trine, Moon]\n", 300, false, "line 2: the aspect is not in the file's aspect list"},
      {"[Aspect Sun, Trine, Moon]\nA\n[Aspect Moon, Trine, Sun]\nB\n", 250, false, "line 3: the topic repeats the one on line 1"},
      {"[Aspect Sun, Trine, Moon]\nA\n[Aspect Moon, Trine, Sun]\nB\n", 150, false, "line 3: the topic repeats the one on line 1"},
      {"[Degree 1]\n", 150, true, "a file below version 200 cannot hold directed pairs"},
      {"[Degree 1]\n", 301, false, "the version must be 1..300"},
      {"[Topic 4, 400000000]\nX\n", 300, false, "the file would exceed 2 GB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    try {
      BuildInterpFile(ParseInterpSource(c.source), c.version, c.directed);
      ADD_FAILURE() << "built";
    } catch (const EInterpSourceError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
  // The same pair in both orders is two topics in a directed file.
  EXPECT_NO_THROW(BuildInterpFile(ParseInterpSource(cases[4].source), 250, true));
  InterpSource longText;
  longText.topics.push_back({DegreeText, 1, 0, 0, std::string(32768, 'x')});
  EXPECT_THROW(BuildInterpFile(longText, 300, false), EInterpSourceError);
  longText.topics[0].text.pop_back();
  EXPECT_NO_THROW(BuildInterpFile(longText, 300, false));
}

TEST(InterpBuilder, SourceFileToInterpretationFile) {
  testing::TempFolder folder;
  std::string src = folder.Write("src.txt", "Version=150\n[Aspect Moon, Square, Moon]\nSelf.\n");
  std::string out = folder / "out.int";
  BuildInterpFileFromSource(src, out, std::nullopt, std::nullopt);
  TEMInterps interps;
  interps.Open(out);
  EXPECT_EQ(interps.Version, 150);
  std::string text;
  EXPECT_TRUE(interps.GetText(AspectText, 1, 4, 1, text));
  EXPECT_EQ(text, "Self.");
  // Options override the source; a failed build leaves the old file as it was.
  BuildInterpFileFromSource(src, out, 300, true);
  interps.Open(out);
  EXPECT_EQ(interps.Version, 300);
  EXPECT_NE(interps.DirectedPairs, 0);
  std::string before = folder.Read("out.int");
  std::string bad = folder.Write("bad.txt", "[Sign Sun, Nowhere]\n");
  try {
    BuildInterpFileFromSource(bad, out, std::nullopt, std::nullopt);
    ADD_FAILURE();
  } catch (const EInterpSourceError& e) {
    EXPECT_EQ(std::string(e.what()), bad + ": line 1: unknown sign \"Nowhere\"");
  }
  EXPECT_EQ(folder.Read("out.int"), before);
  EXPECT_THROW(BuildInterpFileFromSource(folder / "none.txt", out, 300, false), EInterpSourceError);
}

}  // namespace
}  // namespace korvana
