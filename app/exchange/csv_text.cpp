#include "app/exchange/csv_text.h"

#include <algorithm>
#include <cstring>

namespace qm::exchange {
namespace {

constexpr int kEnd = -1;
// The record's first line as messages show it.
constexpr std::size_t kLineTextLimit = 1024;

}  // namespace

std::string csvField(std::string_view value) {
  if (value.find_first_of("\"\n,") == std::string_view::npos) return std::string(value);
  std::string out = "\"";
  for (char c : value) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + '"';
}

std::string csvRecord(const std::vector<std::string>& fields) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) out += ',';
    out += csvField(fields[i]);
  }
  return out + "\r\n";
}

std::size_t TextInput::read(char* buffer, std::size_t size) {
  const std::size_t n = std::min(size, text_.size() - at_);
  std::memcpy(buffer, text_.data() + at_, n);
  at_ += n;
  return n;
}

int CsvReader::peek() {
  if (at_ == size_) {
    if (ended_) return kEnd;
    size_ = input_.read(buffer_.data(), buffer_.size());
    at_ = 0;
    if (size_ == 0) {
      ended_ = true;
      return kEnd;
    }
  }
  return static_cast<unsigned char>(buffer_[at_]);
}

int CsvReader::take() {
  const int c = peek();
  if (c == kEnd) return c;
  ++at_;
  if (lineText_) {
    if (c == '\n')
      lineText_ = nullptr;
    else if (lineText_->size() < kLineTextLimit)
      *lineText_ += static_cast<char>(c);
  }
  if (c == '\n') ++line_;
  return c;
}

// After a CR: true (and the LF taken) when it ended the line.
bool CsvReader::lineEndsAfterCr() {
  if (peek() != '\n') return false;
  take();
  return true;
}

bool CsvReader::readQuoted(std::string& field) {
  take();  // the opening quote
  for (;;) {
    const int c = take();
    if (c == kEnd) return false;
    if (c != '"') {
      field += static_cast<char>(c);
      continue;
    }
    if (peek() != '"') return true;
    field += static_cast<char>(take());
  }
}

void CsvReader::readPlain(std::string& field, bool& recordEnded) {
  for (;;) {
    const int c = peek();
    if (c == kEnd) {
      recordEnded = true;
      return;
    }
    if (c == ',') {
      take();
      return;
    }
    take();
    if (c == '\n' || (c == '\r' && lineEndsAfterCr())) {
      recordEnded = true;
      return;
    }
    field += static_cast<char>(c);
  }
}

bool CsvReader::readField(std::string& field, bool& recordEnded) {
  if (field.empty() && peek() == '"' && !readQuoted(field)) return false;
  readPlain(field, recordEnded);
  return true;
}

CsvRecordRead CsvReader::next() {
  CsvRecordRead out;
  // Empty lines hold no record; a CR not followed by LF starts one.
  std::string carried;
  for (;;) {
    out.line = line_;
    const int c = peek();
    if (c == kEnd) return out;
    if (c != '\n' && c != '\r') break;
    take();
    if (c == '\n' || lineEndsAfterCr()) continue;
    carried.push_back('\r');
    break;
  }
  out.firstLineText = carried;
  lineText_ = &out.firstLineText;
  bool recordEnded = false;
  while (!recordEnded) {
    std::string field = std::move(carried);
    carried.clear();
    if (!readField(field, recordEnded)) {
      out.state = CsvRecordRead::State::BadQuote;
      break;
    }
    out.fields.push_back(std::move(field));
  }
  lineText_ = nullptr;
  if (!out.firstLineText.empty() && out.firstLineText.back() == '\r') out.firstLineText.pop_back();
  if (out.state == CsvRecordRead::State::BadQuote) out.fields.clear();
  else out.state = CsvRecordRead::State::Record;
  return out;
}

}  // namespace qm::exchange
