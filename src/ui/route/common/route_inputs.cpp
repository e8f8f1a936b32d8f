#include "ui/route/common/route_inputs.h"

#include <QLineEdit>
#include <QRegularExpression>

#include "core/text/number_reading.h"
#include "core/text/refusal.h"
#include "core/text/station_text.h"
#include "io/files/echoed_text.h"

namespace tarnvel {

namespace {

QString Label(const QLineEdit* box) {
  return box->accessibleName();
}

}  // namespace

std::variant<QString, double> ReadInput(const QLineEdit* box) {
  const std::string text = box->text().toStdString();
  if (IsBlank(text)) return QStringLiteral("请输入“%1”！").arg(Label(box));
  if (auto value = ReadStrict(text)) return *value;
  return QStringLiteral("输入") + QString::fromStdString(NotANumberText(Label(box).toStdString()));
}

std::variant<QString, double> ReadStationInput(const QLineEdit* box) {
  const std::string text = box->text().toStdString();
  if (IsBlank(text)) return QStringLiteral("请输入“%1”！").arg(Label(box));
  if (auto station = ReadStationText(text)) return *station;
  return QStringLiteral("输入“%1”").arg(Label(box)) + NotAStationText(box->text());
}

std::variant<QString, RouteStationInput> ReadRouteStationInput(const QLineEdit* box) {
  const std::string text = box->text().toStdString();
  if (IsBlank(text)) return QStringLiteral("请输入“%1”！").arg(Label(box));
  const StationPass split = SplitStationPass(text);
  if (auto station = ReadStationText(split.station)) return RouteStationInput{*station, split.pass};
  return QStringLiteral("输入“%1”").arg(Label(box)) + NotAStationText(box->text());
}

QString NotAStationText(const QString& typed) {
  const QString quoted = EchoedText(typed.trimmed());
  if (BeginsLikeStationText(typed.toStdString()))
    return QStringLiteral("的值“%1”不是有效的桩号！").arg(quoted);
  return QStringLiteral("的值") + QString::fromStdString(NotANumberText(quoted.toStdString()));
}

std::variant<QString, std::vector<double>> ReadOffsets(const QLineEdit* box) {
  static const QRegularExpression separators(QStringLiteral("[,，\\s]+"));
  const QStringList parts = box->text().split(separators, Qt::SkipEmptyParts);
  if (parts.isEmpty()) return QStringLiteral("请输入“%1”！").arg(Label(box));
  std::vector<double> offsets;
  for (qsizetype i = 0; i < parts.size(); ++i) {
    const auto value = ReadStrict(parts[i].toStdString());
    if (!value)
      return QStringLiteral("输入“%1”的第%2个值").arg(Label(box)).arg(i + 1) +
             QString::fromStdString(NotANumberText(parts[i].toStdString()));
    offsets.push_back(*value);
  }
  return offsets;
}

}  // namespace tarnvel
