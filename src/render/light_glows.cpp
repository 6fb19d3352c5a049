#include "render/light_glows.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "files/content_folders.h"
#include "files/windows_records.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/lines.h"
#include "model/object_fields.h"
#include "model/objects.h"
#include "model/transforms.h"
#include "model/type_data.h"
#include "model/units.h"
#include "port/seam.h"
#include "render/core/live_view_host.h"
#include "render/core/interrupt_source.h"
#include "model/render_state.h"
#include "files/texture_files.h"
#include "render/core/texture_pixels.h"
#include "render/gl.h"
#include "scene/plane_object.h"
#include "scene/point_in_polygon.h"

GLUquadric* gQuadricObject = nullptr;
// Freeing a quadric touches no GL state, so a reset needs no context.
static const port::GlobalReset kReset([] { EndGLContextObjects(); });

namespace {

constexpr GLuint kGlowTexture = 14001;
constexpr uint16_t kLightPiece = 111;
constexpr int kPollEvery = 300;
constexpr int16_t kWallType = 12;
constexpr float kHeadAngle = 0.9948377f;  // 57 degrees
constexpr float kHeadDistance = 9.0f;
constexpr double kHeadTilt = 38.0;
// A flood lamp's cone.
constexpr double kFloodBase = 4, kFloodTop = 600, kFloodLength = 1600;
constexpr int kFloodSides = 40;

// What each can or point light draws: its volume and its sprite.
struct CanLight {
    int16_t type;
    enum Volume { Down, Up, Sphere } volume;
    int sides;
    double topRadius;
    float spriteDy, spriteDz;  // the sprite's shift from the light's centre
    float width, height;       // sprite extents in scene units
    float alphaScale;          // 0: 255 less the dimmed part; else scaled
    float dimmerDivisor;
};
constexpr CanLight kCanLights[] = {
    {79, CanLight::Down, 15, 1600, -2, 0, 220, 130, 200, 2.0f},
    {80, CanLight::Down, 15, 1400, 0, 0, 95, 75, 0, 2.0f},
    {81, CanLight::Down, 15, 1600, -5, 7, 190, 100, 240, 2.0f},
    {82, CanLight::Down, 15, 1600, -5, 7, 190, 100, 240, 2.0f},
    {146, CanLight::Up, 30, 1800, 2, 0, 115, 65, 0, 2.0f},
    {149, CanLight::Sphere, 30, 10, 19, 0, 75, 75, 0, 2.0f},
    {150, CanLight::Up, 30, 1800, 0, 0, 95, 75, 0, 2.0f},
    {151, CanLight::Down, 15, 1600, 0, 0, 95, 75, 0, 2.0f},
    {152, CanLight::Sphere, 30, 10, 0, 0, 95, 75, 0, 1.25f},
};
constexpr double kConeBase = 10, kConeHeight = 1600;

const CanLight* CanLightOf(int16_t type) {
    for (const CanLight& c : kCanLights)
        if (c.type == type) return &c;
    return nullptr;
}

int SpriteAlpha(const CanLight& c, int32_t dimmer) {
    const float dimmed = 255.0f - float(dimmer) / c.dimmerDivisor;
    const float a = c.alphaScale > 0 ? c.alphaScale * dimmed / 255.0f : dimmed;
    return std::clamp(int(a + 0.5f), 0, 255);
}

struct Saved {
    const double* modelview;
    const double* projection;
    const int* viewport;
};

// Loads the glow image: its alpha rises from 0 at brightness 191 to 255 at white.
bool LoadGlowTexture() {
    char name[kTexturePathBufferSize] = {};
    GetTextureFileNameFromID(int32_t(kGlowTexture), name);
    const std::string folder = LocalDomainTexturePath();
    if (!name[0] || folder.empty()) return false;
    const std::unique_ptr<DIBImage> image = LoadGLDIBImage((folder + "/" + name).c_str());
    if (!image) return true;  // drawn untextured
    const int32_t width = image->width, height = image->height;
    std::vector<uint8_t> rgba = ConvertTextureToRGBA(image->pixels.data(), 1.0f, width, height);
    if (rgba.empty()) return false;
    // Every pixel of the image, wide or tall, not a square of its width.
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        const int l = int(0.3 * rgba[i] + 0.59 * rgba[i + 1] + 0.11 * rgba[i + 2] + 0.5) & 255;
        rgba[i + 3] = uint8_t(std::max(0, 4 * l - 765));
    }
    glBindTexture(GL_TEXTURE_2D, kGlowTexture);
    GLint unpack = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpack);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpack);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    return true;
}

