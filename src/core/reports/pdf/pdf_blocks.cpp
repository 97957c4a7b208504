// Blocks of paragraphs, tables and lists, and tables continued over pages.
#include <algorithm>

#include "core/reports/pdf/pdf_layout.h"
#include "core/reports/pdf/pdf_markup.h"
#include "core/util/text.h"

namespace korvana {
namespace {

using namespace pdf_markup;

constexpr const char* Bullet = "\u2022";  // code 149 of Windows-1252

std::vector<std::string> NonEmptyPieces(std::string_view text, std::string_view separator, std::size_t limit,
                                        bool dropLast) {
  std::vector<std::string> pieces;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = FindNoCase(text, separator, start);
    if (at == std::string_view::npos) {
      if (!dropLast && start < text.size()) pieces.emplace_back(text.substr(start));
      break;
    }
    if (at > start) pieces.emplace_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  if (pieces.size() > limit) pieces.resize(limit);
  return pieces;
}

std::vector<std::string> Cells(std::string_view row) {
  std::vector<std::string> cells;
  for (std::string& cell : Split(row, '\t')) {
    if (cell.empty()) continue;
    for (const EmphasisToken& t : EmphasisTokens) RemoveFirst(cell, t.token);
    cells.push_back(std::move(cell));
  }
  if (cells.size() > MaxTableCells) cells.resize(MaxTableCells);
  return cells;
}

}  // namespace

void PdfLayout::WriteBlock(std::string_view text, int style, bool addSpacing) {
  std::string rest(text);
  while (!rest.empty()) {
    if (StartsWithNoCase(rest, "<TABLEON>")) {
      const std::size_t off = FindNoCase(rest, "<TABLEOFF>");
      const std::string body = rest.substr(9, off == std::string::npos ? std::string::npos : off - 9);
      rest = off == std::string::npos ? std::string() : rest.substr(off + 10);
      PdfTable table;
      for (const std::string& row : NonEmptyPieces(body, "<ENDROW>", MaxTableRows, true)) {
        std::vector<std::string> cells = Cells(row);
        if (cells.empty()) continue;
        if (!table.rows.empty()) cells.resize(table.rows.front().size());
        table.rows.push_back(std::move(cells));
      }
      if (!table.rows.empty()) {
        const std::size_t columns = table.rows.front().size();
        table.fractions.assign(columns, 1.0 / static_cast<double>(columns));
        table.titles.assign(columns, std::string());
        table.alignment = columns <= 2 ? static_cast<int>(TextAlignment::Centre) : 0;
        table.widthFraction = columns == 1 ? 0.5 : columns == 2 ? 0.67 : 1.0;
        DrawTable(table);
      }
      EnsureRoom(1);
    } else if (StartsWithNoCase(rest, "<LIST>")) {
      const std::size_t end = FindNoCase(rest, "<ENDLIST>");
      std::string body = rest.substr(6, end == std::string::npos ? std::string::npos : end - 6);
      rest = end == std::string::npos ? std::string() : rest.substr(end + 9);
      body.erase(0, body.find_first_not_of(" \t\r\n") == std::string::npos ? body.size() : body.find_first_not_of(" \t\r\n"));
      for (const std::string& item : NonEmptyPieces(body, "<BULLET>", MaxListItems, false))
        WriteParagraph(std::string(Bullet) + " " + item, style, PdfWhole, 100, false);
      if (rest.empty()) EnsureRoom(1);
    } else {
      const std::size_t table = FindNoCase(rest, "<TABLEON>");
      const std::size_t list = FindNoCase(rest, "<LIST>");
      const std::size_t next = std::min(table, list);
      if (next == std::string::npos) {
        WriteParagraph(rest, style, PdfWhole, 100, addSpacing);
        rest.clear();
      } else {
        WriteParagraph(rest.substr(0, next), style, PdfWhole, 100, false);
        rest.erase(0, next);
      }
    }
  }
}

void PdfLayout::StartTable(const PdfTableSetup& setup) {
  PdfTableSetup s = setup;
  s.top = usedHeight;
  engine_.BeginTable(s);
  usedHeight += s.headerHeight;
}

void PdfLayout::DrawTable(const PdfTable& table) {
  if (table.rows.empty() && !table.header) return;
  const double W = TextWidth();
  const double T = table.widthFraction * W;
  if (RemainingHeight() < 2 * 1.2 * XHeight()) NewPage();
  const double rowHeight = 1.2 * XHeight();
  PdfTableSetup setup;
  setup.left = (W - T) / 2;
  setup.rowHeight = rowHeight;
  setup.headerHeight = table.header ? rowHeight : 0;
  setup.cellMarginX = 0.1 * rowHeight;
  setup.cellMarginY = 0.2 * rowHeight;
  const std::size_t columns = table.fractions.size();
  for (std::size_t c = 0; c < columns; ++c)
    setup.columns.push_back({c < table.titles.size() ? PlainReportText(table.titles[c]) : std::string(),
                             T * table.fractions[c], table.alignment});
  StartTable(setup);
  const double available = page_.HeightPixels() - page_.footer - page_.header - page_.marginTop - page_.marginBottom;
  int rowsOnPage = 0;
  for (const std::vector<std::string>& row : table.rows) {
    if (engine_.TableFreeHeight() < rowHeight) {
      if (rowsOnPage > 0) engine_.EndTable();
      NewPage();
      StartTable(setup);
      rowsOnPage = 0;
    }
    for (std::size_t c = 0; c < columns; ++c)
      engine_.WriteCell(static_cast<int>(c), c < row.size() ? PlainReportText(row[c]) : std::string());
    ++rowsOnPage;
    usedHeight = available - engine_.TableFreeHeight();
  }
  engine_.EndTable();
}


}  // namespace korvana
