#include "core/reports/frontpage/front_page.h"

#include <cmath>
#include <cstdlib>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/dignities.h"
#include "core/analysis/find_aspect.h"
#include "core/astro/houses.h"
#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/util/codepage.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {

namespace {

constexpr const char* Tab = "\t";
constexpr const char* NewPar = "\r\n\\par ";

using lang::Phrase;

std::string Row(int language, Phrase row) { return std::string(lang::PhraseText(language, row)); }

std::string UpperText(std::string s) {
  for (char& ch : s)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return s;
}

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

int Language(const SummaryInputs& in) { return in.report ? in.report->language : 0; }

// Table text goes through the markup converters and is written as one paragraph in the
// body text style.
void WriteTableText(RtfFile& file, const RtfLayout& layout, std::string text) {
  ConvertTokens(layout, text);
  ConvertTables(layout, text);
  ConvertBars(text);
  WriteText(file, StyledParagraph(layout, text, BodyText, false, 0));
}

std::array<std::string, 12> SignAbbrevs(int language) {
  std::array<std::string, 12> a;
  for (int s = 1; s <= 12; ++s) a[static_cast<std::size_t>(s - 1)] = std::string(lang::SignAbbreviation(language, s));
  return a;
}

int SignOf(double longitude) {
  int sign = static_cast<int>(longitude / 30.0) + 1;
  return sign < 1 ? 1 : (sign > 12 ? 12 : sign);
}

bool IsSolarReturn(const TKVReport& r) { return r.includesSolarReturn; }
bool IsLunarReturn(const TKVReport& r) { return r.includesLunarReturn && !r.includesSolarReturn; }

// Sign, position, house label and the "read into" comment of one longitude.
std::vector<std::string> PositionCells(const SummaryInputs& in, int chart, double longitude) {
  const int language = Language(in);
  const CalculatedChart& c = in.charts[static_cast<std::size_t>(chart)];
  const std::array<std::string, 12> abbrevs = SignAbbrevs(language);
  SignTexts sign;
  sign.abbrevs = &abbrevs;
  std::vector<std::string> cells{std::string(lang::SignName(language, SignOf(longitude))),
                                 FormatZodiacal(1, sign, true, false, true, longitude)};
  // Without the birth time no house is known.
  if (c.Chart.TimeUnknown) {
    cells.insert(cells.end(), {"\u2013", " "});
    return cells;
  }
  const int house = HouseOf(c.Houses.Cusps, longitude);
  cells.emplace_back(lang::HouseLabel(language, house));
  const auto& offset = in.offsetCusps[static_cast<std::size_t>(chart < 2 ? chart : 0)];
  const int offsetHouse = offset ? HouseOf(*offset, longitude) : house;
  // Spanish names the house before its number ("la Casa 11"), the others after ("11th House").
  const std::string label(lang::HouseLabel(language, offsetHouse));
  if (offsetHouse != house && language == lang::LanguageSpanish)
    cells.push_back(Row(language, Phrase::ReadInto) + " " + Row(language, Phrase::House) + " " + label);
  else if (offsetHouse != house)
    cells.push_back(Row(language, Phrase::ReadInto) + " " + label + " " + Row(language, Phrase::House));
  else
    cells.emplace_back(" ");
  return cells;
}

// The cells of a point the ephemeris could not compute for the chart: an en dash for
// sign, position and house, so that the row shows no position at all.
std::vector<std::string> UncomputedCells() {
  const std::string dash = "\u2013";
  return {dash, dash, dash, " "};
}

std::vector<std::string> PositionTitles(int language, std::vector<std::string> first) {
  for (const Phrase row : {Phrase::Sign, Phrase::Position}) first.push_back(Row(language, row));
  first.push_back(Row(language, Phrase::House) + " ");
  first.push_back(Row(language, Phrase::Comment));
  return first;
}

std::vector<std::string> Joined(std::vector<std::string> head, const std::vector<std::string>& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

int ChartCount(const SummaryInputs& in) {
  if (in.charts.empty()) return 0;
  return in.twoCharts && in.charts.size() >= 2 ? 2 : 1;
}

// The owner of a chart as the report names them, else the chart's name.
std::string OwnerName(const SummaryInputs& in, std::size_t chart) {
  if (chart < in.ownerNames.size() && !Trim(in.ownerNames[chart]).empty()) return std::string(Trim(in.ownerNames[chart]));
  return TrimRight(in.charts[chart].Chart.Name);
}

bool NodePair(int i, int j) { return (i == 20 && j == 21) || (i == 21 && j == 20); }

bool IsValidUtf8(const std::string& s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) >= s.size()) return false;
    for (int k = 1; k <= extra; ++k)
      if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2) return false;
    i += static_cast<std::size_t>(extra) + 1;
  }
  return true;
}