// A camera-facing sprite of the glow image centred on (x, y, z) (drawn coordinates, y up),
// `width` and `height` scene units from its centre to its sides.
void DrawSprite(double x, double y, double z, float width, float height, int alpha, const Saved& m) {
    if (!glIsTexture(kGlowTexture) && !LoadGlowTexture()) return;
    if (glIsTexture(kGlowTexture)) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, kGlowTexture);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_STENCIL_TEST);
    double cx, cy, cz, wx, wy, wz, hx, hy, hz;
    gluProject(x, y, z, m.modelview, m.projection, m.viewport, &cx, &cy, &cz);
    gluProject(x, y + width, z, m.modelview, m.projection, m.viewport, &wx, &wy, &wz);
    gluProject(x, y + height, z, m.modelview, m.projection, m.viewport, &hx, &hy, &hz);
    const double hw = std::sqrt((wx - cx) * (wx - cx) + (wy - cy) * (wy - cy) + (wz - cz) * (wz - cz));
    const double hh = std::sqrt((hx - cx) * (hx - cx) + (hy - cy) * (hy - cy) + (hz - cz) * (hz - cz));
    const double corners[4][2] = {{cx - hw, cy + hh}, {cx + hw, cy + hh}, {cx + hw, cy - hh}, {cx - hw, cy - hh}};
    const float st[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
    glDisable(GL_DEPTH_TEST);
    glColor4ub(255, 255, 255, uint8_t(alpha));
    glBegin(GL_POLYGON);
    for (int i = 0; i < 4; ++i) {
        double px, py, pz;
        gluUnProject(corners[i][0], corners[i][1], cz, m.modelview, m.projection, m.viewport, &px, &py, &pz);
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3d(px, py, pz);
    }
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_STENCIL_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
}

// The pieces of the fixture itself: its lamp's, and for a can or point light every piece
// built from the same plan object (the fixture's whole symbol). A flood lamp's pieces are
// built from its wall, which is no part of it.
struct Fixture {
    const Objex* light = nullptr;
    const Objex* base = nullptr;
    bool owns(const PlaneObject* q) const { return q->object3D == light || (base && q->baseObject == base); }
};

// A line of sight through one pixel's centre, distances measured along it.
struct SightLine {
    double origin[3] = {}, dir[3] = {};
    double along(const double* p) const {
        return (p[0] - origin[0]) * dir[0] + (p[1] - origin[1]) * dir[1] + (p[2] - origin[2]) * dir[2];
    }
};

bool Unproject(double wx, double wy, double wz, const Saved& m, double* out) {
    return gluUnProject(wx, wy, wz, m.modelview, m.projection, m.viewport, &out[0], &out[1], &out[2]) == GL_TRUE;
}

// The normal of a plane from its corners (drawn y is the negated stored height).
void PlaneNormal(const Plane* plane, double* normal) {
    normal[0] = normal[1] = normal[2] = 0;
    for (uint32_t i = 0, n = plane->count; i < n; ++i) {
        const PlaneVertex &a = plane->vertices[i], &b = plane->vertices[(i + 1) % n];
        normal[0] += (-a.V + b.V) * (a.D + b.D);
        normal[1] += (a.D - b.D) * (a.H + b.H);
        normal[2] += (a.H - b.H) * (-a.V - b.V);
    }
}

// Whether `hit` (drawn coordinates, on the plane) lies inside the plane's polygon, seen along
// the normal's largest axis.
bool Inside(const Plane* plane, const double* normal, const double* hit) {
    const uint32_t n = plane->count;
    if (n < 3 || !plane->vertices) return false;
    const int drop = std::abs(normal[0]) >= std::abs(normal[1]) && std::abs(normal[0]) >= std::abs(normal[2]) ? 0
                     : std::abs(normal[1]) >= std::abs(normal[2])                                      ? 1
                                                                                                       : 2;
    auto flat = [drop](double x, double y, double z) {
        const double p[3] = {x, y, z};
        return FloatPoint{float(p[drop == 0 ? 1 : 0]), float(p[drop == 2 ? 1 : 2])};
    };
    std::vector<FloatPoint> corners(n);
    for (uint32_t i = 0; i < n; ++i) {
        const PlaneVertex& v = plane->vertices[i];
        corners[i] = flat(v.H, -v.V, v.D);
    }
    const FloatPoint at = flat(hit[0], hit[1], hit[2]);
    return IsPointInsidePolygon(&at, corners.data(), int32_t(n)) != 0;
}

