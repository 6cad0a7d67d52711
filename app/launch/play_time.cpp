#include "app/launch/play_time.h"

#include <algorithm>
#include <cstdio>

#include "common/db/db_connection.h"

namespace qm::launch {
namespace {

bool digitsAt(std::string_view text, std::size_t pos, std::size_t count, long& value) {
  value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

}  // namespace

long parsePlayTime(std::string_view stored) {
  long hours = 0, minutes = 0, seconds = 0;
  const bool wellFormed = stored.size() == 10 && stored[3] == ':' && stored[6] == '\'' && stored[9] == '"' &&
                          digitsAt(stored, 0, 3, hours) && digitsAt(stored, 4, 2, minutes) &&
                          digitsAt(stored, 7, 2, seconds) && minutes < 60 && seconds < 60;
  return wellFormed ? hours * 3600 + minutes * 60 + seconds : 0;
}

std::string formatPlayTime(long seconds) {
  seconds = std::clamp(seconds, 0L, kMaxPlaySeconds);
  char text[32];
  std::snprintf(text, sizeof text, "%03d:%02d'%02d\"", static_cast<int>(seconds / 3600),
                static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
  return text;
}

std::string addPlayTime(std::string_view stored, long elapsedSeconds) {
  return formatPlayTime(parsePlayTime(stored) + std::max(elapsedSeconds, 0L));
}

std::string bootCountStatement(const std::string& key, const std::string& playTime) {
  return "UPDATE main_table SET boot_count=(boot_count+1), last_boot=datetime('now','localtime'), play_time=" +
         db::sqlText(playTime) + " WHERE file_name=" + db::sqlText(key) + " ;";
}

}  // namespace qm::launch
