// The results box of the continuous computation (Text12): a plain text box
// that takes a whole table at once and gives its text back with the CR LF
// line ends the table file needs.
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace tarnvel {

class ResultsBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit ResultsBox(QWidget* parent = nullptr);

  // Replaces the whole text in one step; lines may end in CR LF or LF. A
  // table of a million rows is shown in a few seconds this way, where
  // appending row by row would lay the box out again for every row.
  void setTableText(const QString& text);

  // The text as it stands, the user's edits included, every line end CR LF.
  QString tableText() const;
};

}  // namespace tarnvel
