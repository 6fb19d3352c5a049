#pragma once
// The type-specific records an object owns (`Objex::typeData`) and the trim records of wall
// points. Every record is allocated zero-filled (`new T{}`) and freed by its owner.
#include <cstddef>
#include <cstdint>

#include "model/types.h"
#include "port/winrecords.h"

struct Objex;
struct Poinz;

// A platform object an object keeps alive (a detail shape's path, a photo's image). The
// model only owns and releases it.
struct PlatformObject {
    virtual ~PlatformObject() = default;
};

// Trims along a wall segment, kept by the segment's start point. Slot value 0x10000 means a
// custom profile given by the matching profile object (owned).
struct TrimRecord {
    static constexpr int32_t kCustomProfile = 0x10000;
    int32_t slot[2] = {};
    Objex* profile[2] = {};
    int32_t texture[5] = {};
    RGBColor color[5] = {};
    uint16_t scale[5][2] = {};  // horizontal, vertical (percent)
};

// A door, window, accessory or component set into a wall segment (also reused by deck steps
// and attached dimensions). Lengths are plan units unless noted. The opening geometry names
// some fields otherwise: `centreDistance` the start distance, `remainder` the end distance,
// `elevation` the sill offset, `generatedParts` the piece list, `customParts[0]` the mask
// list, `trimWidth` the frame width, `sideFlag` the side flag (a door hinges at its first
// point when set), `swingOrOffset` a door's swing angle or an accessory's stand-off from the
// wall face (world units); `directionFlag` is the flip, `frameFlag` the vertical and `reserved`
// the horizontal bar count.
struct AttachmentRecord {
    int16_t ownerType = 0;       // 16, 17, or the symbol/subtype code (157 accessories)
    int16_t style = 0;           // doors 500-512, windows 600-626
    Poinz* segmentStart = nullptr;
    Poinz* segmentEnd = nullptr;
    // The positions of the two points in the host's list while the record is written to or
    // read from a file; the links above are rebuilt from them.
    int32_t startIndex = 0;
    int32_t endIndex = 0;
    float centreDistance = 0;    // segment start to the opening's centre
    float remainder = 0;         // centre to the segment end
    float width = 0;
    float height = 0;
    float elevation = 0;         // the attachment offset (bottom above the segment base)
    Objex* generatedParts = nullptr;
    // Scratch chain of the records of one wall segment (opening carving); never stored.
    AttachmentRecord* prevRecord = nullptr;
    AttachmentRecord* nextRecord = nullptr;
    uint8_t sideFlag = 0;
    float swingOrOffset = 0;     // doors: swing angle (radians); accessories: wall offset (inches)
    int16_t directionFlag = 0;
    int16_t frameFlag = 0;
    int16_t reserved = 0;
    float trimWidth = 0;         // inches
    // Custom door/window part lists; for standard styles list 0 holds the carved mask outline.
    Objex* customParts[7] = {};
    uint8_t insideCustomTrim = 0;
    int32_t insideTrimTexture = 0;
    int16_t insideTrimScale[2] = {};
    RGBColor insideTrimColor;
    Objex* insideTrimProfile = nullptr;
    uint8_t outsideCustomTrim = 0;
    int32_t outsideTrimTexture = 0;
    int16_t outsideTrimScale[2] = {};
    RGBColor outsideTrimColor;
    Objex* outsideTrimProfile = nullptr;
};

// A skylight (160) or dormer cut-out (166) on a roof or freehand roof. The roof geometry
// calls `sectionSubtype` the owning panel number.
struct RoofAttachmentRecord {
    int16_t ownerType = 0;
    int16_t style = 0;           // 800, 801, 802, 806 custom
    float width = 0;
    float length = 0;
    float trimWidth = 0;         // plan units: how far the curb's ring stands off the outline
    float angle = 0;             // degrees
    int32_t sectionSubtype = 0;  // the roof section (10-13) that holds it (the owning panel); 0 on panels
    uint8_t flipFlags[2] = {};   // horizontal, vertical
    Objex* attachment = nullptr; // the attachment object itself (not owned): what picks on its trims select
    Objex* customParts = nullptr;  // the generated symbols (filler planes, custom symbol pieces)
    int32_t customPartCount = 0;
    // A custom definition's pieces by type: outline 61, frame 19, lens 128, then 158, 165.
    Objex* partLists[5] = {};
    // First trim material: the curb on the upper surface.
    int32_t texture1 = 0;
    int16_t textureScale1[2] = {};
    RGBColor color1;
    // Second: the curb on the lower surface and the band round a cut-out.
    int32_t texture2 = 0;
    int16_t textureScale2[2] = {};
    RGBColor color2;
};

