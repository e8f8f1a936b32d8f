// The drawing of a cross section (横断面) at one station: offsets across,
// left to the left, the surface's rise up with the vertical exaggerated.
// Each part is drawn as the line it is, with its name, cross slope and
// width; the centre line and the design line are marked, and with a design
// elevation the surface elevation at each part's outer edge. A surveyed
// point is marked with its name and what it says of its 高差.
#pragma once

#include <QGraphicsView>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "cross_section.h"
#include "section_point.h"

namespace tarnvel {

// What is drawn: the section, the names of its parts on each side from the
// centre line outward, the profile's elevation at its design line, and a
// surveyed point on the section.
struct SectionDrawing {
  SectionStation section;
  std::vector<std::string> leftParts, rightParts;
  std::optional<double> designElevation;
  std::optional<SectionPoint> point;
};

class SectionView : public QGraphicsView {
  Q_OBJECT

 public:
  explicit SectionView(QWidget* parent = nullptr);

  // Draws the section, or an empty drawing for nothing.
  void setDrawing(std::optional<SectionDrawing> drawing);
  // The prefix of the centre line's station as K text; the label follows
  // it at once, the view staying where it is.
  void setStationPrefix(const QString& prefix);
  // How many times the rises are drawn larger than the offsets.
  void setExaggeration(double times);
  double exaggeration() const { return exaggeration_; }
  // Shows the whole section with a margin.
  void fitAll();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void rebuild();
  QPointF pointAt(const SectionPoint& point) const;
  QPointF toScene(double offset, double rise) const;

  std::optional<SectionDrawing> drawing_;
  std::string stationPrefix_ = "K";
  double exaggeration_ = 10;
};

}  // namespace tarnvel
