#include "core/reports/pdf/pdf_layout.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "core/util/codepage.h"
#include "core/util/error.h"
#include "core/util/files.h"
#include "core/util/text.h"

namespace korvana {
namespace {

constexpr std::size_t MaxWords = 9999;
constexpr std::size_t MaxTableRows = 100;
constexpr std::size_t MaxTableCells = 100;
constexpr std::size_t MaxListItems = 100;
constexpr const char* Bullet = "\u2022";  // code 149 of Windows-1252

// The emphasis tokens in the order they are handled within a word.
struct EmphasisToken {
  std::string_view token;
  std::uint8_t bit;
  bool on;
};
constexpr EmphasisToken EmphasisTokens[] = {
    {"<BOLDON>", StyleBold, true},          {"<ITALICON>", StyleItalic, true},
    {"<UNDERLINEON>", StyleUnderline, true}, {"<BOLDOFF>", StyleBold, false},
    {"<ITALICOFF>", StyleItalic, false},    {"<UNDERLINEOFF>", StyleUnderline, false},
};

std::uint8_t Apply(std::uint8_t state, const EmphasisToken& t) {
  return t.on ? static_cast<std::uint8_t>(state | t.bit) : static_cast<std::uint8_t>(state & ~t.bit);
}

std::size_t FindNoCase(std::string_view text, std::string_view what, std::size_t from = 0) {
  if (what.empty() || text.size() < what.size()) return std::string_view::npos;
  for (std::size_t i = from; i + what.size() <= text.size(); ++i)
    if (EqualsNoCase(text.substr(i, what.size()), what)) return i;
  return std::string_view::npos;
}

// Removes every occurrence (letter case ignored); true when there was one.
bool RemoveAllNoCase(std::string& text, std::string_view what) {
  bool found = false;
  for (std::size_t at; (at = FindNoCase(text, what)) != std::string::npos;) {
    text.erase(at, what.size());
    found = true;
  }
  return found;
}

void RemoveFirst(std::string& text, std::string_view what) {
  if (const std::size_t at = text.find(what); at != std::string::npos) text.erase(at, what.size());
}

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

PdfFont FontOf(const TTextStyle& s) {
  PdfFont f;
  f.name = s.fontName;
  f.size = s.fontSize;
  f.colour = s.fontColor;
  f.emphasis = s.fontStyle;
  return f;
}

}  // namespace

std::string PlainReportText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '{' || c == '}') {
      ++i;
      continue;
    }
    if (c != '\\' || i + 1 >= text.size()) {
      out.push_back(c);
      ++i;
      continue;
    }
    const char n = text[i + 1];
    if (n == '\\' || n == '{' || n == '}') {
      out.push_back(n);
      i += 2;
    } else if (n == '\'' && i + 3 < text.size()) {
      const std::string hex(text.substr(i + 2, 2));
      char* end = nullptr;
      const long byte = std::strtol(hex.c_str(), &end, 16);
      if (end == hex.c_str() + 2) out += Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
      i += 4;
    } else if (n == 'u' && i + 2 < text.size() && (std::isdigit(static_cast<unsigned char>(text[i + 2])) || text[i + 2] == '-')) {
      std::size_t j = i + 2;
      if (text[j] == '-') ++j;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      const long value = std::strtol(std::string(text.substr(i + 2, j - i - 2)).c_str(), nullptr, 10);
      AppendUtf8(out, static_cast<char32_t>(value < 0 ? value + 65536 : value));
      i = j;
      if (i < text.size() && text[i] == '?') ++i;
    } else if (std::isalpha(static_cast<unsigned char>(n))) {
      // Any other control word is formatting: dropped with its number and one blank.
      std::size_t j = i + 1;
      while (j < text.size() && std::isalpha(static_cast<unsigned char>(text[j]))) ++j;
      if (j < text.size() && text[j] == '-') ++j;
      while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
      if (j < text.size() && text[j] == ' ') ++j;
      i = j;
    } else {
      i += 2;
    }
  }
  return out;
}

PdfLayout::PdfLayout(PdfEngine& engine, const std::array<TTextStyle, TextStyleCount>& styles)
    : engine_(engine), styles_(styles) {}

