#pragma once
// The window a command's sheets open on: the shell's own window, opaque to the logic.
struct CommandWindow;

// The commands the document window and its documents share, on the current model. The view
// commands change the settings record and the view offsets; redrawing is the caller's.
class Win32EventHandler {
public:
    Win32EventHandler() = default;
    explicit Win32EventHandler(CommandWindow* window) : window_(window) {}
    CommandWindow* window() const { return window_; }

    // 100 %: the zoom factor and the zoom of the view being shown.
    void actualSize();
    // The view origin at the plan extents' right and top, the offsets cleared.
    void resetView();
    // The view origin's height and the vertical offset cleared; the working elevation from
    // the current floor.
    void updateViewingHeight();

    // --- editing, floors and plans ---

    // --- view, live view, trace image, files, plants and sheets ---

private:
    CommandWindow* window_ = nullptr;
};
