// The main window's one file dialog, CDg1, shared by the import and export of
// the element and the save of the results table. It offers the name chosen
// last in any of the three.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace tarnvel {

// The file-type lists: one entry for the element data file, two for the table.
inline const QString kElementFileTypes = QStringLiteral("文本文件(*.txt)");
inline const QString kTableFileTypes = QStringLiteral("文本文件(*.txt);;所有文件(*.*)");

// The platform's open and save dialogs, behind an interface so that tests can
// answer them without a modal loop. `fileTypes` is a Qt filter list
// ("name(patterns);;…"); `initialName` is put in the file-name box (a full
// path also opens its folder). Each returns the chosen full path, or an empty
// string when the user cancels.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual QString getOpenFileName(QWidget* parent, const QString& fileTypes,
                                  const QString& initialName) = 0;
  virtual QString getSaveFileName(QWidget* parent, const QString& fileTypes,
                                  const QString& initialName) = 0;
};

// The real ones, QFileDialog with its standard titles. The save dialog asks
// before it lets an existing file be replaced; no default extension is added,
// so a name typed without one is used as typed.
class QtFileDialogs : public FileDialogs {
 public:
  QString getOpenFileName(QWidget* parent, const QString& fileTypes,
                          const QString& initialName) override;
  QString getSaveFileName(QWidget* parent, const QString& fileTypes,
                          const QString& initialName) override;
};

// CDg1: remembers the last chosen name for as long as the program runs and
// offers it the next time, whether to open or to save. A cancelled dialog
// changes nothing.
class SharedFileDialog : public QObject {
  Q_OBJECT

 public:
  explicit SharedFileDialog(FileDialogs& dialogs, QObject* parent = nullptr);

  // The chosen path, or an empty string on cancel.
  QString open(QWidget* parent, const QString& fileTypes);
  QString save(QWidget* parent, const QString& fileTypes);

  // The name chosen last; empty until a file has been chosen.
  const QString& fileName() const { return fileName_; }

 private:
  QString remember(const QString& chosen);

  FileDialogs& dialogs_;
  QString fileName_;
};

}  // namespace tarnvel
