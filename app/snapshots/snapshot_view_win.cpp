#include "app/snapshots/snapshot_view_win.h"

#include <windowsx.h>

#include <algorithm>

#include "common/platform/files.h"
#include "common/text/encoding.h"

namespace qm::snapshots {

namespace {

constexpr const char* kClass = "SnapView";
constexpr UINT kPictureReady = WM_APP + 1;
// Emulator screens look best on black, and a letterbox in black reads as frame.
constexpr COLORREF kBack = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(200, 200, 200);

// A stored place on no screen (a monitor since unplugged) opens at the default.
PixelBox onScreen(PixelBox box) {
  const RECT rect{box.left, box.top, box.left + box.width, box.top + box.height};
  if (!MonitorFromRect(&rect, MONITOR_DEFAULTTONULL)) {
    box.left = SnapViewOptions{}.placement.left;
    box.top = SnapViewOptions{}.placement.top;
  }
  return box;
}

}  // namespace

bool SnapshotView::registerClass(HINSTANCE instance) {
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.lpfnWndProc = procedure;
  cls.hInstance = instance;
  cls.hIcon = LoadIcon(instance, MAKEINTRESOURCE(112));
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.lpszClassName = kClass;
  return RegisterClassExA(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void SnapshotView::prepare(const SnapViewOptions& options, const FindSettings& rules) {
  options_ = options;
  rules_ = rules;
}

bool SnapshotView::open(HWND owner, HMENU menu) {
  menu_ = menu;
  if (hwnd_) {
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOWNA);
    return true;
  }
  const PixelBox place = onScreen(options_.placement);
  CreateWindowExA(0, kClass, "", WS_OVERLAPPEDWINDOW, place.left, place.top, place.width, place.height, owner, nullptr,
                  GetModuleHandleA(nullptr), this);
  if (!hwnd_) return false;
  options_.open = true;
  font_.reset(CreateFontA(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                          text::sjis("ＭＳ Ｐゴシック").c_str()));
  pane_.attach(hwnd_, kPictureReady);
  placePicture();
  pane_.show(item_, options_.slot, rules_);
  showTitle();
  // The list keeps the keyboard: the view only follows it.
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  return true;
}

void SnapshotView::close() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void SnapshotView::toggle(HWND owner, HMENU menu) {
  if (!hwnd_) {
    open(owner, menu);
    return;
  }
  options_.open = false;
  close();
}

void SnapshotView::follow(const std::optional<ItemSnapshots>& item) {
  item_ = item;
  if (!hwnd_) return;
  pane_.show(item_, options_.slot, rules_);
  if (!item_) showTitle();
}

bool SnapshotView::command(int id) {
  const ViewChange change = applyViewCommand(options_, id);
  if (change == ViewChange::None) return false;
  if (!hwnd_) return true;
  switch (change) {
    case ViewChange::Slot:
      pane_.show(item_, options_.slot, rules_);
      showTitle();
      break;
    case ViewChange::Fit:
      placePicture();
      if (options_.fit == FitMode::ActualSize) fitWindowToPicture();
      break;
    case ViewChange::Anchor:
    case ViewChange::None:
      placePicture();
      break;
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
  return true;
}

LRESULT CALLBACK SnapshotView::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<SnapshotView*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<SnapshotView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT SnapshotView::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kPictureReady:
      if (pane_.take()) {
        showTitle();
        if (options_.fit == FitMode::ActualSize) fitWindowToPicture();
      }
      return 0;
    case WM_SIZE:
      placePicture();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      paint();
      return 0;
    case WM_CONTEXTMENU:
      showMenu(lParam);
      return 0;
    case WM_KEYDOWN:
      if (wParam != VK_ESCAPE) break;
      [[fallthrough]];
    case WM_CLOSE:
      // The user closed it: it stays closed at the next start.
      options_.open = false;
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      // Also when the owner goes first: its owned windows are destroyed before it.
      rememberPlace();
      pane_.detach();
      font_.reset();
      break;
    case WM_NCDESTROY: {
      HWND gone = hwnd_;
      SetWindowLongPtrA(gone, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return DefWindowProcA(gone, message, wParam, lParam);
    }
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void SnapshotView::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  // Off screen first: the picture never flickers through the background.
  ui::OwnedBitmap canvas(CreateCompatibleBitmap(dc, std::max<int>(1, client.right), std::max<int>(1, client.bottom)));
  {
    ui::MemoryDc memory(canvas.get());
    SetBkColor(memory.get(), kBack);
    ExtTextOutA(memory.get(), 0, 0, ETO_OPAQUE, &client, nullptr, 0, nullptr);
    pane_.draw(memory.get(), client, font_.get(), kText);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
  }
  EndPaint(hwnd_, &ps);
}

void SnapshotView::placePicture() {
  RECT client;
  GetClientRect(hwnd_, &client);
  Placement placement;
  placement.area = {client.right, client.bottom};
  placement.fit = options_.fit;
  placement.enlarge = options_.enlarge;
  placement.anchor = options_.anchor;
  placement.background = kBack;
  pane_.place(placement);
}

// At actual size the window takes the picture's size; the anchor corner stays.
void SnapshotView::fitWindowToPicture() {
  const PictureResult* result = pane_.result();
  if (!result || !result->picture) return;
  if (IsZoomed(hwnd_) || IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
  RECT window;
  RECT client;
  GetWindowRect(hwnd_, &window);
  GetClientRect(hwnd_, &client);
  const PixelBox now{window.left, window.top, window.right - window.left, window.bottom - window.top};
  const PixelSize frame{now.width - client.right, now.height - client.bottom};
  const PixelBox wanted = windowAroundPicture(now, frame, result->picture->original, options_.anchor);
  if (wanted == now) return;
  SetWindowPos(hwnd_, nullptr, wanted.left, wanted.top, wanted.width, wanted.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SnapshotView::showTitle() {
  std::string title = text::sjis("スナップショット") + std::to_string(options_.slot + 1);
  if (const PictureResult* result = pane_.result(); result && item_) {
    switch (result->state) {
      case PictureState::NoSource: title += " - NO SNAP"; break;
      case PictureState::NotFound: title += " - File Not Found."; break;
      case PictureState::Unreadable:
      case PictureState::Shown:
        title += " - " + platform::fileNameOf(result->path);
        if (!result->label.empty()) title += "  " + result->label;
        break;
    }
  }
  SetWindowTextA(hwnd_, title.c_str());
}

void SnapshotView::showMenu(LPARAM at) {
  if (!menu_) return;
  POINT point{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
  if (at == -1) {  // from the keyboard: at the window's top left
    point = {8, 8};
    ClientToScreen(hwnd_, &point);
  }
  for (int id = kShowSlotCommand; id <= kLastViewCommand; ++id) CheckMenuItem(menu_, id, MF_BYCOMMAND | MF_UNCHECKED);
  for (int id : checkedViewCommands(options_)) CheckMenuItem(menu_, id, MF_BYCOMMAND | MF_CHECKED);
  const int chosen = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, point.x, point.y, 0, hwnd_, nullptr);
  if (chosen) command(chosen);
}

void SnapshotView::rememberPlace() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  RECT rect{};
  if (!IsIconic(hwnd_) && !IsZoomed(hwnd_)) GetWindowRect(hwnd_, &rect);
  else if (GetWindowPlacement(hwnd_, &placement)) rect = placement.rcNormalPosition;
  else return;
  options_.placement = {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace qm::snapshots
