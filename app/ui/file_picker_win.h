// The common file dialogs for one file of a given kind: open an existing one,
// or name one to save (asked before replacing). The program folder is the
// current directory and stays so.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qm::ui {

struct FileKind {
  std::string description;  // program text, "CSVファイル (*.csv)"
  std::string pattern;      // "*.csv"
  std::string extension;    // "csv": added to a saved name typed without one
};

enum class FileUse { Open, Save };

// The chosen path (program text), or nothing when the user cancelled.
std::optional<std::string> pickFile(HWND owner, const std::string& title, const FileKind& kind, FileUse use,
                                    const std::string& current);

}  // namespace qm::ui
