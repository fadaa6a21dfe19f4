#pragma once
// Test classes register themselves with VEYLA_WINDOW_TEST(ClassName) in their source file.

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace veyla::window::testing {

struct TestClassEntry {
  const char* name;
  std::function<std::unique_ptr<QObject>()> make;
};

std::vector<TestClassEntry>& TestClasses();

struct TestClassRegistration {
  TestClassRegistration(const char* name, std::function<std::unique_ptr<QObject>()> make) {
    TestClasses().push_back({name, std::move(make)});
  }
};

}  // namespace veyla::window::testing

#define VEYLA_WINDOW_TEST(Class)                                             \
  static const ::veyla::window::testing::TestClassRegistration Class##Entry( \
      #Class, [] { return std::unique_ptr<QObject>(new Class); })
