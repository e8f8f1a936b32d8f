#include "ui/common/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

#include "io/files/text_encoding.h"

namespace tarnvel {

namespace {

// The patterns of a type "name(*.csv *.txt)".
QStringList TypePatterns(const QString& fileType) {
  static const QRegularExpression kPatterns(QStringLiteral("\\(([^()]*)\\)\\s*$"));
  const auto match = kPatterns.match(fileType);
  return match.hasMatch() ? match.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts)
                          : QStringList();
}

bool TakesAnyName(const QString& pattern) {
  return pattern == QStringLiteral("*") || pattern == QStringLiteral("*.*");
}

// The suffix a name typed without one gets: "csv" of "*.csv"; none for a
// type that takes any name or whose first pattern is no plain suffix.
QString TypeSuffix(const QStringList& patterns) {
  if (patterns.isEmpty() || std::any_of(patterns.begin(), patterns.end(), TakesAnyName)) return {};
  const QString& first = patterns.front();
  if (!first.startsWith(QStringLiteral("*.")) ||
      first.mid(2).contains(QRegularExpression(QStringLiteral("[*?\\[\\]]"))))
    return {};
  return first.mid(2);
}

// A save dialog that names the file by the type chosen before it asks about
// replacing it, so the question is about the file that will be written.
// Native dialogs never come here: they add the default suffix themselves.
class TypedSaveDialog : public QFileDialog {
 public:
  using QFileDialog::QFileDialog;

  void accept() override {
    const QStringList files = selectedFiles();
    if (!files.isEmpty()) {
      const QString named = WithTypeSuffix(files.front(), selectedNameFilter());
      if (named != files.front()) {
        // The name box keeps what is typed in it while it has the focus.
        setFocus(Qt::OtherFocusReason);
        selectFile(named);
      }
    }
    QFileDialog::accept();
  }
};

}  // namespace

QString QtFileDialogs::getOpenFileName(QWidget* parent, const QString& fileTypes,
                                       const QString& initialName) {
  // An empty caption keeps the dialog's standard title for opening.
  return QFileDialog::getOpenFileName(parent, QString(), initialName, fileTypes);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& fileTypes,
                                       const QString& initialName, QString* selectedType) {
  if (!selectedType) return QFileDialog::getSaveFileName(parent, QString(), initialName, fileTypes);
  TypedSaveDialog dialog(parent, QString(), initialName, fileTypes);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  // A native dialog adds the default suffix itself; it follows the type.
  const auto followType = [&dialog](const QString& type) {
    dialog.setDefaultSuffix(TypeSuffix(TypePatterns(type)));
  };
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, followType);
  if (!selectedType->isEmpty()) dialog.selectNameFilter(*selectedType);
  followType(dialog.selectedNameFilter());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  *selectedType = dialog.selectedNameFilter();
  return dialog.selectedFiles().front();
}

TextEncoding CsvEncoding(const QString& chosenType) {
  return chosenType == kCsvGbkType ? TextEncoding::Gbk : TextEncoding::Utf8WithBom;
}

QString WithTypeSuffix(const QString& path, const QString& fileType) {
  const QString name = QFileInfo(path).fileName();
  const QStringList patterns = TypePatterns(fileType);
  const QString suffix = TypeSuffix(patterns);
  if (name.isEmpty() || suffix.isEmpty()) return path;
  for (const QString& pattern : patterns) {
    const QRegularExpression matcher(QRegularExpression::wildcardToRegularExpression(pattern),
                                     QRegularExpression::CaseInsensitiveOption);
    if (matcher.match(name).hasMatch()) return path;
  }
  // "pts." is "pts.csv", not "pts..csv".
  return path + (path.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) + suffix;
}

QString WindowFileDialogs::open(QWidget* parent, const QString& purpose, const QString& fileTypes) {
  const QString path = dialogs_.getOpenFileName(parent, fileTypes, offered(purpose));
  return path.isEmpty() ? path : remember(purpose, {path, chosen_.value(purpose).type});
}

QString WindowFileDialogs::save(QWidget* parent, const QString& purpose, const QString& fileTypes,
                                QString* chosenType) {
  QString type = chosen_.value(purpose).type;
  const QString typed = dialogs_.getSaveFileName(parent, fileTypes, offered(purpose), &type);
  if (typed.isEmpty()) return {};
  // A dialog that reports no type was left at the first, as it opens.
  if (type.isEmpty()) type = fileTypes.section(QStringLiteral(";;"), 0, 0);
  if (chosenType) *chosenType = type;
  return remember(purpose, {WithTypeSuffix(typed, type), type});
}

QString WindowFileDialogs::offered(const QString& purpose) const {
  const auto found = chosen_.constFind(purpose);
  if (found != chosen_.constEnd()) return found->path;
  return lastPath_.isEmpty() ? QString() : QFileInfo(lastPath_).absolutePath();
}

QString WindowFileDialogs::remember(const QString& purpose, const Choice& choice) {
  chosen_.insert(purpose, choice);
  lastPath_ = choice.path;
  return choice.path;
}

SharedFileDialog::SharedFileDialog(FileDialogs& dialogs, QObject* parent)
    : QObject(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("CDg1"));
}

QString SharedFileDialog::open(QWidget* parent, const QString& fileTypes) {
  return remember(dialogs_.getOpenFileName(parent, fileTypes, fileName_));
}

QString SharedFileDialog::save(QWidget* parent, const QString& fileTypes) {
  return remember(dialogs_.getSaveFileName(parent, fileTypes, fileName_, nullptr));
}

QString SharedFileDialog::remember(const QString& chosen) {
  if (!chosen.isEmpty()) fileName_ = chosen;
  return chosen;
}

}  // namespace tarnvel
