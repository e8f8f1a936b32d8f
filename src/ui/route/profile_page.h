// The 纵断面 page of the route window: the 变坡点 table, typed or imported,
// the 竖曲线表 it gives and the drawing of the profile.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "vertical_profile.h"

namespace Ui {
class ProfilePage;
}

namespace tarnvel {

class WindowFileDialogs;
class MessageBoxes;
class ProfilePviModel;
class VerticalCurveModel;

class ProfilePage : public QWidget {
  Q_OBJECT

 public:
  // `files` are the window's file dialogs, shared with its other pages.
  ProfilePage(MessageBoxes& boxes, WindowFileDialogs& files, QWidget* parent = nullptr);
  ~ProfilePage() override;

  // The profile the table makes, or nothing while it is incomplete or wrong.
  const std::optional<VerticalProfile>& profile() const;
  // Reads a profile file into the table; false, with the message shown, when
  // it is refused.
  bool importProfile(const QString& path);
  // The window's prefix of K text: the tables, the drawing and the cursor's
  // station follow it at once.
  void setStationPrefix(const QString& prefix);

 signals:
  // The profile changed: computed tables that carry heights are out of date.
  void profileChanged();
  // A text for the window's status bar.
  void status(const QString& text);

 private:
  void chooseAndImport();
  void chooseAndSave();
  void insertPvi();
  void removePvi();
  void pastePvis();
  void showProfile();

  std::unique_ptr<Ui::ProfilePage> ui_;
  MessageBoxes& boxes_;
  WindowFileDialogs& files_;
  ProfilePviModel* pvis_;
  VerticalCurveModel* curves_;
  QString stationPrefix_ = QStringLiteral("K");
};

}  // namespace tarnvel
