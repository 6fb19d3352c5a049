// Writes the seed inputs of the fuzz targets, a few valid inputs per accepted version, into
// <fuzz folder>/corpus/<target>/seeds, and the kept inputs built rather than found (named
// after the fault they once showed) into <fuzz folder>/corpus/<target>/regressions. Files come from the program's own writers where one
// exists; the formats nothing here writes (object and topography files) are laid out field
// by field with the stream writers. Every design-file seed is read back before it is kept.
//   build/fuzz/make_seeds fuzz
#include "content/core/content_selection_seams.h"
#include "model/sym_entry.h"
#include "files/cabinet_files.h"
#include "files/copy_paste.h"
#include "files/design_file.h"
#include "files/docstate_io.h"
#include "files/object_io.h"
#include "files/object_records.h"
#include "files/palettes.h"
#include "files/streams.h"
#include "files/topography.h"
#include "files/undo.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/type_data.h"
#include "object_file_bytes.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/exchange_writer.h"
#include "powertools/core/power_tool_message.h"
#include "tools/attachment_defaults.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstring>
#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

constexpr int32_t kDesignVersions[] = {10000, 10300, 10350, 10351, 10400, 10410, 10450, 10500,
                                       10700, 10701, 10750, 10800, 10900, 11000, 11100};
constexpr int32_t kCabinetVersions[] = {10450, 10500, 10700, 10701, 10750, 10800, 10900, 11000, 11100};

fs::path gCorpus;
int gFailures = 0;

void Save(const char* target, const std::string& name, const Bytes& bytes, const char* folder = "seeds") {
    const fs::path dir = gCorpus / target / folder;
    fs::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      static_cast<std::streamsize>(bytes.size()));
}

void Save(const char* target, const std::string& name, const std::string& text) {
    Save(target, name, Bytes(text.begin(), text.end()));
}

void Fail(const std::string& what) {
    std::fprintf(stderr, "make_seeds: %s\n", what.c_str());
    ++gFailures;
}

// What the writer puts into the output buffer.
Bytes Written(const std::function<void()>& write) {
    StartOutputBuffer();
    write();
    Bytes out = gOutDataBuffer;
    ReleaseOutputBuffer();
    return out;
}

Bytes WithPrefix(uint8_t first, const Bytes& rest) {
    Bytes out(rest.size() + 1, first);
    std::copy(rest.begin(), rest.end(), out.begin() + 1);
    return out;
}

Objex* Shape(int16_t type, std::initializer_list<std::array<float, 3>> points) {
    RGBColor black;
    FloatRect bounds;
    Objex* o = CreateObject(type, 1, 1, &black, &black, 1.0f, 6, 0, &bounds, nullptr, nullptr, nullptr, nullptr,
                            TypeData{});
    for (const auto& p : points)
        AppendPointToObject(CreatePoint(1, 1, 0, 0, 0, 0, p[0], p[1], p[2], 0, 0, 0, 0, 0, 0, o), o);
    return o;
}

// A small design on the current floor: a rectangle, a line, a detail outline, a wall with
// a door and a window, and a group of two rectangles.
void AddDesign(QMDDocumentModel* doc) {
    Layer* floor = doc->itsCurLayer;
    AppendObjectToLayer(Shape(objtype::kRectangle, {{{0, 0, 0}}, {{48, 0, 0}}, {{48, 0, 36}}, {{0, 0, 36}}}), floor);
    AppendObjectToLayer(Shape(objtype::kLine, {{{0, 0, 0}}, {{120, 0, 60}}}), floor);
    AppendObjectToLayer(Shape(objtype::kDetail, {{{10, 0, 10}}, {{20, 0, 10}}, {{20, 0, 30}}}), floor);
    Objex* wall = Shape(objtype::kWall, {{{0, 0, 0}}, {{240, 0, 0}}});
    AppendObjectToLayer(wall, floor);
    for (int16_t type : {objtype::kDoor, objtype::kWindow}) {
        Objex* opening = Shape(type, {{{type == objtype::kDoor ? 40.0f : 140.0f, 0, 0}},
                                      {{type == objtype::kDoor ? 76.0f : 176.0f, 0, 0}}});
        auto* r = new AttachmentRecord{};
        r->ownerType = type;
        opening->typeData = TypeData::OfAttachment(r);
        AppendChildToObject(opening, wall);
        opening->layer = floor;
    }
    Objex* group = Shape(objtype::kGroup, {});
    for (float h : {300.0f, 360.0f}) {
        Objex* part = Shape(objtype::kRectangle, {{{h, 0, 0}}, {{h + 30, 0, 0}}, {{h + 30, 0, 30}}, {{h, 0, 30}}});
        AppendChildToObject(part, group);
        part->layer = floor;
    }
    AppendObjectToLayer(group, floor);
}

