#include "core/wheels/wheel_design.h"

#include <cmath>
#include <cstring>

#include "core/util/files.h"

namespace korvana {
namespace {

// Little-endian access to a record at fixed offsets.
std::int16_t GetI16(std::string_view d, std::size_t off) {
  return static_cast<std::int16_t>(static_cast<std::uint8_t>(d[off]) |
                                   (static_cast<std::uint8_t>(d[off + 1]) << 8));
}
std::uint32_t GetU32(std::string_view d, std::size_t off) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(d[off + i]);
  return v;
}
void PutI16(std::string& d, std::size_t off, std::int16_t value) {
  auto v = static_cast<std::uint16_t>(value);
  d[off] = static_cast<char>(v & 0xFF);
  d[off + 1] = static_cast<char>(v >> 8);
}
void PutU32(std::string& d, std::size_t off, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) d[off + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Reading and writing share one description of the layout (Visit below), so the two
// directions cannot disagree about an offset.
struct Reader {
  std::string_view d;
  void I16(std::size_t off, std::int16_t& v) { v = GetI16(d, off); }
  void Col(std::size_t off, Color& v) { v = GetU32(d, off); }
  // A truth value is set only by -1; any other value counts as false.
  void B16(std::size_t off, bool& v) { v = GetI16(d, off) == -1; }
  void F32(std::size_t off, float& v) {
    std::uint32_t bits = GetU32(d, off);
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v)) v = 0;   // a damaged number draws as absent, never as NaN
  }
};

struct Writer {
  std::string& d;
  void I16(std::size_t off, const std::int16_t& v) { PutI16(d, off, v); }
  void Col(std::size_t off, const Color& v) { PutU32(d, off, v); }
  // Keeps a stored truth value that already means the same (e.g. a stray 1 for false).
  void B16(std::size_t off, const bool& v) {
    if ((GetI16(d, off) == -1) != v) PutI16(d, off, v ? -1 : 0);
  }
  void F32(std::size_t off, const float& v) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    if (bits != GetU32(d, off)) PutU32(d, off, bits);
  }
};

constexpr std::size_t kCuspBase = 514, kCuspSize = 32;
constexpr std::size_t kLabelBase = 834, kLabelSize = 42;
constexpr std::size_t kHouseBase = 1254, kHouseSize = 14;
constexpr std::size_t kZodiacBase = 1394, kZodiacSize = 68;
constexpr std::size_t kExtraBase = 2074, kRingSize = 76;
constexpr std::size_t kAspectBase = 2454, kAspectSize = 20;
constexpr std::size_t kRingBase = 2474;

template <class IO, class Band>
void VisitBand(IO& io, std::size_t b, Band& band) {
  io.I16(b, band.inner);
  io.I16(b + 2, band.outer);
}

template <class IO, class S>
void VisitCusp(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.I16(b + 4, s.pen_style_angular);
  io.I16(b + 6, s.pen_style_other);
  io.I16(b + 8, s.pen_width_angular);
  io.I16(b + 10, s.pen_width_other);
  io.Col(b + 12, s.color_angular);
  io.Col(b + 16, s.color_other);
  io.B16(b + 20, s.arrow_mc);
  io.B16(b + 22, s.arrow_asc);
  io.F32(b + 24, s.arrow_half_angle);
  io.F32(b + 28, s.arrow_length);
}

template <class IO, class S>
void VisitLabel(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.I16(b + 4, s.arrangement);
  io.B16(b + 6, s.intercepted_shown);
  io.F32(b + 8, s.inner_tick);
  io.F32(b + 12, s.outer_tick);
  io.B16(b + 16, s.sign_shown);
  io.F32(b + 18, s.sign_font_size);
  io.B16(b + 22, s.sign_bold);
  io.B16(b + 24, s.sign_italic);
  io.B16(b + 26, s.degree_shown);
  io.F32(b + 28, s.degree_font_size);
  io.B16(b + 32, s.degree_bold);
  io.B16(b + 34, s.minute_shown);
  io.F32(b + 36, s.minute_font_size);
  io.B16(b + 40, s.minute_bold);
}

template <class IO, class S>
void VisitHouse(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.F32(b + 4, s.radius);
  io.F32(b + 8, s.font_size);
  io.B16(b + 12, s.bold);
}

