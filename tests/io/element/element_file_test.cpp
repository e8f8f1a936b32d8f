#include "io/element/element_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "file_test_support.h"
#include "io/files/gbk_text.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const ElementFieldTexts kInitial = {"7586.707",  "7946.707", "3378605.445", "453648.704",
                                    "98.565562", "0",        "4500",        "1"};

ElementFieldTexts WithField(ElementFieldTexts texts, size_t index, const QString& text) {
  texts[index] = text;
  return texts;
}

QByteArray Lines(std::initializer_list<const char*> lines, const char* end = "\r\n") {
  QByteArray bytes;
  for (const char* line : lines) bytes += QByteArray(line) + end;
  return bytes;
}

class ElementFileTest : public testing_support::ScratchFolder {};

// The bytes of lines 1, 5 and 8 checked against an independent GBK table.
TEST_F(ElementFileTest, WritesGbkLinesWithDescriptionsAtColumnThirty) {
  const QString path = PathOf("element.txt");
  ASSERT_EQ(SaveElementFile(path, kInitial), std::nullopt);
  const QList<QByteArray> lines = ReadBytes(path).split('\n');
  ASSERT_EQ(lines.size(), 9);
  EXPECT_TRUE(lines[8].isEmpty()) << "the file ends with the eighth line's CR LF";
  EXPECT_EQ(lines[0], "7586.707" + QByteArray(21, ' ') +
                          QByteArray::fromHex("c6f0b5e3d7aebac54b28c7facfdfc6f0b5e3c0efb3cc29") +
                          "\r");
  EXPECT_EQ(lines[4],
            "98.565562" + QByteArray(20, ' ') +
                QByteArray::fromHex("c6f0b5e3b7bdcebbbdc74628642e6d73b8f1cabd3a3938a1e33536"
                                    "a84035352e3632a1e5ceaa39382e35363535363229") +
                "\r");
  EXPECT_EQ(lines[7],
            "1" + QByteArray(28, ' ') +
                QByteArray::fromHex("c7facfdfd7aacff228d7f3d7aaceaa2d31a1a2d3d2d7aaceaa31a1a2"
                                    "d6b1cfdfceaa3029") +
                "\r");
  for (const QByteArray& line : lines.first(8)) {
    EXPECT_TRUE(line.endsWith('\r')) << line.toStdString();
    EXPECT_EQ(line.indexOf('\r'), line.size() - 1);
  }
}

TEST_F(ElementFileTest, KeepsTheDescriptionOnTheLineOfALongOrEmptyValue) {
  const QString long_value = QString(40, u'9');
  const QString text = ElementFileText(WithField(WithField(kInitial, 0, long_value), 1, QString()));
  const QStringList lines = text.split(QStringLiteral("\r\n"));
  EXPECT_EQ(lines[0], long_value + u' ' + kElementDescriptions[0]);
  EXPECT_EQ(lines[1], QString(29, u' ') + kElementDescriptions[1]);
  EXPECT_EQ(lines[2].indexOf(kElementDescriptions[2]), 29);  // position 30
  EXPECT_EQ(ElementFileText(WithField(kInitial, 0, QString(28, u'1'))).indexOf(u'起'), 29);
  EXPECT_EQ(ElementFileText(WithField(kInitial, 0, QString(29, u'1'))).indexOf(u'起'), 30);
}

TEST_F(ElementFileTest, RoundTripsTheInitialElement) {
  const QString path = PathOf("element.txt");
  ASSERT_EQ(SaveElementFile(path, kInitial), std::nullopt);
  EXPECT_EQ(ReadElementFile(path), (FileOutcome<ElementFieldTexts>(kInitial)));
}

struct RoundTripCase {
  const char* name;
  const char* typed;
  const char* read_back;
};

class ElementFieldRoundTrip : public testing_support::ScratchFolder,
                              public testing::WithParamInterface<RoundTripCase> {};

