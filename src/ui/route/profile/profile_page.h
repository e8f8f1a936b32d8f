// The 纵断面 page of the route window: the 变坡点 table, typed or imported,
// the 竖曲线表 it gives and the drawing of the profile.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "core/profile/vertical_profile.h"

namespace Ui {
class ProfilePage;
}

namespace tarnvel {

class WindowFileDialogs;
class MessageBoxes;
class ProfilePviModel;
class RouteDocument;
class VerticalCurveModel;

class ProfilePage : public QWidget {
  Q_OBJECT

 public:
  // `files` are the window's file dialogs, shared with its other pages.
  // The profile the table makes goes to `document`, and follows its prefix
  // of K text at once: the tables, the drawing and the cursor's station.
  ProfilePage(RouteDocument& document, MessageBoxes& boxes, WindowFileDialogs& files,
              QWidget* parent = nullptr);
  ~ProfilePage() override;

  // The profile the table makes, or null while it is incomplete or wrong.
  const VerticalProfile* profile() const;
  // Reads a profile file into the table; false, with the message shown, when
  // it is refused.
  bool importProfile(const QString& path);

 signals:
  // A text for the window's status bar.
  void status(const QString& text);

 private:
  void chooseAndImport();
  void chooseAndSave();
  void insertPvi();
  void removePvi();
  void pastePvis();
  // What the rows make becomes the document's profile.
  void handOverProfile();
  void showProfile();
  void showGround();
  void setStationPrefix(const QString& prefix);

  std::unique_ptr<Ui::ProfilePage> ui_;
  RouteDocument& document_;
  MessageBoxes& boxes_;
  WindowFileDialogs& files_;
  ProfilePviModel* pvis_;
  VerticalCurveModel* curves_;
};

}  // namespace tarnvel
