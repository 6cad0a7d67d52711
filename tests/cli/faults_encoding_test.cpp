// Text files saved by editors of other systems, handed to the commands that
// read them: UTF-8 with and without a byte-order mark and UTF-16 are read as
// their Shift-JIS form, or refused with the library unchanged; never used as
// mojibake.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/text/encoding.h"
#include "common/text/input_encoding.h"
#include "tests/cli/library_cli.h"

namespace {

using qm::test::CliRun;
using qm::text::utf8ToSjis;

std::string utf16(const std::string& utf8, bool bigEndian, bool bom) {
  std::u16string units = bom ? u"\xFEFF" : u"";
  for (std::size_t at = 0; at < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[at]);
    const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;  // no code beyond U+FFFF here
    char32_t cp = length == 1 ? c : length == 2 ? c & 0x1F : c & 0x0F;
    for (int i = 1; i < length; ++i) cp = cp << 6 | (static_cast<unsigned char>(utf8[at + i]) & 0x3F);
    units += static_cast<char16_t>(cp);
    at += length;
  }
  std::string out;
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return out;
}

// The forms an editor saves the same text in, named for the failure messages.
struct Saved {
  const char* name;
  std::string bytes;
  const char* found;  // the encoding as the notice names it
};
std::vector<Saved> savedForms(const std::string& utf8) {
  return {{"UTF-8", utf8, "UTF-8"},
          {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8, "UTF-8（BOM付き）"},
          {"UTF-16LE with BOM", utf16(utf8, false, true), "UTF-16（リトルエンディアン）"},
          {"UTF-16BE without BOM", utf16(utf8, true, false), "UTF-16（ビッグエンディアン）"}};
}

// Texts that are refused: a character code page 932 lacks ("〜" U+301C), and a
// short UTF-8 text that reads as ordinary Shift-JIS too ("あい" as "縺ゅ＞").
struct Refused {
  std::string bytes;
  const char* message;
};

class EncodingFaultsTest : public qm::test::LibraryCliTest {
protected:
  EncodingFaultsTest() {
    sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title,crc32) VALUES"
        "('k1','a','rom','ファミコン','旧','0000000A'),('k2','b','rom','ファミコン','旧2','0000000B');");
  }
  std::string rows() { return query("SELECT file_name, machine_name, title FROM main_table ORDER BY file_name;"); }
  void restore() { sql("UPDATE main_table SET machine_name='ファミコン', title=CASE file_name WHEN 'k1' THEN '旧' ELSE '旧2' END;"); }
  std::string put(const std::string& name, const std::string& bytes) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
    return "'" + folder + "/" + name + "'";
  }
};

const std::string kCsv = "k1,ファミコン,,スタークエスト\r\nk2,ファミコン,,表示ソフト①ｱ\r\n";

TEST_F(EncodingFaultsTest, CsvImportReadsEachFormAsItsShiftJisForm) {
  const CliRun plain = cli("import-csv --no-header " + put("sjis.csv", utf8ToSjis(kCsv)));
  ASSERT_EQ(plain.exitCode, 0) << plain.output;
  const std::string expected = rows();
  ASSERT_EQ(expected, "k1|ファミコン|スタークエスト\nk2|ファミコン|表示ソフト①ｱ\n");
  for (const Saved& form : savedForms(kCsv)) {
    restore();
    const CliRun run = cli("import-csv --no-header " + put("in.csv", form.bytes));
    EXPECT_EQ(run.exitCode, 0) << form.name << "\n" << run.output;
    EXPECT_EQ(rows(), expected) << form.name;
    EXPECT_NE(run.output.find(folder + "/in.csv は " + form.found + " です。シフトJIS に変換して読み込みます。\n"),
              std::string::npos)
        << form.name << "\n" << run.output;
  }
}

TEST_F(EncodingFaultsTest, CsvImportRefusesWhatItCannotReadWhole) {
  const std::string before = rows();
  const Refused cases[] = {
      {"k1,ファミコン,,スター〜クエスト\r\n", " は UTF-8 で、シフトJIS にない文字が 1 文字あります。\n"},
      {utf16("k1,ファミコン,,〜〜\r\n", false, true), " は UTF-16（リトルエンディアン） で、シフトJIS にない文字が 2 文字あります。\n"},
      {"k1,,,\xE3\x81\x82\xE3\x81\x84\r\n", " の文字コードを判別できません。\n"},
      {std::string("k1,,,a\0b\r\n\0", 11), " の文字コードを判別できません。\n"},
  };
  for (const Refused& c : cases) {
    const CliRun run = cli("import-csv --no-header --yes " + put("in.csv", c.bytes));
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find(folder + "/in.csv" + c.message), std::string::npos) << run.output;
    EXPECT_EQ(rows(), before);
  }
}

