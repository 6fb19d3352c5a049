#include "app/application.h"
#include "app/live_view_controller.h"

#include "app/app_controller.h"
#include "app/document.h"
#include "port/defaults.h"
#include "port/session_folders.h"
#include "port/qt/install.h"
#include "port/qt/platform.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int sTermPipe[2] = {-1, -1};
int sWatchPipe[2] = {-1, -1};
// How long a terminate waits for the event loop before the watch ends the process itself.
constexpr int kEventLoopGraceMs = 300;

void onTerminate(int) {
    char c = 1;
    ssize_t ignored = ::write(sTermPipe[1], &c, 1);
    ignored = ::write(sWatchPipe[1], &c, 1);
    (void)ignored;
}

// The end of a terminated session: its scratch folder and the temporaries of an unfinished
// save go (a design being saved keeps its old bytes), then the process.
[[noreturn]] void EndTerminatedSession() {
    port::CloseSessionFolder();
    std::fflush(nullptr);
    std::_Exit(0);
}

// A terminate that reaches the event loop ends the session there; one that arrives while the
// loop is busy (a large file being read or written) is ended by this thread after a short
// wait, without the user defaults, which only the loop's thread may touch.
void WatchForTerminate() {
    if (::pipe2(sWatchPipe, O_CLOEXEC) != 0) return;
    std::thread([] {
        char c;
        while (::read(sWatchPipe[0], &c, 1) < 0 && errno == EINTR) {
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kEventLoopGraceMs));
        EndTerminatedSession();
    }).detach();
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
    WatchForTerminate();
    auto* notifier = new QSocketNotifier(sTermPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [] {
        char c;
        ssize_t ignored = ::read(sTermPipe[0], &c, 1);
        (void)ignored;
        if (auto* settings = dynamic_cast<port::qt::QtUserDefaults*>(&port::defaults())) settings->sync();
        EndTerminatedSession();
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
    // A write past the file size limit (ulimit -f) fails with EFBIG and is reported like any
    // failed write, rather than ending the session.
    std::signal(SIGXFSZ, SIG_IGN);
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
    port::CloseSessionFolder();
    return code;
}