// Each text in every one of the eight fields: written as typed, read back as
// the general form of its leading number.
TEST_P(ElementFieldRoundTrip, ReadsBackTheLeadingNumberInGeneralForm) {
  const QString typed = QString::fromUtf8(GetParam().typed);
  for (size_t field = 0; field < 8; ++field) {
    const std::string where =
        "field " + std::to_string(field) + " typed " + testing::PrintToString(GetParam().typed);
    const QString path = PathOf(QStringLiteral("field%1.txt").arg(field));
    ASSERT_EQ(SaveElementFile(path, WithField(kInitial, field, typed)), std::nullopt) << where;
    EXPECT_TRUE(ReadBytes(path).split('\n')[field].startsWith(EncodeGbk(typed).value())) << where;
    const auto outcome = ReadElementFile(path);
    ASSERT_TRUE(std::holds_alternative<ElementFieldTexts>(outcome)) << where;
    EXPECT_EQ(std::get<ElementFieldTexts>(outcome),
              WithField(kInitial, field, QString::fromUtf8(GetParam().read_back)))
        << where;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ElementFieldRoundTrip,
    testing::Values(RoundTripCase{"TrailingZero", "1.50", "1.5"},
                    RoundTripCase{"Negative", "-1", "-1"}, RoundTripCase{"Empty", "", "0"},
                    RoundTripCase{"Spaces", "   ", "0"}, RoundTripCase{"Letters", "abc", "0"},
                    RoundTripCase{"TrailingLetters", "12abc", "12"},
                    RoundTripCase{"Whole", "7800", "7800"},
                    RoundTripCase{"SmallAsExponent", "0.00001", "1E-05"},
                    RoundTripCase{"SpaceInside", "1 2", "12"},
                    RoundTripCase{"LeadingSpacesAndExponent", "  3.0e2", "300"},
                    RoundTripCase{"ChineseOnly", "起点", "0"},
                    RoundTripCase{"BeyondFifteenDigits", "1.23456789012345678", "1.23456789012346"},
                    RoundTripCase{"ExponentWithoutDigits", "1e", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct HandWrittenCase {
  const char* name;
  QByteArray bytes;
};

class HandWrittenFile : public testing_support::ScratchFolder,
                        public testing::WithParamInterface<HandWrittenCase> {};

TEST_P(HandWrittenFile, ReadsTheFirstEightLines) {
  const QString path = PathOf("hand.txt");
  WriteBytes(path, GetParam().bytes);
  EXPECT_EQ(ReadElementFile(path), (FileOutcome<ElementFieldTexts>(kInitial)));
}

const char* const kBare[] = {"7586.707",  "7946.707", "3378605.445", "453648.704",
                             "98.565562", "0",        "4500",        "1"};
const std::initializer_list<const char*> kBareLines = {kBare[0], kBare[1], kBare[2], kBare[3],
                                                       kBare[4], kBare[5], kBare[6], kBare[7]};

INSTANTIATE_TEST_SUITE_P(
    Files, HandWrittenFile,
    testing::Values(
        HandWrittenCase{"BareNumbers", Lines(kBareLines)},
        HandWrittenCase{"NinthLineIgnored",
                        Lines(kBareLines) + "999 第九行\r\n\0\0\xff\xff not even text"},
        HandWrittenCase{"LfOnly", Lines(kBareLines, "\n")},
        HandWrittenCase{"CrOnly", Lines(kBareLines, "\r")},
        HandWrittenCase{"LastLineWithoutEnd", Lines(kBareLines).chopped(2)},
        HandWrittenCase{"ValuesPaddedAndCommented",
                        "  7586.707 K0\r\n7946.707\t\r\n+3378605.445xyz\r\n453648.704\r\n"
                        "98.565562\r\n0.0\r\n4.5e3\r\n1.\r\n"},
        HandWrittenCase{
            "Utf8WithByteOrderMark",
            "\xEF\xBB\xBF" +
                Lines(kBareLines).replace("\r\n1\r\n", "\r\n1 \xE6\x9B\xB2\xE7\xBA\xBF\r\n")},
        // Pin the refusal "第6行不是GBK编码的文字" of files that any modern
        // editor writes: UTF-8 descriptions without a byte-order mark.
        HandWrittenCase{"Utf8WithoutByteOrderMark",
                        Lines(kBareLines)
                            .replace("\r\n0\r\n",
                                     "\r\n0 \xE8\xB5\xB7\xE7\x82\xB9\xE5\x8D\x8A"
                                     "\xE5\xBE\x84RQ(\xE7\x9B\xB4\xE7\xBA\xBF)\r\n")},
        // Only the leading number counts; a description in no encoding at all
        // is not the reader's business.
        HandWrittenCase{
            "UndecodableDescription",
            Lines(kBareLines).replace("\r\n3378605.445\r\n", "\r\n3378605.445 \x81\x20\r\n")},
        HandWrittenCase{"LeadByteAtLineEnd",
                        Lines(kBareLines).replace("\r\n1\r\n", "\r\n1 \xC7\r\n")}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedFileCase {
  const char* name;
  QByteArray bytes;
  const char* message;  // after the path
};

class RefusedElementFile : public testing_support::ScratchFolder,
                           public testing::WithParamInterface<RefusedFileCase> {};

TEST_P(RefusedElementFile, IsRefusedNamingTheFile) {
  const QString path = PathOf("bad.txt");
  WriteBytes(path, GetParam().bytes);
  const auto outcome = ReadElementFile(path);
  ASSERT_TRUE(std::holds_alternative<FileRefusal>(outcome));
  EXPECT_EQ(std::get<FileRefusal>(outcome).message,
            QStringLiteral("文件“%1”").arg(QDir::toNativeSeparators(path)) +
                QString::fromUtf8(GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(
    Files, RefusedElementFile,
    testing::Values(
        RefusedFileCase{"Empty", "", "不足八行，不是线元数据文件！"},
        RefusedFileCase{"SevenLines", Lines({"1", "2", "3", "4", "5", "6", "7"}),
                        "不足八行，不是线元数据文件！"},
        RefusedFileCase{"NulBytes", QByteArray("1\r\n2\r\n3\0\r\n4\r\n5\r\n6\r\n7\r\n8\r\n", 25),
                        "含有非文本内容，不是线元数据文件！"},
        RefusedFileCase{"Utf16",
                        QByteArray("\xFF\xFE"
                                   "1\0\r\0\n\0",
                                   8),
                        "含有非文本内容，不是线元数据文件！"},
        RefusedFileCase{"ControlBytes", Lines({"1", "2", "3\x01\x02", "4", "5", "6", "7", "8"}),
                        "含有非文本内容，不是线元数据文件！"},
        RefusedFileCase{"BeyondDoubles", Lines({"1", "2", "3", "4", "-1e999", "6", "7", "8"}),
                        "第5行的数值超出数值范围！"},
        RefusedFileCase{"OneHugeLine", QByteArray(2 * kElementFileReadLimit, '7'),
                        "的前八行过长，不是线元数据文件！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ElementFileTest, RefusesAFileThatCannotBeOpened) {
  const QString missing = PathOf("missing.txt");
  EXPECT_EQ(
      ReadElementFile(missing),
      (FileOutcome<ElementFieldTexts>(FileRefusal{QStringLiteral("无法打开文件“%1”：文件不存在！")
                                                      .arg(QDir::toNativeSeparators(missing))})));
  QDir().mkpath(PathOf("folder.txt"));
  EXPECT_EQ(ReadElementFile(PathOf("folder.txt")),
            (FileOutcome<ElementFieldTexts>(
                FileRefusal{QStringLiteral("无法打开文件“%1”：这是一个文件夹！")
                                .arg(QDir::toNativeSeparators(PathOf("folder.txt")))})));
}

// Pins the window that hung for good on opening a FIFO, and the loop of links
// that was reported as a missing file.
TEST_F(ElementFileTest, RefusesWhatIsNotARegularFileWithoutWaitingOnIt) {
  struct Case {
    QString path;
    const char* reason;
  };
  const QString fifo = PathOf("fifo.txt");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString loop = PathOf("loop.txt");
  ASSERT_TRUE(QFile::link(PathOf("loop2.txt"), loop));
  ASSERT_TRUE(QFile::link(loop, PathOf("loop2.txt")));
  const QString dangling = PathOf("dangling.txt");
  ASSERT_TRUE(QFile::link(PathOf("gone.txt"), dangling));
  for (const Case& c :
       {Case{fifo, "这是一个管道，不是普通文件"}, Case{loop, "符号链接形成循环，找不到文件"},
        Case{dangling, "符号链接指向的文件不存在"},
        Case{"/dev/null", "这是一个设备，不是普通文件"}})
    EXPECT_EQ(ReadElementFile(c.path),
              (FileOutcome<ElementFieldTexts>(FileRefusal{
                  QStringLiteral("无法打开文件“%1”：%2！")
                      .arg(QDir::toNativeSeparators(c.path), QString::fromUtf8(c.reason))})));
}

TEST_F(ElementFileTest, SavingTwiceLeavesOneCopy) {
  const QString path = PathOf("element.txt");
  ASSERT_EQ(SaveElementFile(path, WithField(kInitial, 0, "1")), std::nullopt);
  ASSERT_EQ(SaveElementFile(path, kInitial), std::nullopt);
  EXPECT_EQ(ReadBytes(path), EncodeGbk(ElementFileText(kInitial)).value());
  EXPECT_EQ(Entries(), QStringList{"element.txt"});
}

struct RefusedSaveCase {
  const char* name;
  size_t field;
  QString text;
  const char* reason;
};

class RefusedElementSave : public testing_support::ScratchFolder,
                           public testing::WithParamInterface<RefusedSaveCase> {};

// A refused save names the field and leaves the earlier file, and nothing
// else, in the folder.
TEST_P(RefusedElementSave, KeepsThePreviousFile) {
  const QString path = PathOf("element.txt");
  ASSERT_EQ(SaveElementFile(path, kInitial), std::nullopt);
  const QByteArray before = ReadBytes(path);
  const auto refusal =
      SaveElementFile(path, WithField(kInitial, GetParam().field, GetParam().text));
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->message,
            QStringLiteral("无法保存文件“%1”：").arg(QDir::toNativeSeparators(path)) +
                QString::fromUtf8(GetParam().reason));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(Entries(), QStringList{"element.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedElementSave,
    testing::Values(
        RefusedSaveCase{"Emoji", 2, QStringLiteral("3378605.445😀"),
                        "“起点坐标X”中的字符“😀”（U+1F600）不能用GBK编码保存！"},
        RefusedSaveCase{"Latin", 0, QStringLiteral("7586.707Ā"),
                        "“起点桩号K”中的字符“Ā”（U+0100）不能用GBK编码保存！"},
        RefusedSaveCase{"LoneSurrogate", 7, QString(QChar(0xD83D)),
                        "“曲线转角”中的字符“\xEF\xBF\xBD”（U+D83D）不能用GBK编码保存！"},
        RefusedSaveCase{"LineBreak", 5, QStringLiteral("0\n5"), "“起点半径RQ”含有换行符！"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ElementFileTest, ReportsAFolderWhereNoFileCanBeCreated) {
  const QString under_file = Unwritable();
  const auto refusal = SaveElementFile(under_file, kInitial);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->message, QStringLiteral("无法保存文件“%1”：“%2”不是文件夹！")
                                  .arg(QDir::toNativeSeparators(under_file),
                                       QDir::toNativeSeparators(PathOf("plain.txt"))));

  const QString missing = PathOf("no such folder/element.txt");
  const auto missing_refusal = SaveElementFile(missing, kInitial);
  ASSERT_TRUE(missing_refusal.has_value());
  EXPECT_EQ(missing_refusal->message, QStringLiteral("无法保存文件“%1”：文件夹“%2”不存在！")
                                          .arg(QDir::toNativeSeparators(missing),
                                               QDir::toNativeSeparators(PathOf("no such folder"))));
  EXPECT_EQ(Entries(), QStringList{"plain.txt"});
}

}  // namespace
}  // namespace tarnvel
