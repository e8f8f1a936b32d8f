// The 边坡 page of the route window: the side slope table, typed, pasted,
// imported and saved, and the ground imported, as a ground line file
// (横断面地面线) or as a surface (TIN) of surveyed points or LandXML. What
// they make along the route is the document's slopes and ground; when the
// route changes they are placed along it again, and while they no longer
// place, the document holds none and the page says why.
#pragma once

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "core/ground/ground_lines.h"
#include "core/route/route.h"
#include "core/surface/ground.h"

namespace Ui {
class SlopesPage;
}

namespace tarnvel {

class RouteDocument;
class RoutePageHost;
class SlopeTableModel;

class SlopesPage : public QWidget {
  Q_OBJECT

 public:
  // The slopes and the ground go to `document`, and follow its route.
  SlopesPage(RoutePageHost& host, RouteDocument& document, QWidget* parent = nullptr);
  ~SlopesPage() override;

  // Reads a side slope file into the table, or a ground line file; false,
  // with the message shown, when it is refused.
  bool importSlopes(const QString& path);
  bool importGround(const QString& path);
  // Reads a surface as a job, with the 最大边长 and 断面宽度 typed: false,
  // with the message shown, when they do not read; a file refused says so
  // when the job ends.
  bool importSurface(const QString& path);

 private:
  void chooseAndImportSlopes();
  void chooseAndSaveSlopes();
  void chooseAndImportGround();
  void chooseAndImportSurface();
  void insertSlope();
  void removeSlope();
  void pasteSlopes();
  // What the rows make becomes the document's slopes.
  void handOverSlopes();
  void routeChanged();
  // The ground file's lines placed along the document's route.
  void placeGround();
  void showGround();

  // A ground file as read: its lines, placed again along each new route,
  // and its bytes, which say why when they no longer place.
  struct GroundFile {
    QString path;
    QByteArray bytes;
    std::vector<GroundLine> lines;
  };

  std::unique_ptr<Ui::SlopesPage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  SlopeTableModel* rows_;
  // A surface as read: the ground placed along the last route (its TIN,
  // copied into each new placing), the points its file left out.
  struct SurfaceFile {
    QString path;
    std::size_t duplicates = 0;
    double width = kDefaultGroundWidth;
    std::shared_ptr<const Route> route;  // the one it is placed along
    std::shared_ptr<const SurveyedGround> placed;
  };
  void placeSurface();

  std::optional<GroundFile> groundFile_;
  std::optional<SurfaceFile> surfaceFile_;  // one of the two, or neither
  QString groundProblem_;                   // why the ground file does not place along the route
};

}  // namespace tarnvel
