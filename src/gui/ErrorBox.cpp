#include "gui/ErrorBox.h"

#include <QString>
#include <exception>

#include "io/IoError.h"

namespace quillmoor {

bool RunShowingErrors(Dialogs& dialogs, QWidget* parent, const std::function<void()>& work,
                      const std::function<void()>& beforeBox) {
  try {
    work();
    return true;
  } catch (const std::exception& error) {
    if (beforeBox) beforeBox();
    dialogs.Error(parent, QString::fromStdString(ErrorBoxText(error.what())));
    return false;
  }
}

}  // namespace quillmoor
