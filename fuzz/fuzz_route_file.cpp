// The element table reader on arbitrary file contents. A route it accepts has
// finite values and a name per element; writing it and reading that back
// gives the same text again, so a saved table always opens. The one thing a
// write may lose is a difference beyond fifteen digits, which can make K1
// equal K0; that is refused on reading, never accepted wrongly.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>
#include <vector>

#include "fuzz_checks.h"
#include "io/route/route_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const QString path = QStringLiteral("线元表.csv");
  const auto outcome = InFile(path, ParseRouteFile(QByteArray(reinterpret_cast<const char*>(data),
                                                              static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“线元表.csv”")),
                     "a refusal that does not name the file");
    return 0;
  }
  const Route& route = std::get<Route>(outcome);
  fuzzing::Require(!route.elements.empty(), "a route without elements");
  fuzzing::Require(route.loaded.size() == route.elements.size(), "elements not all loaded");
  for (const RouteElement& element : route.elements) {
    for (double value : FieldValues(element.values))
      fuzzing::Require(std::isfinite(value), "a value that is not finite");
    fuzzing::Require(element.values.K1 > element.values.K0, "K1 not above K0");
  }

  const QString text = RouteFileText(route.elements);
  // A name is the user's own text and may well hold "inf"; only the numbers
  // are held to being finite.
  std::vector<RouteElement> unnamed = route.elements;
  for (RouteElement& element : unnamed) element.name.clear();
  fuzzing::RequireFiniteText(RouteFileText(unnamed).toStdString());
  const auto reread = InFile(path, ParseRouteFile(text.toUtf8()));
  if (const auto* refusal = std::get_if<FileRefusal>(&reread)) {
    fuzzing::Require(refusal->message.contains(QStringLiteral("必须大于")),
                     "a written table that cannot be read back");
    return 0;
  }
  fuzzing::Require(RouteFileText(std::get<Route>(reread).elements) == text,
                   "writing and reading again changes the table");
  return 0;
}