// Cuts a compliments text line into label and plain segments.
void SegmentLine(const std::string& line, std::uint8_t kind, std::vector<TCompliments>& out) {
  std::size_t plainStart = 0;
  std::size_t pos = 0;
  while ((pos = line.find(':', pos)) != std::string::npos) {
    std::size_t wordEnd = pos;
    if (wordEnd > plainStart && line[wordEnd - 1] == ' ') --wordEnd;  // one blank before the colon
    std::size_t wordStart = wordEnd;
    while (wordStart > plainStart && line[wordStart - 1] != ' ') --wordStart;
    if (wordStart == wordEnd) {  // no word before this colon: it stays plain text
      ++pos;
      continue;
    }
    if (wordStart > plainStart) out.push_back({kind, 0, line.substr(plainStart, wordStart - plainStart)});
    out.push_back({kind, 1, line.substr(wordStart, pos + 1 - wordStart)});
    plainStart = pos + 1;
    pos = plainStart;
  }
  if (plainStart < line.size() || plainStart == 0) out.push_back({kind, 0, line.substr(plainStart)});
}

std::string ScaledCopyStyle(const RtfLayout& layout, const std::string& text, int style, double factor) {
  RtfLayout scaled = layout;
  TTextStyle& s = scaled.styles[static_cast<std::size_t>(style)];
  s.fontSize = static_cast<std::int32_t>(std::nearbyint(factor * s.fontSize));
  return StyledParagraph(scaled, text, style, false, 0);
}

void InsertLogo(RtfFile& file, const RtfLayout& layout, const std::string& systemPath, const std::string& name,
                double fraction) {
  const std::string path = FrontPageLogo(systemPath, name);
  if (path.empty()) return;
  InsertPicture(file, layout, path, static_cast<std::int32_t>(fraction * layout.TextWidth()));
}

}  // namespace

std::string FrontPageLogo(const std::string& systemPath, const std::string& name) {
  for (const std::string& candidate : {name, std::string("penstars.wmf")}) {
    if (auto path = FindPathNoCase(ResolveInFolder(candidate, systemPath)); path && FileExists(*path)) return *path;
  }
  return {};
}

std::optional<std::vector<std::string>> ReadComplimentsLines(const ProgramSettings& settings) {
  const std::string file = settings.Compliments.empty() ? ResolveInFolder("compliments.txt", settings.SystemPath)
                                                         : settings.Compliments;
  std::optional<std::string> bytes = ReadFileBytes(file);
  if (!bytes) return std::nullopt;
  return SplitLines(IsValidUtf8(*bytes) ? *bytes : Cp1252ToUtf8(*bytes));
}

int SummaryChartCount(const SummaryInputs& in) { return ChartCount(in); }

std::string ChartHeading(const SummaryInputs& in, int chart) {
  const CalculatedChart& c = in.charts[static_cast<std::size_t>(chart)];
  std::string name = RtfLiteral(TrimRight(c.Chart.Name));
  if (in.report && in.report->composite)
    name = "Composite - " + (in.compositeName.empty() ? name : RtfLiteral(in.compositeName));
  return "<BOLDON><UNDERLINEON>" + Row(Language(in), Phrase::ChartPointPositions) + ": " + name + "<UNDERLINEOFF><BOLDOFF>";
}

std::string ReturnLine(const SummaryInputs& in, int chart) {
  if (!in.report || !(IsSolarReturn(*in.report) || IsLunarReturn(*in.report))) return {};
  const CalculatedChart& c = in.charts[static_cast<std::size_t>(chart)];
  const bool monthFirst = in.settings && in.settings->MonthFirst;
  const bool twelveHour = in.settings && in.settings->AMPM;
  const DateTimeRec& m = c.Chart.Moment;
  // The months in the report's language.
  const int language = Language(in);
  std::array<std::string, 12> months;
  for (int k = 1; k <= 12; ++k) months[static_cast<std::size_t>(k - 1)] = std::string(lang::MonthName(language, k));
  return std::string(IsSolarReturn(*in.report) ? "Solar Return:   " : "Lunar Return:   ") +
         RtfLiteral(FormatDate(monthFirst, m.Day, m.Month, m.Year, &months, language == lang::LanguageNorwegian)) + " " + FormatTime(twelveHour, m.Hour, m.Minute, m.Second) + " " +
         TrimRight(c.Chart.ZoneAbbrev) + " " + FormatZoneHours(c.Chart.ZoneHours) + " " +
         RtfLiteral(TrimRight(c.Chart.Place)) + ", " + RtfLiteral(TrimRight(c.Chart.Country));
}

