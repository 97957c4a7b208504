// The aspect finder: which aspect of the aspect set, if any, two chart points form.
#pragma once

#include "core/analysis/aspect_file.h"
#include "core/astro/calculated_chart.h"

namespace korvana {

struct AspectMatch {
  int record = 0;        // record number in the set; 0 = no aspect
  float orb = 0;         // signed distance from the exact angle, degrees
  bool applying = false;

  bool Found() const { return record != 0; }
  friend bool operator==(const AspectMatch&, const AspectMatch&) = default;
};

// The first record of `set`, in file order, that the two points form, by the set's
// selection mode:
//  - by orb: the orbs of the luminary class when the Sun or the Moon takes part, else
//    of the other class; applying and separating orbs per direction;
//  - moiety: the luminary orbs scaled by the points' moiety factors (summed, the
//    larger, or the first point's, as the header says);
//  - by sign only: the record that the signs' distance names (conjunction .. quincunx,
//    records 1..9), reported applying with orb = separation - angle;
//  - by orb and by sign: an orb match stands only when the signs name the same record.
// The separation is in longitude, or along the great circle through both points'
// latitudes when the header asks for it. `column` picks the orb column (natal 0, dynamic
// 2). Records not in use are never returned; orb comparisons are strict, so an orb of 0
// never matches. Never fails: invalid numbers simply find no aspect.
AspectMatch FindAspect(const AspectSet& set, int pointA, int pointB, const PointPos& a,
                       const PointPos& b, int column = OrbNatal);

// The record number that two longitudes' signs name: sign distance d (0..6) gives the
// digit d + 1 of "1854392". 0 when a longitude is not a number.
int SignAspectRecord(double longitudeA, double longitudeB);

}  // namespace korvana
