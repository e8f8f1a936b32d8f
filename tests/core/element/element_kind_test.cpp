// One answer to "straight, arc or spiral?" for the joint check and the plan.
// Pins their disagreement on an element with turn direction 0 and finite
// radii: the joint check took it for a straight and the plan coloured it as
// an arc (the export writes it as a Line).
#include "core/element/element_kind.h"

#include <gtest/gtest.h>

namespace tarnvel {
namespace {

struct KindCase {
  const char* name;
  LineElement element;
  ElementKind kind;
};

class ElementKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(ElementKindTest, ByCurvature) {
  const LineElement& e = GetParam().element;
  EXPECT_EQ(KindOf(e), GetParam().kind) << "RQ " << e.RQ << " RN " << e.RN << " Q " << e.Q;
}

INSTANTIATE_TEST_SUITE_P(
    Elements, ElementKindTest,
    ::testing::Values(
        KindCase{"NoTurn_FiniteRadii", {0, 100, 0, 0, 0, 500, 500, 0}, ElementKind::Straight},
        KindCase{"NoTurn_SpiralRadii",
                 {0, 100, 0, 0, 0, kInfiniteRadius, 500, 0},
                 ElementKind::Straight},
        KindCase{"Turn_InfiniteRadii",
                 {0, 100, 0, 0, 0, kInfiniteRadius, kInfiniteRadius, 1},
                 ElementKind::Straight},
        KindCase{"Arc", {0, 100, 0, 0, 0, 500, 500, -1}, ElementKind::Arc},
        KindCase{"Arc_RadiusTypedTwice", {0, 100, 0, 0, 0, 500, 500.0000001, 1}, ElementKind::Arc},
        KindCase{"SpiralIn", {0, 100, 0, 0, 0, kInfiniteRadius, 500, 1}, ElementKind::Spiral},
        KindCase{"SpiralBetweenArcs", {0, 100, 0, 0, 0, 800, 500, 1}, ElementKind::Spiral}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnvel
