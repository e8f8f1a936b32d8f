#include "io/element/table_file.h"

#include <gtest/gtest.h>

#include "file_test_support.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;

const QByteArray kCrLf = "\r\n";
// "里程  偏距 偏角    坐标X       坐标Y       切线方位角F" in code page 936.
const QByteArray kHeaderBytes = QByteArray::fromHex(
    "c0efb3cc2020c6abbee020c6abbdc720202020d7f8b1ea5820202020202020d7f8b1ea5920202020202020c7d0"
    "cfdfb7bdcebbbdc746");
const QByteArray kTitleBytes =
    QByteArray(16, ' ') + QByteArray::fromHex("c7facfdfd7f8b1eabcc6cbe3b3c9b9fbb1ed");
const QByteArray kRuleBytes = QByteArray(13, ' ') + QByteArray(24, '-');
const QByteArray kSignatureBytes = QByteArray::fromHex(
    "bcc6cbe3a3bac1d6b4a820202020202020202020202020202020b8b4bacba3ba2020202020202020202020202020"
    "202020bce0c0eda3ba");

const QString kHeader = QStringLiteral("里程  偏距 偏角    坐标X       坐标Y       切线方位角F");
const QByteArray kRow = "07+800.000  0  0  3378568.396  453860.095  98°2ˊ3.4″";
// The row in code page 936: "°" A1E3, "ˊ" A840, "″" A1E5.
const QByteArray kRowBytes = QByteArray("07+800.000  0  0  3378568.396  453860.095  98") +
                             QByteArray::fromHex("a1e3") + "2" + QByteArray::fromHex("a840") +
                             "3.4" + QByteArray::fromHex("a1e5");

QByteArray FileOf(std::initializer_list<QByteArray> lines) {
  QByteArray bytes;
  for (const QByteArray& line : lines) bytes += line + kCrLf;
  return bytes;
}

class TableFileTest : public testing_support::ScratchFolder {
 protected:
  QByteArray SavedBytes(const QString& box_text) {
    const QString path = PathOf("table.txt");
    EXPECT_EQ(SaveTableFile(path, box_text), std::nullopt);
    return ReadBytes(path);
  }
};

TEST_F(TableFileTest, BeginsWithTwoEmptyLinesAndTheTitleInCodePage936) {
  EXPECT_TRUE(SavedBytes(kHeader + "\r\n")
                  .startsWith(QByteArray::fromHex("0d0a0d0a") + QByteArray(16, ' ') +
                              QByteArray::fromHex("c7facfdfd7f8b1eabcc6cbe3b3c9b9fbb1ed0d0a")));
}

struct TableCase {
  const char* name;
  QString box_text;
  QByteArray file;
};

class TableFileBytes : public TableFileTest, public testing::WithParamInterface<TableCase> {};

TEST_P(TableFileBytes, AreTheFramedBoxText) {
  EXPECT_EQ(SavedBytes(GetParam().box_text), GetParam().file);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TableFileBytes,
    testing::Values(
        TableCase{"HeaderOnly", kHeader + "\r\n",
                  FileOf({"", "", kTitleBytes, kRuleBytes, "", kHeaderBytes, "", "", "",
                          kSignatureBytes})},
        TableCase{"OneRow", kHeader + "\r\n" + QString::fromUtf8(kRow) + "\r\n",
                  FileOf({"", "", kTitleBytes, kRuleBytes, "", kHeaderBytes, kRowBytes, "", "", "",
                          kSignatureBytes})},
        // A box the user edited: lines joined by LF, the last without an end.
        TableCase{
            "EditedWithLfAndNoFinalEnd", kHeader + "\n" + QString::fromUtf8(kRow) + " 已复核",
            FileOf({"", "", kTitleBytes, kRuleBytes, "", kHeaderBytes,
                    kRowBytes + QByteArray::fromHex("20d2d1b8b4bacb"), "", "", kSignatureBytes})},
        TableCase{"OnlySpaces", "   ",
                  FileOf({"", "", kTitleBytes, kRuleBytes, "", "   ", "", "", kSignatureBytes})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TableFileTest, SavingTwiceLeavesOneCopy) {
  const QString path = PathOf("table.txt");
  ASSERT_EQ(SaveTableFile(path, kHeader + "\r\n" + QString::fromUtf8(kRow) + "\r\n"), std::nullopt);
  ASSERT_EQ(SaveTableFile(path, kHeader + "\r\n"), std::nullopt);
  EXPECT_EQ(ReadBytes(path), FileOf({"", "", kTitleBytes, kRuleBytes, "", kHeaderBytes, "", "", "",
                                     kSignatureBytes}));
  EXPECT_EQ(Entries(), QStringList{"table.txt"});
}

// The search for the character behind a refused save remembers what it has
// asked of the converter; it must still name the first failing character
// after rows of repeated ones, and tell apart two that fail.
TEST_F(TableFileTest, NamesTheFirstCharacterOutsideGbkAfterManyRows) {
  QString text = kHeader + "\r\n";
  for (int i = 0; i < 1000; ++i) text += QString::fromUtf8(kRow) + "\r\n";
  text += QStringLiteral("Ā😀✓\r\n");
  const auto refusal = SaveTableFile(PathOf("table.txt"), text);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_TRUE(refusal->message.endsWith(QStringLiteral("：字符“Ā”（U+0100）不能用GBK编码保存！")))
      << refusal->message.toStdString();
}

TEST_F(TableFileTest, RefusesACharacterOutsideGbkAndKeepsThePreviousFile) {
  const QString path = PathOf("table.txt");
  const QByteArray before = SavedBytes(kHeader + "\r\n");
  const auto refusal = SaveTableFile(path, kHeader + "\r\n" + QStringLiteral("备注：✓ 已复核\r\n"));
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->message,
            QStringLiteral("无法保存文件“%1”：字符“✓”（U+2713）不能用GBK编码保存！")
                .arg(QDir::toNativeSeparators(path)));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(Entries(), QStringList{"table.txt"});
}

TEST_F(TableFileTest, ReportsAPathThatCannotBeWritten) {
  const QString under_file = Unwritable();
  const auto refusal = SaveTableFile(under_file, kHeader);
  ASSERT_TRUE(refusal.has_value());
  EXPECT_TRUE(refusal->message.startsWith(
      QStringLiteral("无法保存文件“%1”：").arg(QDir::toNativeSeparators(under_file))));
  EXPECT_TRUE(refusal->message.endsWith(u'！'));

  QDir().mkpath(PathOf("folder.txt"));
  const auto folder_refusal = SaveTableFile(PathOf("folder.txt"), kHeader);
  ASSERT_TRUE(folder_refusal.has_value());
  EXPECT_EQ(folder_refusal->message, QStringLiteral("无法保存文件“%1”：已有同名的文件夹！")
                                         .arg(QDir::toNativeSeparators(PathOf("folder.txt"))));
  EXPECT_EQ(Entries(), (QStringList{"folder.txt", "plain.txt"}));
}

}  // namespace
}  // namespace tarnvel
