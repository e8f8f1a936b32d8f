// Every message the windows show goes through this interface, so that tests
// can read what was shown without running a modal loop.
#pragma once

#include <QString>

#include "core/text/refusal.h"

class QWidget;

namespace tarnvel {

// The icon of a message box: missing input is an information; a value the
// computation cannot take is a warning (the exclamation-mark icon).
enum class MessageIcon { Information, Exclamation, None };

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

// Shows a refusal of the computations, its icon and caption chosen by its
// kind, then puts the keyboard focus into `field`, the window's control for
// the field the refusal names (none: the focus stays).
void ShowRefusal(MessageBoxes& boxes, QWidget* window, const Refusal& refusal, QWidget* field);

}  // namespace tarnvel
