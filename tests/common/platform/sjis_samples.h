// Shift-JIS characters that trip byte-wise code: trail bytes that look like
// ASCII punctuation or letters.
#pragma once

#include <string>

namespace qm::test::sjis {

inline const std::string kSoft = "\x83\x5C\x83\x74\x83\x67";  // ソフト, trail "\"
inline const std::string kHyouji = "\x95\x5C\x8E\xA6";        // 表示, trail "\"
inline const std::string kKii = "\x83\x4C\x81\x5B";           // キー, trail "["
inline const std::string kChouon = "\x81\x5B";                // ー, trail "["
inline const std::string kZoon = "\x83\x5D\x81\x5B\x83\x93";  // ゾーン, trail "]"
inline const std::string kA = "\x83\x41";                     // ア, trail "A"
inline const std::string kDi = "\x83\x61";                    // ヂ, trail "a"
inline const std::string kWideA = "\x82\x60";                 // Ａ
inline const std::string kWideSmallA = "\x82\x81";            // ａ
inline const std::string kWideSpace = "\x81\x40";             // full-width space
inline const std::string kWideDigits = "\x82\x50\x82\x51";    // １２

}  // namespace qm::test::sjis