// Whether the line crosses the plane's polygon between `from` and `to` along it; where it
// does, `hit` holds the point.
bool Crosses(const Plane* plane, const SightLine& line, double from, double to, double* hit) {
    if (plane->count < 3 || !plane->vertices) return false;
    double normal[3];
    PlaneNormal(plane, normal);
    const double facing = normal[0] * line.dir[0] + normal[1] * line.dir[1] + normal[2] * line.dir[2];
    if (std::abs(facing) < 1e-12) return false;
    const PlaneVertex& v0 = plane->vertices[0];
    const double t = (normal[0] * (v0.H - line.origin[0]) + normal[1] * (-v0.V - line.origin[1]) +
                      normal[2] * (v0.D - line.origin[2])) / facing;
    if (t < from || t > to) return false;
    for (int i = 0; i < 3; ++i) hit[i] = line.origin[i] + t * line.dir[i];
    return Inside(plane, normal, hit);
}

// Whether the line meets one of the planes of `q` within `slack` of `at` along it.
bool MeetsPieceAt(const PlaneObject* q, const SightLine& line, double at, double slack) {
    double hit[3];
    for (const Plane* plane = q->planes; plane; plane = plane->next)
        if (Crosses(plane, line, at - slack, at + slack, hit)) return true;
    return false;
}

// Whether `hit` on a face falls in one of the openings cut from it.
bool InOpening(const PlaneObject* q, const double* hit) {
    for (const PlaneObject* mask = q->masks; mask; mask = mask->next)
        for (const Plane* plane = mask->planes; plane; plane = plane->next) {
            double normal[3];
            PlaneNormal(plane, normal);
            if (Inside(plane, normal, hit)) return true;
        }
    return false;
}

// What the glow pass reads of the frame drawn so far, found once however many lamps ask:
// depth writes are off through the pass, so the depths and where each piece lies on the
// window stay as they were at its start. The depths are read whole when a lamp first needs
// them. The pieces that may leave a lamp seen (translucent ones and the fixtures' own) are
// filed by the cells of the window their boxes cover when a lamp is first hidden at a pixel,
// and every piece when a lamp is first hidden at some of its pixels and seen at others; each
// lamp then looks only at the pieces over its own pixels.
// A piece of the scene with what tells whether it may leave a lamp seen, kept as the list is
// walked so that no second walk reads the pieces again.
struct ScenePiece {
    const PlaneObject* piece;
    const Objex* base;
    const Objex* object3D;
    bool translucent;
};

class FrameView {
public:
    // Every piece of the scene, in any order, and the objects whose pieces are a fixture's own.
    FrameView(std::vector<ScenePiece> scene, std::vector<const Objex*> fixtures, const Saved& m)
        : scene_(std::move(scene)), fixtures_(std::move(fixtures)), m_(m) {
        std::sort(fixtures_.begin(), fixtures_.end());
    }
    const Saved& matrices() const { return m_; }
    // The depth drawn at the window pixel (x, y), which lies in the viewport.
    float depth(int x, int y) {
        if (depths_.empty()) readDepths();
        return depths_[size_t(y - m_.viewport[1]) * size_t(m_.viewport[2]) + size_t(x - m_.viewport[0])];
    }
    // A few steps of the depth buffer.
    double depthSlack() {
        if (depths_.empty()) readDepths();
        return slack_;
    }
    // The pieces whose planes may pass through a window point of the pixels x0..x1, y0..y1 (in
    // the viewport), each once, put in `out`: those that may leave a lamp seen, or all.
    void clearOver(int x0, int y0, int x1, int y1, std::vector<const PlaneObject*>& out) {
        if (!clear_.filed) file(clear_, true);
        over(clear_, x0, y0, x1, y1, out);
    }
    void piecesOver(int x0, int y0, int x1, int y1, std::vector<const PlaneObject*>& out) {
        if (!all_.filed) file(all_, false);
        over(all_, x0, y0, x1, y1, out);
    }

private:
    static constexpr int kCell = 16;  // pixels a side
    static constexpr int kWide = 64;  // cells a piece may cover and still be filed by them
    struct Filing {
        bool filed = false;
        std::vector<const PlaneObject*> pieces;
        std::vector<uint32_t> cellStart;  // per cell, into cellPieces; one more at the end
        std::vector<uint32_t> cellPieces;
        std::vector<uint32_t> wide;       // pieces over more cells than kWide, listed for every cell
        std::vector<uint32_t> asked;      // per piece, the last question that listed it
        uint32_t question = 0;
    };
    void readDepths();
    void file(Filing& filing, bool clearOnly);
    void over(Filing& filing, int x0, int y0, int x1, int y1, std::vector<const PlaneObject*>& out);
    bool fixtures(const Objex* o) const { return o && std::binary_search(fixtures_.begin(), fixtures_.end(), o); }

