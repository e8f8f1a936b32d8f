// The drawing of the vertical profile (纵断面), as design profile drawings
// are drawn: stations along a station axis marked every 100 m in K text,
// elevations up an elevation axis, a light grid behind, the vertical scale
// exaggerated. Grade lines carry their grade and length, curves are drawn
// as the parabolas or circles they are between their true ends, PVIs are
// marked with their name, station and elevation. The drawing fills its
// view, and every label stays inside it, clear of the others.
#pragma once

#include <QGraphicsView>
#include <QLineF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <string>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "ui/route/profile/profile_ground.h"

namespace tarnvel {

class ProfileView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit ProfileView(QWidget* parent = nullptr);

  // Draws the profile, or an empty drawing for nothing. The view keeps the
  // pointer; the caller keeps the profile alive while it is shown.
  void setProfile(const VerticalProfile* profile);
  // The ground along the centre line (CentreGroundLine), drawn under the
  // design line, with its legend entry; none for no ground.
  void setGround(std::vector<std::vector<StationElevation>> stretches);
  const std::vector<std::vector<StationElevation>>& ground() const { return ground_; }
  // The prefix of the stations as K text; the labels follow it at once.
  void setStationPrefix(const QString& prefix);
  // How many times the elevations are drawn larger than the stations.
  void setExaggeration(double times);
  double exaggeration() const { return exaggeration_; }
  // Lays the whole profile out in the view again.
  void fitAll() { rebuild(); }

 signals:
  // The station under the cursor and the design elevation there.
  void cursorMoved(double station, double elevation);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

 private:
  void rebuild();
  void drawAxes(const QRectF& plot, const QTransform& toPixels);
  void drawLabels(const QRectF& plot, const QTransform& toPixels, const std::vector<QLineF>& drawn);
  QPointF toScene(double station, double elevation) const;

  const VerticalProfile* profile_ = nullptr;
  std::vector<std::vector<StationElevation>> ground_;
  std::string stationPrefix_ = "K";
  double exaggeration_ = 10;
  double originStation_ = 0;
  double originElevation_ = 0;
};

}  // namespace tarnvel
