#include "core/analysis/aspect_preferences.h"

#include <algorithm>
#include <cmath>

#include "core/points/point_catalogue.h"

namespace korvana {
namespace {

bool ValidOrb(double v) { return std::isfinite(v) && v >= 0; }

void ClearMeasureFields(AspectFileHeader& h) {
  h.separationMeasure = 0;
  h.moietyChoice = 0;
}

}  // namespace

bool UsesMoietyGrid(const AspectSet& set) { return set.header.moietyCombination == -1; }

std::vector<OrbGridRow> OrbGridRows(const AspectSet& set) {
  std::vector<OrbGridRow> rows;
  for (int n = 1; n <= set.Count(); ++n) {
    const AspectRecord& rec = set.records[static_cast<std::size_t>(n)];
    if (!rec.inUse) continue;
    OrbGridRow row{n, rec.name, {}};
    for (std::size_t i = 0; i < 4; ++i)
      row.orbs[i] = rec.orbs[static_cast<std::size_t>(NatalOrbIndexes[i])];
    rows.push_back(std::move(row));
  }
  return rows;
}

OrbChoices OrbChoicesOf(const AspectSet& set) {
  OrbChoices c;
  if (set.header.BaseMode() == SelectBySign) {
    c.byOrb = false;
    c.bySign = true;
  } else {
    c.byOrb = true;
    c.bySign = set.header.AlsoBySign();
  }
  return c;
}

bool ApplyOrbGrid(AspectSet& set, const std::vector<OrbGridRow>& rows, OrbChoices choices) {
  for (const auto& row : rows) {
    if (set.Record(row.record) == nullptr) return false;
    for (double v : row.orbs)
      if (!ValidOrb(v)) return false;
  }
  if (!choices.byOrb && !choices.bySign) choices.byOrb = true;
  for (const auto& row : rows) {
    AspectRecord& rec = *set.Record(row.record);
    for (std::size_t i = 0; i < 4; ++i)
      rec.orbs[static_cast<std::size_t>(NatalOrbIndexes[i])] = row.orbs[i];
  }
  AspectFileHeader& h = set.header;
  h.selectionMode = static_cast<std::int16_t>(
      !choices.byOrb ? SelectBySign : (choices.bySign ? SelectByOrb + SelectAlsoBySign : SelectByOrb));
  h.moietyCombination = 0;
  ClearMeasureFields(h);
  return true;
}

std::vector<MoietyGridRow> MoietyGridRows(const AspectSet& set, double combustOrb) {
  std::vector<MoietyGridRow> rows;
  for (int p : MoietyGridPoints)
    rows.push_back({p, std::string(PointShortName(p)),
                    set.displayedMoieties[static_cast<std::size_t>(p)]});
  rows.push_back({0, "Combust", combustOrb});
  return rows;
}

bool ApplyMoietyGrid(AspectSet& set, const std::vector<MoietyGridRow>& rows, double& combustOrb) {
  auto displayed = set.displayedMoieties;
  double combust = combustOrb;
  for (const auto& row : rows) {
    if (!ValidOrb(row.orb)) return false;
    if (row.point == 0)
      combust = row.orb;
    else if (IsPointId(row.point))
      displayed[static_cast<std::size_t>(row.point)] = static_cast<float>(row.orb);
    else
      return false;
  }
  const float sun = displayed[PointSun];
  if (!(sun > 0)) return false;
  for (int p = 1; p <= MoietyPointCount; ++p) {
    std::size_t i = static_cast<std::size_t>(p);
    set.moietyFactors[i] = displayed[i] / sun;
  }
  for (int n = 1; n <= std::min(set.Count(), 24); ++n)
    for (int i : {0, 3, 6, 9}) set.records[static_cast<std::size_t>(n)].orbs[static_cast<std::size_t>(i)] = sun;
  AspectFileHeader& h = set.header;
  h.selectionMode = SelectByMoiety;
  h.moietyCombination = -1;
  ClearMeasureFields(h);
  set.displayedMoieties = displayed;
  combustOrb = combust;
  return true;
}

bool CommitAspectPreferences(const std::string& path, AspectSet& set, Messages& messages) {
  if (!SaveAspectFile(path, set)) return false;
  LoadAspectFile(path, set, messages);
  return true;
}

}  // namespace korvana
