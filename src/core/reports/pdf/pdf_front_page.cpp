#include "core/reports/pdf/pdf_front_page.h"

#include <cmath>

#include "core/reports/language/language.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

using lang::Phrase;

std::string Row(int language, Phrase row) { return std::string(lang::PhraseText(language, row)); }

std::string Upper(std::string s) { return ToUpperAscii(s); }

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

// A text style scaled for one paragraph (the translator line) and restored afterwards.
class StyleOverride {
 public:
  StyleOverride(PdfLayout& layout, int style) : layout_(layout), style_(style), saved_(layout.Style(style)) {}
  ~StyleOverride() { layout_.SetStyle(style_, saved_); }
  TTextStyle Changed() const { return saved_; }
  void Set(const TTextStyle& s) { layout_.SetStyle(style_, s); }

 private:
  PdfLayout& layout_;
  int style_;
  TTextStyle saved_;
};

void WriteScaled(PdfLayout& layout, const std::string& text, int style, double factor, bool spacing) {
  StyleOverride o(layout, style);
  TTextStyle s = o.Changed();
  s.fontSize = static_cast<std::int32_t>(std::nearbyint(factor * s.fontSize));
  o.Set(s);
  layout.WriteParagraph(text, style, PdfWhole, 100, spacing);
}

double ScaledSize(const PdfLayout& layout, int style, double factor) {
  return std::nearbyint(factor * layout.Style(style).fontSize);
}

void SetFontSize(PdfLayout& layout, double size) {
  PdfFont f = layout.Engine().Font();
  f.size = size;
  layout.Engine().SetFont(f);
}

void DrawLogo(PdfLayout& layout, const std::string& file, bool asImage, double fraction) {
  if (!file.empty()) layout.DrawPicture(file, asImage, fraction);
}

// One text block of the compliments file: a single segment as a paragraph, several as one
// line in pieces, measured first so that a centred line is centred as a whole.
void WriteComplimentsBlock(PdfLayout& layout, const std::vector<const TCompliments*>& segments) {
  if (segments.empty()) return;
  auto style = [](const TCompliments& c) { return c.highlight ? ComplimentsTextHighlight : ComplimentsText; };
  if (segments.size() == 1) {
    const TCompliments& c = *segments.front();
    if (c.highlight) {
      StyleOverride o(layout, ComplimentsTextHighlight);
      TTextStyle s = o.Changed();
      s.alignment = static_cast<std::uint8_t>(TextAlignment::Centre);
      o.Set(s);
      layout.WriteParagraph(c.text, style(c), PdfWhole, 100, false);
    } else {
      layout.WriteParagraph(c.text, style(c), PdfWhole, 100, false);
    }
    return;
  }
  auto pieces = [&] {
    for (std::size_t i = 0; i < segments.size(); ++i) {
      const int part = i == 0 ? PdfFirstPiece : i + 1 == segments.size() ? PdfLastPiece : PdfMiddlePiece;
      layout.WriteParagraph(segments[i]->text, style(*segments[i]), part, 100, false);
    }
  };
  layout.pass = PdfMeasuringPass;
  layout.centringOffset = 0;
  pieces();
  layout.pass = PdfWritingPass;
  pieces();
  layout.pass = PdfNormalPass;
}

void WriteCompliments(PdfLayout& layout, const std::vector<TCompliments>& entries) {
  const double bottom = layout.Page().marginBottom;
  layout.SetBottomMargin(34);
  std::vector<const TCompliments*> first, second;
  for (const TCompliments& e : entries) {
    if (e.kind == ComplimentsFirstHeader) {
      layout.EnsureRoom(1, 10);
      layout.WriteParagraph(e.text, ComplimentsHeader1, PdfWhole, 100, false);
    } else if (e.kind == ComplimentsSecondHeader) {
      layout.EnsureRoom(1, 6);
      layout.WriteParagraph(e.text, ComplimentsHeader2, PdfWhole, 100, false);
    } else if (e.kind == ComplimentsFirstBlock) {
      first.push_back(&e);
    } else {
      second.push_back(&e);
    }
  }
  WriteComplimentsBlock(layout, first);
  WriteComplimentsBlock(layout, second);
  layout.SetBottomMargin(bottom);
}

std::vector<std::string> ComplimentsLines(const ProgramSettings& settings, int language) {
  std::vector<std::string> lines = ReadComplimentsLines(settings).value_or(std::vector<std::string>{});
  for (std::string& line : lines) line = ComplimentsLineInLanguage(std::move(line), language);
  return lines;
}

