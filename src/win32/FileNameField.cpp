#include "win32/FileNameField.h"

#include <utility>

#include "win32/WindowText.h"

namespace quillmoor::win32 {

FileNameField::FileNameField(Dialogs& dialogs, OpenDialogSettings settings,
                             std::function<void()> browsed)
    : dialogs_(dialogs), settings_(std::move(settings)), browsed_(std::move(browsed)) {}

void FileNameField::Create(HWND window, int fieldId, int browseId, const DesignRect& place,
                           DpiScale scale, HFONT font) {
  const RECT field = scale(place);
  const int height = field.bottom - field.top;
  const int buttonSide = height - 2;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  browseButton_ =
      CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                      field.right - buttonSide - 1, field.top + 1, buttonSide, buttonSide, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(browseId)), instance, nullptr);
  edit_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_AUTOHSCROLL,
                      field.left, field.top, field.right - field.left, height, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(fieldId)), instance, nullptr);
  SendMessageW(browseButton_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  // The text never runs under the browse button.
  SendMessageW(edit_, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, buttonSide));
}

std::string FileNameField::Text() const { return TextOf(edit_); }

void FileNameField::SetText(const std::string& text) { win32::SetText(edit_, text); }

void FileNameField::Browse() {
  const std::vector<std::string> files = dialogs_.OpenFiles(GetParent(edit_), settings_);
  if (!files.empty()) SetText(files.front());
  browsed_();
}

}  // namespace quillmoor::win32