template <class IO, class S>
void VisitZodiac(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  io.I16(b + 4, s.content);
  io.B16(b + 6, s.sector_filled);
  io.F32(b + 8, s.symbol_radius);
  io.F32(b + 12, s.font_size);
  io.B16(b + 16, s.bold);
  io.B16(b + 18, s.italic);
  io.F32(b + 20, s.turned_width_factor);
  io.I16(b + 36, s.long_tick_interval);
  io.F32(b + 38, s.long_tick_length);
  io.B16(b + 42, s.ticks_outwards);
  io.Col(b + 44, s.tick_color);
  io.F32(b + 48, s.medium_tick_length);
  io.F32(b + 52, s.short_tick_length);
  io.I16(b + 56, s.medium_tick_interval);
  io.I16(b + 58, s.short_tick_interval);
}

template <class IO, class S>
void VisitRing(IO& io, std::size_t b, S& s) {
  VisitBand(io, b, s.band);
  for (std::size_t i = 0; i < 5; ++i) io.F32(b + 4 + 4 * i, s.radius[i]);
  io.F32(b + 24, s.glyph_font_size);
  io.B16(b + 28, s.glyph_bold);
  io.B16(b + 30, s.glyph_italic);
  io.F32(b + 32, s.degree_font_size);
  io.B16(b + 36, s.degree_bold);
  io.F32(b + 38, s.minute_font_size);
  io.F32(b + 42, s.pointer_length[0]);
  io.F32(b + 46, s.pointer_length[1]);
  io.I16(b + 50, s.pointer_pen_width);
  io.F32(b + 52, s.sign_font_size);
  io.B16(b + 56, s.pointer_bent[0]);
  io.B16(b + 58, s.pointer_bent[1]);
  io.B16(b + 60, s.point_abbreviations);
  io.B16(b + 62, s.sign_abbreviations);
}

template <class IO, class D>
void Visit(IO& io, D& d) {
  io.I16(0, d.version);
  io.I16(82, d.circle_count);
  io.I16(84, d.chart_count);
  io.I16(86, d.design_radius);
  for (std::size_t i = 0; i < kWheelMaxCircles; ++i) {
    auto& c = d.circles[i];
    io.F32(114 + 4 * i, c.radius);
    io.B16(194 + 2 * i, c.outline);
    io.I16(234 + 2 * i, c.pen_style);
    io.I16(274 + 2 * i, c.pen_width);
    io.Col(314 + 4 * i, c.pen_color);
    io.B16(394 + 2 * i, c.filled);
    io.Col(434 + 4 * i, c.fill_color);
  }
  for (std::size_t layer = 0; layer < kWheelLayers; ++layer) {
    for (std::size_t chart = 0; chart < kWheelMaxCharts; ++chart) {
      const std::size_t n = layer * kWheelMaxCharts + chart;
      VisitCusp(io, kCuspBase + n * kCuspSize, d.cusps[layer][chart]);
      VisitLabel(io, kLabelBase + n * kLabelSize, d.cusp_labels[layer][chart]);
      VisitHouse(io, kHouseBase + n * kHouseSize, d.house_numbers[layer][chart]);
      VisitZodiac(io, kZodiacBase + n * kZodiacSize, d.zodiac[layer][chart]);
    }
  }
  for (std::size_t chart = 0; chart < kWheelMaxCharts; ++chart) {
    VisitRing(io, kExtraBase + chart * kRingSize, d.extra_rings[chart]);
    VisitRing(io, kRingBase + chart * kRingSize, d.point_rings[chart]);
  }
  io.I16(2454, d.aspects.circle[0]);
  io.I16(2456, d.aspects.circle[1]);
  io.I16(2458, d.aspects.chart[0]);
  io.I16(2460, d.aspects.chart[1]);
  io.F32(2462, d.aspects.tick_length[0]);
  io.F32(2466, d.aspects.tick_length[1]);
  io.I16(2470, d.aspects.tick_pen_width);
  io.F32(2854, d.dial_degrees);
  io.B16(2858, d.fixed_rotation);
  io.F32(2860, d.rotation_degrees);
  io.B16(2864, d.swap_degree_and_minute);
}

// Version-1 layout.
constexpr std::size_t kV1Cusp = 314, kV1Label = 346, kV1House = 388, kV1Zodiac = 402;
constexpr std::size_t kV1Aspect = 462, kV1Rings = 482;

std::string UnreadableText(const std::string& path) {
  return "Unable to read wheel file: \r\n\r\n" + path;
}

}  // namespace

const WheelCircle* WheelDesign::Circle(int index) const {
  if (index < 1 || index > kWheelMaxCircles) return nullptr;
  return &circles[static_cast<std::size_t>(index - 1)];
}