const TTextStyle& PdfLayout::Style(int style) const {
  if (style < 0 || style >= TextStyleCount) throw std::invalid_argument("Text style number out of range: " + std::to_string(style));
  return styles_[static_cast<std::size_t>(style)];
}

void PdfLayout::SetStyle(int style, const TTextStyle& value) {
  Style(style);  // checks the number
  styles_[static_cast<std::size_t>(style)] = value;
}

void PdfLayout::SetPage(const PdfPageSetup& page) {
  page_ = page;
  engine_.SetPageSetup(page_);
}

void PdfLayout::SetBottomMargin(double pixels) {
  page_.marginBottom = pixels;
  engine_.SetPageSetup(page_);
}

double PdfLayout::TextWidth() const { return page_.WidthPixels() - page_.marginLeft - page_.marginRight; }

double PdfLayout::UsableHeight() const {
  return page_.HeightPixels() - page_.marginTop - page_.marginBottom - page_.header;
}

double PdfLayout::RemainingHeight() const {
  return page_.HeightPixels() - page_.footer - page_.header - page_.marginTop - page_.marginBottom - usedHeight;
}

double PdfLayout::XHeight() { return engine_.TextHeight("X"); }

void PdfLayout::NewPage() {
  if (usedHeight == 0) return;
  engine_.NewPage();
  usedHeight = 0;
  if (engine_.PageCount() < 1) return;
  const PdfFont before = engine_.Font();
  engine_.BeginHeader();
  engine_.SetFont(FontOf(Style(PageHeaders)));
  engine_.BeginParagraph();
  engine_.WriteText(0, 0, headerText_);
  const std::string number = "Page " + std::to_string(engine_.PageCount());
  engine_.WriteText(TextWidth() - engine_.TextWidth(number), 0, number);
  engine_.EndParagraph();
  engine_.EndHeader();
  engine_.SetFont(before);
}

void PdfLayout::EnsureRoom(int lines, double fontSize) {
  double needed = 0;
  if (fontSize >= 0) {
    PdfFont font = engine_.Font();
    const PdfFont saved = font;
    font.size = fontSize;
    engine_.SetFont(font);
    needed = lines * XHeight();
    engine_.SetFont(saved);
  } else {
    needed = lines * XHeight();
  }
  if (RemainingHeight() > needed)
    usedHeight += needed;
  else
    NewPage();
}

void PdfLayout::UseStyle(int style) { engine_.SetFont(FontOf(Style(style))); }

