#include "app/window/program.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <new>

#include "app/commands/handlers.h"
#include "app/window/main_window.h"
#include "app/window/storage_failure.h"
#include "app/window/window_operations.h"

namespace veyla::window {

QString FatalErrorText(FatalCause cause, std::optional<std::size_t> bytes) {
  QString text = QStringLiteral("程序遇到了运行时错误，即将退出。\n\n");
  switch (cause) {
    case FatalCause::WindowNotBuilt:
      text += QStringLiteral("主窗口无法载入。");
      break;
    case FatalCause::OutOfStorage:
      text += bytes ? QStringLiteral("内存不足：无法取得 %1 字节的存储空间。").arg(*bytes)
                    : QStringLiteral("内存不足：无法取得所需的存储空间。");
      break;
  }
  return text;
}

void ShowFatalErrorBox(const QString& text) {
  QMessageBox box(
      QMessageBox::Critical,
      QString::fromUtf8(kWindowTitle.data(), static_cast<qsizetype>(kWindowTitle.size())), text,
      QMessageBox::Ok, nullptr);
  box.exec();
}

void EndProcessNow(int exitCode) {
  std::_Exit(exitCode);
}

ProgramHooks ProgramDefaultHooks() {
  ProgramHooks hooks;
  hooks.onMainWindowCreated = app::OnMainWindowCreated;
  hooks.releaseGlobals = app::ReleaseGlobals;
  hooks.clicks = ProgramClickHandlers();
  return hooks;
}

Program::Program(ProgramHooks hooks) : hooks_(std::move(hooks)) {}

Program::~Program() = default;

int Program::Run() {
  exitRoutine_ = [this] {
    if (hooks_.releaseGlobals) {
      hooks_.releaseGlobals(state_);
    }
  };

  try {
    window_ = MainWindow::Create(hooks_.controls, hooks_.prompt);
  } catch (const std::bad_alloc&) {
    window_.reset();
  }
  if (!window_) {
    Fail(FatalCause::WindowNotBuilt, std::nullopt);
    return -1;
  }
  operations_ = std::make_unique<WindowOperations>(*window_);
  BindClickHandlers(*window_, hooks_.clicks,
                    [this](const ClickHandler& handler) { RunClickHandler(handler); });

  try {
    if (hooks_.onMainWindowCreated) {
      hooks_.onMainWindowCreated(state_);
    }
  } catch (const std::bad_alloc&) {
    FailForLackOfStorage();
    return -1;
  }
  window_->ShowFirstTime();

  const int exitCode = QApplication::exec();

  // The window is gone before the exit routine runs; the slot is read once and cleared.
  operations_.reset();
  window_.reset();
  if (std::function<void()> routine = std::exchange(exitRoutine_, nullptr)) {
    routine();
  }
  return exitCode;
}

void Program::RunClickHandler(const ClickHandler& handler) {
  if (failed_) {
    return;
  }
  try {
    handler(state_, *operations_);
  } catch (const std::bad_alloc&) {
    FailForLackOfStorage();
  }
}

void Program::FailForLackOfStorage() {
  Fail(FatalCause::OutOfStorage, LastFailedAllocationSize());
}

void Program::Fail(FatalCause cause, std::optional<std::size_t> bytes) {
  if (failed_) {
    return;
  }
  failed_ = true;
  exitRoutine_ = nullptr;
  hooks_.showFatalErrorBox(FatalErrorText(cause, bytes));
  hooks_.endProcess(-1);
  QCoreApplication::exit(-1);
}

}  // namespace veyla::window
