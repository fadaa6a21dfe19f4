// Writes a picture of the main window as it looks right after start-up (client area only), for
// the documentation. Run with QT_QPA_PLATFORM=offscreen; `make screenshot` does.

#include <QApplication>
#include <cstdio>

#include "app/window/control_table.h"
#include "app/window/file_dialog.h"
#include "app/window/main_window.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: veyla-screenshot OUTPUT.png\n");
    return 2;
  }
  auto window = veyla::window::MainWindow::Create(veyla::window::kControls,
                                                  veyla::window::PromptWithFileDialog);
  if (!window) {
    std::fprintf(stderr, "the window could not be built\n");
    return 1;
  }
  window->ShowFirstTime();
  QApplication::processEvents();
  if (!window->grab().save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
