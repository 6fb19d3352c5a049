#pragma once
// The plan view's drawing half, free of the platform: what the plan routines ask of "the
// view" (text, hatch fills, the camera marker switch, the rubber-band engine) draws into the
// current drawing context. The platform view that shows it (the plan view, the print view)
// answers for its geometry through Base2DViewHost.
#include <cstdint>
#include <memory>

#include "files/windows_records.h"
#include "model/types.h"
#include "plan/dynamic_draw_engine.h"
#include "port/drawing.h"

// What the platform view gives: its geometry, scrolling and redraw requests.
class Base2DViewHost {
public:
    virtual ~Base2DViewHost() = default;
    virtual PlatformRect visibleRect() const = 0;
    virtual PlatformSize frameSize() const = 0;
    // The plan point at the top left of the whole view (not of its visible part, which moves
    // as it scrolls): hatches are anchored where it lies on the device.
    virtual PlatformPoint boundsOrigin() const = 0;
    virtual void scrollRectToVisible(const PlatformRect& rect) = 0;
    // Resizing the view and moving its bounds origin (fitting the design to the window).
    virtual void setFrameSize(const PlatformSize& size) = 0;
    virtual void setBoundsOrigin(const PlatformPoint& origin) = 0;
    virtual void setNeedsDisplay() = 0;
    // Only the rectangle (plan view coordinates) needs drawing again.
    virtual void setNeedsDisplayInRect(const PlatformRect& rect) {
        (void)rect;
        setNeedsDisplay();
    }
    // While the live view navigates, the plan is kept as a picture and only the camera marker
    // is drawn over it; the reset draws the plan again.
    virtual void initializeDynamicViewPointSystem() {}
    virtual void resetDynamicViewPointSystem() {}
    // Whether the rectangle meets the part of the view being redrawn.
    virtual bool needsToDrawRect(const PlatformRect& rect) const = 0;
};

class Base2DView {
public:
    // `host` may be null (bounds origin (0, 0)); it must outlive the view.
    explicit Base2DView(Base2DViewHost* host = nullptr) : host_(host) {}
    virtual ~Base2DView() = default;
    Base2DView(const Base2DView&) = delete;
    Base2DView& operator=(const Base2DView&) = delete;

    Base2DViewHost* host() const { return host_; }

    // The size the text takes in the font; (0, 0) without text, font, or a font to be had.
    // Measures outside a draw too.
    PlatformSize textMetricsForString(const char* text, const LOGFONT* font);
    // The text wrapped in the rectangle: alignment 1 centred, 2 right-aligned, else left.
    void drawStdText(const char* text, const PlatformRect* rect, const LOGFONT* font,
                     const RGBColor* color, int16_t alignment);
    // The text centred on the rectangle's centre and turned by lfOrientation (tenths of a
    // degree, counter-clockwise on the plan); the rectangle does not clip it.
    void drawText(const char* text, const PlatformRect* rect, const LOGFONT* font,
                  const RGBColor* color);

    // A closed outline of three or more points, filled by brush style (0 solid, -1 none but
    // an extra stroke, 1 backward and 2 forward hatch over the plan background or white when
    // printing) and outlined unless the pen style is 5 (pen style 2 dashes it 3 on, 3 off).
    void draw2DPatternRegion(const POINT* points, int32_t count, int16_t penStyle,
                             int16_t brushStyle, const RGBColor* strokeColor,
                             const RGBColor* fillColor, int32_t lineWidth);
    // A detail object's outline painted by pattern style: 1 background fill and outline,
    // 2 solid foreground, 3-8 background fill, a hatch (forward, backward, diagonal cross,
    // horizontal, vertical, cross) and outline in the foreground colour; else nothing.
    void drawDetailPatternObject(const port::Path* path, int16_t patternStyle,
                                 const RGBColor* foregroundColor,
                                 const RGBColor* backgroundColor, int32_t lineWidth);

    // The frame (base_2d_view_frame.cpp). Fills the rectangle with white; views override it.
    virtual void drawRect(const PlatformRect& rect);
    // The whole screen frame: background, content, handles unless feedback shows, feedback.
    // Nothing without a document, its settings record or its floors.
    void draw3D(const PlatformRect& rect, int32_t flags);
    // draw3D in two parts, so that a view may keep the first while the feedback moves:
    // everything under the feedback, then the feedback (with the live view told outside a drag).
    void drawBeneathFeedback(const PlatformRect& rect, int32_t flags);
    void drawFeedback();
    // Trace image, topography layer, grid, floors and the camera marker.
    void doDraw3D(const PlatformRect& rect, int32_t flags);
    // The grid over the plan extents (plan units at zoom 1; spacings on screen without zoom,
    // offsets centring the grid). Lines and dots need both zoomed spacings finite and at
    // least 2 units apart, else no grid; the frame of a hidden grid uses neither.
    void drawGridFrame(float hSpacing, float vSpacing, float hOffset, float vOffset,
                       const FloatRect* extents, const Float3DPoint* origin);
    void draw3DGridLines(float hSpacing, float vSpacing, float hOffset, float vOffset,
                         const FloatRect* extents, const Float3DPoint* origin);
    void draw3DGridDots(float hSpacing, float vSpacing, float hOffset, float vOffset,
                        const FloatRect* extents, const Float3DPoint* origin);
    // The live view camera: a heading triangle on a dot, or a dot and a cross at its target.
    void drawViewPoint();

    // For trackers: a point (view coordinates) beyond the visible rectangle scrolls toward it
    // by 10 along each axis it lies beyond. Not while the marquee zoom tool (205) drags.
    void autoScrollToPoint(POINT point);

    // Draw the camera marker with the plan.
    uint8_t shouldDrawViewPoint = 1;
    // Hatches, made the first time a fill needs them.
    std::unique_ptr<port::HatchPattern> fwdDiagPattern;
    std::unique_ptr<port::HatchPattern> backDiagPattern;
    std::unique_ptr<port::HatchPattern> crossPattern;
    std::unique_ptr<port::HatchPattern> diagCrossPattern;
    std::unique_ptr<port::HatchPattern> horizLinePattern;
    std::unique_ptr<port::HatchPattern> vertLinePattern;
    // The rubber-band engine trackers draw into, one per view.
    const std::unique_ptr<QMDDynamicDrawEngine> dynamicDrawEngine =
        std::make_unique<QMDDynamicDrawEngine>();

protected:
    // Grid lines, dots or (when the grid is hidden and `frameWhenHidden`) its frame.
    void drawGrid(bool frameWhenHidden);

private:
    // Fills the path with the slot's hatch, made on first use, fixed to the plan.
    void fillWithPattern(const port::Path& path, std::unique_ptr<port::HatchPattern>& slot,
                         port::HatchTile (*makeTile)(), const RGBColor& color);

    Base2DViewHost* host_;
};
