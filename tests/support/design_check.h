#pragma once
// The three walks the command table runs after each of its rows:
//   DesignWhole  the linked records hold together: every descendant of a top-level object (its
//                children, generated parts, trim profiles, the objects its attachment or roof
//                attachment record holds, its wall solid or roof panels) names its root's
//                layer or none; parent, child, next and prev links agree both ways; a layer's
//                plan index, where built, holds exactly its top-level objects.
//   UndoState    the design as an undo snapshot stores it, with the current floor, so that
//                an Undo or Redo can be compared with the state a stored step left.
//   SceneState   the live view's pieces, keyed by the objects they were built from, and the
//                ground they stand on, so the scene held after a step can be compared with the
//                one built by a read.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "model/docstate.h"

class QMDDocumentModel;

namespace dvxtest {

// Every fault found, each naming the object's type and ID, its layer and the row.
::testing::AssertionResult DesignWhole(const QMDDocumentModel* doc, const std::string& row);

struct UndoState {
    std::vector<uint8_t> snapshot;  // as the undo ring stores it; zooms and trackingValue fixed
    DocState settings{};            // the same record, for naming a field that differs
    std::string current;            // the current floor's name
    std::string floor;              // the floor a restore makes current: the first shown, active one
    std::vector<std::string> layers;  // per layer: name, objects and selected points
    std::map<std::string, std::vector<uint8_t>> objects;  // each top-level object's record, by type and ID
};
// The current document's state, written as an undo snapshot (at `scratch`, a file path), the
// zooms, the tracking value, the ID counters and how the design is looked at (which a restore
// keeps from before it) left out.
// An object field a read sets where a command left it as it was, so that a restore gives it
// anew: the texture face mapping (the face rectangles, the face axis and the points' u and v),
// the first of `params` (a wall's height, which a read takes from its floor when unset) or
// the points' lengths along their rows (which a read measures again from the points).
struct ReadSetField {
    enum Field { FaceMapping, FirstParam, PointLengths };
    static constexpr int16_t kEveryType = -1;
    // `fromID` of the objects a step makes (its copies), which the step's runner turns into
    // the first ID it made.
    static constexpr uint32_t kMadeByTheStep = 0xFFFFFFFF;
    int16_t type = 0;  // or kEveryType
    Field field = FaceMapping;
    uint32_t fromID = 0;  // only objects of this ID or a later one (0: every object)
};
// `leftOut` names settings fields a row records as differing by the order of the steps;
// `readSet` object fields it records so, for every object of their type at any depth, the part
// lists of its record included: a face mapping left out, a first of `params` and point lengths
// written as a read sets them.
UndoState CaptureUndoState(const std::string& scratch, const std::vector<std::string>& leftOut = {},
                           const std::vector<ReadSetField>& readSet = {});
// Equal, and `got` on the floor a restore of `want` chooses; else what differs (the floor,
// settings fields by name, per-layer counts, the first byte).
::testing::AssertionResult SameUndoState(const UndoState& got, const UndoState& want, const std::string& row);

// The settings record, every floor's own record (name, height, shown, active) and the order of
// the top-level objects on each floor: what a step that stores no undo step leaves as it was,
// but what the step is for. How the design is looked at and the ID counters are left out.
struct DesignRecords {
    DocState settings{};
    std::vector<std::string> floors;  // per floor: name, height, shown, active
    std::vector<std::string> order;   // per floor: its top-level objects' IDs in order
};
DesignRecords CaptureRecords();
// Equal but the settings fields named in `fieldsFor` and, with `floorsFor`, the floors' shown
// and active flags; else what differs.
::testing::AssertionResult SameRecords(const DesignRecords& got, const DesignRecords& want, const std::string& row,
                                       const std::vector<std::string>& fieldsFor = {}, bool floorsFor = false);
// Settings fields that differ, by name, but those in `leftOut`.
std::vector<std::string> SettingsDiffering(const DocState& got, const DocState& want,
                                           const std::vector<std::string>& leftOut = {});

// Every object's record as the file stores it, by floor, type and ID (a group's members named
// too), with no point selected: what a step that stores no undo step must leave as it found;
// the fields of `readSet` written as a read sets them.
using ObjectRecords = std::map<std::string, std::vector<uint8_t>>;
ObjectRecords CaptureObjects(const std::vector<ReadSetField>& readSet = {});
::testing::AssertionResult SameObjects(const ObjectRecords& got, const ObjectRecords& want, const std::string& row);
// Members of a group inside a top-level group named as members of the top-level group: the
// file writes nested groups unbracketed, so a read makes all of them its children.
void NameNestedMembersByTopGroup(ObjectRecords& records);
// The records of the groups standing on the ground, also inside other groups (and their
// members), left out: what a step that moves the ground and stores no undo step (the lot's
// size) places again.
void LeaveOutStandingOnGround(ObjectRecords& records);
// The same records left out of an undo state, its snapshot's bytes too: a restore stands them on
// the ground over the lot as it now is, which no step stores.
void LeaveOutStandingOnGround(UndoState& state);

// The piece kind of the ground, which CaptureScene holds as one piece of no object (its values:
// whether the terrain is in use, the grid's rows and columns, then its heights).
inline constexpr uint16_t kGroundPiece = 0xFFFF;
struct ScenePiece {
    uint32_t root = 0, base = 0;  // object IDs of the piece's top-level object and base object
    uint16_t rootType = 0, baseType = 0, pieceKind = 0, surfaceKind = 0;
    std::vector<float> values;    // per vertex of every plane: H, V, D, u, v
    bool operator<(const ScenePiece& o) const;
};
// A difference the order of a command's steps gives, recorded with its row rather than
// asserted: the pieces of one kind (-1: of every kind) built from an object of `baseType` (-1:
// of any type) under a top-level object of `rootType` (-1: of any type), held by one scene only,
// placed otherwise, or placed alike with other texture coordinates.
struct SceneDifference {
    enum Side { LiveOnly, ReadOnly, Placed, Textured };
    int16_t rootType = 0, baseType = 0;
    int32_t pieceKind = -1;
    Side side = Placed;
    uint32_t root = 0;  // only under the top-level object of this ID (0: under any)
    // Only under top-level objects of this ID or a later one (0: under any; the walk turns
    // ReadSetField::kMadeByTheStep into the first ID the step made).
    uint32_t fromRoot = 0;
    bool covers(const ScenePiece& p, Side s) const;
};
// The scene the live view holds, sorted by what built each piece and where it lies.
std::vector<ScenePiece> CaptureScene();
// Every piece of one within `tolerance` of the other's, but for the `known` differences, whose
// pieces found are counted in `knownFound`.
::testing::AssertionResult SameScene(const std::vector<ScenePiece>& live, const std::vector<ScenePiece>& read,
                                     const std::string& row, const std::vector<SceneDifference>& known = {},
                                     int* knownFound = nullptr, float tolerance = 0.05f);

}  // namespace dvxtest
