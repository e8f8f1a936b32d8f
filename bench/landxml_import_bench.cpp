// Importing a LandXML alignment of many station equations, today's import
// beside the previous one, which searched every station and element for each
// equation's place. A straight of 80,000 or 160,000 elements of 10 m, each
// with an equation in its middle: the file a long survey's stationing gives.
#include <benchmark/benchmark.h>

#include <string>

#include "io/landxml/landxml_import.h"
#include "previous_landxml_import.h"

namespace tarnvel {
namespace {

QByteArray EquationDocument(int count) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<LandXML xmlns=\"http://www.landxml.org/schema/LandXML-1.2\" version=\"1.2\">\n"
      "<Units><Metric linearUnit=\"meter\" angularUnit=\"decimal degrees\" "
      "directionUnit=\"decimal degrees\"/></Units>\n<Alignments>\n"
      "<Alignment name=\"A\" length=\"0\" staStart=\"0\">\n<CoordGeom>\n";
  for (int i = 0; i < count; ++i) {
    text +=
        "<Line dir=\"90\" length=\"10\"><Start>0 " + std::to_string(10 * i) + "</Start></Line>\n";
  }
  text += "</CoordGeom>\n";
  for (int i = 0; i < count; ++i) {
    // 5 m into element i, the stations ahead 1 m on.
    text += "<StaEquation staInternal=\"" + std::to_string(10 * i + 5) + "\" staAhead=\"" +
            std::to_string(10 * i + 6 + i) + "\"/>\n";
  }
  text += "</Alignment>\n</Alignments>\n</LandXML>\n";
  return QByteArray::fromStdString(text);
}

template <class Parse>
void Import(benchmark::State& state, Parse parse) {
  const QByteArray file = EquationDocument(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto outcome = parse(QStringLiteral("a.xml"), file, QString(), JointTolerances{});
    if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
      state.SkipWithError(refusal->message.toStdString().c_str());
      return;
    }
    benchmark::DoNotOptimize(outcome);
  }
  state.counters["bytes"] = static_cast<double>(file.size());
}

void BM_LandXmlEquations(benchmark::State& state) {
  Import(state, [](auto&&... a) { return ParseLandXmlAlignment(a...); });
}

void BM_LandXmlEquationsPrevious(benchmark::State& state) {
  Import(state, [](auto&&... a) { return previous::ParseLandXmlAlignment(a...); });
}

BENCHMARK(BM_LandXmlEquations)->Arg(80000)->Arg(160000)->Unit(benchmark::kMillisecond);
// A minute or two an iteration: one is enough to see the square.
BENCHMARK(BM_LandXmlEquationsPrevious)
    ->Arg(80000)
    ->Arg(160000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
