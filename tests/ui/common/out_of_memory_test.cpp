// A failed allocation in any window's handler is a message, never the end of
// the program, and leaves the window as it was. Allocations are made to fail
// from inside the handlers: by this program's operator new above a size, or
// by a message box that throws std::bad_alloc once.
#include "ui/common/out_of_memory.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <new>

#include "fakes.h"
#include "ui/main/main_window.h"
#include "ui/main/results_box.h"
#include "ui/tools/about_window.h"
#include "ui/tools/angle_radian_window.h"
#include "ui/tools/azimuth_window.h"
#include "window_test_support.h"

namespace {

// Requests larger than this fail, as a table of tens of gigabytes does.
std::atomic<std::size_t> gLargestAllocation{SIZE_MAX};

class AllocationLimit {
 public:
  explicit AllocationLimit(std::size_t bytes) { gLargestAllocation = bytes; }
  ~AllocationLimit() { gLargestAllocation = SIZE_MAX; }
};

}  // namespace

void* operator new(std::size_t size) {
  if (size > gLargestAllocation) throw std::bad_alloc();
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  return operator new(size);
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete[](void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  std::free(p);
}

using tarnvel::kOutOfMemory;
using namespace tarnvel::testing_support;

namespace {

// Throws std::bad_alloc from its first message, then records the rest.
class FailingOnceMessageBoxes : public FakeMessageBoxes {
 public:
  void show(QWidget* parent, const QString& text, tarnvel::MessageIcon icon,
            const QString& caption) override {
    if (!failed_) {
      failed_ = true;
      throw std::bad_alloc();
    }
    FakeMessageBoxes::show(parent, text, icon, caption);
  }

 private:
  bool failed_ = false;
};

using MakeWindow = std::function<QWidget*(tarnvel::MessageBoxes&, FakePlatform&, FakeFileDialogs&)>;

}  // namespace

Q_DECLARE_METATYPE(MakeWindow)

class OutOfMemoryTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { boxes_.shown.clear(); }
  void tableTooLargeLeavesWindowAsItWas();
  void pasteTooLargeLeavesTableAsItWas();
  void everyWindowGoesOn_data();
  void everyWindowGoesOn();

 private:
  FakeMessageBoxes boxes_;
  FakePlatform platform_;
  FakeFileDialogs dialogs_;
};

// Pins the program ending on a table too large for memory (Text13 of 32,767
// characters over a million rows asked for 32 GB), taking the typed fields
// with it.
void OutOfMemoryTest::tableTooLargeLeavesWindowAsItWas() {
  tarnvel::MainWindow window(boxes_, platform_, dialogs_);
  window.show();
  window.findChild<QRadioButton*>(QStringLiteral("OptionButton2"))->click();
  const std::pair<const char*, const char*> fields[] = {{"Text1", "0"},    {"Text2", "10000"},
                                                        {"Text10", "0"},   {"Text11", "9999.99"},
                                                        {"Text9", "1000"}, {"Text13", "2.5"}};
  for (const auto& [name, text] : fields) Box(&window, name)->setText(QString::fromLatin1(text));
  Click(&window, "Command6");
  const QString table = window.resultsText();
  QVERIFY(!table.isEmpty());

  Box(&window, "Text9")->setText(QStringLiteral("0.1"));  // 100,000 rows, some megabytes
  {
    AllocationLimit limit(1 << 20);
    Click(&window, "Command6");
  }
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text, kOutOfMemory);
  QCOMPARE(window.resultsText(), table);
  QCOMPARE(Box(&window, "Text9")->text(), QStringLiteral("0.1"));

  Click(&window, "Command6");  // with the memory back, the same table is made
  QCOMPARE(window.resultsText().count(u'\n'), 100'001);
}

// Pins a paste too large for memory ending the program.
void OutOfMemoryTest::pasteTooLargeLeavesTableAsItWas() {
  tarnvel::MainWindow window(boxes_, platform_, dialogs_);
  window.show();
  auto* results = window.findChild<tarnvel::ResultsBox*>(QStringLiteral("Text12"));
  results->setTableText(QStringLiteral("7600   0\r\n"));
  results->setFocus();
  QGuiApplication::clipboard()->setText(QStringLiteral("1\n").repeated(300'000));
  {
    AllocationLimit limit(1 << 20);
    QTest::keyClick(results, Qt::Key_V, Qt::ControlModifier);
  }
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text, kOutOfMemory);
  QCOMPARE(results->tableText(), QStringLiteral("7600   0\r\n"));
  QVERIFY(!results->canUndo());
}

// Each window, its allocation failing inside a handler that shows a message.
void OutOfMemoryTest::everyWindowGoesOn_data() {
  using Make = MakeWindow;
  QTest::addColumn<Make>("make");
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("emptied");  // a box emptied first, so a message follows
  QTest::newRow("main_window") << Make([](auto& b, auto& p, auto& d) -> QWidget* {
    return new tarnvel::MainWindow(b, p, d);
  }) << "Command2"
                               << "Text41";
  QTest::newRow("azimuth") << Make([](auto& b, auto&, auto&) -> QWidget* {
    return new tarnvel::AzimuthWindow(b);
  }) << "Command1"
                           << "txtXa";
  QTest::newRow("angle_and_radian")
      << Make([](auto& b, auto&, auto&) -> QWidget* { return new tarnvel::AngleRadianWindow(b); })
      << "Command1"
      << "Text1";
  QTest::newRow("about") << Make([](auto& b, auto& p, auto&) -> QWidget* {
    p.fail = true;
    return new tarnvel::AboutWindow(b, p);
  }) << "Label5"
                         << "";
}

void OutOfMemoryTest::everyWindowGoesOn() {
  QFETCH(MakeWindow, make);
  QFETCH(QString, control);
  QFETCH(QString, emptied);
  FailingOnceMessageBoxes boxes;
  FakePlatform platform;
  const std::unique_ptr<QWidget> window(make(boxes, platform, dialogs_));
  window->show();
  if (!emptied.isEmpty()) window->findChild<QLineEdit*>(emptied)->clear();
  QTest::mouseClick(window->findChild<QWidget*>(control), Qt::LeftButton);
  QCOMPARE(boxes.shown.size(), 1);
  QCOMPARE(boxes.shown[0].text, kOutOfMemory);
}

QTEST_MAIN(OutOfMemoryTest)
#include "out_of_memory_test.moc"
