#include "app/shell/busy_window_win.h"

#include <chrono>

namespace qm::shell {
namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 80;
constexpr const char* kClassName = "NORMAL22";

LRESULT CALLBACK busyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT rect{0, 0, kWidth, kHeight};
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, "Please wait ...", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

BusyWindow::~BusyWindow() {
  busy_ = false;
  if (thread_.joinable()) thread_.join();
  if (hwnd_) DestroyWindow(hwnd_);
}

bool BusyWindow::create(HINSTANCE instance, const std::string& animationPath) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = busyProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_WAIT);
  wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, "Please wait ...", WS_POPUP | WS_BORDER, x,
                          y, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  frames_.reset(static_cast<HBITMAP>(
      LoadImageA(nullptr, animationPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  if (frames_) {
    BITMAP info{};
    GetObject(frames_.get(), sizeof info, &info);
    frameCount_ = (info.bmHeight % kHeight == 0 && info.bmHeight > 0) ? info.bmHeight / kHeight : 1;
  }
  return hwnd_ != nullptr;
}

void BusyWindow::enter(HWND mainWindow) {
  if (!hwnd_ || busy_) return;
  EnableWindow(mainWindow, FALSE);
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
  busy_ = true;
  if (frames_) thread_ = std::thread([this] { animate(); });
}

void BusyWindow::leave(HWND mainWindow) {
  busy_ = false;
  if (thread_.joinable()) thread_.join();
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
  EnableWindow(mainWindow, TRUE);
}

// Draws straight into the window's DC: the interface thread is busy, which is
// the point of this window.
void BusyWindow::animate() {
  const ui::MemoryDc memory(frames_.get());
  for (int frame = 0; busy_; frame = (frame + 1) % frameCount_) {
    {
      const ui::WindowDc dc(hwnd_);
      BitBlt(dc.get(), 0, 0, kWidth, kHeight, memory.get(), 0, frame * kHeight, SRCCOPY);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(67));
  }
}

}  // namespace qm::shell
