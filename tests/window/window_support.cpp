#include "window/window_support.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QMenu>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "app/app_controller.h"
#include "app/command_router.h"
#include "app/core/preference_keys.h"
#include "app/document_view.h"
#include "app/live_view_controller.h"
#include "app/widgets.h"
#include "app/window_controller.h"
#include "app/x_server.h"
#include "content/content_palette_controller.h"
#include "powertools/power_tool_launcher.h"
#include "model/objects.h"
#include "model/tool_state.h"
#include "ui/sheets/sheet_dialog.h"
#include "ui/tool_palettes.h"

QString XDo(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    if (!p.waitForFinished(10000)) return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

QString ShownWindow(const QString& title) {
    return XDo({"search", "--onlyvisible", "--name", "^" + title + "$"}).section('\n', 0, 0);
}

QRect WindowFrame(const QString& id) {
    QMap<QString, int> v;
    for (const QString& line : XDo({"getwindowgeometry", "--shell", id}).split('\n'))
        v[line.section('=', 0, 0)] = line.section('=', 1).toInt();
    return QRect(v["X"], v["Y"], v["WIDTH"], v["HEIGHT"]);
}

void ClickAt(QWidget* w, QPoint at, int button) {
    const QPoint p = w->mapToGlobal(at);
    XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", QString::number(button)});
}

bool MovePointerOffWindows() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    for (int y = screen.bottom() - 2; y > screen.top(); y -= 40)
        for (int x = screen.right() - 2; x > screen.left(); x -= 40) {
            const QPoint p(x, y);
            const QWidgetList tops = QApplication::topLevelWidgets();
            if (std::any_of(tops.begin(), tops.end(), [&](QWidget* t) { return t->isVisible() && t->frameGeometry().contains(p); }))
                continue;
            XDo({"mousemove", QString::number(x), QString::number(y)});  // a --sync move onto the pointer waits for ever
            return QTest::qWaitFor([&] { return QCursor::pos() == p; });
        }
    return false;
}

bool KeyReaches(QWidget* w) {
    struct Ear : QObject {
        QWidget* w;
        bool heard = false;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Shift && o->isWidgetType())
                heard = heard || o == w || w->isAncestorOf(static_cast<QWidget*>(o));
            return false;
        }
    } ear;
    ear.w = w;
    qApp->installEventFilter(&ear);
    XDo({"key", "shift"});
    const bool heard = QTest::qWaitFor([&] { return ear.heard; }, 2000);
    qApp->removeEventFilter(&ear);
    return heard;
}

namespace {

xcb_connection_t* OwnConnection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Whether `inner` is `outer` or lies inside it.
bool WindowInside(xcb_connection_t* c, xcb_window_t inner, xcb_window_t outer) {
    for (int depth = 0; inner != XCB_WINDOW_NONE && depth < 32; ++depth) {
        if (inner == outer) return true;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, inner), nullptr);
        inner = tree && tree->parent != tree->root ? tree->parent : xcb_window_t(XCB_WINDOW_NONE);
        free(tree);
    }
    return false;
}

}  // namespace

bool KeysGoTo(QWidget* window) {
    xcb_connection_t* c = OwnConnection();
    if (!c || !window->windowHandle()) return false;
    xcb_get_input_focus_reply_t* focus = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
    if (!focus) return false;
    xcb_window_t to = focus->focus;
    free(focus);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    if (to == XCB_INPUT_FOCUS_POINTER_ROOT || to == root) {
        // The deepest window under the pointer.
        for (xcb_window_t from = root;;) {
            xcb_query_pointer_reply_t* p = xcb_query_pointer_reply(c, xcb_query_pointer(c, from), nullptr);
            const xcb_window_t child = p && p->same_screen ? p->child : xcb_window_t(XCB_WINDOW_NONE);
            free(p);
            if (child == XCB_WINDOW_NONE) break;
            to = from = child;
        }
    }
    return WindowInside(c, to, xcb_window_t(window->winId()));
}

