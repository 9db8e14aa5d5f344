// Where a user's action in a window starts, its failures end: with the error box, after which
// the program goes on.
#pragma once

#include <functional>

#include "gui/Dialogs.h"

class QWidget;

namespace quillmoor {

// Runs work, the whole of what a window does for one action of the user. When it throws,
// beforeBox (if any) runs and the error box shows the failure's text; nothing escapes. Gives
// whether work ran to its end.
bool RunShowingErrors(Dialogs& dialogs, QWidget* parent, const std::function<void()>& work,
                      const std::function<void()>& beforeBox = {});

}  // namespace quillmoor