SummaryTable PositionsTable(const SummaryInputs& in, int chart) {
  const int language = Language(in);
  SummaryTable table;
  table.titles = PositionTitles(language, {Row(language, Phrase::Planet)});
  const CalculatedChart& c = in.charts[static_cast<std::size_t>(chart)];
  for (int p = 1; p <= PointCount; ++p) {
    if (!in.report->pointSelection[static_cast<std::size_t>(p)]) continue;
    const PointPos& position = c.Point(p);
    table.rows.push_back(Joined({std::string(lang::PointNameWithArticle(language, p))},
                                position.Computed() ? PositionCells(in, chart, position.Longitude) : UncomputedCells()));
  }
  return table;
}

SummaryTable ExtraPointsTable(const SummaryInputs& in, int chart) {
  SummaryTable table;
  // Each row starts with the abbreviation and the name, so the header has a cell for each.
  table.titles = PositionTitles(Language(in), {"Abbr", "Asteroid"});
  if (static_cast<std::size_t>(chart) >= in.extraPoints.size()) return table;
  for (const TExtraPlotPoint& p : in.extraPoints[static_cast<std::size_t>(chart)].points)
    table.rows.push_back(Joined({TrimRight(p.abbreviation), TrimRight(p.name)},
                                p.position.Computed() ? PositionCells(in, chart, p.position.Longitude) : UncomputedCells()));
  return table;
}

std::string AspectsHeading(const SummaryInputs& in) {
  const int language = Language(in);
  std::string text = "<BOLDON><UNDERLINEON>";
  if (ChartCount(in) == 2)
    text += Row(language, Phrase::SynastryAspects) + ": " + RtfLiteral(OwnerName(in, 0)) + " " +
            Row(language, Phrase::To) + " " + RtfLiteral(OwnerName(in, 1));
  else
    text += Row(language, Phrase::ChartPointAspects);
  return text + "<UNDERLINEOFF><BOLDOFF>";
}

namespace {

// In Spanish the aspect cell ends in its preposition and the next cell's point begins with
// its article, and a row reads as one phrase: the article goes lower case and "a el" joins
// into "al" ("en Cuadratura al" | "Mediocielo").
void JoinAspectAndPoint(int language, std::string& aspect, std::string& point) {
  if (language != lang::LanguageSpanish) return;
  if (point.starts_with("El ") || point.starts_with("La ") || point.starts_with("Los ") || point.starts_with("Las "))
    point[0] = static_cast<char>(point[0] - 'A' + 'a');
  if (aspect.ends_with(" a") && point.starts_with("el ")) {
    aspect += "l";
    point.erase(0, 3);
  }
}

}  // namespace

SummaryTable AspectsTable(const SummaryInputs& in) {
  const int language = Language(in);
  const TKVReport& report = *in.report;
  const bool synastry = ChartCount(in) == 2;
  SummaryTable table;
  table.titles = {Row(language, Phrase::Planet), Row(language, Phrase::Aspect), Row(language, Phrase::Planet),
                  Row(language, Phrase::Orb)};
  if (!synastry) table.titles.push_back(Row(language, Phrase::AppSep));
  const CalculatedChart& a = in.charts[0];
  const CalculatedChart& b = synastry ? in.charts[1] : in.charts[0];
  for (int i = 1; i <= PointCount; ++i) {
    if (!report.pointSelection[static_cast<std::size_t>(i)] || !a.Point(i).Computed()) continue;
    for (int j = synastry ? 1 : i + 1; j <= PointCount; ++j) {
      if (!report.pointSelection[static_cast<std::size_t>(j)] || !b.Point(j).Computed() || NodePair(i, j)) continue;
      if (!in.aspects) continue;
      const AspectMatch m = FindAspect(*in.aspects, i, j, a.Point(i), b.Point(j));
      if (!m.Found()) continue;
      const AspectRecord* record = in.aspects->Record(m.record);
      if (!record) continue;
      std::string aspect(lang::AspectName(language, record->aspectType));
      std::string other(lang::PointNameWithArticle(language, j));
      JoinAspectAndPoint(language, aspect, other);
      std::vector<std::string> row{std::string(lang::PointNameWithArticle(language, i)), aspect, other,
                                   FormatAngle(1, true, false, true, std::fabs(static_cast<double>(m.orb)))};
      if (!synastry) row.push_back(Row(language, m.applying ? Phrase::Applying : Phrase::Separating));
      table.rows.push_back(std::move(row));
    }
  }
  return table;
}