bool StandsWhereQtHasIt(QWidget* window) {
    xcb_connection_t* c = OwnConnection();
    if (!c || !window->isVisible() || !window->windowHandle() || !window->windowHandle()->isExposed()) return false;
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto at = xcb_translate_coordinates(c, id, root, 0, 0);
    const auto size = xcb_get_geometry(c, id);
    xcb_translate_coordinates_reply_t* a = xcb_translate_coordinates_reply(c, at, nullptr);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, size, nullptr);
    const bool stands = a && g && QRect(a->dst_x, a->dst_y, g->width, g->height) == window->geometry();
    free(a), free(g);
    return stands;
}

bool ChooseToolCell(int16_t tool, int16_t plan) {
    PaletteController* palette = ToolPaletteController::shared();
    QWidget* cell = ToolPaletteController::shared()->toolButtons()->cell(tool);
    PlanToolPaletteController* plans = PlanToolPaletteController::shared();
    if (!cell) {
        const int16_t last = plan < 0 ? int16_t(plans->toolsetPopUpButton()->count() - 1) : plan;
        for (plan = plan < 0 ? 0 : plan; plan <= last && !(cell = plans->toolButtons(plan)->cell(tool));) ++plan;
        palette = plans;
    }
    if (!cell) return false;
    palette->window()->show();
    if (!QTest::qWaitForWindowExposed(palette->window())) return false;
    if (palette == plans) plans->updateToolsetForPlan(plan), plans->loadToolPaletteForPlan(plan);
    // Clicked once the palette shows these cells, at the size and place they take.
    if (!QTest::qWaitFor([&] { return cell->isVisible() && StandsWhereQtHasIt(palette->window()); })) return false;
    ClickAt(cell, cell->rect().center());
    return QTest::qWaitFor([tool] { return gCurTool == tool; });
}

bool ChoosePopUpItem(QComboBox* box, const QString& title) {
    const int row = box ? box->findText(title) : -1;
    if (row < 0 || !box->isVisible()) return false;
    ClickAt(box, box->rect().center());
    QAbstractItemView* list = box->view();
    // The item is clicked only once the server shows the list where Qt placed it and the list
    // follows the pointer onto it: under load an early click lands on a neighbouring item, or
    // outside the list.
    if (!QTest::qWaitFor([&] { return list->isVisible(); }) || !QTest::qWaitForWindowExposed(list->window()))
        return false;
    const QModelIndex item = list->model()->index(row, 0);
    list->scrollTo(item);
    // Two moves within the item, so that the list sees the pointer move whatever its place was;
    // then the click where it stands.
    const QPoint at = list->viewport()->mapToGlobal(list->visualRect(item).center());
    for (const QPoint& p : {at + QPoint(2, 0), at})
        XDo({"mousemove", QString::number(p.x()), QString::number(p.y())});
    if (!QTest::qWaitFor([&] { return list->currentIndex() == item; })) return false;
    XDo({"click", "1"});
    return QTest::qWaitFor([&] { return !list->isVisible() && box->currentIndex() == row; });
}

namespace {
const TwmOnScreen* sTwm = nullptr;
}  // namespace

TwmOnScreen::TwmOnScreen(const QString& folder, const QByteArray& more) : twm_(new QProcess) {
    QDir().mkpath(folder);
    QFile rc(folder + "/twmrc");
    if (!rc.open(QIODevice::WriteOnly)) return;
    // Xvfb's own font: twm's default ones may not be installed. No default buttons or bindings:
    // the one title button closes.
    rc.write("RandomPlacement\nNoGrabServer\nNoDefaults\nLeftTitleButton \":delete\" = f.delete\n");
    for (const char* font : {"Title", "Resize", "Menu", "Icon", "IconManager"}) rc.write(font + QByteArray("Font \"fixed\"\n"));
    rc.write(more);
    rc.close();
    twm_->setStandardErrorFile(folder + "/twm.log");
    twm_->start(QStringLiteral(DVX_TWM), {"-f", rc.fileName()});
    // twm makes its icon manager once it manages the screen.
    running_ = twm_->waitForStarted(10000) &&
               QTest::qWaitFor([] { return !XDo({"search", "--name", "^TWM Icon Manager$"}).isEmpty(); }, 15000);
    if (running_) sTwm = this;
}

TwmOnScreen::~TwmOnScreen() {
    if (sTwm == this) sTwm = nullptr;
    twm_->terminate();
    if (!twm_->waitForFinished(5000)) twm_->kill(), twm_->waitForFinished(5000);
    delete twm_;
}

