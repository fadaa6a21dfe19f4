// The six operations the handlers use, on the real window: stored text (GB18030) in and out,
// "\r\n" between the lines of multi-line boxes, text shown up to a zero byte, the status line,
// the picture, and the file dialog behind its seam; and the dialog's own settings.

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <deque>

#include "app/window/file_dialog.h"
#include "app/window/labels.h"
#include "app/window/picture_box.h"
#include "app/window/window_operations.h"
#include "window_fixture.h"
#include "window_test_registry.h"

namespace veyla::window::testing {

using app::EditBox;

class OperationsTest : public QObject {
  Q_OBJECT

 private slots:
  void multiLineTextCrossesAsCrLfLines() {
    auto window = BuildWindow();
    WindowOperations operations(*window);
    operations.SetText(EditBox::RevealedMessage, Stored("第一行\r\n第二行 ok"));
    QCOMPARE(Find<QPlainTextEdit>(*window, "编辑框3")->toPlainText(), Q("第一行\n第二行 ok"));
    QCOMPARE(operations.GetText(EditBox::RevealedMessage), Stored("第一行\r\n第二行 ok"));

    Find<QPlainTextEdit>(*window, "编辑框1")->setPlainText(Q("你好\n\nVeyla"));
    QCOMPARE(operations.GetText(EditBox::Message), Stored("你好\r\n\r\nVeyla"));
  }

  void singleLineBoxesGiveTheirText() {
    auto window = BuildWindow();
    WindowOperations operations(*window);
    Find<QLineEdit>(*window, "编辑框2")->setText(Q("密码 1"));
    Find<QLineEdit>(*window, "编辑框4")->setText(Q("口令"));
    QCOMPARE(operations.GetText(EditBox::HidePassword), Stored("密码 1"));
    QCOMPARE(operations.GetText(EditBox::ReadPassword), Stored("口令"));
    QCOMPARE(operations.GetText(EditBox::FileName), Text());

    operations.SetText(EditBox::FileName, Stored("/图片/猫.jpg"));
    QCOMPARE(Find<QLineEdit>(*window, "文件名编辑框")->text(), Q("/图片/猫.jpg"));
  }

  void setTextStopsAtAZeroByte() {
    auto window = BuildWindow();
    WindowOperations operations(*window);
    operations.SetText(EditBox::RevealedMessage, Text("ab\0cd", 5));
    QCOMPARE(Find<QPlainTextEdit>(*window, "编辑框3")->toPlainText(), QString("ab"));
    operations.SetText(EditBox::RevealedMessage, Text());
    QVERIFY(Find<QPlainTextEdit>(*window, "编辑框3")->toPlainText().isEmpty());
  }

  void captionGoesToTheStatusLine() {
    auto window = BuildWindow();
    WindowOperations operations(*window);
    operations.SetCaption(Stored("普通图片"));
    QCOMPARE(Find<QLabel>(*window, "标签6")->text(), Q("普通图片"));
    operations.SetCaption(Text());
    QVERIFY(Find<QLabel>(*window, "标签6")->text().isEmpty());
  }

  void setPictureOfAMissingFileEmptiesTheBox() {
    auto window = BuildWindow();
    WindowOperations operations(*window);
    operations.SetPicture("/nonexistent/veyla-test.jpg");
    QVERIFY(!window->Pictures()->HasPicture());
  }

  // The dialog offers its last confirmed choice; a cancel leaves the name as it was.
  void dialogRemembersTheLastChoice() {
    std::deque<std::optional<QString>> answers{std::nullopt, Q("/照片/a.jpg"), std::nullopt,
                                               QString("/b.jpg")};
    QStringList offered;
    auto window = MainWindow::Create(kControls, [&](QWidget* owner, const QString& name) {
      offered << name;
      [&] { QCOMPARE(owner, static_cast<QWidget*>(window_)); }();
      auto answer = answers.front();
      answers.pop_front();
      return answer;
    });
    window_ = window.get();
    WindowOperations operations(*window);

    QVERIFY(!operations.OpenFileDialog());
    QCOMPARE(operations.DialogFileName(), Text());
    QVERIFY(operations.OpenFileDialog());
    QCOMPARE(operations.DialogFileName(), Stored("/照片/a.jpg"));
    QVERIFY(!operations.OpenFileDialog());
    QCOMPARE(operations.DialogFileName(), Stored("/照片/a.jpg"));
    QVERIFY(operations.OpenFileDialog());
    QCOMPARE(operations.DialogFileName(), Stored("/b.jpg"));
    QCOMPARE(offered, QStringList({"", "", Q("/照片/a.jpg"), Q("/照片/a.jpg")}));
  }

  void fileDialogSettings() {
    QFileDialog dialog;
    ConfigurePictureFileDialog(dialog);
    QCOMPARE(dialog.windowTitle(), Q("请输入欲加解密的文件名："));
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptOpen);
    QVERIFY(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QCOMPARE(dialog.nameFilters().size(), 1);
    // The one entry reads exactly as defined and selects *.jpg files.
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    QVERIFY(types != nullptr);
    QCOMPARE(types->count(), 1);
    QCOMPARE(types->itemText(0), Q("JPEG图形文件（*.jpg）"));
    auto* files = dialog.findChild<QFileSystemModel*>();
    QVERIFY(files != nullptr);
    QCOMPARE(files->nameFilters(), QStringList("*.jpg"));
  }

 private:
  QWidget* window_ = nullptr;
};

VEYLA_WINDOW_TEST(OperationsTest);

}  // namespace veyla::window::testing

#include "operations_test.moc"