SummaryTable KeyTable(const TExtraPlotPoints& points, const std::string& columnTitle) {
  SummaryTable table;
  table.titles = {"Abbr", columnTitle};
  for (const TExtraPlotPoint& p : points.points)
    if (p.position.Computed()) table.rows.push_back({TrimRight(p.abbreviation), TrimRight(p.name) + " "});
  return table;
}

std::string TableMarkup(const SummaryTable& table) {
  auto row = [](const std::vector<std::string>& cells) {
    std::string text;
    for (std::size_t c = 0; c < cells.size(); ++c) text += (c ? Tab : "") + cells[c];
    return text;
  };
  std::string text = "<TABLEON><BOLDON>" + row(table.titles) + "<BOLDOFF><ENDROW>";
  for (const std::vector<std::string>& cells : table.rows) text += row(cells) + "<ENDROW>";
  return text + "<TABLEOFF>";
}

std::string DynamicSummaries(const SummaryInputs& in, bool barAfterName) {
  std::string text;
  if (!in.report || !in.report->includesDynRep) return text;
  for (std::size_t d = 0; d < in.dynamicSummaries.size() && d < in.report->dynTypeNames.size(); ++d) {
    if (d > 0) text += "|";
    text += "\r\n|<BOLDON><UNDERLINEON>" + in.report->dynTypeNames[d] + "<UNDERLINEOFF><BOLDOFF>\r\n" +
            (barAfterName ? "|" : "") + in.dynamicSummaries[d];
  }
  return text;
}

SummaryInputs SummaryInputsFromRun(const ReportRun& run) {
  SummaryInputs in;
  in.report = run.report;
  in.settings = run.settings;
  in.aspects = run.aspects;
  in.charts = run.charts;
  in.extraPoints = run.extraPoints;
  in.twoCharts = run.report && run.report->synastry && run.charts.size() >= 2 && run.highChart >= 1;
  in.ownerNames = run.ownerNames;
  in.compositeName = run.compositeName;
  if (run.dynamic) in.dynamicSummaries = run.dynamic->Summaries();
  if (run.report && !run.report->almutenFile.empty()) {
    if (auto scheme = AlmutenSchemeOrNone(run.report->almutenFile)) {
      for (std::size_t c = 0; c < run.charts.size() && c < 2; ++c) in.offsetCusps[c] = OffsetCusps(run.charts[c], *scheme);
    }
  }
  return in;
}

std::string DedicationLine(const TKVReport& report, const std::vector<std::string>& names) {
  const int language = report.language;
  const std::string first = names.empty() ? std::string() : TrimRight(names[0]);
  if (report.synastry) {
    const std::string second = names.size() > 1 ? TrimRight(names[1]) : std::string();
    return lang::ApplyContractions(
        Row(language, Phrase::For) + " " + first + " " + Row(language, Phrase::And) + " " + second, language);
  }
  const std::string line = Row(language, Phrase::For) + " " + first;
  if (report.composite && line.size() >= 66) return first;
  return line;
}

namespace {

// Capitals of ASCII letters and of the accented Latin letters the phrase tables use (two
// UTF-8 bytes, C3 A0..BE less the division sign): "Cortesía" -> "CORTESÍA".
std::string UpperLatin(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto byte = static_cast<unsigned char>(out[i]);
    if (byte < 0x80) {
      out[i] = AsciiUpper(out[i]);
    } else if (byte == 0xC3 && i + 1 < out.size()) {
      const auto next = static_cast<unsigned char>(out[i + 1]);
      if (next >= 0xA0 && next <= 0xBE && next != 0xB7) out[i + 1] = static_cast<char>(next - 0x20);
      ++i;
    }
  }
  return out;
}

}  // namespace