bool WheelDesign::UsableBand(const WheelBand& band) {
  return band.inner >= 1 && band.inner <= kWheelMaxCircles && band.outer >= 1 &&
         band.outer <= kWheelMaxCircles;
}

std::optional<WheelDesign> ParseWheelDesign(std::string_view record) {
  if (record.size() != kWheelDesignSize) return std::nullopt;
  WheelDesign design;
  design.raw.assign(record.data(), record.size());
  Reader reader{record};
  Visit(reader, design);
  return design;
}

std::string SerializeWheelDesign(const WheelDesign& design) {
  std::string out = design.raw;
  out.resize(kWheelDesignSize, '\0');
  Writer writer{out};
  Visit(writer, design);
  return out;
}

std::optional<std::string> ConvertWheelDesignV1(std::string_view v1) {
  if (v1.size() < kWheelDesignV1Size) return std::nullopt;
  v1 = v1.substr(0, kWheelDesignV1Size);
  const int circle_count = GetI16(v1, 82);
  const int chart_count = GetI16(v1, 84);
  if (circle_count < 1 || circle_count > kWheelMaxCirclesV1) return std::nullopt;
  if (chart_count < 1 || chart_count > kWheelMaxCharts) return std::nullopt;

  std::string d(kWheelDesignSize, '\0');
  d.replace(0, v1.size(), v1);
  PutI16(d, 0, 2);
  // Circle fields move from the ten-entry arrays to the twenty-entry ones. The source is
  // the original record: the two layouts overlap, so the copy in `d` is already
  // partly overwritten by earlier moves.
  for (std::size_t i = 0; i < static_cast<std::size_t>(circle_count); ++i) {
    d.replace(114 + 4 * i, 4, v1.substr(114 + 4 * i, 4));
    d.replace(194 + 2 * i, 2, v1.substr(154 + 2 * i, 2));
    d.replace(234 + 2 * i, 2, v1.substr(174 + 2 * i, 2));
    d.replace(274 + 2 * i, 2, v1.substr(194 + 2 * i, 2));
    d.replace(314 + 4 * i, 4, v1.substr(214 + 4 * i, 4));
    d.replace(394 + 2 * i, 2, v1.substr(254 + 2 * i, 2));
    d.replace(434 + 4 * i, 4, v1.substr(274 + 4 * i, 4));
  }
  // Every cusp, cusp-label, house-number style and extra-point ring starts absent.
  for (std::size_t n = 0; n < kWheelLayers * kWheelMaxCharts; ++n) {
    PutI16(d, kCuspBase + n * kCuspSize, 0);
    PutI16(d, kLabelBase + n * kLabelSize, 0);
    PutI16(d, kHouseBase + n * kHouseSize, 0);
  }
  for (std::size_t chart = 0; chart < kWheelMaxCharts; ++chart) {
    PutI16(d, kExtraBase + chart * kRingSize, 0);
  }
  d.replace(kCuspBase, kCuspSize, v1.substr(kV1Cusp, kCuspSize));
  d.replace(kLabelBase, kLabelSize, v1.substr(kV1Label, kLabelSize));
  d.replace(kHouseBase, kHouseSize, v1.substr(kV1House, kHouseSize));
  d.replace(kAspectBase, kAspectSize, v1.substr(kV1Aspect, kAspectSize));
  for (std::size_t chart = 0; chart < static_cast<std::size_t>(chart_count); ++chart) {
    d.replace(kRingBase + chart * kRingSize, kRingSize,
              v1.substr(kV1Rings + chart * kRingSize, kRingSize));
  }
  d.replace(kZodiacBase, 60, v1.substr(kV1Zodiac, 60));
  PutI16(d, kZodiacBase + 60, 2);
  PutU32(d, kZodiacBase + 62, 0);
  PutI16(d, kZodiacBase + 66, 0);
  // The older layout kept the dial inside the zodiac band record.
  d.replace(2854, 4, v1.substr(kV1Zodiac + 24, 4));
  d.replace(2858, 2, v1.substr(kV1Zodiac + 28, 2));
  d.replace(2860, 4, v1.substr(kV1Zodiac + 30, 4));
  PutI16(d, 2864, 0);
  return d;
}

