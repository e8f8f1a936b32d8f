#include "ui/route/common/route_document.h"

#include <utility>

namespace tarnvel {

RouteDocument::RouteDocument(QObject* parent) : QObject(parent) {}

void RouteDocument::addComputedRows(std::function<unsigned()> inputs, std::function<void()> clear) {
  computed_.push_back({std::move(inputs), std::move(clear)});
}

void RouteDocument::clearRowsComputedWith(Input input) {
  for (const ComputedRows& rows : computed_)
    if (rows.inputs() & input) rows.clear();
}

void RouteDocument::setRoute(std::shared_ptr<const Route> route, std::vector<Joint> joints) {
  route_ = std::move(route);
  joints_ = std::move(joints);
  emit routeChanged();
}

// Every row was computed on the route. A cell edited leaves the rows: the
// user corrects a typo and stakes on.
void RouteDocument::beginReplacingRoute() {
  emit replacingRoute();
  for (const ComputedRows& rows : computed_) rows.clear();
}

void RouteDocument::endReplacingRoute() {
  emit routeReplaced();
}

void RouteDocument::setEquations(std::vector<StationEquation> equations) {
  equations_ = std::move(equations);
  emit equationsChanged();
}

void RouteDocument::setTolerances(const JointTolerances& tolerances) {
  tolerances_ = tolerances;
  emit tolerancesChanged();
}

void RouteDocument::setStationPrefix(const QString& prefix) {
  stationPrefix_ = prefix;
  emit stationPrefixChanged(prefix);
}

// Heights belong to the profile they were computed with: the rows that
// carry them go.
void RouteDocument::setProfile(std::shared_ptr<const VerticalProfile> profile) {
  emit clearingRows();
  clearRowsComputedWith(kProfile);
  profile_ = std::move(profile);
  emit profileChanged();
}

// The same for the rows the cross sections gave: 边桩 and their heights.
void RouteDocument::setSections(std::shared_ptr<const CrossSectionTable> sections) {
  emit clearingRows();
  clearRowsComputedWith(kSections);
  sections_ = std::move(sections);
  emit sectionsChanged();
}

// Catch points and slope heights go with the ground or the slopes they met.
void RouteDocument::setGround(std::shared_ptr<const SurveyedGround> ground) {
  emit clearingRows();
  clearRowsComputedWith(kGround);
  ground_ = std::move(ground);
  emit groundChanged();
}

void RouteDocument::setSlopes(std::shared_ptr<const SideSlopes> slopes) {
  emit clearingRows();
  clearRowsComputedWith(kSlopes);
  slopes_ = std::move(slopes);
  emit slopesChanged();
}

Ground GroundOf(const std::shared_ptr<const SurveyedGround>& held) {
  return held ? Ground(*held) : Ground();
}

}  // namespace tarnvel