// Text objects (144, 145): the string, its font and the box the text fills.
struct TextData {
    char* text = nullptr;        // owned, NUL-terminated, 8-bit Mac OS Roman
    LOGFONT font;
    uint8_t hasFont = 0;
    float boxWidth = 0;
    float boxHeight = 0;
};

// Dimensions (100-108). The first word is the dimension flag word (arrow bits 0-6, arrow
// position 7, text frame 8, tolerance 9-11).
struct DimensionRecord {
    int32_t flags = 0;
    Objex* textBox = nullptr;    // the type-201 text box (a sibling in the group, not owned)
    float valueA = 0;
    float valueB = 0;
};

// The text box of a dimension (type 201).
struct DimensionTextRecord {
    static constexpr int kTransformCount = 15;
    int16_t fontNum = 0;
    int16_t fontSize = 0;
    int16_t fontStyle = 0;
    LOGFONT font;
    Objex* owner = nullptr;      // the dimension (not owned)
    // The leading floats of the last transform record given to the box (in memory only).
    float transform[kTransformCount] = {};
};

// A cabinet assembly's settings: the type data of a cabinet group (group of subtype 136).
// Fields are numbered as the cabinet record stores them.
struct CabinetState {
    float f1 = 0;
    int32_t f2 = 0;
    float f3to17[15] = {};
    uint8_t f18 = 0;
    float f19to21[3] = {};
    int32_t f22 = 0;
    float f23to26[4] = {};
    uint8_t f27 = 0;
    float f28to29[2] = {};
    int32_t f30 = 0;
    float f31to36[6] = {};
    int32_t f37 = 0;
    float f38 = 0;
    int16_t f39 = 0;
    float f40 = 0;
    float elevation = 0;         // field 41, inches
};

enum class TypeDataKind : uint8_t {
    None,
    WallSolid,       // walls: the generated plan solid (subtype 140), owned
    RoofPanels,      // roofs: head of the generated roof panel list, owned
    Attachment,      // 16, 17, 53, 56, 157 and attached dimensions
    RoofAttachment,  // 160, 166
    Text,            // 144, 145
    Dimension,       // 100-108
    DimensionText,   // 201
    ImagePath,       // user plants (28/153) and photos (130): the image file path
    Cabinet,         // groups of subtype 136
};

// The one record an object's type gives it. Exactly the member named by `kind` is set.
struct TypeData {
    TypeDataKind kind = TypeDataKind::None;
    Objex* wallSolid = nullptr;
    Objex* roofPanels = nullptr;
    AttachmentRecord* attachment = nullptr;
    RoofAttachmentRecord* roofAttachment = nullptr;
    TextData* text = nullptr;
    DimensionRecord* dimension = nullptr;
    DimensionTextRecord* dimensionText = nullptr;
    char* imagePath = nullptr;   // owned, NUL-terminated
    CabinetState* cabinet = nullptr;

    bool empty() const { return kind == TypeDataKind::None; }
    void clear() { *this = TypeData{}; }  // forgets, does not free

    static TypeData OfWallSolid(Objex* o) { TypeData t; t.kind = TypeDataKind::WallSolid; t.wallSolid = o; return t; }
    static TypeData OfRoofPanels(Objex* o) { TypeData t; t.kind = TypeDataKind::RoofPanels; t.roofPanels = o; return t; }
    static TypeData OfAttachment(AttachmentRecord* r) { TypeData t; t.kind = TypeDataKind::Attachment; t.attachment = r; return t; }
    static TypeData OfRoofAttachment(RoofAttachmentRecord* r) { TypeData t; t.kind = TypeDataKind::RoofAttachment; t.roofAttachment = r; return t; }
    static TypeData OfText(TextData* r) { TypeData t; t.kind = TypeDataKind::Text; t.text = r; return t; }
    static TypeData OfDimension(DimensionRecord* r) { TypeData t; t.kind = TypeDataKind::Dimension; t.dimension = r; return t; }
    static TypeData OfDimensionText(DimensionTextRecord* r) { TypeData t; t.kind = TypeDataKind::DimensionText; t.dimensionText = r; return t; }
    static TypeData OfImagePath(char* p) { TypeData t; t.kind = TypeDataKind::ImagePath; t.imagePath = p; return t; }
    static TypeData OfCabinet(CabinetState* r) { TypeData t; t.kind = TypeDataKind::Cabinet; t.cabinet = r; return t; }
};

// Copies a string into a new block of its length plus `spare` zero bytes (the convention for
// strings the model owns); null for a null string or when memory runs out. Free with FreeString.
char* CopyString(const char* s, size_t spare = 5);
void FreeString(char* s);
