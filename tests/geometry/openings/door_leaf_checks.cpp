#include "door_leaf_checks.h"

#include <cmath>
#include <sstream>

#include "model/objects.h"

namespace dvxtest {

namespace {

struct Corner {
    bool atQ;
    float side;  // of t along the frame's across
};

std::vector<Corner> Pattern(Ring ring) {
    switch (ring) {
    case Ring::Box: return {{false, 1}, {true, 1}, {true, -1}, {false, -1}};
    case Ring::GarageBox: return {{false, -1}, {false, 1}, {true, 1}, {true, -1}};
    case Ring::Flat: return {{false, 0}, {true, 0}};
    }
    return {};
}

}  // namespace

::testing::AssertionResult IsPiece(const Objex* piece, const LeafFrame& frame, Ring ring, Span want,
                                   float t, float tolerance) {
    if (!piece) return ::testing::AssertionFailure() << "no piece";
    const std::vector<Corner> corners = Pattern(ring);
    const int n = static_cast<int>(corners.size());
    if (piece->rows != 2 || piece->pointCount != 2 * n)
        return ::testing::AssertionFailure() << "rows " << piece->rows << ", " << piece->pointCount << " points";
    const Poinz* p = piece->firstPoint;
    for (int i = 0; i < 2 * n; ++i, p = p->next) {
        const Corner& c = corners[i % n];
        const float along = c.atQ ? want.to : want.from;
        const float above = i < n ? want.first : want.second;
        const float across = c.side * t;
        if (std::fabs(frame.along(p) - along) > tolerance || std::fabs(frame.across(p) - across) > tolerance ||
            std::fabs(frame.above(p) - above) > tolerance) {
            return ::testing::AssertionFailure()
                   << "point " << i << " at along " << frame.along(p) << ", across " << frame.across(p)
                   << ", above " << frame.above(p) << "; wanted " << along << ", " << across << ", " << above;
        }
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ArePieces(Objex* head, const LeafFrame& frame,
                                     const std::vector<std::pair<Ring, Span>>& want, float t) {
    const std::vector<Objex*> pieces = ListOf(head);
    if (pieces.size() != want.size())
        return ::testing::AssertionFailure() << pieces.size() << " pieces, wanted " << want.size();
    for (size_t i = 0; i < want.size(); ++i) {
        ::testing::AssertionResult r = IsPiece(pieces[i], frame, want[i].first, want[i].second, t);
        if (!r) return ::testing::AssertionFailure() << "piece " << i + 1 << ": " << r.message();
    }
    return ::testing::AssertionSuccess();
}

std::vector<int16_t> TypesOf(Objex* head) {
    std::vector<int16_t> types;
    for (const Objex* o = head; o; o = o->next) types.push_back(o->type);
    return types;
}

bool AllFinite(Objex* head) {
    for (const Objex* o = head; o; o = o->next)
        for (const Poinz* p = o->firstPoint; p; p = p->next)
            for (float c : p->position)
                if (!std::isfinite(c)) return false;
    return true;
}

void DoorLeafTest::SetUp() {
    SelectionTest::SetUp();
    wall = Wall(floor, {{0, 0}, {500, 0}});
    wall->elevation = 0.0f;
}

Objex* DoorLeafTest::Door(int16_t style, std::pair<float, float> first, std::pair<float, float> second,
                          float height) {
    Objex* door = Opening(wall, objtype::kDoor, style, 0);
    Poinz* a = door->firstPoint;
    Poinz* b = a->next;
    a->position[0] = first.first, a->position[2] = first.second;
    b->position[0] = second.first, b->position[2] = second.second;
    AttachmentRecord* r = Record(door);
    r->height = height;
    r->elevation = 0.0f;
    r->sideFlag = 1;
    r->swingOrOffset = 0.0f;
    return door;
}

}  // namespace dvxtest
