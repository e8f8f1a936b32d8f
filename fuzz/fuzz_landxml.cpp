// The LandXML alignment reader on arbitrary file contents. What it accepts
// must be a route of finite fields that the export writes and the reader
// reads back the same: every number but F bit for bit, F (d.mmss) as the same
// angle to 1e-9°, since a direction in a unit other than decimal degrees or
// in d.mmss with 60 minutes or more comes back in Tarnvel's own form. The
// export's own End must then close to what that turn moves it: each element
// before it, swung by its own change of F, plus the rounding of coordinates
// of that size. A fixed tolerance would fail on long enough elements.
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <numbers>
#include <variant>
#include <vector>

#include "core/text/angle.h"
#include "fuzz_checks.h"
#include "io/landxml/landxml_export.h"
#include "io/landxml/landxml_import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const QString path = QStringLiteral("路线.xml");
  const auto outcome =
      ParseLandXmlAlignment(path, QByteArrayView(data, static_cast<qsizetype>(size)));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(!refusal->message.isEmpty(), "a refusal without a message");
    return 0;
  }
  const LandXmlAlignment& read = std::get<LandXmlAlignment>(outcome);
  fuzzing::Require(!read.route.elements.empty(), "a route without elements");
  for (const RouteElement& element : read.route.elements) {
    for (double field : FieldValues(element.values)) {
      fuzzing::Require(std::isfinite(field), "a field that is not finite");
    }
  }

  const QByteArray bytes = LandXmlAlignmentBytes(read.route, read.name, QDateTime());
  const auto reread = ParseLandXmlAlignment(path, bytes);
  if (const auto* refusal = std::get_if<FileRefusal>(&reread)) {
    std::fprintf(stderr, "%s\n", refusal->message.toUtf8().constData());
    fuzzing::Require(false, "the export of a route read is refused");
  }
  const auto& again = std::get<LandXmlAlignment>(reread).route.elements;
  fuzzing::Require(again.size() == read.route.elements.size(), "the export changes the count");
  // closure[i]: how far the End after element i may lie from the end computed
  // again, in metres.
  std::vector<double> closure(again.size());
  double swing = 0, reach = 0;
  for (std::size_t i = 0; i < again.size(); ++i) {
    ElementValues a = again[i].values;
    ElementValues b = read.route.elements[i].values;
    const double fa = DmsToDegrees(a.F), fb = DmsToDegrees(b.F);
    fuzzing::Require(std::fabs(fa - fb) <= 1e-9 * std::max(1.0, std::fabs(fb)),
                     "the export changes an azimuth");
    const double length = std::fabs(b.K1 - b.K0);
    swing += length * std::fabs(fa - fb) * (std::numbers::pi / 180);
    reach += length;
    closure[i] = swing + 1024 * std::numeric_limits<double>::epsilon() *
                             (reach + std::fabs(b.X0) + std::fabs(b.Y0));
    a.F = b.F = 0;
    fuzzing::Require(a == b, "the export changes a field");
    fuzzing::Require(again[i].name == read.route.elements[i].name, "the export changes a name");
  }
  for (const LandXmlEndCheck& check : std::get<LandXmlAlignment>(reread).endChecks) {
    const double allowed_mm = closure[static_cast<std::size_t>(check.element - 1)] * 1000;
    if (check.d_mm > allowed_mm) {
      std::fprintf(stderr, "element %d: End off by %.3g mm, %.3g mm allowed\n", check.element,
                   check.d_mm, allowed_mm);
      fuzzing::Require(false, "the export's own End disagrees with the computed end");
    }
  }
  return 0;
}
