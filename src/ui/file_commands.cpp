#include "file_commands.h"

#include <QLineEdit>

#include "element_file.h"
#include "file_dialog.h"
#include "message_boxes.h"
#include "table_file.h"

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

void SaveResultsTable(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                      const QString& tableText, QLineEdit* fileNameBox) {
  if (tableText.isEmpty()) {
    boxes.show(window, kNothingToSave, MessageIcon::Information, kMessageCaption);
    return;
  }
  const QString path = dialog.save(window, kTableFileTypes);
  if (path.isEmpty()) return;
  RecordPath(fileNameBox, path);
  if (const auto refusal = SaveTableFile(path, tableText)) ShowFileRefusal(boxes, window, *refusal);
}

}  // namespace tarnvel
