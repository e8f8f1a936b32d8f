// The 横断面 page of the route window: the cross-section table (路基设计表),
// typed or imported and saved, and the drawing of the section at a station,
// typed or followed from the plan's cursor, with a surveyed point of
// 批量反算 on it, and the ground and the side slopes out to their catch
// points.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "core/section/cross_section.h"
#include "ui/route/sections/section_point.h"
#include "ui/route/sections/section_view.h"

namespace Ui {
class SectionsPage;
}

namespace tarnvel {

class WindowFileDialogs;
class MessageBoxes;
class RouteDocument;
class SectionTableModel;

class SectionsPage : public QWidget {
  Q_OBJECT

 public:
  // `files` are the window's file dialogs, shared with its other pages.
  // The table the rows make goes to `document`; the section is drawn with
  // the document's profile, and follows its prefix of K text at once: the
  // table, the station field and the drawing.
  SectionsPage(RouteDocument& document, MessageBoxes& boxes, WindowFileDialogs& files,
               QWidget* parent = nullptr);
  ~SectionsPage() override;

  // The table the rows make, or null while it is empty, incomplete or
  // wrong.
  const CrossSectionTable* sections() const;
  // Reads a cross-section file into the table; false, with the message
  // shown, when it is refused.
  bool importSections(const QString& path);
  // The station under the plan's cursor: drawn while the page follows it.
  void followStation(double station);
  // Draws the section at the point's station with the point on it. The
  // point belongs to that station: it goes when the station is changed or
  // the table or the profile is. Following the plan stops, so that the
  // cursor does not take the point away.
  void showPoint(const SectionPoint& point);

 private:
  void setStationPrefix(const QString& prefix);
  // The profile whose elevations the drawing shows changed.
  void profileChanged();
  void chooseAndImport();
  void chooseAndSave();
  void insertSection();
  void removeSection();
  void pasteSections();
  void showTable(const CrossSectionTable& table);
  // What the rows make becomes the document's cross sections.
  void handOverTable();
  void tableChanged();
  void stationTyped();
  void showSection();
  std::optional<SectionEarthworks> earthworksAt(const SectionStation& section,
                                                std::optional<double> designElevation) const;
  void showStation(double station);

  std::unique_ptr<Ui::SectionsPage> ui_;
  RouteDocument& document_;
  MessageBoxes& boxes_;
  WindowFileDialogs& files_;
  SectionTableModel* rows_;
  std::optional<double> station_;      // the station drawn
  std::optional<SectionPoint> point_;  // shown on the section at station_
  std::string stationPrefix_ = "K";
};

}  // namespace tarnvel
