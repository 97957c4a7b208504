#include "core/charts/chart_record.h"

#include <algorithm>

#include "core/config/program_settings.h"
#include "core/points/point_catalogue.h"

namespace korvana {

const std::array<std::string_view, EventKindCount> EventKindNames = {
    "Unspecified", "Male", "Female", "Event", "Horary/Decumbiture"};

const std::array<std::string_view, ChartTypeCount> ChartTypeNames = {
    "Unknown",   "Natal",      "Sec.Prog.",   "Directed",    "Return",     "Combined",
    "Harmonic",  "Antiscia",   "Pre-Natal",   "Rise/Set",    "Lun.Phase",  "Tert.Prog.",
    "Minor Prog.", "User Prog.", "Locality",  "Tert.Prog (True)"};

const std::array<std::string_view, ChartSubTypeCount> ChartSubTypeNames = {
    "Unknown",           "Chart",             "- Midpoints",       "- Drv Asc",
    "- Drv MC",          "Solar",             "Lunar",             "Advanced Options",
    "- Solar Arc",       "- Asc Arc",         "- Vtx Arc",         "- User Arc",
    "- 0\u00B0 Cap",     "- 0\u00B0 Ari",     "Group - Drv Asc",   "- Davison",
    "Bailey Conception", "Bailey Quickening", "Bailey Birth (C)",  "Bailey Birth (Q)",
    "Jayne Vulcan",      "Jayne Uranus (C)",  "Jayne Sigma",       "Jayne Isis",
    "Jayne Mercury",     "Jayne Neptune (A)", "Jayne Rex",         "Jayne Lion",
    "Jayne Mars",        "Jayne Morya",       "Jayne Pluto",       "Jayne Moon",
    "Jayne Sun",         "Jayne Chiron",      "Jayne Venus",       "Jayne Jupiter",
    "Jayne Birth (C)",   "Coalescent",        "Arc Transform",     "Johndro (R.A.)",
    "Johndro (Long.)",   "Geodetic (R.A.)",   "Geodetic (Long.)",  "Relocated",
    "Wynn Key",          "Progressed Solar",  "- User Arc",        "- Profection (Annual)"};

namespace {

constexpr int SubTypeRelocated = 43;
constexpr int SubTypeAdvancedOptions = 7;
constexpr int SubTypeDavison = 15;
constexpr int SubTypeCoalescent = 37;
constexpr int SubTypeArcTransform = 38;
constexpr int SubTypeZeroAries = 13;

int NormalisedType(int type) { return type >= 1 && type < ChartTypeCount ? type : 0; }
int NormalisedSubType(int subType) { return subType >= 1 && subType < ChartSubTypeCount ? subType : 0; }

// Secondary, tertiary, minor, user and true tertiary progressions.
bool IsProgressionType(int type) {
  return type == 2 || type == 11 || type == 12 || type == 13 || type == 15;
}

std::string Join(std::string_view a, std::string_view sep, std::string_view b) {
  std::string out(a);
  out += sep;
  out += b;
  return out;
}

}  // namespace

std::string_view EventKindName(int eventKind) {
  return eventKind >= 0 && eventKind < EventKindCount ? EventKindNames[eventKind] : EventKindNames[0];
}

int DefaultHouseSystem(const ProgramSettings& settings) {
  return settings.Houses >= 1 && settings.Houses <= 31 ? settings.Houses : 5;
}

void ApplyUnstoredChoices(ChartRecord& chart, const ProgramSettings& settings) {
  chart.CalcVersion = 1;
  chart.MeanNode = settings.Node != 0;
  chart.VulcanOption = static_cast<std::uint8_t>(std::clamp(settings.Vulcan, 0, 255));
  chart.PFDayOnly = settings.PFDayOnly;
  chart.ParallaxMoon = settings.ParallaxMoon;
  chart.GeocentricLat = settings.GeocentricLat;
}

ChartRecord NewChartRecord(const ProgramSettings& settings) {
  ChartRecord chart;
  ApplyUnstoredChoices(chart, settings);
  chart.Zodiac = static_cast<std::uint8_t>(settings.Zodiac >= 0 && settings.Zodiac <= 9 ? settings.Zodiac : 0);
  chart.ChartType = ChartTypeNatal;
  chart.ChartSubType = 1;
  chart.ChartTypeParam = 0;
  return chart;
}

std::string ChartKindName(int chartType, int chartSubType) {
  const int type = NormalisedType(chartType);
  const int sub = NormalisedSubType(chartSubType);
  if (type == ChartTypeNatal && sub == SubTypeRelocated) return "Relocated";
  if (IsProgressionType(type)) return "Progressed";
  if (type == ChartTypeCombined) {
    if (sub == SubTypeDavison) return "Davison";
    if (sub == SubTypeCoalescent) return "Coalescent";
    return "Composite";
  }
  if (type == ChartTypeAntiscia && sub == SubTypeZeroAries) return "Contrascia";
  return std::string(ChartTypeNames[type]);
}

std::string ChartTitle(int chartType, int chartSubType, int param, int gender,
                       const GenderWordPair& genderWords) {
  const int type = NormalisedType(chartType);
  const int sub = NormalisedSubType(chartSubType);
  const std::string_view typeName = ChartTypeNames[type];
  const std::string_view subName = ChartSubTypeNames[sub];
  const std::string plain = Join(typeName, " ", subName);

  if (type == ChartTypeNatal) {
    if (sub == 1 && gender == EventMale) return std::string(genderWords.male);
    if (sub == 1 && gender == EventFemale) return std::string(genderWords.female);
    if (sub == 16 || sub == 17 || sub == 21) return Join(typeName, " from ", subName);
    return plain;
  }
  if (IsProgressionType(type)) return std::string(typeName);
  if (type == ChartTypeReturn) {
    if (sub != SubTypeAdvancedOptions) return Join(subName, " ", typeName);
    if (param < 101) {
      const std::string_view body = PointShortName(param);
      if (body.empty()) return plain;
      return Join(body, " ", typeName);
    }
    const std::string_view first = PointShortName(param / 100);
    const std::string_view second = PointShortName(param % 100);
    if (first.empty() || second.empty()) return plain;
    return Join(Join(first, "/", second), " Phase ", typeName);
  }
  if (type == ChartTypeCombined) {
    if (sub == SubTypeDavison) return Join("Relationship", " ", subName);
    if (sub == SubTypeCoalescent) return std::string(subName);
    return Join("Composite", " ", subName);
  }
  if (type == ChartTypeHarmonic && sub == SubTypeArcTransform && param / 100 > 0 && param % 100 > 0) {
    const std::string_view first = PointShortName(param / 100);
    const std::string_view second = PointShortName(param % 100);
    if (first.empty() || second.empty()) return plain;
    return Join(Join(first, "-", second), " ", subName);
  }
  if (type == ChartTypeAntiscia && sub == SubTypeZeroAries) return Join("Contrascia", " ", subName);
  return plain;
}

}  // namespace korvana
