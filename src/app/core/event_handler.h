#pragma once
// The commands the document window and its documents share, on the current model. The view
// commands change the settings record and the view offsets; redrawing is the caller's.
class Win32EventHandler {
public:
    // 100 %: the zoom factor and the zoom of the view being shown.
    void actualSize();
    // The view origin at the plan extents' right and top, the offsets cleared.
    void resetView();
    // The view origin's height and the vertical offset cleared; the working elevation from
    // the current floor.
    void updateViewingHeight();
};
