// The real window, driven by keyboard and mouse through Qt Test, against real files, and the
// command-line tool on the same files: a message hidden by one front end reads in the other.

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "app/window/program.h"
#include "common/byte_string.h"
#include "common/bytes.h"
#include "support/jpeg_writer.h"
#include "window_fixture.h"
#include "window_test_registry.h"

namespace veyla::window::testing {
namespace {

ByteString ReadBytes(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  return ByteString(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

QString WritePicture(const QTemporaryDir& dir, const char* name) {
  const QString path = dir.filePath(Q(name));
  const auto bytes = MakeJpeg({64, 48}, DetailedPixel);
  std::ofstream out(path.toStdString(), std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// Runs veyla-cli; gives its exit code and standard output.
std::pair<int, QByteArray> Cli(const QStringList& arguments) {
  QProcess cli;
  cli.start(QString::fromUtf8(VEYLA_CLI_PATH), arguments);
  cli.closeWriteChannel();
  if (!cli.waitForFinished(20000)) return {-1, {}};
  return {cli.exitCode(), cli.readAllStandardOutput()};
}

// The program with its own handlers, a file dialog the user always cancels, and no fatal box.
ProgramHooks CancellingProgram() {
  ProgramHooks hooks = ProgramDefaultHooks();
  hooks.prompt = [](QWidget*, const QString&) { return std::optional<QString>(); };
  hooks.showFatalErrorBox = [](const QString& text) { QFAIL(qPrintable(text)); };
  hooks.endProcess = [](int) {};
  return hooks;
}

// Types `text` key by key. Qt Test's keyClicks knows only ASCII keys; other characters arrive
// as a key press that carries the character, as an input method delivers it.
void Type(QWidget* widget, const QString& text) {
  for (const QChar ch : text) {
    if (ch.unicode() < 0x80) {
      QTest::keyClick(widget, ch.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
}

// Types the file name into 文件名编辑框, then clicks 浏览按钮 and cancels the dialog, so the
// typed name is the one checked.
void ChooseByTyping(MainWindow& window, const QString& path) {
  Type(Find<QLineEdit>(window, "文件名编辑框"), path);
  QTest::mouseClick(window.Button(Q("浏览按钮").toStdString()), Qt::LeftButton);
}

QString Status(const MainWindow& window) { return Find<QLabel>(window, "标签6")->text(); }

}  // namespace

class FrontEndsTest : public QObject {
  Q_OBJECT

 private slots:
  void hiddenByTheWindowReadsInTheCommandLineTool() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = WritePicture(dir, "照片.jpg");
    const ByteString original = ReadBytes(picture);

    Program program(CancellingProgram());
    QStringList statuses;
    QTimer::singleShot(0, [&] {
      MainWindow& window = *program.Window();
      ChooseByTyping(window, picture);
      statuses << Status(window);
      auto* message = Find<QPlainTextEdit>(window, "编辑框1");
      Type(message, Q("今晚见"));
      QTest::keyClick(message, Qt::Key_Return);
      Type(message, Q("老地方 ok"));
      Type(Find<QLineEdit>(window, "编辑框2"), Q("密码"));
      QTest::mouseClick(window.Button(Q("按钮1").toStdString()), Qt::LeftButton);
      statuses << Status(window);
      window.close();
    });
    QCOMPARE(program.Run(), 0);
    QCOMPARE(statuses, QStringList({Q("普通图片"), Q("您的Veyla已经隐藏在图片中了，将它发给心上人吧！")}));

    // The picture's bytes, then exactly one block: ciphertext, flag 1, its length, "1973".
    const ByteString after = ReadBytes(picture);
    QVERIFY(after.size() > original.size() + 12);
    QVERIFY(std::equal(original.begin(), original.end(), after.begin()));
    const auto trailer = std::span<const std::uint8_t>(after).last(12);
    QCOMPARE(LoadLeInt32(trailer.first<4>()), 1);
    QCOMPARE(static_cast<std::size_t>(LoadLeInt32(trailer.subspan<4, 4>())),
             after.size() - original.size() - 12);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(trailer.data()) + 8, 4), QByteArray("1973"));

    // The lines were stored with "\r\n" between them.
    const auto [code, out] = Cli({"read", picture, "--password", Q("密码")});
    QCOMPARE(code, 0);
    QCOMPARE(QString::fromUtf8(out), Q("今晚见\r\n老地方 ok\n"));
  }

  void hiddenByTheCommandLineToolReadsInTheWindow() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = WritePicture(dir, "card.jpg");
    QCOMPARE(Cli({"hide", picture, "--message", Q("第一行\r\n第二行 😊")}).first, 0);
    const ByteString carrier = ReadBytes(picture);

    Program program(CancellingProgram());
    QStringList statuses;
    QString revealed;
    QTimer::singleShot(0, [&] {
      MainWindow& window = *program.Window();
      ChooseByTyping(window, picture);
      statuses << Status(window);
      // Hidden without a password: whatever is typed, the default password reads it.
      Type(Find<QLineEdit>(window, "编辑框4"), "anything");
      QTest::mouseClick(window.Button(Q("按钮4").toStdString()), Qt::LeftButton);
      statuses << Status(window);
      revealed = Find<QPlainTextEdit>(window, "编辑框3")->toPlainText();
      window.close();
    });
    QCOMPARE(program.Run(), 0);
    QCOMPARE(statuses, QStringList({Q("您选择了有Veyla的图片"), Q("您选择了有Veyla的图片")}));
    QCOMPARE(revealed, Q("第一行\n第二行 😊"));
    QVERIFY(ReadBytes(picture) == carrier);  // reading never writes
  }
};

VEYLA_WINDOW_TEST(FrontEndsTest);

}  // namespace veyla::window::testing

#include "front_ends_test.moc"
