// The drawing of a cross section (横断面) at one station: offsets across,
// left to the left, the surface's rise up with the vertical exaggerated.
// Each part is drawn as the line it is, with its name, cross slope and
// width; the centre line and the design line are marked, and with a design
// elevation the surface elevation at each part's outer edge. A surveyed
// point is marked with its name and what it says of its 高差. With the
// earthworks, the ground and each side slope out to its catch point are
// drawn, the fill and the cut shaded with their areas between two catch
// points, and each catch point marked with its offset and elevation, or its
// side with why it has none. The drawing
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

#include "core/earthworks/section_areas.h"
#include "core/ground/ground_lines.h"
#include "core/section/cross_section.h"
#include "core/slopes/catch_point.h"
#include "core/slopes/fill_and_cut.h"
#include "ui/route/sections/section_point.h"

namespace tarnvel {

class LabelLayout;

// The earthworks at a station, in elevations: the ground across the road
// (GroundAt), the design from catch point to catch point (DesignSurface),
// the fill and the cut between them, and each side's catch point or why it
// has none, and with both catch points the areas as the volumes table
// takes them (AreasOf). Without a design elevation, only the sides and why.
struct SectionEarthworks {
  std::vector<GroundPoint> ground;
  std::vector<GroundPoint> design;
  std::vector<EarthworkArea> areas;
  std::optional<SectionAreas> measured;
  SideCatch left, right;
};

// What is drawn: the section, the names of its parts on each side from the
// centre line outward, the profile's elevation at its design line, a
// surveyed point on the section, and the earthworks: their lines and
// areas are drawn only with that elevation, each side's catch point or
// reason always.
struct SectionDrawing {
  SectionStation section;
  std::vector<std::string> leftParts, rightParts;
  std::optional<double> designElevation;
  std::optional<SectionPoint> point;
  std::optional<SectionEarthworks> earthworks;
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
  void drawLabels(const std::vector<Part>& drawn, const std::vector<GroundPoint>& ground,
                  const QStringList& headings, double row, const QTransform& toPixels);
  QPointF pointAt(const SectionPoint& point) const;
  QPointF toScene(double offset, double rise) const;
  // An elevation of the earthworks in the scene, against the surface's at
  // the centre line.
  QPointF atElevation(const GroundPoint& point) const;
  // The ground as far as it is drawn: a little beyond the catch points.
  std::vector<GroundPoint> shownGround() const;
  // The areas, the ground, the slopes and the catch points' marks.
  void drawEarthworks(const std::vector<GroundPoint>& ground);
  // The catch points' labels, and why a side has none; `lines` are the
  // drawing's in pixels, which they keep clear of.
  void drawCatchLabels(LabelLayout& labels, const std::vector<QLineF>& lines,
                       const QTransform& toPixels);

  std::optional<SectionDrawing> drawing_;
  std::string stationPrefix_ = "K";
  double exaggeration_ = 10;
};

}  // namespace tarnvel
