#include "plan/annotations/plan_text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/numeric.h"
#include "model/object_types.h"
#include "model/projection.h"
#include "model/readouts.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/view_state.h"
#include "plan/base_2d_view.h"
#include "model/plan_objects.h"
#include "plan/annotations/text_geometry.h"
#include "plan/zoom.h"

using namespace plantext;

namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

// What every routine needs before it draws.
struct Target {
    const DocState* ds = CurrentDocState();
    Base2DView* view = MainWindowDocumentView();
    explicit operator bool() const { return ds && view; }
};

// The 6-unit step at (angle - 90 degrees) that sets a label off its anchor.
PlatformPoint LabelStep(float angle) {
    PlatformPoint step;
    GetPointFromLengthAndAngle((angle - 90.0f) * gPiDiv180, 6.0f, &step.x, &step.y);
    return step;
}

PlatformPoint Printed(PlatformPoint p) {
    if (gPrinting) p.x *= gHPrintScale, p.y *= gVPrintScale;
    return p;
}

void SetAngle(LOGFONT& font, double degrees) {
    font.lfEscapement = font.lfOrientation = TenthsOfDegree(degrees);
}

// The text centred on c in a box of its measured size.
void DrawCentred(Base2DView& view, const char* text, PlatformPoint c, const LOGFONT& font,
                 const RGBColor& color) {
    const PlatformSize size = view.textMetricsForString(text, &font);
    const PlatformRect box = TextBox(c, size.width, size.height);
    view.drawText(text, &box, &font, &color);
}

// Rubber-band labels never shrink below 10 points.
LOGFONT LabelFont(float angle) {
    const int16_t height = dvxnum::TruncToInt16(ZoomF(-20.0f) - 0.5);
    LOGFONT font = TrackingFont(height > -10 ? -10 : height);
    SetAngle(font, UprightDegrees(angle));
    return font;
}

PlatformPoint LabelCentre(float h, float v) {
    const PlatformPoint p = ProjectAnchor(h, v);
    return {p.x, p.y - 7.0f};
}

// A text box's frame is measured once, in the unzoomed font; drawn at another zoom, the
// rounded font height and the platform's widths at small sizes outgrow it, and the view would
// wrap the widest line and clip the last. Grown to the text as drawn, from the side (or the
// middle) the alignment holds to, every typed line shows whole on a line of its own. The
// width keeps half an em beyond the advance: the platform also wraps a line whose last glyph
// overhangs it (an italic's last letter).
void HoldWholeText(PlatformRect& box, PlatformSize text, const LOGFONT& font, int16_t alignment) {
    const float em = static_cast<float>(std::abs(font.lfHeight));
    const float width = std::ceil(text.width + em / 2), height = std::ceil(text.height);
    if (width > box.width) {
        const float more = width - box.width;
        if (alignment == 1) box.x -= more / 2;
        else if (alignment == 2) box.x -= more;
        box.width = width;
    }
    box.height = std::max(box.height, height);
}

// Door styles whose callout names the kind of door.
const char* DoorSuffix(int16_t style) {
    switch (style) {
    case 500: return " CO";
    case 502: return " SD";
    case 503: return " OHD";
    case 504: case 505: case 506: case 507: return " Arch";
    case 508: return " Fr";
    case 509: return " 9Lt";
    case 510: return " PD";
    case 511: return " BF";
    default: return nullptr;
    }
}

}  // namespace

namespace {

// An object label set off its anchor by `angle` and turned by `textAngle`.
void DrawLabel(const char* text, float h, float v, float angle, double textAngle) {
    const Target t;
    if (!text || !t) return;
    const PlatformPoint step = LabelStep(angle);
    LOGFONT font = t.ds->font;
    font.lfHeight = ScaledFontHeight(static_cast<float>(font.lfHeight));
    SetAngle(font, textAngle);
    DrawCentred(*t.view, text, Printed(ProjectAnchor(h + step.x, v + step.y)), font,
                t.ds->penColor);
}

}  // namespace

void DrawNormalText(void* /*dc*/, const char* text, float h, float v, float angle) {
    DrawLabel(text, h, v, angle, angle);
}

void DrawUprightNormalText(void* /*dc*/, const char* text, float h, float v, float angle) {
    if (!std::isfinite(angle)) return;
    const double turn = std::fmod(static_cast<double>(angle), 360.0);
    DrawLabel(text, h, v, angle, UprightDegrees(turn < 0.0 ? turn + 360.0 : turn));
}

void DrawNormalTextNoOrientation(void* dc, const char* text, float h, float v, float angle) {
    DrawNormalText(dc, text, h, v, angle);
}

void DrawRotatedText(void* /*dc*/, const char* text, float h, float v, float angle,
                     const LOGFONT* callerFont) {
    const Target t;
    if (!text || !callerFont || !t) return;
    PlatformPoint c = ProjectAnchor(h, v);
    c.x -= LabelStep(angle).x;
    LOGFONT font = *callerFont;
    font.lfHeight = ScaledFontHeight(static_cast<float>(font.lfHeight));
    SetAngle(font, PrintedDegrees(angle));
    DrawCentred(*t.view, text, Printed(c), font, t.ds->penColor);
}

