#include "core/analysis/rulerships.h"

#include <algorithm>

#include "core/points/point_id.h"
#include "core/util/files.h"
#include "core/util/messages.h"
#include "core/util/text.h"

namespace korvana {
namespace {

std::uint8_t Ruler(char byte) {
  auto v = static_cast<std::uint8_t>(byte);
  return IsPointId(v) ? v : 0;
}

}  // namespace

const RulershipScheme* RulershipTables::Scheme(int recordNumber) const {
  if (recordNumber < 1 || recordNumber > static_cast<int>(schemes.size())) return nullptr;
  return &schemes[static_cast<std::size_t>(recordNumber - 1)];
}

int RulershipTables::TraditionalDomicile(int sign) const {
  const RulershipScheme* s = Scheme(schemeT);
  if (!s || sign < 1 || sign > 12) return 0;
  return s->domicile[static_cast<std::size_t>(sign)];
}

void ParseRulershipFile(std::string_view bytes, RulershipTables& tables, const std::string& path) {
  tables.schemes.clear();
  tables.schemeT = tables.schemeM = tables.schemeE = tables.schemeH = 1;
  for (std::size_t at = 0; at + RulershipRecordSize <= bytes.size() &&
                           tables.schemes.size() < static_cast<std::size_t>(MaxRulershipSchemes);
       at += RulershipRecordSize) {
    std::string_view rec = bytes.substr(at, RulershipRecordSize);
    RulershipScheme s;
    s.code = rec[0];
    std::size_t count = static_cast<std::uint8_t>(rec[1]);
    s.name = std::string(Trim(rec.substr(2, std::min<std::size_t>(count, 53))));
    for (int sign = 1; sign <= 12; ++sign) {
      std::string_view block = rec.substr(55 + 9 * static_cast<std::size_t>(sign - 1), 9);
      s.domicile[static_cast<std::size_t>(sign)] = Ruler(block[0]);
      s.exaltation[static_cast<std::size_t>(sign)] = Ruler(block[2]);
      for (std::size_t d = 0; d < 3; ++d) s.faces[static_cast<std::size_t>(sign)][d] = Ruler(block[6 + d]);
    }
    tables.schemes.push_back(s);
    const int number = static_cast<int>(tables.schemes.size());
    switch (AsciiUpper(s.code)) {
      case 'T': tables.schemeT = number; break;
      case 'M': tables.schemeM = number; break;
      case 'E': tables.schemeE = number; break;
      case 'H': tables.schemeH = number; break;
      default: break;
    }
  }
  if (tables.schemes.empty()) throw ERulershipFileError(path);
}

void ParseDegreeFile(std::string_view bytes, RulershipTables& tables, const std::string& path) {
  tables.terms = {};
  tables.degreesRead = 0;
  for (std::size_t at = 0; at + DegreeRecordSize <= bytes.size() && tables.degreesRead < 360;
       at += DegreeRecordSize) {
    ++tables.degreesRead;
    for (std::size_t t = 0; t < TermSystemCount; ++t)
      tables.terms[static_cast<std::size_t>(tables.degreesRead)][t] = Ruler(bytes[at + t]);
  }
  if (tables.degreesRead == 0) throw ERulershipFileError(path);
}

void ParseTriplicityFile(std::string_view bytes, RulershipTables& tables, const std::string& path) {
  tables.triplicities = {};
  tables.elementsRead = 0;
  for (std::size_t at = 0; at + TriplicityRecordSize <= bytes.size() && tables.elementsRead < 4;
       at += TriplicityRecordSize) {
    ++tables.elementsRead;
    for (std::size_t b = 0; b < TriplicityRecordSize; ++b)
      tables.triplicities[static_cast<std::size_t>(tables.elementsRead)][b] = Ruler(bytes[at + b]);
  }
  if (tables.elementsRead == 0) throw ERulershipFileError(path);
}

bool LoadRulershipTables(const std::string& rulersPath, const std::string& degreesPath,
                         const std::string& triplicitiesPath, Messages& messages,
                         RulershipTables& tables) {
  tables = RulershipTables{};
  std::string failed;
  auto load = [&](const std::string& path,
                  void (*parse)(std::string_view, RulershipTables&, const std::string&)) {
    try {
      auto found = FindPathNoCase(path);
      auto bytes = found ? ReadFileBytes(*found) : std::nullopt;
      if (!bytes) throw ERulershipFileError(path);
      parse(*bytes, tables, path);
    } catch (const ERulershipFileError& e) {
      failed += (failed.empty() ? "" : ", ") + e.Path();
    }
  };
  load(rulersPath, ParseRulershipFile);
  load(degreesPath, ParseDegreeFile);
  load(triplicitiesPath, ParseTriplicityFile);
  if (failed.empty()) return true;
  messages.Error("Unable to read rulerships file/s: " + failed);
  return false;
}

}  // namespace korvana
