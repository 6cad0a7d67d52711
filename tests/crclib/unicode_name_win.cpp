#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/crclib/registration_fixture.h"

namespace qm::reg::test {
namespace {

std::wstring wide(const std::string& text, UINT codePage) {
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

void RegistrationTest::putUnicode(const std::string& folderPath, const std::string& utf8Name,
                                  const std::string& bytes) {
  const std::wstring path = wide(folderPath, CP_ACP) + L"\\" + wide(utf8Name, CP_UTF8);
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  ASSERT_TRUE(file);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

}  // namespace qm::reg::test
