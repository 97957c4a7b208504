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
  KEY_I("circles", circle_count);
  KEY_I("charts", chart_count);
  KEY_I("design_radius", design_radius);
  KEY_F("dial_degrees", dial_degrees);
  KEY_B("fixed_rotation", fixed_rotation);
  KEY_F("rotation_degrees", rotation_degrees);
  KEY_B("swap_degree_and_minute", swap_degree_and_minute);
  return k;
}
Keys CircleKeys(WheelCircle& s) {
  Keys k;
  KEY_F("radius", radius);
  KEY_B("outline", outline);
  KEY_I("pen_style", pen_style);
  KEY_I("pen_width", pen_width);
  KEY_C("pen_color", pen_color);
  KEY_B("filled", filled);
  KEY_C("fill_color", fill_color);
  return k;
}
Keys CuspKeys(CuspStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_I("pen_style_angular", pen_style_angular);
  KEY_I("pen_style_other", pen_style_other);
  KEY_I("pen_width_angular", pen_width_angular);
  KEY_I("pen_width_other", pen_width_other);
  KEY_C("color_angular", color_angular);
  KEY_C("color_other", color_other);
  KEY_B("arrow_mc", arrow_mc);
  KEY_B("arrow_asc", arrow_asc);
  KEY_F("arrow_half_angle", arrow_half_angle);
  KEY_F("arrow_length", arrow_length);
  return k;
}
Keys LabelKeys(CuspLabelStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_I("arrangement", arrangement);
  KEY_B("intercepted_shown", intercepted_shown);
  KEY_F("inner_tick", inner_tick);
  KEY_F("outer_tick", outer_tick);
  KEY_B("sign_shown", sign_shown);
  KEY_F("sign_font_size", sign_font_size);
  KEY_B("sign_bold", sign_bold);
  KEY_B("sign_italic", sign_italic);
  KEY_B("degree_shown", degree_shown);
  KEY_F("degree_font_size", degree_font_size);
  KEY_B("degree_bold", degree_bold);
  KEY_B("minute_shown", minute_shown);
  KEY_F("minute_font_size", minute_font_size);
  KEY_B("minute_bold", minute_bold);
  return k;
}
Keys HouseKeys(HouseNumberStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_F("radius", radius);
  KEY_F("font_size", font_size);
  KEY_B("bold", bold);
  return k;
}
Keys ZodiacKeys(ZodiacBandStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  KEY_I("content", content);
  KEY_B("sector_filled", sector_filled);
  KEY_F("symbol_radius", symbol_radius);
  KEY_F("font_size", font_size);
  KEY_B("bold", bold);
  KEY_B("italic", italic);
  KEY_F("turned_width_factor", turned_width_factor);
  KEY_I("long_tick_interval", long_tick_interval);
  KEY_F("long_tick_length", long_tick_length);
  KEY_B("ticks_outwards", ticks_outwards);
  KEY_C("tick_color", tick_color);
  KEY_F("medium_tick_length", medium_tick_length);
  KEY_F("short_tick_length", short_tick_length);
  KEY_I("medium_tick_interval", medium_tick_interval);
  KEY_I("short_tick_interval", short_tick_interval);
  return k;
}
Keys RingKeys(PointRingStyle& s) {
  Keys k;
  BandKeys(k, s.band);
  k["radii"] = [&s](const std::string& v) { ToFloats(v, s.radius); };
  KEY_F("glyph_font_size", glyph_font_size);
  KEY_B("glyph_bold", glyph_bold);
  KEY_B("glyph_italic", glyph_italic);
  KEY_F("degree_font_size", degree_font_size);
  KEY_B("degree_bold", degree_bold);
  KEY_F("minute_font_size", minute_font_size);
  k["pointer_length"] = [&s](const std::string& v) { ToFloats(v, s.pointer_length); };
  KEY_I("pointer_pen_width", pointer_pen_width);
  KEY_F("sign_font_size", sign_font_size);
  k["pointer_bent"] = [&s](const std::string& v) { ToBools(v, s.pointer_bent); };
  KEY_B("point_abbreviations", point_abbreviations);
  KEY_B("sign_abbreviations", sign_abbreviations);
  return k;
}
Keys AspectKeys(AspectArea& s) {
  Keys k;
  KEY_I("circle1", circle[0]);
  KEY_I("circle2", circle[1]);
  KEY_I("chart1", chart[0]);
  KEY_I("chart2", chart[1]);
  KEY_F("tick_length1", tick_length[0]);
  KEY_F("tick_length2", tick_length[1]);
  KEY_I("tick_pen_width", tick_pen_width);
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
    auto n = SectionNumbers(words, 1, {kWheelMaxCircles});
    return CircleKeys(d.circles[u(n[0])]);
  }
  if (name == "points" || name == "extra_points") {
    auto n = SectionNumbers(words, 1, {kWheelMaxCharts});
    return RingKeys(name == "points" ? d.point_rings[u(n[0])] : d.extra_rings[u(n[0])]);
  }
  if (name != "cusps" && name != "cusp_labels" && name != "house_numbers" &&
      name != "zodiac") {
    throw Fault{"unknown section [" + name + "]"};
  }
  auto n = SectionNumbers(words, 2, {kWheelLayers, kWheelMaxCharts});
  if (name == "cusps") return CuspKeys(d.cusps[u(n[0])][u(n[1])]);
  if (name == "cusp_labels") return LabelKeys(d.cusp_labels[u(n[0])][u(n[1])]);
  if (name == "house_numbers") return HouseKeys(d.house_numbers[u(n[0])][u(n[1])]);
  return ZodiacKeys(d.zodiac[u(n[0])][u(n[1])]);
}

}  // namespace

WheelDesign ParseWheelDescription(std::string_view text) {
  WheelDesign d;
  d.version = 2;
  d.dial_degrees = 360;
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
    if (d.circle_count < 1 || d.circle_count > kWheelMaxCircles) {
      throw Fault{"[design] circles must be 1.." + std::to_string(kWheelMaxCircles)};
    }
    if (d.chart_count < 1 || d.chart_count > kWheelMaxCharts) {
      throw Fault{"[design] charts must be 1.." + std::to_string(kWheelMaxCharts)};
    }
  } catch (const Fault& f) {
    throw EWheelDescriptionError(line_number > 0 ? "line " + std::to_string(line_number) + ": " + f.text
                                                 : f.text);
  }
  return d;
}

}  // namespace korvana
