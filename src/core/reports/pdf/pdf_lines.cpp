// Paragraphs and lines: line breaks, words with their emphasis, breaking at the text
// width, justification and placing on the page.
#include <algorithm>

#include "core/reports/pdf/pdf_layout.h"
#include "core/reports/pdf/pdf_markup.h"
#include "core/util/text.h"

namespace korvana {

using namespace pdf_markup;

void PdfLayout::WriteParagraph(std::string_view text, int style, int part, int spacingPercent, bool addSpacing) {
  std::string t = text.empty() ? std::string(" ") : std::string(text);
  // "\r\n\par" (any letter case) ends a line.
  for (std::size_t at; (at = FindNoCase(t, "\r\n\\par")) != std::string::npos;) {
    t[at] = '\n';
    t.erase(at + 1, 5);
  }
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

}  // namespace korvana
