#include "app/launch/extract_cleanup.h"

#include "common/db/db_connection.h"
#include "common/platform/confined_delete.h"
#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::launch {
namespace {

using platform::DeleteRefusal;
using platform::Guard;

// The protected places in the order of their refusals below.
constexpr CleanupRefusal kPlaceRefusals[] = {CleanupRefusal::ProgramFolder, CleanupRefusal::LibraryFolder,
                                             CleanupRefusal::EmulatorFolder};

// Whether a key of the library (or an alter-ego copy) lies in the folder or
// below it. Keys are text as they were typed or found, so the caller asks
// with the folder as typed and as resolved. ASCII case is ignored, as Windows
// file names are compared.
bool holdsLibraryImages(const std::string& folder, const std::string& dbPath) {
  std::string sql;
  for (const char* separator : {"\\", "/"}) {
    const std::string head = db::sqlText(folder + separator);
    for (const char* column : {"file_name", "ae_file"}) {
      sql += std::string(sql.empty() ? "" : " UNION ALL ") + "SELECT " + column + " FROM " +
             (column[0] == 'f' ? "main_table" : "alter_ego_table") + " WHERE lower(substr(" + column + ",1,length(" +
             head + ")))=lower(" + head + ")";
    }
  }
  db::DbConnection db;
  db.open(dbPath);
  // A library that cannot be read is taken as holding images: deleting is the risk.
  return db.execute(sql + " LIMIT 1;") || db.rowCount() > 0;
}

platform::DeleteDecision decide(const std::string& folder, const CleanupPlaces& places) {
  platform::DeleteRequest request;
  request.target = folder;
  request.places = {{places.programFolder, Guard::Itself},
                    {platform::folderOf(places.dbPath), Guard::Itself},
                    {platform::folderOf(places.emulatorPath), Guard::Itself}};
  request.holdsProtected = [&](const std::string& form) { return holdsLibraryImages(form, places.dbPath); };
  return platform::mayEmptyFolder(request);
}

CleanupRefusal refusalOf(const platform::DeleteDecision& decision) {
  switch (decision.refusal) {
    case DeleteRefusal::None:
      return CleanupRefusal::None;
    case DeleteRefusal::NotAbsolute:
      return CleanupRefusal::NotAbsolute;
    case DeleteRefusal::Missing:
      return CleanupRefusal::Missing;
    case DeleteRefusal::DriveRoot:
      return CleanupRefusal::DriveRoot;
    case DeleteRefusal::Protected:
      return kPlaceRefusals[decision.place];
    case DeleteRefusal::HoldsProtected:
      return CleanupRefusal::HoldsImages;
  }
  return CleanupRefusal::HoldsImages;
}

const char* reasonOf(CleanupRefusal refusal) {
  switch (refusal) {
    case CleanupRefusal::None:
    case CleanupRefusal::Missing:
      return "";
    case CleanupRefusal::NotAbsolute:
      return "展開先フォルダが絶対パスではありません。";
    case CleanupRefusal::DriveRoot:
      return "展開先フォルダがドライブのルートです。";
    case CleanupRefusal::ProgramFolder:
      return "展開先フォルダがプログラムのフォルダです。";
    case CleanupRefusal::LibraryFolder:
      return "展開先フォルダがデータベースファイルのフォルダです。";
    case CleanupRefusal::EmulatorFolder:
      return "展開先フォルダがエミュレータのフォルダです。";
    case CleanupRefusal::HoldsImages:
      return "展開先フォルダかその下にライブラリのイメージがあります。";
  }
  return "";
}

}  // namespace

CleanupRefusal checkExtractFolder(const std::string& folder, const CleanupPlaces& places) {
  return refusalOf(decide(folder, places));
}

CleanupResult emptyExtractFolder(const std::string& folder, const CleanupPlaces& places) {
  const platform::DeleteDecision decision = decide(folder, places);
  CleanupResult result;
  result.refusal = refusalOf(decision);
  // The resolved folder: the text given may lead elsewhere by the time it is used.
  if (decision.allowed()) result.deleted = platform::deleteMatchingFiles(decision.resolved, "*");
  return result;
}

std::string cleanupRefusalText(CleanupRefusal refusal, const std::string& folder) {
  const std::string reason = reasonOf(refusal);
  if (reason.empty() || folder.empty()) return {};
  return text::sjis("展開先フォルダ内のファイルを削除しませんでした。\n" + reason + "\n→") + folder;
}

}  // namespace qm::launch
