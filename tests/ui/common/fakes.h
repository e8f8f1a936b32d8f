// Stand-ins for the message boxes and the platform: they record what the
// windows asked for instead of showing or starting anything.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVector>

#include "ui/common/message_boxes.h"
#include "ui/common/platform.h"

namespace tarnvel::testing_support {

struct ShownMessage {
  QString text;
  MessageIcon icon;
  QString caption;
};

class FakeMessageBoxes : public MessageBoxes {
 public:
  void show(QWidget*, const QString& text, MessageIcon icon, const QString& caption) override {
    shown.push_back({text, icon, caption});
  }
  QVector<ShownMessage> shown;
};

class FakePlatform : public Platform {
 public:
  bool startCalculator(QString* error) override {
    calls << QStringLiteral("calculator");
    return Answer(error);
  }
  bool openTextEditor(const QString& text, QString* error) override {
    calls << QStringLiteral("editor");
    editorText = text;
    return Answer(error);
  }
  bool openWebPage(const QUrl& url, QString* error) override {
    calls << QStringLiteral("browser");
    pages << url;
    return Answer(error);
  }

  bool fail = false;  // make every start fail, as on a desktop without the program
  QStringList calls;
  QString editorText;
  QList<QUrl> pages;

 private:
  bool Answer(QString* error) {
    if (fail && error) *error = QStringLiteral("没有这个程序");
    return !fail;
  }
};

}  // namespace tarnvel::testing_support

// The file dialogs, answered from a script instead of by the user.
#include "ui/common/file_dialog.h"

namespace tarnvel::testing_support {

class FakeFileDialogs : public FileDialogs {
 public:
  QString getOpenFileName(QWidget*, const QString& fileTypes, const QString& initialName) override {
    return Answer(QStringLiteral("open"), fileTypes, initialName);
  }
  QString getSaveFileName(QWidget*, const QString& fileTypes, const QString& initialName,
                          QString* selectedType) override {
    if (selectedType) {
      offeredTypes << *selectedType;
      const QString chosen = answerTypes.isEmpty() ? QString() : answerTypes.takeFirst();
      if (!chosen.isEmpty()) *selectedType = chosen;
    }
    return Answer(QStringLiteral("save"), fileTypes, initialName);
  }

  QStringList answers;       // the names to choose, first first; "" or none left cancels
  QStringList answerTypes;   // the type to choose in each typed save; "" or none left keeps it
  QStringList kinds;         // "open" or "save", one per dialog shown
  QStringList fileTypes;     // the file-type list each dialog was given
  QStringList initialNames;  // the name each dialog offered
  QStringList offeredTypes;  // the type each typed save offered first

 private:
  QString Answer(const QString& kind, const QString& types, const QString& initialName) {
    kinds << kind;
    fileTypes << types;
    initialNames << initialName;
    return answers.isEmpty() ? QString() : answers.takeFirst();
  }
};

}  // namespace tarnvel::testing_support
