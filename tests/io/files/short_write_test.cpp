// Saves on a medium that takes fewer bytes than asked: a child process with a
// lowered file-size limit gets short writes, as a full disk gives them.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "file_test_support.h"
#include "io/element/element_file.h"
#include "io/element/table_file.h"

namespace tarnvel {
namespace {

using testing_support::ReadBytes;
using testing_support::WriteBytes;

const ElementFieldTexts kElement = {"7586.707",  "7946.707", "3378605.445", "453648.704",
                                    "98.565562", "0",        "4500",        "1"};

QString TableOf(int rows) {
  QString text = QStringLiteral("里程  偏距 偏角    坐标X       坐标Y       切线方位角F\r\n");
  for (int i = 0; i < rows; ++i)
    text += QStringLiteral("07+%1.000  0  0  3378568.396  453860.095  98°2ˊ3.4″\r\n")
                .arg(800 + i % 200, 3, 10, QLatin1Char('0'));
  return text;
}

// What the save said in the child: 0 refused for a full medium, 1 reported
// success, 2 refused for another reason.
int SaveInChildWithLimit(rlim_t limit, const std::function<std::optional<FileRefusal>()>& save) {
  const pid_t child = fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit lowered{limit, limit};
    setrlimit(RLIMIT_FSIZE, &lowered);
    const std::optional<FileRefusal> refusal = save();
    _exit(!refusal ? 1 : refusal->message.contains(QStringLiteral("磁盘可能已满")) ? 0 : 2);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct ShortWriteCase {
  const char* name;
  rlim_t limit;  // bytes the medium takes
  std::function<std::optional<FileRefusal>(const QString&)> save;
};

class ShortWrite : public testing_support::ScratchFolder,
                   public testing::WithParamInterface<ShortWriteCase> {};

// Pins the save that reported success and left an empty or cut file: files
// under the 16 KiB the save file buffers were committed without their bytes.
TEST_P(ShortWrite, IsRefusedAndKeepsTheOldFile) {
  const QString path = PathOf("saved.txt");
  const QByteArray old_bytes(20000, 'o');
  WriteBytes(path, old_bytes);
  EXPECT_EQ(SaveInChildWithLimit(GetParam().limit, [&] { return GetParam().save(path); }), 0);
  EXPECT_TRUE(ReadBytes(path) == old_bytes) << "the old file changed";
  EXPECT_EQ(Entries(), QStringList{"saved.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Saves, ShortWrite,
    testing::Values(ShortWriteCase{"ElementFile", 100,
                                   [](const QString& p) { return SaveElementFile(p, kElement); }},
                    ShortWriteCase{"TableOfOneRow", 100,
                                   [](const QString& p) { return SaveTableFile(p, TableOf(1)); }},
                    ShortWriteCase{
                        "TableOf200Rows", 4096,
                        [](const QString& p) { return SaveTableFile(p, TableOf(200)); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