    std::vector<ScenePiece> scene_;
    std::vector<const Objex*> fixtures_;
    Saved m_;
    std::vector<float> depths_;
    double slack_ = 0;
    int columns_ = 0, rows_ = 0;
    Filing clear_, all_;
};

void FrameView::readDepths() {
    const int* v = m_.viewport;
    depths_.assign(size_t(std::max(v[2], 0)) * size_t(std::max(v[3], 0)), 1.0f);
    GLint packing = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packing);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    if (!depths_.empty()) glReadPixels(v[0], v[1], v[2], v[3], GL_DEPTH_COMPONENT, GL_FLOAT, depths_.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packing);
    GLint bits = 24;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    slack_ = 4.0 / double((1u << std::clamp(bits, 8, 24)) - 1);
    if (depths_.empty()) depths_.push_back(1.0f);  // read once, even from an empty viewport
}

// The window box (left, bottom, right, top) of what of the box lo..hi (drawn coordinates) lies
// in front of the eye, with `pm` the projection times the modelview; false when none does. A
// line of sight meets the box only in front of the eye, where the projection keeps a convex
// shape whole: the corners in front and the points where edges cross to behind bound it.
bool WindowBox(const double* lo, const double* hi, const double* pm, const int* viewport, double* box) {
    constexpr double kInFront = 1e-9;
    double clip[8][4];
    for (int i = 0; i < 8; ++i) {
        const double p[3] = {i & 1 ? hi[0] : lo[0], i & 2 ? hi[1] : lo[1], i & 4 ? hi[2] : lo[2]};
        for (int r = 0; r < 4; ++r) clip[i][r] = pm[r] * p[0] + pm[4 + r] * p[1] + pm[8 + r] * p[2] + pm[12 + r];
    }
    box[0] = box[1] = HUGE_VAL, box[2] = box[3] = -HUGE_VAL;
    auto add = [&](const double* c) {
        const double x = viewport[0] + viewport[2] * (c[0] / c[3] + 1) / 2;
        const double y = viewport[1] + viewport[3] * (c[1] / c[3] + 1) / 2;
        box[0] = std::min(box[0], x), box[1] = std::min(box[1], y);
        box[2] = std::max(box[2], x), box[3] = std::max(box[3], y);
    };
    for (int i = 0; i < 8; ++i) {
        if (clip[i][3] >= kInFront) add(clip[i]);
        for (int bit = 1; bit < 8; bit <<= 1) {
            const int j = i | bit;
            if (j == i || (clip[i][3] >= kInFront) == (clip[j][3] >= kInFront)) continue;
            const double t = (kInFront - clip[i][3]) / (clip[j][3] - clip[i][3]);
            double c[4];
            for (int r = 0; r < 4; ++r) c[r] = clip[i][r] + t * (clip[j][r] - clip[i][r]);
            c[3] = kInFront;
            add(c);
        }
    }
    return box[0] <= box[2];
}

