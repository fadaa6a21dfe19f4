#pragma once
// The program's life from the window's creation to its end.
//
// Run(): the state values start zero or empty; ReleaseGlobals goes into the exit routine slot;
// the window is built from its definition, OnMainWindowCreated runs, and only then is the
// window shown; the event loop hands each click to its handler. After the window is closed
// and destroyed the slot's routine runs once and Run() gives 0.
//
// Two conditions are fatal: the window cannot be built, or storage cannot be obtained while a
// handler runs (or anywhere in the event loop, see VeylaApplication). Then the slot is cleared
// without running it, no handler runs any more, the fatal error box is shown, and the process
// ends with exit code -1.

#include <QString>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <span>

#include "app/commands/program_state.h"
#include "app/window/click_handlers.h"
#include "app/window/control_table.h"
#include "app/window/file_dialog.h"

namespace veyla::window {

class MainWindow;
class WindowOperations;

enum class FatalCause { WindowNotBuilt, OutOfStorage };

// The fatal error box's text: a run-time error, which condition, and for storage the number of
// bytes asked for (when known), in decimal.
QString FatalErrorText(FatalCause cause, std::optional<std::size_t> bytes);

// A modal box owned by no window, with the stop icon and a single OK button.
void ShowFatalErrorBox(const QString& text);

// Ends the process at once, running no exit routine and no destructor.
[[noreturn]] void EndProcessNow(int exitCode);

// Everything Run() calls out to; tests replace parts of it.
struct ProgramHooks {
  std::function<void(app::ProgramState&)> onMainWindowCreated;
  std::function<void(app::ProgramState&)> releaseGlobals;
  ClickHandlers clicks;
  FileDialogPrompt prompt = PromptWithFileDialog;
  std::function<void(const QString&)> showFatalErrorBox = ShowFatalErrorBox;
  // Never returns in the program. Where it does (tests), the event loop is ended with the
  // code instead and Run() gives it.
  std::function<void(int)> endProcess = EndProcessNow;
  std::span<const ControlDefinition> controls = kControls;
};

// The program's own handlers and behaviour.
ProgramHooks ProgramDefaultHooks();

class Program {
 public:
  explicit Program(ProgramHooks hooks);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Needs a QApplication. Gives the event loop's exit code: 0 after a close.
  int Run();

  // Storage could not be obtained: the fatal error (see above). Does nothing after the first.
  void FailForLackOfStorage();

  const app::ProgramState& State() const { return state_; }
  // The window while it exists.
  MainWindow* Window() const { return window_.get(); }

 private:
  void Fail(FatalCause cause, std::optional<std::size_t> bytes);
  void RunClickHandler(const ClickHandler& handler);

  ProgramHooks hooks_;
  app::ProgramState state_;
  std::function<void()> exitRoutine_;  // the exit routine slot
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<WindowOperations> operations_;
  bool failed_ = false;
};

}  // namespace veyla::window
