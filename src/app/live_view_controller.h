#pragma once
// The floating 3D panel: the GL view, the toolbar of navigation and render commands, the
// status line with its progress bar, the cut-away slider, and the image export and printing
// of the view. It is the renderer's live-view host and answers the live-view seams once made.
// Export and printing render into an offscreen target of the asked size, so a size beyond the
// screen works and the panel never moves.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "app/live_view_surface.h"
#include "app/screen_frames.h"
#include "render/core/live_view_host.h"

class QAbstractSlider;
class QLabel;
class QMenu;
class QUndoStack;
class QPainter;
class QProgressBar;
class QToolBar;
class QWidget;
class LiveViewOGLView;
class QtInterruptSource;

class LiveViewController : public QObject, public LiveViewHost {
public:
    // The one panel, made on the first call; it registers the live-view seams.
    static LiveViewController* sharedLiveViewController();
    static bool exists();
    static void destroyShared();
    ~LiveViewController() override;

    QWidget* window() const { return window_; }
    QToolBar* liveViewToolbar() const { return toolbar_; }
    // A check item for each toolbar item (by its palette label): unchecking hides the item,
    // and the panel remembers it.
    QMenu* toolbarConfigurationMenu();
    LiveViewOGLView* liveViewOGLView() const { return view_.get(); }
    QWidget* liveViewOGLWidget() const { return container_; }
    QtGLSurface& glSurface() { return surface_; }
    QAbstractSlider* cutAwaySlider() const;
    QLabel* cutAwaySliderImage() const { return cutAwayImage_; }
    QLabel* liveViewStatusText() const { return status_; }
    QProgressBar* liveViewProgressIndicator() const { return progress_; }

    void showWindow();
    void close();
    bool isVisible() const;

    void setLVStatusString(const char* status);
    void initializeAnimatedLVStatus();
    void resetAnimatedLVStatus();

    void freeWalkThrough() { walkOrFly(1, 0); }
    void controlledWalkThrough() { walkOrFly(1, 1); }
    void freeFlyAround() { walkOrFly(2, 0); }
    void controlledFlyAround() { walkOrFly(2, 1); }
    void reset3DView();
    void setWalkThroughElevation();
    void setFlyAroundAltitude();

    // The factory's render-style and viewpoint menus popped up under the sender (the view
    // without one), the current style checked; a choice goes to the command layer.
    QMenu* setRenderStyleUsingTBMenu(QWidget* sender);
    QMenu* setViewpointUsingTBMenu(QWidget* sender);
    // The current document's undo stack (null without one).
    QUndoStack* windowWillReturnUndoManager() const;

    void renderFinal();
    void renderShadows();
    // Renders the view at `size` into an offscreen target (quality 0: a plain frame, 1..4 an
    // anti-aliased one of 4, 8, 15 or 24 passes) and returns its pixels, top row first; null
    // when the render was interrupted or no target could be made. The pass count, the
    // shadows flag and the hide flags come back as they were.
    QImage prepareLiveViewUsingQuality(int quality, QSize size);
    // What the view shows now, top row first; null without a context.
    QImage liveViewOGLViewBitmapImageRep();

    // The export's format (0 BMP, 3 PNG), quality and size asked window-modally on the panel
    // ("export3DView"), then the save panel.
    void displayExport3DSavePanel();
    QWidget* export3DView() const { return export3DView_; }
    int imageFormat = 3;
    int renderQuality = 0;
    QSize exportSize;
    // The save panel's end: an empty path is a cancel. Renders, writes atomically, alerts.
    void export3DSavePanelDidEnd(const std::string& path);
    void showPrint3DPropertiesPanel();
    // Renders and prints at the size, paginated automatically.
    void print3DLiveViewUsingQuality(int quality, QSize size);
    // Paints the image a pixel a point onto pages of `printable` points, across then down;
    // `newPage` starts each page after the first. The pages painted.
    static int printImagePages(QPainter& painter, const QImage& image, const QSizeF& printable,
                               const std::function<bool()>& newPage);

    void cutAwaySliderUpButtonChanged();
    void cutAwaySliderDownButtonChanged();
    void updateCutAwayImageAndPosition();
    void updateCutAwaySliderBounds();
    int cutAwayImageMode() const { return cutAwayMode_; }

    // LiveViewHost
    GLSurface* surface() override { return &surface_; }
    FloatRect liveViewOGLViewBounds() override;
    void flushBuffer() override;
    void initializeLVLightProgressUsingLightCount(int32_t count) override;
    void updateLVLightProgressWithLightCount(int32_t count) override;
    void resetLVLightProgress() override;
    void flushBufferedKeyEvents() override;
    InterruptSource* interruptSource() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LiveViewController();
    void registerSeams();
    void walkOrFly(int16_t cameraMode, uint8_t control);
    void windowWillClose();
    void redraw();
    // A final or shadow render's frame, noting what it shows last; at its end that frame stays
    // on the view (see LiveViewOGLView::drawRect), or, broken off, a plain frame drawn then
    // stays under the status line's "Rendering interrupted".
    void refreshKeepingTheFrame();
    void endRender();
    void restoreToolbarConfiguration();
    QMenu* popUpMenu(QMenu* menu, QWidget* sender);

    QtGLSurface surface_;
    QPointer<QWidget> window_;
    std::unique_ptr<ChosenFrame> frame_;
    QToolBar* toolbar_ = nullptr;
    QWidget* container_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* cutAwayImage_ = nullptr;
    QAbstractSlider* slider_ = nullptr;
    int cutAwayMode_ = -1;
    QPointer<QWidget> export3DView_;
    std::unique_ptr<LiveViewOGLView> view_;
    std::unique_ptr<QtInterruptSource> interrupt_;
    bool keepingFrames_ = false;
    // The status line is left as it is ("Rendering interrupted" over the plain frame drawn
    // after a break).
    bool keepingStatus_ = false;
    QImage lastFrame_;
};
