#include "app/application.h"
#include "app/live_view_controller.h"

#include "app/app_controller.h"
#include "app/document.h"
#include "port/defaults.h"
#include "port/qt/install.h"
#include "port/qt/platform.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <string>
#include <vector>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int sTermPipe[2] = {-1, -1};

void onTerminate(int) {
    char c = 1;
    ssize_t ignored = ::write(sTermPipe[1], &c, 1);
    (void)ignored;
}

bool HasDisplay() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// A terminate signal (session logout, a service manager, a test harness) ends the program at
// once, whatever is on screen. Quitting through the event loop is not enough: before
// app.exec() the quit is dropped, inside an alert's own loop it only ends that alert (whose
// answer might then save or replace the design), and the window's close would ask to save.
// Saved designs are written atomically, so ending here leaves each one as it was; only the
// user defaults are written first.
void QuitOnTerminate(QApplication& app) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, sTermPipe) != 0) return;
    auto* notifier = new QSocketNotifier(sTermPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char c;
        ssize_t ignored = ::read(sTermPipe[0], &c, 1);
        (void)ignored;
        if (auto* settings = dynamic_cast<port::qt::QtUserDefaults*>(&port::defaults())) settings->sync();
        std::fflush(nullptr);
        std::_Exit(0);
    });
    struct sigaction sa {};
    sa.sa_handler = onTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

} // namespace

int RunApplication(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "dovranix: no display found (DISPLAY is not set). Start it from a desktop "
                     "session, or under xvfb-run.\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dovranix"));
    QApplication::setOrganizationName(QStringLiteral("Dovranix"));
    port::qt::InstallQtPlatform();
    QuitOnTerminate(app);

    AppController::initialize();
    AppController* delegate = AppController::shared();
    LiveViewController::sharedLiveViewController();
    AppController::setSplashEnabled(!std::getenv("DVX_NO_SPLASH"));

    std::vector<std::string> arguments;
    const QStringList all = QApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) arguments.push_back(all[i].toStdString());
    // Alerts of the launch wait for the document window and show on it.
    port::qt::QtAlerts::holdUntilWindow(true);
    QMDDocument* document = delegate->documentController()->openAtLaunch(arguments);
    if (!document) {
        std::fprintf(stderr, "dovranix: there is not enough memory for a design.\n");
        LiveViewController::destroyShared();
        AppController::destroyShared();
        return 1;
    }
    document->makeWindowControllers();
    document->showWindows();
    port::qt::QtAlerts::holdUntilWindow(false);
    delegate->applicationDidFinishLaunching();
    // Closing the last document window quits (after its design was offered for saving).
    const int code = app.exec();
    // The documents free their windows before their models.
    LiveViewController::destroyShared();
    AppController::destroyShared();
    return code;
}
