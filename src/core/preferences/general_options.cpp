#include "core/preferences/general_options.h"

#include <algorithm>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/aspect_preferences.h"
#include "core/astro/zodiac.h"
#include "core/config/start_up.h"
#include "core/points/point_catalogue.h"
#include "core/reports/frontpage/front_page.h"
#include "core/reports/reportset/report_set.h"
#include "core/time/entry_parsing.h"
#include "core/util/files.h"

namespace korvana {

namespace {

constexpr const char* EphemerisMarkerFile = "SEPL_18.SE1";

// A check box or a pair of radio buttons and the switch it stands for; `inverted` where
// the field says the opposite of the setting ("Print Colors as Black").
struct SwitchField {
  bool GeneralOptions::*field;
  bool ProgramSettings::*setting;
  bool inverted;
};

// "Misc." and "Houses", saved before the aspects.
constexpr SwitchField CalculationSwitches[] = {
    {&GeneralOptions::fixedFortune, &ProgramSettings::PFDayOnly, false},
    {&GeneralOptions::geocentricLat, &ProgramSettings::GeocentricLat, false},
    {&GeneralOptions::parallaxMoon, &ProgramSettings::ParallaxMoon, false},
    {&GeneralOptions::houseExpansion, &ProgramSettings::HouseExpansion, false},
    {&GeneralOptions::monthFirst, &ProgramSettings::MonthFirst, false},
    {&GeneralOptions::ampm, &ProgramSettings::AMPM, false},
};

// "Report", saved after the wheels.
constexpr SwitchField ReportSwitches[] = {
    {&GeneralOptions::pageBreaks, &ProgramSettings::PageBreaks, false},
    {&GeneralOptions::summary, &ProgramSettings::Summary, false},
    {&GeneralOptions::chartPage, &ProgramSettings::ChartPage, false},
    {&GeneralOptions::showExplanations, &ProgramSettings::ShowExplanations, false},
    {&GeneralOptions::showGraphics, &ProgramSettings::ShowGraphics, false},
    {&GeneralOptions::includePageHeaders, &ProgramSettings::IncludePageHeaders, false},
    {&GeneralOptions::showReportSelection, &ProgramSettings::SkipSelectDialog, true},
    {&GeneralOptions::printColorsAsBlack, &ProgramSettings::PrintInColor, true},
};

template <std::size_t N>
void ShowSwitches(const SwitchField (&fields)[N], const ProgramSettings& s, GeneralOptions& v) {
  for (const SwitchField& f : fields) v.*f.field = (s.*f.setting) != f.inverted;
}

template <std::size_t N>
void SaveSwitches(const SwitchField (&fields)[N], const GeneralOptions& v, ProgramSettings& s) {
  for (const SwitchField& f : fields) s.*f.setting = (v.*f.field) != f.inverted;
}

std::string VernalPointText(double degrees) { return FormatZodiacal(1, SignTexts{}, true, false, false, degrees); }

std::string ComplimentsFile(const ProgramSettings& s) {
  return s.Compliments.empty() ? ResolveInFolder("compliments.txt", s.SystemPath) : s.Compliments;
}

std::string PointsText(const std::array<bool, PointCount + 1>& on, const std::string& old) {
  // Characters past the 36 points (if a set has any) stay as they were.
  std::string text = old.size() > PointCount ? old : std::string(PointCount, '0');
  for (int id = 1; id <= PointCount; ++id) text[static_cast<std::size_t>(id - 1)] = on[static_cast<std::size_t>(id)] ? '1' : '0';
  return text;
}

}  // namespace

GeneralOptionsForm::GeneralOptionsForm(const ProgramSettings& s, const TKVReport& set, AspectSet* aspects)
    : aspects_(aspects),
      almutenFile_(set.almutenFile),
      extrasWheel_(set.usesExtraPoints),
      ephemerisTab_(set.includesDynRep || set.usesExtraPoints || s.SwissEphemerisAvailable),
      userSvp_(s.UserSVP) {
  GeneralOptions& v = values;
  v.paraTitles = set.paraTitles;
  ShowSwitches(ReportSwitches, s, v);
  ShowSwitches(CalculationSwitches, s, v);
  v.reportsInitiatedExternally = s.RepDefMenuOpt;
  if (auto lines = ReadComplimentsLines(s))
    for (std::size_t i = 0; i < v.compliments.size() && i < lines->size(); ++i) v.compliments[i] = (*lines)[i];
  v.wheel = extrasWheel_ ? s.DefExtrasWheel : s.DefWheel;
  v.previewWheel = s.SmallWheel;
  v.styles = s.TextStyles;
  v.meanNode = s.Node == 1;
  v.pointOn = set.pointSelection;
  v.pointColor = s.PointColor;
  v.houseSystem = std::clamp(s.Houses, 1, OfferedHouseSystems);
  if (auto scheme = AlmutenSchemeOrNone(almutenFile_)) v.cuspOffsets = scheme->cuspOffsets;
  ChooseZodiac(s.Zodiac >= 0 && s.Zodiac < ZodiacCount ? s.Zodiac : 0);
  v.swissEphemPath = s.SwissEphemPath;
}

std::string GeneralOptionsForm::WheelCaption() const {
  return extrasWheel_ ? "Style for Wheels with Extra Points" : "Style for Normal Wheels";
}

bool GeneralOptionsForm::AlignmentEnabled(int style) { return style != FixedAlignmentStyle; }

bool GeneralOptionsForm::SetAlignment(int style, TextAlignment alignment) {
  if (style < 0 || style >= TextStyleCount || !AlignmentEnabled(style)) return false;
  values.styles[static_cast<std::size_t>(style)].alignment = static_cast<std::uint8_t>(alignment);
  return true;
}

void GeneralOptionsForm::TogglePoint(int id) {
  if (id < 1 || id > PointCount) return;
  auto& on = values.pointOn[static_cast<std::size_t>(id)];
  on = !on;
}

OnOffItem GeneralOptionsForm::PointItem(int id) const {
  const std::string name(PointCatalogue[static_cast<std::size_t>(std::clamp(id, 0, PointCount))].longName);
  return OnOffLook(name, id >= 1 && id <= PointCount && values.pointOn[static_cast<std::size_t>(id)]);
}

void GeneralOptionsForm::ChooseZodiac(int zodiac) {
  values.zodiac = zodiac >= 0 && zodiac < ZodiacCount ? zodiac : 0;
  values.vernalPoint = VernalPointText(VernalPointEditable() ? userSvp_ : ZodiacSvp1900(values.zodiac));
}

bool GeneralOptionsForm::LeaveVernalPoint(Messages& messages) {
  if (!VernalPointEditable()) return true;
  const AngleEntry angle = ParseAngle(values.vernalPoint, &messages);
  if (angle.error) return false;
  userSvp_ = angle.degrees;
  values.vernalPoint = VernalPointText(angle.degrees);
  return true;
}

float GeneralOptionsForm::LimitCuspOffset(int kind, float value) {
  return kind == 1 ? value : std::clamp(value, 0.0f, MaxAngularCadentOffset);
}

EphemerisFolderVerdict GeneralOptionsForm::ChooseEphemerisFolder(const std::string& folder,
                                                                 bool (*usable)(const std::string&),
                                                                 const std::string& systemPath) {
  const std::string withSlash = WithTrailingSlash(folder);
  if (!FindPathNoCase(withSlash + EphemerisMarkerFile)) return EphemerisFolderVerdict::FilesMissing;
  if (usable != nullptr && !usable(withSlash)) return EphemerisFolderVerdict::NotSwissEphemeris;
  values.swissEphemPath = withSlash;
  DistributeAsteroidFiles(systemPath, withSlash);
  return EphemerisFolderVerdict::Taken;
}

bool GeneralOptionsForm::Save(ProgramSettings& s, TKVReport& set, Messages& messages) const {
  const GeneralOptions& v = values;
  bool written = true;
  s.Zodiac = v.zodiac;
  if (VernalPointEditable()) s.UserSVP = userSvp_;
  s.Houses = v.houseSystem;
  if (v.cuspOffsets) {
    if (auto scheme = AlmutenSchemeOrNone(almutenFile_)) {
      scheme->cuspOffsets = *v.cuspOffsets;
      if (!WriteAlmutenScheme(almutenFile_, 1, *scheme)) {
        messages.Error("Unable to write almuten file: " + almutenFile_);
        written = false;
      }
    }
  }
  s.Node = v.meanNode ? 1 : 0;
  SaveSwitches(CalculationSwitches, v, s);
  if (aspectsEdited && aspects_ != nullptr) written = CommitAspectPreferences(set.aspectFile, *aspects_, messages) && written;
  std::string lines;
  for (const std::string& line : v.compliments) lines += line + "\r\n";
  if (!WriteFileAtomic(ComplimentsFile(s), lines)) {
    messages.Error("The compliments file could not be written: " + ComplimentsFile(s));
    written = false;
  }
  set.paraTitles = v.paraTitles;
  s.TextStyles = v.styles;
  (extrasWheel_ ? s.DefExtrasWheel : s.DefWheel) = v.wheel;
  s.SmallWheel = v.previewWheel;
  // A two-chart set keeps its two-chart design whatever the single-chart field says.
  const bool twoCharts = set.synastry || set.includesSolarReturn || set.includesLunarReturn;
  s.CurrentWheel = twoCharts ? s.BiWheel : extrasWheel_ ? s.DefExtrasWheel : s.DefWheel;
  SaveSwitches(ReportSwitches, v, s);
  s.RepDefMenuOpt = v.reportsInitiatedExternally;
  s.SwissEphemPath = v.swissEphemPath;
  s.WheelPointSelection = v.pointOn;
  set.pointSelection = v.pointOn;
  set.points = PointsText(v.pointOn, set.points);
  s.PointColor = v.pointColor;
  written = WritePointColors(s, messages) && written;
  return written;
}

}  // namespace korvana
