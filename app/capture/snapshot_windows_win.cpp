#include "app/capture/snapshot_windows_win.h"

#include "app/capture/snapshot_result.h"
#include "app/launch/path_parts.h"
#include "app/ui/dialog_window_win.h"
#include "common/text/encoding.h"

namespace qm::capture {
namespace {

using text::sjis;

constexpr int kPictures = 1500;
constexpr int kPreview = 1501;
constexpr int kPreviewSize = 1502;
constexpr int kSlotCombo = 1510;  // + slot

// The preview's place in the dialog; 4:3, the shape of most screens.
constexpr int kPreviewX = 462, kPreviewY = 32, kPreviewWidth = 228, kPreviewHeight = 171;

class ChooseAutoSnapDialog : public ui::DialogWindow {
public:
  ChooseAutoSnapDialog(const std::vector<std::string>& pictures, const PreviewMaker& preview)
      : pictures_(pictures), makePreview_(preview) {}
  std::optional<std::array<std::string, kSnapshotSlots>> run(HWND owner) {
    if (runModal(owner, sjis("スナップショットの選択"), 702, 300) != IDOK) return std::nullopt;
    return chosen_;
  }

protected:
  void createControls() override {
    SetWindowTextA(hwnd(), sjis("スナップショットの選択").c_str());
    label(sjis("自動スナップショット"), 12, 10, 200);
    HWND list = add("LISTBOX", "", WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY, kPictures, 12, 32,
                    200, 220, WS_EX_CLIENTEDGE);
    for (const std::string& path : pictures_)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(launch::pathPart(path, launch::PathPiece::FileName).c_str()));
    for (int slot = 0; slot < kSnapshotSlots; ++slot) {
      label(sjis("スナップショット") + std::to_string(slot + 1), 230, 10 + slot * 56, 200);
      HWND combo = add("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kSlotCombo + slot, 230,
                       32 + slot * 56, 216, 200);
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(sjis("（なし）").c_str()));
      for (const std::string& path : pictures_)
        SendMessageA(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(launch::pathPart(path, launch::PathPiece::FileName).c_str()));
      // Slot 1 starts on the last picture: the one a person most often keeps.
      SendMessageA(combo, CB_SETCURSEL, slot == 0 ? pictures_.size() : 0, 0);
    }
    label(sjis("プレビュー"), kPreviewX, 10, kPreviewWidth);
    add("STATIC", "", SS_OWNERDRAW, kPreview, kPreviewX, kPreviewY, kPreviewWidth, kPreviewHeight, WS_EX_CLIENTEDGE);
    add("STATIC", "", SS_LEFT | SS_NOPREFIX, kPreviewSize, kPreviewX, kPreviewY + kPreviewHeight + 6, kPreviewWidth,
        20);
    button("OK", IDOK, 512, 264, 84, 26, BS_DEFPUSHBUTTON);
    button(sjis("キャンセル"), IDCANCEL, 606, 264, 84, 26);
    if (!pictures_.empty()) showPicture(static_cast<int>(pictures_.size()) - 1);
  }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_DRAWITEM && wParam == kPreview) {
      drawPreview(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kPictures && HIWORD(wParam) == LBN_SELCHANGE) {
      showPicture(static_cast<int>(SendMessageA(item(kPictures), LB_GETCURSEL, 0, 0)));
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) >= kSlotCombo && LOWORD(wParam) < kSlotCombo + kSnapshotSlots &&
        HIWORD(wParam) == CBN_SELCHANGE) {
      // Entry 0 is "none": the preview keeps what it shows.
      const auto at = static_cast<int>(SendMessageA(reinterpret_cast<HWND>(lParam), CB_GETCURSEL, 0, 0));
      if (at > 0) showPicture(at - 1);
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      for (int slot = 0; slot < kSnapshotSlots; ++slot) {
        const LRESULT at = SendMessageA(item(kSlotCombo + slot), CB_GETCURSEL, 0, 0);
        chosen_[slot] = at > 0 && static_cast<std::size_t>(at) <= pictures_.size() ? pictures_[at - 1] : "";
      }
      endModal(IDOK);
      return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      endModal(IDCANCEL);
      return 0;
    }
    return DialogWindow::handle(message, wParam, lParam);
  }

