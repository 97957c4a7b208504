// Replays the report set fuzz entry over the shipped report sets and options files, a set
// with dynamic sections and extra wheel points, an options file with several options and
// an older set in Windows-1252, and over their mutations: values replaced by extreme
// numbers and texts, numbered keys (DynFile n, AsteroidID n, Option n) in runs, past their
// limits or with extreme numbers, section headers and key lines damaged, repeated or
// dropped, and byte changes anywhere.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/fuzz_replay.h"

namespace {

using korvana::testing::FuzzMutator;
using korvana::testing::FuzzSeed;

std::vector<FuzzSeed> Seeds() {
  std::vector<FuzzSeed> seeds;
  for (const auto& entry : std::filesystem::directory_iterator(KORVANA_SOURCE_DATA_DIR "/template")) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".swp" && ext != ".opt") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    seeds.push_back({entry.path().filename().string(), text.str()});
  }
  std::sort(seeds.begin(), seeds.end(), [](const FuzzSeed& a, const FuzzSeed& b) { return a.name < b.name; });
  seeds.push_back({"dynamic.swp",
                   "[Report]\r\nCaption=\"Transits and Progressions\"\r\nBinaryFile=dyn.bin\r\nStarFile=stars.fst\r\n"
                   "OptionsFile=dynamic.opt\r\nParaTitles=1\r\nPoints=111111111111111111111111111111111111\r\n"
                   "Synastry=0\r\nFrontPageGraphicWidth=0.5\r\nIncludesDynRep=1\r\nDynFile1=transits.ini\r\n"
                   "DynTypeName1=Transits\r\nDynOrbEnter1=1,5\r\nDynOrbLeave1=0.5\r\nDynFile2=/abs/progressed.ini\r\n"
                   "DynP1TypeName2=Progressed\r\nDynPointsSelected2=0101\r\nDynFile3=returns.ini\r\n"
                   "IncludesSolRetRep=1\r\nLanguage=no\r\n\r\n[Extra Wheel Points]\r\nUsesExtraPoints=1\r\n"
                   "AsteroidID1=433\r\nAsteroidName1=Eros\r\nAsteroidID2=$FF\r\nAsteroidName2=Hex\r\n"
                   "AsteroidID3=0x10\r\nAsteroidID4=-1\r\nAsteroidID5=7\r\n"});
  seeds.push_back({"several.opt",
                   "; options\n[Option 1]\nMnemonic=ASP\nDescription=Aspects to the angles\n[option 2]\n"
                   "Description=No mnemonic\n[Option 3]\nMnemonic=\"Q\"\nDescription=\"Quoted\"\n"});
  seeds.push_back({"older.swp", "\xEF\xBB\xBF[Report]\nCaption=Th\xE8me natal\nTitle=Caf\xE9\nLanguage=FR\n"});
  return seeds;
}

const char* const ExtremeValues[] = {
    "",     "0",  "-1", "1",  "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295",
    "$FFFFFFFF", "$80000000", "0x7FFFFFFF", "0xFFFFFFFFFFFFFFFF", "$", "0x", "-", "+", "--1",
    "9223372036854775807", "-9223372036854775808", "--9223372036854775808", "-$-8000000000000000",
    "99999999999999999999999", "1e308", "-1e308", "1e-320", "nan", "inf", "-0", "0,5", "1..5", "\"",
    "\"\"", "\"\"x\"\"", "[Report]", "=", ";", " ", "\xC3", "\xFF\xFE", "/", "..", "../../x",
};

const char* const NumberedKeys[] = {"DynFile", "DynTypeName", "DynOrbEnter", "DynOrbLeave", "DynPointsSelected",
                                    "AsteroidID", "AsteroidName"};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i)
    if (i == text.size() || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  return lines;
}

// Keys of one numbered run, switched on.
std::string NumberedRun(bool dynamic, int count) {
  std::string run = dynamic ? "[Report]\nIncludesDynRep=1\n" : "[Extra Wheel Points]\nUsesExtraPoints=1\n";
  for (int n = 1; n <= count; ++n)
    run += (dynamic ? "DynFile" : "AsteroidID") + std::to_string(n) + "=" + std::to_string(n + 1) + "\n";
  return run;
}

void MutateFields(std::string& text, FuzzMutator& m) {
  std::vector<std::string> lines = Lines(text);
  const std::size_t at = m.Below(lines.size());
  std::string& line = lines[at];
  const std::size_t eq = line.find('=');
  const std::string value = ExtremeValues[m.Below(sizeof ExtremeValues / sizeof ExtremeValues[0])];
  switch (m.Below(10)) {
    case 0:
    case 1:
    case 2:  // a value
      line = (eq == std::string::npos ? line + "=" : line.substr(0, eq + 1)) + value;
      break;
    case 3: {  // a numbered key with an extreme number or value
      static const char* const numbers[] = {"0", "-1", "1000", "1001", "2147483648", "99999999999", "01", " 1"};
      line = std::string(NumberedKeys[m.Below(7)]) + numbers[m.Below(8)] + "=" + value;
      break;
    }
    case 4:
      if (m.Below(8) == 0)
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), NumberedRun(m.Below(2), 1 + m.Below(40)));
      else
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), "[Option " + value + "]\nDescription=d");
      break;
    case 5: lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line); break;  // a line repeated
    case 6: lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at)); break;
    case 7:  // a header or key line damaged
      if (!line.empty()) line.erase(m.Below(line.size()), 1 + m.Below(3));
      break;
    case 8: line.insert(m.Below(line.size() + 1), value); break;
    default:  // a switch that makes the numbered keys count
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at),
                   m.Below(2) ? "IncludesDynRep=1" : "UsesExtraPoints=" + value);
      break;
  }
  text.clear();
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i ? "\n" : "") + lines[i];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 1) {
    // Runs past the limits (999 dynamic sections, 1000 extra points), once each.
    korvana::testing::RunFuzzInput(NumberedRun(true, 1001));
    korvana::testing::RunFuzzInput(NumberedRun(false, 1001));
  }
  // Fewer rounds than the binary readers get: every input is read as a whole set, twice.
  return korvana::testing::ReplayFuzzEntry(argc, argv, "reports_reportset_fuzz_replay", Seeds(), MutateFields, 400);
}
