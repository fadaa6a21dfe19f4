#pragma once
// The program's QApplication: storage that runs out anywhere in the event loop (std::bad_alloc
// out of any event's handling) becomes the program's fatal error instead of ending the
// process through std::terminate.

#include <QApplication>
#include <functional>

namespace veyla::window {

class VeylaApplication : public QApplication {
  Q_OBJECT

 public:
  VeylaApplication(int& argc, char** argv);

  // Called when an event's handling ran out of storage; without one the exception goes on.
  void SetOutOfStorageHandler(std::function<void()> handler) { outOfStorage_ = std::move(handler); }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  std::function<void()> outOfStorage_;
};

}  // namespace veyla::window
