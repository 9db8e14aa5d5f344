// A file-name field: a text field with a browse button at its right end that opens a file
// dialog and puts the first chosen file's full path into the field.
#pragma once

#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

#include "frontend/MainWindowLayout.h"
#include "gui/Dialogs.h"

namespace quillmoor {

class FileNameEdit final : public QWidget {
  Q_OBJECT

 public:
  FileNameEdit(Dialogs& dialogs, OpenDialogSettings settings, QWidget* parent);

  QString Text() const { return edit_->text(); }
  void SetText(const QString& text) { edit_->setText(text); }
  // The folder the dialog starts in next time.
  void SetInitialFolder(const std::string& folder) { settings_.initialFolder = folder; }
  const OpenDialogSettings& DialogSettings() const { return settings_; }
  QLineEdit* LineEdit() const { return edit_; }
  QToolButton* BrowseButton() const { return button_; }

  // Opens the dialog as the browse button does.
  void Browse();

 signals:
  // The dialog has closed, confirmed or cancelled.
  void Browsed();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  Dialogs& dialogs_;
  OpenDialogSettings settings_;
  QLineEdit* edit_;
  QToolButton* button_;
};

}  // namespace quillmoor
