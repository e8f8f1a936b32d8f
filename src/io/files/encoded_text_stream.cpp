#include "io/files/encoded_text_stream.h"

#include <variant>

#include "io/files/text_encoding.h"

namespace tarnvel {

namespace {

// Large enough that a write's cost is spread over hundreds of rows, small
// enough to stay in the cache.
constexpr size_t kChunkBytes = 64 * 1024;

}  // namespace

EncodedTextStream::EncodedTextStream(TextEncoding encoding, Write write)
    : encoding_(encoding), write_(std::move(write)) {
  held_.reserve(kChunkBytes + 1024);
}

bool EncodedTextStream::Add(std::string_view utf8) {
  if (stopped_) return false;
  held_ += utf8;
  return held_.size() < kChunkBytes || Flush();
}

bool EncodedTextStream::Flush() {
  if (stopped_) return false;
  if (held_.empty() && encoding_ != TextEncoding::Utf8WithBom) return true;
  // Code page 936 is stateless, and a chunk ends where a row does, so the
  // chunks' bytes in turn are the whole text's; the byte-order mark goes
  // before the first chunk alone.
  const std::variant<char32_t, QByteArray> bytes = EncodeText(held_, encoding_);
  if (encoding_ == TextEncoding::Utf8WithBom) encoding_ = TextEncoding::Utf8;
  held_.clear();
  if (const char32_t* character = std::get_if<char32_t>(&bytes)) {
    unencodable_ = *character;
    stopped_ = true;
  } else {
    stopped_ = !write_(std::get<QByteArray>(bytes));
  }
  return !stopped_;
}

}  // namespace tarnvel
