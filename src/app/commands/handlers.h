#pragma once
// The window's event handlers. Each runs to its end inside one event, touches the window only
// through the Window interface, and opens and closes any file within the same call.

#include "app/commands/program_state.h"
#include "app/commands/window.h"

namespace veyla::app {

// Created event of the main window, before it is first shown.
void OnMainWindowCreated(ProgramState& state);
// Exit routine: releases the texts and byte strings of the state.
void ReleaseGlobals(ProgramState& state);

// 浏览按钮: choose a picture, show it, say whether it carries a hidden message.
void SelectPicture(ProgramState& state, Window& window);
// 按钮1: hide the typed message in the chosen picture.
void HideMessage(ProgramState& state, Window& window);
// 按钮4: read the hidden message of the chosen picture.
void ReadMessage(ProgramState& state, Window& window);
// 按钮3 (hidden): show the fixed test picture.
void LoadTestPicture(ProgramState& state, Window& window);
// 按钮2 (hidden): decrypt the ciphertext of the last hide with the default password.
void DecryptLastBlock(ProgramState& state, Window& window);

}  // namespace veyla::app
