#pragma once
// The live view's GL view: draws the scene when a refresh is due, starts walking or flying on a
// press (a right press, or Control-click, turns the elevation direction over first), shows
// the navigation mode's cursor and checks the render-style menu items by the mode. Content
// entries dropped on it, or clicked on it with the auto-click modifier held, paint the surface
// under the point.
#include <QCursor>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <cstdint>
#include <vector>

#include "app/live_view_navigation.h"

class QtGLSurface;
class QMDAutoClickElement;
struct SymEntryInfo;
class QWidget;

class LiveViewOGLView : public QObject {
public:
    // `widget` shows `surface` (its container) and gets the cursor.
    LiveViewOGLView(QtGLSurface& surface, QWidget* widget);
    ~LiveViewOGLView() override;

    // Draws the frame unless an anti-aliased render runs. A finished final or shadow render
    // handed to keepFinishedFrame is shown again instead until a refresh is due (a move, a
    // change of the design, a new size: `gRefreshRender`) or the view's size differs.
    void drawRect();
    // What a final or shadow render showed when it finished (the plain frame drawn after it
    // when it was broken off), top row first.
    void keepFinishedFrame(QImage frame);
    LiveViewNavigationDriver& navigation() { return navigation_; }
    // The cursor the camera and control modes ask for (the arrow in other modes), the
    // pointing hand while auto-click paints.
    enum class LVCursor { Arrow, PointingHand, CtrlWalk, FreeWalk, CtrlFly, FreeFly };
    void resetCursorRects();
    LVCursor cursor() const { return cursor_; }
    // Whether the render-style item `tag` (10000 to 10003) carries a check mark.
    static bool renderStyleChecked(int tag);

    // Applies the entry at the view point by its kind; its undo name (the auto-click one when
    // asked), or null for a kind the view refuses, which changes nothing.
    static const char* do3DSymTargetClick(int x, int y, const SymEntryInfo& entry, bool autoClick);
    // Whether auto-click painting may run with these keys held: a design not in wireframe, the
    // "AutoClickModifier" key held, an entry selected from a category below 4.
    static bool canEnable3DAutoClickForModifiers(Qt::KeyboardModifiers modifiers);
    bool autoClick3DActive() const { return autoClick_; }
    // A drop of encoded entry bytes at the view point: applied, stored as one undo step.
    bool performDragOperation(const QByteArray& record, QPointF at);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QtGLSurface& surface_;
    QPointer<QWidget> widget_;
    LiveViewNavigationDriver navigation_;
    LVCursor cursor_ = LVCursor::Arrow;
    void flagsChanged(Qt::KeyboardModifiers modifiers);
    void endAutoClick();
    bool autoClick_ = false;
    QImage backingImage_;
    QImage finishedFrame_;
    // The image over white, with the auto-click markers while auto-click runs.
    void paintImage(const QImage& image);
    std::vector<QPoint> autoClick3DPaths_;
    int16_t autoClickKind_ = 0;
    // The design as the auto-click found it: its clicks store a step only when they changed it.
    uint64_t autoClickDesign_ = 0;
};
