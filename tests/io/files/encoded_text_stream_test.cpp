#include "io/files/encoded_text_stream.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <string>

#include "io/files/text_encoding.h"

namespace tarnvel {
namespace {

struct StreamCase {
  const char* name;
  TextEncoding encoding;
};

class EncodedTextStreamTest : public testing::TestWithParam<StreamCase> {};

// Rows of two-byte GBK and three-byte UTF-8 characters, so that chunk ends
// fall in no fixed place of a row.
std::string Row(int i) {
  return "桩" + std::to_string(i) + ",中线,1234.5678\r\n";
}

// Guards the streamed table: its chunks together must be the bytes of the
// whole text in either encoding, as the table was written when held whole.
TEST_P(EncodedTextStreamTest, ChunksTogetherAreTheWholeTextsBytes) {
  QByteArray written;
  int writes = 0;
  EncodedTextStream stream(GetParam().encoding, [&](QByteArrayView bytes) {
    written += bytes;
    ++writes;
    return true;
  });
  std::string whole;
  for (int i = 0; i < 20000; ++i) {
    ASSERT_TRUE(stream.Add(Row(i)));
    whole += Row(i);
  }
  ASSERT_TRUE(stream.Flush());
  EXPECT_GT(writes, 3) << GetParam().name;
  EXPECT_TRUE(written == std::get<QByteArray>(EncodeText(whole, GetParam().encoding)))
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Encodings, EncodedTextStreamTest,
                         testing::Values(StreamCase{"Utf8", TextEncoding::Utf8},
                                         StreamCase{"Utf8WithBom", TextEncoding::Utf8WithBom},
                                         StreamCase{"Gbk", TextEncoding::Gbk}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EncodedTextStream, StopsAtACharacterGbkCannotHoldAndNamesIt) {
  QByteArray written;
  EncodedTextStream stream(TextEncoding::Gbk, [&](QByteArrayView bytes) {
    written += bytes;
    return true;
  });
  for (int i = 0; i < 5000 && stream.Add(Row(i)); ++i) {
  }
  EXPECT_FALSE(stream.Add("笑😀\r\n") && stream.Flush());
  EXPECT_EQ(stream.unencodable(), std::optional<char32_t>(U'\U0001F600'));
  EXPECT_FALSE(stream.Add(Row(0)));
}

TEST(EncodedTextStream, StopsAtAFailedWrite) {
  EncodedTextStream stream(TextEncoding::Utf8, [](QByteArrayView) { return false; });
  EXPECT_TRUE(stream.Add(Row(0)));  // held, not yet written
  EXPECT_FALSE(stream.Flush());
  EXPECT_FALSE(stream.Add(Row(1)));
  EXPECT_EQ(stream.unencodable(), std::nullopt);
}

}  // namespace
}  // namespace tarnvel
