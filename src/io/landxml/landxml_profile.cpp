#include "io/landxml/landxml_profile.h"

#include <cmath>
#include <string>

#include "core/text/number_text.h"
#include "io/files/echoed_text.h"
#include "io/landxml/landxml_numbers.h"

namespace tarnvel::landxml {

using namespace Qt::Literals::StringLiterals;

namespace {

// How far a CircCurve's `length` may be from its arc: the millimetre to
// which lengths are set out.
constexpr double kArcLengthTolerance = 1e-3;

QString Number(double value) {
  return QString::fromStdString(RoundTripText(value));
}

Pvi ReadPvi(const Reader& reader, const RawPvi& raw, std::size_t index) {
  const QStringList parts = raw.text.simplified().split(u' ', Qt::SkipEmptyParts);
  std::optional<double> station, elevation;
  if (parts.size() == 2) {
    station = ReadXsDouble(parts[0].toStdString());
    elevation = ReadXsDouble(parts[1].toStdString());
  }
  if (!station || !elevation || !std::isfinite(*station) || !std::isfinite(*elevation)) {
    reader.Refuse(
        raw.line, raw.kind,
        QStringLiteral("“%1”不是“桩号 高程”形式的两个数").arg(EchoedText(raw.text.simplified())));
  }
  Pvi pvi;
  pvi.station = *station;
  pvi.elevation = *elevation;
  const QString desc = raw.attributes.value("desc"_L1).toString();
  pvi.name = (desc.isEmpty() ? QString::number(index + 1) : desc).toStdString();
  return pvi;
}

// A length or radius the element needs: present, a finite number, not negative.
double NeededLength(const Reader& reader, Builder& builder, const RawPvi& raw,
                    QLatin1StringView name) {
  const auto value = builder.Finite(raw.line, raw.kind, raw.attributes, name);
  if (!value) reader.Refuse(raw.line, raw.kind, QStringLiteral("缺少%1").arg(name));
  if (*value < 0) {
    reader.Refuse(raw.line, raw.kind, QStringLiteral("%1的值%2为负数").arg(name, Number(*value)));
  }
  return *value;
}

}  // namespace

VerticalProfile BuildProfile(const Reader& reader, Builder& builder, const RawProfAlign& raw) {
  std::vector<Pvi> pvis;
  pvis.reserve(raw.pvis.size());
  for (std::size_t i = 0; i < raw.pvis.size(); ++i) {
    reader.Step();
    pvis.push_back(ReadPvi(reader, raw.pvis[i], i));
  }
  for (std::size_t i = 0; i < raw.pvis.size(); ++i) {
    const RawPvi& r = raw.pvis[i];
    if (r.kind == "PVI"_L1) continue;
    if (i == 0 || i + 1 == raw.pvis.size()) {
      reader.Refuse(r.line, r.kind,
                    QStringLiteral("纵断面的%1不能有竖曲线")
                        .arg(i == 0 ? QStringLiteral("起点") : QStringLiteral("终点")));
    }
    const double length = NeededLength(reader, builder, r, "length"_L1);
    // Stations that do not increase leave the grades undefined;
    // MakeVerticalProfile refuses them below.
    if (!(pvis[i].station > pvis[i - 1].station && pvis[i + 1].station > pvis[i].station)) continue;
    const double before = GradeBetween(pvis[i - 1], pvis[i]);
    const double after = GradeBetween(pvis[i], pvis[i + 1]);
    if (r.kind == "ParaCurve"_L1) {
      const double omega = std::fabs(after - before);
      pvis[i].radius = omega == 0 ? 0 : length / omega;
      continue;
    }
    const double radius = NeededLength(reader, builder, r, "radius"_L1);
    const double arc = radius * std::fabs(std::atan(after) - std::atan(before));
    if (!(std::fabs(arc - length) <= kArcLengthTolerance)) {
      reader.Refuse(
          r.line, r.kind,
          QStringLiteral("length=%1与半径radius=%2的圆弧长%3不符")
              .arg(Number(length), Number(radius), QString::fromStdString(FixedText(arc, 3))));
    }
    pvis[i].radius = radius;
    pvis[i].curve = VerticalCurveKind::kCircle;
  }

  auto made = MakeVerticalProfile(std::move(pvis));
  if (const auto* refusal = std::get_if<ProfileRefusal>(&made)) {
    QString message = QString::fromStdString(refusal->message);
    if (message.endsWith(u'！')) message.chop(1);  // Refuse ends the sentence
    if (refusal->pvi >= 1 && refusal->pvi <= raw.pvis.size()) {
      const RawPvi& at = raw.pvis[refusal->pvi - 1];
      reader.Refuse(at.line, at.kind, message);
    }
    reader.Refuse(raw.line, QStringLiteral("ProfAlign"), message);
  }
  return std::get<VerticalProfile>(std::move(made));
}

}  // namespace tarnvel::landxml
