// Exact file bytes for assertions, bypassing the code under test.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm::test {

void writeBytes(const std::string& path, std::string_view bytes);
// Nothing when the file cannot be opened.
std::optional<std::string> readBytes(const std::string& path);

}  // namespace qm::test
