// DAT files written by the tests in both formats, from games described in
// UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm::test {

struct TestRom {
  std::string name;
  std::uint64_t size = 0;
  std::uint32_t crc = 0;
  std::string status;  // written when not empty
};

struct TestGame {
  std::string name;
  std::string description;  // written when not empty
  std::string year;
  std::string maker;  // as manufacturer
  std::vector<TestRom> roms;
};

enum class DatFormat { Xml, Cmpro };

// UTF-8 text of a DAT named `datName`.
std::string datText(const std::vector<TestGame>& games, DatFormat format, const std::string& datName = "Test");

// The CRC as a DAT writes it: 8 lower-case hexadecimal digits.
std::string crcText(std::uint32_t crc);

}  // namespace qm::test
