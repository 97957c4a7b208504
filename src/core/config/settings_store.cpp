#include "core/config/settings_store.h"

#include "core/config/start_up.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

constexpr const char* System = "System";

std::string ReadFolder(const IniFile& store, const char* key, const std::string& fallback) {
  return WithTrailingSlash(store.ReadString(System, key, fallback));
}

std::string ReadFile(const IniFile& store, const char* key, const char* name, const std::string& folder) {
  return ResolveInFolder(store.ReadString(System, key, name), folder);
}

// The boolean values of "System" read and written as held, in their stored order.
struct SystemBool {
  const char* key;
  bool ProgramSettings::*field;
};
constexpr SystemBool SystemBools[] = {
    {"ChartsSorted", &ProgramSettings::ChartsSorted}, {"NamesReversed", &ProgramSettings::NamesReversed},
    {"ChartPreview", &ProgramSettings::ChartPreview}, {"UseACSAtlas", &ProgramSettings::UseACSAtlas},
    {"AutoAtlasLookup", &ProgramSettings::AutoAtlasLookup}, {"PrintInColor", &ProgramSettings::PrintInColor}};

struct StylesBool {
  const char* key;
  bool ProgramSettings::*field;
};
constexpr StylesBool StylesBools[] = {
    {"PageBreaks", &ProgramSettings::PageBreaks}, {"Summary", &ProgramSettings::Summary},
    {"ChartPage", &ProgramSettings::ChartPage}, {"ShowExplanations", &ProgramSettings::ShowExplanations},
    {"ShowGraphics", &ProgramSettings::ShowGraphics},
    {"ShowTimeLineDiagrams", &ProgramSettings::ShowTimeLineDiagrams},
    {"IncludePageHeaders", &ProgramSettings::IncludePageHeaders},
    {"SkipSelectDialog", &ProgramSettings::SkipSelectDialog}};

struct NamedInt {
  const char* key;
  std::int32_t ProgramSettings::*field;
};
constexpr NamedInt Margins[] = {{"PageMarginL", &ProgramSettings::PageMarginL},
                                {"PageMarginR", &ProgramSettings::PageMarginR},
                                {"PageMarginT", &ProgramSettings::PageMarginT},
                                {"PageMarginB", &ProgramSettings::PageMarginB}};

constexpr NamedInt CalcInts[] = {{"Houses", &ProgramSettings::Houses}, {"Zodiac", &ProgramSettings::Zodiac},
                                 {"Node", &ProgramSettings::Node}, {"Vulcan", &ProgramSettings::Vulcan}};
constexpr StylesBool CalcBools[] = {
    {"PFDayOnly", &ProgramSettings::PFDayOnly}, {"GeocentricLat", &ProgramSettings::GeocentricLat},
    {"ParallaxMoon", &ProgramSettings::ParallaxMoon}, {"MonthFirst", &ProgramSettings::MonthFirst},
    {"AMPM", &ProgramSettings::AMPM}, {"PrecCorr", &ProgramSettings::PrecCorr},
    {"Converse", &ProgramSettings::Converse}, {"ShowNatalCht", &ProgramSettings::ShowNatalCht}};
constexpr NamedInt CompositeInts[] = {{"CompositeChartMethod", &ProgramSettings::CompositeChartMethod},
                                      {"CompositeMPBaseHouse", &ProgramSettings::CompositeMPBaseHouse}};

