// The window and its twenty-one controls as built: kind, container, place in the client area,
// size, initial text, visibility, focus, stacking, and the colours that show on screen.

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "app/window/file_dialog.h"
#include "app/window/picture_box.h"
#include "window_fixture.h"
#include "window_test_registry.h"

namespace veyla::window::testing {
namespace {

// The text a control shows, whatever its kind.
QString ShownText(QObject* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* line = qobject_cast<QLineEdit*>(control)) return line->text();
  if (auto* lines = qobject_cast<QPlainTextEdit*>(control)) return lines->toPlainText();
  if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
  return {};
}

bool IsKind(QObject* control, const QString& kind) {
  if (kind == "label") return qobject_cast<QLabel*>(control) != nullptr;
  if (kind == "lines") return qobject_cast<QPlainTextEdit*>(control) != nullptr;
  if (kind == "line" || kind == "masked") {
    auto* line = qobject_cast<QLineEdit*>(control);
    return line != nullptr &&
           line->echoMode() == (kind == "masked" ? QLineEdit::Password : QLineEdit::Normal);
  }
  if (kind == "button") return qobject_cast<QAbstractButton*>(control) != nullptr;
  if (kind == "group") return qobject_cast<QGroupBox*>(control) != nullptr;
  if (kind == "picture") {
    auto* box = qobject_cast<PictureBox*>(control);
    return box != nullptr && !box->HasPicture();
  }
  if (kind == "dialog") return qobject_cast<FileDialogControl*>(control) != nullptr;
  return false;
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void controls_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QPoint>("clientPlace");  // in the window's client area
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("visible");

    const auto row = [](const char* name, const char* kind, const char* container, QPoint place,
                        QSize size, const char* text, bool visible) {
      QTest::newRow(name) << QString(kind) << Q(container) << place << size
                          << (text ? Q(text) : QString()) << visible;
    };
    row("标签7", "label", "分组框2", {24, 288}, {336, 168}, nullptr, true);  // text: helpText()
    row("标签4", "label", "分组框2", {16, 24}, {184, 24}, "2、输入爱的Veyla：", true);
    row("编辑框1", "lines", "分组框2", {24, 56}, {344, 80}, "", true);
    row("标签5", "label", "分组框2", {16, 152}, {344, 24},
        "3、设置Veyla密码（不知道Veyla密码的人只能看到图片哦~）", true);
    row("编辑框2", "line", "分组框2", {24, 184}, {344, 32}, "", true);
    row("按钮1", "button", "分组框2", {240, 240}, {128, 32}, "将图片进行Veyla加密", true);
    row("分组框2", "group", "窗口", {8, 8}, {368, 456}, "", true);
    row("标签6", "label", "窗口", {16, 472}, {360, 32}, "", true);
    row("通用对话框1", "dialog", "分组框1", {}, {}, "", false);
    row("浏览按钮", "button", "分组框1", {677, 40}, {67, 20}, "图片浏览", true);
    row("文件名编辑框", "line", "分组框1", {414, 40}, {256, 20}, "", true);
    row("标签3", "label", "分组框1", {400, 16}, {168, 16}, "1、请选择需要的图片：", true);
    row("标签2", "label", "分组框1", {408, 296}, {32, 80}, "Veyla", true);
    row("标签1", "label", "分组框1", {416, 400}, {56, 24}, "输入密码：", true);
    row("按钮4", "button", "分组框1", {568, 448}, {80, 32}, "解读Veyla", true);
    row("编辑框4", "masked", "分组框1", {480, 400}, {248, 20}, "", true);
    row("编辑框3", "lines", "分组框1", {448, 288}, {312, 96}, "", true);
    row("图片框2", "picture", "分组框1", {400, 80}, {400, 200}, "", true);
    row("分组框1", "group", "窗口", {392, 8}, {416, 496}, "", true);
    row("按钮3", "button", "窗口", {16, 480}, {80, 32}, "按钮", false);
    row("按钮2", "button", "窗口", {104, 480}, {80, 32}, "解密", false);
  }