PdfTable TableOf(const SummaryTable& t, std::vector<double> fractions, double widthFraction, int alignment) {
  PdfTable table;
  table.titles = t.titles;
  table.rows = t.rows;
  table.fractions = std::move(fractions);
  table.fractions.resize(t.titles.size(), 0.1);
  table.widthFraction = widthFraction;
  table.alignment = alignment;
  table.header = true;
  return table;
}

void WriteChartHeading(PdfLayout& layout, const SummaryInputs& in, int chart) {
  layout.WriteParagraph(ChartHeading(in, chart), BodyText, PdfWhole, 100, true);
  const std::string line = ReturnLine(in, chart);
  if (!line.empty()) layout.WriteParagraph(line + "\r\n", BodyText, PdfWhole, 100, true);
}

bool MoietyMode(const ReportRun& run) { return run.aspects && run.aspects->header.moietyCombination == -1; }

void WriteChartPage(PdfLayout& layout, const ReportRun& run, FrontPagePictures* pictures) {
  const ProgramSettings& settings = *run.settings;
  const TKVReport& report = *run.report;
  layout.NewPage();
  const std::string folder = run.pictureFolder.empty() ? settings.ReportPath : WithTrailingSlash(run.pictureFolder);
  const WheelCanvas canvas = PdfWheelCanvas(run, layout.TextWidth(), layout.UsableHeight());
  const std::string wheel = folder + "chart.wmf";
  if (pictures && pictures->DrawWheel(run, wheel, canvas)) {
    layout.DrawPicture(wheel, false, 1.0, static_cast<double>(canvas.width) / canvas.height);
    layout.usedHeight += 0.03 * layout.UsableHeight();
  }
  if (report.usesExtraPoints && !run.extraPoints.empty()) WritePdfKeyTable(layout, run.extraPoints[0], "Key", "Asteroid");
  const std::string dignity = folder + "essdig.wmf";
  if (pictures && MoietyMode(run) && pictures->DrawDignityTable(run, dignity)) layout.DrawPicture(dignity, false, 0.75);
}

}  // namespace

WheelCanvas PdfWheelCanvas(const ReportRun& run, double textWidth, double usableHeight) {
  const TKVReport& report = *run.report;
  const bool returns = report.includesSolarReturn || report.includesLunarReturn;
  const int tall = static_cast<int>(std::trunc(2000 * 0.95 * usableHeight / textWidth));
  WheelCanvas c{2000, tall, 0, 2, 2};
  if (report.synastry || returns) {
    if (run.settings->ShowNatalCht) c = {2000, 1400, 2, 2, 2};
  } else if (report.usesExtraPoints) {
    c.height = 1400;
  }
  // A set in moiety mode keeps the page-high wheel too: on a lower canvas the chart
  // details ran into the wheel's rim. Its dignity table follows on the next page.
  return c;
}

