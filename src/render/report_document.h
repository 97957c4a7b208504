// A written RTF report as a QTextDocument, for printing.
//
// The report is converted to HTML by LibreOffice (soffice, headless, with a private
// profile in a temporary folder), whose pages, paragraphs, fonts and pictures (the wheel
// metafile among them) the document takes over; the pictures are loaded into the
// document before the temporary folder goes.
#pragma once

#include <string>

class QTextDocument;

namespace korvana {

// Fills `document` from the RTF file. False, with the reason in `error`, when the file
// does not exist, LibreOffice cannot be run or gives no result within `timeoutSeconds`.
bool LoadReportDocument(const std::string& rtfFile, QTextDocument& document, std::string& error,
                        int timeoutSeconds = 180);

}  // namespace korvana
