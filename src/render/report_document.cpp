#include "render/report_document.h"

#include <QTextDocument>

#include "core/util/files.h"
#include "render/rtf_reader/rtf_text_document.h"

namespace korvana {

bool LoadReportDocument(const std::string& rtfFile, QTextDocument& document, std::string& error) {
  const std::optional<std::string> bytes = ReadFileBytes(rtfFile);
  if (!bytes) {
    error = "The report file " + rtfFile + " was not found or cannot be read.";
    return false;
  }
  try {
    rtf::ReadRtf(*bytes, document);
  } catch (const std::exception& e) {
    error = "The report file " + rtfFile + " cannot be read: " + e.what();
    return false;
  }
  return true;
}

}  // namespace korvana
