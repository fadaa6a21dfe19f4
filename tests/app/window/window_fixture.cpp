#include "window_fixture.h"

#include <QTest>

#include "app/window/control_table.h"
#include "text/encoding.h"

namespace veyla::window::testing {

std::unique_ptr<MainWindow> BuildWindow() {
  return MainWindow::Create(
      kControls, [](QWidget*, const QString&) -> std::optional<QString> { return std::nullopt; });
}

std::unique_ptr<MainWindow> ShowWindow() {
  auto window = BuildWindow();
  if (!window) {
    return nullptr;
  }
  window->ShowFirstTime();
  window->activateWindow();
  if (!QTest::qWaitForWindowActive(window.get())) {
    return nullptr;
  }
  return window;
}

QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

Text Stored(std::string_view utf8) {
  return text::Gb18030FromUtf8(utf8);
}

}  // namespace veyla::window::testing
