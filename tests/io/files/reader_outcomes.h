// What each line-by-line reader makes of a file's bytes, as one text to
// compare: its records' count and the first one's name ("2:直线"), or its
// refusal said of the file "f.csv".
#pragma once

#include <QByteArray>
#include <QString>
#include <string>

#include "io/files/file_refusal.h"
#include "io/profile/profile_file.h"
#include "io/route/jd_file.h"
#include "io/route/point_file.h"
#include "io/route/route_file.h"
#include "io/route/station_file.h"
#include "io/section/section_file.h"

namespace tarnvel::testing_support {

using ReadBytes = std::string (*)(const QByteArray&);

template <class Records, class Summary>
std::string Outcome(ContentOutcome<Records>&& read, Summary summary) {
  const FileOutcome<Records> named = InFile(QStringLiteral("f.csv"), std::move(read));
  if (const auto* refusal = std::get_if<FileRefusal>(&named)) return refusal->message.toStdString();
  return summary(std::get<Records>(named));
}

// The readers refuse a file without records, so there is always a first.
template <class List>
std::string CountAndFirst(const List& list, const std::string& first) {
  return std::to_string(list.size()) + ':' + first;
}

inline std::string RouteOutcome(const QByteArray& bytes) {
  return Outcome(ParseRouteFile(bytes), [](const Route& r) {
    return CountAndFirst(r.elements, r.elements.front().name) + ':' +
           std::to_string(r.equations.size()) + "个断链";
  });
}
inline std::string JdOutcome(const QByteArray& bytes) {
  return Outcome(ParseJdFile(bytes), [](const JdTable& t) {
    return CountAndFirst(t.points, t.points.front().name) + ':' +
           std::to_string(t.equations.size()) + "个断链";
  });
}
inline std::string ProfileOutcome(const QByteArray& bytes) {
  return Outcome(ParseProfileFile(bytes), [](const VerticalProfile& p) {
    return CountAndFirst(p.pvis, p.pvis.front().name);
  });
}
inline std::string SectionOutcome(const QByteArray& bytes) {
  return Outcome(ParseSectionFile(bytes), [](const CrossSectionTable& t) {
    return CountAndFirst(t.stations, t.leftParts.empty() ? "" : t.leftParts.front());
  });
}
inline std::string StationsOutcome(const QByteArray& bytes) {
  return Outcome(ParseStationFile(bytes), [](const std::vector<StationLine>& s) {
    return CountAndFirst(s, s.front().name.toStdString());
  });
}
inline std::string PointsOutcome(const QByteArray& bytes) {
  return Outcome(ParsePointFile(bytes), [](const std::vector<SurveyPoint>& p) {
    return CountAndFirst(p, p.front().name.toStdString());
  });
}
inline std::string SurveyPointsOutcome(const QByteArray& bytes) {
  return Outcome(ParseSurveyPointFile(bytes), [](const std::vector<SurveyPoint>& p) {
    return CountAndFirst(p, p.front().name.toStdString());
  });
}

}  // namespace tarnvel::testing_support
