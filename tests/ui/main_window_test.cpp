// The document window opens untitled and its Quit command ends the event loop.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TEST(MainWindow, OpensUntitledAndQuitsFromItsMenu) {
    MainWindow window;
    window.show();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled"));

    QAction* quit = nullptr;
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* item : menu->menu()->actions())
            if (item == window.quitAction()) quit = item;
    ASSERT_NE(quit, nullptr) << "Quit is not reachable from the menu bar";

    // Quit must end a running loop; a watchdog fails the test instead of hanging it.
    bool watchdogFired = false;
    QTimer::singleShot(0, quit, &QAction::trigger);
    QTimer::singleShot(10000, [&] {
        watchdogFired = true;
        QApplication::exit(99);
    });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(watchdogFired);
}

} // namespace