// A long wall and a long path zigzagging over the floor: a read rebuilds each round every point.
void AddLongWallAndPath(QMDDocumentModel* doc) {
    Layer* floor = doc->itsCurLayer;
    for (auto [type, points, d] : {std::tuple{objtype::kWall, 1500, 0.0f}, std::tuple{objtype::kPath, 500, 600.0f}}) {
        Objex* o = Shape(type, {});
        o->closed = 0;
        o->penWidth = type == objtype::kPath ? 36.0f : 6.0f;
        Poinz* tail = nullptr;
        for (int i = 0; i < points; ++i)
            tail = AppendPointAfter(CreatePoint(1, 0, 0, 0, 0, 0, static_cast<float>(i) * 1.5f, 0,
                                                d + static_cast<float>(i % 2) * 24.0f, 0, 0, 0, 0, 0, 0, o),
                                    o, tail);
        AppendObjectToLayer(o, floor);
    }
}

QMDDocumentModel* FreshDocument(bool withDesign) {
    QMDDocumentModel* doc = QMDDocumentModel::alloc()->init();
    gCurDocument = doc;
    if (doc && withDesign) AddDesign(doc);
    return doc;
}

void Dispose(QMDDocumentModel* doc) {
    if (doc) doc->dealloc();
    gCurDocument = nullptr;
}

// The current document as a design file of the version: the settings block that version
// holds, the objects, blocks, cameras and palettes as written at it. Without `whole`, only
// what the template readers take: up to the end of the objects.
Bytes DesignFileAt(int32_t version, bool whole = true) {
    sWriteVersion = version;
    DocStateVersion layout;
    DocStateVersionOfFile(version, &layout);
    Bytes out = Written([&] {
        DoWriteHeader();
        WriteLong(kDocStateLengthField);
        ApplePortWritePaddedDocStateOfVersion(CurrentDocState(), layout);
        DoWriteObjects();
        if (!whole) return;
        DoWriteBlackBoxes();
        DoWriteLiveViews();
        DoWritePalettes(version);
    });
    sWriteVersion = kDesignFileVersion;
    return out;
}

// The bytes read as a whole design file into a fresh document.
bool ReadsBack(const Bytes& bytes, const std::string& name) {
    QMDDocumentModel* keep = gCurDocument;
    const fs::path path = fs::temp_directory_path() / ("make_seeds_" + name);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    QMDDocumentModel* scratch = FreshDocument(false);
    const int read = KeyFileRead(path.string().c_str());
    Dispose(scratch);
    gCurDocument = keep;
    fs::remove(path);
    if (read != 1) Fail(name + " does not read back");
    return read == 1;
}

void DesignFileSeeds() {
    QMDDocumentModel* doc = FreshDocument(true);
    for (int32_t v : kDesignVersions) {
        const Bytes bytes = DesignFileAt(v);
        const std::string name = "design_" + std::to_string(v);
        if (!ReadsBack(bytes, name)) continue;
        Save("fuzz_design_file", name, bytes);
        const Bytes objects = DesignFileAt(v, false);
        Save("fuzz_template", "template_" + std::to_string(v), objects);
        Save("fuzz_symbol2d", "symbol_" + std::to_string(v), objects);
        // A trim definition with its side file's lines after the objects.
        Bytes trim = objects;
        const std::string side = "\r\n[Description]\r\nTrimName=Colonial Base\r\n";
        trim.insert(trim.end(), side.begin(), side.end());
        Save("fuzz_trim_file", "trim_" + std::to_string(v), trim);
    }
    Dispose(doc);
    doc = FreshDocument(false);
    Save("fuzz_design_file", "empty_11100", DesignFileAt(11100));
    AddLongWallAndPath(doc);
    const Bytes longObjects = DesignFileAt(11100);
    if (ReadsBack(longObjects, "long_wall_11100")) Save("fuzz_design_file", "long_wall_11100", longObjects);
    Dispose(doc);
}

