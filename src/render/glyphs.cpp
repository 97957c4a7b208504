#include "render/glyphs.h"

#include "core/analysis/aspect_glyphs.h"
#include "core/points/point_catalogue.h"
#include "core/util/codepage.h"
#include "core/util/text.h"

namespace korvana {

QString GlyphText(std::uint8_t code) {
  if (std::string_view point = PointGlyphText(code); !point.empty())
    return QString::fromUtf8(point.data(), static_cast<int>(point.size()));
  if (code == 220) return QString(QChar(0x2648));
  if (code == 221) return QString(QChar(0x2649));
  if (code >= 130 && code <= 139) return QString(QChar(0x264A + (code - 130)));
  if (code == 140) return QString(QChar(0x211E));
  if (std::string_view aspect = AspectGlyphText(code); !aspect.empty())
    return QString::fromUtf8(aspect.data(), static_cast<int>(aspect.size()));
  return QString::fromStdString(Cp1252ToUtf8(std::string(1, static_cast<char>(code))));
}

bool IsGlyphFace(std::string_view face) {
  std::string_view f = Trim(face);
  return EqualsNoCase(f, "ZP Symbol") || EqualsNoCase(f, "ZP Sans Serif") || EqualsNoCase(f, "ZP Astro");
}

QString GlyphFaceText(std::string_view utf8) {
  QString out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x80) {
      out += QChar(static_cast<char16_t>(cp));
      continue;
    }
    int code = Cp1252FromCodePoint(cp);
    if (code < 0 && cp < 0x100) code = static_cast<int>(cp);
    if (code >= 0) {
      out += GlyphText(static_cast<std::uint8_t>(code));
    } else {
      std::string one;
      AppendUtf8(one, cp);
      out += QString::fromStdString(one);
    }
  }
  return out;
}

QString ResolveFontFamily(std::string_view face) {
  std::string_view f = Trim(face);
  if (IsGlyphFace(f)) return QString::fromLatin1(GlyphFontFamily);
  if (f.empty() || EqualsNoCase(f, "Default")) return QStringLiteral("Arial");
  return QString::fromStdString(std::string(f));
}

}  // namespace korvana