void FrameView::file(Filing& filing, bool clearOnly) {
    filing.filed = true;
    const int* v = m_.viewport;
    if (v[2] <= 0 || v[3] <= 0) return;
    double pm[16];
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) {
            pm[c * 4 + r] = 0;
            for (int k = 0; k < 4; ++k) pm[c * 4 + r] += m_.projection[k * 4 + r] * m_.modelview[c * 4 + k];
        }
    columns_ = (v[2] + kCell - 1) / kCell, rows_ = (v[3] + kCell - 1) / kCell;
    struct Cells { uint32_t piece; int left, bottom, right, top; };
    std::vector<Cells> covered;
    std::vector<uint32_t> counts(size_t(columns_) * size_t(rows_), 0);
    for (const ScenePiece& piece : scene_) {
        if (clearOnly && !piece.translucent && !fixtures(piece.object3D) && !fixtures(piece.base)) continue;
        const PlaneObject* q = piece.piece;
        double lo[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, hi[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
        for (const Plane* plane = q->planes; plane; plane = plane->next)
            for (uint32_t i = 0; plane->vertices && i < plane->count; ++i) {
                const PlaneVertex& p = plane->vertices[i];
                const double at[3] = {p.H, -p.V, p.D};
                for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], at[k]), hi[k] = std::max(hi[k], at[k]);
            }
        double box[4];
        if (lo[0] > hi[0] || !WindowBox(lo, hi, pm, v, box)) continue;
        // A pixel's width more each way: a point on the piece may round either side of a border.
        const double left = (box[0] - 1 - v[0]) / kCell, right = (box[2] + 1 - v[0]) / kCell;
        const double bottom = (box[1] - 1 - v[1]) / kCell, top = (box[3] + 1 - v[1]) / kCell;
        if (right < 0 || top < 0 || left >= columns_ || bottom >= rows_) continue;
        const Cells c{uint32_t(filing.pieces.size()), int(std::max(0.0, std::floor(left))),
                      int(std::max(0.0, std::floor(bottom))), int(std::min(double(columns_ - 1), std::floor(right))),
                      int(std::min(double(rows_ - 1), std::floor(top)))};
        filing.pieces.push_back(q);
        if ((c.right - c.left + 1) * (c.top - c.bottom + 1) > kWide) {
            filing.wide.push_back(c.piece);
            continue;
        }
        covered.push_back(c);
        for (int y = c.bottom; y <= c.top; ++y)
            for (int x = c.left; x <= c.right; ++x) ++counts[size_t(y) * size_t(columns_) + size_t(x)];
    }
    filing.cellStart.assign(counts.size() + 1, 0);
    for (size_t i = 0; i < counts.size(); ++i) filing.cellStart[i + 1] = filing.cellStart[i] + counts[i];
    filing.cellPieces.resize(filing.cellStart.back());
    for (const Cells& c : covered)
        for (int y = c.bottom; y <= c.top; ++y)
            for (int x = c.left; x <= c.right; ++x) {
                const size_t cell = size_t(y) * size_t(columns_) + size_t(x);
                filing.cellPieces[filing.cellStart[cell + 1] - counts[cell]--] = c.piece;
            }
    filing.asked.assign(filing.pieces.size(), 0);
}

void FrameView::over(Filing& filing, int x0, int y0, int x1, int y1, std::vector<const PlaneObject*>& out) {
    out.clear();
    if (filing.pieces.empty()) return;
    const uint32_t question = ++filing.question;
    for (uint32_t piece : filing.wide) filing.asked[piece] = question, out.push_back(filing.pieces[piece]);
    const int* v = m_.viewport;
    const int left = std::max(0, (x0 - v[0]) / kCell), right = std::min(columns_ - 1, (x1 - v[0]) / kCell);
    const int bottom = std::max(0, (y0 - v[1]) / kCell), top = std::min(rows_ - 1, (y1 - v[1]) / kCell);
    for (int y = bottom; y <= top; ++y)
        for (int x = left; x <= right; ++x) {
            const size_t cell = size_t(y) * size_t(columns_) + size_t(x);
            for (uint32_t i = filing.cellStart[cell]; i < filing.cellStart[cell + 1]; ++i) {
                const uint32_t piece = filing.cellPieces[i];
                if (filing.asked[piece] == question) continue;
                filing.asked[piece] = question;
                out.push_back(filing.pieces[piece]);
            }
        }
}

// One pixel around the lamp's centre: the line through the pixel's centre, where along it
// the lamp's centre and the surface drawn there lie, and how far apart they may be.
struct Sample {
    SightLine line;
    double centre = 0, seen = 0, slack = 0;
};

// The line through the window point (x, y) and the distance along it of the scene point `c`,
// with `slack` the larger of an inch and a few steps of the depth buffer behind `c` (window
// depth `depth`, `step` apart).
bool SampleAt(double x, double y, double depth, double step, double inch, const double* c, const Saved& m,
              Sample* s) {
    double from[3], to[3], behind[3];
    if (!Unproject(x, y, 0, m, from) || !Unproject(x, y, 1, m, to) ||
        !Unproject(x, y, std::min(1.0, depth + step), m, behind))
        return false;
    const double d[3] = {to[0] - from[0], to[1] - from[1], to[2] - from[2]};
    const double length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (length <= 0) return false;
    for (int i = 0; i < 3; ++i) s->line.origin[i] = from[i], s->line.dir[i] = d[i] / length;
    s->centre = s->line.along(c);
    s->slack = std::max(inch, s->line.along(behind) - s->centre);
    return true;
}

