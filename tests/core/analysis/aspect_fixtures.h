// Small aspect sets and positions for the analysis tests.
#pragma once

#include <cmath>

#include "core/analysis/aspect_file.h"
#include "core/astro/calculated_chart.h"

namespace korvana::testing {

// A record with the given natal orbs (applying/separating, luminary/other); every orb of
// the dynamic column is 1 degree.
inline AspectRecord MakeRecord(int type, double angle, double lumApp, double lumSep,
                               double othApp, double othSep, bool inUse = true) {
  AspectRecord r;
  r.aspectType = static_cast<std::int16_t>(type);
  r.name = "Aspect " + std::to_string(type);
  r.angle = angle;
  r.inUse = inUse;
  r.SetOrb(OrbApplying, OrbLuminary, OrbNatal, lumApp);
  r.SetOrb(OrbSeparating, OrbLuminary, OrbNatal, lumSep);
  r.SetOrb(OrbApplying, OrbOther, OrbNatal, othApp);
  r.SetOrb(OrbSeparating, OrbOther, OrbNatal, othSep);
  for (int d : {OrbApplying, OrbSeparating})
    for (int c : {OrbLuminary, OrbOther}) r.SetOrb(d, c, OrbDynamic, 1.0);
  return r;
}

inline constexpr double StandardAngles[10] = {0, 0, 180, 120, 90, 60, 45, 135, 30, 150};

// Records 1..9 in the order selection by sign needs, all in use, with luminary orbs
// 8 applying / 6 separating and other orbs 5 / 3.
inline AspectSet StandardSet(int mode = SelectByOrb) {
  AspectSet s;
  s.loaded = true;
  s.header.selectionMode = static_cast<std::int16_t>(mode);
  s.header.count = 9;
  for (int n = 1; n <= 9; ++n) s.records[n] = MakeRecord(n, StandardAngles[n], 8, 6, 5, 3);
  return s;
}

inline PointPos At(double longitude, double speed = 1.0, double latitude = 0.0,
                   double latitudeSpeed = 0.0) {
  PointPos p;
  p.Longitude = longitude;
  p.LongitudeSpeed = speed;
  p.Latitude = latitude;
  p.LatitudeSpeed = latitudeSpeed;
  return p;
}

}  // namespace korvana::testing
