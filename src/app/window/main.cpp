// The window program: start-up, the event loop, shut-down.

#include <QDir>

#include "app/window/program.h"
#include "app/window/veyla_application.h"
#include "platform/file.h"

int main(int argc, char** argv) {
  veyla::platform::IgnoreFileSizeSignal();
  veyla::window::VeylaApplication application(argc, argv);
  // Relative file names typed into the file-name box resolve against the program's folder.
  QDir::setCurrent(QCoreApplication::applicationDirPath());

  veyla::window::Program program(veyla::window::ProgramDefaultHooks());
  application.SetOutOfStorageHandler([&program] { program.FailForLackOfStorage(); });
  return program.Run();
}