  void controls() {
    QFETCH(QString, kind);
    QFETCH(QString, container);
    QFETCH(QPoint, clientPlace);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    QFETCH(bool, visible);

    auto window = ShowWindow();
    QVERIFY(window);
    const QString name = QString::fromUtf8(QTest::currentDataTag());
    QObject* control = window->findChild<QObject*>(name);
    QVERIFY2(control != nullptr, qPrintable(name));
    QVERIFY2(IsKind(control, kind), qPrintable(kind));
    QCOMPARE(control->parent()->objectName(), container);

    auto* widget = qobject_cast<QWidget*>(control);
    if (kind == "dialog") {
      QVERIFY(widget == nullptr);  // no widget until it is opened
      return;
    }
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->mapTo(window.get(), QPoint(0, 0)), clientPlace);
    QCOMPARE(widget->size(), size);
    QCOMPARE(widget->isVisible(), visible);
    if (!text.isNull()) {
      QCOMPARE(ShownText(control), text);
    }
    const bool takesFocus =
        kind == "lines" || kind == "line" || kind == "masked" || kind == "button";
    QCOMPARE(widget->focusPolicy() != Qt::NoFocus, takesFocus);
  }

  void helpText() {
    auto window = BuildWindow();
    QVERIFY(window);
    const QString shown = Find<QLabel>(*window, "标签7")->text();
    const QString guide =
        Q("1、Veyla1.0版本目前只支持JPG格式的图片；\r\n2、加密图片：\r\n   1）选择图片\r\n"
          "   2）输入Veyla\r\n   3）如果需要请设置密码\r\n"
          "     最后点击“将图片进行Veyla加密”就可以将你要说的话隐藏在图片中。\r\n\r\n"
          "3、读取Veyla：\r\n   1）选择图片，确认提示栏为有Veyla的图片\r\n   "
          "2）如果有密码请输入密码\r\n"
          "   3）点击“解密Veyla”就可以看到隐藏的Veyla\r\n\r\n");
    QVERIFY(shown.endsWith(guide));
    // One line of credit and contact before the guide.
    const QString credit = shown.left(shown.size() - guide.size());
    QVERIFY(credit.endsWith("\r\n"));
    QVERIFY(credit.size() > 2);
    QVERIFY(!credit.chopped(2).contains('\n'));
  }

  void windowProperties() {
    auto window = ShowWindow();
    QVERIFY(window);
    QCOMPARE(window->objectName(), Q("窗口"));
    QVERIFY(window->windowTitle().startsWith("Veyla1.0V"));
    QVERIFY(window->windowTitle().size() > QString("Veyla1.0V").size());  // the maker credit
    QCOMPARE(window->size(), QSize(843, 527));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QCOMPARE(window->pos(), QPoint(50, 50));
    const Qt::WindowFlags flags = window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window->windowIcon().availableSizes().isEmpty());
    QCOMPARE(window->palette().color(QPalette::Window), window->palette().color(QPalette::Button));
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>(*window, "编辑框3"));
  }

  // Within a container the controls are stacked in the definition's order, the first on top.
  void stacking() {
    auto window = BuildWindow();
    QVERIFY(window);
    const auto above = [&](const char* upper, const char* lower) {
      QWidget* a = Find<QWidget>(*window, upper);
      QWidget* b = Find<QWidget>(*window, lower);
      const QObjectList& siblings = a->parentWidget()->children();
      return siblings.indexOf(a) > siblings.indexOf(b);
    };
    QVERIFY(above("标签7", "标签4"));
    QVERIFY(above("标签4", "编辑框1"));
    QVERIFY(above("标签5", "按钮1"));
    QVERIFY(above("浏览按钮", "图片框2"));
    QVERIFY(above("编辑框3", "图片框2"));
    QVERIFY(above("分组框2", "标签6"));
    QVERIFY(above("标签6", "按钮3"));
    QVERIFY(above("按钮3", "按钮2"));
  }

  // What the user sees right after start: the colours of the status line, the revealed-message
  // box and the help text's gradient, and an empty picture box.
  void lookAtStart() {
    auto window = ShowWindow();
    QVERIFY(window);
    const QImage shot = window->grab().toImage();
    const auto at = [&](int x, int y) { return QColor(shot.pixel(x, y)); };

    // 标签6 at (16, 472), 360 × 32: a black line around light grey.
    QCOMPARE(at(16, 472), QColor(Qt::black));
    QCOMPARE(at(16 + 359, 472 + 31), QColor(Qt::black));
    QCOMPARE(at(16 + 180, 472 + 16), QColor(236, 236, 236));
    // 编辑框3's text area is light pink.
    QCOMPARE(at(448 + 150, 288 + 40), QColor(255, 168, 255));
    // 标签7 at (24, 288), 336 × 168: inside its border, silver on the left and grey on the
    // right; its text starts at the top, so sample near the bottom.
    QCOMPARE(at(24 + 4, 288 + 160), QColor(192, 192, 192));
    QCOMPARE(at(24 + 336 - 5, 288 + 160), QColor(128, 128, 128));
    // 图片框2 at (400, 80) shows only the window's background.
    QCOMPARE(at(400 + 200, 80 + 100), window->palette().color(QPalette::Window));
  }
};

VEYLA_WINDOW_TEST(WindowLayoutTest);

}  // namespace veyla::window::testing

#include "window_layout_test.moc"
