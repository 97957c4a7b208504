#include "core/analysis/classical_sources.h"

#include <vector>

#include "core/analysis/rulerships.h"
#include "core/points/point_catalogue.h"
#include "core/time/entry_parsing.h"
#include "core/util/codepage.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw EClassicalSourceError("line " + std::to_string(line) + ": " + what);
}

struct Line {
  int number;
  std::vector<std::string> words;
  std::string text;
};

// Non-empty, non-comment lines split into words.
std::vector<Line> Lines(std::string_view source) {
  std::vector<Line> out;
  auto lines = SplitLines(source);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view l = Trim(lines[i]);
    if (l.empty() || l.front() == ';') continue;
    Line line{static_cast<int>(i + 1), {}, std::string(l)};
    for (auto& w : Split(l, ' '))
      for (auto& x : Split(w, '\t'))
        if (!x.empty()) line.words.push_back(x);
    out.push_back(std::move(line));
  }
  return out;
}

std::uint8_t Planet(const Line& l, const std::string& word) {
  if (word == "-") return 0;
  if (auto n = ParseInt32(word); n && IsPointId(*n)) return static_cast<std::uint8_t>(*n);
  int p = PointIdOfName(word);
  if (p == 0) Fail(l.number, "unknown planet \"" + word + "\"");
  return static_cast<std::uint8_t>(p);
}

void ExpectSign(const Line& l, int sign) {
  if (l.words.empty() || !EqualsNoCase(l.words[0], SignNames[static_cast<std::size_t>(sign - 1)]))
    Fail(l.number, std::string("expected the line of ") + SignNames[static_cast<std::size_t>(sign - 1)]);
}

// "[Keyword N rest...]" headings with the lines under each.
struct Block {
  const Line* heading;
  std::string id;
  std::string name;
  std::vector<const Line*> body;
};
std::vector<Block> Blocks(const std::vector<Line>& lines, std::string_view keyword) {
  std::vector<Block> blocks;
  for (const Line& l : lines) {
    if (l.text.front() == '[') {
      std::vector<std::string> words;
      if (l.text.back() == ']')
        for (auto& w : Split(Trim(std::string_view(l.text).substr(1, l.text.size() - 2)), ' '))
          if (!w.empty()) words.push_back(w);
      if (words.size() < 2 || !EqualsNoCase(words[0], keyword))
        Fail(l.number, "expected [" + std::string(keyword) + " ...]");
      Block b{&l, words[1], "", {}};
      for (std::size_t i = 2; i < words.size(); ++i) b.name += (b.name.empty() ? "" : " ") + words[i];
      blocks.push_back(std::move(b));
    } else {
      if (blocks.empty()) Fail(l.number, "text before the first [" + std::string(keyword) + " ...] heading");
      blocks.back().body.push_back(&l);
    }
  }
  return blocks;
}

int BlockNumber(const Block& b, int count) {
  auto n = ParseInt32(b.id);
  if (!n || *n < 0 || *n >= count)
    Fail(b.heading->number, "the number must be 0.." + std::to_string(count - 1));
  return *n;
}

std::vector<std::int32_t> Numbers(int line, std::string_view value, std::size_t count) {
  std::vector<std::int32_t> out;
  for (auto& w : Split(value, ',')) {
    auto n = ParseInt32(Trim(w));
    if (!n) Fail(line, "\"" + std::string(Trim(w)) + "\" is not a whole number");
    out.push_back(*n);
  }
  if (out.size() != count) Fail(line, "expected " + std::to_string(count) + " values");
  return out;
}

std::int16_t Int16(int line, std::int32_t v) {
  if (v < -32768 || v > 32767) Fail(line, "value out of range");
  return static_cast<std::int16_t>(v);
}

}  // namespace

std::string BuildRulershipFile(std::string_view source) {
  auto lines = Lines(source);
  auto blocks = Blocks(lines, "Scheme");
  if (blocks.empty() || blocks.size() > 5) throw EClassicalSourceError("a rulerships file holds 1 to 5 schemes");
  std::string out;
  for (const Block& b : blocks) {
    if (b.id.size() != 1) Fail(b.heading->number, "a scheme is lettered with one character");
    if (b.body.size() != 12) Fail(b.heading->number, "a scheme needs twelve sign lines");
    std::string rec(RulershipRecordSize, '\0');
    rec[0] = AsciiUpper(b.id[0]);
    ByteWriter name;
    name.ShortString(Utf8ToCp1252(b.name), 53);
    rec.replace(1, name.Size(), name.Data());
    for (int sign = 1; sign <= 12; ++sign) {
      const Line& l = *b.body[static_cast<std::size_t>(sign - 1)];
      ExpectSign(l, sign);
      if (l.words.size() != 6) Fail(l.number, "expected SIGN DOMICILE EXALTATION FACE1 FACE2 FACE3");
      std::size_t at = 55 + 9 * static_cast<std::size_t>(sign - 1);
      rec[at] = static_cast<char>(Planet(l, l.words[1]));
      rec[at + 2] = static_cast<char>(Planet(l, l.words[2]));
      for (std::size_t f = 0; f < 3; ++f) rec[at + 6 + f] = static_cast<char>(Planet(l, l.words[3 + f]));
    }
    out += rec;
  }
  return out;
}

std::string BuildDegreeFile(std::string_view source) {
  auto lines = Lines(source);
  auto blocks = Blocks(lines, "Terms");
  std::string out(360 * DegreeRecordSize, '\0');
  for (const Block& b : blocks) {
    const int system = BlockNumber(b, TermSystemCount);
    if (b.body.size() != 12) Fail(b.heading->number, "a term system needs twelve sign lines");
    for (int sign = 1; sign <= 12; ++sign) {
      const Line& l = *b.body[static_cast<std::size_t>(sign - 1)];
      ExpectSign(l, sign);
      if (l.words.size() < 3 || l.words.size() % 2 == 0) Fail(l.number, "expected SIGN PLANET END PLANET END ...");
      int from = 0;
      for (std::size_t i = 1; i + 1 < l.words.size(); i += 2) {
        std::uint8_t planet = Planet(l, l.words[i]);
        auto end = ParseInt32(l.words[i + 1]);
        if (!end || *end <= from || *end > 30) Fail(l.number, "term ends must rise within 1..30");
        for (int d = from; d < *end; ++d)
          out[static_cast<std::size_t>((sign - 1) * 30 + d) * DegreeRecordSize + static_cast<std::size_t>(system)] =
              static_cast<char>(planet);
        from = *end;
      }
      if (from != 30) Fail(l.number, "the last term must end at 30");
    }
  }
  return out;
}

std::string BuildTriplicityFile(std::string_view source) {
  static const char* const elements[4] = {"Fire", "Earth", "Air", "Water"};
  auto lines = Lines(source);
  auto blocks = Blocks(lines, "Triplicities");
  std::string out(4 * TriplicityRecordSize, '\0');
  for (const Block& b : blocks) {
    const int variant = BlockNumber(b, TriplicityVariantCount);
    if (b.body.size() != 4) Fail(b.heading->number, "a triplicity variant needs four element lines");
    for (std::size_t e = 0; e < 4; ++e) {
      const Line& l = *b.body[e];
      if (l.words.size() != 4 || !EqualsNoCase(l.words[0], elements[e]))
        Fail(l.number, std::string("expected ") + elements[e] + " DAY NIGHT PARTICIPATING");
      for (std::size_t k = 0; k < 3; ++k)
        out[e * TriplicityRecordSize + k * 3 + static_cast<std::size_t>(variant)] =
            static_cast<char>(Planet(l, l.words[1 + k]));
    }
  }
  return out;
}

