// What a page of the route window asks of the window that holds it: one
// message box, one set of file dialogs, one status bar, one plan and one
// background job for all the pages. What the pages compute with is the
// window's RouteDocument, not the host's.
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "io/files/file_refusal.h"

class QWidget;

namespace tarnvel {

struct JobProgress;
class RoutePlanView;

class RoutePageHost {
 public:
  // Runs a control's handler as the window runs every handler: a failed
  // allocation is shown as a message, never the end of the program.
  virtual void runHandler(const std::function<void()>& handler) = 0;
  // Shows why an action was refused, then focuses `focus` when given.
  virtual void refuse(const QString& message, QWidget* focus = nullptr) = 0;
  // The path the user chose, or "" when cancelled; the next dialog for the
  // same purpose ("route", "stakeout CSV"…) offers it. A saved file's name
  // carries its type's suffix; `chosenType`, when given, receives the type
  // chosen.
  virtual QString chooseOpen(const QString& purpose, const QString& types) = 0;
  virtual QString chooseSave(const QString& purpose, const QString& types,
                             QString* chosenType = nullptr) = 0;
  // A message in the status bar, for `timeout` ms or until the next (0).
  virtual void showStatus(const QString& message, int timeout = 0) = 0;
  // True, after showing the 线元表 and why it makes no route, while the
  // document holds none; else as refusedWhileWorking.
  virtual bool refusedWithoutRoute() = 0;
  // True, after telling the user so, while a job runs.
  virtual bool refusedWhileWorking() = 0;
  // Runs `work` off the window's thread, then `done` on it unless cancelled;
  // if cancelled or out of memory, `unfinished` when given.
  virtual void startJob(std::function<void(JobProgress&)> work, std::function<void()> done,
                        std::function<void()> unfinished = {}) = 0;
  // Writes a file as a job; says where it went or why not.
  virtual void saveInBackground(const QString& path,
                                std::function<std::optional<FileRefusal>()> write) = 0;
  virtual RoutePlanView& plan() = 0;

 protected:
  ~RoutePageHost() = default;
};

}  // namespace tarnvel
