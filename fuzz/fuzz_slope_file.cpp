// The side slope file reader on arbitrary file contents. What it accepts
// holds each side's and kind's lines in route order, each with at least one
// step of positive 坡率; its chains run outward and reach every height on
// their own side of the hinge.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/slopes/slope_chain.h"
#include "fuzz_checks.h"
#include "io/slopes/slope_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  static const Route route = std::get<Route>(MakeRoute({{{0, 2000, 0, 0, 0, 0, 0, 0}, ""}}));
  const RoutePositions positions(route);
  const auto outcome = InFile(
      QStringLiteral("边坡.csv"),
      ParseSlopeFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)),
                     positions));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“边坡.csv”")),
                     "a refusal that does not name the file");
    return 0;
  }
  for (const auto& side : std::get<SideSlopes>(outcome).lines)
    for (const auto& kind : side)
      for (std::size_t k = 0; k < kind.size(); ++k) {
        const SlopeLine& line = kind[k];
        fuzzing::Require(k == 0 || line.position > kind[k - 1].position,
                         "lines not in route order");
        fuzzing::Require(!line.steps.empty(), "a line without a step");
        for (const SlopeStep& step : line.steps)
          fuzzing::Require(step.ratio > 0 && step.height >= 0 && step.berm >= 0,
                           "a step the file's rules refuse");
        // Figures near the double range may overflow the chain's sums; the
        // chain is checked where it is finite.
        const SlopeChain chain = MakeSlopeChain(line, 5, 100);
        bool finite = std::isfinite(chain.runOn);
        for (const ChainVertex& vertex : chain.vertices)
          finite = finite && std::isfinite(vertex.out) && std::isfinite(vertex.elevation);
        if (!finite) continue;
        for (std::size_t i = 1; i < chain.vertices.size(); ++i)
          fuzzing::Require(chain.vertices[i].out >= chain.vertices[i - 1].out,
                           "a chain that does not run outward");
        const double beyond = line.kind == SlopeKind::Cut ? 1e3 : -1e3;
        fuzzing::Require(
            OutermostReach(chain, chain.vertices.back().elevation + beyond).has_value(),
            "a height the run-on slope never reaches");
      }
  return 0;
}