AlmutenScheme ParseAlmutenSchemeSource(std::string_view source) {
  AlmutenScheme s;
  s.rulershipScheme = 1;
  for (const Line& l : Lines(source)) {
    std::size_t eq = l.text.find('=');
    if (eq == std::string::npos) Fail(l.number, "expected Key = value");
    std::string_view key = Trim(std::string_view(l.text).substr(0, eq));
    std::string_view value = Trim(std::string_view(l.text).substr(eq + 1));
    const int n = l.number;
    auto one = [&]() { return Int16(n, Numbers(n, value, 1)[0]); };
    auto flag = [&](std::int32_t v) -> std::int16_t {
      if (v != 0 && v != 1) Fail(n, "flags are 0 or 1");
      return v ? -1 : 0;
    };
    if (EqualsNoCase(key, "Title")) {
      if (Utf8ToCp1252(value).size() > 39) Fail(n, "the title is longer than 39 characters");
      s.title = std::string(value);
    } else if (EqualsNoCase(key, "DignityWeights")) {
      auto v = Numbers(n, value, 9);
      for (std::size_t i = 0; i < 9; ++i) s.dignityWeights[i] = Int16(n, v[i]);
    } else if (EqualsNoCase(key, "ReceptionWeights")) {
      auto v = Numbers(n, value, 5);
      for (std::size_t i = 0; i < 5; ++i) s.receptionWeights[i] = Int16(n, v[i]);
    } else if (EqualsNoCase(key, "DayBonus")) {
      s.dayBonus = one();
    } else if (EqualsNoCase(key, "HourBonus")) {
      s.hourBonus = one();
    } else if (EqualsNoCase(key, "HouseWeights")) {
      auto v = Numbers(n, value, 12);
      for (std::size_t i = 0; i < 12; ++i) s.houseWeights[i + 1] = Int16(n, v[i]);
    } else if (EqualsNoCase(key, "TriplicityVariant")) {
      std::int16_t v = one();
      if (v < 0 || v > 127) Fail(n, "the triplicity variant is 0..2");
      s.triplicityByte = static_cast<std::uint8_t>(v);
    } else if (EqualsNoCase(key, "TermSystem")) {
      std::int16_t v = one();
      if (v < 0 || v > 255) Fail(n, "the term system is 0..2");
      s.termSystem = static_cast<std::uint8_t>(v);
    } else if (EqualsNoCase(key, "ReceptionSavesFromPeregrine")) {
      auto v = Numbers(n, value, 5);
      for (std::size_t i = 0; i < 5; ++i) s.receptionCounts[i] = flag(v[i]);
    } else if (EqualsNoCase(key, "OwnPlace")) {
      s.ownPlace = flag(one());
    } else if (EqualsNoCase(key, "ReversedFortune")) {
      s.reversedFortune = flag(one());
    } else if (EqualsNoCase(key, "Positions")) {
      s.positions = {};
      if (value.empty()) continue;
      auto words = Split(value, ',');
      if (words.size() > static_cast<std::size_t>(MaxPositionCodes)) Fail(n, "at most 36 positions");
      for (std::size_t i = 0; i < words.size(); ++i) {
        std::string_view w = Trim(words[i]);
        std::int32_t code = 0;
        if (auto v = ParseInt32(w)) code = *v;
        else code = PointIdOfName(w);
        if (code <= 0 || code > 32767) Fail(n, "unknown position \"" + std::string(w) + "\"");
        s.positions[i] = static_cast<std::int16_t>(code);
      }
    } else if (EqualsNoCase(key, "RulershipScheme")) {
      s.rulershipScheme = one();
    } else if (EqualsNoCase(key, "HouseSystem")) {
      s.houseSystem = one();
    } else if (EqualsNoCase(key, "CuspOffsets")) {
      auto words = Split(value, ',');
      if (words.size() != 3) Fail(n, "expected 3 values");
      for (std::size_t i = 0; i < 3; ++i) {
        auto v = ParseReal(Trim(words[i]));
        if (!v) Fail(n, "\"" + std::string(Trim(words[i])) + "\" is not a number");
        s.cuspOffsets[i] = static_cast<float>(*v);
      }
    } else if (EqualsNoCase(key, "DegreeShift")) {
      s.degreeShift = one();
    } else if (EqualsNoCase(key, "SectCondition")) {
      s.sectCondition = one();
    } else if (EqualsNoCase(key, "PeregrineWeight")) {
      s.peregrineWeight = one();
    } else {
      Fail(n, "unknown key \"" + std::string(key) + "\"");
    }
  }
  return s;
}

}  // namespace korvana
