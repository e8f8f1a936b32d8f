// A text written as it is made, in the chosen encoding, a chunk at a time:
// a table of millions of rows is never held whole, in either encoding.
#pragma once

#include <QByteArrayView>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "io/files/text_encoding.h"

namespace tarnvel {

class EncodedTextStream {
 public:
  // Takes the bytes of a chunk; false when they could not all be written.
  using Write = std::function<bool(QByteArrayView)>;

  EncodedTextStream(TextEncoding encoding, Write write);

  // Adds UTF-8 text ending at a character's end (a whole row): the same
  // bytes as encoding the whole text at once. False once the stream has
  // stopped: a character GBK has no form for, or a failed write.
  bool Add(std::string_view utf8);
  // Writes what is held, and a byte-order mark not written yet even when
  // nothing is; false as Add.
  bool Flush();
  // The character that stopped the stream, when one did.
  std::optional<char32_t> unencodable() const { return unencodable_; }

 private:
  TextEncoding encoding_;
  Write write_;
  std::string held_;
  bool stopped_ = false;
  std::optional<char32_t> unencodable_;
};

}  // namespace tarnvel
