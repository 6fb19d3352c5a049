#pragma once
// The generated pieces of a door, window, accessory or component: closed point objects made in
// the attachment's colours, owned by its record's piece list (linked through next and prev),
// parented to the attachment and on its layer, which the 3D model generation turns into planes.
// Every builder of the opening geometry makes its pieces here, so they all look and finish alike.
#include <cstdint>
#include <span>

#include "model/types.h"

struct AttachmentRecord;
struct Objex;

// The texture, colour and scale every point of a piece takes on both sides.
enum class PieceMaterial : uint8_t {
    Grey,  // no texture, light grey
    Main,  // the attachment's main texture, its pen colour and the texture's scale pair
};

// What became of one piece.
enum class PieceOutcome : uint8_t {
    Appended,  // made, finished and at the tail of the piece list
    Skipped,   // its record could not be made: the build goes on with the next piece
    Stopped,   // a point could not be made: the piece was freed and the build must end here
};

// A piece of the type with no points, `rows` rows (1 one outline, 2 two rings of a band or a
// solid), linked nowhere; null when it cannot be made.
Objex* CreateAttachmentPiece(const Objex* attachment, int16_t type, int16_t rows);
// Appends a point at the position (kind 1, selected, unlocked, no tangents); false when the
// point cannot be made.
bool AddPiecePoint(Objex* piece, const Float3DPoint& at);
// Frees a piece that was never linked into a list.
void DiscardAttachmentPiece(Objex* piece);
void PaintPiecePoints(Objex* piece, const Objex* attachment, PieceMaterial material);
// Stores the piece's plan and 3D bounds, each grown from an empty box.
void StorePieceBounds(Objex* piece);
void AppendPieceToRecord(AttachmentRecord* record, Objex* piece);

// All of the above for one piece through the points in order, finished in the material:
// bounds, texture coordinates and point lengths, then appended to the record's piece list.
PieceOutcome AppendAttachmentPiece(const Objex* attachment, AttachmentRecord* record, int16_t type,
                                   int16_t rows, std::span<const Float3DPoint> points,
                                   PieceMaterial material = PieceMaterial::Main);
