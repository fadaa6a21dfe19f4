// One program for the window's Qt Test classes: the first argument names the class to run,
// the rest goes to Qt Test. ctest runs each class as its own test.

#include <QTest>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/window/veyla_application.h"
#include "window_test_registry.h"

namespace veyla::window::testing {

std::vector<TestClassEntry>& TestClasses() {
  static std::vector<TestClassEntry> classes;
  return classes;
}

}  // namespace veyla::window::testing

int main(int argc, char** argv) {
  using veyla::window::testing::TestClasses;
  veyla::window::VeylaApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s TEST-CLASS [Qt Test options]\n", argv[0]);
    for (const auto& entry : TestClasses()) std::fprintf(stderr, "  %s\n", entry.name);
    return 2;
  }
  for (const auto& entry : TestClasses()) {
    if (std::strcmp(entry.name, argv[1]) == 0) {
      auto test = entry.make();
      // Qt Test sees the program name followed by its own options.
      std::vector<char*> arguments{argv[0]};
      arguments.insert(arguments.end(), argv + 2, argv + argc);
      return QTest::qExec(test.get(), static_cast<int>(arguments.size()), arguments.data());
    }
  }
  std::fprintf(stderr, "no test class %s\n", argv[1]);
  return 2;
}