// Whether the lamp's centre `c` (drawn coordinates) is seen in the frame drawn so far. At its
// pixel and at each of the eight around it (the centre lies anywhere in its pixel, and a
// ceiling or floor may pass within a pixel of it) the surface drawn is looked at: one at or
// behind the centre, the fixture's own (a lamp's centre lies inside its housing) or a
// translucent one lets the centre show there. Hidden at all nine, it is hidden; seen at all,
// it is seen. Where the nine disagree an edge passes within a pixel of the centre: the centre
// is hidden when a surface drawn at one of them lies across the line to the centre itself, in
// front of it (a lamp just behind a wall's top is hidden, one just past a door's jamb seen).
bool CentreShows(const double* c, FrameView& view, const Fixture& fixture) {
    const DocState* ds = CurrentDocState();
    const Saved& m = view.matrices();
    double w[3];
    if (!ds || !gluProject(c[0], c[1], c[2], m.modelview, m.projection, m.viewport, &w[0], &w[1], &w[2]) ||
        w[2] < 0 || w[2] > 1)
        return false;
    const int px = int(std::floor(w[0])), py = int(std::floor(w[1]));
    const int left = m.viewport[0], bottom = m.viewport[1], right = left + m.viewport[2], top = bottom + m.viewport[3];
    if (px < left || py < bottom || px >= right || py >= top) return false;
    const int x0 = std::max(px - 1, left), y0 = std::max(py - 1, bottom);
    const int x1 = std::min(px + 1, right - 1), y1 = std::min(py + 1, top - 1);
    const double step = view.depthSlack();
    const double inch = ConvertWorldToScreen(GetWorldFromInches(1.0f, ds), ds, 0);
    // The pieces over the nine pixels that may leave the lamp seen, asked for once: a surface
    // in front may belong to the fixture or be translucent without hiding it.
    std::vector<const PlaneObject*> over;
    bool gathered = false;
    std::vector<Sample> hidden;
    bool seen = false;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const double sx = x + 0.5, sy = y + 0.5, depth = view.depth(x, y);
            Sample s;
            double surface[3];
            if (!SampleAt(sx, sy, w[2], step, inch, c, m, &s) || !Unproject(sx, sy, depth, m, surface)) continue;
            s.seen = s.line.along(surface);
            bool shows = s.seen >= s.centre - s.slack;
            if (!shows && !gathered) {
                gathered = true;
                view.clearOver(x0, y0, x1, y1, over);
            }
            for (size_t i = 0; !shows && i < over.size(); ++i)
                shows = (over[i]->alpha < 255 || fixture.owns(over[i])) && MeetsPieceAt(over[i], s.line, s.seen, s.slack);
            if (shows) seen = true;
            else hidden.push_back(s);
        }
    if (!seen || hidden.empty()) return seen;
    Sample exact;
    if (!SampleAt(w[0], w[1], w[2], step, inch, c, m, &exact)) return true;
    view.piecesOver(x0, y0, x1, y1, over);
    for (const PlaneObject* q : over) {
        if (q->alpha < 255 || fixture.owns(q)) continue;
        for (const Plane* plane = q->planes; plane; plane = plane->next) {
            double hit[3], there[3];
            if (!Crosses(plane, exact.line, 0, exact.centre - exact.slack, hit) || InOpening(q, hit)) continue;
            for (const Sample& s : hidden)
                if (Crosses(plane, s.line, s.seen - s.slack, s.seen + s.slack, there) && !InOpening(q, there))
                    return false;
        }
    }
    return true;
}

ScenePiece PieceOf(const PlaneObject* q) { return {q, q->baseObject, q->object3D, q->alpha < 255}; }

// Every piece of the scene list that holds `p`.
std::vector<ScenePiece> SceneOf(const PlaneObject* p) {
    std::vector<ScenePiece> pieces;
    for (const PlaneObject* q = p; q; q = q->prev) pieces.push_back(PieceOf(q));
    for (const PlaneObject* q = p ? p->next : nullptr; q; q = q->next) pieces.push_back(PieceOf(q));
    return pieces;
}

// The centre of a can light in drawn coordinates, before any per-type shift. The height is
// the fixture's: the scene builds a lamp's pieces with the lamp as their base, while the group
// that holds it carries the elevation.
bool LightCentre(const PlaneObject* p, Objex* light, double* x, double* y, double* z) {
    const DocState* ds = CurrentDocState();
    const Objex* root = GetRootObject(light);
    if (!ds || !p || !root) return false;
    const Float3DRect& b = light->bounds3D;
    *x = (b.floatLeft + b.floatRight) / 2.0;
    *z = (b.floatBack + b.floatFront) / 2.0;
    *y = ConvertWorldToScreen(root->elevation, ds, 0);
    return true;
}