void LoadSystem(ProgramSettings& s, IniFile& store, const StartupOptions& options) {
  s.Tessaly = store.ReadBool(System, "Tessaly", false);
  s.SystemPath = ReadFolder(store, "SystemPath", options.programFolder);
  if (!EqualsNoCase(s.SystemPath, options.programFolder) && !options.noRelocate) {
    store.EraseSection(System);
    s.SystemPath = ReadFolder(store, "SystemPath", options.programFolder);
  }
  s.EphemPath = ReadFolder(store, "EphemPath", s.SystemPath);
  s.SwissEphemPath = ReadFolder(store, "SwissEphemPath", s.SystemPath + "swisseph/");
  s.UserPath = ReadFolder(store, "UserPath", s.SystemPath + "userdata/");
  s.ChartPath = ReadFolder(store, "ChartPath", s.UserPath);
  s.PlacesPath = ReadFolder(store, "PlacesPath", s.UserPath);
  s.ReportPath = ReadFolder(store, "ReportPath", s.SystemPath + "reports/");
  s.WheelPath = ReadFolder(store, "WheelPath", s.UserPath);
  s.SourcePath = ReadFolder(store, "SourcePath", s.SystemPath + "source/");
  s.CompilePath = ReadFolder(store, "CompilePath", s.SystemPath);

  s.ProjectFile = ReadFile(store, "ProjectFile", "modern.swp", s.SystemPath);
  s.Charts = ReadFile(store, "Charts", "main.cht", s.ChartPath);
  s.Places = ReadFile(store, "Places", "australi.plc", s.PlacesPath);
  s.PlacesParentPath = NormalisePath(FolderOf(s.Places) + "../");
  s.DefWheel = ReadFile(store, "DefWheel", "uni5.wh1", s.WheelPath);
  s.BiWheel = ReadFile(store, "BiWheel", "biinter.wh2", s.WheelPath);
  s.SmallWheel = ReadFile(store, "SmallWheel", "small1.wh1", s.WheelPath);
  s.DefExtrasWheel = ReadFile(store, "DefExtrasWheel", "uniex1.wh1", s.WheelPath);

  s.TimeZones = s.PlacesParentPath + store.ReadString(System, "TimeZones", "timezone.fil");
  s.Rulers = s.SystemPath + store.ReadString(System, "Rulers", "rulers2.fil");
  s.Degrees = s.SystemPath + store.ReadString(System, "Degrees", "degdig2.fil");
  s.Trips = s.SystemPath + store.ReadString(System, "Trips", "tripdig2.fil");
  s.Compliments = s.SystemPath + store.ReadString(System, "Compliments", "compliments.txt");
  UpkeepComplimentsFile(s.SystemPath, s.Compliments);
  s.PointColors = s.UserPath + store.ReadString(System, "PointColors", "korvana.cpt");

  for (const auto& b : SystemBools) s.*b.field = store.ReadBool(System, b.key, s.*b.field);
  const char* glyphFont = options.symbolFontInstalled ? "ZP Symbol" : "ZP Astro";
  s.EMTTFont = store.ReadString(System, "EMTTFont", glyphFont);
  s.ScreenTTFont = store.ReadString(System, "ScreenTTFont", glyphFont);
  s.AllowAltRepFolders = store.ReadBool(System, "AllowAltRepFolders", false);
  s.ShowToolbar = store.ReadBool(System, "ShowToolbar", true);
  s.RepDefMenuOpt = store.ReadInteger(System, "RepDefMenuOpt", 0);
  s.WheelAspectRatioAdjustment = ParseDecimal(store.ReadString(System, "WheelAspectRatioAdjustment", "1.0"));
}

std::string StyleKey(const char* name, int index) { return name + std::to_string(index); }

void LoadStyles2(ProgramSettings& s, const IniFile& store) {
  s.TextStyles = DefaultTextStyles();
  if (!s.Tessaly) return;
  for (int n = 0; n < TextStyleCount; ++n) {
    TTextStyle& t = s.TextStyles[n];
    t.fontName = store.ReadString("Styles2", StyleKey("FontName", n), t.fontName);
    t.fontColor = static_cast<Color>(store.ReadInteger("Styles2", StyleKey("FontColor", n),
                                                       static_cast<std::int32_t>(t.fontColor)));
    t.fontSize = store.ReadInteger("Styles2", StyleKey("FontSize", n), t.fontSize);
    std::uint8_t style = 0;
    if (store.ReadBool("Styles2", StyleKey("FontBold", n), t.fontStyle & StyleBold)) style |= StyleBold;
    if (store.ReadBool("Styles2", StyleKey("FontItalic", n), t.fontStyle & StyleItalic)) style |= StyleItalic;
    if (store.ReadBool("Styles2", StyleKey("FontUnderline", n), t.fontStyle & StyleUnderline))
      style |= StyleUnderline;
    t.fontStyle = style;
    t.alignment = static_cast<std::uint8_t>(store.ReadInteger("Styles2", StyleKey("Alignment", n), t.alignment));
  }
}

