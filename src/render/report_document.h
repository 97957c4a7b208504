// A written RTF report as a QTextDocument, for printing: read by the report viewer's RTF
// reader, so that the printed report has the pages, paragraphs, tables and pictures (the
// wheel metafile among them) the viewer shows.
#pragma once

#include <string>

class QTextDocument;

namespace korvana {

// Fills `document` from the RTF file. False, with the reason in `error`, when the file
// cannot be read or is no RTF document; `document` is unchanged then.
bool LoadReportDocument(const std::string& rtfFile, QTextDocument& document, std::string& error);

}  // namespace korvana
