#include "app/x_server.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The focus window X holds (None, PointerRoot or a window); none where it does not answer.
std::optional<xcb_window_t> InputFocus(xcb_connection_t* c) {
    xcb_generic_error_t* error = nullptr;
    xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), &error);
    free(error);
    if (!reply) return std::nullopt;
    const xcb_window_t focus = reply->focus;
    free(reply);
    return focus;
}

// The window's parent, or none once the root is reached (or the window is gone).
xcb_window_t ParentOf(xcb_connection_t* c, xcb_window_t window) {
    xcb_generic_error_t* error = nullptr;
    xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, window), &error);
    free(error);
    if (!tree) return XCB_WINDOW_NONE;
    const xcb_window_t parent = tree->parent == tree->root ? xcb_window_t(XCB_WINDOW_NONE) : tree->parent;
    free(tree);
    return parent;
}

// The outermost window holding the window below the root (a window manager's frame), or none.
xcb_window_t FrameOf(xcb_connection_t* c, xcb_window_t window) {
    xcb_window_t frame = XCB_WINDOW_NONE;
    for (xcb_window_t w = ParentOf(c, window); w != XCB_WINDOW_NONE; w = ParentOf(c, w)) frame = w;
    return frame;
}

bool IsRoot(const xcb_setup_t* setup, xcb_window_t window) {
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        if (s.data->root == window) return true;
    return false;
}

// Made by the program's own connection: any of its windows, a pop-up's too.
bool Ours(const xcb_setup_t* setup, xcb_window_t window) {
    return (window & ~setup->resource_id_mask) == setup->resource_id_base;
}

// A window manager's mark of a client's top-level window: a window of an application, not one
// of the manager's own (a frame, its border and title, a gap between frames has none).
bool IsClientWindow(xcb_connection_t* c, xcb_window_t window) {
    static xcb_atom_t wmState = XCB_ATOM_NONE;
    if (wmState == XCB_ATOM_NONE) {
        static const char name[] = "WM_STATE";
        xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(sizeof name - 1), name), nullptr);
        if (atom) wmState = atom->atom;
        free(atom);
        if (wmState == XCB_ATOM_NONE) return false;
    }
    xcb_get_property_reply_t* p =
        xcb_get_property_reply(c, xcb_get_property(c, 0, window, wmState, XCB_ATOM_ANY, 0, 0), nullptr);
    const bool client = p && p->type != XCB_ATOM_NONE;
    free(p);
    return client;
}

// The deepest window under the pointer, going down from `from` while the pointer is inside a
// child; `from` itself when it is in none (or the pointer is on another screen).
xcb_window_t DeepestUnderPointer(xcb_connection_t* c, xcb_window_t from) {
    for (int depth = 0; depth < 32; ++depth) {
        xcb_query_pointer_reply_t* p = xcb_query_pointer_reply(c, xcb_query_pointer(c, from), nullptr);
        const xcb_window_t child = p && p->same_screen ? p->child : xcb_window_t(XCB_WINDOW_NONE);
        free(p);
        if (child == XCB_WINDOW_NONE) break;
        from = child;
    }
    return from;
}

// Whose window `receiver` is, the window the keys go to: the program's when it or a window
// holding it is the program's; another application's when it lies in a client's window; no
// one's when it is the root or a window manager's own (a frame's border or title). Without a
// window manager every window but the root is an application's.
KeyboardHolder Owner(xcb_connection_t* c, xcb_window_t receiver) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    if (receiver == XCB_WINDOW_NONE || IsRoot(setup, receiver)) return KeyboardHolder::NoWindow;
    bool client = false;
    for (xcb_window_t w = receiver; w != XCB_WINDOW_NONE; w = ParentOf(c, w)) {
        if (Ours(setup, w)) return KeyboardHolder::Program;
        client = client || IsClientWindow(c, w);
    }
    if (client || !WindowManagerRuns().value_or(false)) return KeyboardHolder::OtherApplication;
    return KeyboardHolder::NoWindow;
}

}  // namespace

