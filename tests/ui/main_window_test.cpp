// The document window of a new design opens untitled and its Quit command ends the event loop.
#include "app/window_controller.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/app_controller.h"
#include "support/fixture.h"

namespace {

TEST(MainWindow, OpensUntitledAndQuitsFromItsMenu) {
    AppController::destroyShared();
    dvxtest::ResetAllGlobals();
    AppController::setSplashEnabled(false);
    QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
    d->makeWindowControllers();
    auto& window = *static_cast<QMDWindowController*>(d->windowController);
    window.show();
    EXPECT_EQ(window.windowTitle().remove("[*]"), QStringLiteral("Untitled"));

    QAction* quit = nullptr;
    for (QAction* menu : window.menuBar()->actions())
        if (menu->menu())
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
    EXPECT_FALSE(window.isVisible());
    AppController::destroyShared();
    dvxtest::ResetAllGlobals();
}

} // namespace
