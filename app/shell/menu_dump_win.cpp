#include "app/shell/menu_dump_win.h"

#include <cstdio>
#include <string>

namespace qm::shell {
namespace {

void dumpMenu(HWND window, HMENU menu, int depth, bool opened, std::string& out) {
  if (opened && depth > 0) SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    char label[512] = "";
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = label;
    info.cch = sizeof label;
    if (!GetMenuItemInfoA(menu, i, TRUE, &info)) continue;
    out += std::string(depth * 2, ' ');
    if (info.fType & MFT_SEPARATOR) {
      out += "-\n";
      continue;
    }
    for (const char* c = label; *c; ++c) out += *c == '\t' ? std::string("\\t") : std::string(1, *c);
    out += '|';
    out += info.hSubMenu ? std::string("-") : std::to_string(info.wID);
    out += (info.fState & MFS_GRAYED) ? "|grayed" : "|enabled";
    if (info.fState & MFS_CHECKED) out += ",checked";
    if (info.fState & MFS_DEFAULT) out += ",default";
    out += "\n";
    if (info.hSubMenu) dumpMenu(window, info.hSubMenu, depth + 1, opened, out);
  }
}

}  // namespace

UINT menuDumpMessage() {
  static const UINT message = RegisterWindowMessageA("Quillmoor2MenuDump");
  return message;
}

void writeMenuDump(HWND window, bool opened) {
  char path[MAX_PATH] = "";
  const DWORD length = GetEnvironmentVariableA("QM_MENU_DUMP", path, sizeof path);
  if (length == 0 || length >= sizeof path || !GetMenu(window)) return;
  std::string text;
  dumpMenu(window, GetMenu(window), 0, opened, text);
  if (std::FILE* file = std::fopen(path, "wb")) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}

}  // namespace qm::shell
