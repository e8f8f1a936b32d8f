// Every message the windows show goes through this interface, so that tests
// can read what was shown without running a modal loop.
#pragma once

#include <QString>

#include "refusal.h"

class QWidget;

namespace tarnvel {

// The caption of every message box of the system but one.
inline const QString kMessageCaption = QStringLiteral("提示");

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal box with a single OK button; returns when it is closed. An empty
  // caption leaves the box with the application's own title.
  virtual void show(QWidget* parent, const QString& text, MessageIcon icon,
                    const QString& caption) = 0;
};

// The real one, a QMessageBox.
class QtMessageBoxes : public MessageBoxes {
 public:
  void show(QWidget* parent, const QString& text, MessageIcon icon,
            const QString& caption) override;
};

// Shows a refusal of the computations (caption "提示", or the application's
// name for a message without icon), then puts the keyboard focus into the
// field it names, a child of `window`.
void ShowRefusal(MessageBoxes& boxes, QWidget* window, const Refusal& refusal);

}  // namespace tarnvel
