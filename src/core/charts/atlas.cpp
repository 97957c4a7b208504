#include "core/charts/atlas.h"

#include <sqlite3.h>

#include <algorithm>

namespace korvana {

namespace {

constexpr std::string_view DroppedAscii = "'.`\"";

constexpr std::string_view PlaceColumns =
    "SELECT p.id, p.name, COALESCE(a.name, ''), COALESCE(c.name, p.country_code), "
    "p.country_code, p.admin1_code, p.latitude, p.longitude, p.population, p.zone "
    "FROM places p "
    "LEFT JOIN admin1 a ON a.country_code = p.country_code AND a.admin1_code = p.admin1_code "
    "LEFT JOIN countries c ON c.code = p.country_code ";

// The exact and the prefix form of the place search: ?1 is the key, ?2 the first key
// after all keys that begin with ?1.
const std::string ExactPlaces = std::string(PlaceColumns) +
    "WHERE p.id IN (SELECT id FROM places WHERE search_key = ?1 "
    "UNION SELECT place_id FROM alternate_names WHERE search_key = ?1) "
    "ORDER BY p.population DESC, p.id";
const std::string PrefixPlaces = std::string(PlaceColumns) +
    "WHERE p.id IN (SELECT id FROM places WHERE search_key >= ?1 AND search_key < ?2 "
    "UNION SELECT place_id FROM alternate_names WHERE search_key >= ?1 AND search_key < ?2) "
    "ORDER BY p.population DESC, p.id";

// One prepared statement, finalized when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, std::string_view sql) {
    rc_ = sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr);
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool Ok() const { return rc_ == SQLITE_OK; }
  void Bind(int index, const std::string& text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
  }
  // True for a row, false at the end or on a failure (Done and Failed tell which).
  bool Step() {
    rc_ = sqlite3_step(stmt_);
    return rc_ == SQLITE_ROW;
  }
  bool Done() const { return rc_ == SQLITE_DONE; }
  bool Failed() const { return rc_ != SQLITE_ROW && rc_ != SQLITE_DONE; }
  std::string Text(int column) const {
    const auto* text = sqlite3_column_text(stmt_, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)))
                : std::string();
  }
  double Real(int column) const { return sqlite3_column_double(stmt_, column); }
  std::int64_t Int(int column) const { return sqlite3_column_int64(stmt_, column); }

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int rc_ = SQLITE_OK;
};

std::string_view Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Decodes one UTF-8 sequence at `pos`; a malformed byte is taken as the code point of
// its own value and consumes one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length == 1 || pos + static_cast<std::size_t>(length) > text.size()) {
    ++pos;
    return lead;
  }
  char32_t cp = lead & (0x3F >> (length - 1));
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return lead;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  pos += static_cast<std::size_t>(length);
  return cp;
}

// The first key greater than every key that begins with `key` (key is not empty).
std::string PrefixEnd(std::string key) {
  while (!key.empty() && static_cast<unsigned char>(key.back()) == 0xFF) key.pop_back();
  if (!key.empty()) key.back() = static_cast<char>(static_cast<unsigned char>(key.back()) + 1);
  return key;
}

}  // namespace

std::string AtlasStatusMessage(AtlasStatus status, std::string_view query) {
  std::string_view text;
  switch (status) {
    case AtlasStatus::Found: return {};
    case AtlasStatus::PlaceNotFound: text = "City not found:\r\n"; break;
    case AtlasStatus::CountryNotFound: text = "Country not found:\r\n"; break;
    case AtlasStatus::IllFormedName: text = "Ill-formed place name:\r\n"; break;
    case AtlasStatus::StateNotFound: text = "County not found:\r\n"; break;
  }
  return std::string(text) + std::string(query);
}

bool ParseAtlasQuery(std::string_view text, AtlasQuery& query) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const auto comma = text.find(',', start);
    parts.emplace_back(Trim(text.substr(start, comma == std::string_view::npos
                                                   ? std::string_view::npos
                                                   : comma - start)));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (parts.size() > 3) return false;
  for (const auto& part : parts) {
    if (part.empty()) return false;
  }
  query = AtlasQuery{parts[0], parts.size() > 1 ? parts[1] : "", parts.size() > 2 ? parts[2] : ""};
  return true;
}

