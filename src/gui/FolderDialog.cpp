#include "gui/FolderDialog.h"

#include <utility>

#include "gui/DialogFont.h"

namespace quillmoor {

FolderDialog::FolderDialog(const char* name, const char* title, QSize clientSize,
                           FolderChanges changes, std::function<void(const QString&)> accepted,
                           QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      FolderWindowActions([accepted = std::move(accepted)](const std::string& folder) {
        accepted(QString::fromStdString(folder));
      }),
      folderTree_(new FolderTreeView(changes, this)),
      okButton_(new QPushButton(QStringLiteral("OK"), this)) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(QString::fromLatin1(title));
  setFont(DialogFont());
  setModal(false);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(clientSize);
  folderTree_->setObjectName(QStringLiteral("FolderTree"));
  okButton_->setObjectName(QStringLiteral("OkButton"));
  okButton_->setDefault(true);
  connect(okButton_, &QPushButton::clicked, this, [this] { Accept(); });
}

void FolderDialog::FocusTree() {
  QWidget::setTabOrder(folderTree_, okButton_);
  folderTree_->setFocus();
}

void FolderDialog::SelectFolder(const std::string& folder) {
  folderTree_->SelectFolder(QString::fromStdString(folder));
}

std::string FolderDialog::SelectedFolder() const {
  return folderTree_->SelectedFolder().toStdString();
}

void FolderDialog::ShowInFront() {
  show();
  raise();
  activateWindow();
}

}  // namespace quillmoor
