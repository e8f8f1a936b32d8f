// Where windows ask for file names: the platform's dialogs behind one
// interface; the main window's one dialog CDg1, shared by the import and
// export of the element and the save of the results table, which offers the
// name chosen last in any of the three; and the route window's dialogs, which
// name a saved file by its type.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include "io/files/text_encoding.h"

class QWidget;

namespace tarnvel {

enum class TextEncoding;

// The file-type lists: one entry for the element data file, two for the table.
inline const QString kElementFileTypes = QStringLiteral("文本文件(*.txt)");
inline const QString kTableFileTypes = QStringLiteral("文本文件(*.txt);;所有文件(*.*)");

// A CSV's save offers its encodings as its types: UTF-8 after a byte-order
// mark first, the default, as Excel on Chinese Windows needs it to read the
// file as UTF-8; GBK for programs that read only code page 936.
inline const QString kCsvUtf8Type = QStringLiteral("CSV文件 UTF-8 (Excel)(*.csv)");
inline const QString kCsvGbkType = QStringLiteral("CSV文件 GBK(*.csv)");
inline const QString kCsvSaveTypes = kCsvUtf8Type + QStringLiteral(";;") + kCsvGbkType;

// The encoding a CSV is written in when saved as `chosenType`.
TextEncoding CsvEncoding(const QString& chosenType);

// The platform's open and save dialogs, behind an interface so that tests can
// answer them without a modal loop. `fileTypes` is a Qt filter list
// ("name(patterns);;…"); `initialName` is put in the file-name box (a full
// path also opens its folder). Each returns the chosen full path, or an empty
// string when the user cancels. A save given `selectedType` offers that type
// first (the first of the list when it is empty or not in it) and leaves in
// it the type the user chose.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  virtual QString getOpenFileName(QWidget* parent, const QString& fileTypes,
                                  const QString& initialName) = 0;
  virtual QString getSaveFileName(QWidget* parent, const QString& fileTypes,
                                  const QString& initialName, QString* selectedType) = 0;
};

// The real ones, QFileDialog with its standard titles. The save dialog asks
// before it lets an existing file be replaced. Without `selectedType` no
// default extension is added, so a name typed without one is used as typed;
// with it, the name is the one WithTypeSuffix makes, asked about under that
// name.
class QtFileDialogs : public FileDialogs {
 public:
  QString getOpenFileName(QWidget* parent, const QString& fileTypes,
                          const QString& initialName) override;
  QString getSaveFileName(QWidget* parent, const QString& fileTypes, const QString& initialName,
                          QString* selectedType) override;
};

// `path` named as a file of `fileType` ("CSV文件(*.csv)"): as it is when its
// name matches one of the type's patterns (case aside) or the type takes any
// name (*, *.*); otherwise with the type's first suffix added, so that
// "K1+100.5" saved as CSV is "K1+100.5.csv".
QString WithTypeSuffix(const QString& path, const QString& fileType);

// The route window's file dialogs. Each purpose (the route file, the
// stakeout CSV, the plan image…) remembers for the session the path and the
// type last chosen in its own dialogs and offers them next time, so the
// image's dialog never offers the CSV's name; a purpose not used yet offers
// the folder of the file chosen last in any of them. The window keeps no
// settings, so nothing outlives the session. A saved file gets its type's
// suffix when typed without it.
class WindowFileDialogs {
 public:
  explicit WindowFileDialogs(FileDialogs& dialogs) : dialogs_(dialogs) {}

  // The chosen path, or an empty string on cancel.
  QString open(QWidget* parent, const QString& purpose, const QString& fileTypes);
  // The same, named by WithTypeSuffix; `chosenType`, when given, receives
  // the file type the user chose.
  QString save(QWidget* parent, const QString& purpose, const QString& fileTypes,
               QString* chosenType = nullptr);

 private:
  struct Choice {
    QString path;
    QString type;  // of a save; empty for an open
  };

  QString offered(const QString& purpose) const;
  QString remember(const QString& purpose, const Choice& choice);

  FileDialogs& dialogs_;
  QHash<QString, Choice> chosen_;  // by purpose
  QString lastPath_;               // in any purpose
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
