// The element data file reader on arbitrary file contents. What it accepts
// must be finite numbers that survive being saved and read again.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "element_file.h"
#include "fuzz_checks.h"
#include "gbk_text.h"

namespace {

QString ScratchPath(const char* name) {
  return QDir::tempPath() + QStringLiteral("/tarnvel-fuzz-%1-%2.txt")
                                .arg(QCoreApplication::applicationPid())
                                .arg(QString::fromLatin1(name));
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  tarnvel::fuzzing::Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                                file.write(bytes) == bytes.size(),
                            "cannot write the scratch file");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const QString input = ScratchPath("input");
  WriteAll(input, QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  const auto outcome = ReadElementFile(input);
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(!refusal->message.isEmpty(), "a refusal without a message");
    return 0;
  }
  const ElementFieldTexts& texts = std::get<ElementFieldTexts>(outcome);
  for (const QString& text : texts) fuzzing::RequireFiniteText(text.toStdString());

  // The text the export would write, without the cost of a safe save.
  const auto bytes = EncodeGbk(ElementFileText(texts));
  fuzzing::Require(bytes.has_value(), "the texts read cannot be encoded");
  const QString again = ScratchPath("again");
  WriteAll(again, *bytes);
  const auto reread = ReadElementFile(again);
  fuzzing::Require(std::holds_alternative<ElementFieldTexts>(reread) &&
                       std::get<ElementFieldTexts>(reread) == texts,
                   "saving and reading again changes the texts");
  return 0;
}
