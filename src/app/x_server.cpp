#include "app/x_server.h"

#include <QGuiApplication>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

#include <cstdlib>

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
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

}  // namespace

KeyboardHolder WhoHoldsTheKeyboard() {
    xcb_connection_t* c = Connection();
    if (!c) return KeyboardHolder::Unknown;
    xcb_generic_error_t* error = nullptr;
    xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), &error);
    free(error);
    if (!reply) return KeyboardHolder::Unknown;
    const xcb_window_t focus = reply->focus;
    free(reply);
    if (focus == XCB_WINDOW_NONE || focus == XCB_INPUT_FOCUS_POINTER_ROOT) return KeyboardHolder::NoWindow;
    const xcb_setup_t* setup = xcb_get_setup(c);
    for (xcb_screen_iterator_t s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        if (s.data->root == focus) return KeyboardHolder::NoWindow;
    // Made by the program's own connection: any of its windows, a pop-up's too.
    if ((focus & ~setup->resource_id_mask) == setup->resource_id_base) return KeyboardHolder::Program;
    // A window manager may give the keyboard to the frame it put around a window.
    for (const QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->handle()) continue;
        for (xcb_window_t w = ParentOf(c, xcb_window_t(window->winId())); w != XCB_WINDOW_NONE; w = ParentOf(c, w))
            if (w == focus) return KeyboardHolder::Program;
    }
    return KeyboardHolder::OtherApplication;
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
    xcb_generic_error_t* error = nullptr;
    xcb_get_input_focus_reply_t* reply = xcb_get_input_focus_reply(c, xcb_get_input_focus(c), &error);
    free(error);
    if (!reply) return std::nullopt;
    const xcb_window_t focus = reply->focus;
    free(reply);
    if (focus == XCB_WINDOW_NONE || focus == XCB_INPUT_FOCUS_POINTER_ROOT) return false;
    for (xcb_window_t w = focus; w != XCB_WINDOW_NONE; w = ParentOf(c, w))
        if (w == xcb_window_t(window->winId())) return true;
    return false;
}

std::optional<QMargins> FrameExtents(const QWindow* window) {
    xcb_connection_t* c = Connection();
    if (!c || !window || !window->handle()) return std::nullopt;
    const xcb_window_t client = xcb_window_t(window->winId());
    xcb_window_t frame = XCB_WINDOW_NONE;
    for (xcb_window_t w = ParentOf(c, client); w != XCB_WINDOW_NONE; w = ParentOf(c, w)) frame = w;
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

#else

KeyboardHolder WhoHoldsTheKeyboard() { return KeyboardHolder::Unknown; }
std::optional<QMargins> FrameExtents(const QWindow*) { return std::nullopt; }
std::optional<bool> WindowManagerRuns() { return std::nullopt; }
std::optional<bool> KeyboardIsIn(const QWindow*) { return std::nullopt; }

#endif
