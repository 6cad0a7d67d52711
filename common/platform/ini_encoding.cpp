#include "common/platform/ini_encoding.h"

#include "common/platform/file_attributes.h"
#include "common/text/encoding.h"
#include "common/text/input_encoding.h"

namespace qm::platform {

std::string iniEncodingProblem(const std::string& path) {
  const auto bytes = readWholeFile(path);
  if (!bytes) return {};
  const text::InputEncoding found = text::classifyInput(*bytes);
  if (found == text::InputEncoding::Ascii || found == text::InputEncoding::Cp932) return {};
  const std::string what = found == text::InputEncoding::Unknown
                               ? text::sjis(" の文字コードを判別できません。")
                               : text::sjis(" は ") + text::encodingName(found) + text::sjis(" で保存されています。");
  return path + what + text::sjis("\n設定を正しく読めません。シフトJIS で保存し直してください。");
}

}  // namespace qm::platform
