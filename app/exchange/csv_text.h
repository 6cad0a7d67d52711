// Comma-separated text as the library's CSV files hold it: fields separated by
// ",", records ending in CR LF, a field between double quotes when it holds a
// double quote, a line feed or a comma (its quotes doubled). Bytes are program
// text; no byte of the separators can be the trail byte of a double-byte
// character, so the scan needs no character boundaries.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qm::exchange {

// The value as a field: quoted only when it must be. A carriage return alone
// does not make a value quoted.
std::string csvField(std::string_view value);
// The fields of one record joined by ",", ending in CR LF.
std::string csvRecord(const std::vector<std::string>& fields);

// Where the reader's bytes come from.
class CsvInput {
public:
  virtual ~CsvInput() = default;
  // Up to `size` bytes into `buffer`; 0 at the end (or on a read error).
  virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

// Bytes held by the caller for the reader's lifetime.
class TextInput : public CsvInput {
public:
  explicit TextInput(std::string_view text) : text_(text) {}
  std::size_t read(char* buffer, std::size_t size) override;

private:
  std::string_view text_;
  std::size_t at_ = 0;
};

struct CsvRecordRead {
  enum class State { Record, End, BadQuote } state = State::End;
  std::vector<std::string> fields;
  long line = 0;              // the physical line the record starts on, from 1
  std::string firstLineText;  // that line's text (the start of it for a long one)
};

// Records of any length, a quoted field spanning lines (a CR LF or LF inside
// quotes is part of the value). A record ends at LF or CR LF; a CR before
// anything else is a byte of the value. Empty lines are passed over. After a
// closing quote, bytes up to the next "," belong to the same field.
class CsvReader {
public:
  explicit CsvReader(CsvInput& input) : input_(input) {}
  CsvRecordRead next();

private:
  int peek();
  int take();
  bool readField(std::string& field, bool& recordEnded);
  bool readQuoted(std::string& field);
  void readPlain(std::string& field, bool& recordEnded);
  bool lineEndsAfterCr();

  CsvInput& input_;
  std::vector<char> buffer_ = std::vector<char>(64 * 1024);
  std::size_t at_ = 0, size_ = 0;
  bool ended_ = false;
  long line_ = 1;
  std::string* lineText_ = nullptr;  // collects the record's first line
};

}  // namespace qm::exchange
