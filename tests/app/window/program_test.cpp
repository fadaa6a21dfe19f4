// The program's life: the created handler before the window shows, clicks reaching their
// handlers, the exit routine once after the window is gone and exit code 0; the fatal paths
// (window not built, storage out) with the box, exit code -1 and no exit routine.

#include "app/window/program.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <new>
#include <vector>

#include "app/commands/handlers.h"
#include "app/window/main_window.h"
#include "app/window/picture_box.h"
#include "app/window/veyla_application.h"
#include "support/jpeg_writer.h"
#include "window_fixture.h"
#include "window_test_registry.h"

namespace veyla::window::testing {
namespace {

// Hooks that record what happens and never show a box or end the process.
struct Recorder {
  std::vector<QString> events;
  QStringList boxes;
  std::vector<int> endCodes;
  Program* program = nullptr;

  ProgramHooks Hooks() {
    ProgramHooks hooks = ProgramDefaultHooks();
    hooks.onMainWindowCreated = [this](app::ProgramState& state) {
      events.push_back(program->Window() && !program->Window()->isVisible() ? "created, hidden"
                                                                            : "created, shown");
      app::OnMainWindowCreated(state);
    };
    hooks.releaseGlobals = [this](app::ProgramState& state) {
      events.push_back(program->Window() == nullptr ? "released, window gone"
                                                    : "released, window alive");
      app::ReleaseGlobals(state);
    };
    hooks.prompt = [](QWidget*, const QString&) { return std::optional<QString>(); };
    hooks.showFatalErrorBox = [this](const QString& text) { boxes << text; };
    hooks.endProcess = [this](int code) { endCodes.push_back(code); };
    return hooks;
  }
};

void Later(std::function<void()> step) {
  QTimer::singleShot(0, std::move(step));
}

QAbstractButton* ButtonOf(Program& program, const char* name) {
  return program.Window()->Button(Q(name).toStdString());
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void startUpAndNormalClose() {
    Recorder recorder;
    ProgramHooks hooks = recorder.Hooks();
    hooks.clicks.hideMessage = [&](app::ProgramState& state, app::Window&) {
      recorder.events.push_back("hide");
      state.hidePassword = "kvb";
      state.lastCipherBytes = {1, 2, 3};
    };
    Program program(std::move(hooks));
    recorder.program = &program;
    bool shownAtStart = false;
    int pictureChosenAtStart = -1;
    bool closedByEscape = false;
    Later([&] {
      shownAtStart = program.Window()->isVisible();
      pictureChosenAtStart = program.State().pictureChosen;
      ButtonOf(program, "按钮1")->click();
      MainWindow* window = program.Window();
      closedByEscape =
          QTest::qWaitForWindowActive(window) &&
          (QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape), !window->isVisible());
      window->close();  // never leave the loop running
    });

    QCOMPARE(program.Run(), 0);
    QVERIFY(shownAtStart);
    QVERIFY(closedByEscape);
    QCOMPARE(pictureChosenAtStart, 0);
    QCOMPARE(recorder.events,
             (std::vector<QString>{"created, hidden", "hide", "released, window gone"}));
    QVERIFY(program.State().hidePassword.empty());
    QVERIFY(program.State().lastCipherBytes.empty());
    QVERIFY(recorder.boxes.isEmpty());
  }

  // The program's own handlers through the window: choose a picture, hide a message with a
  // password, choose it again, read the message back.
  void hideAndReadThroughTheWindow() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString picture = dir.filePath(Q("照片.jpg"));
    {
      const auto bytes = MakeJpeg({120, 80}, DetailedPixel);
      std::ofstream out(picture.toStdString(), std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    Recorder recorder;
    ProgramHooks hooks = recorder.Hooks();
    hooks.clicks = ProgramClickHandlers();
    hooks.prompt = [&](QWidget*, const QString&) { return std::optional<QString>(picture); };
    Program program(std::move(hooks));
    recorder.program = &program;

    QStringList statuses;
    QString revealed;
    bool pictureShown = false;
    Later([&] {
      MainWindow& window = *program.Window();
      const auto status = [&] { statuses << Find<QLabel>(window, "标签6")->text(); };
      window.Button(Q("浏览按钮").toStdString())->click();
      status();
      pictureShown = window.Pictures()->HasPicture();
      Find<QPlainTextEdit>(window, "编辑框1")->setPlainText(Q("你好\n世界"));
      Find<QLineEdit>(window, "编辑框2")->setText(Q("密码"));
      window.Button(Q("按钮1").toStdString())->click();
      status();
      window.Button(Q("浏览按钮").toStdString())->click();
      status();
      Find<QLineEdit>(window, "编辑框4")->setText(Q("密码"));
      window.Button(Q("按钮4").toStdString())->click();
      status();
      revealed = Find<QPlainTextEdit>(window, "编辑框3")->toPlainText();
      window.close();
    });

    QCOMPARE(program.Run(), 0);
    QVERIFY(pictureShown);
    QCOMPARE(statuses, QStringList({Q("普通图片"), Q("您的Veyla已经隐藏在图片中了，将它发给心上人吧！"),
                                    Q("您选择了有Veyla的图片"), Q("您选择了有Veyla的图片")}));
    QCOMPARE(revealed, Q("你好\n世界"));
  }

  void everyButtonRunsItsHandler_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("handler");
    QTest::newRow("浏览按钮") << Q("浏览按钮") << "SelectPicture";
    QTest::newRow("按钮1") << Q("按钮1") << "HideMessage";
    QTest::newRow("按钮4") << Q("按钮4") << "ReadMessage";
    QTest::newRow("按钮3") << Q("按钮3") << "LoadTestPicture";
    QTest::newRow("按钮2") << Q("按钮2") << "DecryptLastBlock";
  }

