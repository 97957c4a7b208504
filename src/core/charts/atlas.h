// The atlas: places of the world with their coordinates and IANA zone, looked up the way
// people type them ("zurich", "Sao Paulo", "Munich", "Sydney, NSW", "Portland, OR",
// "Paris, FR", "Sydn").
//
// The atlas is an SQLite database (atlas.db in the data folder) built from GeoNames by
// tools/atlas. Names are compared by their search key: lower case, accents removed,
// hyphens as blanks, apostrophes and full stops dropped, blanks collapsed. The database
// carries the key of every non-ASCII letter of its names, so a typed name folds exactly
// as the stored names were folded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/util/error.h"

struct sqlite3;

namespace korvana {

// An atlas database that cannot be opened, is not an atlas, or is found damaged while
// it is read. The message names the file and what went wrong.
class EAtlasError : public Error {
 public:
  using Error::Error;
};

// The outcome of a lookup. The numbers are the result codes the chart dialogs act on.
enum class AtlasStatus : int {
  Found = 0,
  PlaceNotFound = -1,    // no place of that name (within the state and country given)
  CountryNotFound = -2,  // the country (or, with one qualifier, state or country) is unknown
  IllFormedName = -3,    // empty place, empty qualifier, or more than three parts
  StateNotFound = -4     // the state is not one of the given country's
};

struct AtlasPlace {
  std::int64_t id = 0;     // the GeoNames id
  std::string name;        // as GeoNames spells it, in UTF-8 ("Zürich")
  std::string state;       // first-level division ("New South Wales"), empty when unknown
  std::string country;     // country name ("Australia")
  std::string countryCode; // ISO 3166 two-letter code ("AU")
  double latitude = 0;     // degrees, north positive
  double longitude = 0;    // degrees, east positive
  std::int64_t population = 0;
  std::string zone;        // IANA zone name ("Australia/Sydney")
};

struct AtlasLookup {
  AtlasStatus status = AtlasStatus::PlaceNotFound;
  std::vector<AtlasPlace> places;  // most populous first; empty unless status is Found
};

// A country, or a first-level division of one, for browsing.
struct AtlasRegion {
  std::string code;  // ISO 3166 code of a country; the division's GeoNames code
  std::string name;
  std::int64_t places = 0;  // the atlas's places in it
};

// The warning shown for a failed lookup of `query`: "City not found:\r\n" (-1),
// "Country not found:\r\n" (-2), "Ill-formed place name:\r\n" (-3) or "County not
// found:\r\n" (-4), each followed by the query. Empty for Found.
std::string AtlasStatusMessage(AtlasStatus status, std::string_view query);

// A typed query split at its commas: "PLACE[, STATE][, COUNTRY]". With two parts the
// second is `state` and may name a state or a country. Parts are trimmed.
struct AtlasQuery {
  std::string place;
  std::string state;
  std::string country;
};

// Splits a query; returns false for an ill-formed one (an empty part, more than three).
bool ParseAtlasQuery(std::string_view text, AtlasQuery& query);

class Atlas {
 public:
  static constexpr std::string_view FileName = "atlas.db";

  // Opens the database read-only. Throws EAtlasError when the file is missing,
  // unreadable, not an SQLite database, or lacks the atlas tables.
  explicit Atlas(const std::string& path);
  ~Atlas();
  Atlas(const Atlas&) = delete;
  Atlas& operator=(const Atlas&) = delete;

  // Finds places for a typed query. Places whose name or one of whose other names has
  // the typed key are taken; only when there is none, places whose key begins with it.
  // A qualifier restricts them to a state and/or country, each matched by name, code
  // or a common abbreviation. At most `limit` places are returned (0: no limit), most
  // populous first. Throws EAtlasError when the database turns out damaged.
  AtlasLookup Find(std::string_view text, int limit = 20) const;

  // Browsing. The countries that hold places, by name; the divisions of a country (by its
  // code) that hold places, by name; the places of a country, or of one of its divisions
  // when `stateCode` is given, most populous first (at most `limit`, 0: all). Unknown
  // codes give nothing. Throws EAtlasError when the database turns out damaged.
  std::vector<AtlasRegion> Countries() const;
  std::vector<AtlasRegion> States(const std::string& countryCode) const;
  std::vector<AtlasPlace> PlacesIn(const std::string& countryCode, const std::string& stateCode, int limit) const;
  // The code of the country, or of the country's division, a typed name, code or common
  // abbreviation names ("Australia", "AU"; "NSW", "New South Wales"); nothing when none.
  std::optional<std::string> CountryCode(std::string_view typed) const;
  std::optional<std::string> StateCode(const std::string& countryCode, std::string_view typed) const;

  // The search key of a text (see above).
  std::string Fold(std::string_view text) const;

  const std::string& Path() const { return path_; }

 private:
  struct StateRef {
    std::string country;
    std::string admin1;
  };
  std::vector<std::string> MatchCountries(const std::string& key) const;
  std::vector<StateRef> MatchStates(const std::string& key) const;
  void Collect(const std::string& key, bool prefix, const std::vector<std::string>& countries,
               const std::vector<StateRef>& states, int limit,
               std::vector<AtlasPlace>& places) const;
  [[noreturn]] void Fail(const std::string& what) const;

  std::string path_;
  sqlite3* db_ = nullptr;
  std::unordered_map<char32_t, std::string> fold_;
};

}  // namespace korvana
