#include "base/settings_store.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "base/text_values.h"

namespace orvant {

namespace {

std::string_view TrimBlanks(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
  return s.substr(b, e - b);
}

}  // namespace

std::string SettingsFilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config && *config) return std::string(config) + "/ORVANT/settings.ini";
  std::string home;
  if (const char* h = std::getenv("HOME"); h && *h) {
    home = h;
  } else if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  return home + "/.config/ORVANT/settings.ini";
}

SettingsStore SettingsStore::Parse(std::string_view text) {
  SettingsStore store;
  std::map<std::string, std::string>* section = nullptr;  // null: keys ignored
  LineReader lines(text);
  std::string_view line;
  while (lines.Next(line)) {
    line = TrimBlanks(line);
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string_view name = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      auto [it, inserted] = store.sections.try_emplace(UpperAscii(TrimBlanks(name)));
      section = inserted ? &it->second : nullptr;  // a repeated section does not count
      continue;
    }
    size_t equals = line.find('=');
    if (!section || equals == std::string_view::npos) continue;
    std::string key = UpperAscii(TrimBlanks(line.substr(0, equals)));
    section->try_emplace(std::move(key), std::string(TrimBlanks(line.substr(equals + 1))));
  }
  return store;
}

SettingsStore SettingsStore::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return SettingsStore();
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Parse(text);
}

std::string SettingsStore::Get(std::string_view section, std::string_view key) const {
  auto s = sections.find(UpperAscii(section));
  if (s == sections.end()) return std::string();
  auto k = s->second.find(UpperAscii(key));
  return k == s->second.end() ? std::string() : k->second;
}

}  // namespace orvant
