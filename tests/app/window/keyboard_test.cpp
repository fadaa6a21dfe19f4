// The keyboard: the focus cycle both ways, Esc closes from every control, Enter starts a line
// only in the multi-line boxes and clicks no button, the masked box shows "*".

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>
#include <vector>

#include "app/window/control_table.h"
#include "window_fixture.h"
#include "window_test_registry.h"

namespace veyla::window::testing {

class KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void tabCycleBothWays() {
    auto window = ShowWindow();
    QVERIFY(window);
    const QStringList cycle{Q("编辑框3"), Q("编辑框4"), Q("按钮4"),        Q("按钮1"),
                            Q("编辑框2"), Q("编辑框1"), Q("文件名编辑框"), Q("浏览按钮")};
    QCOMPARE(QApplication::focusWidget()->objectName(), cycle.front());

    for (int step = 1; step <= cycle.size(); ++step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget()->objectName(), cycle[step % cycle.size()]);
    }
    for (int step = cycle.size() - 1; step >= 0; --step) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget()->objectName(), cycle[step]);
    }
    // Tab moved through the multi-line boxes without typing into them.
    QVERIFY(Find<QPlainTextEdit>(*window, "编辑框1")->toPlainText().isEmpty());
    QVERIFY(Find<QPlainTextEdit>(*window, "编辑框3")->toPlainText().isEmpty());
  }

  void escapeClosesFromEveryControl_data() {
    QTest::addColumn<QString>("control");
    for (std::string_view name : kFocusCycle) {
      QTest::newRow(std::string(name).c_str()) << Q(name);
    }
  }

  void escapeClosesFromEveryControl() {
    QFETCH(QString, control);
    auto window = ShowWindow();
    QVERIFY(window);
    auto* target = window->findChild<QWidget*>(control);
    target->setFocus();
    QCOMPARE(QApplication::focusWidget(), target);
    QTest::keyClick(target, Qt::Key_Escape);
    QVERIFY(!window->isVisible());
  }

  void enterDoesNothing_data() {
    QTest::addColumn<QString>("control");
    for (const char* name : {"编辑框2", "编辑框4", "文件名编辑框", "按钮1", "按钮4", "浏览按钮"}) {
      QTest::newRow(name) << Q(name);
    }
  }

  void enterDoesNothing() {
    QFETCH(QString, control);
    auto window = ShowWindow();
    QVERIFY(window);
    std::vector<std::unique_ptr<QSignalSpy>> clicks;
    for (auto* button : window->findChildren<QAbstractButton*>()) {
      clicks.push_back(std::make_unique<QSignalSpy>(button, &QAbstractButton::clicked));
    }
    auto* target = window->findChild<QWidget*>(control);
    target->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
      QTest::keyClicks(line, "ab");
    }

    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter, Qt::KeypadModifier);

    for (const auto& spy : clicks) {
      QCOMPARE(spy->count(), 0);
    }
    QCOMPARE(QApplication::focusWidget(), target);
    QVERIFY(window->isVisible());
    if (auto* line = qobject_cast<QLineEdit*>(target)) {
      QCOMPARE(line->text(), QString("ab"));
    }
  }

  // The counterpart of enterDoesNothing: the keyboard does click a focused button.
  void spaceClicksTheFocusedButton() {
    auto window = ShowWindow();
    QVERIFY(window);
    auto* button = Find<QAbstractButton>(*window, "按钮4");
    QSignalSpy clicked(button, &QAbstractButton::clicked);
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
  }

  void enterStartsALineInMultiLineBoxes() {
    auto window = ShowWindow();
    QVERIFY(window);
    for (const char* name : {"编辑框1", "编辑框3"}) {
      auto* box = Find<QPlainTextEdit>(*window, name);
      box->setFocus();
      QTest::keyClicks(box, "a");
      QTest::keyClick(box, Qt::Key_Return);
      QTest::keyClicks(box, "b");
      QCOMPARE(box->toPlainText(), QString("a\nb"));
      QCOMPARE(QApplication::focusWidget(), box);
    }
  }

  void maskShowsAsterisks() {
    auto window = ShowWindow();
    QVERIFY(window);
    auto* masked = Find<QLineEdit>(*window, "编辑框4");
    masked->setFocus();
    QTest::keyClicks(masked, "geheim 1");
    QCOMPARE(masked->text(), QString("geheim 1"));
    QCOMPARE(masked->displayText(), QString(8, '*'));

    auto* plain = Find<QLineEdit>(*window, "编辑框2");
    plain->setFocus();
    QTest::keyClicks(plain, "open");
    QCOMPARE(plain->displayText(), QString("open"));
  }
};

VEYLA_WINDOW_TEST(KeyboardTest);

}  // namespace veyla::window::testing

#include "keyboard_test.moc"
