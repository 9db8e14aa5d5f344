#include "win32/TextProgressBar.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quillmoor::win32 {

namespace {

const COLORREF kGround = RGB(166, 202, 240);
const COLORREF kFill = RGB(105, 174, 231);

int PositionOf(HWND bar) { return static_cast<int>(GetWindowLongPtrW(bar, 0)); }

void Paint(HWND bar) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(bar, &paint);
  RECT inside;
  GetClientRect(bar, &inside);
  DrawEdge(dc, &inside, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  HBRUSH ground = CreateSolidBrush(kGround);
  FillRect(dc, &inside, ground);
  DeleteObject(ground);
  RECT filled = inside;
  filled.right = inside.left + (inside.right - inside.left) * PositionOf(bar) / 100;
  HBRUSH fill = CreateSolidBrush(kFill);
  FillRect(dc, &filled, fill);
  DeleteObject(fill);

  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(bar)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(bar, text.data(), static_cast<int>(text.size()))));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
  HGDIOBJ previousFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (previousFont != nullptr) SelectObject(dc, previousFont);
  EndPaint(bar, &paint);
}

LRESULT CALLBACK BarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PBM_SETPOS: {
      const int previous = PositionOf(bar);
      SetWindowLongPtrW(bar, 0, std::clamp(static_cast<int>(wParam), 0, 100));
      InvalidateRect(bar, nullptr, FALSE);
      return previous;
    }
    case PBM_GETPOS:
      return PositionOf(bar);
    case WM_SETFONT:
      SetWindowLongPtrW(bar, sizeof(LONG_PTR), static_cast<LONG_PTR>(wParam));
      if (LOWORD(lParam) != 0) InvalidateRect(bar, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(bar, sizeof(LONG_PTR));
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(bar, message, wParam, lParam);
      InvalidateRect(bar, nullptr, FALSE);
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      Paint(bar);
      return 0;
    default:
      return DefWindowProcW(bar, message, wParam, lParam);
  }
}

}  // namespace

void RegisterTextProgressBar() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = BarProc;
  windowClass.cbWndExtra = 2 * sizeof(LONG_PTR);  // the position, the font
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kTextProgressBarClass;
  RegisterClassExW(&windowClass);
}

}  // namespace quillmoor::win32
