#include "core/reports/interps/interp_builder.h"

#include <algorithm>
#include <limits>
#include <map>
#include <utility>

#include "core/reports/interps/interps.h"
#include "core/reports/language/language.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/records.h"
#include "core/util/text.h"

namespace korvana {
namespace {

[[noreturn]] void Fail(int line, const std::string& what) {
  throw EInterpSourceError(line > 0 ? "line " + std::to_string(line) + ": " + what : what);
}

// A number, or the 1-based index of a name in a table (compared without regard to case).
template <std::size_t N>
std::optional<std::int32_t> NumberOrName(std::string_view word, const std::array<std::string_view, N>& names) {
  word = Trim(word);
  if (auto n = ParseInt32(word)) return n;
  for (std::size_t i = 0; i < N; ++i)
    if (EqualsNoCase(word, names[i])) return static_cast<std::int32_t>(i + 1);
  return std::nullopt;
}

std::int32_t Point(int line, std::string_view word) {
  auto p = NumberOrName(word, lang::DefaultPointNames);
  if (!p) Fail(line, "unknown point \"" + std::string(Trim(word)) + "\"");
  return *p;
}

std::int32_t Sign(int line, std::string_view word) {
  auto s = NumberOrName(word, lang::DefaultSignNames);
  if (!s) Fail(line, "unknown sign \"" + std::string(Trim(word)) + "\"");
  return *s;
}

std::int32_t Aspect(int line, std::string_view word) {
  auto a = NumberOrName(word, lang::DefaultAspectNames);
  if (!a || *a < 1 || *a > InterpAspectCount) Fail(line, "unknown aspect \"" + std::string(Trim(word)) + "\"");
  return *a;
}

std::int32_t Number(int line, std::string_view word) {
  auto n = ParseInt32(Trim(word));
  if (!n) Fail(line, "\"" + std::string(Trim(word)) + "\" is not a number");
  return *n;
}

InterpTopic ParseHeading(int line, std::string_view inner) {
  inner = Trim(inner);
  std::size_t space = inner.find_first_of(" \t");
  std::string_view keyword = inner.substr(0, space);
  std::vector<std::string> args;
  if (space != std::string_view::npos) args = Split(Trim(inner.substr(space)), ',');
  auto want = [&](std::size_t lo, std::size_t hi, const char* form) {
    if (args.size() < lo || args.size() > hi) Fail(line, std::string("expected [") + form + "]");
  };
  InterpTopic t;
  t.line = line;
  if (EqualsNoCase(keyword, "Degree")) {
    want(1, 1, "Degree N");
    t.kind = DegreeText;
    t.a = Number(line, args[0]);
    if (t.a < 1 || t.a > 360) Fail(line, "degree must be 1..360");
  } else if (EqualsNoCase(keyword, "Sign")) {
    want(2, 2, "Sign POINT, SIGN");
    t.kind = PointInSign;
    t.a = Point(line, args[0]);
    t.s = Sign(line, args[1]);
  } else if (EqualsNoCase(keyword, "House")) {
    want(2, 2, "House POINT, HOUSE");
    t.kind = PointInHouse;
    t.a = Point(line, args[0]);
    t.s = Number(line, args[1]);
  } else if (EqualsNoCase(keyword, "Aspect")) {
    want(3, 3, "Aspect POINT, ASPECT, POINT");
    t.kind = AspectText;
    t.a = Point(line, args[0]);
    t.s = Aspect(line, args[1]);
    t.b = Point(line, args[2]);
  } else if (EqualsNoCase(keyword, "Topic")) {
    want(1, 4, "Topic KIND[, A[, S[, B]]]");
    t.kind = Number(line, args[0]);
    if (t.kind < 0 || t.kind >= InterpKindCount) Fail(line, "topic kind must be 0..18");
    if (args.size() > 1) t.a = Number(line, args[1]);
    if (args.size() > 2) t.s = t.kind == AspectText ? Aspect(line, args[2]) : Number(line, args[2]);
    if (args.size() > 3) t.b = Number(line, args[3]);
  } else {
    Fail(line, "unknown topic heading \"" + std::string(keyword) + "\"");
  }
  return t;
}

std::string JoinParagraph(std::vector<std::string_view> lines) {
  while (!lines.empty() && Trim(lines.back()).empty()) lines.pop_back();
  std::size_t first = 0;
  while (first < lines.size() && Trim(lines[first]).empty()) ++first;
  std::string text;
  bool breakPending = false;
  for (std::size_t i = first; i < lines.size(); ++i) {
    std::string_view l = Trim(lines[i]);
    if (l.empty()) {
      breakPending = true;
      continue;
    }
    if (breakPending) text += "\r\n";
    else if (!text.empty()) text += ' ';
    breakPending = false;
    text += l;
  }
  return text;
}

bool ParseFlag(int line, std::string_view v) {
  v = Trim(v);
  if (v == "1" || EqualsNoCase(v, "yes") || EqualsNoCase(v, "true")) return true;
  if (v == "0" || EqualsNoCase(v, "no") || EqualsNoCase(v, "false")) return false;
  Fail(line, "Directed must be 0 or 1");
}

// Records of a kind's section: the full table for the kinds whose size the version fixes,
// otherwise as many as the highest record used needs.
std::int64_t NaturalSectionSize(int kind, int version, int aspectCount) {
  const std::int64_t n = PointCapacityOf(version);
  if (kind == DegreeText) return 360;
  const InterpKindAddressing addressing = InterpAddressingOf(kind);
  switch (addressing.layout) {
    case InterpLayout::OneText: return 1;
    case InterpLayout::OnePerItem: return addressing.pointItems ? n : 0;
    case InterpLayout::TwelvePerItem: return addressing.pointItems ? n * 12 : 0;
    case InterpLayout::AspectPairs: return version < 200 ? n * (n + 1) / 2 * aspectCount : n * n * aspectCount;
    default: return 0;
  }
}

}  // namespace

InterpSource ParseInterpSource(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  InterpSource source;
  std::vector<std::string> lines = SplitLines(text);
  std::vector<std::string_view> paragraph;
  bool inTopic = false;
  auto finish = [&]() {
    if (inTopic) source.topics.back().text = JoinParagraph(paragraph);
    paragraph.clear();
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int line = static_cast<int>(i + 1);
    std::string_view l = Trim(lines[i]);
    if (!l.empty() && l.front() == ';') continue;
    if (!l.empty() && l.front() == '[') {
      if (l.back() != ']') Fail(line, "a topic heading must end with ']'");
      finish();
      source.topics.push_back(ParseHeading(line, l.substr(1, l.size() - 2)));
      inTopic = true;
      continue;
    }
    if (inTopic) {
      paragraph.push_back(lines[i]);
      continue;
    }
    if (l.empty()) continue;
    std::size_t eq = l.find('=');
    if (eq == std::string_view::npos) Fail(line, "text before the first topic heading");
    std::string_view key = Trim(l.substr(0, eq)), value = Trim(l.substr(eq + 1));
    if (EqualsNoCase(key, "Version")) {
      std::int32_t v = Number(line, value);
      if (v < 1 || v > InterpMaxVersion) Fail(line, "Version must be 1..300");
      source.version = v;
    } else if (EqualsNoCase(key, "Directed")) {
      source.directed = ParseFlag(line, value);
    } else if (EqualsNoCase(key, "Aspects")) {
      source.aspects.clear();
      for (const auto& word : Split(value, ',')) {
        if (Trim(word).empty()) continue;
        std::int32_t a = Aspect(line, word);
        if (std::find(source.aspects.begin(), source.aspects.end(), a) != source.aspects.end())
          Fail(line, "aspect \"" + std::string(Trim(word)) + "\" is listed twice");
        source.aspects.push_back(a);
      }
    } else {
      Fail(line, "unknown setting \"" + std::string(key) + "\"");
    }
  }
  finish();
  return source;
}

std::string BuildInterpFile(const InterpSource& source, int version, bool directed) {
  if (version < 1 || version > InterpMaxVersion) Fail(0, "the version must be 1..300");
  if (directed && version < 200) Fail(0, "a file below version 200 cannot hold directed pairs");

  // The file's aspect list and the map from program aspect numbers into it.
  std::vector<int> aspects = source.aspects;
  if (aspects.empty()) {
    for (const auto& t : source.topics)
      if (t.kind == AspectText && t.s >= 1 && t.s <= InterpAspectCount) aspects.push_back(t.s);
    std::sort(aspects.begin(), aspects.end());
    aspects.erase(std::unique(aspects.begin(), aspects.end()), aspects.end());
  }
  if (aspects.size() > static_cast<std::size_t>(InterpAspectCount)) Fail(0, "more than 26 aspects");
  std::array<std::int16_t, InterpAspectCount + 1> aspectMap{};
  for (std::size_t i = 0; i < aspects.size(); ++i) {
    int a = aspects[i];
    if (a < 1 || a > InterpAspectCount || aspectMap[static_cast<std::size_t>(a)] != 0)
      Fail(0, "the aspect list must name distinct aspects 1..26");
    aspectMap[static_cast<std::size_t>(a)] = static_cast<std::int16_t>(i + 1);
  }
  const int aspectCount = static_cast<int>(aspects.size());

  // Record number of every topic; sections sized to hold them.
  struct Placed {
    const InterpTopic* topic;
    std::int32_t record;
  };
  std::vector<Placed> placed;
  std::array<std::int64_t, InterpKindCount> sectionSize{};
  std::map<std::pair<int, std::int32_t>, int> used;
  for (const auto& t : source.topics) {
    if (t.kind < 0 || t.kind >= InterpKindCount) Fail(t.line, "topic kind must be 0..18");
    std::int32_t s = t.s;
    if (t.kind == AspectText) {
      s = (t.s >= 1 && t.s <= InterpAspectCount) ? aspectMap[static_cast<std::size_t>(t.s)] : 0;
      if (s == 0) Fail(t.line, "the aspect is not in the file's aspect list");
    }
    if (t.kind == DegreeText && t.a > 360) Fail(t.line, "degree must be 1..360");
    std::int32_t r;
    try {
      r = InterpRecordNumber(version, directed, aspectCount, t.kind, t.a, s, t.b);
    } catch (const std::overflow_error&) {
      r = -1;
    }
    if (r < 0)
      Fail(t.line, "the topic's numbers are out of range for a version " + std::to_string(version) +
                       " file (points 1.." + std::to_string(PointCapacityOf(version)) + ")");
    auto [it, fresh] = used.emplace(std::make_pair(t.kind, r), t.line);
    if (!fresh) Fail(t.line, "the topic repeats the one on line " + std::to_string(it->second));
    placed.push_back({&t, r});
    auto& size = sectionSize[static_cast<std::size_t>(t.kind)];
    size = std::max({size, NaturalSectionSize(t.kind, version, aspectCount), std::int64_t{r} + 1});
  }

  // Layout: header, aspect map, aspect names; then at DataStart one empty record (an
  // offset of 0 means "no section"), the sections in kind order, and the paragraphs.
  const std::int64_t headerSize = version == InterpMaxVersion ? InterpHeaderSize300 : InterpHeaderSize;
  const std::int64_t dataStart = headerSize + 2 * InterpAspectCount + std::int64_t{InterpAspectNameSize} * aspectCount;
  std::array<std::int32_t, InterpKindCount> offsets{};
  std::int64_t next = 6;
  for (int k = 0; k < InterpKindCount; ++k) {
    if (sectionSize[static_cast<std::size_t>(k)] == 0) continue;
    offsets[static_cast<std::size_t>(k)] = static_cast<std::int32_t>(std::min<std::int64_t>(next, INT32_MAX));
    next += 6 * sectionSize[static_cast<std::size_t>(k)];
  }
  std::vector<std::string> texts;
  std::int64_t textStart = dataStart + next, total = textStart;
  for (const auto& p : placed) {
    texts.push_back(Utf8ToCp1252(p.topic->text));
    if (texts.back().size() > 32767) Fail(p.topic->line, "the paragraph is longer than 32767 bytes");
    total += static_cast<std::int64_t>(texts.back().size());
  }
  if (total > std::numeric_limits<std::int32_t>::max()) Fail(0, "the file would exceed 2 GB");

  ByteWriter w;
  w.I16(static_cast<std::int16_t>(version));
  for (auto o : offsets) w.I32(o);
  if (version == InterpMaxVersion) w.Zeros(12);
  w.I32(directed ? 1 : 0);
  w.I16(static_cast<std::int16_t>(aspectCount));
  w.Zeros(14 + 56);
  for (int i = 1; i <= InterpAspectCount; ++i) w.I16(aspectMap[static_cast<std::size_t>(i)]);
  for (int a : aspects) {
    std::string name = Utf8ToCp1252(lang::DefaultAspectNames[static_cast<std::size_t>(a - 1)]);
    name.resize(InterpAspectNameSize, ' ');
    w.Bytes(name);
  }
  std::string file = w.Take();
  file.resize(static_cast<std::size_t>(total), '\0');
  std::int64_t textPos = textStart;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    const auto& p = placed[i];
    std::size_t at = static_cast<std::size_t>(dataStart + offsets[static_cast<std::size_t>(p.topic->kind)] +
                                              6 * std::int64_t{p.record});
    if (texts[i].empty()) continue;  // a record of zeros: "no text for this topic"
    PatchI32(file, at, static_cast<std::int32_t>(textPos + 1));
    file[at + 4] = static_cast<char>(texts[i].size() & 0xFF);
    file[at + 5] = static_cast<char>((texts[i].size() >> 8) & 0xFF);
    file.replace(static_cast<std::size_t>(textPos), texts[i].size(), texts[i]);
    textPos += static_cast<std::int64_t>(texts[i].size());
  }
  return file;
}

void BuildInterpFileFromSource(const std::string& sourcePath, const std::string& outputPath,
                               std::optional<int> version, std::optional<bool> directed) {
  auto text = ReadFileBytes(sourcePath);
  if (!text) throw EInterpSourceError("Unable to read interpretation source: " + sourcePath);
  std::string bytes;
  try {
    InterpSource source = ParseInterpSource(*text);
    bytes = BuildInterpFile(source, version.value_or(source.version.value_or(InterpMaxVersion)),
                            directed.value_or(source.directed.value_or(false)));
  } catch (const EInterpSourceError& e) {
    throw EInterpSourceError(sourcePath + ": " + e.what());
  }
  if (!WriteFileAtomic(outputPath, bytes))
    throw EInterpSourceError("Unable to write interpretation file: " + outputPath);
}

}  // namespace korvana
