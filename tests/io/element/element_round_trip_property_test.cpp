// Export then import, over many generated field texts: each field comes back
// as the general decimal form of the number its text starts with.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <variant>

#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "file_test_support.h"
#include "io/element/element_file.h"

namespace tarnvel {
namespace {

using testing_support::ScratchFolder;

// A field text as users type them: plain numbers of every size and sign,
// with padding, trailing zeros, exponents, units after them, or no number.
std::string GeneratedText(std::mt19937_64& random) {
  std::uniform_real_distribution<double> exponent(-6, 16);
  std::uniform_int_distribution<int> kind(0, 7);
  const double magnitude = std::pow(10.0, exponent(random));
  const double value = (random() % 2 ? -1 : 1) * magnitude;
  char buffer[64];
  switch (kind(random)) {
    case 0:
      std::snprintf(buffer, sizeof buffer, "%.3f", value);
      break;
    case 1:
      std::snprintf(buffer, sizeof buffer, "%.6f0", value);
      break;
    case 2:
      std::snprintf(buffer, sizeof buffer, "%.17g", value);
      break;
    case 3:
      std::snprintf(buffer, sizeof buffer, "%.4e", value);
      break;
    case 4:
      std::snprintf(buffer, sizeof buffer, "  %.2f  ", value);
      break;
    case 5:
      std::snprintf(buffer, sizeof buffer, "%.1fm", value);
      break;
    case 6:
      return random() % 2 ? "" : "abc";
    default:
      std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
      break;
  }
  return buffer;
}

class ElementRoundTripProperty : public ScratchFolder {};

TEST_F(ElementRoundTripProperty, ImportGivesTheGeneralFormOfEachField) {
  std::mt19937_64 random(7586707);
  const QString path = PathOf("element.txt");
  for (int round = 0; round < 300; ++round) {
    ElementFieldTexts typed;
    ElementFieldTexts expected;
    for (size_t n = 0; n < typed.size(); ++n) {
      const std::string text = GeneratedText(random);
      typed[n] = QString::fromStdString(text);
      expected[n] = QString::fromStdString(GeneralText(ReadLenient(text)));
    }
    ASSERT_FALSE(SaveElementFile(path, typed));
    const auto outcome = ReadElementFile(path);
    ASSERT_TRUE(std::holds_alternative<ElementFieldTexts>(outcome))
        << std::get<FileRefusal>(outcome).message.toStdString();
    for (size_t n = 0; n < typed.size(); ++n)
      EXPECT_EQ(std::get<ElementFieldTexts>(outcome)[n], expected[n])
          << "typed \"" << typed[n].toStdString() << "\"";
  }
}

}  // namespace
}  // namespace tarnvel