// A group holding a group and a rectangle, on the current floor: snapshots bracket both.
void AddNestedGroups(QMDDocumentModel* doc) {
    Layer* floor = doc->itsCurLayer;
    Objex* outer = Shape(objtype::kGroup, {});
    Objex* inner = Shape(objtype::kGroup, {});
    for (Objex* into : {inner, outer}) {
        const float h = into == inner ? 500.0f : 560.0f;
        Objex* part = Shape(objtype::kRectangle, {{{h, 0, 0}}, {{h + 30, 0, 0}}, {{h + 30, 0, 30}}, {{h, 0, 30}}});
        if (into == outer) AppendChildToObject(inner, outer), inner->layer = floor;
        AppendChildToObject(part, into);
        part->layer = floor;
    }
    AppendObjectToLayer(outer, floor);
}

void SnapshotSeeds() {
    for (int kind = 0; kind < 3; ++kind) {
        const bool withDesign = kind > 0;
        QMDDocumentModel* doc = FreshDocument(withDesign);
        if (kind == 2) AddNestedGroups(doc);
        const fs::path path = fs::temp_directory_path() / "make_seeds_snapshot";
        if (SaveState(path.string().c_str()) != 1) Fail("snapshot not written");
        std::ifstream in(path, std::ios::binary);
        const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        fs::remove(path);
        Save("fuzz_undo_snapshot", kind == 2 ? "snapshot_nested_groups" : withDesign ? "snapshot_design" : "snapshot_empty", bytes);
        Dispose(doc);
    }
}

// A definition: one part of each type the lists sort by, at 10900 and 11100.
void DefinitionSeeds() {
    QMDDocumentModel* doc = FreshDocument(false);
    float h = 0;
    for (int16_t type : {objtype::kOpeningMask, objtype::kWindowSeparator, objtype::kDoorHardware,
                         objtype::kSkylightPart, objtype::kSkylightPart5, objtype::kDetail}) {
        AppendObjectToLayer(Shape(type, {{{h, 5, 0}}, {{h + 4, 7, 0}}, {{h + 4, 30, 2}}}), doc->itsCurLayer);
        h += 10;
    }
    for (int32_t v : {10900, 11100}) {
        const Bytes bytes = DesignFileAt(v);
        if (ReadsBack(bytes, "definition")) Save("fuzz_custom_definition", "definition_" + std::to_string(v), bytes);
    }
    Dispose(doc);
}

// The selection of the design copied: whole, cut inside its last record, and cut before the
// end tag; each after the byte that picks the source document and floor.
void PasteSeeds() {
    QMDDocumentModel* doc = FreshDocument(true);
    SelectAllLayers(doc->itsLayers, selmode::kSelect, 1);
    DoCopyObjects();
    const Bytes scrap = gPrivateScrap;
    Save("fuzz_paste", "scrap_whole", WithPrefix(0, scrap));
    Save("fuzz_paste", "scrap_other_document", WithPrefix(1, scrap));
    Save("fuzz_paste", "scrap_cut", WithPrefix(2, Bytes(scrap.begin(), scrap.begin() + scrap.size() * 2 / 3)));
    Save("fuzz_paste", "scrap_no_end", WithPrefix(3, Bytes(scrap.begin(), scrap.end() - 2)));
    Dispose(doc);
}

void CabinetSeeds() {
    QMDDocumentModel* doc = FreshDocument(false);
    CabinetState state;
    state.f1 = 24;
    for (int32_t v : kCabinetVersions) {
        sWriteVersion = v;
        Objex* part = Shape(objtype::kCabinetPart, {{{0, 0, 0}}, {{24, 0, 0}}, {{24, 0, 24}}, {{0, 0, 24}}});
        part->layer = doc->itsCurLayer;
        Save("fuzz_cabinet", "cabinet_" + std::to_string(v), Written([&] {
                 DoWriteHeader();
                 DoWriteCabinetState(&state);
                 DoWriteCabinetObjects(part);
                 DoWritePalettes(v);
             }));
        DeleteObj(part);
    }
    sWriteVersion = kDesignFileVersion;
    Dispose(doc);
}

