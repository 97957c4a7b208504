#include "core/reports/driver/report_driver.h"

#include <cmath>
#include <exception>
#include <optional>

#include "core/analysis/almuten_scheme.h"
#include "core/analysis/classical.h"
#include "core/analysis/dignities.h"
#include "core/astro/cast_chart.h"
#include "core/astro/ephemeris.h"
#include "core/astro/stars.h"
#include "core/reports/compiler/compiled_reader.h"
#include "core/reports/compiler/index_pairing.h"
#include "core/reports/compiler/statements.h"
#include "core/reports/interps/interps.h"
#include "core/reports/language/language.h"
#include "core/time/entry_parsing.h"
#include "core/time/angle_math.h"
#include "core/util/files.h"
#include "core/util/text.h"
#include "core/util/error.h"

namespace korvana {

namespace {

constexpr const char* ParEnd = "\r\n\\par ";


// A damaged compiled report or index: the walk stops with the driver's message.
class EReportWalkError : public Error {
 public:
  using Error::Error;
};

std::string UpperAscii(std::string s) {
  for (char& ch : s)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return s;
}

}  // namespace

std::string FrontPageWriter::Heading(const ReportRun& run, const std::string& title) {
  return run.report && !run.report->frontPageTitle.empty() ? RtfLiteral(run.report->frontPageTitle) : title;
}

void FrontPageWriter::WriteFrontPage(RtfFile& file, const ReportRun& run, const std::string& title) {
  RtfLayout layout = RtfLayout::FromSettings(*run.settings);
  WriteText(file, StyledParagraph(layout, Heading(run, title), MainHeader1, false, 0));
}

void FrontPageWriter::WriteSummary(RtfFile&, const ReportRun&) {}

void DynamicSectionWriter::SearchEvents(const ReportRun&) {}

void DynamicSectionWriter::WriteSection(DynamicSectionOutput&, const ReportRun&, int, bool, bool) {}

std::vector<std::string> DynamicSectionWriter::Summaries() const { return {}; }

void ReportWriter::SectionBegins(std::size_t) {}

void ReportWriter::ParagraphReached(std::size_t) {}

ReportOwners OwnersOf(const ReportRun& run) {
  ReportOwners owners;
  owners.names = run.ownerNames;
  for (std::size_t i = 0; i < 2 && i < run.charts.size(); ++i) owners.eventKinds[i] = run.charts[i].Chart.EventKind;
  owners.twoCharts = run.report && run.report->synastry && run.highChart >= 1;
  owners.language = run.report ? run.report->language : lang::LanguageEnglish;
  return owners;
}

RtfReportWriter::RtfReportWriter(const ReportRun& run)
    : settings_(*run.settings), durability_(run.durability), layout_(RtfLayout::FromSettings(*run.settings)),
      front_(run.frontPage ? *run.frontPage : defaultFront_), dynamic_(run.dynamic ? *run.dynamic : defaultDynamic_) {
  const int language = run.report ? run.report->language : lang::LanguageEnglish;
  if (language >= 0 && language < lang::LanguageCount) {
    layout_.pageWord = std::string(lang::PageWords[static_cast<std::size_t>(language)]);
    layout_.languageId = lang::RtfLanguageIds[static_cast<std::size_t>(language)];
  }
}

void RtfReportWriter::Begin() {
  if (begun_) return;
  WriteText(file_, DocumentHeader(layout_, 11));
  begun_ = true;
}

void RtfReportWriter::FrontPageSection(const ReportRun& run, const std::string& title) {
  front_.WriteFrontPage(file_, run, title);
  if (settings_.Summary) front_.WriteSummary(file_, run);
  if (!settings_.PageBreaks) PageBreak(file_);
}

void RtfReportWriter::SectionTitle(const std::string& title, int depth) {
  if (depth == 1 && settings_.PageBreaks) PageBreak(file_);
  WriteText(file_, StyledParagraph(layout_, title, SectionHeaders, false, 0) + ParEnd);
}

void RtfReportWriter::KeywordTitles(const std::string& titles) {
  WriteText(file_, StyledParagraph(layout_, titles, AstrologicalTitles, false, 0));
}

void RtfReportWriter::Text(const std::string& text) {
  std::string t = text;
  ConvertTokens(layout_, t);
  ConvertTables(layout_, t);
  ConvertLists(layout_, t);
  ConvertBars(t);
  WriteText(file_, StyledParagraph(layout_, t, BodyText, false, 0) + ParEnd);
}

void RtfReportWriter::Picture(const std::string& file, int percent) {
  auto width = static_cast<std::int32_t>(std::trunc(percent / 100.0 * layout_.TextWidth()));
  InsertPicture(file_, layout_, file, width);
  WriteText(file_, ParEnd);
}

void RtfReportWriter::DebugLine(const std::string& text) {
  WriteText(file_, StyledParagraph(layout_, text, BodyText, false, 0));
}

namespace {

// A dynamic section's entries in the RTF document.
class RtfDynamicOutput : public DynamicSectionOutput {
 public:
  RtfDynamicOutput(RtfReportWriter& writer, RtfFile& file, const RtfLayout& layout, bool pageBreaks)
      : writer_(writer), file_(file), layout_(layout), pageBreaks_(pageBreaks) {}
  void PeriodLine(const std::string& line) override {
    if (pageBreaks_) PageBreak(file_);
    WriteText(file_, StyledParagraph(layout_, line, SectionHeaders, false, 0) + ParEnd);
  }
  void TimeLine(const std::string& picture) override { InsertPicture(file_, layout_, picture, layout_.TextWidth()); }
  void Entry(const std::string& heading, const std::string& text) override {
    std::string h = heading;
    ConvertTokens(layout_, h);
    WriteText(file_, ParEnd + StyledParagraph(layout_, h, AstrologicalTitles, false, 0) + ParEnd);
    writer_.Text(text);
  }

