#include "core/wheels/wheel_design_text.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "core/util/text.h"

namespace korvana {
namespace {

struct Fault {
  std::string text;
};

std::int16_t ToInt16(const std::string& v) {
  auto n = ParseInt32(v);
  if (!n || *n < -32768 || *n > 32767) throw Fault{"not a 16-bit whole number: " + v};
  return static_cast<std::int16_t>(*n);
}
float ToFloat(const std::string& v) {
  auto x = ParseReal(v);
  if (!x) throw Fault{"not a number: " + v};
  return static_cast<float>(*x);
}
bool ToBool(const std::string& v) {
  if (EqualsNoCase(v, "yes")) return true;
  if (EqualsNoCase(v, "no")) return false;
  throw Fault{"not yes or no: " + v};
}
Color ToColor(const std::string& v) {
  if (v.size() != 7 || v[0] != '#') throw Fault{"not a colour #RRGGBB: " + v};
  unsigned rgb = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const char c = v[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else throw Fault{"not a colour #RRGGBB: " + v};
    rgb = rgb * 16 + static_cast<unsigned>(digit);
  }
  return MakeColor(static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF),
                   static_cast<int>(rgb & 0xFF));
}
template <std::size_t N>
void ToFloats(const std::string& v, std::array<float, N>& out) {
  std::vector<std::string> parts = Split(v, ',');
  if (parts.size() != N) throw Fault{"expected " + std::to_string(N) + " numbers: " + v};
  for (std::size_t i = 0; i < N; ++i) out[i] = ToFloat(std::string(Trim(parts[i])));
}
template <std::size_t N>
void ToBools(const std::string& v, std::array<bool, N>& out) {
  std::vector<std::string> parts = Split(v, ',');
  if (parts.size() != N) throw Fault{"expected " + std::to_string(N) + " yes/no: " + v};
  for (std::size_t i = 0; i < N; ++i) out[i] = ToBool(std::string(Trim(parts[i])));
}

using Setter = std::function<void(const std::string&)>;
using Keys = std::map<std::string, Setter>;

void BandKeys(Keys& k, WheelBand& b) {
  k["inner"] = [&b](const std::string& v) { b.inner = ToInt16(v); };
  k["outer"] = [&b](const std::string& v) { b.outer = ToInt16(v); };
}

#define KEY_I(name, field) k[name] = [&s](const std::string& v) { s.field = ToInt16(v); }
#define KEY_F(name, field) k[name] = [&s](const std::string& v) { s.field = ToFloat(v); }
#define KEY_B(name, field) k[name] = [&s](const std::string& v) { s.field = ToBool(v); }
#define KEY_C(name, field) k[name] = [&s](const std::string& v) { s.field = ToColor(v); }

Keys DesignKeys(WheelDesign& s) {
  Keys k;
  KEY_I("version", version);
  KEY_I("circles", circleCount);
  KEY_I("charts", chartCount);
  KEY_I("design_radius", designRadius);
  KEY_F("dial_degrees", dialDegrees);
  KEY_B("fixed_rotation", fixedRotation);
  KEY_F("rotation_degrees", rotationDegrees);
  KEY_B("swap_degree_and_minute", swapDegreeAndMinute);
  return k;
}
Keys CircleKeys(WheelCircle& s) {
  Keys k;
  KEY_F("radius", radius);
  KEY_B("outline", outline);
  KEY_I("pen_style", penStyle);
  KEY_I("pen_width", penWidth);
  KEY_C("pen_color", penColor);
  KEY_B("filled", filled);
  KEY_C("fill_color", fillColor);
  return k;
}
Keys CuspKeys(CuspStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_I("pen_style_angular", penStyleAngular);
  KEY_I("pen_style_other", penStyleOther);
  KEY_I("pen_width_angular", penWidthAngular);
  KEY_I("pen_width_other", penWidthOther);
  KEY_C("color_angular", colorAngular);
  KEY_C("color_other", colorOther);
  KEY_B("arrow_mc", arrowMc);
  KEY_B("arrow_asc", arrowAsc);
  KEY_F("arrow_half_angle", arrowHalfAngle);
  KEY_F("arrow_length", arrowLength);
  return k;
}
Keys LabelKeys(CuspLabelStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_I("arrangement", arrangement);
  KEY_B("intercepted_shown", interceptedShown);
  KEY_F("inner_tick", innerTick);
  KEY_F("outer_tick", outerTick);
  KEY_B("sign_shown", signShown);
  KEY_F("sign_font_size", signFontSize);
  KEY_B("sign_bold", signBold);
  KEY_B("sign_italic", signItalic);
  KEY_B("degree_shown", degreeShown);
  KEY_F("degree_font_size", degreeFontSize);
  KEY_B("degree_bold", degreeBold);
  KEY_B("minute_shown", minuteShown);
  KEY_F("minute_font_size", minuteFontSize);
  KEY_B("minute_bold", minuteBold);
  return k;
}
Keys HouseKeys(HouseNumberStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_F("radius", radius);
  KEY_F("font_size", fontSize);
  KEY_B("bold", bold);
  return k;
}
Keys ZodiacKeys(ZodiacBandStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_I("content", content);
  KEY_B("sector_filled", sectorFilled);
  KEY_F("symbol_radius", symbolRadius);
  KEY_F("font_size", fontSize);
  KEY_B("bold", bold);
  KEY_B("italic", italic);
  KEY_F("turned_width_factor", turnedWidthFactor);
  KEY_I("long_tick_interval", longTickInterval);
  KEY_F("long_tick_length", longTickLength);
  KEY_B("ticks_outwards", ticksOutwards);
  KEY_C("tick_color", tickColor);
  KEY_F("medium_tick_length", mediumTickLength);
  KEY_F("short_tick_length", shortTickLength);
  KEY_I("medium_tick_interval", mediumTickInterval);
  KEY_I("short_tick_interval", shortTickInterval);
  return k;
}
Keys RingKeys(PointRingStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  k["radii"] = [&s](const std::string& v) { ToFloats(v, s.radius); };
  KEY_F("glyph_font_size", glyphFontSize);
  KEY_B("glyph_bold", glyphBold);
  KEY_B("glyph_italic", glyphItalic);
  KEY_F("degree_font_size", degreeFontSize);
  KEY_B("degree_bold", degreeBold);
  KEY_F("minute_font_size", minuteFontSize);
  k["pointer_length"] = [&s](const std::string& v) { ToFloats(v, s.pointerLength); };
  KEY_I("pointer_pen_width", pointerPenWidth);
  KEY_F("sign_font_size", signFontSize);
  k["pointer_bent"] = [&s](const std::string& v) { ToBools(v, s.pointerBent); };
  KEY_B("point_abbreviations", pointAbbreviations);
  KEY_B("sign_abbreviations", signAbbreviations);
  return k;
}
Keys AspectKeys(AspectArea& s) {
  Keys k;
  KEY_I("circle1", circle[0]);
  KEY_I("circle2", circle[1]);
  KEY_I("chart1", chart[0]);
  KEY_I("chart2", chart[1]);
  KEY_F("tick_length1", tickLength[0]);
  KEY_F("tick_length2", tickLength[1]);
  KEY_I("tick_pen_width", tickPenWidth);
  return k;
}

#undef KEY_I
#undef KEY_F
#undef KEY_B
#undef KEY_C

// Numbers after a section's name: their count and ranges depend on the section.
std::vector<int> SectionNumbers(const std::vector<std::string>& words, std::size_t count,
                                const std::vector<int>& limits) {
  if (words.size() != count + 1) throw Fault{"section [" + words[0] + "] needs " +
                                             std::to_string(count) + " number(s)"};
  std::vector<int> out;
  for (std::size_t i = 0; i < count; ++i) {
    auto n = ParseInt32(words[i + 1]);
    if (!n || *n < 1 || *n > limits[i]) throw Fault{"number out of range: " + words[i + 1]};
    out.push_back(*n - 1);
  }
  return out;
}

Keys SectionKeys(WheelDesign& d, const std::string& header) {
  std::vector<std::string> words;
  for (const std::string& w : Split(header, ' ')) {
    if (!Trim(w).empty()) words.emplace_back(Trim(w));
  }
  if (words.empty()) throw Fault{"empty section name"};
  const std::string& name = words[0];
  auto u = [](int i) { return static_cast<std::size_t>(i); };
  if (name == "design") {
    SectionNumbers(words, 0, {});
    return DesignKeys(d);
  }
  if (name == "aspects") {
    SectionNumbers(words, 0, {});
    return AspectKeys(d.aspects);
  }
  if (name == "circle") {
    auto n = SectionNumbers(words, 1, {WheelMaxCircles});
    return CircleKeys(d.circles[u(n[0])]);
  }
  if (name == "points" || name == "extra_points") {
    auto n = SectionNumbers(words, 1, {WheelMaxCharts});
    return RingKeys(name == "points" ? d.pointRings[u(n[0])] : d.extraRings[u(n[0])]);
  }
  if (name != "cusps" && name != "cusp_labels" && name != "house_numbers" &&
      name != "zodiac") {
    throw Fault{"unknown section [" + name + "]"};
  }
  auto n = SectionNumbers(words, 2, {WheelLayers, WheelMaxCharts});
  if (name == "cusps") return CuspKeys(d.cusps[u(n[0])][u(n[1])]);
  if (name == "cusp_labels") return LabelKeys(d.cuspLabels[u(n[0])][u(n[1])]);
  if (name == "house_numbers") return HouseKeys(d.houseNumbers[u(n[0])][u(n[1])]);
  return ZodiacKeys(d.zodiac[u(n[0])][u(n[1])]);
}

}  // namespace

