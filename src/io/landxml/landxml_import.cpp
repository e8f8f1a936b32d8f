#include "io/landxml/landxml_import.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/element/centre_line.h"
#include "core/text/angle.h"
#include "io/files/echoed_text.h"
#include "io/files/read_file.h"
#include "io/landxml/landxml_geometry.h"
#include "io/landxml/landxml_numbers.h"
#include "io/landxml/landxml_profile.h"
#include "io/landxml/landxml_reader.h"

namespace tarnvel {

using namespace Qt::Literals::StringLiterals;

// The reading and the building of elements are done by the import's own
// files; this one gives the stations, splits elements at the equations and
// checks each element's end against the file.
using landxml::Builder;
using landxml::Built;
using landxml::kQuarterTurnDegrees;
using landxml::RawAlignment;
using landxml::RawEquation;
using landxml::RawGeometry;
using landxml::Reader;
using landxml::ReduceHalfTurn;
using landxml::Refused;

namespace {

// A station equation this close to an element joint (in internal station) is
// at that joint: design software writes both to the millimetre or finer.
constexpr double kEquationAtJoint = 1e-4;
constexpr double kMillimetresPerMetre = 1000;
constexpr double kSecondsPerDegree = kMinutesPerDegree * kSecondsPerMinute;

// The rest of an element from `distance` along it, where a station equation
// splits it: its start, tangent and radius there as Tarnvel computes them,
// the azimuth to 0.000001″. Stations are set by the caller.
ElementValues SplitAt(const Built& element, double distance) {
  const ElementValues& v = element.values;
  LineElement whole = LoadElement(v);
  whole.K0 = 0;
  whole.K1 = element.length;
  const ForwardResult there = ForwardPoint(whole, distance, 0, kQuarterTurnDegrees);
  // The curvature runs linearly from 1/RQ to 1/RN along the element.
  const auto curvature = [](double radius) { return radius == 0 ? 0 : 1 / radius; };
  const double k =
      curvature(v.RQ) + (curvature(v.RN) - curvature(v.RQ)) * distance / element.length;
  ElementValues rest = v;
  rest.X0 = there.point.X;
  rest.Y0 = there.point.Y;
  rest.F = DegreesToDmsField(there.azimuth);
  if (v.RQ != v.RN) rest.RQ = k == 0 ? 0 : 1 / k;  // an arc keeps its radius as typed
  return rest;
}

// Where a station equation falls among the internal stations of the element
// starts and the last end: at the first of them within kEquationAtJoint,
// else within the element whose stations enclose it (built.size() when none
// does). The stations rise, so each is found by a binary search: n
// equations take n log n steps, where a search of every station took n².
struct EquationPlace {
  bool atJoint = false;
  std::size_t index = 0;
};

EquationPlace PlaceEquation(const std::vector<double>& internal, double at) {
  const std::size_t elements = internal.size() - 1;
  const auto near = std::lower_bound(
      internal.begin(), internal.end(), at,
      [](double station, double value) { return station - value < -kEquationAtJoint; });
  if (near != internal.end() && std::fabs(*near - at) <= kEquationAtJoint) {
    return {true, static_cast<std::size_t>(near - internal.begin())};
  }
  const auto above = std::upper_bound(internal.begin(), internal.end(), at);
  if (above == internal.begin() || above == internal.end() || !(*(above - 1) < at)) {
    return {false, elements};
  }
  return {false, static_cast<std::size_t>(above - internal.begin()) - 1};
}

// The alignment asked for, or the refusal naming what the file holds.
const RawAlignment& ChosenAlignment(const Reader& reader, const QString& wanted) {
  const auto& chosen = reader.Chosen();
  if (!chosen) {
    if (wanted.isEmpty() || reader.AllNames().isEmpty()) {
      reader.Refuse(reader.RootLine(), QStringLiteral("LandXML"),
                    QStringLiteral("文件中没有路线（Alignment）"));
    }
    throw Refused{{QStringLiteral("文件“%1”中没有名为“%2”的路线（Alignment），文件中的路线有：%3！")
                       .arg(FileNameForMessage(reader.Path()), EchoedText(wanted),
                            ListedNames(reader.AllNames()))}};
  }
  return *chosen;
}

LandXmlAlignment Import(const Reader& reader, const JointTolerances& tolerances,
                        const QString& wanted) {
  const RawAlignment& alignment = ChosenAlignment(reader, wanted);
  const QString alignment_element = QStringLiteral("Alignment");
  if (alignment.geometry.empty()) {
    reader.Refuse(
        alignment.line, alignment_element,
        QStringLiteral("路线“%1”没有线元（Line、Curve或Spiral）").arg(EchoedText(alignment.name)));
  }

  Builder builder(reader);
  const auto sta_start =
      builder.Finite(alignment.line, alignment_element, alignment.attributes, "staStart"_L1);
  if (!sta_start) {
    reader.Refuse(alignment.line, alignment_element, QStringLiteral("没有起点桩号（staStart）"));
  }

  std::vector<Built> built;
  built.reserve(alignment.geometry.size());
  for (const RawGeometry& g : alignment.geometry) {
    reader.Step();
    built.push_back(builder.Build(g));
  }

  // Internal stations (staStart plus the lengths, no equation applied) of
  // each element's start and of the last end.
  std::vector<double> internal(built.size() + 1, *sta_start);
  for (std::size_t i = 0; i < built.size(); ++i) internal[i + 1] = internal[i] + built[i].length;
  // Equations are placed by a search over rising stations. A negative (or
  // overflowed) length, which no route may hold, is refused first there.
  if (!alignment.equations.empty()) {
    for (std::size_t i = 0; i < built.size(); ++i) {
      if (!(built[i].length >= 0)) {
        builder.Refuse(alignment.geometry[i],
                       QStringLiteral("线元长度为%1，不是正数")
                           .arg(QString::fromStdString(RoundTripText(built[i].length))));
      }
    }
  }

  // Each equation starts the stations afresh at an element's start, or
  // within an element, which is then split there.
  std::vector<std::optional<double>> ahead(built.size());
  std::vector<std::vector<std::pair<double, double>>> splits(built.size());  // (distance, station)
  for (const RawEquation& equation : alignment.equations) {
    reader.Step();
    const QString element = QStringLiteral("StaEquation");
    const auto at = builder.Finite(equation.line, element, equation.attributes, "staInternal"_L1);
    const auto new_station =
        builder.Finite(equation.line, element, equation.attributes, "staAhead"_L1);
    if (!at || !new_station) {
      reader.Refuse(equation.line, element, QStringLiteral("缺少staInternal或staAhead"));
    }
    if (equation.attributes.value("staIncrement"_L1) == "decreasing"_L1) {
      reader.Refuse(equation.line, element, QStringLiteral("桩号递减（decreasing）的断链不能导入"));
    }
    const auto place = PlaceEquation(internal, *at);
    if (place.atJoint) {
      // An equation at the very end of the alignment changes no element.
      if (place.index < built.size()) ahead[place.index] = *new_station;
      continue;
    }
    const std::size_t index = place.index;
    if (index == built.size()) {
      reader.Refuse(equation.line, element,
                    QStringLiteral("staInternal=%1不在路线上")
                        .arg(QString::fromStdString(RoundTripText(*at))));
    }
    splits[index].emplace_back(*at - internal[index], *new_station);
  }

  std::vector<RouteElement> elements;
  std::vector<std::size_t> source;      // the geometry element of each route element
  std::vector<std::size_t> last_piece;  // the route element ending each geometry element
  double station = *sta_start;
  for (std::size_t i = 0; i < built.size(); ++i) {
    reader.Step();
    if (ahead[i]) station = *ahead[i];
    std::sort(splits[i].begin(), splits[i].end());
    ElementValues piece = built[i].values;
    double done = 0;
    for (const auto& [distance, new_station] : splits[i]) {
      piece.K0 = station;
      piece.K1 = station + (distance - done);
      elements.push_back({piece, built[i].name});
      source.push_back(i);
      piece = SplitAt(built[i], distance);
      station = new_station;
      done = distance;
    }
    piece.K0 = station;
    piece.K1 = station + (built[i].length - done);
    station = piece.K1;
    elements.push_back({piece, built[i].name});
    source.push_back(i);
    last_piece.push_back(elements.size() - 1);
  }

  auto made = MakeRoute(std::move(elements));
  if (const auto* error = std::get_if<RouteError>(&made)) {
    const auto index = static_cast<std::size_t>(std::max(error->element, 1) - 1);
    const RawGeometry& g = alignment.geometry[source[std::min(index, source.size() - 1)]];
    QString message = QString::fromStdString(error->message);
    if (message.endsWith(u'！')) message.chop(1);  // Refuse ends the sentence
    reader.Refuse(g.line, g.kind, message);
  }

  LandXmlAlignment result;
  result.name = alignment.name;
  result.allNames = reader.AllNames();
  result.route = std::get<Route>(std::move(made));
  for (std::size_t i = 0; i < alignment.geometry.size(); ++i) {
    reader.Step();
    const RawGeometry& g = alignment.geometry[i];
    if (!g.end.present) continue;
    const LineElement& loaded = result.route.loaded[last_piece[i]];
    const ForwardResult end = ForwardPoint(loaded, loaded.K1, 0, kQuarterTurnDegrees);
    LandXmlEndCheck check;
    check.element = static_cast<int>(last_piece[i]) + 1;
    check.line = g.end.line;
    check.dX_mm = (g.end.X - end.point.X) * kMillimetresPerMetre;
    check.dY_mm = (g.end.Y - end.point.Y) * kMillimetresPerMetre;
    check.d_mm = std::hypot(check.dX_mm, check.dY_mm);
    if (const auto dir_end = builder.EndDirection(g)) {
      check.hasAzimuth = true;
      check.daz_sec = ReduceHalfTurn(*dir_end - end.azimuth) * kSecondsPerDegree;
    }
    check.closed = EndCheckClosed(check, tolerances);
    result.endChecks.push_back(check);
  }
  if (alignment.profile) result.profile = BuildProfile(reader, builder, *alignment.profile);
  return result;
}

}  // namespace

bool EndCheckClosed(const LandXmlEndCheck& check, const JointTolerances& tolerances) {
  return check.d_mm <= tolerances.position_mm &&
         (!check.hasAzimuth || std::fabs(check.daz_sec) <= tolerances.azimuth_sec);
}

FileOutcome<LandXmlAlignment> ParseLandXmlAlignment(const QString& path, QByteArrayView bytes,
                                                    const QString& alignment,
                                                    const JointTolerances& tolerances,
                                                    const LandXmlKeepGoing& keepGoing) {
  try {
    Reader reader(path, bytes, alignment, keepGoing);
    reader.Read();
    return Import(reader, tolerances, alignment);
  } catch (const Refused& refused) {
    return refused.refusal;
  }
}

FileOutcome<LandXmlAlignment> ReadLandXmlAlignment(const QString& path, const QString& alignment,
                                                   const JointTolerances& tolerances,
                                                   const LandXmlKeepGoing& keepGoing) {
  auto bytes = ReadFileBytes(path, kLandXmlReadLimit);
  if (const auto* refusal = std::get_if<FileRefusal>(&bytes)) return *refusal;
  return ParseLandXmlAlignment(path, std::get<QByteArray>(bytes), alignment, tolerances, keepGoing);
}

FileOutcome<VerticalProfile> ParseLandXmlProfile(const QString& path, QByteArrayView bytes,
                                                 const QString& alignment) {
  try {
    const LandXmlKeepGoing no_cancel;  // the reader keeps a reference
    Reader reader(path, bytes, alignment, no_cancel);
    reader.Read();
    const RawAlignment& chosen = ChosenAlignment(reader, alignment);
    if (!chosen.profile) {
      reader.Refuse(chosen.line, QStringLiteral("Alignment"),
                    QStringLiteral("路线“%1”没有纵断面（Profile中的ProfAlign）")
                        .arg(EchoedText(chosen.name)));
    }
    Builder builder(reader);
    return BuildProfile(reader, builder, *chosen.profile);
  } catch (const Refused& refused) {
    return refused.refusal;
  }
}

FileOutcome<VerticalProfile> ReadLandXmlProfile(const QString& path, const QString& alignment) {
  auto bytes = ReadFileBytes(path, kLandXmlReadLimit);
  if (const auto* refusal = std::get_if<FileRefusal>(&bytes)) return *refusal;
  return ParseLandXmlProfile(path, std::get<QByteArray>(bytes), alignment);
}

}  // namespace tarnvel