  void everyButtonRunsItsHandler() {
    QFETCH(QString, button);
    QFETCH(QString, handler);
    Recorder recorder;
    ProgramHooks hooks = recorder.Hooks();
    QStringList ran;
    const auto record = [&ran](const char* name) {
      return [&ran, name](app::ProgramState&, app::Window& window) {
        ran << name;
        window.SetCaption("ran");  // the handler works on this program's window
      };
    };
    hooks.clicks = {record("SelectPicture"), record("HideMessage"), record("ReadMessage"),
                    record("LoadTestPicture"), record("DecryptLastBlock")};
    Program program(std::move(hooks));
    recorder.program = &program;
    QString caption;
    Later([&] {
      program.Window()->Button(button.toStdString())->click();
      caption = program.Window()->findChild<QLabel*>(Q("标签6"))->text();
      program.Window()->close();
    });
    QCOMPARE(program.Run(), 0);
    QCOMPARE(ran, QStringList(handler));
    QCOMPARE(caption, QString("ran"));
  }

  // Storage running out in a handler: the box names the bytes asked for where the program's
  // allocator saw the request; no handler runs afterwards; exit code -1 without the routine.
  void storageFailureInAHandlerIsFatal() {
    Recorder recorder;
    ProgramHooks hooks = recorder.Hooks();
    int reads = 0;
    hooks.clicks.hideMessage = [](app::ProgramState&, app::Window&) {
#ifdef VEYLA_TEST_PROGRAM_ALLOCATOR
      std::vector<char> huge;
      huge.reserve(std::size_t{1} << 62);
#else
      throw std::bad_alloc();
#endif
    };
    hooks.clicks.readMessage = [&reads](app::ProgramState&, app::Window&) { ++reads; };
    Program program(std::move(hooks));
    recorder.program = &program;
    Later([&] {
      ButtonOf(program, "按钮1")->click();
      ButtonOf(program, "按钮4")->click();  // after the fatal error: ignored
    });

    QCOMPARE(program.Run(), -1);
    QCOMPARE(recorder.boxes.size(), 1);
    QVERIFY(recorder.boxes.front().contains(Q("内存不足")));
#ifdef VEYLA_TEST_PROGRAM_ALLOCATOR
    QVERIFY(recorder.boxes.front().contains("4611686018427387904"));
#endif
    QCOMPARE(recorder.endCodes, std::vector<int>{-1});
    QCOMPARE(reads, 0);
    QCOMPARE(recorder.events, std::vector<QString>{"created, hidden"});
  }

  void windowThatCannotBeBuiltIsFatal() {
    Recorder recorder;
    ProgramHooks hooks = recorder.Hooks();
    // A control whose container is no group box of the window.
    static constexpr std::array<ControlDefinition, 2> kBroken{{
        {"分组框1", ControlKind::GroupBox, kWindowName, 0, 0, 10, 10, "", true, {}},
        {"按钮9", ControlKind::PushButton, "分组框7", 0, 0, 10, 10, "x", true, {}},
    }};
    hooks.controls = kBroken;
    Program program(std::move(hooks));
    recorder.program = &program;
    QCOMPARE(program.Run(), -1);
    QCOMPARE(recorder.boxes.size(), 1);
    QVERIFY(recorder.boxes.front().contains(Q("主窗口无法载入")));
    QCOMPARE(recorder.endCodes, std::vector<int>{-1});
    QVERIFY(recorder.events.empty());  // neither the created handler nor the exit routine
  }

  // Outside the handlers, storage running out while an event is handled reaches the program
  // through the application instead of ending the process.
  void storageFailureInAnyEventReachesTheProgram() {
    auto* application = qobject_cast<VeylaApplication*>(QCoreApplication::instance());
    QVERIFY(application != nullptr);
    int failures = 0;
    application->SetOutOfStorageHandler([&failures] { ++failures; });
    class Greedy : public QObject {
     public:
      bool event(QEvent*) override { throw std::bad_alloc(); }
    } greedy;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&greedy, &event);
    application->SetOutOfStorageHandler(nullptr);
    QCOMPARE(failures, 1);
  }

  void fatalErrorTexts() {
    QVERIFY(FatalErrorText(FatalCause::OutOfStorage, 1234567).contains("1234567"));
    QVERIFY(!FatalErrorText(FatalCause::OutOfStorage, std::nullopt).contains("0"));
    QVERIFY(FatalErrorText(FatalCause::WindowNotBuilt, std::nullopt) !=
            FatalErrorText(FatalCause::OutOfStorage, std::nullopt));
  }
};

VEYLA_WINDOW_TEST(ProgramTest);

}  // namespace veyla::window::testing

#include "program_test.moc"
