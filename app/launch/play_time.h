// The play time kept per image: hours with three digits, ":", minutes, "'",
// seconds and a closing double quote, as "001:00'10\"".
#pragma once

#include <string>
#include <string_view>

namespace qm::launch {

inline constexpr long kMaxPlaySeconds = 3599999;  // 999:59'59"

// The stored time in seconds; anything that is not a play time (empty,
// malformed, out of range) counts as none.
long parsePlayTime(std::string_view stored);
// Seconds clamped to 0..kMaxPlaySeconds, written in the stored form.
std::string formatPlayTime(long seconds);
// The stored time after a run of `elapsedSeconds`.
std::string addPlayTime(std::string_view stored, long elapsedSeconds);

// The statement that counts one boot of `key` with its new play time.
std::string bootCountStatement(const std::string& key, const std::string& playTime);

}  // namespace qm::launch
