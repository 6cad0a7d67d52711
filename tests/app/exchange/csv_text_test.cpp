#include "app/exchange/csv_text.h"

#include <gtest/gtest.h>

#include <random>

#include "common/text/encoding.h"

namespace {

using qm::exchange::CsvReader;
using qm::exchange::CsvRecordRead;
using qm::exchange::TextInput;
using qm::text::sjis;

// Every record of `text` as "line:field|field", and "BAD line:first line" for
// a broken quote.
std::vector<std::string> records(const std::string& text) {
  TextInput input(text);
  CsvReader reader(input);
  std::vector<std::string> out;
  for (;;) {
    const CsvRecordRead record = reader.next();
    if (record.state == CsvRecordRead::State::End) return out;
    if (record.state == CsvRecordRead::State::BadQuote) {
      out.push_back("BAD " + std::to_string(record.line) + ":" + record.firstLineText);
      return out;
    }
    std::string line = std::to_string(record.line) + ":";
    for (std::size_t i = 0; i < record.fields.size(); ++i) line += (i ? "|" : "") + record.fields[i];
    out.push_back(line);
  }
}

using Strings = std::vector<std::string>;

TEST(CsvField, QuotesOnlyWhatMustBeQuoted) {
  const std::pair<std::string, std::string> cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"crlf\r\ninside", "\"crlf\r\ninside\""},
      {"lone\rcr", "lone\rcr"},
      {sjis("表ソ能"), sjis("表ソ能")},  // trail bytes 0x5C and 0x5C, 0x5C
  };
  for (const auto& [value, field] : cases) EXPECT_EQ(qm::exchange::csvField(value), field) << value;
  EXPECT_EQ(qm::exchange::csvRecord({"a", "b,c", ""}), "a,\"b,c\",\r\n");
}

TEST(CsvReader, RecordsFieldsAndLineNumbers) {
  const std::pair<std::string, Strings> cases[] = {
      {"a,b,c\r\n", {"1:a|b|c"}},
      {"a,b,c", {"1:a|b|c"}},
      {"a,\r\n", {"1:a|"}},
      {"\"a,b\",\"say \"\"hi\"\"\"\r\n", {"1:a,b|say \"hi\""}},
      {"\"one\r\ntwo\",x\r\nnext\r\n", {"1:one\r\ntwo|x", "3:next"}},
      {"\r\n\r\na\r\n\r\n\nb", {"3:a", "6:b"}},
      {"a,b\nc\n", {"1:a|b", "2:c"}},
      {"a\rb,c\r\r\n", {"1:a\rb|c\r"}},
      {"\rx\r\n", {"1:\rx"}},
      {"\"ab\"c,d\r\n", {"1:abc|d"}},
      {"ab\"c,d\r\n", {"1:ab\"c|d"}},
      {"\"\",\"\"\r\n", {"1:|"}},
      {"a,\"open\r\nmore", {"BAD 1:a,\"open"}},
      {"ok\r\n\"x\"\"\r\n", {"1:ok", "BAD 2:\"x\"\""}},
      {sjis("表,\"ソ\"\"能\"\r\n"), {"1:" + sjis("表|ソ\"能")}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(records(text), expected) << text;
}

// Fields far longer than the reader's buffer, with the line ends of a quoted
// value falling on and across its edges.
TEST(CsvReader, FieldsOfAnyLengthAcrossBufferEdges) {
  for (const std::size_t length : {10000u, 65535u, 65536u, 65537u, 200000u}) {
    std::string big(length, 'x');
    big[length - 1] = '\r';
    const std::string quoted = "k,\"" + std::string(length - 2, 'y') + "\r\n\"\r\n";
    const Strings plain = records("k," + big + "\r\nz\r\n");
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[0], "1:k|" + big);
    EXPECT_EQ(plain[1], "2:z");
    const Strings split = records(quoted + "z\r\n");
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0], "1:k|" + std::string(length - 2, 'y') + "\r\n");
    EXPECT_EQ(split[1], "3:z");
  }
}

// Whatever the values, a record written is read back as the same fields.
TEST(CsvReader, ReadsBackEveryWrittenRecord) {
  const std::string pieces[] = {"a", ",", "\"", "\r", "\n", "\r\n", " ", sjis("表"), sjis("ソ"), "x\"y"};
  std::mt19937 random(14);
  std::string file;
  std::vector<std::vector<std::string>> written;
  for (int r = 0; r < 500; ++r) {
    std::vector<std::string> fields(1 + random() % 24);
    for (auto& field : fields)
      for (int n = random() % 6; n > 0; --n) field += pieces[random() % std::size(pieces)];
    // A record of one empty field is an empty line, which holds no record.
    if (fields.size() == 1 && fields[0].empty()) fields[0].push_back('k');
    file += qm::exchange::csvRecord(fields);
    written.push_back(fields);
  }
  TextInput input(file);
  CsvReader reader(input);
  for (const auto& fields : written) {
    const CsvRecordRead record = reader.next();
    ASSERT_EQ(record.state, CsvRecordRead::State::Record);
    EXPECT_EQ(record.fields, fields);
  }
  EXPECT_EQ(reader.next().state, CsvRecordRead::State::End);
}

}  // namespace
