#include "app/info_view/info_view_win.h"

#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "app/settings/settings.h"

namespace qm::shell {
namespace {

constexpr const char* kClass = "QuillmoorInfoView";
constexpr int kMargin = 8;
constexpr int kLabelGap = 10;
constexpr int kColumnGap = 24;
constexpr int kColumnWidth = 360;  // label and value; more columns follow while they fit
constexpr UINT kPictureReady = WM_APP + 1;
constexpr int kSmallestPicture = 48;  // pixels a side; a narrower pane shows no picture

void fillRect(HDC dc, const RECT& box, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &box, nullptr, 0, nullptr);
}

int textWidth(HDC dc, HFONT font, const std::string& text) {
  ui::Selected selected(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

void drawText(HDC dc, HFONT font, COLORREF colour, const std::string& text, RECT box, UINT format) {
  ui::Selected selected(dc, font);
  SetTextColor(dc, colour);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_NOPREFIX | DT_SINGLELINE);
}

}  // namespace

bool InformationView::registerClass(HINSTANCE instance) {
  WNDCLASSEXA cls{};
  cls.cbSize = sizeof cls;
  cls.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  cls.lpfnWndProc = procedure;
  cls.hInstance = instance;
  cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
  cls.lpszClassName = kClass;
  return RegisterClassExA(&cls) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND InformationView::create(HWND parent, int id) {
  hwnd_ = CreateWindowExA(WS_EX_CLIENTEDGE, kClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 10, 10, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), this);
  if (hwnd_) picture_.attach(hwnd_, kPictureReady);
  return hwnd_;
}

void InformationView::prepare(const Settings& settings) {
  const auto face = [&](Face& into, const char* prefix) {
    const FontSpec font = fontSpec(settings, "InfoViewFont", prefix);
    into.font.reset(CreateFontA(font.height, 0, 0, 0, font.weight, font.italic, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                font.face.c_str()));
    into.colour = static_cast<COLORREF>(font.color.value_or(0));
    into.height = std::abs(font.height) + 6;
  };
  face(title_, "Title");
  face(maker_, "Maker");
  face(normal_, "Normal");
  face(mini_, "Mini");
  back_ = static_cast<COLORREF>(settings.number(Setting::InfoBackColor));
  frame1_ = static_cast<COLORREF>(settings.number(Setting::InfoFrame1Color));
  frame2_ = static_cast<COLORREF>(settings.number(Setting::InfoFrame2Color));
  pictureWidth_ = settings.number(Setting::SnapShotWidth);
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void InformationView::preparePictures(const snapshots::FindSettings& rules, std::function<void()> openPictures) {
  rules_ = rules;
  openPictures_ = std::move(openPictures);
}

void InformationView::show(InfoRecord record, const std::optional<snapshots::ItemSnapshots>& pictures) {
  record_ = std::move(record);
  fit_ = snapshots::displayFit(pictures ? pictures->displayText : std::string());
  placePicture();
  picture_.show(pictures, 0, rules_);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void InformationView::placePicture() {
  RECT client;
  GetClientRect(hwnd_, &client);
  const RECT box = pictureBox(client);
  snapshots::Placement placement;
  placement.area = {box.right - box.left, box.bottom - box.top};
  placement.fit = fit_;
  placement.background = back_;
  picture_.place(placement);
}

int InformationView::headingBottom(const RECT& client) const {
  return std::min<int>(client.bottom, kMargin + title_.height + maker_.height + kMargin / 2);
}

// On the right, under the heading, 4:3 with the label of the rule under it.
RECT InformationView::pictureBox(const RECT& client) const {
  const int width = std::min<int>(pictureWidth_, (client.right - 2 * kMargin) / 2);
  const int top = headingBottom(client) + kMargin;
  const int height = std::min(width * 3 / 4, static_cast<int>(client.bottom) - top - kMargin - mini_.height);
  if (width < kSmallestPicture || height < kSmallestPicture) return {};
  return {client.right - kMargin - width, top, client.right - kMargin, top + height};
}

LRESULT CALLBACK InformationView::procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<InformationView*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      // Drawn off screen first: a resize by the splitter repaints without flicker.
      HDC memory = CreateCompatibleDC(dc);
      ui::OwnedBitmap bitmap(CreateCompatibleBitmap(dc, std::max<int>(1, client.right), std::max<int>(1, client.bottom)));
      {
        ui::Selected selected(memory, bitmap.get());
        if (self) self->paint(memory, client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      }
      DeleteDC(memory);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case kPictureReady:
      if (self) self->picture_.take();
      return 0;
    case WM_SIZE:
      if (self) self->placePicture();
      break;
    case WM_LBUTTONDBLCLK:
      if (self && self->openPictures_ && !self->record_.empty()) {
        RECT client;
        GetClientRect(hwnd, &client);
        const RECT box = self->pictureBox(client);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&box, at)) self->openPictures_();
      }
      return 0;
    case WM_DESTROY:
      if (self) self->picture_.detach();
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      if (self) self->hwnd_ = nullptr;
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

void InformationView::paint(HDC dc, const RECT& client) const {
  fillRect(dc, client, back_);
  if (record_.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  // The heading: the title in its large face and the maker under it on a band.
  const int headingBottom = this->headingBottom(client);
  fillRect(dc, {client.left, client.top, client.right, headingBottom}, frame2_);
  fillRect(dc, {client.left, headingBottom, client.right, std::min<int>(client.bottom, headingBottom + 1)}, frame1_);
  RECT line{kMargin, kMargin, client.right - kMargin, kMargin + title_.height};
  drawText(dc, title_.font.get(), title_.colour, record_.title, line, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
  line.top = line.bottom;
  line.bottom = line.top + maker_.height;
  drawText(dc, maker_.font.get(), maker_.colour, record_.maker, line, DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);

  // The picture, framed, with the rule that found it under it.
  RECT textArea = client;
  if (const RECT box = pictureBox(client); box.right > box.left) {
    textArea.right = box.left - kColumnGap;
    const RECT frame{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
    fillRect(dc, frame, frame1_);
    fillRect(dc, box, back_);
    picture_.draw(dc, box, mini_.font.get(), mini_.colour);
    if (const snapshots::PictureResult* result = picture_.result(); result && !result->label.empty())
      drawText(dc, mini_.font.get(), mini_.colour, result->label,
               {box.left, box.bottom + 2, box.right, box.bottom + 2 + mini_.height}, DT_RIGHT | DT_END_ELLIPSIS);
  }

  // The lines: labels right-aligned in their own column, values beside them.
  int labelWidth = 0;
  for (const InfoLine& info : record_.lines)
    labelWidth = std::max(labelWidth, textWidth(dc, mini_.font.get(), info.label));
  const int rowHeight = std::max(normal_.height, mini_.height);
  const int top = headingBottom + kMargin;
  int x = kMargin;
  int y = top;
  for (const InfoLine& info : record_.lines) {
    if (y + rowHeight > client.bottom && y > top) {
      // On into the next column while there is room for one.
      x += kColumnWidth + kColumnGap;
      y = top;
      if (x + labelWidth + kLabelGap + 40 > textArea.right) break;
    }
    const int right = std::min<int>(textArea.right - kMargin, x + kColumnWidth);
    drawText(dc, mini_.font.get(), mini_.colour, info.label, {x, y, x + labelWidth, y + rowHeight},
             DT_RIGHT | DT_VCENTER);
    fillRect(dc, {x + labelWidth + kLabelGap / 2, y + 3, x + labelWidth + kLabelGap / 2 + 1, y + rowHeight - 3},
             frame1_);
    drawText(dc, normal_.font.get(), normal_.colour, info.value, {x + labelWidth + kLabelGap, y, right, y + rowHeight},
             DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
    y += rowHeight;
  }
}

}  // namespace qm::shell
