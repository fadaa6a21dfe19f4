#pragma once
// Which handler a click on each button runs.

#include <functional>

#include "app/commands/program_state.h"
#include "app/commands/window.h"

namespace veyla::window {

class MainWindow;

using ClickHandler = std::function<void(app::ProgramState&, app::Window&)>;

struct ClickHandlers {
  ClickHandler selectPicture;     // 浏览按钮
  ClickHandler hideMessage;       // 按钮1
  ClickHandler readMessage;       // 按钮4
  ClickHandler loadTestPicture;   // 按钮3 (hidden)
  ClickHandler decryptLastBlock;  // 按钮2 (hidden)
};

// The program's own handlers (app/commands/handlers.h).
ClickHandlers ProgramClickHandlers();

// Connects each button's click to its handler. `run` is called with the handler on every
// click and decides whether and how it runs.
void BindClickHandlers(const MainWindow& window, const ClickHandlers& handlers,
                       const std::function<void(const ClickHandler&)>& run);

}  // namespace veyla::window