void PdfLayout::WriteParagraph(std::string_view text, int style, int part, int spacingPercent, bool addSpacing) {
  std::string t = text.empty() ? std::string(" ") : std::string(text);
  // "\r\n\par" (any letter case) ends a line.
  for (std::size_t at; (at = FindNoCase(t, "\r\n\\par")) != std::string::npos;) t.replace(at, 6, "\n");
  UseStyle(style);
  const int alignment = Style(style).alignment;
  std::uint8_t emphasis = 0;
  for (std::string line : Split(t, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (part == PdfWhole) line = std::string(Trim(line));
    if (part == PdfFirstPiece) line.erase(0, line.find_first_not_of(" \t") == std::string::npos ? line.size() : line.find_first_not_of(" \t"));
    if (part == PdfLastPiece) line.erase(line.find_last_not_of(" \t") + 1);
    const bool opens = part == PdfWhole || part == PdfFirstPiece;
    const bool closes = part == PdfWhole || part == PdfLastPiece;
    if (pass != PdfMeasuringPass && opens) engine_.BeginParagraph();
    LayoutLine(std::move(line), alignment, part, emphasis);
    if (pass != PdfMeasuringPass && closes) engine_.EndParagraph();
  }
  if (addSpacing && (part == PdfWhole || part == PdfLastPiece)) usedHeight += spacingPercent / 100.0 * XHeight();
}

std::vector<PdfLayout::Word> PdfLayout::SplitWords(std::string_view line, int part, std::uint8_t& emphasis) const {
  // Words cut at blanks, each with the number of blanks after it. Leading blanks are
  // skipped for a whole paragraph and stay in the first word of a piece.
  std::vector<Word> raw;
  const std::size_t n = line.size();
  std::size_t i = 0;
  if (part == PdfWhole)
    while (i < n && line[i] == ' ') ++i;
  std::size_t start = i;
  while (i < n && line[i] == ' ') ++i;
  while (i < n && raw.size() < MaxWords) {
    while (i < n && line[i] != ' ') ++i;
    const std::size_t wordEnd = i;
    int blanks = 0;
    while (i < n && line[i] == ' ') ++i, ++blanks;
    raw.push_back({std::string(line.substr(start, wordEnd - start)), blanks, 0, 0});
    start = i;
  }

  // Emphasis tokens, word by word; a token inside a word splits it.
  std::vector<Word> words;
  for (std::size_t k = 0; k < raw.size(); ++k) {
    Word w = raw[k];
    w.emphasis = emphasis;
    std::uint8_t after = emphasis;
    bool removed = false;
    for (const EmphasisToken& t : EmphasisTokens) {
      const std::size_t at = w.text.find(t.token);
      if (at == std::string::npos) continue;
      if (w.text.size() == t.token.size()) {
        after = Apply(after, t);
        removed = true;
        break;
      }
      if (at == 0) {
        w.text.erase(0, t.token.size());
        w.emphasis = Apply(w.emphasis, t);
        after = Apply(after, t);
      } else if (at + t.token.size() == w.text.size()) {
        w.text.erase(at);
        after = Apply(after, t);
      } else {
        Word second{w.text.substr(at + t.token.size()), w.blanks, 0, 0};
        w.text.erase(at);
        w.blanks = 0;
        after = Apply(after, t);
        raw.insert(raw.begin() + static_cast<std::ptrdiff_t>(k) + 1, second);
      }
    }
    emphasis = after;
    if (removed) {
      if (!words.empty()) words.back().blanks += w.blanks;
      continue;
    }
    words.push_back(std::move(w));
    if (words.size() >= MaxWords) break;
  }
  for (Word& w : words) w.text = PlainReportText(w.text);
  return words;
}

void PdfLayout::LayoutLine(std::string line, int alignment, int part, std::uint8_t& emphasis) {
  if (RemoveAllNoCase(line, "<CENTER>") | RemoveAllNoCase(line, "<CENTRE>")) alignment = static_cast<int>(TextAlignment::Centre);
  RemoveAllNoCase(line, "<PAGE>");
  const PdfFont styleFont = engine_.Font();
  PdfFont lineFont = styleFont;
  if (RemoveAllNoCase(line, "<PSTOPICTITLE>")) {
    const TTextStyle& title = Style(AstrologicalTitles);
    lineFont.colour = title.fontColor;
    lineFont.size = title.fontSize;
    lineFont.emphasis = title.fontStyle;
  }
  const std::uint8_t base = lineFont.emphasis;
  std::vector<Word> words = SplitWords(line, part, emphasis);

  auto fontFor = [&](const Word& w) {
    PdfFont f = lineFont;
    f.emphasis = static_cast<std::uint8_t>(w.emphasis | base);
    return f;
  };
  auto blanksWidth = [&](const Word& w) { return w.blanks > 0 ? engine_.TextWidth(std::string(static_cast<std::size_t>(w.blanks), ' ')) : 0.0; };

  const double W = TextWidth();
  double x = part == PdfMiddlePiece || part == PdfLastPiece ? continuationX + 1 : 0;
  if (words.empty()) {
    // An empty line still takes its height.
    engine_.SetFont(lineFont);
    if (pass != PdfMeasuringPass) PlaceLine(words, 0, 0, x, true, alignment, part, base);
    if (part != PdfWhole) continuationX = x;
    engine_.SetFont(styleFont);
    return;
  }
  std::size_t first = 0;
  std::size_t k = 0;
  while (k < words.size()) {
    engine_.SetFont(fontFor(words[k]));
    words[k].x = x;
    const double end = x + engine_.TextWidth(words[k].text);
    std::size_t lastOfLine = words.size();
    double lineEnd = 0;
    if (end > W && !(k == first && words[k].x == 0)) {
      lastOfLine = k - 1;  // the line ends before this word
      lineEnd = x;
    } else if (end > W || k + 1 == words.size()) {
      lastOfLine = k;      // a word wider than the line stands alone; or the last word
      lineEnd = end;
    }
    if (lastOfLine == words.size()) {
      x = end + blanksWidth(words[k]);
      ++k;
      continue;
    }
    // The line ends with word lastOfLine.
    if (lastOfLine != k) {
      engine_.SetFont(fontFor(words[lastOfLine]));
      lineEnd = words[lastOfLine].x + engine_.TextWidth(words[lastOfLine].text);
    }
    if (part == PdfFirstPiece || part == PdfMiddlePiece) lineEnd += blanksWidth(words[lastOfLine]);
    const bool textEnds = lastOfLine + 1 == words.size();
    if (pass == PdfMeasuringPass) {
      if (part == PdfLastPiece && alignment == static_cast<int>(TextAlignment::Centre))
        centringOffset = (W - lineEnd) / 2;
    } else {
      PlaceLine(words, first, lastOfLine, lineEnd, textEnds, alignment, part, base);
    }
    if (part != PdfWhole) continuationX = lineEnd;
    first = k = lastOfLine + 1;
    x = 0;
  }
  engine_.SetFont(styleFont);
}

void PdfLayout::PlaceLine(const std::vector<Word>& words, std::size_t first, std::size_t last, double end,
                          bool lastLine, int alignment, int part, std::uint8_t base) {
  const PdfFont font = engine_.Font();
  const double h = 1.05 * XHeight();
  if (RemainingHeight() < h) {
    engine_.EndParagraph();
    NewPage();
    engine_.BeginParagraph();
  }
  if (!words.empty()) {
    const double slack = TextWidth() - (end - words[first].x);
    // Justification widens the blanks between words; pieces of one word split by an
    // emphasis token stay together.
    int gaps = 0;
    for (std::size_t k = first; k < last; ++k) gaps += words[k].blanks > 0 ? 1 : 0;
    const bool justified = alignment == static_cast<int>(TextAlignment::Justify) && !lastLine && gaps > 0;
    const double gap = justified ? slack / gaps : 0;
    int gapsBefore = 0;
    for (std::size_t k = first; k <= last; ++k) {
      const Word& w = words[k];
      if (k > first && words[k - 1].blanks > 0) ++gapsBefore;
      double x = w.x;
      if (part != PdfWhole) {
        x += centringOffset;
      } else if (alignment == static_cast<int>(TextAlignment::Right)) {
        x += slack;
      } else if (alignment == static_cast<int>(TextAlignment::Centre)) {
        x += slack / 2;
      } else if (justified) {
        x += gapsBefore * gap;
      }
      PdfFont f = font;
      f.emphasis = static_cast<std::uint8_t>(w.emphasis | base);
      engine_.SetFont(f);
      std::string text = w.text;
      // An underline runs on under the blanks to an underlined next word.
      if (k < last && (f.emphasis & StyleUnderline) && ((words[k + 1].emphasis | base) & StyleUnderline))
        text.append(static_cast<std::size_t>(w.blanks), ' ');
      engine_.WriteText(x, usedHeight, text);
    }
    engine_.SetFont(font);
  }
  const bool continues = lastLine && (part == PdfFirstPiece || part == PdfMiddlePiece);
  if (!continues) usedHeight += h;
}

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

void PdfLayout::DrawPicture(const std::string& file, bool asImage, double widthFraction, double aspect) {
  const bool bitmap = EndsWithNoCase(file, ".bmp");
  const bool metafile = EndsWithNoCase(file, ".wmf");
  if (!bitmap && !metafile) return;
  const std::optional<PdfPictureSize> size = engine_.PictureSize(file);
  if (!size || size->width <= 0 || size->height <= 0) throw Error("The picture file " + file + " could not be read.");
  double w = widthFraction * TextWidth();
  double h = metafile && aspect > 0.001 ? w / aspect : size->height / size->width * w;
  // A picture taller than the page is scaled down to the usable height.
  const double U = UsableHeight();
  if (h > U) {
    const double fitted = std::trunc(U);
    w *= fitted / h;
    h = fitted;
  }
  if (RemainingHeight() < h) NewPage();
  if (!engine_.DrawPicture(file, (TextWidth() - w) / 2, usedHeight, w, h, bitmap || asImage))
    throw Error("The picture file " + file + " could not be read.");
  usedHeight += h;
}

}  // namespace korvana
