#include "app/shell/status_bar.h"

#include <algorithm>

#include "common/text/encoding.h"

namespace qm::shell {

std::array<int, kStatusPartCount> statusPartEdges(int width) {
  // Title count, hit count, group, search time; then part 4; then "Scroll
  // Lock" with its lamp (and the size grip's room) and the lamp alone.
  constexpr int kFixed = 520, kScrollLock = 104, kLamp = 44;
  const int lamp = std::max(kFixed + 2, width - kLamp);
  const int scrollLock = std::max(kFixed + 1, lamp - kScrollLock);
  return {170, 330, 420, kFixed, scrollLock, lamp, -1};
}

std::string dllLoadText(bool safeLoad) {
  return text::sjis(safeLoad ? "[安全] DLLロード(LoadLibrary)はWindowsシステムディレクトリに固定"
                             : "[注意] DLLロード(LoadLibrary)はPATHの通った全ディレクトリが対象：全体設定で変更できます");
}

std::string skippedKeysText(int skipped) {
  if (skipped <= 0) return "";
  // Part 2 is narrow: the count of keys the script could not send.
  return text::sjis("未送信キー ") + std::to_string(skipped);
}

}  // namespace qm::shell
