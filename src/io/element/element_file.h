// The element data file: the eight element fields, one a line, each followed
// by a description of the field, so that the file explains itself and can be
// written or corrected by hand. Only the number each line starts with is read
// back.
#pragma once

#include <QString>
#include <array>
#include <optional>

#include "io/files/file_refusal.h"

namespace tarnvel {

// The texts of Text1 to Text8 as the main window holds them, in field order.
using ElementFieldTexts = std::array<QString, 8>;

// What follows the value on line n (n = 1…8 at index n−1).
inline const std::array<QString, 8> kElementDescriptions = {
    QStringLiteral("起点桩号K(曲线起点里程)"),
    QStringLiteral("止点桩号K(曲线止点里程)"),
    QStringLiteral("起点坐标X(曲线起点坐标X)"),
    QStringLiteral("起点坐标Y(曲线起点坐标Y)"),
    QStringLiteral("起点方位角F(d.ms格式:98°56ˊ55.62″为98.565562)"),
    QStringLiteral("起点半径RQ(直线接曲线输入0、曲线接曲线输入半径R)"),
    QStringLiteral("止点半径RN(曲线接直线输入0、曲线接曲线输入半径R)"),
    QStringLiteral("曲线转向(左转为-1、右转为1、直线为0)")};

// The descriptions line up at this character position (counted from 1); a
// value too long for that keeps one space before its description, which
// never moves to a line of its own.
inline constexpr qsizetype kDescriptionColumn = 30;

// The most the reader looks at: far more than eight lines of any field, far
// less than would stall the window on a large file chosen by mistake.
inline constexpr qsizetype kElementFileReadLimit = 1024 * 1024;

// The file's text: line n is the text of field n unchanged, spaces, the
// description of line n, CR LF.
QString ElementFileText(const ElementFieldTexts& texts);

// Writes the file (code page 936, no byte-order mark), replacing any file of
// that name. A field holding a line break or a character without a GBK form
// is refused, naming the field. Nothing on success.
std::optional<FileRefusal> SaveElementFile(const QString& path, const ElementFieldTexts& texts);

// Reads the first eight lines (CR LF, LF or CR ends; anything after them is
// ignored) and gives for each the general decimal form of the number the line
// starts with ("1.50 起点…" → "1.5", a line without a number → "0"). The
// number is read from the line's bytes, so UTF-8 (with or without a
// byte-order mark) and GBK read alike, whatever the descriptions hold.
// Refused, with nothing to change, when the file is not a regular file or
// cannot be opened, has fewer than eight lines, holds NUL or other control
// bytes in those lines (it is not text), or a number beyond the double range.
FileOutcome<ElementFieldTexts> ReadElementFile(const QString& path);

// The same from the whole content of a file already read, its refusals said
// of the line; the caller that read the file names it (InFile).
ContentOutcome<ElementFieldTexts> ParseElementFile(QByteArrayView bytes);

}  // namespace tarnvel
