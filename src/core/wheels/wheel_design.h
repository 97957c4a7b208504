// Wheel design files: the fixed-size record that says which concentric circles a chart
// wheel has, how each is drawn, and which rings carry the zodiac, the house cusps and
// numbers, the chart points and the aspect lines, for up to five charts.
//
// Files come in two layouts: version 2 (2964 bytes, the one the drawing uses) and the
// older version 1 (962 bytes, at most 10 circles and styles for the first chart only),
// which is converted to version 2 on loading. The record keeps its raw bytes so that the
// bytes the program does not interpret survive when a design is copied or written again.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/config/colors.h"
#include "core/util/messages.h"
#include "core/util/error.h"

namespace korvana {

inline constexpr std::size_t kWheelDesignSize = 2964;     // version 2
inline constexpr std::size_t kWheelDesignV1Size = 962;    // version 1
inline constexpr int kWheelMaxCircles = 20;
inline constexpr int kWheelMaxCirclesV1 = 10;
inline constexpr int kWheelMaxCharts = 5;
inline constexpr int kWheelLayers = 2;

// The colour that, given to a cusp kind, means those cusps are not drawn.
inline constexpr Color kWheelNoCuspColor = 0xFFFFFFFFu;

struct WheelCircle {
  float radius = 0;          // fraction of the wheel radius
  bool outline = false;
  std::int16_t pen_style = 0;
  std::int16_t pen_width = 0;
  Color pen_color = 0;
  bool filled = false;
  Color fill_color = 0;
};

// A style's band between two circles of the circle table (1-based, 0 = absent).
struct WheelBand {
  std::int16_t inner = 0;
  std::int16_t outer = 0;
};

struct CuspStyle {
  WheelBand band;
  std::int16_t pen_style_angular = 0;
  std::int16_t pen_style_other = 0;
  std::int16_t pen_width_angular = 0;
  std::int16_t pen_width_other = 0;
  Color color_angular = 0;
  Color color_other = 0;
  bool arrow_mc = false;
  bool arrow_asc = false;
  float arrow_half_angle = 0;   // radians
  float arrow_length = 0;       // fraction of the wheel radius
};

struct CuspLabelStyle {
  WheelBand band;
  std::int16_t arrangement = 0;      // low byte 2, 3 or 4: decorated arrangements
  bool intercepted_shown = false;
  float inner_tick = 0;              // fractions of the band width, 0 = none
  float outer_tick = 0;
  bool sign_shown = false;
  float sign_font_size = 0;
  bool sign_bold = false;
  bool sign_italic = false;
  bool degree_shown = false;
  float degree_font_size = 0;
  bool degree_bold = false;
  bool minute_shown = false;
  float minute_font_size = 0;
  bool minute_bold = false;
};

struct HouseNumberStyle {
  WheelBand band;
  float radius = 0;       // fraction within the band
  float font_size = 0;
  bool bold = false;
};

// Content codes of a zodiac band's sectors.
enum ZodiacContent : std::int16_t {
  kContentSignGlyph = 2,
  kContentSignGlyphTurned = 3,
  kContentDivisionNumbers = 4,
  kContentSignAbbrev = 5,
  kContentSignAbbrevTurned = 6,
  kContentRulerGlyph = 8,
  kContentRulerGlyphTurned = 9,
  kContentRulerAbbrev = 10,
  kContentRulerAbbrevTurned = 11,
};

struct ZodiacBandStyle {
  WheelBand band;
  std::int16_t content = 0;
  bool sector_filled = false;
  float symbol_radius = 0;      // fraction within the band
  float font_size = 0;
  bool bold = false;
  bool italic = false;
  float turned_width_factor = 0;
  std::int16_t long_tick_interval = 0;
  float long_tick_length = 0;   // fractions of the band width
  bool ticks_outwards = false;
  Color tick_color = 0;
  float medium_tick_length = 0;
  float short_tick_length = 0;
  std::int16_t medium_tick_interval = 0;
  std::int16_t short_tick_interval = 0;
};

// Indexes into PointRingStyle::radius.
enum PointRingItem { kRingGlyph = 0, kRingDegree, kRingSign, kRingMinute, kRingRetrograde };

struct PointRingStyle {
  WheelBand band;
  std::array<float, 5> radius{};   // fractions within the band, <= 0 = not drawn
  float glyph_font_size = 0;
  bool glyph_bold = false;
  bool glyph_italic = false;
  float degree_font_size = 0;
  bool degree_bold = false;
  float minute_font_size = 0;
  std::array<float, 2> pointer_length{};   // from the inner, from the outer circle
  std::int16_t pointer_pen_width = 0;
  float sign_font_size = 0;
  std::array<bool, 2> pointer_bent{};
  bool point_abbreviations = false;
  bool sign_abbreviations = false;
};

struct AspectArea {
  std::array<std::int16_t, 2> circle{};   // 0 = no aspect lines
  std::array<std::int16_t, 2> chart{};    // 1..5
  std::array<float, 2> tick_length{};     // fraction of the wheel radius, 0 = no ticks
  std::int16_t tick_pen_width = 0;
};

struct WheelDesign {
  std::int16_t version = 2;
  std::int16_t circle_count = 0;
  std::int16_t chart_count = 0;
  std::int16_t design_radius = 0;
  std::array<WheelCircle, kWheelMaxCircles> circles{};
  // Two-level tables: [layer 0..1][chart 0..4].
  std::array<std::array<CuspStyle, kWheelMaxCharts>, kWheelLayers> cusps{};
  std::array<std::array<CuspLabelStyle, kWheelMaxCharts>, kWheelLayers> cusp_labels{};
  std::array<std::array<HouseNumberStyle, kWheelMaxCharts>, kWheelLayers> house_numbers{};
  std::array<std::array<ZodiacBandStyle, kWheelMaxCharts>, kWheelLayers> zodiac{};
  std::array<PointRingStyle, kWheelMaxCharts> extra_rings{};
  AspectArea aspects;
  std::array<PointRingStyle, kWheelMaxCharts> point_rings{};
  float dial_degrees = 360;
  bool fixed_rotation = false;
  float rotation_degrees = 0;
  bool swap_degree_and_minute = false;

