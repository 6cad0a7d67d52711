// The menu bar as text, for the end-to-end scripts: Wine keeps a menu inside
// the process that made it, so the driver cannot read ours. With QM_MENU_DUMP
// naming a file, the registered message "Quillmoor2MenuDump" makes the main
// window write its menu tree there (wParam 1: each popup is first refreshed as
// when it opens). Without the variable the message does nothing.
#pragma once

#include <windows.h>

namespace qm::shell {

UINT menuDumpMessage();
// One line per item, two blanks of indent per level: the label (a tab in it
// written as "\t"), "|", the identifier ("-" for a submenu), "|", the state
// ("enabled" or "grayed", then ",checked"); a separator is a line "-".
void writeMenuDump(HWND window, bool opened);

}  // namespace qm::shell
