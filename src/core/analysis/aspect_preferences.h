// What the aspect pages of the preferences do to the aspect set, without the dialog.
//
// A set whose moiety combination is -1 is edited as moieties (one orb per point, the
// pair's orb being the sum); any other set is edited as an orb grid (four natal orbs per
// aspect in use) with the "By ORB" and "By SIGN" choices. The Apply functions change the
// set in memory; CommitAspectPreferences saves it and loads it back.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/analysis/aspect_file.h"

namespace korvana {

class Messages;

// True when the preferences show the moiety grid instead of the orb grid.
bool UsesMoietyGrid(const AspectSet& set);

// --- Orb grid ("Aspect Orbs": Aspect Name, Lum App, Lum Sep, Oth App, Oth Sep)

struct OrbGridRow {
  int record = 0;     // record number in the set
  std::string name;   // the record's display name
  // Natal orbs: applying luminary, separating luminary, applying other, separating other.
  std::array<double, 4> orbs{};
};

// One row for each record in use, in record order.
std::vector<OrbGridRow> OrbGridRows(const AspectSet& set);

// The two check boxes. They can never both be off: clearing one sets the other. The
// grid is editable only while "By ORB" is checked.
struct OrbChoices {
  bool byOrb = true;
  bool bySign = false;

  void SetByOrb(bool on) {
    byOrb = on;
    if (!on) bySign = true;
  }
  void SetBySign(bool on) {
    bySign = on;
    if (!on) byOrb = true;
  }
  bool GridEditable() const { return byOrb; }
};

// The check boxes as the set's selection mode has them.
OrbChoices OrbChoicesOf(const AspectSet& set);

// Writes the rows' orbs back to their records' natal orbs and the mode as 0 (by orb),
// 4 (by orb and by sign) or 2 (by sign only); offsets 84, 86 and 88 become 0. Returns
// false and leaves the set unchanged when an orb is negative or not a number, or a row
// names a record the set does not hold.
bool ApplyOrbGrid(AspectSet& set, const std::vector<OrbGridRow>& rows, OrbChoices choices);

// --- Moiety grid ("Moiety Aspect Orbs": Point's Name, Orb (Degrees))

// The points the moiety grid lists, in its order; a last row "Combust" follows.
inline constexpr std::array<int, 10> MoietyGridPoints = {1, 3, 5, 6, 7, 8, 9, 22, 23, 26};

struct MoietyGridRow {
  int point = 0;     // PointId; 0 for the "Combust" row
  std::string name;  // the point's name, or "Combust"
  double orb = 0;    // displayed moiety, or the combustion orb
};

// The grid's rows: the points above with their displayed moieties, then "Combust"
// holding `combustOrb`.
std::vector<MoietyGridRow> MoietyGridRows(const AspectSet& set, double combustOrb);

// Takes the rows' moieties: factor[p] = displayed[p] / displayed[Sun] for every point,
// the four natal orbs of records 1..24 become displayed[Sun], the mode 1 and offset 84
// -1, offsets 86 and 88 0; the "Combust" row goes to `combustOrb`. Returns false and
// changes nothing when the Sun's moiety is not above 0 (the factors would be undefined)
// or any value is negative or not a number.
bool ApplyMoietyGrid(AspectSet& set, const std::vector<MoietyGridRow>& rows, double& combustOrb);

// Saves the edited set to `path` and loads it back from there, as the preferences do on
// OK. False when the file cannot be written (the old file and the set stay as they were).
bool CommitAspectPreferences(const std::string& path, AspectSet& set, Messages& messages);

}  // namespace korvana
