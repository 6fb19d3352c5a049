#pragma once
// The rubber-band engine: what a tracker draws while the mouse moves (outlines, dimension
// lines with their text, moved copies of the selection) is collected here, and the plan view
// strokes it over the plan on its next frame. Path IDs are 0 (primary) and 1 (secondary);
// every per-path operation ignores any other ID.
#include <cstdint>
#include <memory>
#include <vector>

#include "files/windows_records.h"
#include "port/path.h"
#include "port/winrecords.h"

struct Objex;

// A path with the stroke attributes it carries, as a platform bezier path does.
struct DynamicPath {
    port::Path path;
    float lineWidth = 1.0f;
    std::vector<double> dash;  // empty: solid
    double dashPhase = 0;

    // Lays down the dash (`count` lengths; none without lengths) from `phase` on.
    void setDash(const float* lengths, int32_t count, float phase);
    // Into the current drawing context, in the colour in force there.
    void stroke() const;
    void fill() const;
};

// One piece of dimension or label text drawn as feedback, with an optional white backing.
class QMDDynamicDimElement {
public:
    QMDDynamicDimElement() = default;
    QMDDynamicDimElement(const QMDDynamicDimElement&) = delete;
    QMDDynamicDimElement& operator=(const QMDDynamicDimElement&) = delete;

    // Copies the rectangle, font and text; nothing unless all are given and the text is not
    // empty. Callers have always spelled it so.
    QMDDynamicDimElement* initDynaimcDimElementTextRect(const PlatformRect* rect, const char* text,
                                                        const LOGFONT* font);
    // As above, and the backing becomes the closed outline through the four points.
    QMDDynamicDimElement* initDynamicDimElementTextRect(const PlatformRect* rect, const char* text,
                                                        const LOGFONT* font,
                                                        const PlatformPoint* backingPathPoints);

    // True only for a backing path that exists and is empty; plain text has none.
    bool isBackingPathEmpty() const;
    // The backing's bounds; the zero rectangle when it is empty or absent.
    PlatformRect backingPathBounds() const;
    // The white backing, then the text in red through the main window's plan view.
    void drawDynamicDimElement() const;

    std::unique_ptr<char[]> dimensionText;
    std::unique_ptr<port::Path> backingPath;
    PlatformRect textRect;
    LOGFONT textFontInfo;
};

// The outline of one object while it is moved, scaled or rotated.
class QMDDynamicTransformElement {
public:
    QMDDynamicTransformElement() = default;
    QMDDynamicTransformElement(const QMDDynamicTransformElement&) = delete;
    QMDDynamicTransformElement& operator=(const QMDDynamicTransformElement&) = delete;

    void setDrawUsingIndicatorColor(uint8_t on) { drawUsingIndicatorColor = on; }
    void setFillPath(uint8_t on) { fillPath = on; }
    void setLineWidth(float width) { path.lineWidth = width; }
    // The line width (and, for detail lines, the dash) the object is drawn with in the plan.
    void setLineStyleForObject(const Objex* object);

    void moveToPoint(PlatformPoint p) { path.path.moveTo(p.x, p.y); }
    void lineToPoint(PlatformPoint p) { path.path.lineTo(p.x, p.y); }
    void closePath() { path.path.closePath(); }
    void appendPathWithLineFromPoint(PlatformPoint from, PlatformPoint to);

    // In the focus-indicator colour when asked, else in the colour in force.
    void drawDynamicTransformElement() const;

    uint8_t drawUsingIndicatorColor = 0;
    uint8_t fillPath = 0;
    DynamicPath path;
};

class QMDDynamicDrawEngine {
public:
    QMDDynamicDrawEngine() = default;
    QMDDynamicDrawEngine(const QMDDynamicDrawEngine&) = delete;
    QMDDynamicDrawEngine& operator=(const QMDDynamicDrawEngine&) = delete;

