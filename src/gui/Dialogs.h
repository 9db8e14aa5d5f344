// Every dialog and message box of the main window goes through here, so that tests can answer
// them without a person.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "frontend/MainWindowLayout.h"

class QWidget;

namespace quillmoor {

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The files chosen, in the order the dialog gives them; none when cancelled.
  virtual QStringList OpenFiles(QWidget* parent, const OpenDialogSettings& settings) = 0;
  // The file name confirmed; nothing when cancelled.
  virtual std::optional<QString> SaveFile(QWidget* parent, const QString& title,
                                          const QString& fileName, const QString& filter) = 0;
  // A message box with the program's title as its caption, no icon and one OK.
  virtual void Message(QWidget* parent, const QString& text) = 0;
  // A question with the same caption and Yes and No, No the default; true for Yes.
  virtual bool Question(QWidget* parent, const QString& text) = 0;
  // The error box: the same with an error icon.
  virtual void Error(QWidget* parent, const QString& text) = 0;
};

// The dialogs a person answers.
class QtDialogs final : public Dialogs {
 public:
  QStringList OpenFiles(QWidget* parent, const OpenDialogSettings& settings) override;
  std::optional<QString> SaveFile(QWidget* parent, const QString& title, const QString& fileName,
                                  const QString& filter) override;
  void Message(QWidget* parent, const QString& text) override;
  bool Question(QWidget* parent, const QString& text) override;
  void Error(QWidget* parent, const QString& text) override;
};

// The name filters a Qt file dialog shows for a "description|pattern" filter: the
// description shown, the patterns applied ("*.*" stands for every name, as on Windows).
QStringList QtNameFilters(const QString& filter);

}  // namespace quillmoor
