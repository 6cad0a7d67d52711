// Saved query files: names, the statement on one line, round trips, and
// renames and deletions that never lose or reach outside a file.
#include <gtest/gtest.h>

#include <string>

#include "app/search/saved_queries.h"
#include "common/platform/files.h"
#include "common/platform/ini.h"
#include "common/text/encoding.h"
#include "tests/support/temp_folder.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qm::search::test {
namespace {

using text::sjis;

TEST(QueryNames, DeviceNamesAndReservedCharactersAreRefused) {
  for (const char* name : {"a", "ab c", "COM10", "LPT0", "CONX", "クエリ", "ソ表"}) EXPECT_TRUE(isValidQueryName(sjis(name))) << name;
  for (const char* name : {"", "CON", "con", "Aux", "clock$", "COM1", "lpt9", "NUL", "PRN", "config$", "a.b", "a\\b",
                           "a/b", "a<b", "a>b", "a:b", "a|b", "a?b", "a*b", "a\"b", "a\nb", "a\rb", "a\tb"})
    EXPECT_FALSE(isValidQueryName(name)) << name;
  EXPECT_TRUE(isValidQueryName("a.b", true));
  EXPECT_FALSE(isValidQueryName("a|b", true));
}

TEST(QueryNames, FilesWithTxtInTheirExtensionAreQueries) {
  const struct {
    const char* file;
    bool query;
    const char* name;
  } cases[] = {{"x.TXT", true, "x"},        {"x.txt", true, "x"},    {"a.b.txt", true, "a.b"},
               {"notes.txt.bak", false, ""}, {"x.mytxt2", true, "x"}, {"txt", false, ""}, {"0.bmp", false, ""}};
  for (const auto& c : cases) {
    EXPECT_EQ(isQueryFile(c.file), c.query) << c.file;
    if (c.query) {
      EXPECT_EQ(queryNameOf(c.file), c.name) << c.file;
    }
  }
}

TEST(QueryStatements, SeveralLinesBecomeOneWithoutLoss) {
  const struct {
    const char* typed;
    const char* stored;  // "(refused)" when it cannot be kept
  } cases[] = {
      {"SELECT *\r\nFROM list_view\nWHERE a=1", "SELECT * FROM list_view WHERE a=1"},
      {"SELECT * -- every item\nFROM list_view", "SELECT * FROM list_view"},
      {"SELECT * FROM list_view --tail", "SELECT * FROM list_view"},
      {"SELECT * FROM list_view WHERE title='a--b'", "SELECT * FROM list_view WHERE title='a--b'"},
      {"SELECT * FROM list_view /* x\ny */ WHERE 1", "SELECT * FROM list_view /* x y */ WHERE 1"},
      {"SELECT * FROM list_view WHERE title='a\nb'", "(refused)"},
      {"SELECT \"a\nb\" FROM list_view", "(refused)"},
      {"SELECT * FROM list_view WHERE title='ソ--'\n", "SELECT * FROM list_view WHERE title='ソ--'"},
  };
  for (const auto& c : cases) {
    const auto stored = storedStatement(sjis(c.typed));
    EXPECT_EQ(stored ? *stored : std::string("(refused)"), sjis(c.stored)) << c.typed;
  }
  EXPECT_TRUE(storedStatement(std::string(kQueryStatementLimit, 'a')));
  EXPECT_FALSE(storedStatement(std::string(kQueryStatementLimit + 1, 'a')));
}

class QueryFilesTest : public ::testing::Test {
protected:
  std::string root() const { return folder.path(); }
  QuerySaveResult save(const std::string& name, const std::string& sql, const std::string& oldPath = {},
                       const std::string& icon = {}) {
    return saveQuery({root(), oldPath, name, sql, icon});
  }
  qm::test::TempFolder folder;
};

TEST_F(QueryFilesTest, SavedQueriesReadBackAsWritten) {
  const std::string sql = sjis("SELECT * FROM list_view WHERE title LIKE '%ソ表%' ORDER BY rating DESC;");
  const QuerySaveResult saved = save(sjis("評価順"), sql, {}, "C:\\icons\\a.bmp");
  ASSERT_EQ(saved.result, QuerySave::Saved);
  EXPECT_TRUE(saved.changed);
  EXPECT_EQ(saved.path, platform::joinPath(root(), sjis("評価順.txt")));
  const SavedQuery read = readQuery(saved.path);
  EXPECT_EQ(read.sql, sql);
  EXPECT_EQ(read.icon, "C:\\icons\\a.bmp");
  // Same name, same icon: the tree need not change.
  EXPECT_FALSE(save(sjis("評価順"), "SELECT 1", saved.path, "C:\\icons\\a.bmp").changed);
  EXPECT_EQ(readQuery(saved.path).sql, "SELECT 1");
  EXPECT_TRUE(save(sjis("評価順"), "SELECT 1", saved.path, "").changed);
}

TEST_F(QueryFilesTest, NamesAreCheckedAndNeverOverwriteAnotherQuery) {
  EXPECT_EQ(save("", "SELECT 1").result, QuerySave::NameEmpty);
  EXPECT_EQ(save("CON", "SELECT 1").result, QuerySave::NameInvalid);
  EXPECT_EQ(save("a.b", "SELECT 1").result, QuerySave::NameInvalid);
  const std::string a = save("a", "SELECT 'a'").path;
  const std::string b = save("b", "SELECT 'b'").path;
  EXPECT_EQ(save("a", "SELECT 'new'").result, QuerySave::NameTaken);
  EXPECT_EQ(save("a", "SELECT 'b2'", b).result, QuerySave::NameTaken);
  EXPECT_EQ(readQuery(a).sql, "SELECT 'a'");
  EXPECT_EQ(readQuery(b).sql, "SELECT 'b'");
  EXPECT_EQ(querySaveMessage(QuerySave::NameTaken), sjis("クエリ名は既に作成されています\n別のクエリ名を指定して下さい。"));
  EXPECT_EQ(save("x", "SELECT 'a\nb'").result, QuerySave::StatementNotKept);
  EXPECT_FALSE(platform::fileExists(platform::joinPath(root(), "x.txt")));
}

TEST_F(QueryFilesTest, ARenameWritesTheNewFileAndThenRemovesTheOld) {
  const std::string old = save("old", "SELECT 'x'").path;
  const QuerySaveResult renamed = save("new", "SELECT 'y'", old);
  ASSERT_EQ(renamed.result, QuerySave::Saved);
  EXPECT_TRUE(renamed.changed);
  EXPECT_FALSE(platform::fileExists(old));
  EXPECT_EQ(readQuery(renamed.path).sql, "SELECT 'y'");
}

TEST_F(QueryFilesTest, AStatementLongerThanTheLimitReadsAsAbsent) {
  const std::string path = platform::joinPath(root(), "long.txt");
  ASSERT_TRUE(platform::IniFile(path).writeString("query", "sql", "SELECT '" + std::string(kQueryStatementLimit, 'a') + "'"));
  EXPECT_EQ(readQuery(path).sql, "");
  ASSERT_TRUE(platform::IniFile(path).writeString("query", "sql", std::string(kQueryStatementLimit, 'a')));
  EXPECT_EQ(readQuery(path).sql.size(), kQueryStatementLimit);
}

TEST_F(QueryFilesTest, TheTreeListsFoldersQueriesAndTheirIcons) {
  ASSERT_EQ(createQueryFolder(root(), sjis("機種別")), FolderCreate::Created);
  const std::string sub = platform::joinPath(root(), sjis("機種別"));
  platform::IniFile(platform::joinPath(sub, "0.bmp")).writeString("x", "y", "z");
  saveQuery({sub, {}, "q1", "SELECT 1", platform::joinPath(root(), "missing.bmp")});
  save("top", "SELECT 2", {}, platform::joinPath(sub, "0.bmp"));
  platform::IniFile(platform::joinPath(root(), "notes.txt.bak")).writeString("query", "sql", "x");
  const std::vector<QueryNode> tree = readQueryTree(root());
  ASSERT_EQ(tree.size(), 2u);
  const QueryNode& folderNode = tree[0].folder ? tree[0] : tree[1];
  const QueryNode& top = tree[0].folder ? tree[1] : tree[0];
  EXPECT_EQ(folderNode.name, sjis("機種別"));
  EXPECT_EQ(folderNode.icon, platform::joinPath(sub, "0.bmp"));
  ASSERT_EQ(folderNode.children.size(), 1u);
  EXPECT_EQ(folderNode.children[0].name, "q1");
  EXPECT_EQ(folderNode.children[0].icon, "");  // the standard icon for a missing file
  EXPECT_EQ(top.name, "top");
  EXPECT_EQ(top.icon, platform::joinPath(sub, "0.bmp"));
  EXPECT_EQ(queryItemPath(root(), {sjis("機種別"), "q1"}, true), platform::joinPath(sub, "q1.txt"));
}

TEST_F(QueryFilesTest, NewFoldersAreCheckedForNameAndLength) {
  EXPECT_EQ(createQueryFolder(root(), ""), FolderCreate::NameEmpty);
  EXPECT_EQ(createQueryFolder(root(), "a:b"), FolderCreate::NameInvalid);
  EXPECT_EQ(createQueryFolder(root(), std::string(260, 'a')), FolderCreate::TooLong);
  EXPECT_EQ(createQueryFolder(root(), "f"), FolderCreate::Created);
  EXPECT_EQ(createQueryFolder(root(), "f"), FolderCreate::Failed);
}

TEST_F(QueryFilesTest, DeleteActsOnlyUnderTheRoot) {
  const std::string queries = platform::joinPath(root(), "query");
  const std::string outside = platform::joinPath(root(), "keep.txt");
  ASSERT_TRUE(platform::createFolder(queries));
  platform::IniFile(outside).writeString("query", "sql", "x");
  ASSERT_EQ(createQueryFolder(queries, "f"), FolderCreate::Created);
  const std::string f = platform::joinPath(queries, "f");
  ASSERT_EQ(createQueryFolder(f, "g"), FolderCreate::Created);
  saveQuery({platform::joinPath(f, "g"), {}, "deep", "SELECT 1", {}});
  const std::string q = saveQuery({queries, {}, "q", "SELECT 1", {}}).path;

  EXPECT_FALSE(deleteQueryItem(queries, queries));
  EXPECT_FALSE(deleteQueryItem(queries, outside));
  EXPECT_FALSE(deleteQueryItem(queries, platform::joinPath(queries, "..") + platform::kPathSeparator + "keep.txt"));
  EXPECT_FALSE(deleteQueryItem(queries, queries + "x"));
  EXPECT_TRUE(platform::fileExists(outside));
  EXPECT_TRUE(deleteQueryItem(queries, q));
  EXPECT_FALSE(platform::fileExists(q));
#ifndef _WIN32
  // A link inside goes as a link: what it points to stays.
  ASSERT_EQ(::symlink(text::sjisToUtf8(root()).c_str(), text::sjisToUtf8(platform::joinPath(f, "link")).c_str()), 0);
#endif
  EXPECT_TRUE(deleteQueryItem(queries, f));
  EXPECT_FALSE(platform::fileExists(f));
  EXPECT_TRUE(platform::fileExists(outside));
  EXPECT_TRUE(platform::folderExists(queries));
}

}  // namespace
}  // namespace qm::search::test

namespace qm::search::test {
namespace {

TEST(QueryWizard, WritesTheStatementOfItsChoices) {
  EXPECT_EQ(wizardStatement(1, false, "ab", 3, true), "SELECT * FROM list_view WHERE title LIKE '%ab%' ORDER BY rating DESC;");
  EXPECT_EQ(wizardStatement(0, true, "O'X", 2, false),
            "SELECT * FROM list_view WHERE machine_name = 'O''X' ORDER BY machine_name;");
  EXPECT_EQ(wizardStatement(10, true, "50", 17, false), "SELECT * FROM list_view WHERE rating = '50' ORDER BY kana;");
  const auto notes = columnNotes();
  ASSERT_EQ(notes.size(), 25u);
  EXPECT_EQ(notes[0].field, "machine_name");
  EXPECT_EQ(notes[8].meaning, text::sjis("R指定 ( 0=なし / 1=あり ) "));
  EXPECT_EQ(notes[24].field, "fave");
}

}  // namespace
}  // namespace qm::search::test