void LoadCalculations(ProgramSettings& s, const IniFile& store) {
  for (const auto& v : CalcInts) s.*v.field = store.ReadInteger("Calculations", v.key, s.*v.field);
  s.UserSVP = ParseDecimal(store.ReadString("Calculations", "UserSVP", "0.0"));
  s.CombustOrb = ParseDecimal(store.ReadString("Calculations", "CombustOrb", "8.0"));
  for (const auto& b : CalcBools) s.*b.field = store.ReadBool("Calculations", b.key, s.*b.field);
  for (const auto& v : CompositeInts) s.*v.field = store.ReadInteger("Calculations", v.key, s.*v.field);
}

}  // namespace

void LoadSettings(ProgramSettings& s, IniFile& store, const StartupOptions& options) {
  LoadSystem(s, store, options);

  DefaultPlaceSettings place;
  s.DefaultPlace.place = store.ReadString("DefaultPlace", "Place", place.place);
  s.DefaultPlace.country = store.ReadString("DefaultPlace", "Country", place.country);
  s.DefaultPlace.zone = store.ReadString("DefaultPlace", "Zone", place.zone);
  s.DefaultPlace.latitude = store.ReadString("DefaultPlace", "Latitude", place.latitude);
  s.DefaultPlace.longitude = store.ReadString("DefaultPlace", "Longitude", place.longitude);

  ReportWindowPlacement& w = s.ReportWindow;
  w.windowState = store.ReadInteger("ReportWindow", "WindowState", 0);
  w.zoom = store.ReadInteger("ReportWindow", "Zoom", 100);
  w.left = store.ReadInteger("ReportWindow", "Left", 0);
  w.top = store.ReadInteger("ReportWindow", "Top", 0);
  w.width = store.ReadInteger("ReportWindow", "Width", 0);
  w.height = store.ReadInteger("ReportWindow", "Height", 0);
  w.viewNormal = store.ReadBool("ReportWindow", "ViewNormal", false);

  LoadStyles2(s, store);

  for (const auto& b : StylesBools) s.*b.field = store.ReadBool("Styles", b.key, true);
  s.SkipSelectDialog = store.ReadBool("Styles", "SkipSelectDialog", false);
  for (const auto& m : Margins) s.*m.field = store.ReadInteger("Styles", m.key, 720);

  LoadCalculations(s, store);

  s.RecentCharts.clear();
  for (int n = 0;; ++n) {
    std::string entry = store.ReadString("ChartsMRU", "ChartsMRU" + std::to_string(n), "");
    if (entry.empty()) break;
    s.RecentCharts.push_back(entry);
  }
}

