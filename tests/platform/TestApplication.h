#pragma once

#include <QApplication>

namespace kf::test {

// Widgets need one QApplication per test program; tests run on the offscreen platform.
inline void ensureApplication() {
    if (QApplication::instance()) {
        return;
    }
    static int argc = 1;
    static char name[] = "kf-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down among the other statics at exit crashes.
    new QApplication(argc, argv);
}

} // namespace kf::test
