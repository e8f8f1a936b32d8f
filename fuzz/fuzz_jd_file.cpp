// The JD table reader on arbitrary file contents, and the route its table
// gives from BP at station 0. A refusal names the file; a route given back
// has elements of finite fields with K1 above K0, one curve row per inner JD,
// and curve rows of finite values.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "fuzz_checks.h"
#include "io/route/jd_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const QString path = QStringLiteral("交点表.txt");
  const QString named = QStringLiteral("文件“交点表.txt”");
  const auto table = InFile(path, ParseJdFile(QByteArray(reinterpret_cast<const char*>(data),
                                                         static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&table)) {
    fuzzing::Require(refusal->message.startsWith(named), "a refusal that does not name the file");
    return 0;
  }
  const JdTable& read = std::get<JdTable>(table);
  fuzzing::Require(read.points.size() >= 2, "a table of fewer than two points");
  fuzzing::Require(read.lines.size() == read.points.size(), "a point without its line");

  const auto made = InFile(path, JdRouteOfTable(read, 0));
  if (const auto* refusal = std::get_if<FileRefusal>(&made)) {
    fuzzing::Require(refusal->message.startsWith(named), "a refusal that does not name the file");
    return 0;
  }
  const JdRoute& jd = std::get<JdRoute>(made);
  fuzzing::Require(!jd.route.elements.empty(), "a route without elements");
  fuzzing::Require(jd.route.loaded.size() == jd.route.elements.size(), "elements not all loaded");
  for (const RouteElement& element : jd.route.elements) {
    for (double value : FieldValues(element.values))
      fuzzing::Require(std::isfinite(value), "a value that is not finite");
    fuzzing::Require(element.values.K1 > element.values.K0, "K1 not above K0");
  }
  fuzzing::Require(jd.curves.size() == read.points.size() - 2, "not one curve row per inner JD");
  for (const CurveRow& row : jd.curves) {
    for (double value : {row.alpha, row.R, row.Ls1, row.Ly, row.Ls2, row.T1, row.T2, row.L, row.J,
                         row.ZH, row.HY, row.QZ, row.YH, row.HZ, row.straightBefore})
      fuzzing::Require(std::isfinite(value), "a curve value that is not finite");
    fuzzing::Require(!row.E || std::isfinite(*row.E), "an external distance that is not finite");
  }
  fuzzing::Require(std::isfinite(jd.straightAfter), "a last straight that is not finite");
  return 0;
}