Atlas::Atlas(const std::string& path) : path_(path) {
  if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    std::string reason = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    db_ = nullptr;
    throw EAtlasError("The atlas database " + path + " cannot be opened: " + reason);
  }
  // Every statement the lookup runs is prepared once here, so that a file lacking a
  // table or column is refused now rather than at the first lookup.
  for (std::string_view sql : {std::string_view(ExactPlaces), std::string_view(PrefixPlaces),
                               std::string_view("SELECT code FROM country_keys WHERE search_key = ?1"),
                               std::string_view("SELECT country_code, admin1_code FROM admin1_keys "
                                                "WHERE search_key = ?1")}) {
    Statement check(db_, sql);
    if (!check.Ok()) {
      std::string reason = sqlite3_errmsg(db_);
      sqlite3_close(db_);
      db_ = nullptr;
      throw EAtlasError("The atlas database " + path + " is not a valid atlas: " + reason);
    }
  }
  Statement fold(db_, "SELECT code_point, folded FROM fold");
  while (fold.Step()) fold_[static_cast<char32_t>(fold.Int(0))] = fold.Text(1);
  if (!fold.Done()) {
    std::string reason = sqlite3_errmsg(db_);
    sqlite3_close(db_);
    db_ = nullptr;
    throw EAtlasError("The atlas database " + path + " is not a valid atlas: " + reason);
  }
}

Atlas::~Atlas() { sqlite3_close(db_); }

void Atlas::Fail(const std::string& what) const {
  throw EAtlasError("The atlas database " + path_ + " is damaged (" + what +
                    "): " + sqlite3_errmsg(db_));
}

std::string Atlas::Fold(std::string_view text) const {
  std::string folded;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t cp = DecodeUtf8(text, pos);
    if (cp < 0x80) {
      const char c = static_cast<char>(cp);
      if (DroppedAscii.find(c) != std::string_view::npos) continue;
      const bool blank = c == '-' || c == ' ' || (c >= '\t' && c <= '\r');
      folded += blank ? ' ' : (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    } else if (const auto it = fold_.find(cp); it != fold_.end()) {
      folded += it->second;
    } else {
      folded.append(text.substr(start, pos - start));
    }
  }
  std::string key;
  for (const char c : folded) {
    if (c == ' ' && (key.empty() || key.back() == ' ')) continue;
    key += c;
  }
  if (!key.empty() && key.back() == ' ') key.pop_back();
  return key;
}

std::vector<std::string> Atlas::MatchCountries(const std::string& key) const {
  Statement stmt(db_, "SELECT code FROM country_keys WHERE search_key = ?1");
  stmt.Bind(1, key);
  std::vector<std::string> codes;
  while (stmt.Step()) codes.push_back(stmt.Text(0));
  if (!stmt.Done()) Fail("country names");
  return codes;
}

std::vector<Atlas::StateRef> Atlas::MatchStates(const std::string& key) const {
  Statement stmt(db_, "SELECT country_code, admin1_code FROM admin1_keys WHERE search_key = ?1");
  stmt.Bind(1, key);
  std::vector<StateRef> states;
  while (stmt.Step()) states.push_back({stmt.Text(0), stmt.Text(1)});
  if (!stmt.Done()) Fail("state names");
  return states;
}

void Atlas::Collect(const std::string& key, bool prefix, const std::vector<std::string>& countries,
                    const std::vector<StateRef>& states, int limit,
                    std::vector<AtlasPlace>& places) const {
  const bool anywhere = countries.empty() && states.empty();
  Statement stmt(db_, prefix ? PrefixPlaces : ExactPlaces);
  stmt.Bind(1, key);
  if (prefix) stmt.Bind(2, PrefixEnd(key));
  while ((limit <= 0 || places.size() < static_cast<std::size_t>(limit)) && stmt.Step()) {
    const std::string countryCode = stmt.Text(4);
    const std::string admin1 = stmt.Text(5);
    const bool inCountry =
        std::find(countries.begin(), countries.end(), countryCode) != countries.end();
    const bool inState = std::any_of(states.begin(), states.end(), [&](const StateRef& s) {
      return s.country == countryCode && s.admin1 == admin1;
    });
    if (!anywhere && !inCountry && !inState) continue;
    places.push_back(AtlasPlace{stmt.Int(0), stmt.Text(1), stmt.Text(2), stmt.Text(3), countryCode,
                                stmt.Real(6), stmt.Real(7), stmt.Int(8), stmt.Text(9)});
  }
  if (stmt.Failed()) Fail("places");
}

