#include "core/text/station_text.h"

#include <gtest/gtest.h>

#include "core/text/number_reading.h"

namespace tarnvel {
namespace {

struct StationTextCase {
  const char* name;
  const char* text;
  std::optional<double> station;
};

class ReadStationTextTest : public ::testing::TestWithParam<StationTextCase> {};

// K text reads to the very double of the metres written out: comparing
// stations typed both ways must never differ in the last bit.
TEST_P(ReadStationTextTest, ReadsMetresOrKText) {
  const StationTextCase& c = GetParam();
  EXPECT_EQ(ReadStationText(c.text), c.station) << "text: \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadStationTextTest,
    ::testing::Values(StationTextCase{"Metres", "649.501", 649.501},
                      StationTextCase{"NegativeMetres", "-20", -20.0},
                      StationTextCase{"K", "K12+345.678", ReadStrict("12345.678")},
                      StationTextCase{"ZeroKilometres", "K0+649.501", 649.501},
                      StationTextCase{"ShortMetres", "DK0+5.2", 5.2},
                      StationTextCase{"LeadingZeros", "ZK012+045", 12045.0},
                      StationTextCase{"LowerCase", " k1+000.000 ", 1000.0},
                      StationTextCase{"LastBit", "YK3+220.8627706", ReadStrict("3220.8627706")},
                      StationTextCase{"NoPrefix", "12+345", std::nullopt},
                      StationTextCase{"ThousandMetres", "K1+1000", std::nullopt},
                      StationTextCase{"SignedMetres", "K1+-5", std::nullopt},
                      StationTextCase{"Exponent", "K1+5e2", std::nullopt},
                      StationTextCase{"NoMetres", "K1+", std::nullopt},
                      StationTextCase{"TrailingPoint", "K1+5.", std::nullopt},
                      StationTextCase{"NoKilometres", "K+5", std::nullopt},
                      StationTextCase{"Text", "P1", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct KTextCase {
  const char* name;
  double station;
  const char* prefix;
  const char* text;
};

class KReadStationTextTest : public ::testing::TestWithParam<KTextCase> {};

TEST_P(KReadStationTextTest, WritesKilometresPlusMetres) {
  const KTextCase& c = GetParam();
  EXPECT_EQ(KStationText(c.station, c.prefix), c.text) << "station " << c.station;
}

INSTANTIATE_TEST_SUITE_P(
    Stations, KReadStationTextTest,
    ::testing::Values(KTextCase{"Start", 0, "K", "K0+000.000"},
                      KTextCase{"BelowAKilometre", 649.501, "K", "K0+649.501"},
                      KTextCase{"RoundsIntoNextKilometre", 999.9995, "K", "K1+000.000"},
                      KTextCase{"RoundsDown", 12345.6784999, "K", "K12+345.678"},
                      KTextCase{"Prefix", 5030, "ZK", "ZK5+030.000"},
                      KTextCase{"Negative", -20, "K", "-20.000"},
                      KTextCase{"NegativeRoundsToZero", -0.0004, "K", "K0+000.000"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PassCase {
  const char* name;
  const char* text;
  const char* station;  // the text before the suffix
  int pass;
};

class SplitStationPassTest : public ::testing::TestWithParam<PassCase> {};

// The suffix of a later pass over a 长链's repeated stretch: "_" and a whole
// number. Pins "_100" read as no suffix at all, though names go on to it.
TEST_P(SplitStationPassTest, TakesOffTheSuffix) {
  const PassCase& c = GetParam();
  const StationPass split = SplitStationPass(c.text);
  EXPECT_EQ(split.station, c.station) << "text: \"" << c.text << '"';
  EXPECT_EQ(split.pass, c.pass) << "text: \"" << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitStationPassTest,
    ::testing::Values(
        PassCase{"KText", "K1+690.000_2", "K1+690.000", 2}, PassCase{"Metres", "1690_2", "1690", 2},
        PassCase{"Spaces", " K1+690_2 ", "K1+690", 2}, PassCase{"First", "K1+690_1", "K1+690", 1},
        PassCase{"TwoDigits", "K1+690_12", "K1+690", 12}, PassCase{"None", "K1+690", "K1+690", 1},
        PassCase{"Zero", "K1+690_0", "K1+690_0", 1},
        PassCase{"LeadingZero", "K1+690_02", "K1+690_02", 1},
        PassCase{"ThreeDigits", "K1+690_100", "K1+690", 100},
        PassCase{"NineDigits", "1690_123456789", "1690", 123456789},
        PassCase{"TenDigits", "1690_1234567890", "1690_1234567890", 1},
        PassCase{"Letter", "K1+690_B", "K1+690_B", 1}, PassCase{"Bare", "K1+690_", "K1+690_", 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
