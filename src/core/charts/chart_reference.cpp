#include "core/charts/chart_reference.h"

#include "core/charts/chart_files.h"
#include "core/config/program_settings.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {

std::optional<ChartReference> ParseChartReference(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  const std::string_view number = text.substr(colon + 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  auto index = ParseInt32(number);
  if (!index || *index < 1) return std::nullopt;
  return ChartReference{std::string(text.substr(0, colon)), *index};
}

std::optional<ChartRun> ParseChartRun(std::string_view text) {
  const std::size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) return std::nullopt;
  ChartRun run{std::string(text.substr(0, colon))};
  const std::string_view span = text.substr(colon + 1);
  if (EqualsNoCase(span, "all")) return run;
  const std::size_t dash = span.find('-');
  if (dash == std::string_view::npos) return std::nullopt;
  const auto whole = [](std::string_view digits) -> std::optional<std::int32_t> {
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return ParseInt32(digits);
  };
  const auto first = whole(span.substr(0, dash));
  const auto last = whole(span.substr(dash + 1));
  if (!first || !last || *first < 1 || *last < *first) return std::nullopt;
  run.first = *first;
  run.last = *last;
  return run;
}

std::vector<std::string> ChartRunReferences(const ChartRun& run, const ProgramSettings& settings) {
  const std::string path = ResolveChartFile(run.file, settings);
  const ChartFileDescription info = ChartFileInfo(path);
  if (info.format == ChartFormatInvalid) throw EChartFileError("Not a valid chart file: " + path);
  const int last = run.last == 0 ? info.count : run.last;
  if (last > info.count)
    throw EChartFileError("There is no chart " + std::to_string(last) + " in " + path + " (it holds " +
                          std::to_string(info.count) + (info.count == 1 ? " chart)" : " charts)"));
  std::vector<std::string> references;
  for (int n = run.first; n <= last; ++n) references.push_back(path + ":" + std::to_string(n));
  return references;
}

std::string ResolveChartFile(std::string_view file, const ProgramSettings& settings) {
  const std::string given(file);
  if (FileExists(given) || given.find('/') != std::string::npos) return given;
  for (const std::string* folder : {&settings.ChartPath, &settings.UserPath}) {
    if (folder->empty()) continue;
    if (auto found = FindPathNoCase(WithTrailingSlash(*folder) + given)) return *found;
  }
  return given;
}

StoredChart ReadChartReference(std::string_view text, ProgramSettings& settings) {
  auto reference = ParseChartReference(text);
  if (!reference)
    throw EChartFileError("\"" + std::string(text) +
                         "\" is not a chart reference: write FILE:N, N being the chart's number in the file (from 1)");
  const std::string path = ResolveChartFile(reference->file, settings);
  const ChartFileDescription info = ChartFileInfo(path);
  if (info.format == ChartFormatInvalid) throw EChartFileError("Not a valid chart file: " + path);
  return ReadChart(path, info.format, reference->index, settings);
}

}  // namespace korvana
