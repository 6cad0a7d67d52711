// "Web検索の設定": the list of web search sites with fields for name and URL
// and add, change, delete and move. Every change is written to
// Quillmoor2_Web.ini at once.
#pragma once

#include <windows.h>

#include <string>

namespace qm::web {

// Control identifiers, for the end-to-end driver.
enum WebSitesControl : int { kSiteList = 300, kSiteName = 301, kSiteUrl = 302, kSiteAdd = 303, kSiteChange = 304,
                             kSiteDelete = 305, kSiteUp = 306, kSiteDown = 307 };

// True when the sites changed.
bool runWebSitesDialog(HWND owner, const std::string& programFolder);

}  // namespace qm::web
