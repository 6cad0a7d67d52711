#include "common/text/input_text.h"

#include "common/text/encoding.h"

namespace qm::text {

InputText inputTextOf(std::string_view bytes, const std::string& name) {
  InputText out;
  out.found = classifyInput(bytes);
  if (out.found == InputEncoding::Ascii || out.found == InputEncoding::Cp932) {
    out.text = std::string(bytes);
    return out;
  }
  const std::string saveAgain = sjis("シフトJIS で保存し直してください。");
  if (out.found == InputEncoding::Unknown) {
    out.refusal = name + sjis(" の文字コードを判別できません。\n") + saveAgain;
    return out;
  }
  ProgramText converted = toProgramText(bytes, out.found);
  const std::string found = name + sjis(" は ") + encodingName(out.found);
  if (converted.lost > 0) {
    out.lost = converted.lost;
    out.refusal = found + sjis(" で、シフトJIS にない文字が ") + std::to_string(converted.lost) +
                  sjis(" 文字あります。\n読み込みを中止します。") + saveAgain;
    return out;
  }
  out.text = std::move(converted.text);
  out.notice = found + sjis(" です。シフトJIS に変換して読み込みます。");
  return out;
}

}  // namespace qm::text
