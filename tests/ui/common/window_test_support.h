// What the tool-window tests share: clicking a named button, reading a named
// box, and the keyboard's path through a window.
#pragma once

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace tarnvel::testing_support {

inline QLineEdit* Box(QWidget* window, const char* name) {
  auto* box = window->findChild<QLineEdit*>(QString::fromLatin1(name));
  if (!box) qFatal("no box %s", name);
  return box;
}

inline void Click(QWidget* window, const char* button) {
  auto* b = window->findChild<QPushButton*>(QString::fromLatin1(button));
  if (!b) qFatal("no button %s", button);
  QTest::mouseClick(b, Qt::LeftButton);
}

// The controls the Tab key visits, in order, starting from the window.
inline QStringList TabOrder(QWidget* window) {
  QStringList names;
  for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain())
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden())
      names << w->objectName();
  return names;
}

inline QString FocusName(QWidget* window) {
  return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

}  // namespace tarnvel::testing_support