void PressCloseBox(QWidget* window) {
    if (sTwm) {
        // The box is the title bar's first square, left of the title.
        const QRect frame = window->frameGeometry(), client = window->geometry();
        const int title = client.top() - frame.top();
        const QPoint box = frame.topLeft() + QPoint(title / 2, title / 2);
        XDo({"mousemove", "--sync", QString::number(box.x()), QString::number(box.y()), "click", "1"});
        return;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return;
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return a;
    };
    xcb_client_message_event_t close{};
    close.response_type = XCB_CLIENT_MESSAGE;
    close.format = 32;
    close.window = xcb_window_t(window->winId());
    close.type = atom("WM_PROTOCOLS");
    close.data.data32[0] = atom("WM_DELETE_WINDOW");
    close.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, close.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&close));
    xcb_flush(c);
}

void LeaveKeyboardToNoWindow() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t* c = x11 ? x11->connection() : nullptr) {
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
        xcb_flush(c);
    }
}

QString WindowFrameId(QWidget* window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) return {};
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, xcb_window_t(window->winId())), nullptr);
    const QString id = tree ? QString::number(tree->parent) : QString();
    free(tree);
    return id;
}

OtherApplicationWindow::OtherApplicationWindow(QRect frame, bool takesInput) : c_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c_)) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    window_ = xcb_generate_id(c_);
    const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_KEY_PRESS};
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, int16_t(frame.x()), int16_t(frame.y()),
                      uint16_t(frame.width()), uint16_t(frame.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    if (takesInput) {  // WM_HINTS: InputHint, input True
        const uint32_t wmHints[9] = {1, 1};
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, wmHints);
    }
    // The user's position and size (USPosition, USSize): a window manager keeps them.
    uint32_t hints[18] = {1 | 2, uint32_t(frame.x()), uint32_t(frame.y()), uint32_t(frame.width()),
                          uint32_t(frame.height())};
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                        18, hints);
    const char name[] = "Another application";
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, sizeof name - 1,
                        name);
    xcb_map_window(c_, window_);
    xcb_flush(c_);
}

OtherApplicationWindow::~OtherApplicationWindow() { xcb_disconnect(c_); }

int OtherApplicationWindow::keysReceived() {
    xcb_get_input_focus_reply_t* sync = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
    free(sync);
    while (xcb_generic_event_t* e = xcb_poll_for_event(c_)) {
        keys_ += (e->response_type & 0x7f) == XCB_KEY_PRESS;
        free(e);
    }
    return keys_;
}

void OtherApplicationWindow::leaveKeyboardToPointer() {
    xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
    xcb_get_input_focus_reply_t* sync = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
    free(sync);
}

bool OtherApplicationWindow::shown() const {
    if (!window_) return false;
    xcb_get_window_attributes_reply_t* a =
        xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window_), nullptr);
    const bool viewable = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
    free(a);
    return viewable;
}

namespace {

uint32_t Atom(xcb_connection_t* c, const QByteArray& name) {
    xcb_intern_atom_reply_t* r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(name.size()), name.constData()), nullptr);
    const uint32_t atom = r ? r->atom : XCB_ATOM_NONE;
    free(r);
    return atom;
}

}  // namespace

OtherApplicationClipboard::OtherApplicationClipboard(Targets targets) : c_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c_)) return;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    window_ = xcb_generate_id(c_);
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    for (auto& [name, bytes] : targets) targets_.emplace_back(Atom(c_, name), bytes);
    for (const char* selection : {"CLIPBOARD", "PRIMARY"})
        xcb_set_selection_owner(c_, window_, Atom(c_, selection), XCB_CURRENT_TIME);
    free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    serving_ = std::thread([this] { serve(); });
}

OtherApplicationClipboard::~OtherApplicationClipboard() {
    if (serving_.joinable()) {
        // A message to its own window ends the thread's wait.
        xcb_client_message_event_t quit{};
        quit.response_type = XCB_CLIENT_MESSAGE, quit.format = 32, quit.window = window_, quit.type = XCB_ATOM_NONE;
        xcb_send_event(c_, 0, window_, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&quit));
        xcb_flush(c_);
        serving_.join();
    }
    xcb_disconnect(c_);
}