// Where the keys go decides (the X protocol's focus): none with the focus None; with PointerRoot
// or the root, the window under the pointer (a window manager whose keyboard follows the
// pointer leaves it so); with a window, the window under the pointer when it lies inside it,
// else that window.
KeyboardHolder WhoHoldsTheKeyboard() {
    xcb_connection_t* c = Connection();
    if (!c) return KeyboardHolder::Unknown;
    const std::optional<xcb_window_t> asked = InputFocus(c);
    if (!asked) return KeyboardHolder::Unknown;
    const xcb_window_t focus = *asked;
    if (focus == XCB_WINDOW_NONE) return KeyboardHolder::NoWindow;
    const xcb_setup_t* setup = xcb_get_setup(c);
    const bool followsPointer = focus == XCB_INPUT_FOCUS_POINTER_ROOT || IsRoot(setup, focus);
    const xcb_window_t root = xcb_setup_roots_iterator(setup).data->root;
    const xcb_window_t under = DeepestUnderPointer(c, followsPointer ? root : focus);
    return Owner(c, under);
}

std::optional<bool> WindowManagerRuns() {
    xcb_connection_t* c = Connection();
    if (!c) return std::nullopt;
    bool managed = false;
    for (auto root = xcb_setup_roots_iterator(xcb_get_setup(c)); root.rem > 0; xcb_screen_next(&root)) {
        xcb_get_window_attributes_reply_t* a =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root.data->root), nullptr);
        managed = managed || (a && (a->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT));
        free(a);
    }
    return managed;
}

std::optional<bool> KeyboardIsIn(const QWindow* window) {
    xcb_connection_t* c = Connection();
    if (!c || !window || !window->handle()) return std::nullopt;
    const std::optional<xcb_window_t> asked = InputFocus(c);
    if (!asked) return std::nullopt;
    const xcb_window_t focus = *asked;
    if (focus == XCB_WINDOW_NONE || focus == XCB_INPUT_FOCUS_POINTER_ROOT) return false;
    for (xcb_window_t w = focus; w != XCB_WINDOW_NONE; w = ParentOf(c, w))
        if (w == xcb_window_t(window->winId())) return true;
    return false;
}

bool GiveKeyboardNow(const QWindow* window) {
    xcb_connection_t* c = Connection();
    if (!c || !window || !window->handle() || !window->isVisible()) return false;
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, xcb_window_t(window->winId()), XCB_CURRENT_TIME);
    xcb_flush(c);
    return true;
}

bool GiveKeyboardToPointer() {
    xcb_connection_t* c = Connection();
    if (!c) return false;
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME);
    xcb_flush(c);
    return true;
}

std::optional<QMargins> FrameExtents(const QWindow* window) {
    xcb_connection_t* c = Connection();
    if (!c || !window || !window->handle()) return std::nullopt;
    const xcb_window_t client = xcb_window_t(window->winId());
    const xcb_window_t frame = FrameOf(c, client);
    if (frame == XCB_WINDOW_NONE) return std::nullopt;
    const auto inFrame = xcb_translate_coordinates(c, client, frame, 0, 0);
    const auto frameCookie = xcb_get_geometry(c, frame), clientCookie = xcb_get_geometry(c, client);
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(c, inFrame, nullptr);
    xcb_get_geometry_reply_t* f = xcb_get_geometry_reply(c, frameCookie, nullptr);
    xcb_get_geometry_reply_t* w = xcb_get_geometry_reply(c, clientCookie, nullptr);
    std::optional<QMargins> extents;
    if (at && f && w) {
        // The frame's own X border lies outside its origin.
        const int left = at->dst_x + f->border_width, top = at->dst_y + f->border_width;
        extents = QMargins(left, top, f->width + 2 * f->border_width - left - w->width,
                           f->height + 2 * f->border_width - top - w->height);
    }
    free(at), free(f), free(w);
    return extents;
}

std::optional<QRect> FrameOnServer(const QWindow* window) {
    xcb_connection_t* c = Connection();
    if (!c || !window || !window->handle()) return std::nullopt;
    const xcb_window_t client = xcb_window_t(window->winId()), framed = FrameOf(c, client);
    const xcb_window_t outer = framed != XCB_WINDOW_NONE ? framed : client;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const auto atCookie = xcb_translate_coordinates(c, outer, root, 0, 0);
    const auto sizeCookie = xcb_get_geometry(c, outer);
    xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(c, atCookie, nullptr);
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, sizeCookie, nullptr);
    std::optional<QRect> frame;
    // The translation lands inside the border, which lies outside the window's origin.
    if (at && g)
        frame = QRect(at->dst_x - g->border_width, at->dst_y - g->border_width, g->width + 2 * g->border_width,
                      g->height + 2 * g->border_width);
    free(at), free(g);
    return frame;
}

