#include "ui/main/file_commands.h"

#include <QLineEdit>
#include <utility>

#include "io/element/element_file.h"
#include "io/element/table_file.h"
#include "ui/common/file_dialog.h"
#include "ui/common/message_boxes.h"
#include "ui/main/results_box.h"

namespace tarnvel {

namespace {

void ShowFileRefusal(MessageBoxes& boxes, QWidget* window, const FileRefusal& refusal) {
  boxes.show(window, refusal.message, MessageIcon::Exclamation, kMessageCaption);
}

void RecordPath(QLineEdit* fileNameBox, const QString& path) {
  if (fileNameBox) fileNameBox->setText(path);
}

}  // namespace

void ExportElement(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                   const FileCommandControls& controls) {
  const QString path = dialog.save(window, kElementFileTypes);
  if (path.isEmpty()) return;
  RecordPath(controls.fileNameBox, path);
  ElementFieldTexts texts;
  for (size_t n = 0; n < texts.size(); ++n) texts[n] = controls.elementFields[n]->text();
  if (const auto refusal = SaveElementFile(path, texts)) ShowFileRefusal(boxes, window, *refusal);
}

void ImportElement(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                   const FileCommandControls& controls) {
  const QString path = dialog.open(window, kElementFileTypes);
  if (path.isEmpty()) return;
  RecordPath(controls.fileNameBox, path);
  const FileOutcome<ElementFieldTexts> outcome = ReadElementFile(path);
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    ShowFileRefusal(boxes, window, *refusal);
    return;
  }
  const auto& texts = std::get<ElementFieldTexts>(outcome);
  for (size_t n = 0; n < texts.size(); ++n) controls.elementFields[n]->setText(texts[n]);
}

namespace {

// Asks for the file and saves; `length` 0 means there is nothing to save.
void SaveTablePieces(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                     qsizetype length, const TextPieces& pieces, QLineEdit* fileNameBox) {
  if (length == 0) {
    boxes.show(window, kNothingToSave, MessageIcon::Information, kMessageCaption);
    return;
  }
  const QString path = dialog.save(window, kTableFileTypes);
  if (path.isEmpty()) return;
  RecordPath(fileNameBox, path);
  if (const auto refusal = SaveTableFile(path, pieces, length))
    ShowFileRefusal(boxes, window, *refusal);
}

}  // namespace

void SaveResultsTable(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                      const QString& tableText, QLineEdit* fileNameBox) {
  bool given = false;
  const TextPieces whole = [&] { return std::exchange(given, true) ? QString() : tableText; };
  SaveTablePieces(window, dialog, boxes, tableText.size(), whole, fileNameBox);
}

void SaveResultsTable(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                      const ResultsBox& box, QLineEdit* fileNameBox) {
  // About a megabyte of text at a time: few enough pieces to cost nothing,
  // small enough to add nothing to the save's memory.
  constexpr qsizetype kPiece = 1 << 20;
  qsizetype at = 0;
  const TextPieces pieces = [&] {
    QString piece;
    // A range inside one line break alone is empty; only the end may be.
    while (piece.isEmpty() && at < box.textLength()) {
      const qsizetype to = std::min(at + kPiece, box.textLength());
      piece = box.textRange(at, to);
      at = to;
    }
    return piece;
  };
  SaveTablePieces(window, dialog, boxes, box.textLength(), pieces, fileNameBox);
}

}  // namespace tarnvel
