#include "app/window/veyla_application.h"

#include <new>

namespace veyla::window {

VeylaApplication::VeylaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool VeylaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    if (!outOfStorage_) {
      throw;
    }
    outOfStorage_();
    return true;
  }
}

}  // namespace veyla::window
