// korvana_tztables --zones LIST --out FOLDER [--last-year YEAR]
// Writes the zone history tables tztable.lst, tztable.ndx and tztable.bin into FOLDER,
// one table per zone of LIST ("<table number> <IANA zone>" lines), from the system's
// time zone database.
#include <iostream>
#include <string>

#include "core/util/files.h"
#include "core/util/text.h"
#include "tz_history.h"

int main(int argc, char** argv) {
  using namespace korvana;
  std::string zonesPath, outFolder;
  tztables::GeneratorOptions options;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string arg = argv[i];
    if (arg == "--zones") {
      zonesPath = argv[i + 1];
    } else if (arg == "--out") {
      outFolder = WithTrailingSlash(argv[i + 1]);
    } else if (arg == "--last-year") {
      std::optional<std::int32_t> y = ParseInt32(argv[i + 1]);
      if (!y || *y < 1900 || *y > 32000) {
        std::cerr << "korvana_tztables: bad year " << argv[i + 1] << "\n";
        return 2;
      }
      options.lastYear = *y;
    } else {
      zonesPath.clear();
      break;
    }
  }
  if (zonesPath.empty() || outFolder.empty() || argc % 2 == 0) {
    std::cerr << "usage: korvana_tztables --zones LIST --out FOLDER [--last-year YEAR]\n";
    return 2;
  }
  try {
    std::optional<std::string> text = ReadFileBytes(zonesPath);
    if (!text) throw tztables::TzError("cannot read " + zonesPath);
    tztables::GeneratedTables t = tztables::GenerateTables(tztables::ParseZoneNumbers(*text), options);
    ZoneTableBytes bytes = WriteZoneTables(t.tables);
    if (!MakeFolders(outFolder) || !WriteFileAtomic(outFolder + "tztable.lst", WriteZoneCodes(t.codes)) ||
        !WriteFileAtomic(outFolder + "tztable.bin", bytes.bin) ||
        !WriteFileAtomic(outFolder + "tztable.ndx", bytes.index))
      throw tztables::TzError("cannot write the tables into " + outFolder);
    std::cout << "korvana_tztables: " << t.tables.size() << " tables, " << t.codes.size() << " zone codes\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "korvana_tztables: " << e.what() << "\n";
    return 1;
  }
}
