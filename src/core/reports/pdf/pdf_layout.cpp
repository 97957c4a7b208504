#include "core/reports/pdf/pdf_layout.h"

#include <cmath>
#include <stdexcept>

#include "core/util/error.h"
#include "core/util/text.h"

namespace korvana {

PdfFont PdfLayout::FontOf(const TTextStyle& s) {
  PdfFont f;
  f.name = s.fontName;
  f.size = s.fontSize;
  f.colour = s.fontColor;
  f.emphasis = s.fontStyle;
  return f;
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
  const std::string number = pageWord_ + " " + std::to_string(engine_.PageCount());
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