std::string ComplimentsLineInLanguage(std::string line, int language) {
  static constexpr std::string_view Key = "Compliments of";
  const std::string lower = ToLowerAscii(line);
  const std::size_t at = lower.find(ToLowerAscii(Key));
  if (at == std::string::npos) return line;
  const std::string found = line.substr(at, Key.size());
  const std::string replacement = Row(language, Phrase::ComplimentsOf);
  line.replace(at, Key.size(), found == ToUpperAscii(Key) ? UpperLatin(replacement) : replacement);
  return line;
}

std::vector<TCompliments> ParseCompliments(const std::vector<std::string>& lines, int language) {
  std::vector<TCompliments> out;
  for (std::size_t n = 0; n < lines.size() && n < 4; ++n) {
    std::string line = ComplimentsLineInLanguage(TrimRight(lines[n]), language);
    if (n < ComplimentsFirstBlock)
      out.push_back({static_cast<std::uint8_t>(n), 0, line});
    else
      SegmentLine(line, static_cast<std::uint8_t>(n), out);
  }
  return out;
}

std::string ComplimentsBlock(const RtfLayout& layout, const std::vector<TCompliments>& entries) {
  std::string rtf;
  std::vector<const TCompliments*> block2, block3;
  for (const TCompliments& e : entries) {
    if (e.kind == ComplimentsFirstHeader)
      rtf += "\\pard\\fs10\\par " + StyledParagraph(layout, e.text, ComplimentsHeader1, false, 0);
    if (e.kind == ComplimentsSecondHeader)
      rtf += "\\pard\\fs10\\par " + StyledParagraph(layout, e.text, ComplimentsHeader2, false, 0);
    if (e.kind == ComplimentsFirstBlock) block2.push_back(&e);
    if (e.kind == ComplimentsSecondBlock) block3.push_back(&e);
  }
  auto segment = [&](const TCompliments& e, bool keepOpen) {
    return StyledParagraph(layout, e.text, e.highlight ? ComplimentsTextHighlight : ComplimentsText, keepOpen, 0);
  };
  for (std::size_t i = 0; i < block2.size(); ++i) rtf += segment(*block2[i], i + 1 < block2.size());
  for (const TCompliments* e : block3) rtf += segment(*e, true);
  return rtf;
}

void WriteKeyTable(RtfFile& file, const RtfLayout& layout, const TExtraPlotPoints& points, const std::string& title,
                   const std::string& columnTitle) {
  WriteText(file, StyledParagraph(layout, title, SectionHeaders, false, 0));
  WriteText(file, NewPar);
  WriteTableText(file, layout, TableMarkup(KeyTable(points, columnTitle)) + "\r\n");
}

// A chart's heading, its return line on return reports, as summary markup.
static std::string ChartHeadingMarkup(const SummaryInputs& in, int chart) {
  std::string text = ChartHeading(in, chart) + "\r\n|";
  const std::string line = ReturnLine(in, chart);
  if (!line.empty()) text += "    " + line + "\r\n|";
  return text;
}

void WriteExtraPointSummary(RtfFile& file, const RtfLayout& layout, const SummaryInputs& in, const std::string& title) {
  WriteText(file, StyledParagraph(layout, title, SectionHeaders, false, 0));
  WriteText(file, NewPar);
  if (!in.report) return;
  for (int c = 0; c < ChartCount(in); ++c)
    WriteTableText(file, layout, ChartHeadingMarkup(in, c) + TableMarkup(ExtraPointsTable(in, c)) + "\r\n");
}

void WriteSummary(RtfFile& file, const RtfLayout& layout, const SummaryInputs& in) {
  WriteText(file, "\r\n\\par \\page\r\n");
  if (!in.report || in.charts.empty()) return;
  const TKVReport& report = *in.report;
  const int language = Language(in);
  if (report.usesExtraPoints) {
    WriteExtraPointSummary(file, layout, in, Row(language, Phrase::AstrologicalSummary));
    return;
  }
  WriteText(file, StyledParagraph(layout, Row(language, Phrase::AstrologicalSummary), SectionHeaders, false, 0));
  WriteText(file, NewPar);
  for (int c = 0; c < ChartCount(in); ++c)
    WriteTableText(file, layout, ChartHeadingMarkup(in, c) + TableMarkup(PositionsTable(in, c)) + "\r\n");
  WriteTableText(file, layout, AspectsHeading(in) + "\r\n|" + TableMarkup(AspectsTable(in)) + DynamicSummaries(in, true));
}

