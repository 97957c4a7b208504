#include "core/analysis/aspect_source.h"

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/analysis/aspect_glyphs.h"
#include "core/analysis/aspect_type.h"
#include "core/points/point_catalogue.h"
#include "core/util/text.h"

namespace korvana {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw EAspectSourceError("line " + std::to_string(line) + ": " + what);
}

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::istringstream in{std::string(line)};
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

double Number(int line, const std::string& text, const char* what) {
  std::optional<double> v;
  auto slash = text.find('/');
  if (slash == std::string::npos) {
    v = ParseReal(text);
  } else {
    auto a = ParseReal(std::string_view(text).substr(0, slash));
    auto b = ParseReal(std::string_view(text).substr(slash + 1));
    if (a && b && *b != 0) v = *a / *b;
  }
  if (!v || !std::isfinite(*v)) Fail(line, std::string("expected a number for ") + what + ", found \"" + text + "\"");
  return *v;
}

int Integer(int line, const std::string& text, const char* what, int low, int high) {
  auto v = ParseInt32(text);
  if (!v || *v < low || *v > high)
    Fail(line, std::string("expected a whole number ") + std::to_string(low) + ".." +
                   std::to_string(high) + " for " + what + ", found \"" + text + "\"");
  return *v;
}

int AspectNumberOf(const std::string& name) {
  for (int n = FirstAspectType; n <= LastAspectType; ++n)
    if (EqualsNoCase(name, AspectTypeName(n))) return n;
  return 0;
}

}  // namespace

AspectSet ParseAspectSource(std::string_view text) {
  AspectSet set;
  set.loaded = true;
  int count = 0;
  struct PendingMoiety {
    int line;
    int point;
    double degrees;
  };
  std::vector<PendingMoiety> moieties;
  int lineNo = 0;
  for (const auto& raw : SplitLines(text)) {
    ++lineNo;
    std::string_view line = raw;
    if (auto hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    auto words = Words(line);
    if (words.empty()) continue;
    const std::string& key = words[0];
    auto header = [&](std::int16_t& field) {
      if (words.size() != 2) Fail(lineNo, key + " takes one value");
      field = static_cast<std::int16_t>(Integer(lineNo, words[1], key.c_str(), -32768, 32767));
    };
    if (EqualsNoCase(key, "SelectionMode")) {
      header(set.header.selectionMode);
    } else if (EqualsNoCase(key, "MoietyCombination")) {
      header(set.header.moietyCombination);
    } else if (EqualsNoCase(key, "SeparationMeasure")) {
      header(set.header.separationMeasure);
    } else if (EqualsNoCase(key, "MoietyChoice")) {
      header(set.header.moietyChoice);
    } else if (EqualsNoCase(key, "Aspect")) {
      if (words.size() != 12)
        Fail(lineNo, "expected \"Aspect NAME ANGLE USE RED GREEN BLUE LINE LUMAPP LUMSEP OTHAPP OTHSEP\"");
      if (count == MaxAspectRecords) Fail(lineNo, "more than 50 aspects");
      int type = AspectNumberOf(words[1]);
      if (type == 0) Fail(lineNo, "unknown aspect \"" + words[1] + "\"");
      if (count < 9 && type != count + 1)
        Fail(lineNo, "aspect " + std::to_string(count + 1) + " must be the " +
                         std::string(AspectTypeName(count + 1)) + " (selection by sign relies on the first nine)");
      AspectRecord rec;
      rec.aspectType = static_cast<std::int16_t>(type);
      rec.name = std::string(AspectTypeName(type));
      rec.glyph = static_cast<std::uint8_t>(AspectGlyphCode(type));
      rec.angle = Number(lineNo, words[2], "the angle");
      if (EqualsNoCase(words[3], "yes"))
        rec.inUse = true;
      else if (!EqualsNoCase(words[3], "no"))
        Fail(lineNo, "expected yes or no for the use, found \"" + words[3] + "\"");
      int red = Integer(lineNo, words[4], "red", 0, 255);
      int green = Integer(lineNo, words[5], "green", 0, 255);
      int blue = Integer(lineNo, words[6], "blue", 0, 255);
      rec.color = static_cast<std::uint32_t>(red | (green << 8) | (blue << 16));
      rec.lineStyle = static_cast<std::int16_t>(Integer(lineNo, words[7], "the line style", -10, 6));
      static constexpr const char* OrbNames[4] = {"LUMAPP", "LUMSEP", "OTHAPP", "OTHSEP"};
      for (std::size_t i = 0; i < 4; ++i) {
        double orb = Number(lineNo, words[8 + i], OrbNames[i]);
        if (orb < 0) Fail(lineNo, std::string(OrbNames[i]) + " is negative");
        int natal = NatalOrbIndexes[i];  // direction * 6 + class * 3
        for (int column = 0; column < 3; ++column)
          rec.orbs[static_cast<std::size_t>(natal + column)] = orb;
      }
      ++count;
      set.records[static_cast<std::size_t>(count)] = rec;
    } else if (EqualsNoCase(key, "Moiety")) {
      if (words.size() < 3) Fail(lineNo, "expected \"Moiety DEGREES POINT-NAME\"");
      double degrees = Number(lineNo, words[1], "the moiety");
      if (degrees < 0) Fail(lineNo, "the moiety is negative");
      std::string name;
      for (std::size_t i = 2; i < words.size(); ++i) name += (i > 2 ? " " : "") + words[i];
      int point = PointIdOfName(name);
      if (point == 0) Fail(lineNo, "unknown point \"" + name + "\"");
      for (const auto& m : moieties)
        if (m.point == point) Fail(lineNo, "a second moiety for " + name);
      moieties.push_back({lineNo, point, degrees});
    } else {
      Fail(lineNo, "unknown statement \"" + key + "\"");
    }
  }
  if (count == 0) throw EAspectSourceError("no aspects");
  set.header.count = static_cast<std::int16_t>(count);
  const double base = set.records[1].Orb(OrbApplying, OrbLuminary, OrbNatal);
  for (const auto& m : moieties) {
    if (!(base > 0)) Fail(m.line, "moieties need an applying luminary orb above 0 for the first aspect");
    set.moietyFactors[static_cast<std::size_t>(m.point)] = static_cast<float>(m.degrees / base);
  }
  set.RecomputeDisplayedMoieties();
  return set;
}

}  // namespace korvana
