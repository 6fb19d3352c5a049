#include "window/window_support.h"

#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/preference_keys.h"
#include "app/window_controller.h"

QString XDo(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000)) return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

void ClickAt(QWidget* w, QPoint at) {
    const QPoint p = w->mapToGlobal(at);
    XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "1"});
}

QMDWindowController* OpenDocumentWindow() {
    AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
    QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
    d->makeWindowControllers();
    return static_cast<QMDWindowController*>(d->windowController);
}

bool ChooseMenuItem(QMDWindowController* w, const char* menuName, const char* action, int tag, const char* submenu) {
    QMenu* menu = w->menuBar()->findChild<QMenu*>(QString::fromLatin1(menuName));
    ClickAt(w->menuBar(), w->menuBar()->actionGeometry(menu->menuAction()).center());
    if (!QTest::qWaitFor([&] { return menu->isVisible(); })) return false;
    QMenu* from = menu;
    if (submenu) {
        from = menu->findChild<QMenu*>(QString::fromLatin1(submenu));
        ClickAt(menu, menu->actionGeometry(from->menuAction()).center());
        if (!QTest::qWaitFor([&] { return from->isVisible(); })) return false;
    }
    ClickAt(from, from->actionGeometry(w->commandRouter()->action(action, tag)).center());
    return QTest::qWaitFor([&] { return !menu->isVisible(); });
}