bool OtherApplicationClipboard::holds() const {
    if (!window_) return false;
    bool both = true;
    for (const char* selection : {"CLIPBOARD", "PRIMARY"}) {
        xcb_get_selection_owner_reply_t* r =
            xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, Atom(c_, selection)), nullptr);
        both = both && r && r->owner == window_;
        free(r);
    }
    return both;
}

void OtherApplicationClipboard::serve() {
    const uint32_t targetsAtom = Atom(c_, "TARGETS"), timestamp = Atom(c_, "TIMESTAMP");
    while (xcb_generic_event_t* e = xcb_wait_for_event(c_)) {
        const uint8_t kind = e->response_type & 0x7f;
        if (kind == XCB_CLIENT_MESSAGE) {
            free(e);
            return;
        }
        if (kind != XCB_SELECTION_REQUEST) {
            free(e);
            continue;
        }
        const auto* r = reinterpret_cast<const xcb_selection_request_event_t*>(e);
        const xcb_atom_t property = r->property ? r->property : r->target;
        bool given = true;
        if (r->target == targetsAtom) {
            std::vector<uint32_t> names{targetsAtom, timestamp};
            for (const auto& t : targets_) names.push_back(t.first);
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r->requestor, property, XCB_ATOM_ATOM, 32,
                                uint32_t(names.size()), names.data());
        } else if (r->target == timestamp) {
            const uint32_t when = 0;
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r->requestor, property, XCB_ATOM_INTEGER, 32, 1, &when);
        } else {
            const auto t = std::find_if(targets_.begin(), targets_.end(), [r](const auto& t) { return t.first == r->target; });
            given = t != targets_.end();
            if (given)
                xcb_change_property(c_, XCB_PROP_MODE_REPLACE, r->requestor, property, r->target, 8,
                                    uint32_t(t->second.size()), t->second.constData());
        }
        xcb_selection_notify_event_t answer{};
        answer.response_type = XCB_SELECTION_NOTIFY, answer.time = r->time, answer.requestor = r->requestor;
        answer.selection = r->selection, answer.target = r->target, answer.property = given ? property : XCB_ATOM_NONE;
        xcb_send_event(c_, 0, r->requestor, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&answer));
        xcb_flush(c_);
        free(e);
    }
}

namespace {
std::string FolderAfterReset(const char* folder) {
    AppController::destroyShared(), dvxtest::ResetAllGlobals();
    return dvxtest::FreshTempFolder(folder);
}
}  // namespace

WindowTestServices::WindowTestServices(const char* folder) : folders(FolderAfterReset(folder)) {
    port::setFolders(&folders), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
}

QMDWindowController* OpenDocumentWindow() {
    AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
    QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
    d->makeWindowControllers();
    return static_cast<QMDWindowController*>(d->windowController);
}

QMDWindowController* OpenDesignWindow(const std::string& design, WindowTestServices& services) {
    AppController::setSplashEnabled(false), RegisterPreferenceDefaults(false);
    const QString copy = QString::fromStdString(services.folders.temporaryBase()) + "/" +
                         QFileInfo(QString::fromStdString(design)).fileName();
    QFile::remove(copy);
    if (!QFile::copy(QString::fromStdString(design), copy)) return nullptr;
    QFile::setPermissions(copy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QMDDocument* d = AppController::shared()->documentController()->openDocumentWithContentsOfFile(copy.toStdString());
    if (!d) return nullptr;
    d->makeWindowControllers();
    return static_cast<QMDWindowController*>(d->windowController);
}

bool ShowFocused(QWidget* w) {
    w->show();
    if (!QTest::qWaitForWindowExposed(w)) return false;
    XDo({"windowfocus", "--sync", QString::number(w->winId())});
    return true;
}

bool ChooseMenuItem(QMDWindowController* w, const char* menuName, const char* action, int tag, const char* submenu) {
    QMenu* menu = w->menuBar()->findChild<QMenu*>(QString::fromLatin1(menuName));
    const QPoint title = w->menuBar()->mapToGlobal(w->menuBar()->actionGeometry(menu->menuAction()).center());
    // Pressed once the pointer is on the title and, where a window manager moves the keyboard
    // with the pointer, once it has (without one, or under a rule that does not, it stays).
    XDo({"mousemove", "--sync", QString::number(title.x()), QString::number(title.y())});
    if (WindowManagerRuns().value_or(false)) (void)QTest::qWaitFor([&] { return KeysGoTo(w); }, 2000);
    XDo({"click", "1"});
    // An item is clicked once its menu is on the screen where Qt placed it.
    const auto shown = [](QMenu* m) { return m->isVisible() && StandsWhereQtHasIt(m); };
    if (!QTest::qWaitFor([&] { return shown(menu); })) return false;
    QMenu* from = menu;
    if (submenu) {
        from = menu->findChild<QMenu*>(QString::fromLatin1(submenu));
        ClickAt(menu, menu->actionGeometry(from->menuAction()).center());
        if (!QTest::qWaitFor([&] { return shown(from); })) return false;
    }
    ClickAt(from, from->actionGeometry(w->commandRouter()->action(action, tag)).center());
    return QTest::qWaitFor([&] { return !menu->isVisible(); });
}

int PixelGrey(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c)) / 3; }

