#include "app/route_command/command_pdf.h"

#include <QDate>
#include <QFileInfo>

#include "core/text/number_text.h"

namespace tarnvel {

std::optional<ArgumentRefusal> PdfRowsRefusal(double rows) {
  if (rows <= static_cast<double>(kMaxPdfRows)) return std::nullopt;
  return ArgumentRefusal{QStringLiteral("“--pdf”最多打印%1行，该表有%2行，请分段计算！")
                             .arg(kMaxPdfRows)
                             .arg(QString::fromStdString(GeneralText(rows)))};
}

QStringList CommandTitleBlock(const QString& route) {
  return {QStringLiteral("线路：%1").arg(QFileInfo(route).fileName()),
          QStringLiteral("日期：%1").arg(QDate::currentDate().toString(Qt::ISODate)),
          QStringLiteral("单位：m")};
}

QStringList CsvLineCells(std::string_view line) {
  QStringList cells;
  std::string cell;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted) {
      if (c != '"') {
        cell += c;
      } else if (i + 1 < line.size() && line[i + 1] == '"') {
        cell += '"';
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      cells << QString::fromStdString(cell);
      cell.clear();
    } else {
      cell += c;
    }
  }
  cells << QString::fromStdString(cell);
  return cells;
}

std::variant<FileRefusal, std::shared_ptr<SavingFile>> WriteCommandPdf(
    const QString& path, const TableDocument& document) {
  const QByteArray bytes = TablePdfBytes(document);
  auto begun = SavingFile::Begin(path);
  if (auto* refusal = std::get_if<FileRefusal>(&begun)) return *refusal;
  std::shared_ptr<SavingFile> file = std::move(std::get<std::unique_ptr<SavingFile>>(begun));
  file->Write(bytes);
  if (auto refusal = file->Flush()) return *refusal;
  return file;
}

CommandOutcome CsvTablePdf(const QString& path, const QString& title, const QString& route,
                           std::string_view header,
                           std::shared_ptr<const std::vector<std::string>> lines) {
  TableDocument document;
  document.title = title;
  document.notes = CommandTitleBlock(route);
  document.header = CsvLineCells(header);
  document.rowCount = static_cast<qsizetype>(lines->size());
  document.row = [lines](qsizetype i) { return CsvLineCells((*lines)[static_cast<size_t>(i)]); };
  auto pdf = WriteCommandPdf(path, document);
  if (const auto* failure = std::get_if<FileRefusal>(&pdf))
    return ArgumentRefusal{failure->message};
  return CommandResult{.pdf = std::get<std::shared_ptr<SavingFile>>(pdf)};
}

}  // namespace tarnvel
