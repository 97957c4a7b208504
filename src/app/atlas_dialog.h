// "Select Place from Atlas": the atlas's countries, a country's states, and the places of
// the country or state most populous first; choosing a place shows its coordinates, the
// zone in force at the chart's date and time ("Not found" when the zone cannot be
// resolved) and the changes of its clock. "&Select" returns the place.
#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "core/charts/atlas.h"
#include "core/config/program_settings.h"
#include "core/time/date_time_rec.h"
#include "core/util/messages.h"

class QComboBox;
class QLabel;
class QListWidget;
class QTreeWidget;

namespace korvana::app {

class AtlasDialog : public QDialog {
  Q_OBJECT
 public:
  // Starts on the typed country (Australian state abbreviations: Australia) and selects
  // the typed place when the list holds it. `moment` is the chart's local date and time,
  // when it parses.
  AtlasDialog(const Atlas& atlas, const std::string& place, const std::string& country,
              std::optional<DateTimeRec> moment, const ProgramSettings& settings, Messages& messages,
              QWidget* parent = nullptr);

  // The place chosen with "&Select".
  const std::optional<AtlasPlace>& Chosen() const { return chosen_; }
  // Browsing, as the lists do: a country by its code, a state by its code ("" for all).
  bool ChooseCountry(const std::string& code);
  void ChooseState(const std::string& code);
  bool ChoosePlace(const std::string& name);
  const std::vector<AtlasPlace>& Places() const { return places_; }

  void accept() override;

 private:
  void ShowPlace();
  template <typename F>
  bool Guarded(F&& read);

  // How many places a list shows at most: the most populous of a large country.
  static constexpr int PlaceLimit = 3000;

  const Atlas& atlas_;
  std::optional<DateTimeRec> moment_;
  const ProgramSettings& settings_;
  Messages& messages_;
  std::vector<AtlasRegion> countries_, states_;
  std::vector<AtlasPlace> places_;
  std::optional<AtlasPlace> chosen_;
  QListWidget* countryList_ = nullptr;
  QComboBox* stateList_ = nullptr;
  QListWidget* placeList_ = nullptr;
  QLabel* details_ = nullptr;
  QTreeWidget* changes_ = nullptr;
};

}  // namespace korvana::app
