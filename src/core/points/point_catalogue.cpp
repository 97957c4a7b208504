#include "core/points/point_catalogue.h"

#include "core/util/text.h"

namespace korvana {

int PointIdOfName(std::string_view name) {
  for (int id = FirstPoint; id <= LastPoint; ++id) {
    const PointEntry& p = PointCatalogue[id];
    if (EqualsNoCase(name, p.shortName) || EqualsNoCase(name, p.longName) || EqualsNoCase(name, p.abbreviation))
      return id;
  }
  return 0;
}

}  // namespace korvana