  // The record as read (or zeros): keeps the bytes the program does not interpret.
  std::string raw = std::string(kWheelDesignSize, '\0');

  // A circle of the table, 1-based; null outside 1..20.
  const WheelCircle* Circle(int index) const;
  // A band is usable when both its circles lie in 1..20; a style whose band is not is
  // skipped by the drawing (0 marks an absent element, anything else a broken design).
  static bool UsableBand(const WheelBand& band);
};

// A design file that cannot be read, carrying the message for the user.
class EWheelDesignError : public Error {
 public:
  using Error::Error;
};

// A design file that does not exist.
class EWheelFileMissing : public EWheelDesignError {
 public:
  using EWheelDesignError::EWheelDesignError;
};

// Decodes a version-2 record (exactly kWheelDesignSize bytes, else nullopt).
std::optional<WheelDesign> ParseWheelDesign(std::string_view record);
// Converts a version-1 record to the bytes of a version-2 record; nullopt when the
// record is short or its circle or chart count lies outside what the layout holds.
std::optional<std::string> ConvertWheelDesignV1(std::string_view record);
// Encodes a design as a version-2 record over its raw bytes (uninterpreted bytes kept).
std::string SerializeWheelDesign(const WheelDesign& design);
// Encodes a design in the older version-1 layout; nullopt when the design uses what that
// layout cannot hold (more than 10 circles, styles of a second layer or of other charts
// than the first, extra-point rings, swapped degree and minute).
std::optional<std::string> SerializeWheelDesignV1(const WheelDesign& design);

// Reads and validates a design file. Throws EWheelFileMissing ("Wheel file does not
// exist: " + path) when there is no such file, and EWheelDesignError for a wrong version
// ("Invalid wheel file version: " ...) or a record that is cut short or holds counts
// beyond the layout ("Unable to read wheel file: " ...).
WheelDesign ReadWheelDesign(const std::string& path);

// ReadWheelDesign for the drawing: a missing file is still thrown to the caller; any
// other failure shows its message through `messages` and returns nullopt.
std::optional<WheelDesign> LoadWheelDesign(const std::string& path, Messages& messages);

}  // namespace korvana
