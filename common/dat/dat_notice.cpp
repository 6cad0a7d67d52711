#include "common/dat/dat_notice.h"

#include "common/text/encoding.h"

namespace qm::dat {

using text::sjis;

std::string datNotice(const DatFile& dat, const DatIndex& index) {
  std::size_t roms = 0;
  for (const DatGame& game : dat.games) roms += game.roms.size();
  std::string notice = sjis("DAT「") + dat.name + sjis("」：") + std::to_string(dat.games.size()) +
                       sjis(" ゲーム、") + std::to_string(roms) + " ROM";
  if (dat.lost > 0)
    notice += sjis("。シフトJIS にない文字 ") + std::to_string(dat.lost) + sjis(" 文字を「?」にしました");
  if (index.sharedCrcs() > 0)
    notice += sjis("。") + std::to_string(index.sharedCrcs()) +
              sjis(" 件の ROM は CRC が先のゲームと同じため、先のゲームが該当します");
  return notice;
}

}  // namespace qm::dat
