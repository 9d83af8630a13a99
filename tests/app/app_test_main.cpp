#include "app_test_main.h"

#include <QApplication>
#include <QTest>

#include <cfenv>
#include <cstdio>
#include <vector>

namespace quorvex::test {
std::map<std::string, TestFactory>& test_classes() {
    static std::map<std::string, TestFactory> classes;
    return classes;
}
} // namespace quorvex::test

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::fesetenv(FE_DFL_ENV);
    auto& classes = quorvex::test::test_classes();
    if (argc < 2 || classes.find(argv[1]) == classes.end()) {
        std::fprintf(stderr, "usage: %s CLASS [Qt Test options]\nclasses:", argv[0]);
        for (const auto& [name, factory] : classes) {
            std::fprintf(stderr, " %s", name.c_str());
        }
        std::fprintf(stderr, "\n");
        return 2;
    }
    std::vector<char*> args{argv[0]};
    args.insert(args.end(), argv + 2, argv + argc);
    auto test = classes[argv[1]]();
    return QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
}
