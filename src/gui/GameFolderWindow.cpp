#include "gui/GameFolderWindow.h"

#include <QLabel>
#include <utility>

#include "gui/DialogFont.h"
#include "gui/ShowInFront.h"

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 265 x 340 outside.
constexpr QSize kClientSize(257, 306);

}  // namespace

GameFolderWindow::GameFolderWindow(std::function<void(const QString&)> useFolder, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), useFolder_(std::move(useFolder)) {
  setObjectName(QStringLiteral("GameFolderWindow"));
  setWindowTitle(QStringLiteral("Manual Path Entry"));
  setFont(DialogFont());
  setModal(false);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kClientSize);

  auto* title = new QLabel(QStringLiteral("Please Choose your GP4 Folder :"), this);
  title->setObjectName(QStringLiteral("Title"));
  title->move(16, 8);
  title->adjustSize();
  folderTree_ = new FolderTreeView(false, this);
  folderTree_->setObjectName(QStringLiteral("FolderTree"));
  folderTree_->setGeometry(16, 32, 225, 233);
  okButton_ = new QPushButton(QStringLiteral("OK"), this);
  okButton_->setObjectName(QStringLiteral("OkButton"));
  okButton_->setGeometry(168, 272, 73, 25);
  okButton_->setDefault(true);

  QWidget::setTabOrder(folderTree_, okButton_);
  folderTree_->setFocus();
  connect(okButton_, &QPushButton::clicked, this, &GameFolderWindow::Accept);
}

void GameFolderWindow::OpenAt(const QString& folder) {
  if (!folder.isEmpty()) folderTree_->SelectFolder(folder);
  ShowInFront(*this);
}

void GameFolderWindow::Accept() {
  hide();
  useFolder_(folderTree_->SelectedFolder());
}

}  // namespace quillmoor