// Topography files: the grid, then (new magic) the objects' version or (old magic) a
// version-10800 settings block, then a terrain object.
void TopoSeeds() {
    QMDDocumentModel* doc = FreshDocument(false);
    for (int32_t magic : {kTopoFileMagicOld, kTopoFileMagic}) {
        const int32_t version = magic == kTopoFileMagic ? 11100 : 10800;
        sWriteVersion = version;
        Objex* terrain = Shape(objtype::kTopography, {{{0, 0, 0}}, {{100, 5, 0}}, {{100, 0, 100}}});
        terrain->layer = doc->itsCurLayer;
        Save("fuzz_topo", "topo_" + std::to_string(magic), Written([&] {
                 WriteLong(magic);
                 for (float f : {48.0f, 100.0f, 80.0f}) WriteFloat(f);
                 WriteShort(4);
                 for (float f : {0.0f, 1200.0f, 0.0f, 960.0f}) WriteFloat(f);
                 WriteLong(2);
                 WriteLong(2);
                 for (int i = 0; i < 9; ++i) WriteFloat(static_cast<float>(i % 4));
                 if (magic == kTopoFileMagic) {
                     WriteStdLong(version);
                 } else {
                     WriteLong(kDocStateLengthField);
                     ApplePortWritePaddedDocStateOfVersion(CurrentDocState(), DocStateVersion::V80);
                 }
                 WriteShort(designtag::kObject);
                 WriteAnObject(terrain);
                 WriteShort(designtag::kSectionEnd);
             }));
        DeleteObj(terrain);
    }
    sWriteVersion = kDesignFileVersion;
    Dispose(doc);
}

void ObjectFileSeeds() {
    QMDDocumentModel* doc = FreshDocument(false);
    Save("fuzz_object_file", "object_10000", Written([] { fuzz::WriteObjectFile(10000, 2); }));
    Save("fuzz_object_file", "object_10001", Written([] { fuzz::WriteObjectFile(10001, 3); }));
    Dispose(doc);
}

// Each accepted record version: its index, then tagged records written at that version.
void ObjectRecordSeeds() {
    constexpr int32_t kRecordVersions[] = {10000, 10300, 10350, 10351, 10400, 10410, 10450, 10500,
                                           10700, 10701, 10750, 10800, 10900, 11000, 11100};
    QMDDocumentModel* doc = FreshDocument(true);
    for (size_t i = 0; i < std::size(kRecordVersions); ++i) {
        sWriteVersion = kRecordVersions[i];
        const Bytes records = Written([&] {
            for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next) {
                if (o->type == objtype::kGroup) continue;
                WriteShort(designtag::kObject);
                WriteAnObject(o);
            }
        });
        Save("fuzz_object_records", "records_" + std::to_string(kRecordVersions[i]),
             WithPrefix(static_cast<uint8_t>(i), records));
    }
    sWriteVersion = kDesignFileVersion;
    Dispose(doc);
}

void SettingsSeeds() {
    QMDDocumentModel* doc = FreshDocument(false);
    for (int v = 0; v < kDocStateVersionCount; ++v) {
        const Bytes block = Written([&] {
            WriteLong(kDocStateLengthField);
            ApplePortWritePaddedDocStateOfVersion(CurrentDocState(), static_cast<DocStateVersion>(v));
        });
        Save("fuzz_docstate", "settings_" + std::to_string(v), WithPrefix(static_cast<uint8_t>(v), block));
    }
    Dispose(doc);
}