std::pair<int, int> SpanOffSky(const QImage& image, int row) {
    const int sky = PixelGrey(image.pixel(0, row));
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (std::abs(PixelGrey(image.pixel(x, row)) - sky) > 6) last = x, first = first < 0 ? x : first;
    return {first, last};
}

void MovePointerToPlan(QMDDocumentView* view, QPoint at) {
    const PlatformPoint origin = view->boundsOrigin();
    const QPoint p = view->mapToGlobal(QPointF(at.x() - origin.x, at.y() - origin.y)).toPoint();
    XDo({"mousemove", QString::number(p.x()), QString::number(p.y())}), QTest::qWait(50);
}

bool DragInPlan(QMDDocumentView* view, QPoint from, std::initializer_list<QPoint> through) {
    MovePointerToPlan(view, from), XDo({"mousedown", "1"});
    if (!QTest::qWaitFor([&] { return view->gestureBusy(); })) return false;
    for (QPoint p : through) MovePointerToPlan(view, p);
    XDo({"mouseup", "1"});
    return QTest::qWaitFor([&] { return !view->gestureBusy(); });
}

void ClickObject(QMDWindowController* w, const Objex* object, int button) {
    QMDDocumentView* view = w->docView();
    const Poinz* p = object->firstPoint;
    const PlatformPoint origin = view->boundsOrigin();
    ClickAt(view, QPointF(p->position[0] - origin.x, p->position[2] - origin.y).toPoint(), button);
}

bool TypeIntoPaneField(QMDWindowController* w, const char* outlet, const QString& text) {
    auto* field = w->parentInspectorView()->findChild<QLineEdit*>(QString::fromLatin1(outlet));
    if (!field || !field->isVisible()) return false;
    ClickAt(field, field->rect().center());
    if (!QTest::qWaitFor([&] { return field->hasFocus(); })) return false;
    XDo({"key", "ctrl+a"}), XDo({"type", "--delay", "5", "--", text});
    if (!QTest::qWaitFor([&] { return field->text() == text; })) return false;
    XDo({"key", "Return"});
    return true;
}

QImage OnScreen(QWidget* w) {
    return w->screen()->grabWindow(0).copy(QRect(w->mapToGlobal(QPoint(0, 0)), w->size())).toImage();
}

int ResizesWithin(std::initializer_list<QWidget*> widgets, int ms) {
    struct Counter : QObject {
        int count = 0;
        bool eventFilter(QObject*, QEvent* e) override {
            count += e->type() == QEvent::Resize || e->type() == QEvent::LayoutRequest;
            return false;
        }
    } counter;
    for (QWidget* w : widgets) w->installEventFilter(&counter);
    QTest::qWait(ms);
    for (QWidget* w : widgets) w->removeEventFilter(&counter);
    return counter.count;
}

QImage LiveViewOnScreen(const LiveViewController* c) {
    QWidget* v = c->liveViewOGLWidget();
    return v->screen()->grabWindow(c->window()->winId(), v->x(), v->y(), v->width(), v->height()).toImage();
}

SheetDialog* ShownSheet(QWidget* window) {
    for (SheetDialog* s : window->findChildren<SheetDialog*>())
        if (s->isVisible()) return s;
    return nullptr;
}

