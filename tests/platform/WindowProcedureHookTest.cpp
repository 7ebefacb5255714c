#include "platform/WindowProcedureHook.h"
#include "TestApplication.h"
#include "platform/ProgramDirectory.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace kf {
namespace {

class CountingProcedure : public QObject {
public:
    int seen = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::User) {
            ++seen;
        }
        return false;
    }
};

TEST(WindowProcedureHook, seesTheWindowsEventsOnlyWhileInstalled) {
    test::ensureApplication();
    QWidget window;
    CountingProcedure procedure;
    WindowProcedureHook hook;

    hook.install(&window, &procedure);
    EXPECT_TRUE(hook.isInstalled());
    QEvent first(QEvent::User);
    QCoreApplication::sendEvent(&window, &first);
    EXPECT_EQ(procedure.seen, 1);

    hook.restore();
    EXPECT_FALSE(hook.isInstalled());
    QEvent second(QEvent::User);
    QCoreApplication::sendEvent(&window, &second);
    EXPECT_EQ(procedure.seen, 1);
}

TEST(WindowProcedureHook, forgetsAWindowThatIsGone) {
    test::ensureApplication();
    CountingProcedure procedure;
    WindowProcedureHook hook;
    {
        QWidget window;
        hook.install(&window, &procedure);
    }
    EXPECT_FALSE(hook.isInstalled());
    hook.restore();
}

TEST(Twips, convertAtTheScreensLogicalDpi) {
    EXPECT_EQ(Twips{10215}.toPixels(96), 681);
    EXPECT_EQ(Twips{6180}.toPixels(96), 412);
    EXPECT_EQ(Twips{360}.toPixels(96), 24);
    EXPECT_EQ(Twips{10215}.toPixels(144), 1022);
}

TEST(ProgramDirectory, alwaysEndsInOneSlash) {
    EXPECT_EQ(programDirectoryWithSlash(u"/opt/korvelflash"_s), u"/opt/korvelflash/"_s);
    EXPECT_EQ(programDirectoryWithSlash(u"/opt/korvelflash/"_s), u"/opt/korvelflash/"_s);
    EXPECT_EQ(programDirectoryWithSlash(u"/"_s), u"/"_s);
}

} // namespace
} // namespace kf