WheelDesign ParseWheelDescription(std::string_view text) {
  WheelDesign d;
  d.version = 2;
  d.dialDegrees = 360;
  std::optional<Keys> keys;
  int line_number = 0;
  try {
    for (const std::string& raw_line : SplitLines(text)) {
      ++line_number;
      std::string line = raw_line;
      if (auto semicolon = line.find(';'); semicolon != std::string::npos) {
        line.erase(semicolon);
      }
      line = std::string(Trim(line));
      if (line.empty()) continue;
      if (line.front() == '[') {
        if (line.back() != ']') throw Fault{"unclosed section header"};
        keys = SectionKeys(d, line.substr(1, line.size() - 2));
        continue;
      }
      const auto eq = line.find('=');
      if (eq == std::string::npos) throw Fault{"expected key = value"};
      if (!keys) throw Fault{"value outside a section"};
      const std::string key(Trim(line.substr(0, eq)));
      const std::string value(Trim(line.substr(eq + 1)));
      auto it = keys->find(key);
      if (it == keys->end()) throw Fault{"unknown key: " + key};
      it->second(value);
    }
    line_number = 0;   // the counts belong to the whole description
    if (d.circleCount < 1 || d.circleCount > WheelMaxCircles) {
      throw Fault{"[design] circles must be 1.." + std::to_string(WheelMaxCircles)};
    }
    if (d.chartCount < 1 || d.chartCount > WheelMaxCharts) {
      throw Fault{"[design] charts must be 1.." + std::to_string(WheelMaxCharts)};
    }
  } catch (const Fault& f) {
    throw EWheelDescriptionError(line_number > 0 ? "line " + std::to_string(line_number) + ": " + f.text
                                                 : f.text);
  }
  return d;
}

}  // namespace korvana