namespace {

bool Absent(const WheelBand& band) { return band.inner == 0 && band.outer == 0; }

// Whether every style beyond layer 1, chart 1 (and every extra-point ring) is absent, as
// the version-1 layout has room for nothing else.
bool FitsVersion1(const WheelDesign& d) {
  if (d.circle_count < 1 || d.circle_count > kWheelMaxCirclesV1) return false;
  if (d.chart_count < 1 || d.chart_count > kWheelMaxCharts) return false;
  if (d.swap_degree_and_minute) return false;
  for (std::size_t layer = 0; layer < kWheelLayers; ++layer) {
    for (std::size_t chart = 0; chart < kWheelMaxCharts; ++chart) {
      if (layer == 0 && chart == 0) continue;
      if (!Absent(d.cusps[layer][chart].band) || !Absent(d.cusp_labels[layer][chart].band) ||
          !Absent(d.house_numbers[layer][chart].band) || !Absent(d.zodiac[layer][chart].band)) {
        return false;
      }
    }
  }
  for (const PointRingStyle& ring : d.extra_rings) {
    if (!Absent(ring.band)) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> SerializeWheelDesignV1(const WheelDesign& design) {
  if (!FitsVersion1(design)) return std::nullopt;
  const std::string v2 = SerializeWheelDesign(design);
  std::string d(kWheelDesignV1Size, '\0');
  d.replace(0, 114, v2.substr(0, 114));
  PutI16(d, 0, 1);
  for (std::size_t i = 0; i < kWheelMaxCirclesV1; ++i) {
    d.replace(114 + 4 * i, 4, v2.substr(114 + 4 * i, 4));
    d.replace(154 + 2 * i, 2, v2.substr(194 + 2 * i, 2));
    d.replace(174 + 2 * i, 2, v2.substr(234 + 2 * i, 2));
    d.replace(194 + 2 * i, 2, v2.substr(274 + 2 * i, 2));
    d.replace(214 + 4 * i, 4, v2.substr(314 + 4 * i, 4));
    d.replace(254 + 2 * i, 2, v2.substr(394 + 2 * i, 2));
    d.replace(274 + 4 * i, 4, v2.substr(434 + 4 * i, 4));
  }
  d.replace(kV1Cusp, kCuspSize, v2.substr(kCuspBase, kCuspSize));
  d.replace(kV1Label, kLabelSize, v2.substr(kLabelBase, kLabelSize));
  d.replace(kV1House, kHouseSize, v2.substr(kHouseBase, kHouseSize));
  d.replace(kV1Zodiac, 60, v2.substr(kZodiacBase, 60));
  d.replace(kV1Zodiac + 24, 4, v2.substr(2854, 4));
  d.replace(kV1Zodiac + 28, 2, v2.substr(2858, 2));
  d.replace(kV1Zodiac + 30, 4, v2.substr(2860, 4));
  d.replace(kV1Aspect, kAspectSize, v2.substr(kAspectBase, kAspectSize));
  for (std::size_t chart = 0; chart < kWheelMaxCharts; ++chart) {
    d.replace(kV1Rings + chart * kRingSize, kRingSize, v2.substr(kRingBase + chart * kRingSize, kRingSize));
  }
  return d;
}

WheelDesign ReadWheelDesign(const std::string& path) {
  if (!FileExists(path)) throw EWheelFileMissing("Wheel file does not exist: " + path);
  std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes || bytes->size() < 2) throw EWheelDesignError(UnreadableText(path));
  const int version = GetI16(*bytes, 0);
  std::optional<std::string> record;
  if (version == 1) {
    record = ConvertWheelDesignV1(*bytes);
  } else if (version == 2) {
    if (bytes->size() >= kWheelDesignSize) record = bytes->substr(0, kWheelDesignSize);
  } else {
    throw EWheelDesignError("Invalid wheel file version: " + std::to_string(version) + "\r\n\r\n" + path);
  }
  // Counts outside what the record holds make the whole design unreadable: every circle
  // and chart index of the drawing would be in doubt.
  if (record) {
    const int circles = GetI16(*record, 82);
    const int charts = GetI16(*record, 84);
    if (circles >= 1 && circles <= kWheelMaxCircles && charts >= 1 && charts <= kWheelMaxCharts) {
      if (auto design = ParseWheelDesign(*record)) return *design;
    }
  }
  throw EWheelDesignError(UnreadableText(path));
}

std::optional<WheelDesign> LoadWheelDesign(const std::string& path, Messages& messages) {
  try {
    return ReadWheelDesign(path);
  } catch (const EWheelFileMissing&) {
    throw;
  } catch (const EWheelDesignError& e) {
    messages.Error(e.what());
    return std::nullopt;
  }
}

}  // namespace korvana