std::vector<AtlasRegion> Atlas::Countries() const {
  Statement stmt(db_,
                 "SELECT c.code, c.name, count(*) FROM places p JOIN countries c ON c.code = p.country_code "
                 "GROUP BY c.code ORDER BY c.name");
  std::vector<AtlasRegion> regions;
  while (stmt.Step()) regions.push_back({stmt.Text(0), stmt.Text(1), stmt.Int(2)});
  if (stmt.Failed()) Fail("countries");
  return regions;
}

std::vector<AtlasRegion> Atlas::States(const std::string& countryCode) const {
  Statement stmt(db_,
                 "SELECT a.admin1_code, a.name, count(*) FROM places p JOIN admin1 a "
                 "ON a.country_code = p.country_code AND a.admin1_code = p.admin1_code "
                 "WHERE p.country_code = ?1 GROUP BY a.admin1_code ORDER BY a.name");
  stmt.Bind(1, countryCode);
  std::vector<AtlasRegion> regions;
  while (stmt.Step()) regions.push_back({stmt.Text(0), stmt.Text(1), stmt.Int(2)});
  if (stmt.Failed()) Fail("first-level divisions");
  return regions;
}

std::vector<AtlasPlace> Atlas::PlacesIn(const std::string& countryCode, const std::string& stateCode,
                                        int limit) const {
  Statement stmt(db_, std::string(PlaceColumns) +
                          "WHERE p.country_code = ?1 AND (?2 = '' OR p.admin1_code = ?2) "
                          "ORDER BY p.population DESC, p.id");
  stmt.Bind(1, countryCode);
  stmt.Bind(2, stateCode);
  std::vector<AtlasPlace> places;
  while ((limit <= 0 || places.size() < static_cast<std::size_t>(limit)) && stmt.Step()) {
    places.push_back(AtlasPlace{stmt.Int(0), stmt.Text(1), stmt.Text(2), stmt.Text(3), stmt.Text(4), stmt.Real(6),
                                stmt.Real(7), stmt.Int(8), stmt.Text(9)});
  }
  if (stmt.Failed()) Fail("places");
  return places;
}

std::optional<std::string> Atlas::CountryCode(std::string_view typed) const {
  const auto codes = MatchCountries(Fold(typed));
  if (codes.empty()) return std::nullopt;
  return codes.front();
}

std::optional<std::string> Atlas::StateCode(const std::string& countryCode, std::string_view typed) const {
  for (const StateRef& state : MatchStates(Fold(typed)))
    if (state.country == countryCode) return state.admin1;
  return std::nullopt;
}

AtlasLookup Atlas::Find(std::string_view text, int limit) const {
  AtlasLookup result;
  AtlasQuery query;
  const std::string key = ParseAtlasQuery(text, query) ? Fold(query.place) : std::string();
  if (key.empty()) {
    result.status = AtlasStatus::IllFormedName;
    return result;
  }
  std::vector<std::string> countries;
  std::vector<StateRef> states;
  if (!query.country.empty()) {
    countries = MatchCountries(Fold(query.country));
    if (countries.empty()) {
      result.status = AtlasStatus::CountryNotFound;
      return result;
    }
    for (const auto& state : MatchStates(Fold(query.state))) {
      if (std::find(countries.begin(), countries.end(), state.country) != countries.end()) {
        states.push_back(state);
      }
    }
    if (states.empty()) {
      result.status = AtlasStatus::StateNotFound;
      return result;
    }
    countries.clear();  // the state alone now decides
  } else if (!query.state.empty()) {
    const std::string qualifier = Fold(query.state);
    countries = MatchCountries(qualifier);
    states = MatchStates(qualifier);
    if (countries.empty() && states.empty()) {
      result.status = AtlasStatus::CountryNotFound;
      return result;
    }
  }
  Collect(key, false, countries, states, limit, result.places);
  if (result.places.empty()) Collect(key, true, countries, states, limit, result.places);
  result.status = result.places.empty() ? AtlasStatus::PlaceNotFound : AtlasStatus::Found;
  return result;
}

}  // namespace korvana
