#include "app/window/click_handlers.h"

#include <QAbstractButton>
#include <string_view>
#include <utility>

#include "app/commands/handlers.h"
#include "app/window/main_window.h"

namespace veyla::window {

ClickHandlers ProgramClickHandlers() {
  return {app::SelectPicture, app::HideMessage, app::ReadMessage, app::LoadTestPicture,
          app::DecryptLastBlock};
}

void BindClickHandlers(const MainWindow& window, const ClickHandlers& handlers,
                       const std::function<void(const ClickHandler&)>& run) {
  const std::pair<std::string_view, const ClickHandler*> bindings[] = {
      {control::kBrowseButton, &handlers.selectPicture},
      {control::kHideButton, &handlers.hideMessage},
      {control::kReadButton, &handlers.readMessage},
      {control::kTestPictureButton, &handlers.loadTestPicture},
      {control::kDecryptLastButton, &handlers.decryptLastBlock},
  };
  for (const auto& [name, handler] : bindings) {
    QAbstractButton* button = window.Button(name);
    if (button == nullptr || !*handler) {
      continue;
    }
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [run, handler = *handler] { run(handler); });
  }
}

}  // namespace veyla::window
