#pragma once
// For code that changes process-wide settings for a while (a game of the gauntlet, the
// speed suite): it names each one it touches once, and every one is put back as it
// was, on every way out.

#include <tuple>

template <typename... Setting>
class SavedSettings {
 public:
  explicit SavedSettings(Setting&... settings) : places_(settings...), values_(settings...) {}
  ~SavedSettings() { places_ = values_; }
  SavedSettings(const SavedSettings&) = delete;
  SavedSettings& operator=(const SavedSettings&) = delete;

 private:
  std::tuple<Setting&...> places_;
  std::tuple<Setting...> values_;
};
