// What the main window's file commands do, apart from the window: the menu
// items Export and Open (the element data file) and the button Command7 (the
// results table file). Each runs to its end within the click, shows any
// failure in a message box (caption "提示") and leaves the window's other
// controls alone.
#pragma once

#include <QString>
#include <array>

class QLineEdit;
class QWidget;

namespace tarnvel {

class MessageBoxes;
class ResultsBox;
class SharedFileDialog;

// The window's controls the commands read and write: Text1 to Text8 in order,
// and the hidden txtFileName that records the path last chosen.
struct FileCommandControls {
  std::array<QLineEdit*, 8> elementFields{};
  QLineEdit* fileNameBox = nullptr;
};

// Export: the save dialog with "文本文件(*.txt)"; on cancel nothing happens.
// Otherwise the path goes into txtFileName and the eight field texts are
// written unchanged; a file that cannot be written gives a message.
void ExportElement(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                   const FileCommandControls& controls);

// Open: the open dialog with "文本文件(*.txt)"; on cancel nothing happens.
// Otherwise the path goes into txtFileName and, once the whole file has been
// read, each field gets the general form of its line's number. A file that is
// refused gives a message and changes no field.
void ImportElement(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                   const FileCommandControls& controls);

// The message for a results box with no text at all.
inline const QString kNothingToSave = QStringLiteral("请点击“点击计算”！");

// Command7: `tableText` is the whole text of Text12. Exactly empty gives the
// message kNothingToSave and no dialog; otherwise the save dialog with
// "文本文件(*.txt);;所有文件(*.*)", and on a chosen name the path goes into
// txtFileName and the table file is written. No message confirms the save.
void SaveResultsTable(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                      const QString& tableText, QLineEdit* fileNameBox);

// The same for the box itself, whose text is read a piece at a time: a
// million-row table is not made whole as UTF-16 for the save.
void SaveResultsTable(QWidget* window, SharedFileDialog& dialog, MessageBoxes& boxes,
                      const ResultsBox& box, QLineEdit* fileNameBox);

}  // namespace tarnvel
