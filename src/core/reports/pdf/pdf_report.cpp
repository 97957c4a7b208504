#include "core/reports/pdf/pdf_report.h"

#include <cmath>

#include "core/reports/language/language.h"
#include "core/reports/pdf/pdf_front_page.h"
#include "core/util/text.h"

namespace korvana {
namespace {

std::string TrimRight(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  return s;
}

std::string ChartName(const ReportRun& run, std::size_t i) {
  return i < run.charts.size() ? TrimRight(run.charts[i].Chart.Name) : std::string();
}

}  // namespace

PdfPageSetup PdfPageFor(const ProgramSettings& settings, const PdfReportOptions& options) {
  const PrinterPage printer = options.printer.value_or(NoPrinterPage);
  const PaperSize paper = ChoosePaperSize(printer);
  PdfPageSetup page;
  const double dpi = options.screenDpi > 0 ? options.screenDpi : 96;
  page.dpi = dpi;
  page.paperName = std::string(paper.name);
  const double scale = dpi == 96 ? 1.0 : dpi / 96;
  page.widthInches = paper.widthInches * scale;
  page.heightInches = paper.heightInches * scale;
  const auto twips = [dpi](std::int32_t t) { return t / 1440.0 * dpi; };
  page.marginLeft = twips(settings.PageMarginL);
  page.marginRight = twips(settings.PageMarginR);
  page.marginTop = twips(settings.PageMarginT);
  page.marginBottom = twips(settings.PageMarginB);
  page.header = 15 / 25.4 * dpi;
  page.footer = 5 / 25.4 * dpi;
  return page;
}

std::string PdfReportName(const ReportRun& run) {
  if (run.report && run.report->synastry && run.charts.size() >= 2) {
    const int language = run.report->language;
    return lang::ApplyContractions(ChartName(run, 0) + " " + std::string(lang::PhraseText(language, lang::Phrase::And)) +
                                       " " + ChartName(run, 1),
                                   language);
  }
  return ChartName(run, 0);
}

std::string PdfHeaderText(const ReportRun& run) {
  if (!run.settings || !run.settings->IncludePageHeaders || !run.report) return {};
  return std::string(ApplicationTitle) + " " + run.report->caption + " - " + PdfReportName(run);
}

PdfReportWriter::PdfReportWriter(PdfEngine& engine, const ReportRun& run, const PdfReportOptions& options)
    : engine_(engine), options_(options), settings_(*run.settings), durability_(run.durability),
      layout_(engine, run.settings->TextStyles) {}

bool PdfReportWriter::Open(const ReportRun& run) {
  PdfDocInfo info;
  info.author = MakerName;
  info.creator = ApplicationTitle;
  info.subject = PdfReportName(run);
  info.title = std::string(ApplicationTitle) + " - " + run.report->caption;
  engine_.SetDocumentInfo(info);
  layout_.SetPage(PdfPageFor(settings_, options_));
  layout_.SetHeaderText(PdfHeaderText(run));
  if (run.report->language >= 0 && run.report->language < lang::LanguageCount)
    layout_.SetPageWord(std::string(lang::PageWords[static_cast<std::size_t>(run.report->language)]));
  PdfFont font;
  font.name = "Arial";
  font.size = 12;
  engine_.SetFont(font);
  return engine_.BeginDocument();
}

void PdfReportWriter::FrontPageSection(const ReportRun& run, const std::string& title) {
  WritePdfFrontPage(layout_, run, title, options_.pictures);
  layout_.NewPage();
  if (settings_.Summary) WritePdfSummary(layout_, SummaryInputsFromRun(run));
}

void PdfReportWriter::SectionTitle(const std::string& title, int depth) {
  if (depth == 1 && settings_.PageBreaks) layout_.NewPage();
  layout_.WriteParagraph(title, SectionHeaders, PdfWhole, 100, true);
}

void PdfReportWriter::KeywordTitles(const std::string& titles) {
  if (layout_.RemainingHeight() < 2 * layout_.XHeight()) layout_.NewPage();
  layout_.WriteParagraph(titles, AstrologicalTitles, PdfWhole, 100, false);
}

void PdfReportWriter::Text(const std::string& text) {
  std::string t = text;
  ConvertBars(t);
  layout_.WriteBlock(t, BodyText, true);
}

void PdfReportWriter::Picture(const std::string& file, int percent) {
  layout_.DrawPicture(file, false, percent / 100.0);
  layout_.WriteParagraph("", BodyText, PdfWhole, 100, true);
}

namespace {

// A dynamic section's entries on the PDF pages.
class PdfDynamicOutput : public DynamicSectionOutput {
 public:
  PdfDynamicOutput(PdfLayout& layout, bool pageBreaks) : layout_(layout), pageBreaks_(pageBreaks) {}
  void PeriodLine(const std::string& line) override {
    if (pageBreaks_) layout_.NewPage();
    layout_.WriteParagraph(line, SectionHeaders, PdfWhole, 100, true);
  }
  // The picture is a twelfth as high as wide: it goes to the next page unless it fits
  // with two lines to spare.
  void TimeLine(const std::string& picture) override {
    const double needed = layout_.TextWidth() / 6 + 2 * layout_.XHeight();
    if (layout_.RemainingHeight() < needed) layout_.NewPage();
    layout_.DrawPicture(picture, false, 1.0);
  }
  void Entry(const std::string& heading, const std::string& text) override {
    layout_.EnsureRoom(1);
    layout_.WriteParagraph(heading, AstrologicalTitles, PdfWhole, 100, false);
    layout_.EnsureRoom(1);
    std::string t = text;
    ConvertBars(t);
    layout_.WriteParagraph(t, BodyText, PdfWhole, 100, true);
  }

 private:
  PdfLayout& layout_;
  bool pageBreaks_;
};

}  // namespace

void PdfReportWriter::DynamicSection(const ReportRun& run, int section, bool background, bool keywordTitles) {
  if (!run.dynamic) return;
  PdfDynamicOutput output(layout_, settings_.PageBreaks);
  run.dynamic->WriteSection(output, run, section, background, keywordTitles);
}

bool PdfReportWriter::Finish(const std::string& path) { return engine_.EndDocument(path, durability_); }

ReportOutcome GeneratePdfReport(ReportDriver& driver, const ReportRun& run, PdfEngine& engine,
                                const PdfReportOptions& options) {
  if (!run.report || !run.settings || run.charts.empty()) return {};
  PdfReportWriter writer(engine, run, options);
  if (!writer.Open(run)) {
    ReportOutcome outcome;
    outcome.failed = true;
    outcome.problem = "The PDF document could not be begun.";
    if (run.messages) run.messages->Error(std::string(ReportProblemMessage) + outcome.problem);
    return outcome;
  }
  return driver.Generate(run, writer);
}

}  // namespace korvana
