// Quillmoor2.exe. For now the program makes its library database ready and
// says what it holds; the main window comes next.
#include <windows.h>

#include <clocale>
#include <string>

#include "app/shell/database_startup.h"
#include "common/db/db_connection.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace {

std::string libraryFigures(const std::string& dbPath) {
  qm::db::DbConnection db;
  db.open(dbPath);
  const std::pair<const char*, const char*> figures[] = {
      {"スキーマのバージョン", "SELECT ver FROM qlm_table ;"},
      {"タイトル", "SELECT count(*) FROM main_table WHERE ply<2;"},
      {"機種", "SELECT count(*) FROM machine_info_table;"},
      {"メディア", "SELECT count(*) FROM media_info_table;"},
      {"ジャンル", "SELECT count(*) FROM genre_info_table;"},
      {"拡張R指定", "SELECT count(*) FROM adultex_info_table;"},
  };
  std::string text;
  for (const auto& [label, sql] : figures) {
    std::string value = db.execute(sql) ? std::string("?") : db.cell(1, 0);
    text += qm::text::sjis(label) + ": " + value + "\n";
  }
  return text;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::setlocale(LC_ALL, "");
  qm::shell::DatabaseStartup startup;
  startup.programFolder = qm::platform::currentFolder();
  startup.settingsPath = qm::platform::joinPath(startup.programFolder, "Quillmoor2.ini");
  auto sink = qm::platform::makeWindowSink(nullptr);
  if (!qm::shell::prepareDatabase(startup, nullptr, *sink)) return 1;
  std::string text = qm::text::sjis("ライブラリのデータベースを用意しました。\n") + startup.dbPath + "\n\n" +
                     libraryFigures(startup.dbPath);
  MessageBoxA(nullptr, text.c_str(), "Quillmoor2", MB_OK | MB_ICONINFORMATION);
  return 0;
}
