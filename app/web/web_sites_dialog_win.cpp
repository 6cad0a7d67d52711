#include "app/web/web_sites_dialog_win.h"

#include "app/ui/dialog_window_win.h"
#include "app/web/web_sites.h"
#include "common/platform/files.h"
#include "common/platform/message_sink.h"
#include "common/text/encoding.h"

namespace qm::web {
namespace {

using text::sjis;
using platform::MessageButtons;
using platform::MessageIcon;

class WebSitesDialog : public ui::DialogWindow {
public:
  explicit WebSitesDialog(std::string path) : ini_(std::move(path)), sites_(web::loadSites(ini_)) {}
  bool run(HWND owner) {
    runModal(owner, sjis("Web検索の設定"), 560, 376);
    return changed_;
  }

protected:
  void createControls() override {
    sink_ = platform::makeWindowSink(hwnd());
    add("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kSiteList, 10, 10,
        540, 200, WS_EX_CLIENTEDGE);
    SendMessageA(item(kSiteList), LB_SETHORIZONTALEXTENT, 1600, 0);
    label(sjis("名前"), 10, 222, 44);
    edit(kSiteName, 56, 220, 494);
    label("URL", 10, 252, 44);
    edit(kSiteUrl, 56, 250, 494);
    add("STATIC", sjis("そのまま置換: $machine $title $maker $developer\nURLエンコードして置換: %machine %title %maker %developer"),
        SS_LEFT | SS_NOPREFIX, 0, 56, 278, 494, 30);
    button(sjis("追加"), kSiteAdd, 10, 316, 74);
    button(sjis("変更"), kSiteChange, 90, 316, 74);
    button(sjis("削除"), kSiteDelete, 170, 316, 74);
    button(sjis("上へ"), kSiteUp, 262, 316, 64);
    button(sjis("下へ"), kSiteDown, 332, 316, 64);
    button(sjis("閉じる"), IDCANCEL, 466, 342, 84, 26);
    fillList(-1);
  }

  int focusAtOpen() const override { return kSiteName; }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_COMMAND) return DialogWindow::handle(message, wParam, lParam);
    switch (LOWORD(wParam)) {
      case kSiteList:
        if (HIWORD(wParam) == LBN_SELCHANGE) showSelected();
        break;
      case kSiteAdd: addSite(); break;
      case kSiteChange: changeSite(); break;
      case kSiteDelete: deleteSite(); break;
      case kSiteUp: moveSite(true); break;
      case kSiteDown: moveSite(false); break;
      case IDCANCEL: endModal(IDCANCEL); break;
    }
    return 0;
  }

private:
  int selected() const {
    const auto index = SendMessageA(item(kSiteList), LB_GETCURSEL, 0, 0);
    return index == LB_ERR || index >= static_cast<LRESULT>(sites_.size()) ? -1 : static_cast<int>(index);
  }

  void fillList(int select) {
    HWND list = item(kSiteList);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const web::Site& site : sites_)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(web::listLine(site).c_str()));
    SendMessageA(list, LB_SETCURSEL, select, 0);
  }

  void showSelected() {
    const int index = selected();
    if (index < 0) return;
    setText(kSiteName, sites_[index].name);
    setText(kSiteUrl, sites_[index].url);
  }

  web::Site fields() const { return {textOf(kSiteName), textOf(kSiteUrl)}; }

  void inform(const std::string& message) { sink_->show(message, "", MessageIcon::Information, MessageButtons::Ok); }

  // Writes the list; the numbers of sites removed from the end go too.
  bool store(std::size_t previousCount, int select) {
    changed_ = true;
    const bool saved = web::saveSites(ini_, sites_, previousCount);
    if (!saved) {
      sink_->show(sjis("Web検索の設定を保存できませんでした。\n") + ini_.path(), "", MessageIcon::Error,
                  MessageButtons::Ok);
      sites_ = web::loadSites(ini_);
    }
    fillList(saved ? select : -1);
    return saved;
  }

  void addSite() {
    const web::Site site = fields();
    if (auto problem = web::addProblem(sites_, site)) return inform(*problem);
    sites_.push_back(site);
    if (!store(sites_.size() - 1, -1)) return;
    setText(kSiteName, "");
    setText(kSiteUrl, "");
    SetFocus(item(kSiteName));  // ready for the next site
  }

  void changeSite() {
    const int index = selected();
    if (index < 0) return;
    const web::Site site = fields();
    if (auto problem = web::siteProblem(site)) return inform(*problem);
    sites_[index] = site;
    store(sites_.size(), index);
  }

  void deleteSite() {
    const int index = selected();
    if (index < 0) return;
    if (sink_->show(sjis("選択した登録を削除しますか？"), "", MessageIcon::Question, MessageButtons::YesNo) !=
        platform::MessageAnswer::Yes)
      return;
    const std::size_t before = sites_.size();
    web::removeSite(sites_, static_cast<std::size_t>(index));
    store(before, -1);
  }

  void moveSite(bool up) {
    const int index = selected();
    if (index < 0 || !web::moveSite(sites_, static_cast<std::size_t>(index), up)) return;
    store(sites_.size(), up ? index - 1 : index + 1);
  }

  platform::IniFile ini_;
  std::vector<web::Site> sites_;
  std::unique_ptr<platform::MessageSink> sink_;
  bool changed_ = false;
};

}  // namespace

bool runWebSitesDialog(HWND owner, const std::string& programFolder) {
  WebSitesDialog dialog(platform::joinPath(programFolder, web::kWebFileName));
  return dialog.run(owner);
}

}  // namespace qm::web
