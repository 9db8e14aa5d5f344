#include "gui/GameFolderWindow.h"

#include <QLabel>
#include <utility>

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 265 x 340 outside.
constexpr QSize kClientSize(257, 306);

}  // namespace

GameFolderWindow::GameFolderWindow(std::function<void(const QString&)> useFolder, QWidget* parent)
    : FolderDialog("GameFolderWindow", "Manual Path Entry", kClientSize, FolderChanges::Ignored,
                   std::move(useFolder), parent) {
  auto* title = new QLabel(QStringLiteral("Please Choose your GP4 Folder :"), this);
  title->setObjectName(QStringLiteral("Title"));
  title->move(16, 8);
  title->adjustSize();
  folderTree_->setGeometry(16, 32, 225, 233);
  okButton_->setGeometry(168, 272, 73, 25);
  FocusTree();
}

}  // namespace quillmoor
