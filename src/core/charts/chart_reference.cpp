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
