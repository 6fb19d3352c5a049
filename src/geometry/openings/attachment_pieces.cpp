#include "geometry/openings/attachment_pieces.h"

#include "model/bounds.h"
#include "model/deletion.h"
#include "model/objects.h"
#include "model/texture_mapping.h"

namespace {

constexpr int16_t kPlainPenStyle = 6;
constexpr RGBColor kPieceGrey{0xD0D0, 0xD0D0, 0xD0D0};

}  // namespace

Objex* CreateAttachmentPiece(const Objex* attachment, int16_t type, int16_t rows) {
    if (!attachment) return nullptr;
    const FloatRect bounds{0.0f, 0.0f, 100.0f, 100.0f};
    Objex* piece = CreateObject(type, 1, 1, &attachment->fillColor, &attachment->penColor, 1.0f,
                                kPlainPenStyle, 0, &bounds, nullptr, nullptr,
                                const_cast<Objex*>(attachment), attachment->layer, TypeData{});
    if (piece) piece->rows = rows;
    return piece;
}

bool AddPiecePoint(Objex* piece, const Float3DPoint& at) {
    Poinz* p = CreatePoint(1, 1, 0, 0, 0, 0, at.floatH, at.floatV, at.floatD, 0, 0, 0, 0, 0, 0, piece);
    if (!p) return false;
    AppendPointToObject(p, piece);
    return true;
}

void DiscardAttachmentPiece(Objex* piece) {
    if (!piece) return;
    // Parent and layer are only what the piece belongs to: it is in neither's list.
    piece->prev = piece->next = nullptr;
    piece->parent = nullptr;
    piece->layer = nullptr;
    DeleteObj(piece);
}

void PaintPiecePoints(Objex* piece, const Objex* attachment, PieceMaterial material) {
    if (!piece || !attachment) return;
    const bool grey = material == PieceMaterial::Grey;
    const int32_t texture = grey ? 0 : attachment->texture;
    const RGBColor colour = grey ? kPieceGrey : attachment->penColor;
    for (Poinz* p = piece->firstPoint; p; p = p->next) {
        p->texture1 = p->texture2 = texture;
        p->color1 = p->color2 = colour;
        // Grey points keep the scale they were made with.
        if (!grey) p->faceScale1 = p->faceScale2 = attachment->textureScales[4];
    }
}

void StorePieceBounds(Objex* piece) {
    if (!piece) return;
    FloatRect plan = EmptyFloatRect();
    GetObjectBounds(piece, 0, &plan, 0, 0);
    piece->bounds = plan;
    Float3DRect box = EmptyFloat3DRect();
    GetObject3DBounds(piece, 0, &box, 0);
    piece->bounds3D = box;
}

void AppendPieceToRecord(AttachmentRecord* record, Objex* piece) {
    if (record && piece) AppendObjectToList(record->generatedParts, piece, piece->parent);
}

PieceOutcome AppendAttachmentPiece(const Objex* attachment, AttachmentRecord* record, int16_t type,
                                   int16_t rows, std::span<const Float3DPoint> points,
                                   PieceMaterial material) {
    Objex* piece = CreateAttachmentPiece(attachment, type, rows);
    if (!piece) return PieceOutcome::Skipped;
    for (const Float3DPoint& at : points) {
        if (!AddPiecePoint(piece, at)) {
            DiscardAttachmentPiece(piece);
            return PieceOutcome::Stopped;
        }
    }
    PaintPiecePoints(piece, attachment, material);
    StorePieceBounds(piece);
    SetTextureFaceUV(piece);
    SetObjectPointLengths(piece);
    AppendPieceToRecord(record, piece);
    return PieceOutcome::Appended;
}
