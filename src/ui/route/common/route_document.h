// What the route window computes with, held once for all its pages: the
// route the 线元表 makes, the 断链 it declares, the joint tolerances, the
// prefix of K text, the vertical profile, the cross sections, the ground and
// the side slopes, each as the core's object (never as cell texts). A page
// that reads a table hands what its rows make to the document; a page that
// computes takes it from here.
// Each change is signalled, and the rows computed with what changed are
// cleared here and nowhere else: a table of computed rows says what it was
// computed with and how it goes (addComputedRows).
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "core/route/station_equation.h"
#include "core/section/cross_section.h"
#include "core/slopes/side_slopes.h"
#include "core/surface/ground.h"

namespace tarnvel {

class RouteDocument : public QObject {
  Q_OBJECT

 public:
  // What rows are computed with: every row with the route, some with the
  // profile or the cross sections too.
  enum Input : unsigned { kRoute = 1, kProfile = 2, kSections = 4, kGround = 8, kSlopes = 16 };

  explicit RouteDocument(QObject* parent = nullptr);

  // A table of computed rows: `inputs` says what its rows were computed
  // with now, `clear` takes them off the table and the plan. The table
  // outlives the document.
  void addComputedRows(std::function<unsigned()> inputs, std::function<void()> clear);

  // The route the 线元表 makes now and its joints, or null while the table
  // has a fault. Set as the table reads it; a route read or made in its
  // place is bracketed by beginReplacingRoute and endReplacingRoute.
  const std::shared_ptr<const Route>& route() const { return route_; }
  const std::vector<Joint>& joints() const { return joints_; }
  void setRoute(std::shared_ptr<const Route> route, std::vector<Joint> joints);
  // A route read or made is about to take the table's place: the rows
  // computed on the old one go.
  void beginReplacingRoute();
  // It has: the pages set out and show the new one whole.
  void endReplacingRoute();

  // The 断链 the route declares.
  const std::vector<StationEquation>& equations() const { return equations_; }
  void setEquations(std::vector<StationEquation> equations);

  const JointTolerances& tolerances() const { return tolerances_; }
  void setTolerances(const JointTolerances& tolerances);
  // The position tolerance in metres: a station this far past the route's
  // end is its end.
  double positionTolerance() const { return tolerances_.position_mm / 1000; }

  // The letters before the kilometres of every station the window shows.
  const QString& stationPrefix() const { return stationPrefix_; }
  void setStationPrefix(const QString& prefix);

  // The profile and the cross sections, or null while their table holds
  // none that holds together. Shared, never changed: a job computes with
  // the one it was given while the user edits the next.
  const std::shared_ptr<const VerticalProfile>& profile() const { return profile_; }
  void setProfile(std::shared_ptr<const VerticalProfile> profile);
  const std::shared_ptr<const CrossSectionTable>& sections() const { return sections_; }
  void setSections(std::shared_ptr<const CrossSectionTable> sections);

  // The ground (原地面), surveyed lines or a surface, and the side slopes
  // (边坡), or null while none is loaded: the catch points and the slope
  // heights are computed with both, through the core's Ground.
  const std::shared_ptr<const SurveyedGround>& ground() const { return ground_; }
  void setGround(std::shared_ptr<const SurveyedGround> ground);
  const std::shared_ptr<const SideSlopes>& slopes() const { return slopes_; }
  void setSlopes(std::shared_ptr<const SideSlopes> slopes);

 signals:
  void replacingRoute();
  void routeReplaced();
  void routeChanged();
  void equationsChanged();
  void tolerancesChanged();
  void stationPrefixChanged(const QString& prefix);
  // Rows computed with the profile or the sections are about to go: work
  // that may be giving such rows ends first.
  void clearingRows();
  void profileChanged();
  void sectionsChanged();
  void groundChanged();
  void slopesChanged();

 private:
  struct ComputedRows {
    std::function<unsigned()> inputs;
    std::function<void()> clear;
  };
  void clearRowsComputedWith(Input input);

  std::vector<ComputedRows> computed_;
  std::shared_ptr<const Route> route_;
  std::vector<Joint> joints_;
  std::vector<StationEquation> equations_;
  JointTolerances tolerances_;
  QString stationPrefix_ = QStringLiteral("K");
  std::shared_ptr<const VerticalProfile> profile_;
  std::shared_ptr<const CrossSectionTable> sections_;
  std::shared_ptr<const SurveyedGround> ground_;
  std::shared_ptr<const SideSlopes> slopes_;
};

// The core's Ground over a ground the document held (none for null), which
// must outlive it: a job keeps the shared one it was given.
Ground GroundOf(const std::shared_ptr<const SurveyedGround>& held);

}  // namespace tarnvel
