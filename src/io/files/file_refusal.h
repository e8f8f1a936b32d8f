// What a file operation gives back when it could not be done: the message to
// show. Nothing was written or read, and whatever the user had stays as it was.
#pragma once

#include <QDir>
#include <QString>
#include <variant>

namespace tarnvel {

// Shown with the caption "提示" and the exclamation-mark icon. Unlike a
// computation's refusal it names no field: the fault lies in the file.
struct FileRefusal {
  QString message;

  bool operator==(const FileRefusal&) const = default;
};

template <class Result>
using FileOutcome = std::variant<FileRefusal, Result>;

// The file as messages name it: its full path with the system's separators.
inline QString FileNameForMessage(const QString& path) {
  return QDir::toNativeSeparators(path);
}

// "无法保存文件“…”：reason！"
inline FileRefusal CannotSave(const QString& path, const QString& reason) {
  return {QStringLiteral("无法保存文件“%1”：%2！").arg(FileNameForMessage(path), reason)};
}

// "无法打开文件“…”：reason！"
inline FileRefusal CannotOpen(const QString& path, const QString& reason) {
  return {QStringLiteral("无法打开文件“%1”：%2！").arg(FileNameForMessage(path), reason)};
}

}  // namespace tarnvel