 private:
  RtfReportWriter& writer_;
  RtfFile& file_;
  const RtfLayout& layout_;
  bool pageBreaks_;
};

}  // namespace

void RtfReportWriter::DynamicSection(const ReportRun& run, int section, bool background, bool keywordTitles) {
  RtfDynamicOutput output(*this, file_, layout_, settings_.PageBreaks);
  dynamic_.WriteSection(output, run, section, background, keywordTitles);
}

bool RtfReportWriter::Finish(const std::string& path) {
  Begin();
  WriteText(file_, DocumentEnd());
  return file_.Save(path, durability_);
}

// ---------------------------------------------------------------------------------------
// Preparation

std::string FillPlaceholders(const std::string& text, StatementCode code,
                             const std::vector<std::pair<char, std::string>>& fills) {
  const std::string_view letters = StatementPlaceholders(code);
  if (letters.empty() || text.find('%') == std::string::npos) return text;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 1 < text.size() && letters.find(text[i + 1]) != std::string_view::npos) {
      for (const auto& [letter, fill] : fills)
        if (letter == text[i + 1]) {
          out += RtfLiteral(fill);
          break;
        }
      ++i;
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

UntimedIngressTable IngressFromCharts(const CalculatedChart& atStart, const CalculatedChart& atEnd) {
  UntimedIngressTable table{};
  for (int p = FirstPoint; p <= LastPoint; ++p) {
    if (NeedsBirthTime(p)) continue;
    UntimedIngress& in = table[static_cast<std::size_t>(p)];
    double l0 = atStart.Longitude(p), l1 = atEnd.Longitude(p);
    if (l0 < 0 || l1 < 0) continue;
    in.signAtStart = SignOfLongitude(l0);
    in.signAtEnd = SignOfLongitude(l1);
    in.changed = in.signAtStart != in.signAtEnd;
    if (!in.changed) continue;
    double motion = ReduceDegrees(l1 - l0 + 180.0) - 180.0;
    if (motion == 0) continue;
    double r = std::fmod(ReduceDegrees(l0), 30.0);
    double distance = motion >= 0 ? 30.0 - r : -r;
    double hours = 24.0 * distance / motion + 0.0001;
    if (!(hours >= 0) || hours > 24.0) hours = hours < 0 ? 0.0 : 24.0;
    in.hour = static_cast<int>(hours);
    in.minute = static_cast<int>(60.0 * (hours - in.hour));
  }
  return table;
}

UntimedIngressTable ComputeUntimedIngress(const CalculatedChart& chart, const ProgramSettings& settings) {
  CastOptions options = CastOptionsFrom(settings);
  options.HouseSystem = chart.Houses.HouseSystem;
  ChartRecord start = chart.Chart, end = chart.Chart;
  start.Moment.Hour = 0;
  start.Moment.Minute = 0;
  start.Moment.Second = 0;
  end.Moment.Hour = 23;
  end.Moment.Minute = 59;
  end.Moment.Second = 59;
  return IngressFromCharts(CastChart(start, options), CastChart(end, options));
}

ClassicalInputs PrepareClassicalAnalysis(const std::vector<CalculatedChart>& charts, int highChart,
                                         const TKVReport& report, const ProgramSettings& settings,
                                         const RulershipTables& tables) {
  ClassicalInputs in;
  if (charts.empty()) return in;
  const CalculatedChart& chart = charts[0];
  PlanetaryHours hours = PlanetaryDayAndHour(chart);
  in.dayRuler = hours.dayRuler;
  in.hourRuler = hours.hourRuler;

  const std::string algol = ResolveInFolder("algol.fst", settings.SystemPath);
  if (FileExists(algol)) in.algolLongitude = StarLongitude(algol, 1, chart);

  if (auto geniture = AlmutenSchemeOrNone(ResolveInFolder("geniture.alm", settings.SystemPath)))
    in.genitureRulers = GenitureRulers(ScoreDignities(*geniture, chart, tables));

  if (auto house = AlmutenSchemeOrNone(ResolveInFolder("house.alm", settings.SystemPath))) {
    in.almutens = AlmutensOfChart(*house, chart, tables);
    in.almutensKnown = true;
  }

  in.reportScheme = AlmutenSchemeOrNone(report.almutenFile);
  if (in.reportScheme) {
    in.offsetCusps[0] = OffsetCusps(chart, *in.reportScheme);
    if (report.synastry && highChart >= 1 && charts.size() >= 2)
      in.offsetCusps[1] = OffsetCusps(charts[1], *in.reportScheme);
    in.reportScores = ScoreDignities(*in.reportScheme, chart, tables);
  }
  in.hyleg = Hyleg(chart, in.offsetCusps[0] ? *in.offsetCusps[0] : chart.Houses.Cusps);
  in.hylegAlmutens = AlmutenWinners{};
  if (in.almutensKnown && IsPointId(in.hyleg)) in.hylegAlmutens = in.almutens.points[static_cast<std::size_t>(in.hyleg)];
  return in;
}

TExtraPlotPoints ComputeExtraPoints(const CalculatedChart& chart, const TKVReport& report, Messages& messages) {
  TExtraPlotPoints extra;
  if (!report.usesExtraPoints) return extra;
  std::string failures;
  for (std::size_t i = 0; i < report.extraPointNumbers.size(); ++i) {
    std::string entry = i < report.extraPointNames.size() ? report.extraPointNames[i] : std::string();
    std::vector<std::string> fields = SplitBounded(entry, '|', 10);
    auto field = [&](std::size_t k) {
      std::string f = k < fields.size() ? std::string(Trim(fields[k])) : std::string();
      return f.empty() ? std::string("?") : f;
    };
    TExtraPlotPoint point;
    point.name = field(0);
    point.abbreviation = field(1);
    point.glyph = field(2);
    point.number = report.extraPointNumbers[i];
    AsteroidResult r = ComputeAsteroid(point.number, chart.Moment.ZodiacOffset, chart.Moment.JDUT);
    point.position = r.position;
    if (!r.position.Computed())
      failures += "\r\n" + point.name + " - Reason: " + (r.error.empty() ? std::string("not computed") : r.error);
    extra.positions.push_back(point.position.Longitude);
    extra.flags.push_back(point.position.Computed() ? 1 : 0);
    extra.points.push_back(std::move(point));
  }
  if (!failures.empty()) messages.Warning("Could not calculate position of the following asteroids:\r\n" + failures);
  return extra;
}

// ---------------------------------------------------------------------------------------
// The walk

struct ReportDriver::Walk {
  ReportDriver& d;
  const ReportRun& run;
  const ProgramSettings& settings;
  const TKVReport& report;
  ReportWriter& out;
  ReportOwners owners;
  ReportOutcome outcome;

  Walk(ReportDriver& driver, const ReportRun& r, ReportWriter& writer)
      : d(driver), run(r), settings(*r.settings), report(*r.report), out(writer), owners(OwnersOf(r)) {}

  int Language() const { return report.language; }
  bool timeNoteWritten = false;  // the birth time's note, written once

  // The note on a birth time that cannot be taken at its word: not known, or in a clock change.
  void WriteTimeNote(const CalculatedChart& chart) {
    if (chart.Chart.TimeUnknown)
      out.Text(TimeUnknownNote(chart, d.composer.ingress, settings.AMPM, Language()));
    else if (chart.Chart.ClockFit != LocalTimeFit::Unique)
      out.Text(ClockChangeNote(chart, OtherClockReading(chart, settings), settings.AMPM, Language()));
  }

  // A statement's text with the owners' names.
  void WriteParagraph(std::string text, bool swapped) {
    ReportOwners o = owners;
    o.swapped = swapped;
    SubstituteNames(text, o);
    out.Text(text);
  }

  void Debug(const std::string& text) {
    if (run.debug) out.DebugLine(text);
  }

  std::string InFolder(const std::string& name, const std::string& folder) const {
    std::string n(Trim(name));
    if (n.find('/') != std::string::npos) return n;
    return ResolveInFolder(n, folder);
  }

  std::size_t IndexOf(const CompiledReportReader& reader, std::size_t position) const {
    const PlacedRecord* r = reader.At(position);
    if (!r) throw EReportWalkError("The compiled report has a link to position " + std::to_string(position) +
                                   " where no record starts.");
    return static_cast<std::size_t>(r - reader.Records().data());
  }

  void Run(const CompiledReportReader& bin, const CompiledReportReader& ind) {
    if (ind.Damaged()) throw EReportWalkError(ind.Problems().front());
    for (const PlacedRecord& entry : ind.Records()) {
      std::string title = entry.record.text;
      ReportOwners o = owners;
      SubstituteNames(title, o);
      const int depth = entry.record.params[0];
      if (depth == 0) {
        out.Begin();  // the document opens with the front page (once, whatever the index holds)
        out.FrontPageSection(run, title);
      } else {
        if (entry.record.code == SectionOff || entry.record.code == SectionInheritedOff) continue;
        out.Begin();
        out.SectionTitle(title, depth);
      }
      if (!timeNoteWritten && !run.charts.empty()) {
        WriteTimeNote(run.charts.front());
        timeNoteWritten = true;
      }
      const PlacedRecord* section = bin.At(static_cast<std::size_t>(entry.record.link));
      if (!section || !section->record.IsSection())
        throw EReportWalkError("The section index names a section at position " + std::to_string(entry.record.link) +
                               " that the compiled report does not hold.");
      out.Begin();
      out.SectionBegins(section->position);
      WalkSection(bin, static_cast<std::size_t>(section - bin.Records().data()) + 1);
    }
  }

  StatementResult Evaluate(const CompiledRecord& rec, int selection) {
    return d.composer.EvaluateStatement(rec, run.charts, run.highChart, selection, report.synastry);
  }

  void WalkSection(const CompiledReportReader& bin, std::size_t i) {
    d.sectionCounter = 0;
    d.pendingCount = 0;
    d.carry = false;
    d.carriedTruth = false;
    d.bothCountdown = 0;
    d.nextAtLevel.fill(0);
    const std::vector<PlacedRecord>& records = bin.Records();
    const CompiledRecord* previous = nullptr;
    std::size_t guard = 0;
    while (true) {
      if (++guard > records.size() * 4 + 16) throw EReportWalkError("The compiled report's links form a loop.");
      if (i >= records.size()) {
        if (bin.Damaged()) throw EReportWalkError(bin.Problems().front());
        return;  // end of the file
      }
      const PlacedRecord& placed = records[i];
      const CompiledRecord& rec = placed.record;
      const int level = rec.level;
      ++outcome.statements;
      if (rec.IsSection()) return;

      // Statements that act before (or instead of) the evaluation.
      switch (rec.Statement()) {
        case StatementCode::Untimed:
          d.composer.untimed = true;
          d.composer.ingress = ComputeUntimedIngress(run.charts.front(), settings);
          break;
        case StatementCode::DynamicBackground: out.DynamicSection(run, rec.params[0], true, d.keywordTitles); break;
        case StatementCode::KeywordTitlesOn:
        case StatementCode::KeywordTitlesOff:
          if (report.paraTitles == 0) d.keywordTitles = rec.Statement() == StatementCode::KeywordTitlesOn;
          ++i;
          continue;
        case StatementCode::Rulerships:
          if (rec.params[0] >= 1 && rec.params[0] <= 4) d.composer.rulershipScheme = rec.params[0];
          ++i;
          continue;
        case StatementCode::TestBothCharts:
          if (report.synastry && run.highChart >= 1) {
            d.bothCountdown = std::max(0, std::min(rec.params[0], 2));
            d.bothResults = {};
          }
          d.bothMode = rec.params[1];
          ++i;
          continue;
        case StatementCode::DynamicReport:
          out.DynamicSection(run, rec.params[0], false, d.keywordTitles);
          ++i;
          continue;
        default: break;
      }

      if (level >= 1 && level < static_cast<int>(d.nextAtLevel.size()))
        d.nextAtLevel[static_cast<std::size_t>(level)] = rec.link;

      bool included = false;
      StatementResult res;
      if (rec.Statement() == StatementCode::SectionCount) {
        if (!rec.noText) {
          included = d.sectionCounter == rec.params[0];
        } else {
          d.pendingCount = rec.params[0];
          ++i;
          continue;
        }
      } else if (d.bothCountdown == 0) {
        res = Evaluate(rec, 0);
        included = res.truth;
      } else if (d.bothMode != 0) {
        StatementResult r1 = Evaluate(rec, 1), r2 = Evaluate(rec, 2);
        const std::size_t k = static_cast<std::size_t>(d.bothCountdown);
        d.bothResults[1][k] = r1.truth;
        d.bothResults[2][k] = r2.truth;
        auto r = [&](int chart, int countdown) {
          return d.bothResults[static_cast<std::size_t>(chart)][static_cast<std::size_t>(countdown)];
        };
        if (d.bothCountdown == 2) {
          included = r(1, 2) || r(2, 2);
        } else if (d.carry) {
          included = r(1, 1) || r(1, 2) || r(2, 1) || r(2, 2);
        } else {
          included = (r(1, 1) && r(2, 2)) || (r(1, 2) && r(2, 1));
        }
        res = r1.truth || !r2.truth ? r1 : r2;
        res.truth = included;
        res.swapped = r1.swapped || r2.swapped || r(1, 1) || r(2, 2);
        --d.bothCountdown;
      } else {
        res = Evaluate(rec, d.bothCountdown == 2 ? 1 : 2);
        included = res.truth;
        --d.bothCountdown;
      }
      const bool hasText = !rec.noText || res.extraTextSet;
      if (included && d.pendingCount > 0 && hasText) {
        d.sectionCounter += d.pendingCount;
        d.pendingCount = 0;
      }

      // Statements with effects of their own after the evaluation.
      switch (rec.Statement()) {
        case StatementCode::Graphic: {
          std::string picture = InFolder(rec.text, settings.SourcePath);
          if (settings.ShowGraphics && !Trim(rec.text).empty() && FileExists(picture)) out.Picture(picture, rec.params[0]);
          included = false;
          break;
        }
        case StatementCode::Starset:
          d.starset.name = std::string(Trim(rec.text));
          d.composer.starsetName = d.starset.name;
          d.starset.lowerBound = d.composer.StarsetStart();
          d.starset.upperBound = d.composer.StarsetEnd();
          d.starset.headingWritten = false;
          included = false;
          break;
        case StatementCode::PointAlignedStarsetTitled:
          if (included && !d.starset.headingWritten) {
            d.pendingTitles = "Starset " + UpperAscii(d.starset.name) + " - " + StarsetBound(d.starset.lowerBound) +
                              " to " + StarsetBound(d.starset.upperBound - 0.003) + "|";
            d.starset.headingWritten = true;
          }
          break;
        case StatementCode::AsteroidMaxOrb:
          d.asteroidMaxOrb = rec.params[0] / 60.0;
          included = false;
          break;
        case StatementCode::Asteroid: {
          ReportAsteroid a;
          a.number = rec.params[0];
          std::string text(Trim(rec.text));
          std::size_t blank = text.find(' ');
          if (blank == std::string::npos) {
            a.name = a.description = text;
          } else {
            a.name = text.substr(0, blank);
            a.description = LimitText(Trim(std::string_view(text).substr(blank + 1)), 99);
          }
          const std::size_t k = d.composer.asteroids.size();
          if (!run.extraPoints.empty() && k < run.extraPoints[0].points.size())
            a.position = run.extraPoints[0].points[k].position;
          d.composer.asteroids.push_back(std::move(a));
          included = false;
          break;
        }
        case StatementCode::AsteroidTable:
          res.extraText.clear();
          res.extraTextSet = false;
          included = false;
          break;
        case StatementCode::InterpFile:
          if (run.interps) run.interps->Open(InFolder(rec.text, settings.SourcePath));
          break;
        case StatementCode::CheckForText: d.composer.textCounter = 0; break;
        default: break;
      }

      // Keyword title of nested statements.
      std::string title = res.title;
      if (level >= 2 && !(previous && previous->Statement() == StatementCode::Option && previous->level == 1))
        title += " " + std::string(lang::PhraseText(Language(), lang::Phrase::And)) + "...";
      previous = &rec;

      if (run.debug)
        Debug("DBG>>> " + title + ParEnd + "DBG>>> Level: " + std::to_string(level) + " NextAtThisLevel: " +
              std::to_string(rec.link) + " Include?: " + (included ? "1" : "0"));

      if (included && d.keywordTitles && !res.title.empty()) {
        if (!d.pendingTitles.empty() && d.pendingTitles.back() != '|') d.pendingTitles += "|";
        d.pendingTitles += title;
      }
      if (d.carry) included = included || d.carriedTruth;

      if (included && (!rec.noText || res.extraTextSet)) {
        ++d.composer.textCounter;
        ++outcome.paragraphs;
        out.ParagraphReached(placed.position);
        if (!d.pendingTitles.empty()) {
          std::string titles = d.pendingTitles;
          ConvertBars(titles);
          out.KeywordTitles(titles);
          d.pendingTitles.clear();
        }
        if (res.extraTextSet && !res.extraText.empty()) WriteParagraph(res.extraText, res.swapped);
        if (!rec.noText) WriteParagraph(FillPlaceholders(rec.text, rec.Statement(), res.placeholders), res.swapped);
        d.carry = false;
        d.carriedTruth = false;
        ++i;
        continue;
      }
      if (included) {
        const bool nothingNested = i + 1 < records.size() && records[i + 1].position == static_cast<std::size_t>(rec.link);
        if (nothingNested) {
          d.carry = true;
          d.carriedTruth = d.carriedTruth || included;
        } else {
          d.carry = false;
          d.carriedTruth = false;
        }
        ++i;
        continue;
      }
      // Not included: skip the statement with everything nested under it.
      if (rec.link > 0) {
        std::size_t target = IndexOf(bin, static_cast<std::size_t>(rec.link));
        if (target <= i) throw EReportWalkError("The compiled report has a link that leads backwards.");
        i = target;
        continue;
      }
      d.pendingTitles.clear();
      Debug("DBG>>> No more topics at same level - jump to next section " + std::to_string(level));
      if (level <= 1) return;
      bool jumped = false;
      for (int up = std::min(level - 1, 99); up >= 1; --up) {
        const std::int32_t pos = d.nextAtLevel[static_cast<std::size_t>(up)];
        if (pos > 0) {
          Debug("DBG>>> Jump to level " + std::to_string(up) + " Pos=" + std::to_string(pos));
          std::size_t target = IndexOf(bin, static_cast<std::size_t>(pos));
          if (target <= i) throw EReportWalkError("The compiled report has a link that leads backwards.");
          i = target;
          jumped = true;
          break;
        }
      }
      if (!jumped) ++i;
    }
  }

  std::string StarsetBound(double lon) const {
    std::array<std::string, 12> abbrevs;
    for (int s = 1; s <= 12; ++s) abbrevs[static_cast<std::size_t>(s - 1)] = std::string(lang::SignAbbreviation(Language(), s));
    SignTexts sign;
    sign.abbrevs = &abbrevs;
    return FormatZodiacal(1, sign, true, false, true, ReduceDegrees(lon));
  }
};

std::shared_ptr<const CompiledReportReader> ReportDriver::Loaded(const std::string& path, bool isSectionIndex,
                                                                LoadedFile& last) {
  const std::optional<FileStamp> stamp = StampOf(path);
  if (!stamp || !last.reader || !(last.stamp == *stamp)) {
    last.reader.reset();
    last.reader = std::make_shared<const CompiledReportReader>(CompiledReportReader::Load(path, isSectionIndex));
    last.stamp = stamp.value_or(FileStamp{});
  }
  return last.reader;
}

ReportOutcome ReportDriver::GenerateRtfReport(const ReportRun& run) {
  if (!run.report || !run.settings || run.charts.empty()) return {};
  RtfReportWriter writer(run);
  return Generate(run, writer);
}

ReportOutcome ReportDriver::Generate(const ReportRun& run, ReportWriter& writer) {
  ReportOutcome none;
  if (!run.report || !run.settings || run.charts.empty()) return none;
  const TKVReport& report = *run.report;
  const ProgramSettings& settings = *run.settings;

  // Reset the run state.
  nextAtLevel.fill(0);
  keywordTitles = report.paraTitles != 2;
  sectionCounter = pendingCount = 0;
  bothCountdown = bothMode = 0;
  bothResults = {};
  carry = carriedTruth = false;
  pendingTitles.clear();
  starset = TStarset{};
  asteroidMaxOrb = 0;
  composer.ResetForRun();

  ReportRun effective = run;
  if (effective.highChart < 0) effective.highChart = 0;
  if (static_cast<std::size_t>(effective.highChart) >= effective.charts.size())
    effective.highChart = static_cast<int>(effective.charts.size()) - 1;

  ComposerInputs& in = composer.inputs;
  in = ComposerInputs{};
  in.language = report.language;
  in.quesitedHouse = run.quesitedHouse >= 1 && run.quesitedHouse <= 12 ? run.quesitedHouse : 1;
  in.showExplanations = settings.ShowExplanations;
  in.twelveHourClock = settings.AMPM;
  in.combustOrb = settings.CombustOrb;
  in.chosenOption = run.chosenOption;
  in.ownerNames = run.ownerNames;
  in.aspects = run.aspects;
  in.tables = run.tables;
  in.interps = run.interps;
  in.starFile = report.starFile;

  Walk walk(*this, effective, writer);
  try {
    static const RulershipTables noTables;
    composer.classical = PrepareClassicalAnalysis(effective.charts, effective.highChart, report, settings,
                                                  run.tables ? *run.tables : noTables);
    DynamicSectionWriter noDynamic;
    (run.dynamic ? *run.dynamic : noDynamic).SearchEvents(effective);
  } catch (const std::exception& e) {
    if (run.messages) run.messages->Error(std::string(ReportProblemMessage) + e.what());
    none.failed = true;
    none.problem = e.what();
    return none;
  }
  // A chart without its birth time is untimed from the start, as if the text said so.
  composer.untimed = !effective.charts.empty() && effective.charts.front().Chart.TimeUnknown;
  if (composer.untimed) composer.ingress = ComputeUntimedIngress(effective.charts.front(), settings);

  if (!FileExists(run.compiledFile) || !FileExists(run.indexFile)) return none;
  std::shared_ptr<const CompiledReportReader> bin, ind;
  try {
    bin = Loaded(run.compiledFile, false, loadedBin_);
    ind = Loaded(run.indexFile, true, loadedIndex_);
  } catch (const ECompiledFileError&) {
    none.problem = "The compiled report or its section index cannot be read.";
  }
  // An index left from another compile would walk the wrong sections: no report at all.
  if (bin && ind && !ind->Damaged() && SectionIndexMismatch(*bin, *ind))
    none.problem = MismatchedIndexMessage(run.compiledFile, run.indexFile);
  if (!none.problem.empty()) {
    none.failed = true;
    if (run.messages) run.messages->Error(std::string(ReportProblemMessage) + none.problem);
    return none;
  }
  try {
    walk.Run(*bin, *ind);
  } catch (const std::exception& e) {
    walk.outcome.failed = true;
    walk.outcome.problem = e.what();
    if (run.messages) run.messages->Error(std::string(ReportProblemMessage) + e.what());
  }
  writer.Begin();
  composer.untimed = false;
  // A report cut short by an error is kept only where it replaces nothing: an earlier
  // report of the same name stays as it was.
  if (walk.outcome.failed && FileExists(run.outputFile)) return walk.outcome;
  walk.outcome.written = writer.Finish(run.outputFile);
  if (!walk.outcome.written && run.messages && !walk.outcome.failed) {
    walk.outcome.failed = true;
    walk.outcome.problem = "Unable to write the report file: " + run.outputFile;
    run.messages->Error(std::string(ReportProblemMessage) + walk.outcome.problem);
  }
  return walk.outcome;
}

}  // namespace korvana
