// A line-by-line file read a piece at a time gives what its whole content
// gives, wherever the pieces cut it: the same records with the same line
// numbers, or the same refusal, said of the file. Pieces of one byte cut
// every CR LF, every character of GBK, UTF-8 and UTF-16, every pair.
#include "io/files/delimited_file.h"

#include <gtest/gtest.h>

#include <QStringEncoder>
#include <string>
#include <tuple>

#include "file_test_support.h"

namespace tarnvel {
namespace {

using testing_support::WriteBytes;

constexpr qsizetype kMaxFields = 3;
const QStringList kColumns{QString(), QStringLiteral("X"), QStringLiteral("Y")};

// A record "坏" is refused, as a reader refuses a field, ending the reading.
std::optional<ContentRefusal> Take(DelimitedLine&& line, std::string& records) {
  if (line.fields[0] == u"坏") return LineRefusal(line.number, QStringLiteral("坏记录！"));
  records += std::to_string(line.number) + ':' + line.fields.join(u'|').toStdString() + '\n';
  return std::nullopt;
}

// The records, or the refusal, of the whole content.
std::string WholeOutcome(const QByteArray& bytes, const QString& path) {
  std::string records;
  const auto refusal = ForEachDelimitedLine(bytes, kMaxFields, kColumns, [&](DelimitedLine&& line) {
    return Take(std::move(line), records);
  });
  return refusal ? InFile(path, *refusal).message.toStdString() : records;
}

// The same of the file read `piece` bytes at a time.
std::string PieceOutcome(const QString& path, qsizetype piece) {
  auto opened = DelimitedFile::Open(path, piece);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened))
    return refusal->message.toStdString();
  std::string records;
  const auto refusal = std::get<std::unique_ptr<DelimitedFile>>(opened)->ForEachRecord(
      kMaxFields, kColumns, [&](DelimitedLine&& line) { return Take(std::move(line), records); });
  return refusal ? refusal->message.toStdString() : records;
}

QByteArray Encoded(const char* text, QStringConverter::Encoding encoding) {
  QStringEncoder encoder(encoding, QStringConverter::Flag::WriteBom);
  return encoder.encode(QString::fromUtf8(text));
}

QByteArray Gbk(const char* text) {
  QStringEncoder encoder("GBK");
  return encoder.encode(QString::fromUtf8(text));
}

const QByteArray kLongest(64 * 1024, 'x');

struct ContentCase {
  const char* name;
  QByteArray bytes;
};

void PrintTo(const ContentCase& c, std::ostream* out) {
  *out << c.name;
}

const ContentCase kContents[] = {
    {"Utf8HeaderCommentsNoLastEnd", "\xEF\xBB\xBF点名,X,Y\r\n甲,1,2\r\n# 说明\r\n\r\n 乙 3 4 5"},
    {"EveryLineEnd", "A,1\rB,2\nC,3\r\n\r\rD,4\r\n\nE,5\r"},
    {"MarkOnALaterLine", "A,1\n\xEF\xBB\xBF\x42,2\n"},
    {"Gbk", Gbk("点名,X\r\n甲,1\r\n乙,2\r\n")},
    {"NeitherUtf8NorGbk", "A,1\n\x81\x20\n"},
    {"LineOfTheLongest", "A,1\n" + kLongest + "\nB,2\n"},
    {"LongLineAtTheEnd", "A,1\r\n" + kLongest + "x"},
    {"LongLineBeforeABadByte", "A,1\n" + kLongest + "xx\n\x81\x20\n"},
    {"Utf16LittleEndian",
     Encoded("点名\tX\r\n\xF0\xA0\x80\x80\t1\r\n乙\t2", QStringConverter::Utf16LE)},
    {"Utf16BigEndian",
     Encoded("点名\tX\r\n\xF0\xA0\x80\x80\t1\r\n乙\t2\r\n", QStringConverter::Utf16BE)},
    {"Utf16OddByte", Encoded("A,1\r\n", QStringConverter::Utf16LE) + QByteArray(1, 0)},
    {"Utf16LongLineLoneSurrogate",
     Encoded("A,1\n", QStringConverter::Utf16LE) +
         Encoded(kLongest.constData(), QStringConverter::Utf16LE).mid(2) +
         QByteArray("\x40\xD8", 2)},
    {"Utf16LongLine", Encoded("A,1\n", QStringConverter::Utf16LE) +
                          Encoded(kLongest.constData(), QStringConverter::Utf16LE).mid(2) +
                          QByteArray("x\0", 2)},
    {"Utf16MarkAlone", QByteArray("\xFF\xFE", 2)},
    {"Empty", ""},
    {"RefusedRecord", "A,1\n坏,2\nC,3\n"},
};

const qsizetype kPieces[] = {1, 2, 3, 7, DelimitedFile::kPiece};

class DelimitedFileTest : public testing_support::ScratchFolder,
                          public testing::WithParamInterface<std::tuple<ContentCase, qsizetype>> {};

TEST_P(DelimitedFileTest, ReadsAsTheWholeContentIsRead) {
  const auto& [content, piece] = GetParam();
  const QString path = PathOf(QStringLiteral("f.csv"));
  WriteBytes(path, content.bytes);
  EXPECT_EQ(PieceOutcome(path, piece), WholeOutcome(content.bytes, path))
      << content.name << ", " << piece << " bytes at a time";
}

INSTANTIATE_TEST_SUITE_P(Contents, DelimitedFileTest,
                         testing::Combine(testing::ValuesIn(kContents), testing::ValuesIn(kPieces)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).name) + "_Piece" +
                                  std::to_string(std::get<1>(info.param));
                         });

// The file is read again for its records after it was checked: one written
// meanwhile is refused, not read as checked.
TEST_F(DelimitedFileTest, AFileChangedAfterItsCheckIsRefused) {
  const QString path = PathOf(QStringLiteral("f.csv"));
  WriteBytes(path, "A,1\n");
  auto opened = DelimitedFile::Open(path);
  ASSERT_TRUE(std::holds_alternative<std::unique_ptr<DelimitedFile>>(opened));
  WriteBytes(path, "A,1\nB,\x81\x20\n");
  std::string records;
  const auto refusal = std::get<std::unique_ptr<DelimitedFile>>(opened)->ForEachRecord(
      kMaxFields, kColumns, [&](DelimitedLine&& line) { return Take(std::move(line), records); });
  ASSERT_TRUE(refusal);
  EXPECT_EQ(
      refusal->message,
      QStringLiteral("读取文件“%1”时出错：文件在读取时被改动！").arg(FileNameForMessage(path)));
}

}  // namespace
}  // namespace tarnvel