void CanLightMap(PlaneObject* object, Objex* light, FrameView& view) {
    const CanLight* c = light ? CanLightOf(light->type) : nullptr;
    double x, y, z;
    if (!object || !c || !LightCentre(object, light, &x, &y, &z)) return;
    const Saved& m = view.matrices();
    const double centre[3] = {x, y + c->spriteDy, z + c->spriteDz};
    if (!CentreShows(centre, view, Fixture{light, object->baseObject})) return;
    const int alpha = SpriteAlpha(*c, objfield::light::kDimmer(*light));
    DrawSprite(centre[0], centre[1], centre[2], c->width, c->height, alpha, m);
}

void FloodLightMask(PlaneObject* object, Objex* light, FrameView& view) {
    const DocState* ds = CurrentDocState();
    const Objex* wall = object ? object->baseObject : nullptr;
    if (!ds || !light || !wall || wall->type != kWallType || light->typeData.kind != TypeDataKind::Attachment) return;
    const AttachmentRecord* r = light->typeData.attachment;
    if (!r || !r->segmentStart || !r->segmentEnd) return;
    const Poinz* start = r->segmentStart;
    const Poinz* end = r->segmentEnd;
    const float y = ConvertWorldToScreen(objfield::wall::kBaseOffset(*wall), ds, 0) + r->elevation +
                    ConvertWorldToScreen(start->baseElevation, ds, 0);
    float length = 0;
    const float a = GetLineLengthAndAngle(start->position[0], start->position[2], end->position[0], end->position[2],
                                          &length);
    float bx = start->position[0], bz = start->position[2], dx = 0, dz = 0;
    GetPointFromLengthAndAngle(a, r->centreDistance, &dx, &dz);
    bx += dx, bz += dz;
    const float n = r->sideFlag == 0 ? a - float(M_PI / 2) : a + float(M_PI / 2);
    GetPointFromLengthAndAngle(n, ConvertWorldToScreen(wall->penWidth, ds, 0), &dx, &dz);
    bx += dx, bz += dz;
    float heads[2][2];
    for (int i = 0; i < 2; ++i) {
        GetPointFromLengthAndAngle(i == 0 ? n + kHeadAngle : n - kHeadAngle, kHeadDistance, &dx, &dz);
        heads[i][0] = bx + dx, heads[i][1] = bz + dz;
    }
    if (!gQuadricObject) return;
    for (int i = 0; i < 2; ++i) {
        glPushMatrix();
        glTranslated(heads[i][0], y + 5.0, heads[i][1]);
        glRotated(90, 1, 0, 0);
        glRotated(a * 180.0 / M_PI + (i == 0 ? kHeadTilt : -kHeadTilt), 0, 0, -1);
        glRotated(r->sideFlag == 0 ? -kHeadTilt : kHeadTilt, 1, 0, 0);
        // Written where the cone lies in front of the scene, then drawn again: what the cone
        // passes is zeroed, what lies in front of the cone's surface is inverted.
        glEnable(GL_DEPTH_TEST);
        glStencilFunc(GL_ALWAYS, 1, 0xFFFF);
        glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
        gluCylinder(gQuadricObject, kFloodBase, kFloodTop, kFloodLength, kFloodSides, 1);
        glStencilOp(GL_ZERO, GL_INVERT, GL_ZERO);
        gluCylinder(gQuadricObject, kFloodBase, kFloodTop, kFloodLength, kFloodSides, 1);
        glPopMatrix();
    }
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    const Saved& m = view.matrices();
    for (const auto& h : heads) {
        const double centre[3] = {h[0], y + 5.0, h[1]};
        if (CentreShows(centre, view, Fixture{light, nullptr}))
            RenderFloodLightMap(light, h[0], y + 5.0f, h[1], m.modelview, m.projection, m.viewport);
    }
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

void CanLightStep(PlaneObject* p, Objex* light, FrameView& view) {
    const Saved& m = view.matrices();
    glClear(GL_STENCIL_BUFFER_BIT);
    RenderCanLightMask(p, light, m.modelview, m.projection, m.viewport);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glEnable(GL_BLEND);
    glStencilFunc(GL_EQUAL, 1, 0xFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    CanLightMap(p, light, view);
    glEnable(GL_DEPTH_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDisable(GL_BLEND);
    glStencilFunc(GL_ALWAYS, 1, 0xFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

bool InterruptsAllowed() {
    return !gDisableRenderInterrupt && !gPrinting3DView && (gRenderOpenGLAntiAlias || gRenderingShadowMapAntiAlias);
}

}  // namespace

void StartGLContextObjects() {
    if (!gQuadricObject) gQuadricObject = gluNewQuadric();
}

void EndGLContextObjects() {
    if (gQuadricObject) gluDeleteQuadric(gQuadricObject);
    gQuadricObject = nullptr;
}

void RenderCanLightMask(PlaneObject* object, Objex* light, const double*, const double*, const int*) {
    const CanLight* c = light ? CanLightOf(light->type) : nullptr;
    double x, y, z;
    if (!gQuadricObject || !object || !c || !LightCentre(object, light, &x, &y, &z)) return;
    if (c->type == 149) y += 19;
    glPushMatrix();
    glTranslated(x, y, z);
    glColor3ub(255, 255, 255);
    glRotated(90, 1, 0, 0);
    if (c->volume == CanLight::Up) glRotated(180, 1, 0, 0);
    if (c->volume == CanLight::Sphere) gluSphere(gQuadricObject, 10, 30, 30);
    else gluCylinder(gQuadricObject, kConeBase, c->topRadius, kConeHeight, c->sides, 1);
    glPopMatrix();
}

void RenderCanLightMap(PlaneObject* object, Objex* light, const double* modelview, const double* projection,
                       const int* viewport) {
    if (!object || !modelview || !projection || !viewport) return;
    FrameView view(SceneOf(object), {light, object->baseObject}, Saved{modelview, projection, viewport});
    CanLightMap(object, light, view);
}

void RenderFloodLightMask(PlaneObject* object, Objex* light, const double* modelview, const double* projection,
                          const int* viewport) {
    if (!modelview || !projection || !viewport) return;
    FrameView view(SceneOf(object), {light}, Saved{modelview, projection, viewport});
    FloodLightMask(object, light, view);
}

void RenderFloodLightMap(Objex* light, float x, float y, float z, const double* modelview, const double* projection,
                         const int* viewport) {
    if (!light || !modelview || !projection || !viewport) return;
    glEnable(GL_BLEND);
    DrawSprite(x, y, z, 95, 75, 255 - objfield::light::kDimmer(*light) / 2, Saved{modelview, projection, viewport});
}

void RenderLights(PlaneObject* scene) {
    const DocState* ds = CurrentDocState();
    if (!ds || !scene || (ds->renderValue & hideflag::kElectrical) || ds->renderFlag ||
        ds->renderMode == rendermode::kWireframe)
        return;
    double modelview[16], projection[16];
    int viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    // One walk of the list finds every piece and the entries that may glow; the fixtures are
    // then drawn in the list's order, Escape asked for at the same entries as entry by entry.
    std::vector<ScenePiece> pieces;
    for (const PlaneObject* q = scene->prev; q; q = q->prev) pieces.push_back(PieceOf(q));
    const size_t before = pieces.size();
    std::vector<std::pair<PlaneObject*, size_t>> entries;  // with the count of entries up to it
    std::vector<const Objex*> fixtures;
    for (PlaneObject* p = scene; p; p = p->next) {
        pieces.push_back(PieceOf(p));
        const Objex* light = p->object3D;
        if (p->pieceKind != kLightPiece || !light || objfield::light::kGlow(*light) != 0.0f) continue;
        entries.emplace_back(p, pieces.size() - before);
        // A can light's own pieces are those of its plan object too; a flood lamp's are its own.
        if (CanLightOf(light->type) && (fixtures.empty() || fixtures.back() != p->baseObject))
            fixtures.push_back(p->baseObject);
        fixtures.push_back(light);
    }
    const size_t walked = pieces.size() - before;
    FrameView view(std::move(pieces), std::move(fixtures), Saved{modelview, projection, viewport});
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_ALWAYS, 1, 0xFFFF);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);

    const bool polls = InterruptsAllowed();
    size_t counted = 0;
    // Whether Escape came at a 300th entry up to the `upTo`th.
    auto escaped = [&](size_t upTo) {
        for (size_t next = (counted / kPollEvery + 1) * kPollEvery; polls && next <= upTo; next += kPollEvery) {
            counted = next;
            if (PollRenderInterrupt()) return true;
        }
        counted = upTo;
        return false;
    };
    const void* marker = nullptr;
    bool stopped = false;
    for (const auto& [p, count] : entries) {
        if ((stopped = escaped(count))) break;
        Objex* light = p->object3D;
        if (marker && (p->baseObject == marker || light == marker)) continue;
        if (CanLightOf(light->type)) {
            CanLightStep(p, light, view);
            marker = p->baseObject;
        } else if (light->subtype == objfield::light::kFloodSubtype) {
            glClear(GL_STENCIL_BUFFER_BIT);
            FloodLightMask(p, light, view);
            marker = light;
        }
    }
    if (!stopped) escaped(walked);

    glShadeModel(GL_SMOOTH);
    glEnable(GL_DITHER);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_STENCIL_TEST);
    glDisable(GL_BLEND);
}