void WriteFrontPage(RtfFile& file, const ReportRun& run, const std::string& title, FrontPagePictures* pictures) {
  if (!run.report || !run.settings) return;
  const TKVReport& report = *run.report;
  const ProgramSettings& settings = *run.settings;
  const RtfLayout layout = RtfLayout::FromSettings(settings);
  const int language = report.language;
  std::vector<std::string> names = run.ownerNames;
  if (names.empty())
    for (const CalculatedChart& c : run.charts) names.push_back(c.Chart.Name);
  if (report.composite && !run.compositeName.empty()) names = {run.compositeName};
  const std::string dedication = RtfLiteral(DedicationLine(report, names));

  if (report.frontPageStyle == 1) {
    WriteText(file, "\r\n\\par \r\n\\par \\pard\\plain ");
    InsertLogo(file, layout, settings.SystemPath, "Korvana_Logo.bmp", 0.48);
    WriteText(file, "\r\n\\par \r\n\\par ");
    WriteText(file, StyledParagraph(layout, UpperText(title), MainHeader1, false, 0) + "\r\n");
    WriteText(file, "\\pard\\fs10\\par ");
    WriteText(file, StyledParagraph(layout, UpperText(Row(language, Phrase::ReportTitle)), MainHeader2, false, 0));
    WriteText(file, StyledParagraph(layout, dedication, MainHeader2, false, 0) + "\\par ");
    WriteText(file, StyledParagraph(layout, UpperText(RtfLiteral(report.author)), MainHeader3, false, 0));
    if (!Trim(report.translator).empty())
      WriteText(file, ScaledCopyStyle(layout, RtfLiteral(report.translator), MainHeader3, 0.7));
    else
      WriteText(file, NewPar);
  } else {
    WriteText(file, StyledParagraph(layout, "KORVANA REPORT", MainHeader1, false, 0) + NewPar);
    InsertLogo(file, layout, settings.SystemPath, "Korvana_Logo.bmp", report.frontPageGraphicWidth);
    WriteText(file, "\r\n\\par \r\n\\par ");
    WriteText(file, StyledParagraph(layout, title, MainHeader1, false, 0) + NewPar);
    WriteText(file, NewPar);
    WriteText(file, StyledParagraph(layout, dedication, MainHeader2, false, 0) + "\\par ");
    WriteText(file, "\r\n\\par \r\n\\par ");
  }
  WriteText(file, "\r\n\\par \r\n\\par ");
  InsertLogo(file, layout, settings.SystemPath, "TessalyLogo.bmp", 0.13);
  WriteText(file, NewPar);

  if (auto lines = ReadComplimentsLines(settings)) WriteText(file, ComplimentsBlock(layout, ParseCompliments(*lines, language)));

  if (settings.ChartPage) {
    // The chart page is built aside and written only when it holds something, so that a
    // report without a wheel picture gets no empty page.
    RtfFile page;
    const std::string folder = run.pictureFolder.empty() ? settings.ReportPath : WithTrailingSlash(run.pictureFolder);
    const std::string wheel = folder + "chart.wmf";
    if (pictures && pictures->DrawWheel(run, wheel, RtfWheelCanvas)) InsertPicture(page, layout, wheel, layout.TextWidth());
    if (report.usesExtraPoints && !run.extraPoints.empty())
      WriteKeyTable(page, layout, run.extraPoints[0], "Key", "Asteroid");
    const std::string dignity = folder + "essdig.wmf";
    if (pictures && run.aspects && run.aspects->header.moietyCombination == -1 && pictures->DrawDignityTable(run, dignity))
      InsertPicture(page, layout, dignity, static_cast<std::int32_t>(0.6 * layout.TextWidth()));
    if (!page.Data().empty()) {
      WriteText(file, "\r\n\\par \\page\r\n");
      file.AppendRaw(page.Data());
    }
  }
}

void RtfFrontPageWriter::WriteFrontPage(RtfFile& file, const ReportRun& run, const std::string& title) {
  // Only the first style prints the report set's front page title; the others print the
  // front page section's own title.
  const bool styleOne = run.report && run.report->frontPageStyle == 1;
  korvana::WriteFrontPage(file, run, styleOne ? Heading(run, title) : title, pictures_);
}

void RtfFrontPageWriter::WriteSummary(RtfFile& file, const ReportRun& run) {
  if (!run.settings) return;
  korvana::WriteSummary(file, RtfLayout::FromSettings(*run.settings), SummaryInputsFromRun(run));
}

}  // namespace korvana