    // 0 or 1; any other ID selects 0.
    void setActivePath(int16_t pathID);
    void setActivePathLineWidth(float width) { setLineWidthForPath(activePathID, width); }
    void setActivePathLineDash(const float* lengths, int32_t count, float phase) {
        setLineDash(lengths, count, phase, activePathID);
    }
    void setActivePathDeviceRed(float red, float green, float blue, float alpha) {
        setDeviceRed(red, green, blue, alpha, activePathID);
    }
    void setActivePathDrawMethod(int16_t method) { setDrawMethod(method, activePathID); }
    void appendLineToActivePathWithStartPoint(PlatformPoint start, PlatformPoint end);
    void appendOvalToActivePathWithBoundingRect(const PlatformRect& rect);
    void appendRectToActivePath(const PlatformRect& rect);
    // Degrees, turning from +x towards +y.
    void appendActivePathWithArcWithCenter(PlatformPoint center, float radius, float startAngle,
                                           float endAngle);
    void activePathMoveToPoint(PlatformPoint p);
    void activePathLineToPoint(PlatformPoint p);
    void closeActivePath() { closePath(activePathID); }
    bool isActivePathEmpty() const { return isPathEmpty(activePathID); }
    PlatformRect activePathBounds() const { return boundsForPath(activePathID); }

    void setLineWidthForPath(int16_t pathID, float width);
    void setLineDash(const float* lengths, int32_t count, float phase, int16_t pathID);
    void setDeviceRed(float red, float green, float blue, float alpha, int16_t pathID);
    // 0 stroke, 1 fill; other methods are refused.
    void setDrawMethod(int16_t method, int16_t pathID);
    void closePath(int16_t pathID);
    // True for an ID other than 0 and 1.
    bool isPathEmpty(int16_t pathID) const;
    // The zero rectangle for an empty path or another ID.
    PlatformRect boundsForPath(int16_t pathID) const;
    void removePointsFromPath(int16_t pathID);

    // Both paths empty and every dimension element with an empty backing; transform elements
    // do not count, text without a backing does.
    bool areAllPathsEmpty() const;
    // The union of both paths' bounds and the dimension backings' bounds. Empty paths add
    // nothing; a straight line (bounds without height or width) still does.
    PlatformRect boundsForAllPaths() const;
    // Whether strokeAllPaths draws anything at all (transform elements count here).
    bool drawsAnything() const;
    // The area strokeAllPaths may touch, in view coordinates, grown by line widths and a
    // margin for antialiased text; false when a part's extent cannot be told (text that
    // cannot be measured). An engine that draws nothing has the zero rectangle.
    bool feedbackArea(PlatformRect* area) const;
    // Primary, secondary, dimension elements, transform elements, into the current context.
    void strokeAllPaths() const;
    void removePointsFromAllPaths();
    // Width 1, no dash, red, stroked, for both paths.
    void resetAttributesForAllPaths();

    // The engine takes the element over; null is ignored.
    void addDynamicDimElement(std::unique_ptr<QMDDynamicDimElement> element);
    void addDynamicTransformElement(std::unique_ptr<QMDDynamicTransformElement> element);
    void removeAllDynamicDimElements() { dynamicDimArray.clear(); }
    void removeAllDynamicTransformElements() { dynamicTransformArray.clear(); }
    // The element added last, or null.
    QMDDynamicTransformElement* activeTransformElement() const;

    float primaryPathRed = 1, primaryPathGreen = 0, primaryPathBlue = 0, primaryPathAlpha = 1;
    float secondaryPathRed = 1, secondaryPathGreen = 0, secondaryPathBlue = 0, secondaryPathAlpha = 1;
    int16_t activePathID = 0;
    int16_t primaryPathDrawMethod = 0;
    int16_t secondaryPathDrawMethod = 0;
    DynamicPath primaryPath;
    DynamicPath secondaryPath;
    std::vector<std::unique_ptr<QMDDynamicDimElement>> dynamicDimArray;
    std::vector<std::unique_ptr<QMDDynamicTransformElement>> dynamicTransformArray;

private:
    DynamicPath* pathFor(int16_t pathID);
    const DynamicPath* pathFor(int16_t pathID) const;
    void drawPath(const DynamicPath& path, int16_t method, float red, float green, float blue,
                  float alpha) const;
};
