#pragma once
// The live view's GL view: draws the scene when a refresh is due, starts walking or flying on a
// press (a right press, or Control-click, turns the elevation direction over first), shows
// the navigation mode's cursor and checks the render-style menu items by the mode.
#include <QCursor>
#include <QObject>
#include <QPointer>

#include "app/live_view_navigation.h"

class QtGLSurface;
class QWidget;

class LiveViewOGLView : public QObject {
public:
    // `widget` shows `surface` (its container) and gets the cursor.
    LiveViewOGLView(QtGLSurface& surface, QWidget* widget);
    ~LiveViewOGLView() override;

    // Draws the frame when `gRefreshRender` is set and no anti-aliased render runs.
    void drawRect();
    LiveViewNavigationDriver& navigation() { return navigation_; }
    // The cursor the camera and control modes ask for (the arrow in other modes).
    void resetCursorRects();
    Qt::CursorShape cursorShape() const { return shape_; }
    // Whether the render-style item `tag` (10000 to 10003) carries a check mark.
    static bool renderStyleChecked(int tag);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtGLSurface& surface_;
    QPointer<QWidget> widget_;
    LiveViewNavigationDriver navigation_;
    Qt::CursorShape shape_ = Qt::ArrowCursor;
};
