// Writes the program's star files from the Swiss Ephemeris star catalogue:
//   korvana_starfile SEFSTARS.TXT OUT_ALGOL OUT_FULL
// OUT_ALGOL holds Algol alone; OUT_FULL the 300 brightest stars of the catalogue (each
// name once, brightest first). Exits with 1 and a message on any failure.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "core/astro/stars.h"
#include "core/util/files.h"

int main(int argc, char** argv) {
  using namespace korvana;
  if (argc != 4) {
    std::cerr << "usage: korvana_starfile SEFSTARS.TXT OUT_ALGOL OUT_FULL\n";
    return 1;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "korvana_starfile: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::vector<StarRecord> stars;
  std::set<std::string> names;
  for (std::string line; std::getline(in, line);) {
    auto star = ParseCatalogueStarLine(line);
    // The catalogue repeats some stars under other spellings and at its top: the first
    // record of a name and of a designation counts.
    if (star && names.insert(star->Name).second && names.insert("," + star->Designation).second)
      stars.push_back(*star);
  }
  auto algol = std::find_if(stars.begin(), stars.end(),
                            [](const StarRecord& s) { return s.Name == "Algol"; });
  if (algol == stars.end() || stars.size() < MaxStars) {
    std::cerr << "korvana_starfile: " << argv[1] << " is not a usable star catalogue\n";
    return 1;
  }
  std::vector<StarRecord> full = stars;
  std::stable_sort(full.begin(), full.end(), [](const StarRecord& a, const StarRecord& b) {
    return a.Magnitude < b.Magnitude;
  });
  full.resize(MaxStars);
  if (!WriteFileAtomic(argv[2], EncodeStarFile({*algol})) ||
      !WriteFileAtomic(argv[3], EncodeStarFile(full))) {
    std::cerr << "korvana_starfile: cannot write the star files\n";
    return 1;
  }
  return 0;
}
