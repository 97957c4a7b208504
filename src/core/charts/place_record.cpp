#include "core/charts/place_record.h"

#include "core/util/codepage.h"
#include "core/util/records.h"

namespace korvana {

namespace {

struct TextField {
  std::size_t offset;
  std::size_t width;
};

constexpr TextField PlaceField{0, 20};
constexpr TextField CountryField{20, 20};
constexpr TextField ZoneField{40, 14};
constexpr TextField LatitudeField{54, 8};
constexpr TextField LongitudeField{62, 9};
constexpr std::size_t ZoneTableOffset = 71;

bool IsCoordinateCharacter(char c) { return c == ' ' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }

void PutText(std::string& record, TextField field, std::string_view utf8) {
  std::string bytes = Utf8ToCp1252(utf8);
  // A NUL inside the text would end it early on reading: the text ends there.
  bytes = bytes.substr(0, bytes.find('\0'));
  if (bytes.size() > field.width - 1) bytes.resize(field.width - 1);
  record.replace(field.offset, bytes.size(), bytes);
}

std::string_view RawText(std::string_view record, TextField field) {
  const std::string_view bytes = record.substr(field.offset, field.width);
  const std::size_t end = bytes.find('\0');
  if (end == std::string_view::npos)
    throw EPlaceFileError("a text of the place runs past the end of its field");
  return bytes.substr(0, end);
}

std::string CoordinateFromRecord(std::string_view record, TextField field) {
  const std::string_view text = RawText(record, field);
  for (char c : text)
    if (!IsCoordinateCharacter(c))
      throw EPlaceFileError("a latitude or longitude of the place holds characters other than blanks, digits and "
                            "capital letters");
  return std::string(text);
}

}  // namespace

std::string CoordinateText(std::string_view typed) {
  std::string text;
  for (char c : typed) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (IsCoordinateCharacter(c)) text.push_back(c);
  }
  return text;
}

std::string PlaceRecordBytes(const PlaceRecord& place) {
  std::string record(PlaceRecordSize, '\0');
  PutText(record, PlaceField, place.Place);
  PutText(record, CountryField, place.Country);
  PutText(record, ZoneField, place.Zone);
  PutText(record, LatitudeField, CoordinateText(place.Latitude));
  PutText(record, LongitudeField, CoordinateText(place.Longitude));
  record[ZoneTableOffset] = static_cast<char>(static_cast<std::uint16_t>(place.ZoneTable) & 0xFF);
  record[ZoneTableOffset + 1] = static_cast<char>(static_cast<std::uint16_t>(place.ZoneTable) >> 8);
  return record;
}

PlaceRecord PlaceFromBytes(std::string_view record) {
  if (record.size() != PlaceRecordSize) throw EPlaceFileError("a place record is not 73 bytes long");
  PlaceRecord place;
  place.Place = Cp1252ToUtf8(RawText(record, PlaceField));
  place.Country = Cp1252ToUtf8(RawText(record, CountryField));
  place.Zone = Cp1252ToUtf8(RawText(record, ZoneField));
  place.Latitude = CoordinateFromRecord(record, LatitudeField);
  place.Longitude = CoordinateFromRecord(record, LongitudeField);
  ByteReader r(record);
  r.Seek(ZoneTableOffset);
  place.ZoneTable = r.I16();
  return place;
}

}  // namespace korvana