void AskGeometryAgain(const QWindow* window, const QRect& client) {
    xcb_connection_t* c = Connection();
    if (!c || !window || !window->handle()) return;
    const uint32_t values[] = {uint32_t(client.x()), uint32_t(client.y()), uint32_t(client.width()),
                               uint32_t(client.height())};
    xcb_configure_window(c, xcb_window_t(window->winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(c);
}

namespace {

// Modal windows hold the windows under them: Qt drops a key X gives one of those (under
// PointerRoot, the window under the pointer; or the focus window a window manager gave the
// keyboard) before any event filter sees it. The key goes to the window the receiver names
// instead: as X would have given it there, and where X's focus is a window (which Qt hands every
// key), that window given the keyboard first and the key sent to it again, to come after.
class BlockedKeys : public QAbstractNativeEventFilter {
public:
    std::function<QWindow*(QWindow*)> receiver;
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t" || !receiver || !QGuiApplication::modalWindow()) return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        const uint8_t kind = event->response_type & 0x7f;
        if (kind != XCB_KEY_PRESS && kind != XCB_KEY_RELEASE) return false;
        auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
        QWindow* at = nullptr;
        for (QWindow* w : QGuiApplication::allWindows())
            if (w->handle() && xcb_window_t(w->winId()) == key->event) at = w;
        QWindow* to = at ? receiver(at) : nullptr;
        xcb_connection_t* c = Connection();
        if (!to || to == at || !to->handle() || !c) return false;
        key->event = xcb_window_t(to->winId());
        key->child = XCB_WINDOW_NONE;
        const std::optional<xcb_window_t> focus = InputFocus(c);
        if (!focus || *focus == XCB_WINDOW_NONE || *focus == XCB_INPUT_FOCUS_POINTER_ROOT ||
            IsRoot(xcb_get_setup(c), *focus))
            return false;
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, key->event, XCB_CURRENT_TIME);
        xcb_send_event(c, 0, key->event, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(key));
        xcb_flush(c);
        return true;
    }
};

// A window manager's own notice of where a window stands may be out of date by the time it
// comes (twm tells where the window stood before it framed it): Qt takes such a notice at its
// word and would have the window back there. Where X has the window now, and its size, are put
// in its place, as Qt does for X's own notices.
class CurrentPositions : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_CONFIGURE_NOTIFY || !(event->response_type & 0x80)) return false;
        auto* notice = reinterpret_cast<xcb_configure_notify_event_t*>(event);
        xcb_connection_t* c = Connection();
        if (!c) return false;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
        const auto atCookie = xcb_translate_coordinates(c, notice->window, root, 0, 0);
        const auto sizeCookie = xcb_get_geometry(c, notice->window);
        xcb_translate_coordinates_reply_t* at = xcb_translate_coordinates_reply(c, atCookie, nullptr);
        xcb_get_geometry_reply_t* size = xcb_get_geometry_reply(c, sizeCookie, nullptr);
        if (at && size) {
            notice->x = at->dst_x, notice->y = at->dst_y;
            notice->width = size->width, notice->height = size->height;
        }
        free(at), free(size);
        return false;
    }
};

// A filter made once for the process goes on each application made in it (`on`: the one it is
// on, guarded, as a later application may be made where an earlier one stood).
void PutOnTheApplication(QAbstractNativeEventFilter* filter, QPointer<QGuiApplication>& on) {
    if (qGuiApp && on != qGuiApp) on = qGuiApp, on->installNativeEventFilter(filter);
}

}  // namespace

void TakeCurrentPositions() {
    static auto* const filter = new CurrentPositions;
    static QPointer<QGuiApplication> on;
    PutOnTheApplication(filter, on);
}

void RouteBlockedKeys(std::function<QWindow*(QWindow* at)> receiver) {
    static auto* const filter = new BlockedKeys;
    static QPointer<QGuiApplication> on;
    PutOnTheApplication(filter, on);
    filter->receiver = std::move(receiver);
}

#else

KeyboardHolder WhoHoldsTheKeyboard() { return KeyboardHolder::Unknown; }
std::optional<QMargins> FrameExtents(const QWindow*) { return std::nullopt; }
std::optional<QRect> FrameOnServer(const QWindow*) { return std::nullopt; }
void AskGeometryAgain(const QWindow*, const QRect&) {}
std::optional<bool> WindowManagerRuns() { return std::nullopt; }
std::optional<bool> KeyboardIsIn(const QWindow*) { return std::nullopt; }
bool GiveKeyboardNow(const QWindow*) { return false; }
bool GiveKeyboardToPointer() { return false; }
void RouteBlockedKeys(std::function<QWindow*(QWindow*)>) {}
void TakeCurrentPositions() {}

#endif
