#pragma once
// The settings store: where the user's settings file is, and its INI text
// read into sections and keys ([Setup] Files1, the [Drives] letters).
#include <map>
#include <string>
#include <string_view>

namespace orvant {

// Path of the settings file: $XDG_CONFIG_HOME/ORVANT/settings.ini, or
// $HOME/.config/ORVANT/settings.ini when XDG_CONFIG_HOME is unset or empty.
std::string SettingsFilePath();

// The INI settings store. Section and key names match without regard to
// letter case; the first section and first key of a name count.
struct SettingsStore {
  // section (upper-cased) -> key (upper-cased) -> value
  std::map<std::string, std::map<std::string, std::string>> sections;

  static SettingsStore Parse(std::string_view text);
  static SettingsStore Load(const std::string& path);  // missing file: empty
  std::string Get(std::string_view section, std::string_view key) const;  // missing: ""
};

}  // namespace orvant
