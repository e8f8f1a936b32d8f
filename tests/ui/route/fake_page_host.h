// A page of the route window on its own: the window's services answered as
// the fakes answer them, each job run on a real BackgroundJob and waited
// for, a plan of its own, and a document the test fills.
#pragma once

#include <QStringList>
#include <memory>

#include "slope_road.h"
#include "ui/common/background_job.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/plan/route_plan_view.h"

namespace tarnvel::testing_support {

class FakePageHost : public RoutePageHost {
 public:
  void runHandler(const std::function<void()>& handler) override { handler(); }
  void refuse(const QString& message, QWidget*) override { messages << message; }
  QString chooseOpen(const QString&, const QString&) override { return answers.takeFirst(); }
  QString chooseSave(const QString&, const QString&, QString*) override {
    return answers.takeFirst();
  }
  void showStatus(const QString&, int) override {}
  bool refusedWithoutRoute() override { return false; }
  bool refusedWhileWorking() override { return false; }
  void startJob(std::function<void(JobProgress&)> work, std::function<void()> done,
                std::function<void()> unfinished) override {
    job.start(std::move(work), std::move(done), std::move(unfinished));
    job.wait();
  }
  void saveInBackground(const QString&,
                        std::function<std::optional<FileRefusal>()> write) override {
    if (const auto refusal = write()) messages << refusal->message;
  }
  RoutePlanView& plan() override { return planView; }

  QStringList answers;   // the paths the file dialogs choose, first first
  QStringList messages;  // refused, in order
  BackgroundJob job;
  RoutePlanView planView;
};

// A page on the slope road: its document holds the road's route, profile,
// sections, ground and slopes.
template <class Page>
struct SlopeRoadPage {
  SlopeRoadPage() {
    document.setRoute(std::make_shared<const Route>(road.route), {});
    document.setProfile(std::make_shared<const VerticalProfile>(road.profile));
    document.setSections(std::make_shared<const CrossSectionTable>(road.sections));
    document.setGround(std::make_shared<const SurveyedGround>(road.ground));
    document.setSlopes(std::make_shared<const SideSlopes>(road.slopes));
  }
  template <class T>
  T* child(const char* name) {
    return page.template findChild<T*>(QString::fromLatin1(name));
  }

  const SlopeRoad road;
  FakePageHost host;
  RouteDocument document;
  Page page{host, document};
};

}  // namespace tarnvel::testing_support
