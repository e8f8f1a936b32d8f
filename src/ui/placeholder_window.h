#pragma once

#include <QLabel>

namespace tarnvel {

// Stands in for the main window until it is built.
class PlaceholderWindow : public QLabel {
  Q_OBJECT
 public:
  PlaceholderWindow();
};

}  // namespace tarnvel
