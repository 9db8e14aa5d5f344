#include "gui/FolderPicker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 212 x 309 outside.
constexpr QSize kClientSize(204, 275);

QWidget* Panel(const char* name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

}  // namespace

FolderPicker::FolderPicker(std::function<void(const QString&)> setSource, QWidget* parent)
    : FolderDialog("FolderPicker", "Select Files...", kClientSize, FolderChanges::Followed,
                   std::move(setSource), parent) {
  QWidget* titlePanel = Panel("TitlePanel", this);
  titlePanel->setFixedHeight(20);
  auto* title = new QLabel(QStringLiteral("Please choose a folder"), titlePanel);
  title->setObjectName(QStringLiteral("Title"));
  title->move(10, 4);
  title->adjustSize();

  QWidget* leftMargin = Panel("LeftMargin", this);
  leftMargin->setFixedWidth(9);
  QWidget* rightMargin = Panel("RightMargin", this);
  rightMargin->setFixedWidth(9);

  QWidget* buttonPanel = Panel("ButtonPanel", this);
  buttonPanel->setFixedHeight(36);
  okButton_->setFixedSize(73, 20);
  // Anchored to the panel's top and right edges: 8 from the top, 11 from the right.
  auto* buttonRow = new QHBoxLayout(buttonPanel);
  buttonRow->setContentsMargins(0, 8, 11, 0);
  buttonRow->addStretch();
  buttonRow->addWidget(okButton_, 0, Qt::AlignTop);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(0);
  middle->addWidget(leftMargin);
  middle->addWidget(folderTree_);
  middle->addWidget(rightMargin);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(titlePanel);
  column->addLayout(middle);
  column->addWidget(buttonPanel);
  FocusTree();
}

}  // namespace quillmoor