void DrawStandardText(void* /*dc*/, const char* text, const FloatRect* box,
                      const LOGFONT* callerFont, int16_t alignment) {
    const Target t;
    if (!text || !box || !callerFont || !t) return;
    float x1 = box->floatLeft, y1 = 0.0f, z1 = box->floatTop;
    float x2 = box->floatRight, y2 = 0.0f, z2 = box->floatBottom;
    ConvertToIso(&x1, &y1, &z1, &x2, &y2, &z2, gPerspective);
    const PlatformPoint topLeft = Printed({x1, y1}), bottomRight = Printed({x2, y2});
    RECT r;
    r.left = Round16(topLeft.x), r.top = Round16(topLeft.y);
    r.right = Round16(bottomRight.x), r.bottom = Round16(bottomRight.y) + 5;
    PlatformRect rect;
    ConvertRECTToNSRect(&rect, &r);
    LOGFONT font = *callerFont;
    font.lfHeight = ScaledFontHeight(static_cast<float>(font.lfHeight));
    font.lfEscapement = font.lfOrientation = 0;
    HoldWholeText(rect, t.view->textMetricsForString(text, &font), font, alignment);
    t.view->drawStdText(text, &rect, &font, &t.ds->penColor, alignment);
}

void DrawDynamicText(void* /*dc*/, const char* text, float h, float v, float angle) {
    const Target t;
    if (!text || !t) return;
    const LOGFONT font = LabelFont(angle);
    const PlatformSize size = t.view->textMetricsForString(text, &font);
    const PlatformRect box = TextBox(LabelCentre(h, v), size.width, size.height);
    auto element = std::make_unique<QMDDynamicDimElement>();
    element->initDynaimcDimElementTextRect(&box, text, &font);
    t.view->dynamicDrawEngine->addDynamicDimElement(std::move(element));
}

void ApplePortDrawPseudoDynamicText(const char* text, float h, float v, float angle) {
    const Target t;
    if (!text || !t) return;
    DrawCentred(*t.view, text, LabelCentre(h, v), LabelFont(angle), RGBColor{0, 0, 65535});
}

void DrawAttachmentCalloutText(void* /*dc*/, const AttachmentRecord* record, float startH,
                               float startV, float endH, float endV, float centreH,
                               float centreV, uint8_t side, float offset) {
    const Target t;
    if (!record || !t || !t.ds->showCallouts) return;
    float sx = startH, sy = 0.0f, sz = startV, ex = endH, ey = 0.0f, ez = endV;
    ConvertToIso(&sx, &sy, &sz, &ex, &ey, &ez, gPerspective);
    const PlatformPoint centre = ProjectAnchor(centreH, centreV);

    LOGFONT font = t.ds->font;
    font.lfHeight = ScaledFontHeight(static_cast<float>(font.lfHeight) * 0.5f);
    float length = 0.0f;
    const float a = GetLineLengthAndAngle(sx, sy, ex, ey, &length);
    const float sideAngle = (side ? 90.0f : -90.0f) * gPiDiv180;
    PlatformPoint c;
    GetPointFromLengthAndAngle(a + sideAngle, ZoomF(offset + 8.0f), &c.x, &c.y);
    c.x += centre.x, c.y += centre.y;
    SetAngle(font, PrintedDegrees(UprightDegrees(a * kDegrees)));

    char width[kReadoutSize] = {}, height[kReadoutSize] = {};
    ConvertInchesToStr(ConvertScreenToWorld(record->width, t.ds, 0), width);
    ConvertInchesToStr(ConvertScreenToWorld(record->height, t.ds, 0), height);
    std::string text = LocalizedFormat("%s x %s", {width, height});
    if (record->ownerType == objtype::kDoor)
        if (const char* suffix = DoorSuffix(record->style)) text += LocalizedString(suffix);

    // Only the centre of the box places the text; its half-length runs along the segment.
    // Measured once: the box and the drawing share it.
    const std::optional<port::Size> measured = port::currentDrawingContext().measureText(text.c_str(), font);
    const PlatformSize size{static_cast<float>(measured ? measured->width : 0),
                            static_cast<float>(measured ? measured->height : 0)};
    const double w = dvxnum::TruncToInt16(size.width + 6.0) / 2;
    const double hh = dvxnum::TruncToInt16(size.height) / 2;
    const PlatformPoint p = Printed(c);
    const double dx = std::fabs(w * std::cos(a)) + std::fabs(hh * std::sin(a));
    const double dy = std::fabs(w * std::sin(a)) + std::fabs(hh * std::cos(a));
    PlatformRect rect;
    ConvertCoordsToNSRect(&rect, static_cast<float>(p.x - dx), static_cast<float>(p.y - dy),
                          static_cast<float>(p.x + dx), static_cast<float>(p.y + dy));
    // A callout wholly outside the part being redrawn leaves no pixel.
    if (OutsideRedrawn(rect.x, rect.y, rect.width, rect.height)) return;
    if (measured) t.view->drawText(text.c_str(), &rect, &font, &t.ds->penColor, *measured);
}

std::string LocalizedFormat(const char* format, std::initializer_list<const char*> args) {
    const std::string f = LocalizedString(format);
    std::string out;
    auto next = args.begin();
    for (size_t i = 0; i < f.size(); ++i) {
        if (f[i] == '%' && i + 1 < f.size() && (f[i + 1] == 's' || f[i + 1] == '%')) {
            if (f[++i] == '%') {
                out += '%';
            } else if (next != args.end()) {
                if (*next) out += *next;
                ++next;
            }
            continue;
        }
        out += f[i];
    }
    return out;
}
