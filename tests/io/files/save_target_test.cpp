// What a save does with a path that names no regular file.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <cstring>

#include "file_test_support.h"
#include "io/files/save_file.h"

namespace tarnvel {
namespace {

class SaveTargetTest : public testing_support::ScratchFolder {};

// Pins the save that renamed a regular file over a socket, as it did over
// a FIFO or /dev/null: a socket takes no bytes, so it is refused, and kept.
TEST_F(SaveTargetTest, ASocketIsRefusedAndKept) {
  const QString path = PathOf("s.sock");
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(listener, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray name = QFile::encodeName(path);
  ASSERT_LT(static_cast<size_t>(name.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  const std::optional<FileRefusal> refusal = SaveFileBytes(path, "row\r\n");
  close(listener);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->message,
            QStringLiteral("无法保存文件“%1”：它不是普通文件，也不是管道或字符设备！").arg(path));
  struct stat status {};
  ASSERT_EQ(stat(name.constData(), &status), 0);
  EXPECT_TRUE(S_ISSOCK(status.st_mode));
}

// Pins the message of a save whose last step, putting the new file in the
// old one's place, failed: everything had been written and forced to the
// disk, so "the disk may be full" sent the user looking in the wrong place.
TEST_F(SaveTargetTest, AFailedReplaceSaysSo) {
  const QString path = PathOf("t.csv");
  auto begun = SavingFile::Begin(path);
  ASSERT_TRUE(std::holds_alternative<std::unique_ptr<SavingFile>>(begun));
  SavingFile& file = *std::get<std::unique_ptr<SavingFile>>(begun);
  ASSERT_TRUE(file.Write("row\r\n"));
  // A folder that appears at the path meanwhile takes no file's place.
  ASSERT_EQ(mkdir(QFile::encodeName(path).constData(), 0700), 0);
  ASSERT_EQ(mkdir(QFile::encodeName(PathOf("t.csv/inner")).constData(), 0700), 0);

  const std::optional<FileRefusal> refusal = file.Finish();
  ASSERT_TRUE(refusal);
  // The system's own words follow in the user's language.
  const QString lead =
      QStringLiteral("无法保存文件“%1”：文件已写好，但未能放到此位置（系统报告“").arg(path);
  EXPECT_TRUE(refusal->message.startsWith(lead) && refusal->message.endsWith(u"”）！"))
      << refusal->message.toStdString();
}

}  // namespace
}  // namespace tarnvel
