// A fresh folder for one test, removed with everything in it afterwards.
#pragma once

#include <string>

namespace qm::test {

class TempFolder {
public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Program text (Shift-JIS) with the platform's separators, no trailing one.
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const;

private:
  std::string path_;
};

}  // namespace qm::test
