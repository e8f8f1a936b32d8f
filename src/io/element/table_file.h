// The results table file: the continuous-computation table as the results box
// Text12 shows it, under a title and above a signature line for the people
// who compute, check and supervise the work. The system never reads it back.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "io/files/file_refusal.h"

namespace tarnvel {

inline const QString kTableTitle = QStringLiteral("                曲线坐标计算成果表");
inline const QString kTableRule = QStringLiteral("             ------------------------");
inline const QString kTableSignature =
    QStringLiteral("计算：林川                复核：                 监理：");

// The file's text, every line ended by CR LF: two empty lines, the title, the
// rule, an empty line, the box text followed by one line end, two empty lines
// and the signature. The box text is taken as it is, edits included; only its
// line ends are written as CR LF whichever form the box gave them in.
QString TableFileText(const QString& box_text);

// Writes the file (code page 936, no byte-order mark), replacing any file of
// that name. Nothing on success.
std::optional<FileRefusal> SaveTableFile(const QString& path, const QString& box_text);

// The box text a piece at a time, in order; an empty piece once all are
// given. A piece never ends between a CR and its LF.
using TextPieces = std::function<QString()>;

// The same from pieces of the box text, so that a million-row table is never
// held whole as UTF-16 beside its file bytes. `size_hint` is about the text's
// length in characters, to reserve the file's bytes once.
std::optional<FileRefusal> SaveTableFile(const QString& path, const TextPieces& pieces,
                                         qsizetype size_hint);

}  // namespace tarnvel
