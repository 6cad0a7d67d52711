#include "app/ui/file_picker_win.h"

#include <commdlg.h>

namespace qm::ui {

std::optional<std::string> pickFile(HWND owner, const std::string& title, const FileKind& kind, FileUse use,
                                    const std::string& current) {
  char file[MAX_PATH] = "";
  if (current.size() < sizeof file) lstrcpynA(file, current.c_str(), sizeof file);
  const std::string all = "*.*";
  const std::string filter = kind.description + '\0' + kind.pattern + '\0' + all + '\0' + all + '\0' + '\0';
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = kind.extension.c_str();
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (use == FileUse::Open) {
    dialog.Flags |= OFN_FILEMUSTEXIST;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  } else {
    dialog.Flags |= OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameA(&dialog)) return std::nullopt;
  }
  return std::string(file);
}

}  // namespace qm::ui
