#include "app/dat_verify/dat_verify.h"

#include <unordered_set>

#include "app/dat_verify/image_sizes.h"
#include "app/renamedata/list_data.h"
#include "common/dat/dat_index.h"
#include "common/dat/dat_notice.h"
#include "common/db/db_connection.h"
#include "common/text/encoding.h"

namespace qm::datverify {
namespace {

using text::sjis;

std::string imagesSql(const maintenance::MachineChoice& machine) {
  if (machine.all) return "SELECT file_name, crc32 FROM main_table ORDER BY file_name;";
  return "SELECT file_name, crc32 FROM main_table WHERE machine_name=" + db::sqlText(machine.name) +
         " ORDER BY file_name;";
}

ImageVerdict verdictOf(const std::string& key, const std::string& crcText, const dat::DatIndex& index,
                       ImageSizes& sizes, std::unordered_set<const dat::DatGame*>& present) {
  if (crcText.empty()) return {ImageStatus::NoCrc, key, {}};
  const auto crc = dat::crcOf(crcText);
  const dat::RomRef found = crc ? index.byCrc(*crc) : dat::RomRef{};
  if (!found.game) return {ImageStatus::Unknown, key, {}};
  // A file that cannot be looked at now is judged by its CRC alone.
  if (found.rom->size) {
    const auto size = sizes.sizeOf(key);
    if (size && *size != *found.rom->size) return {ImageStatus::Unknown, key, {}};
  }
  present.insert(found.game);
  const bool sameName = imageFileName(key) == dat::romFileName(found.rom->name);
  return {sameName ? ImageStatus::Verified : ImageStatus::Renamed, key, found.game->name};
}

}  // namespace

DatLoad loadDatFile(const std::string& path) {
  const renamedata::ListData list = renamedata::loadListData(path);
  if (!list.text) return {std::nullopt, list.failure};
  dat::DatRead read = dat::readDat(std::string_view(list.text->c_str(), list.text->size()));
  return {std::move(read.dat), std::move(read.error)};
}

VerifyReport verifyLibrary(const std::string& dbPath, const maintenance::MachineChoice& machine,
                           const dat::DatFile& dat, maintenance::RunObserver& observer, const StopFlag& stop) {
  VerifyReport report;
  db::DbConnection db;
  db.open(dbPath);
  if (auto error = db.execute(imagesSql(machine))) {
    report.failure = sjis("アイテムを選出できませんでした。\n") + *error;
    return report;
  }
  const dat::DatIndex index(dat);
  report.notice = dat::datNotice(dat, index);
  ImageSizes sizes;
  std::unordered_set<const dat::DatGame*> present;
  const int rows = db.rowCount();
  observer.progressRange(rows);
  report.images.reserve(static_cast<std::size_t>(rows));
  for (int row = 1; row <= rows; ++row) {
    if (stop.load() != stop::kRunning) {
      report.stopped = true;
      return report;
    }
    report.images.push_back(verdictOf(db.cell(row, 0), db.cell(row, 1), index, sizes, present));
    ++report.counts[static_cast<int>(report.images.back().status)];
    observer.progressStep();
  }
  for (const dat::DatGame& game : dat.games)
    if (!present.contains(&game)) report.missing.push_back(game.name);
  return report;
}

const char* statusName(ImageStatus status) {
  switch (status) {
    case ImageStatus::Verified: return "verified";
    case ImageStatus::Renamed: return "renamed";
    case ImageStatus::Unknown: return "unknown";
    case ImageStatus::NoCrc: return "nocrc";
  }
  return "";
}

std::string summaryLine(const VerifyReport& report) {
  std::string line;
  for (ImageStatus status : {ImageStatus::Verified, ImageStatus::Renamed, ImageStatus::Unknown, ImageStatus::NoCrc})
    line += std::string(statusName(status)) + " " + std::to_string(report.counts[static_cast<int>(status)]) + ", ";
  return line + "missing " + std::to_string(report.missing.size());
}

std::vector<std::string> reportLines(const VerifyReport& report) {
  std::vector<std::string> lines;
  lines.reserve(report.images.size() + report.missing.size() + 1);
  for (const ImageVerdict& image : report.images)
    lines.push_back(std::string(statusName(image.status)) + "\t" + image.key + "\t" + image.game);
  for (const std::string& game : report.missing) lines.push_back("missing\t" + game);
  lines.push_back(summaryLine(report));
  return lines;
}

std::string reportText(const VerifyReport& report) {
  std::string text;
  for (const std::string& line : reportLines(report)) text += line + "\r\n";
  return text;
}

}  // namespace qm::datverify
