// One test executable for the program, several Qt Test classes inside it.
// Each class registers itself; `app_tests ClassName [Qt Test options]` runs one.
#pragma once

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace quorvex::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
std::map<std::string, TestFactory>& test_classes();

template <class T> struct RegisterTest {
    explicit RegisterTest(const char* name) {
        test_classes()[name] = [] { return std::make_unique<T>(); };
    }
};

} // namespace quorvex::test

#define QUORVEX_TEST_CLASS(Class)                                                                  \
    static const quorvex::test::RegisterTest<Class> register_##Class{#Class};
