#include "common/dat/dat_index.h"

#include "common/platform/path_separators.h"
#include "common/text/sjis.h"

namespace qm::dat {

std::string_view romFileName(std::string_view name) {
  return platform::splitAtLastSeparator(name).name;
}

std::string_view withoutExtension(std::string_view name) {
  const std::size_t dot = sjis::findLast(name, '.');
  return dot == sjis::npos ? name : name.substr(0, dot);
}

DatIndex::DatIndex(const DatFile& dat) {
  for (const DatGame& game : dat.games) {
    for (const DatRom& rom : game.roms) {
      const RomRef ref{&game, &rom};
      if (rom.crc32) {
        const auto [at, added] = crcs_.emplace(*rom.crc32, ref);
        if (!added && at->second.game != &game) ++sharedCrcs_;
      }
      const std::string name = sjis::toUpperAscii(romFileName(rom.name));
      if (name.empty()) continue;
      names_.emplace(name, ref);
      titles_.emplace(std::string(withoutExtension(name)), ref);
    }
  }
}

RomRef DatIndex::byCrc(std::uint32_t crc) const {
  const auto found = crcs_.find(crc);
  return found == crcs_.end() ? RomRef{} : found->second;
}

RomRef DatIndex::byName(std::string_view name, bool withExtension) const {
  const auto& map = withExtension ? names_ : titles_;
  const auto found = map.find(sjis::toUpperAscii(name));
  return found == map.end() ? RomRef{} : found->second;
}

}  // namespace qm::dat