void PaletteSeeds() {
    QMDDocumentModel* doc = FreshDocument(false);
    // The target reads an odd-sized input at 11000, an even-sized one at 11100.
    for (int32_t v : {11000, 11100}) {
        Bytes section = Written([&] { DoWritePalettes(v); });
        if ((section.size() % 2 == 1) != (v == 11000)) section.push_back(0);
        Save("fuzz_palettes", "palettes_" + std::to_string(v), section);
    }
    const fs::path path = fs::temp_directory_path() / "make_seeds_palette";
    if (PaletteFileWrite(path.string().c_str()) != 1) Fail("palette file not written");
    std::ifstream in(path, std::ios::binary);
    Save("fuzz_palette_file", "palette", Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    fs::remove(path);
    Dispose(doc);
}

void TextSeeds() {
    Save("fuzz_ini", "sizes", "[Size]\r\nWidth=120\r\nHeight=96\r\n\r\n[Description]\r\nName=Oak\r\n");
    Save("fuzz_ini", "sections", "Size=Width\n[A]\nx=1\n[a]\nx=2\n[Description]\nPath=C:\\Zelt\\a.jpg\n");
    // Plug-in tool descriptors: a complete one, one that lacks its image, one too new to read.
    const std::string tool = "[Description]\r\nDirectory=Deck\r\nPlugIn=Deck.app\r\nImage=deck.png\r\n"
                             "DisplayName=Deck Designer\r\nDisplayDescription=Designs decks\r\n"
                             "AppleAppID=com.example.deck\r\nDeveloperID=7\r\nID=120\r\nType=1\r\nRefID=2\r\n";
    Save("fuzz_powertool_descriptor", "complete", tool + "FileVersion=10000\r\nMinFileVersion=8000\r\n");
    Save("fuzz_powertool_descriptor", "bad_image", "[Description]\nDirectory=x\nPlugIn=y\nImage=bad.png\n"
                                                   "DisplayName=n\nAppleAppID=a\nID=1\nType=1\n");
    Save("fuzz_powertool_descriptor", "too_new", tool + "FileVersion=12000\r\n");
    Save("fuzz_macroman", "text", "Caf\x8e \xa5 50\xa1 \xd2quoted\xd3 \xff");
    Save("fuzz_macroman", "utf8", "Caf\xc3\xa9 \xe2\x80\xa2 \xe2\x82\xac");
    Save("fuzz_trim_file", "side_only", "[Description]\r\nTrimName=Ogee Crown\r\n");
    Save("fuzz_texture_info", "size", "[Size]\r\nWidth=120\r\nHeight=96\r\n");
    Save("fuzz_texture_info", "no_height", "[Description]\nName=Brick\n[Size]\nWidth=-12\n");
    Save("fuzz_plant_info", "plant",
         "[Description]\r\nCommonName=Red Maple\r\nBotanicalName=Acer rubrum\r\nType=2\r\nPropagation=1\r\n"
         "Water=2\r\nSunLight=3\r\nMaximumGrowthHeight=720\r\nSoilType=1\r\nZone3=1\r\nZone4=1\r\nZone9=1\r\n"
         "AnnualGrowthRate=15\r\n");
    Save("fuzz_plant_info", "sparse", "[Description]\nCommonName=Fern\nMaximumGrowthHeight=0\n");
    Save("fuzz_content_provider", "vendor",
         "[Provider]\r\nName=Cedar \xc9tage\r\nURL=example.com/x\r\nAddr1=1 Elm\r\nCityStateZIP=Oak, CA\r\n"
         "Phone=555-1\r\nFax=555-2\r\nDescription=Doors\r\nLogo=cedar.png\r\n");
    Save("fuzz_content_provider", "long", "[Provider]\nPhone=" + std::string(300, '5') + "\nFax=9\n");
    Save("fuzz_object_sidecar", "flat", "[Style]\r\nObject2D=1\r\n");
    Save("fuzz_object_sidecar", "solid", "[Description]\nName=Chair\n[Style]\nObject2D=0\n");
}

void ImageSeeds() {
    QImage image(6, 4, QImage::Format_RGB888);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) image.setPixelColor(x, y, QColor(40 * x, 60 * y, 200 - 30 * x));
    for (const char* format : {"PNG", "BMP", "JPG", "PPM", "XPM"}) {
        QByteArray data;
        QBuffer buffer(&data);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, format)) {
            Fail(std::string("no ") + format + " writer");
            continue;
        }
        Save("fuzz_images", std::string("image.") + QByteArray(format).toLower().constData(),
             Bytes(data.begin(), data.end()));
    }
    QImage gray = image.convertToFormat(QImage::Format_Grayscale8);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    gray.save(&buffer, "PNG");
    Save("fuzz_images", "gray.png", Bytes(data.begin(), data.end()));
}

