#pragma once
// A small reader of the exchange file written for plug-in tools, for asserting its byte
// layout. It is written from the layout alone and shares nothing with the program's own
// reader or writer, its layout tables included: a field the writer puts in the wrong place,
// in the wrong version or leaves out shifts everything after it, and the parse reports where
// it lost its footing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dvxtest {

// Little-endian fields; a read past the end marks `overrun` and gives 0.
class LittleEndianCursor {
public:
    explicit LittleEndianCursor(const std::vector<uint8_t>& bytes, size_t at = 0) : pos(at), b_(bytes) {}
    uint8_t u8();
    int16_t i16();
    uint16_t u16();
    int32_t i32();
    float f32();
    std::string text();
    std::vector<uint8_t> raw(size_t n);
    // Passes a run of fields: b u8, h 16 bits, f 32 bits, c colour, t text; a count before a
    // letter repeats it ("bb4fh").
    void skip(const char* run);
    bool atEnd() const { return pos >= b_.size(); }

    size_t pos;
    bool overrun = false;

private:
    bool take(size_t n);
    const std::vector<uint8_t>& b_;
};

// A texture field: its number, and the path after a -1.
struct XTexture {
    int32_t id = 0;
    std::string path;
};

struct XMaterial {
    XTexture texture;
    int16_t scale[2] = {};
};

struct XTrim {
    int32_t kind[2] = {};
    int profiles = 0;                  // profile objects between 210 and 211
    size_t materials = 0;              // 9000 on
};

struct XPoint {
    XMaterial side[2];
    int32_t slots[2] = {};             // plain slot words (old walls, other objects)
    std::vector<XTrim> trims;          // wall points of 8000 on
};

struct XObject;

struct XAttachment {
    int16_t style = 0;
    int32_t start = 0, end = 0;
    std::vector<XObject> parts;        // 212..213 (doors, windows) or 215..216 (skylights)
};

struct XObject {
    int16_t tag = 0;                   // the tag before the record (300, 301, 304, 214)
    int16_t type = 0;
    int32_t subtype = 0;
    XMaterial main;                    // texture 23, scale 48
    XMaterial slots[4];                // textures 2 to 5
    int32_t ownerTool = 0;             // 9000 on
    std::vector<XPoint> points;
    std::vector<XObject> hosted;       // wall, deck and roof children with their records
    XAttachment attachment;            // of a hosted child
    bool hasItem = false;              // text, plant name or photo path item present
    std::string item;
    std::vector<uint8_t> font;         // 60 bytes after a text object's text
};

// The flat sequence of a floor: records (tag 300) and group tags (302, 303, 306, 307).
struct XToken {
    int16_t tag = 0;
    XObject object;                    // tag 300
    std::vector<uint8_t> cabinetState; // tag 306: the 158 bytes after the size 164
};

struct XFloor {
    std::string name;
    float height = 0;
    std::vector<XToken> tokens;
};

struct XSettings {
    float penWidth = 0;
    int32_t fontHeight = 0, appFontHeight = 0;
    std::string face, appFace;
    XTexture lotTexture;
    int16_t lotScale[2] = {};
    std::vector<uint16_t> colorTable;  // 216 values
    std::string tracePath;
    uint32_t nextObjectID = 0, nextPointID = 0;
    std::vector<float> fence;          // 9000 on
    int32_t savedViews = -1;           // 10000 on
    std::vector<std::string> viewNames;
    std::vector<std::vector<uint8_t>> viewFields;  // each view's fields after its name
    int32_t palettes = -1;             // 10000 on
};

struct XBlock {
    int32_t size = 0;
    std::vector<uint8_t> data;
};

struct XFile {
    int32_t version = 0;
    XSettings settings;
    std::vector<XFloor> floors;
    size_t objectsEnd = 0;             // offset after tag 500
    std::vector<XBlock> blocks;
    bool complete = false;             // every byte read, no overrun, every tag where due
    std::string problem;
};

XFile ParseExchange(const std::vector<uint8_t>& bytes);
// Every record of a floor, hosted children and parts not included.
std::vector<const XObject*> Records(const XFloor& floor);

}  // namespace dvxtest
