// What a file operation gives back when it could not be done: the message to
// show. Nothing was written or read, and whatever the user had stays as it was.
#pragma once

#include <QDir>
#include <QString>
#include <utility>
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

// What a reader found wrong in a file's content. A reader is given the bytes,
// never the file, so it cannot name the file: it says where the fault lies,
// and the one place that opened the file adds its name (InFile).
struct ContentRefusal {
  int line = 0;   // 1-based; 0 when the fault is the file's as a whole
  QString field;  // the field at fault by its column name; empty when none is
  QString rest;   // the message after "文件“…”第5行", or after "文件“…”"

  bool operator==(const ContentRefusal&) const = default;
};

template <class Result>
using ContentOutcome = std::variant<ContentRefusal, Result>;

// The file as messages name it: its full path with the system's separators.
inline QString FileNameForMessage(const QString& path) {
  return QDir::toNativeSeparators(path);
}

// Where in its source a refusal lies, as a message says it after the
// source's name: "第5行" and the rest, or the rest alone.
inline QString PlaceAndRest(const ContentRefusal& refusal) {
  if (refusal.line <= 0) return refusal.rest;
  return QStringLiteral("第%1行").arg(refusal.line) + refusal.rest;
}

// The refusal said of the file at `path`: "文件“…”第5行“X”不是有效的数字！".
inline FileRefusal InFile(const QString& path, const ContentRefusal& refusal) {
  return {QStringLiteral("文件“%1”").arg(FileNameForMessage(path)) + PlaceAndRest(refusal)};
}

// A reader's outcome with its refusal said of the file at `path`.
template <class Result>
FileOutcome<Result> InFile(const QString& path, ContentOutcome<Result>&& outcome) {
  if (const auto* refusal = std::get_if<ContentRefusal>(&outcome)) return InFile(path, *refusal);
  return std::get<Result>(std::move(outcome));
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