private:
  // Selects picture `index` in the list and shows it in the preview.
  void showPicture(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pictures_.size()) return;
    SendMessageA(item(kPictures), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    shown_.reset();
    if (makePreview_) {
      RECT area{};
      GetClientRect(item(kPreview), &area);
      shown_ = makePreview_(pictures_[index], SIZE{area.right, area.bottom});
    }
    setText(kPreviewSize, shown_ ? std::to_string(shown_->original.cx) + " x " + std::to_string(shown_->original.cy)
                                 : std::string());
    InvalidateRect(item(kPreview), nullptr, TRUE);
  }

  void drawPreview(const DRAWITEMSTRUCT& draw) const {
    FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(COLOR_APPWORKSPACE));
    if (!shown_ || !shown_->bitmap) return;
    const ui::MemoryDc picture(shown_->bitmap.get());
    BitBlt(draw.hDC, shown_->box.left, shown_->box.top, shown_->box.right - shown_->box.left,
           shown_->box.bottom - shown_->box.top, picture.get(), 0, 0, SRCCOPY);
  }

  const std::vector<std::string>& pictures_;
  const PreviewMaker& makePreview_;
  std::optional<PreviewPicture> shown_;
  std::array<std::string, kSnapshotSlots> chosen_;
};

// The notice window: an icon and the result's text, closing itself.
constexpr char kNoticeClass[] = "QmSnapshotNotice";
constexpr UINT_PTR kCloseTimer = 1;
constexpr int kNoticeWidth = 420, kNoticeHeight = 76;

struct Notice {
  int result;
};

LRESULT CALLBACK noticeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* notice = reinterpret_cast<Notice*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_CREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
      SetTimer(hwnd, kCloseTimer, 5000, nullptr);
      return 0;
    case WM_TIMER:
      DestroyWindow(hwnd);
      return 0;
    case WM_LBUTTONUP:
      DestroyWindow(hwnd);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      if (notice) {
        DrawIcon(dc, 12, 12, LoadIcon(nullptr, isSuccess(notice->result) ? IDI_INFORMATION : IDI_ERROR));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, isSuccess(notice->result) ? RGB(0, 0x50, 0xC8) : RGB(200, 0, 0));
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        RECT area{56, 12, kNoticeWidth - 8, kNoticeHeight - 8};
        const std::string text = snapshotResultText(notice->result);
        DrawTextA(dc, text.c_str(), -1, &area, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
      }
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_NCDESTROY:
      delete notice;
      return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

struct MonitorSearch {
  int wanted;
  int seen = 0;
  RECT area{};
  bool found = false;
};

BOOL CALLBACK nextMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* search = reinterpret_cast<MonitorSearch*>(param);
  if (++search->seen != search->wanted) return TRUE;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoA(monitor, &info)) {
    search->area = info.rcWork;
    search->found = true;
  }
  return FALSE;
}

POINT noticePlace(const RECT& area, int position) {
  const int right = area.right - kNoticeWidth - 8, bottom = area.bottom - kNoticeHeight - 8;
  switch (position) {
    case 1: return {right, area.top + 8};
    case 2: return {area.left + 8, bottom};
    case 3: return {right, bottom};
    case 4: return {(area.left + area.right - kNoticeWidth) / 2, (area.top + area.bottom - kNoticeHeight) / 2};
  }
  return {area.left + 8, area.top + 8};
}

}  // namespace

std::optional<std::array<std::string, kSnapshotSlots>> chooseAutoSnapshots(HWND owner,
                                                                           const std::vector<std::string>& pictures,
                                                                           const PreviewMaker& preview) {
  ChooseAutoSnapDialog dialog(pictures, preview);
  return dialog.run(owner);
}

LRESULT answerChoiceRequest(HWND owner, LPARAM request, const PreviewMaker& preview) {
  auto* choice = reinterpret_cast<ChoiceRequest*>(request);
  choice->chosen = chooseAutoSnapshots(owner, choice->pictures, preview);
  return 0;
}

void showSnapshotNotice(int result, int monitor, int position) {
  if (result == 0 || monitor <= 0) return;
  MonitorSearch search{monitor};
  EnumDisplayMonitors(nullptr, nullptr, nextMonitor, reinterpret_cast<LPARAM>(&search));
  if (!search.found) SystemParametersInfoA(SPI_GETWORKAREA, 0, &search.area, 0);
  static const bool registered = [] {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = noticeProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    windowClass.lpszClassName = kNoticeClass;
    return RegisterClassA(&windowClass) != 0;
  }();
  if (!registered) return;
  const POINT at = noticePlace(search.area, position);
  HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kNoticeClass, "", WS_POPUP | WS_BORDER, at.x, at.y,
                                kNoticeWidth, kNoticeHeight, nullptr, nullptr, GetModuleHandleA(nullptr),
                                new Notice{result});
  if (window) ShowWindow(window, SW_SHOWNOACTIVATE);
}

}  // namespace qm::capture