bool PressSheetButton(QWidget* window, const char* button) {
    SheetDialog* sheet = ShownSheet(window);
    auto* b = sheet ? sheet->findChild<QPushButton*>(QString::fromLatin1(button)) : nullptr;
    if (!b) return false;
    ClickAt(b, b->rect().center());
    return QTest::qWaitFor([window] { return !ShownSheet(window); });
}

bool ChoosePaletteAction(ContentPaletteController* p, const char* action) {
    QToolButton* button = p->actionsPopUpButton();
    QMenu* menu = button->menu();
    QAction* item = menu ? menu->findChild<QAction*>(QString::fromLatin1(action)) : nullptr;
    if (!item) return false;
    // The menu runs its own loop: the item is clicked from a timer inside it.
    bool clicked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (clicked || !menu->isVisible()) return;
        clicked = true;
        QTest::qWait(100);
        ClickAt(menu, menu->actionGeometry(item).center());
    });
    poll.start(50);
    ClickAt(button, button->rect().center());
    return QTest::qWaitFor([&] { return clicked && !menu->isVisible(); });
}

bool FindPlantByName(QMDWindowController* w, ContentPaletteController* p, const char* text) {
    if (!ChoosePaletteAction(p, "findPlantByName") || !QTest::qWaitFor([w] { return ShownSheet(w) != nullptr; }))
        return false;
    auto* name = ShownSheet(w)->findChild<QLineEdit*>("nameText");
    if (!name) return false;
    ClickAt(name, name->rect().center());
    if (!QTest::qWaitFor([name] { return name->hasFocus(); })) return false;
    XDo({"type", "--delay", "5", "--", text});
    if (!QTest::qWaitFor([name, text] { return name->text() == QString::fromLatin1(text); })) return false;
    return PressSheetButton(w, "searchButton");
}

void DragOnScreen(QPoint from, QPoint to, QPoint firstStep) {
    const auto move = [](QPoint at) { XDo({"mousemove", QString::number(at.x()), QString::number(at.y())}); };
    move(from), QTest::qWait(100), XDo({"mousedown", "1"}), QTest::qWait(100);
    for (int i = 1; i <= 4; ++i) QTimer::singleShot(150 * i, [=] { move(from + (to - from) * i / 4); });
    QTimer::singleShot(800, [] { XDo({"mouseup", "1"}); });
    move(from + firstStep);
}

bool LaunchFirstPowerTool(QMDWindowController* w, QString* row, bool withStatus, const std::function<void()>& shown) {
    row->clear();
    bool launched = false;
    QTimer driver;
    int step = 0;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        PowerToolLauncherController* l = PowerToolLauncherController::sharedPowerToolLauncherController();
        if (++step > 200) driver.stop(), l->done(-2);
        if (!l->isVisible() || !l->windowHandle()->isExposed()) return;
        const PowerToolEntryController* c = l->ptEntryControllers().at(0);
        if (row->isEmpty()) {
            *row = c->ptNameText->text() + "|" + (withStatus ? c->ptStatusText->text() + "|" : QString()) +
                   (c->ptImageView->pixmap().isNull() ? "no picture" : "picture");
            if (shown) shown();
            ClickAt(l->ptEntryTableView->viewport(), l->ptEntryTableView->visualItemRect(l->ptEntryTableView->item(0)).center());
        } else if (l->ptEntryTableView->currentRow() == 0 && l->launchButton->isEnabled()) {
            driver.stop(), launched = true;
            ClickAt(l->launchButton, l->launchButton->rect().center());
        }
    });
    driver.start(100);
    if (!ChooseMenuItem(w, "Window", "showPowerToolLauncherWindow")) return false;
    (void)QTest::qWaitFor([&] { return !driver.isActive(); }, 21000);
    return launched;
}

void KeepGLDriversLoaded() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        const size_t slash = line.find('/');
        if (slash == std::string::npos || line.find("_dri.so") == std::string::npos) continue;
        dlopen(line.c_str() + slash, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

int RunWindowTests(int argc, char** argv, QString* shot, const char* usage) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) *shot = QString::fromLocal8Bit(argv[1]);
    else if (usage) return std::fprintf(stderr, "usage: %s\n", usage), 2;
    const int result = RUN_ALL_TESTS();
    KeepGLDriversLoaded();
    return result;
}
