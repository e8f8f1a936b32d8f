// The route window's page 土方: the volumes table (路基土石方数量计算表) of
// the window's route, profile, sections, ground and slopes, by station range
// or by a stations file, computed off the window's thread, saved as CSV or
// as a PDF.
#pragma once

#include <QWidget>
#include <memory>

#include "core/route/route.h"

namespace Ui {
class EarthworksPage;
}

namespace tarnvel {

class RouteDocument;
class RoutePageHost;
class VolumeModel;
struct VolumeInputs;

class EarthworksPage : public QWidget {
  Q_OBJECT

 public:
  // The page computes with what `document` holds, which clears its rows.
  EarthworksPage(RoutePageHost& host, RouteDocument& document, QWidget* parent = nullptr);
  ~EarthworksPage() override;

  void clearRows();

 private:
  // A new route's table runs over the whole of it.
  void setRange();
  void computeClicked();
  void stationsClicked();
  void saveCsvClicked();
  void exportPdfClicked();
  void run(std::shared_ptr<const Route> route, const QString& stationsPath);

  std::unique_ptr<Ui::EarthworksPage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  VolumeModel* volumes_;
  // What the rows shown were computed from.
  std::shared_ptr<const VolumeInputs> shown_;
};

}  // namespace tarnvel
