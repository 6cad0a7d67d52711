// Whole-file reads and writes and folder listings for tests. Paths and names
// are program text (Shift-JIS), as the code under test takes them.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace qm::test {

// Nothing when the file cannot be read.
std::optional<std::string> readFile(const std::string& path);
bool writeFile(const std::string& path, const std::string& bytes);
// Compares file contents without printing them: sizes and the first differing
// offset on failure.
::testing::AssertionResult sameBytes(const std::optional<std::string>& actual,
                                     const std::optional<std::string>& expected);

// Names of the entries of a folder, sorted.
std::vector<std::string> listFolder(const std::string& folder);

}  // namespace qm::test
