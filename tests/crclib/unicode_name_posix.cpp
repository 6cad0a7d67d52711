#include <gtest/gtest.h>

#include <cstdio>

#include "common/text/encoding.h"
#include "tests/crclib/registration_fixture.h"

namespace qm::reg::test {

void RegistrationTest::putUnicode(const std::string& folderPath, const std::string& utf8Name,
                                  const std::string& bytes) {
  const std::string path = text::sjisToUtf8(folderPath) + "/" + utf8Name;
  std::FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(file) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

}  // namespace qm::reg::test
