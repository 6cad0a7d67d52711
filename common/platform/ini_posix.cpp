#include <string>

#include "common/platform/atomic_file.h"
#include "common/platform/ini.h"
#include "common/platform/ini_access.h"
#include "common/platform/native_file.h"

namespace qm::platform {

namespace {

ini::Document load(const std::string& path) {
  const auto bytes = native::readFileOrEmpty(path);
  return ini::parse(bytes ? *bytes : std::string());
}

// Applies `edit` to the file's document and writes it back if it changed.
template <typename Edit>
bool update(const std::string& path, Edit edit) {
  const auto bytes = native::readFileOrEmpty(path);
  if (!bytes) return false;
  ini::Document doc = ini::parse(*bytes);
  return !edit(doc) || writeFileAtomically(path, ini::serialize(doc));
}

}  // namespace

std::optional<std::string> IniFile::find(std::string_view section, std::string_view key) const {
  return ini::value(load(path_), section, key);
}

std::string IniFile::getString(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
  return find(section, key).value_or(std::string(fallback));
}

int IniFile::getInt(std::string_view section, std::string_view key, int fallback) const {
  const auto text = find(section, key);
  return text && !text->empty() ? ini::toProfileInt(*text) : fallback;
}

std::vector<std::string> IniFile::keys(std::string_view section) const {
  return ini::keyNames(load(path_), section);
}

std::vector<std::string> IniFile::sections() const {
  return ini::sectionNames(load(path_));
}

bool IniFile::writeString(std::string_view section, std::string_view key,
                          std::string_view value) const {
  if (value.size() > kMaxIniValueBytes) return false;
  return update(path_, [&](ini::Document& doc) { return ini::setValue(doc, section, key, value); });
}

bool IniFile::writeInt(std::string_view section, std::string_view key, int value) const {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::deleteKey(std::string_view section, std::string_view key) const {
  return update(path_, [&](ini::Document& doc) { return ini::removeEntry(doc, section, key); });
}

bool IniFile::deleteSection(std::string_view section) const {
  return update(path_, [&](ini::Document& doc) { return ini::removeSection(doc, section); });
}

}  // namespace qm::platform
