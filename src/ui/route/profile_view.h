// The drawing of the vertical profile (纵断面): stations along, elevations
// up, the vertical scale exaggerated. Grade lines carry their grade and
// length, curves are drawn as the parabolas or circles they are between
// their true ends, PVIs are marked.
#pragma once

#include <QGraphicsView>
#include <QString>
#include <string>

#include "vertical_profile.h"

namespace tarnvel {

class ProfileView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit ProfileView(QWidget* parent = nullptr);

  // Draws the profile, or an empty drawing for nothing. The view keeps the
  // pointer; the caller keeps the profile alive while it is shown.
  void setProfile(const VerticalProfile* profile);
  // The prefix of the PVIs' stations as K text; the labels follow it at
  // once, the view staying where it is.
  void setStationPrefix(const QString& prefix);
  // How many times the elevations are drawn larger than the stations.
  void setExaggeration(double times);
  double exaggeration() const { return exaggeration_; }
  // Shows the whole profile with a margin.
  void fitAll();

 signals:
  // The station under the cursor and the design elevation there.
  void cursorMoved(double station, double elevation);

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rebuild();
  QPointF toScene(double station, double elevation) const;

  const VerticalProfile* profile_ = nullptr;
  std::string stationPrefix_ = "K";
  double exaggeration_ = 10;
  double originStation_ = 0;
  double originElevation_ = 0;
};

}  // namespace tarnvel
