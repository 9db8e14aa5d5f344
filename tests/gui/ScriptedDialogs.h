// Dialogs answered by the test: each dialog takes the next answer queued for it and records
// how it was shown.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "AnswerQueue.h"
#include "gui/Dialogs.h"

namespace quillmoor::testing {

struct ShownSaveDialog {
  QString title;
  QString fileName;
  QString filter;
};

class ScriptedDialogs final : public Dialogs {
 public:
  std::deque<QStringList> openAnswers;  // empty list: cancelled
  std::deque<QString> saveAnswers;      // a null text: cancelled
  std::vector<OpenDialogSettings> openShown;
  std::vector<ShownSaveDialog> saveShown;
  std::vector<QString> messages;
  std::vector<QString> errors;
  std::deque<bool> questionAnswers;  // none left: No
  std::vector<QString> questions;

  QStringList OpenFiles(QWidget*, const OpenDialogSettings& settings) override {
    openShown.push_back(settings);
    return TakeNextAnswer(openAnswers, QStringList());
  }
  std::optional<QString> SaveFile(QWidget*, const QString& title, const QString& fileName,
                                  const QString& filter) override {
    saveShown.push_back({title, fileName, filter});
    const QString answer = TakeNextAnswer(saveAnswers, QString());
    if (answer.isNull()) return std::nullopt;
    return answer;
  }
  void Message(QWidget*, const QString& text) override { messages.push_back(text); }
  void Error(QWidget*, const QString& text) override { errors.push_back(text); }
  bool Question(QWidget*, const QString& text) override {
    questions.push_back(text);
    return TakeNextAnswer(questionAnswers, false);
  }
};

}  // namespace quillmoor::testing
