// A table the user types, pastes and edits as text, and what its rows make.
// The texts stay as the user gave them; after every change the table reads
// them into its core object again (readRows). A cell whose text does not
// read is marked with its own message; a fault the core finds in rows that
// read marks its cell where the core names the field, else its whole row.
// The first fault, in row order, is the table's problem().
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace tarnvel {

class TextGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  int rowCount(const QModelIndex& parent = {}) const override;
  // The text columns; a table may show more beside them, not editable.
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  bool insertRows(int row, int count, const QModelIndex& parent = {}) override;
  bool removeRows(int row, int count, const QModelIndex& parent = {}) override;

  // Cells from `text` as a spreadsheet copies them (PastedCells) put in from
  // (row, column) on; rows are added at the end as the text needs them, and
  // cells beyond the last column left out. One change, made once.
  void paste(int row, int column, const QString& text);

  const std::vector<QStringList>& rows() const { return rows_; }
  // Why the rows make nothing, naming the row (and the field); empty while
  // they make it, or there is no row.
  const QString& problem() const { return problem_; }
  // The message of a cell that is marked, or an empty string.
  QString cellProblem(int row, int column) const;

  // Edited by the user since the rows were last set, unless told otherwise.
  bool isModified() const { return modified_; }
  void setModified(bool modified) { modified_ = modified; }

 signals:
  // The rows were read again: what they make, or the problem, changed.
  void rowsRead();
  // The user changed the rows (typed, pasted, inserted or removed); sent
  // after rowsRead.
  void edited();

 protected:
  // A fault the core finds: its row counted from 0 (none below 0), and its
  // column, or -1 for the whole row.
  struct Fault {
    int row = -1;
    int column = -1;
    QString message;
  };

  // Empty, in these columns.
  TextGridModel(QStringList columns, QObject* parent);

  // The message for a cell's text that does not read, or an empty string: a
  // column of free text always reads.
  virtual QString cellFault(int row, int column, const QString& text) const = 0;
  // Reads the rows into the table's object, each cell reading when
  // `cellsRead`; else forgets it. The fault the core finds, if any.
  virtual std::optional<Fault> readRows(bool cellsRead) = 0;
  // True for a pasted first row that is the copy's header, left out.
  virtual bool isHeaderRow(const QStringList& cells) const;
  // Before a paste puts cells in up to column `columns` - 1: a table whose
  // columns follow its rows widens here to hold them; any other leaves the
  // cells beyond its last column out.
  virtual void makeRoom(int columns);

  const QString& columnName(int column) const { return columns_[column]; }
  // Replaces the columns, when given, and every row; not an edit.
  void setRows(std::vector<QStringList> rows, std::optional<QStringList> columns = std::nullopt);
  // Shows `columns` in place of the columns, without a reset, so that the
  // current cell and an edit under way stay: each row keeps its texts,
  // widened with empty cells or cut to them. The texts cut must be empty,
  // since the rows are not read again.
  void setColumns(QStringList columns);
  // Every text of a column written anew (the user's texts stay the user's:
  // `rewrite` keeps what it does not own); what the rows make stays.
  void rewriteColumn(int column, const std::function<QString(const QString&)>& rewrite);
  // Reads the rows again, as after a change of what the reading depends on.
  void read();

 private:
  void changed();
  QStringList blankRow() const;

  QStringList columns_;
  std::vector<QStringList> rows_;
  std::optional<Fault> fault_;
  QString problem_;
  bool modified_ = false;
};

}  // namespace tarnvel
