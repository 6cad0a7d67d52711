// The image keys already in the library, loaded once per registration run, for
// the duplicate decision. A key matches as "file_name LIKE key" (every "%", "_"
// and "?" escaped) would match it: exactly, except that ASCII letters match
// without regard to case, compared in the UTF-8 the database holds.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>

namespace qm::db {
class DbConnection;
}

namespace qm::reg {

class KnownKeys {
public:
  // Every key with its favourite mark (a non-empty fave). The error text when
  // the query failed.
  std::optional<std::string> load(db::DbConnection& db);

  // Keys are program text.
  bool exists(const std::string& key) const;
  bool favourite(const std::string& key) const;
  // A key the run itself stored.
  void add(const std::string& key);
  std::size_t size() const { return keys_.size(); }

private:
  static std::string folded(std::string utf8);
  std::unordered_map<std::string, bool> keys_;  // folded UTF-8 key -> any match a favourite
};

// Whether a registration stores the image, as the duplicate decision has it.
bool shouldRegister(const KnownKeys& keys, const std::string& key, bool overwrite, bool keepFavourites);

}  // namespace qm::reg
