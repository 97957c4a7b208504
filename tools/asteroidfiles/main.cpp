// Writes the own back end's asteroid files from the Swiss Ephemeris asteroid file
// (seas_18.se1, 1800-2400):
//   korvana_asteroidfiles SWISS_EPHEMERIS_FOLDER OUT_FOLDER CENTURY...
// one "ASnnAD.EPH" a century (18 for 1800-1899 ...). Hygeia and Astraea have no file
// in that folder unless their own se00010s.se1 / se00005s.se1 is there (also in its
// "ast0/" sub-folder); without it their slots hold zeros and they stay uncomputed.
#include <swephexp.h>

#include <iostream>
#include <string>

#include "core/astro/asteroid_file.h"
#include "core/util/files.h"

int main(int argc, char** argv) {
  using namespace korvana;
  if (argc < 4) {
    std::cerr << "usage: korvana_asteroidfiles SWISS_EPHEMERIS_FOLDER OUT_FOLDER CENTURY...\n";
    return 1;
  }
  std::string sweFolder = WithTrailingSlash(argv[1]);
  std::string path = sweFolder + ":" + sweFolder + "ast0/";
  swe_set_ephe_path(path.c_str());
  const int bodies[AsteroidFileBodies] = {SE_CHIRON, SE_VESTA, SE_PALLAS, SE_JUNO,
                                          SE_CERES, SE_AST_OFFSET + 10, SE_AST_OFFSET + 5};
  const std::int32_t flags = SEFLG_SWIEPH | SEFLG_HELCTR | SEFLG_TRUEPOS | SEFLG_NONUT |
                             SEFLG_NOABERR | SEFLG_NOGDEFL;
  std::string outFolder = WithTrailingSlash(argv[2]);
  for (int a = 3; a < argc; ++a) {
    int century = std::atoi(argv[a]);
    if (century < 1 || century > 99) {
      std::cerr << "korvana_asteroidfiles: bad century " << argv[a] << "\n";
      return 1;
    }
    std::string data;
    int computed = 0;
    for (int k = 0; k < AsteroidRecordsPerFile; ++k) {
      double jd = AsteroidFileStart(century) + AsteroidStepDays * (k - 1);
      AsteroidRecord record{};
      for (int b = 0; b < AsteroidFileBodies; ++b) {
        double xx[6] = {0, 0, 0, 0, 0, 0};
        char serr[AS_MAXCH] = "";
        std::int32_t got = swe_calc(jd, bodies[b], flags, xx, serr);
        if (got < 0 || (got & SEFLG_SWIEPH) == 0) continue;  // left at zero: no data
        record[static_cast<std::size_t>(b)] = {xx[0], xx[1], xx[2]};
        ++computed;
      }
      data += EncodeAsteroidRecord(record);
    }
    if (computed == 0) {
      std::cerr << "korvana_asteroidfiles: no asteroid data in " << sweFolder << "\n";
      return 1;
    }
    std::string out = outFolder + AsteroidFileName(century);
    if (!MakeFolders(outFolder) || !WriteFileAtomic(out, data)) {
      std::cerr << "korvana_asteroidfiles: cannot write " << out << "\n";
      return 1;
    }
  }
  return 0;
}