void WritePdfFrontPage(PdfLayout& layout, const ReportRun& run, const std::string& title, FrontPagePictures* pictures) {
  if (!run.report || !run.settings) return;
  const TKVReport& report = *run.report;
  const ProgramSettings& settings = *run.settings;
  const int language = report.language;
  std::vector<std::string> names = run.ownerNames;
  if (names.empty())
    for (const CalculatedChart& c : run.charts) names.push_back(c.Chart.Name);
  const std::string dedication = RtfLiteral(DedicationLine(report, names));
  const std::string compositeName =
      report.composite && !run.charts.empty() ? RtfLiteral(TrimRight(run.charts[0].Chart.Name)) : std::string();
  const std::string mainLogo = FrontPageLogo(settings.SystemPath, "Korvana_Logo.bmp");

  if (report.frontPageStyle == 1) {
    DrawLogo(layout, mainLogo, false, 0.5);
    layout.EnsureRoom(2, 16);
    layout.WriteParagraph(Upper(FrontPageWriter::Heading(run, title)), MainHeader1, PdfWhole, 30, true);
    layout.WriteParagraph(Upper(Row(language, Phrase::ReportTitle)), MainHeader2, PdfWhole, 100, false);
    layout.WriteParagraph(dedication, MainHeader2, PdfWhole, 100, false);
    layout.EnsureRoom(1, 8);
    layout.WriteParagraph(Upper(RtfLiteral(report.author)), MainHeader3, PdfWhole, 100, true);
    if (!Trim(report.translator).empty())
      WriteScaled(layout, RtfLiteral(report.translator), MainHeader3, 0.7, false);
    else
      layout.EnsureRoom(1, ScaledSize(layout, MainHeader3, 0.7));
    SetFontSize(layout, 12);
    layout.EnsureRoom(3);
    if (auto second = FindPathNoCase(ResolveInFolder("TessalyLogo.bmp", settings.SystemPath)); second && FileExists(*second))
      layout.DrawPicture(*second, true, 0.13);
    if (auto lines = ReadComplimentsLines(settings)) WriteCompliments(layout, ParseCompliments(*lines, language));
  } else if (report.frontPageStyle == 2) {
    layout.WriteParagraph(Upper(title), MainHeader1, PdfWhole, 100, true);
    layout.WriteParagraph(Row(language, Phrase::ReportTitle), MainHeader1, PdfWhole, 100, false);
    layout.WriteParagraph(report.composite ? compositeName : dedication, MainHeader1, PdfWhole, 100, true);
    DrawLogo(layout, mainLogo, false, report.frontPageGraphicWidth);
    layout.EnsureRoom(1);
    {
      StyleOverride o(layout, MainHeader1);
      TTextStyle s = o.Changed();
      s.fontSize = static_cast<std::int32_t>(std::nearbyint(0.7 * s.fontSize));
      o.Set(s);
      layout.WriteParagraph(RtfLiteral(report.author), MainHeader1, PdfWhole, 100, false);
      if (!Trim(report.translator).empty())
        WriteScaled(layout, RtfLiteral(report.translator), MainHeader1, 0.55, false);
      else
        layout.EnsureRoom(1);
    }
    layout.EnsureRoom(1);
    for (const std::string& line : ComplimentsLines(settings, language))
      layout.WriteParagraph(RtfLiteral(line), ComplimentsText, PdfWhole, 100, false);
  } else {
    layout.WriteParagraph("KORVANA REPORT", MainHeader1, PdfWhole, 100, true);
    DrawLogo(layout, mainLogo, true, report.frontPageGraphicWidth);
    layout.EnsureRoom(2);
    layout.WriteParagraph(title, MainHeader1, PdfWhole, 100, true);
    layout.EnsureRoom(1);
    layout.WriteParagraph(report.composite ? compositeName : dedication, MainHeader1, PdfWhole, 100, true);
    layout.EnsureRoom(2);
    for (const std::string& line : ComplimentsLines(settings, language))
      layout.WriteParagraph(RtfLiteral(line), ComplimentsText, PdfWhole, 100, false);
  }
  if (settings.ChartPage) WriteChartPage(layout, run, pictures);
}

void WritePdfKeyTable(PdfLayout& layout, const TExtraPlotPoints& points, const std::string& title,
                      const std::string& columnTitle) {
  layout.WriteParagraph(title, SectionHeaders, PdfWhole, 100, true);
  PdfFont f = layout.Engine().Font();
  f.colour = MakeColor(0, 0, 0);
  layout.Engine().SetFont(f);
  layout.DrawTable(TableOf(KeyTable(points, columnTitle), {0.5, 0.5}, 0.5, static_cast<int>(TextAlignment::Centre)));
  layout.usedHeight += layout.XHeight();
}

void WritePdfExtraPointSummary(PdfLayout& layout, const SummaryInputs& in, const std::string& title) {
  layout.WriteParagraph(title, SectionHeaders, PdfWhole, 100, true);
  if (!in.report) return;
  for (int c = 0; c < SummaryChartCount(in); ++c) {
    WriteChartHeading(layout, in, c);
    layout.DrawTable(TableOf(ExtraPointsTable(in, c), {0.1, 0.2, 0.15, 0.15, 0.1, 0.3}, 1.0, 0));
  }
}

void WritePdfSummary(PdfLayout& layout, const SummaryInputs& in) {
  layout.NewPage();
  if (!in.report || in.charts.empty()) return;
  const int language = in.report->language;
  if (in.report->usesExtraPoints) {
    WritePdfExtraPointSummary(layout, in, Row(language, Phrase::AstrologicalSummary));
    return;
  }
  layout.WriteParagraph(Row(language, Phrase::AstrologicalSummary), SectionHeaders, PdfWhole, 100, true);
  for (int c = 0; c < SummaryChartCount(in); ++c) {
    WriteChartHeading(layout, in, c);
    layout.DrawTable(TableOf(PositionsTable(in, c), {0.2, 0.15, 0.15, 0.1, 0.4}, 1.0, 0));
    layout.usedHeight += layout.XHeight();
  }
  layout.WriteParagraph(AspectsHeading(in), BodyText, PdfWhole, 100, true);
  layout.DrawTable(TableOf(AspectsTable(in), {0.24, 0.26, 0.24, 0.1, 0.16}, 1.0, 0));
  std::string dynamic = DynamicSummaries(in, false);
  if (!dynamic.empty()) {
    ConvertBars(dynamic);
    layout.WriteParagraph(dynamic, BodyText, PdfWhole, 100, true);
  }
}

}  // namespace korvana
