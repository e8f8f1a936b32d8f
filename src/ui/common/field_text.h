// The windows hand their fields to the core as UTF-8 text.
#pragma once

#include <QLineEdit>
#include <string>

namespace tarnvel {

inline std::string FieldText(const QLineEdit* box) {
  return box->text().toStdString();
}

}  // namespace tarnvel
