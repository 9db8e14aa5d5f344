#include "ManualPath/TForm5.h"

#include <QLabel>
#include <utility>

#include "WadUnit/DialogFont.h"
#include "paths/FileExists.h"
#include "paths/PathText.h"

namespace quillmoor {

namespace {

// The window's client area; its frame makes it 265 x 340 outside.
constexpr QSize kClientSize(257, 306);

}  // namespace

TForm5::TForm5(SettingsValues& settings, std::function<void()> rerunStartupFill, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      settings_(settings),
      rerunStartupFill_(std::move(rerunStartupFill)) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("Manual Path Entry"));
  setFont(DialogFont());
  setModal(false);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kClientSize);

  auto* label1 = new QLabel(QStringLiteral("Please Choose your GP4 Folder :"), this);
  label1->setObjectName(QStringLiteral("Label1"));
  label1->move(16, 8);
  label1->adjustSize();
  shellTreeView1_ = new FolderTree(false, this);
  shellTreeView1_->setObjectName(QStringLiteral("ShellTreeView1"));
  shellTreeView1_->setGeometry(16, 32, 225, 233);
  button1_ = new QPushButton(QStringLiteral("OK"), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setGeometry(168, 272, 73, 25);
  button1_->setDefault(true);

  QWidget::setTabOrder(shellTreeView1_, button1_);
  shellTreeView1_->setFocus();
  connect(button1_, &QPushButton::clicked, this, &TForm5::Button1Click);
}

void TForm5::Button1Click() {
  const std::string folder = shellTreeView1_->SelectedFolder().toStdString();
  if (FileExists(folder + kNativeSeparator + "GP4.exe")) {
    settings_.Write(kGamePathSetting, folder);
    rerunStartupFill_();
  }
  hide();
}

}  // namespace quillmoor