// Drag records of a few entry kinds, written by the entry itself.
void ContentRecordSeeds() {
    SymEntryInfo object;
    object.type = 2, object.refNum = 3;
    object.objectPreview = "/Library/Objects/Chair.PPV", object.objectData = "/Library/Objects/Chair.POB";
    object.objectInfo = "/Library/Objects/Chair.POD", object.objectDescription = "Chair";
    SymEntryInfo colour;
    colour.type = 4, colour.refNum = 12, colour.colorIndex = 11, colour.textureColor = {255, 128, 0};
    SymEntryInfo plant;
    plant.type = 6, plant.textureID = 2001, plant.textureScale = {100, 100};
    plant.objectData = "/Library/Plants/Oak.PTX", plant.objectInfo = "/Library/Plants/Oak.PTI";
    for (const auto& [name, entry] : {std::pair{"object", object}, {"colour", colour}, {"plant", plant}})
        Save("fuzz_sym_entry", name, entry.encodeSymEntry());
    // Records the decoder refuses: one cut inside its last string, one whose first length
    // runs past its end.
    Bytes record = object.encodeSymEntry();
    Save("fuzz_sym_entry", "object_cut", Bytes(record.begin(), record.end() - 7));
    record[27] = 0xFF;
    Save("fuzz_sym_entry", "length_beyond", record);
    // The library's other entry kinds, as its initializers make them.
    const std::pair<const char*, SymEntryInfo> kinds[] = {
        {"stock_material", SymEntryInfo::initWithPreviewPath(nullptr, "/T/Brick/BRICK1.PTI", "/T/Brick/BRICK1.PTX",
                                                             "Red Brick", 850, 1, symentry::kStockMaterial)},
        {"stock_trim", SymEntryInfo::initWithPreviewPath("/T/Wc/WC1M.PPV", "/T/Wc/WC1M.PTI", nullptr, "Wainscot",
                                                         300, 1, symentry::kStockTrim)},
        {"custom_texture", SymEntryInfo::initWithPreviewPath("Accessories/Vases/urn.PPV", "Accessories/Vases/urn.PTI",
                                                             "Accessories/Vases/urn.PTX", "Urn", 2,
                                                             symentry::kCustomTexture)},
        {"custom_window", SymEntryInfo::initWithPreviewPath("Bays/bay.PPV", "Bays/bay.PTI", "Bays/bay.ptf",
                                                            "Bay (Three panes)", 1, symentry::kCustomWindow)},
        {"custom_door", SymEntryInfo::initWithPreviewPath("Oak/oak.PPV", "Oak/oak.PTI", "Oak/oak.PTF", "Oak", 3,
                                                          symentry::kCustomDoor)},
        {"custom_trim", SymEntryInfo::initWithPreviewPath("Crowns/cove.PPV", "Crowns/cove.PTI", "Crowns/cove.PTF",
                                                          "Cove", 1, symentry::kCustomTrim)},
        {"ramp_colour", SymEntryInfo::initWithColorIndex(26, 170, 26, symentry::kColor)},
        {"paint_colour", SymEntryInfo::initWithRed(180, 40, 30, "Barn Red", 1, symentry::kColor)},
    };
    for (const auto& [name, entry] : kinds) Save("fuzz_sym_entry", name, entry.encodeSymEntry());
}

// Catalogues whose sections also serve as an object's info file and a paint file, so one
// input reaches both readers and the rebuilds.
void ContentCatalogueSeeds() {
    const std::string listing =
        "[Object]\n1Object=Chairs\n1ObjectDirectory=Chairs\n2Object=Tables\n2ObjectDirectory=Tables\n"
        "[Chairs]\n1Chairs=Dining\n1ChairsDirectory=Dining\n2Chairs=Office\n2ChairsDirectory=Office\n"
        "[Paint]\n1Paint=Reds\n1PaintDirectory=Reds\n";
    const std::string files =
        "[Description]\nObjectName=Chair\nObjectDescription=Ladder back\n"
        "[CategoryInfo]\nCatID=2\n"
        "[PaintInfo]\nRed-1=180\nGreen-1=40\nBlue-1=30\nName-1=Barn Red\nRed-2=65800\nGreen-2=0\nBlue-2=9\n";
    Save("fuzz_content_catalogue", "catalogue", listing + files);
    Save("fuzz_content_catalogue", "listing_only", listing);
    Save("fuzz_content_catalogue", "skipped_and_done",
         "[Object]\n1Object=NoFolder\n2Object=done\n2ObjectDirectory=done\n3Object=Done\n3ObjectDirectory=x\n"
         "4Object=After\n4ObjectDirectory=After\n[done]\n");
    Save("fuzz_content_catalogue", "long_values",
         "[Object]\n1Object=" + std::string(600, 'c') + "\n1ObjectDirectory=" + std::string(600, 'd') +
             "\n[Description]\nObjectName=" + std::string(300, 'n') + "\nObjectDescription=" +
             std::string(300, 'e') + "\n");
}

