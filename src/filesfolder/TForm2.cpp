#include "filesfolder/TForm2.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "WadUnit/DialogFont.h"

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

TForm2::TForm2(std::function<void(const QString&)> setSource, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), setSource_(std::move(setSource)) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Select Files..."));
  setFont(DialogFont());
  setModal(false);
  // Closing the main window ends the program even while this one is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(kClientSize);

  QWidget* panel4 = Panel("Panel4", this);
  panel4->setFixedHeight(20);
  auto* label1 = new QLabel(QStringLiteral("Please choose a folder"), panel4);
  label1->setObjectName(QStringLiteral("Label1"));
  label1->move(10, 4);
  label1->adjustSize();

  QWidget* panel2 = Panel("Panel2", this);
  panel2->setFixedWidth(9);
  shellTreeView1_ = new FolderTree(true, this);
  shellTreeView1_->setObjectName(QStringLiteral("ShellTreeView1"));
  QWidget* panel3 = Panel("Panel3", this);
  panel3->setFixedWidth(9);

  QWidget* panel1 = Panel("Panel1", this);
  panel1->setFixedHeight(36);
  lmdButton1_ = new QPushButton(QStringLiteral("OK"), panel1);
  lmdButton1_->setObjectName(QStringLiteral("LMDButton1"));
  lmdButton1_->setDefault(true);
  lmdButton1_->setFixedSize(73, 20);
  // Anchored to the panel's top and right edges: 8 from the top, 11 from the right.
  auto* buttonRow = new QHBoxLayout(panel1);
  buttonRow->setContentsMargins(0, 8, 11, 0);
  buttonRow->addStretch();
  buttonRow->addWidget(lmdButton1_, 0, Qt::AlignTop);

  auto* middle = new QHBoxLayout;
  middle->setSpacing(0);
  middle->addWidget(panel2);
  middle->addWidget(shellTreeView1_);
  middle->addWidget(panel3);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(panel4);
  column->addLayout(middle);
  column->addWidget(panel1);

  QWidget::setTabOrder(shellTreeView1_, lmdButton1_);
  shellTreeView1_->setFocus();
  connect(lmdButton1_, &QPushButton::clicked, this, &TForm2::OKClick);
}

void TForm2::OKClick() {
  const QString folder = shellTreeView1_->SelectedFolder();
  hide();
  setSource_(folder);
}

}  // namespace quillmoor
