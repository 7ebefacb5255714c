#include "TestApplication.h"
#include "platform/QtWindowSystemService.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace kf {
namespace {

constexpr quint32 Framed = WindowStyle::WS_CAPTION | WindowStyle::WS_THICKFRAME;

// A shown window with some state of its own that recreating the window would disturb.
struct ShownWindow {
    ShownWindow() {
        auto* layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        layout->addWidget(edit);
        edit->setText(QStringLiteral("selection"));
        window.setGeometry(100, 80, 320, 200);
        window.show();
        edit->setSelection(2, 5);
        QCoreApplication::processEvents();
    }
    QWidget window;
    QLineEdit* edit = nullptr;
};

TEST(QtWindowSystemService, onTopAndBackKeepsTheSameShownWindowInPlace) {
    test::ensureApplication();
    ShownWindow shown;
    QtWindowSystemService windowSystem;
    const QWindow* handle = shown.window.windowHandle();
    const WId id = shown.window.winId();
    const QRect geometry = shown.window.geometry();

    for (bool topMost : {true, false}) {
        EXPECT_TRUE(windowSystem.SetWindowPos(shown.window, topMost));
        QCoreApplication::processEvents();
        EXPECT_EQ(shown.window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), topMost);
        EXPECT_EQ(handle->flags().testFlag(Qt::WindowStaysOnTopHint), topMost);
        EXPECT_EQ(shown.window.windowHandle(), handle);
        EXPECT_EQ(shown.window.winId(), id);
        EXPECT_TRUE(shown.window.isVisible());
        EXPECT_EQ(shown.window.geometry(), geometry);
        EXPECT_EQ(shown.edit->selectionStart(), 2);
        EXPECT_EQ(shown.edit->selectedText().size(), 5);
    }
    // A child is not a window of its own: nothing to stack.
    EXPECT_FALSE(windowSystem.SetWindowPos(*shown.edit, true));
}

TEST(QtWindowSystemService, clearingCaptionAndBorderMakesTheWindowFramelessAndBack) {
    test::ensureApplication();
    ShownWindow shown;
    QtWindowSystemService windowSystem;
    const quint32 style = windowSystem.GetWindowLongA(shown.window);
    EXPECT_EQ(style & Framed, Framed);

    windowSystem.SetWindowLongA(shown.window, style & ~Framed);
    EXPECT_EQ(windowSystem.GetWindowLongA(shown.window) & Framed, 0u);
    EXPECT_TRUE(shown.window.windowHandle()->flags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(shown.window.isVisible());

    windowSystem.SetWindowLongA(shown.window, style | Framed);
    EXPECT_EQ(windowSystem.GetWindowLongA(shown.window) & Framed, Framed);
    EXPECT_FALSE(shown.window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

} // namespace
} // namespace kf