// Whole exchange files of every version from the small design, and tool results built from
// its records: replacements on their floor and on the current one, a group, a named floor,
// the end token and a data block.
void ExchangeSeeds() {
    QMDDocumentModel* doc = FreshDocument(true);
    const fs::path path = fs::temp_directory_path() / "make_seeds_exchange";
    for (int32_t v : {5000, 7500, 8000, 9000, 10000, 11000}) {
        if (PlugInFileWrite(path.string().c_str(), 120, 0, v) != 1) {
            Fail("exchange file not written");
            continue;
        }
        std::ifstream in(path, std::ios::binary);
        Save("fuzz_plugin_exchange", "exchange_" + std::to_string(v),
             Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
    fs::remove(path);
    Layer* floor = doc->itsCurLayer;
    Objex* first = floor->firstObject;
    Objex* group = nullptr;
    for (Objex* o = first; o; o = o->next)
        if (o->type == objtype::kGroup) group = o;
    for (int32_t v : {7500, 11000}) {
        sPlugInWriteVersion = v;
        Save("fuzz_plugout", "result_" + std::to_string(v), Written([&] {
                 WriteStdLong(120);
                 WriteStdLong(v);
                 WriteStdShort(exchange::kPlatform);
                 WriteStdShort(309);
                 WriteStdULong(1);
                 WriteAPlugInObject(first);
                 WriteAPlugInObject(group);
                 WriteStdShort(308);
                 WriteStdLong(12);
                 WriteSome("Second Floor", 12);
                 WriteStdShort(310);
                 WriteStdULong(2);
                 for (Objex* o = first; o; o = o->next) WriteAPlugInObject(o);
                 WriteStdShort(exchange::kObjectsEndTag);
                 WriteStdShort(exchange::kDataBlockTag);
                 WriteStdLong(5);
                 WriteSome("state", 5);
                 WriteStdShort(exchange::kDataBlockEndTag);
             }));
    }
    sPlugInWriteVersion = xver::k11000;
    Dispose(doc);
}

// Objects read onto one floor beneath a root on another: every floor is deleted in turn after
// the read, so a piece left naming the first one is met once it is freed. A version-10350
// design whose deck on the second floor has steps on every edge (read while the first floor
// is current), a tool's result that opens a group on the second floor and names the first
// floor for its member, a wall with a door and a window, and a design whose plan detail
// record comes before the first floor's.
void LayerRegressions() {
    QMDDocumentModel* doc = FreshDocument(false);
    Layer* second = GetLayerFromName("Second Floor");
    if (!second) {
        Fail("no second floor");
        Dispose(doc);
        return;
    }
    Objex* deck = Shape(objtype::kDeck, {{{0, 0, 0}}, {{240, 0, 0}}, {{240, 0, 180}}, {{0, 0, 180}}});
    deck->closed = 1;
    for (Poinz* p = deck->firstPoint; p; p = p->next) {
        p->segmentFlags = 2;
        p->segmentValues[1] = 36.0f;
        p->segmentValues[2] = 7.0f;
    }
    AppendObjectToLayer(deck, second);
    const Bytes design = DesignFileAt(10350);
    if (ReadsBack(design, "upper_deck_steps"))
        Save("fuzz_design_file", "use-after-free-upper-floor-deck-edge-steps", design, "regressions");
    Dispose(doc);

    doc = FreshDocument(true);
    Objex* wall = nullptr;
    for (Objex* o = doc->itsCurLayer->firstObject; o; o = o->next)
        if (o->type == objtype::kWall) wall = o;
    Objex* group = Shape(objtype::kGroup, {});
    auto floorName = [](const char* name) {
        WriteStdShort(308);
        WriteStdLong(static_cast<int32_t>(std::strlen(name)));
        WriteSome(name, static_cast<uint32_t>(std::strlen(name)));
    };
    Save("fuzz_plugout", "use-after-free-floor-named-in-open-group", Written([&] {
             WriteStdLong(120);
             WriteStdLong(11000);
             WriteStdShort(exchange::kPlatform);
             floorName("Second Floor");
             WriteAPlugInObject(group);
             WriteStdShort(exchange::kGroupBeginTag);
             floorName("First Floor");
             WriteAPlugInObject(wall);
             WriteStdShort(exchange::kGroupEndTag);
             WriteStdShort(exchange::kObjectsEndTag);
             WriteStdShort(exchange::kDataBlockEndTag);
         }), "regressions");
    DeleteObj(group);
    Dispose(doc);

    // An older file's plan detail record ("X_TOP_FIRST_FLOOR") before the first floor's, holding
    // a wall with a window: the read moves the wall onto the floor, with the pieces it builds
    // for it and its window on the record's layer.
    doc = FreshDocument(false);
    Layer* detail = doc->itsLayers;
    Layer* floor = CreateLayer("First Floor", 1, 1, nullptr);
    std::strcpy(detail->name, "X_TOP_FIRST_FLOOR");
    AppendLayerToDocument(floor);
    Objex* held = Shape(objtype::kWall, {{{0, 0, 0}}, {{240, 0, 0}}});
    AppendObjectToLayer(held, detail);
    Objex* window = Shape(objtype::kWindow, {{{140, 0, 0}}, {{176, 0, 0}}});
    window->typeData = TypeData::OfAttachment(NewWindowRecord(held->firstPoint, held->firstPoint->next, 158));
    AppendChildToObject(window, held);
    const Bytes detailFirst = DesignFileAt(kDesignVersions[std::size(kDesignVersions) - 1]);
    if (ReadsBack(detailFirst, "detail_record_first"))
        Save("fuzz_design_file", "use-after-free-plan-detail-record-before-first-floor", detailFirst, "regressions");
    Dispose(doc);
}

// What tools send: an update with the three keys and the extra ones, a no-update, and two
// messages back to back.
void PowerToolMessageSeeds() {
    auto keys = [](const char* name) {
        return PowerToolMessage{name,
                                {{kAuxDictPowerToolIDKey, PowerToolValue::Of(int64_t(118))},
                                 {kAuxDictUserIDKey, PowerToolValue::Of(int64_t(1000))},
                                 {kAuxDictDocumentIDKey, PowerToolValue::Of(int64_t(42))}}};
    };
    PowerToolMessage update = keys(kPowerToolClosingUpdate);
    update.values[kAuxDictTopographyKey] = PowerToolValue::Of(std::string("/home/user/lot.topo"));
    update.values[kAuxDictGSPSunLotAngleKey] = PowerToolValue::Of(30.5);
    const Bytes first = EncodePowerToolMessage(update);
    const Bytes second = EncodePowerToolMessage(keys(kPowerToolClosingNoUpdate));
    Save("fuzz_powertool_message", "update", first);
    Save("fuzz_powertool_message", "no_update", second);
    Bytes both = first;
    both.insert(both.end(), second.begin(), second.end());
    Save("fuzz_powertool_message", "two_messages", both);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <fuzz folder>\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    gCorpus = fs::path(argv[1]) / "corpus";
    DesignFileSeeds();
    SnapshotSeeds();
    DefinitionSeeds();
    PasteSeeds();
    CabinetSeeds();
    TopoSeeds();
    ObjectFileSeeds();
    ObjectRecordSeeds();
    SettingsSeeds();
    PaletteSeeds();
    TextSeeds();
    ImageSeeds();
    ContentRecordSeeds();
    ContentCatalogueSeeds();
    ExchangeSeeds();
    PowerToolMessageSeeds();
    LayerRegressions();
    return gFailures == 0 ? 0 : 1;
}
