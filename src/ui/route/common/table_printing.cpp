#include "ui/route/common/table_printing.h"

#include <QAbstractItemModel>
#include <QDate>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>
#include <memory>

#include "ui/route/common/route_page_host.h"

namespace tarnvel {

namespace {

const QString kPdfFileTypes = QStringLiteral("PDF文件(*.pdf)");

QStringList TitleBlock(const QWidget& page) {
  const QString path = page.window()->windowFilePath();
  return {QStringLiteral("线路：%1")
              .arg(path.isEmpty() ? QStringLiteral("未命名") : QFileInfo(path).fileName()),
          QStringLiteral("日期：%1").arg(QDate::currentDate().toString(Qt::ISODate)),
          QStringLiteral("单位：m")};
}

QStringList RowOf(const QAbstractItemModel& model, const std::vector<int>& columns, int row) {
  QStringList cells;
  for (int column : columns) cells << model.index(row, column).data().toString();
  return cells;
}

}  // namespace

TableDocument ModelDocument(const QAbstractItemModel& model, const std::vector<int>& columns,
                            const QString& title, const QWidget& page, RowTexts texts) {
  TableDocument document;
  document.title = title;
  document.notes = TitleBlock(page);
  for (int column : columns) document.header << model.headerData(column, Qt::Horizontal).toString();
  document.rowCount = model.rowCount();
  if (texts == RowTexts::ReadWhenPainted) {
    document.row = [&model, columns](qsizetype i) {
      return RowOf(model, columns, static_cast<int>(i));
    };
    return document;
  }
  auto rows = std::make_shared<std::vector<QStringList>>();
  for (int i = 0; i < model.rowCount(); ++i) rows->push_back(RowOf(model, columns, i));
  document.row = [rows](qsizetype i) { return (*rows)[static_cast<size_t>(i)]; };
  return document;
}

void ExportTablePdf(RoutePageHost& host, TableDocument document) {
  const QString path = host.chooseSave(QStringLiteral("PDF ") + document.title, kPdfFileTypes);
  if (path.isEmpty()) return;
  host.saveInBackground(
      path, [path, document = std::move(document)] { return SaveTablePdf(path, document); });
}

void ShowPrintPreview(QWidget* parent, const TableDocument& document) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(document.title);
  QPrintPreviewDialog dialog(&printer, parent);
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&document](QPrinter* target) { PaintTableDocument(*target, document); });
  dialog.exec();
}

}  // namespace tarnvel
