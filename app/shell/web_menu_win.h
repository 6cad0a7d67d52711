// The information view's context menu ("インフォメーション内メニュー"): one
// command per web search site, rebuilt from Quillmoor2_Web.ini at start-up and
// after the settings dialog. Choosing one opens the filled-in URL with the
// shell.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace qm::shell {

struct CommandContext;

// `popup` stays the caller's; the information view shows it on a right click.
void startSiteMenu(HWND main, HWND info, HMENU popup, const std::string& programFolder);
void refreshSiteMenu();
// Site n (1-based) for the item list's current item.
void openWebSite(std::size_t n, CommandContext& context);

}  // namespace qm::shell