void SaveSettings(const ProgramSettings& s, IniFile& store) {
  const std::pair<const char*, const std::string*> folders[] = {
      {"SystemPath", &s.SystemPath}, {"EphemPath", &s.EphemPath}, {"SwissEphemPath", &s.SwissEphemPath},
      {"UserPath", &s.UserPath},     {"ChartPath", &s.ChartPath}, {"PlacesPath", &s.PlacesPath},
      {"ReportPath", &s.ReportPath}, {"WheelPath", &s.WheelPath}, {"SourcePath", &s.SourcePath},
      {"CompilePath", &s.CompilePath}};
  for (const auto& [key, value] : folders) store.WriteString(System, key, *value);
  store.WriteString(System, "ProjectFile", RelativeToFolder(s.ProjectFile, s.SystemPath));
  store.WriteString(System, "Charts", RelativeToFolder(s.Charts, s.ChartPath));
  store.WriteString(System, "Places", RelativeToFolder(s.Places, s.PlacesPath));
  store.WriteString(System, "DefWheel", RelativeToFolder(s.DefWheel, s.WheelPath));
  store.WriteString(System, "BiWheel", RelativeToFolder(s.BiWheel, s.WheelPath));
  store.WriteString(System, "SmallWheel", RelativeToFolder(s.SmallWheel, s.WheelPath));
  store.WriteString(System, "DefExtrasWheel", RelativeToFolder(s.DefExtrasWheel, s.WheelPath));
  store.WriteString(System, "TimeZones", NameOf(s.TimeZones));
  store.WriteString(System, "Rulers", NameOf(s.Rulers));
  store.WriteString(System, "Degrees", NameOf(s.Degrees));
  store.WriteString(System, "Trips", NameOf(s.Trips));
  store.WriteString(System, "PointColors", NameOf(s.PointColors));
  for (const auto& b : SystemBools) store.WriteBool(System, b.key, s.*b.field);
  store.WriteBool(System, "ShowToolbar", s.ShowToolbar);
  store.WriteBool(System, "Tessaly", true);
  store.WriteInteger(System, "RepDefMenuOpt", s.RepDefMenuOpt);

  store.WriteString("DefaultPlace", "Place", s.DefaultPlace.place);
  store.WriteString("DefaultPlace", "Country", s.DefaultPlace.country);
  store.WriteString("DefaultPlace", "Zone", s.DefaultPlace.zone);
  store.WriteString("DefaultPlace", "Latitude", s.DefaultPlace.latitude);
  store.WriteString("DefaultPlace", "Longitude", s.DefaultPlace.longitude);

  const ReportWindowPlacement& w = s.ReportWindow;
  store.WriteInteger("ReportWindow", "WindowState", w.windowState);
  store.WriteInteger("ReportWindow", "Zoom", w.zoom);
  store.WriteInteger("ReportWindow", "Left", w.left);
  store.WriteInteger("ReportWindow", "Top", w.top);
  store.WriteInteger("ReportWindow", "Width", w.width);
  store.WriteInteger("ReportWindow", "Height", w.height);
  store.WriteBool("ReportWindow", "ViewNormal", w.viewNormal);

  for (int n = 0; n < TextStyleCount; ++n) {
    const TTextStyle& t = s.TextStyles[n];
    store.WriteString("Styles2", StyleKey("FontName", n), t.fontName);
    store.WriteInteger("Styles2", StyleKey("FontColor", n), static_cast<std::int32_t>(t.fontColor));
    store.WriteInteger("Styles2", StyleKey("FontSize", n), t.fontSize);
    store.WriteBool("Styles2", StyleKey("FontBold", n), t.fontStyle & StyleBold);
    store.WriteBool("Styles2", StyleKey("FontItalic", n), t.fontStyle & StyleItalic);
    store.WriteBool("Styles2", StyleKey("FontUnderline", n), t.fontStyle & StyleUnderline);
    store.WriteInteger("Styles2", StyleKey("Alignment", n), t.alignment);
  }

  for (const auto& b : StylesBools) store.WriteBool("Styles", b.key, s.*b.field);
  for (const auto& m : Margins) store.WriteInteger("Styles", m.key, s.*m.field);

  for (const auto& v : CalcInts) store.WriteInteger("Calculations", v.key, s.*v.field);
  store.WriteString("Calculations", "UserSVP", FormatReal(s.UserSVP));
  store.WriteString("Calculations", "CombustOrb", FormatReal(s.CombustOrb));
  for (const auto& b : CalcBools) store.WriteBool("Calculations", b.key, s.*b.field);
  for (const auto& v : CompositeInts) store.WriteInteger("Calculations", v.key, s.*v.field);

  for (std::size_t n = 0; n < s.RecentCharts.size(); ++n)
    store.WriteString("ChartsMRU", "ChartsMRU" + std::to_string(n), s.RecentCharts[n]);
}

}  // namespace korvana
