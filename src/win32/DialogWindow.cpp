#include "win32/DialogWindow.h"

#include <vector>

#include "win32/WindowText.h"

namespace quillmoor::win32 {

namespace {

// An empty dialog template: no controls; its size is set in pixels once it exists.
std::vector<WORD> EmptyTemplate(DWORD style, DWORD extendedStyle) {
  DLGTEMPLATE header{};
  header.style = style;
  header.dwExtendedStyle = extendedStyle;
  std::vector<WORD> words(sizeof(header) / sizeof(WORD) + 3, 0);  // then no menu, class, title
  CopyMemory(words.data(), &header, sizeof(header));
  return words;
}

}  // namespace

// The window's last messages find no object any more: the part of it that handled them is
// already gone.
DialogWindow::~DialogWindow() {
  if (handle_ == nullptr) return;
  SetWindowLongPtrW(handle_, DWLP_USER, 0);
  DestroyWindow(handle_);
}

void DialogWindow::Create(HWND owner, const std::string& title, DWORD style, DWORD extendedStyle,
                          DesignSize clientSize) {
  const std::vector<WORD> empty = EmptyTemplate(style, extendedStyle);
  handle_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                       reinterpret_cast<const DLGTEMPLATE*>(empty.data()), owner,
                                       Procedure, reinterpret_cast<LPARAM>(this));
  SetText(handle_, title);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  const SIZE outer = OuterSizeFor(clientSize);
  SetWindowPos(handle_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND DialogWindow::AddControl(const wchar_t* windowClass, const std::string& text, DWORD style,
                              int id, const DesignRect& place) {
  const RECT scaled = scale_(place);
  HWND control = CreateWindowExW(
      0, windowClass, Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, scaled.left, scaled.top,
      scaled.right - scaled.left, scaled.bottom - scaled.top, handle_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND DialogWindow::AddLabel(const std::string& text, int id, const DesignRect& place) {
  HWND label = AddControl(L"STATIC", text, SS_LEFTNOWORDWRAP | SS_NOPREFIX, id, place);
  HDC dc = GetDC(label);
  HGDIOBJ previous = SelectObject(dc, font_);
  const std::wstring wide = Wide(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(dc, previous);
  ReleaseDC(label, dc);
  if (extent.cx > scale_(place.width)) {
    SetWindowPos(label, nullptr, 0, 0, extent.cx, scale_(place.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return label;
}

SIZE DialogWindow::OuterSizeFor(DesignSize clientSize) const {
  RECT outer = scale_(DesignRect{0, 0, clientSize.width, clientSize.height});
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE)));
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void DialogWindow::CentreOnScreen() {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT window;
  GetWindowRect(handle_, &window);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(handle_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<DialogWindow*>(lParam)->handle_ = window;
  }
  auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  LRESULT result = 0;
  if (!self->HandleMessage(message, wParam, lParam, result)) return FALSE;
  if (message == WM_INITDIALOG) return static_cast<INT_PTR>(result);
  SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
  return TRUE;
}

HFONT CreateDialogFont(DpiScale scale) {
  LOGFONTW font{};
  font.lfHeight = -scale(11);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

}  // namespace quillmoor::win32
