#pragma once
// Helpers shared by the window's tests: a built window, its controls by name, stored text.

#include <QString>
#include <memory>
#include <string_view>

#include "app/window/main_window.h"
#include "common/byte_string.h"

namespace veyla::window::testing {

// The program's window, built from its definition, with a file dialog nobody answers.
std::unique_ptr<MainWindow> BuildWindow();

// Builds, shows and activates the window; the test fails when it does not become active.
std::unique_ptr<MainWindow> ShowWindow();

QString Q(std::string_view utf8);
Text Stored(std::string_view utf8);

template <class T>
T* Find(const QObject& window, std::string_view name) {
  return window.findChild<T*>(Q(name));
}

}  // namespace veyla::window::testing
