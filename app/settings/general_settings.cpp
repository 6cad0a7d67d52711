#include "app/settings/general_settings.h"

#include "app/settings/settings.h"
#include "common/text/encoding.h"

namespace qm::shell {

GeneralSettings readGeneralSettings(const platform::IniFile& ini) {
  return {readNumber(ini, Setting::EtcDllSafeLoad) == 1, readNumber(ini, Setting::EtcSearchFontHeight)};
}

bool writeGeneralSettings(const platform::IniFile& ini, const GeneralSettings& values) {
  Settings settings;
  settings.setNumber(Setting::EtcDllSafeLoad, values.dllSafeLoad ? 1 : 0);
  settings.setNumber(Setting::EtcSearchFontHeight, values.searchFontHeight);
  return saveDialogKeys(settings, ini, "etcSetting");
}

std::string dllSafeLoadWarning() {
  return text::sjis(
      "DLLロード先はパスの通った全ディレクトリが対象になります。\n\nマルウェア等により環境変数PATHの書き換えやDLLを設"
      "置された場合の脆弱性が生じます。\nチェックを外しますか？");
}

std::string dllSafeLoadWarningCaption() { return text::sjis("警告"); }

}  // namespace qm::shell
