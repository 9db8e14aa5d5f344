// A window of Quillmoor's: a modeless dialog made without a resource, so that the dialog
// manager gives it the keyboard of a dialog (Tab and Shift+Tab through the controls, Enter
// on the default or focused button), with its controls placed in design pixels.
#pragma once

#include <windows.h>

#include <string>

#include "win32/DpiScale.h"

namespace quillmoor::win32 {

class DialogWindow {
 public:
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND Handle() const { return handle_; }

 protected:
  DialogWindow(DpiScale scale, HFONT font) : scale_(scale), font_(font) {}
  virtual ~DialogWindow();

  // Makes the window, hidden: title, window styles, and the client size in design pixels.
  // owner is the window this one stays above, or none.
  void Create(HWND owner, const std::string& title, DWORD style, DWORD extendedStyle,
              DesignSize clientSize);
  // A child control at a place in design pixels, in the dialog font. Controls made one after
  // the other follow each other in the keyboard order.
  HWND AddControl(const wchar_t* windowClass, const std::string& text, DWORD style, int id,
                  const DesignRect& place);
  // A label at place, widened to its text where that is wider, so that the text shows whole
  // in whatever face stands in for the dialog font.
  HWND AddLabel(const std::string& text, int id, const DesignRect& place);
  // The outer size that gives a client area of clientSize design pixels.
  SIZE OuterSizeFor(DesignSize clientSize) const;
  // Puts the window at the centre of the screen's work area.
  void CentreOnScreen();

  // The window's messages; returns whether it handled message (and sets result if it did).
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;

  DpiScale scale_;
  HFONT font_;

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND handle_ = nullptr;
};

// The dialog font, "MS Sans Serif" at 8 points (11 pixels high at 96 dots per inch).
HFONT CreateDialogFont(DpiScale scale);

}  // namespace quillmoor::win32
