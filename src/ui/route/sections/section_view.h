// The drawing of a cross section (横断面) at one station: offsets across,
// left to the left, the surface's rise up with the vertical exaggerated.
// Each part is drawn as the line it is, with its name, cross slope and
// width; the centre line and the design line are marked, and with a design
// elevation the surface elevation at each part's outer edge. A surveyed
// point is marked with its name and what it says of its 高差. The drawing
// fills its view, and every label stays inside it, clear of the others.
#pragma once

#include <QColor>
#include <QGraphicsView>
#include <QString>
#include <QStringList>
#include <QTransform>
#include <optional>
#include <string>
#include <vector>

#include "core/section/cross_section.h"
#include "ui/route/sections/section_point.h"

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
  // Lays the whole section out in the view again.
  void fitAll() { rebuild(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // A part of the road as drawn: in scene units, with its texts.
  struct Part {
    QPointF from, to;
    QColor colour;
    QString name, slope, edge;
  };

  void rebuild();
  std::vector<Part> parts() const;
  void drawLabels(const std::vector<Part>& drawn, const QStringList& headings, double row,
                  const QTransform& toPixels);
  QPointF pointAt(const SectionPoint& point) const;
  QPointF toScene(double offset, double rise) const;

  std::optional<SectionDrawing> drawing_;
  std::string stationPrefix_ = "K";
  double exaggeration_ = 10;
};

}  // namespace tarnvel
