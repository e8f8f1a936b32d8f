// The element data file reader on arbitrary file contents. What it accepts
// must be finite numbers that an export writes and the reader reads back the
// same. The bytes are given as a file's content, so no disk is involved.
#include <QByteArrayView>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "fuzz_checks.h"
#include "io/element/element_file.h"
#include "io/files/gbk_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const QString path = QStringLiteral("线元.txt");
  const auto outcome =
      InFile(path, ParseElementFile(QByteArrayView(data, static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(!refusal->message.isEmpty(), "a refusal without a message");
    return 0;
  }
  const ElementFieldTexts& texts = std::get<ElementFieldTexts>(outcome);
  for (const QString& text : texts) fuzzing::RequireFiniteText(text.toStdString());

  const auto bytes = EncodeGbk(ElementFileText(texts));
  fuzzing::Require(bytes.has_value(), "the texts read cannot be encoded");
  const auto reread = InFile(path, ParseElementFile(*bytes));
  fuzzing::Require(std::holds_alternative<ElementFieldTexts>(reread) &&
                       std::get<ElementFieldTexts>(reread) == texts,
                   "saving and reading again changes the texts");
  return 0;
}