TEST_F(EncodingFaultsTest, RenameListIsHandedOverAsShiftJis) {
  const std::string list = "[a]\nCRC32=0000000a\nTitle=スタークエスト\n[b]\nCRC32=0000000b\nTitle=表示ソフト\n";
  for (const Saved& form : savedForms(list)) {
    restore();
    const CliRun run = cli("rename-data --machine ファミコン --plugin plugin/keylist.nya --yes --items Title --list " +
                           put("list.txt", form.bytes));
    EXPECT_EQ(run.exitCode, 0) << form.name << "\n" << run.output;
    EXPECT_EQ(rows(), "k1|ファミコン|スタークエスト\nk2|ファミコン|表示ソフト\n") << form.name << "\n" << run.output;
    EXPECT_NE(run.output.find(std::string(" は ") + form.found + " です。"), std::string::npos) << run.output;
  }
  restore();
  const std::string before = rows();
  const CliRun refused = cli("rename-data --machine ファミコン --plugin plugin/keylist.nya --yes --items Title --list " +
                             put("list.txt", "[a]\nCRC32=0000000a\nTitle=スター〜クエスト\n"));
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_NE(refused.output.find("/list.txt は UTF-8 で、シフトJIS にない文字が 1 文字あります。"), std::string::npos)
      << refused.output;
  EXPECT_EQ(rows(), before);
}

TEST_F(EncodingFaultsTest, SavedQueryIsReadAsShiftJis) {
  const std::string file = "[query]\r\nsql=SELECT * FROM list_view WHERE title='ポスト'\r\nicon=\r\n";
  const std::string listed = "q\tSELECT * FROM list_view WHERE title='ポスト'\n";
  put("q.txt", utf8ToSjis(file));
  ASSERT_EQ(qm::test::runQuillmoorCli("queries --folder '" + folder + "'").output, listed);
  for (const Saved& form : savedForms(file)) {
    put("q.txt", form.bytes);
    const CliRun run = qm::test::runQuillmoorCli("queries --folder '" + folder + "'");
    EXPECT_EQ(run.exitCode, 0) << form.name;
    EXPECT_EQ(run.output, listed) << form.name;
  }
  // A short word of katakana reads as Shift-JIS too ("繧ｹ繧ｿ繝ｼ"): refused as undecided.
  put("q.txt", "[query]\r\nsql=SELECT * FROM list_view WHERE title='スター'\r\n");
  EXPECT_EQ(qm::test::runQuillmoorCli("queries --folder '" + folder + "'").output,
            "q\t\nerror: " + folder + "/q.txt の文字コードを判別できません。\nシフトJIS で保存し直してください。\n");
  put("q.txt", "[query]\r\nsql=SELECT * FROM list_view WHERE title='〜'\r\n");
  const CliRun refused = qm::test::runQuillmoorCli("queries --folder '" + folder + "'");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(refused.output, "q\t\nerror: " + folder + "/q.txt は UTF-8 で、シフトJIS にない文字が 1 文字あります。\n"
                            "読み込みを中止します。シフトJIS で保存し直してください。\n");
}

// An emulator setting saved by an editor in UTF-8 would name programs and
// folders that do not exist: the launch is refused with the reason.
TEST_F(EncodingFaultsTest, LaunchRefusesASettingSavedInAnotherEncoding) {
  sql("INSERT INTO main_table(file_name,file_title,file_ext,machine_name,title) VALUES ('r','r','rom','MSX','R');"
      "INSERT INTO use_emuset_table VALUES ('r', 'own');");
  std::filesystem::create_directories(folder + "/emuconf/MSX");
  const std::string setting = "[Emulator]\r\nExec=エミュ/emu.sh\r\n";
  put("emuconf/MSX/own.ini", utf8ToSjis(setting));
  const CliRun plain = cli("launch-command r");
  EXPECT_EQ(plain.exitCode, 0) << plain.output;
  EXPECT_NE(plain.output.find("エミュ/emu.sh"), std::string::npos) << plain.output;
  for (const Saved& form : savedForms(setting)) {
    put("emuconf/MSX/own.ini", form.bytes);
    const CliRun run = cli("launch-command r");
    EXPECT_EQ(run.exitCode, 1) << form.name;
    EXPECT_NE(run.output.find("/emuconf/MSX/own.ini は " + std::string(form.found) + " で保存されています。\n"
                              "設定を正しく読めません。シフトJIS で保存し直してください。\n起動を中止します。"),
              std::string::npos)
        << form.name << "\n" << run.output;
  }
}

}  // namespace
