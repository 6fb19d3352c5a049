#include "files/symbol_lists.h"

#include <new>
#include <string>

#include "files/content_folders.h"
#include "files/symbol2d_files.h"
#include "model/deletion.h"
#include "model/document_model.h"
#include "model/objects.h"
#include "port/seam.h"

Objex* gSymbol2DList = nullptr;
Objex* gSymbol3DList = nullptr;
static const port::GlobalReset kReset(FreeSymbolLists);

namespace {

struct SymbolFiles {
    int16_t type;
    const char* file2D;
    const char* file3D;
};

// The landscape and point lights keep their mixed-case names: file systems may tell case.
constexpr SymbolFiles kSymbolFiles[kBuiltInSymbolCount] = {
    {55, "RECSINGL2D.PTM", "RECSINGL3D.PTM"},
    {65, "RECGFI2D.PTM", "RECGFI3D.PTM"},
    {66, "RECSW2D.PTM", "RECSW3D.PTM"},
    {67, "RECWP2D.PTM", "RECWP3D.PTM"},
    {68, "RECFLR2D.PTM", "RECFLR3D.PTM"},
    {69, "RECCLG2D.PTM", "RECCLG3D.PTM"},
    {70, "REC2202D.PTM", "REC2203D.PTM"},
    {71, "REC220FLR2D.PTM", "REC220FLR3D.PTM"},
    {72, "REC220CLG2D.PTM", "REC220CLG3D.PTM"},
    {73, "SWSINGL2D.PTM", "SWSINGL3D.PTM"},
    {74, "SW3WAY2D.PTM", "SW3WAY3D.PTM"},
    {75, "SW4WAY2D.PTM", "SW4WAY3D.PTM"},
    {76, "SW5WAY2D.PTM", "SW5WAY3D.PTM"},
    {77, "SWDIM2D.PTM", "SWDIM3D.PTM"},
    {78, "SWWP2D.PTM", "SWWP3D.PTM"},
    {79, "LTFIXTURE2D.PTM", "LTFIXTURE3D.PTM"},
    {80, "LTRECESSED2D.PTM", "LTRECESSED3D.PTM"},
    {81, "LTHVL2D.PTM", "LTHVL3D.PTM"},
    {82, "LTVL2D.PTM", "LTVL3D.PTM"},
    {83, "LTFLOOD2D.PTM", "LTFLOOD3D.PTM"},
    {84, "TVOUTLET2D.PTM", "TVOUTLET3D.PTM"},
    {85, "PHOUTLET2D.PTM", "PHOUTLET3D.PTM"},
    {86, "SMKDETECT2D.PTM", "SMKDETECT3D.PTM"},
    {87, "THERMOST2D.PTM", "THERMOST3D.PTM"},
    {88, "CLGFAN2D.PTM", "CLGFAN3D.PTM"},
    {90, "TOILET2D.PTM", "TOILET3D.PTM"},
    {91, "KIT1SINK2D.PTM", "KIT1SINK3D.PTM"},
    {92, "KIT2SINK2D.PTM", "KIT2SINK3D.PTM"},
    {93, "KIT3SINK2D.PTM", "KIT3SINK3D.PTM"},
    {94, "OVALSINK2D.PTM", "OVALSINK3D.PTM"},
    {95, "STDTUB2D.PTM", "STDTUB3D.PTM"},
    {96, "SPATUB2D.PTM", "SPATUB3D.PTM"},
    {97, "SHOWER2D.PTM", "SHOWER3D.PTM"},
    {98, "WATERHTR2D.PTM", "WATERHTR3D.PTM"},
    {99, "HOSEBIB2D.PTM", "HOSEBIB3D.PTM"},
    {109, "GASBIB2D.PTM", "GASBIB3D.PTM"},
    {110, "FLRDRAIN2D.PTM", "FLRDRAIN3D.PTM"},
    {118, "HVACFLRREG2D.PTM", "HVACFLRREG3D.PTM"},
    {119, "HVACCLGREG2D.PTM", "HVACCLGREG3D.PTM"},
    {120, "HVACRETURN2D.PTM", "HVACRETURN3D.PTM"},
    {121, "HVACFURNACE2D.PTM", "HVACFURNACE3D.PTM"},
    {122, "HVACAC2D.PTM", "HVACAC3D.PTM"},
    {123, "HVACHEATPUMP2D.PTM", "HVACHEATPUMP3D.PTM"},
    {124, "HVACBBHTR2D.PTM", "HVACBBHTR3D.PTM"},
    {146, "LTRECESSEDUp2D.ptm", "LTRECESSEDUp3D.ptm"},
    {147, "LtLandscapeUp2D.ptm", "LtLandscapeUp3D.ptm"},
    {148, "LtLandscapeDn2D.ptm", "LtLandscapeDn3D.ptm"},
    {149, "LtLandscapePath2D.ptm", "LtLandscapePath3D.ptm"},
    {150, "LtPointUp2D.ptm", "LtPointUp3D.ptm"},
    {151, "LtPointDn2D.ptm", "LtPointDn3D.ptm"},
    {152, "LtPoint2D.ptm", "LtPoint3D.ptm"},
};

constexpr int16_t k2DLoadOrder[kBuiltInSymbolCount] = {
    55, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79, 146, 147, 148, 149, 150, 151, 152, 80, 81, 82,
    83, 84, 85, 86, 87, 88, 90, 91, 92, 93, 94, 95, 96, 97, 98, 99, 109, 110, 122, 123, 124, 119, 118, 121, 120,
};

constexpr int16_t k3DLoadOrder[kBuiltInSymbolCount] = {
    55, 65, 66, 67, 70, 73, 74, 75, 76, 77, 78, 83, 84, 85, 86, 87, 90, 91, 92, 93, 94, 95, 96, 97, 99, 109,
    124, 68, 69, 71, 72, 79, 146, 147, 148, 149, 150, 151, 152, 80, 81, 82, 88, 98, 110, 122, 123, 119, 118, 121, 120,
};

const SymbolFiles* FilesOf(int16_t type) {
    for (const SymbolFiles& row : kSymbolFiles)
        if (row.type == type) return &row;
    return nullptr;
}

void FreeList(Objex** head) {
    for (Objex* entry = *head; entry;) {
        Objex* next = entry->next;
        entry->prev = entry->next = nullptr;
        DeleteObj(entry);
        entry = next;
    }
    *head = nullptr;
}

void LoadList(Objex** head, const std::string& folder, const int16_t* order, const char* (*fileName)(int16_t)) {
    FreeList(head);
    // A folder that could not be found leaves every entry empty rather than search "/".
    const std::string prefix = folder.empty() ? std::string() : folder + "/";
    Objex* last = nullptr;
    for (int i = 0; i < kBuiltInSymbolCount; ++i) {
        Objex* entry = new (std::nothrow) Objex{};
        if (!entry) return;
        entry->type = order[i];
        if (!prefix.empty()) Symbol2DFileRead((prefix + fileName(order[i])).c_str(), entry);
        // The objects were read through the current document; none may keep a link into it.
        ClearSymbolLayerLinks(entry);
        entry->prev = last;
        if (last)
            last->next = entry;
        else
            *head = entry;
        last = entry;
    }
}

}  // namespace

const char* Symbol2DFileName(int16_t type) {
    const SymbolFiles* row = FilesOf(type);
    return row ? row->file2D : nullptr;
}

const char* Symbol3DFileName(int16_t type) {
    const SymbolFiles* row = FilesOf(type);
    return row ? row->file3D : nullptr;
}

const int16_t* Symbol2DLoadOrder() { return k2DLoadOrder; }
const int16_t* Symbol3DLoadOrder() { return k3DLoadOrder; }

void Load2DSymbolList() { LoadList(&gSymbol2DList, LocalDomainOEMSym2DPath(), k2DLoadOrder, Symbol2DFileName); }

void Load3DSymbolList() { LoadList(&gSymbol3DList, LocalDomainOEMSym3DPath(), k3DLoadOrder, Symbol3DFileName); }

void LoadSymbolListsIfEmpty() {
    if (!gCurDocument) return;
    if (!gSymbol2DList) Load2DSymbolList();
    if (!gSymbol3DList) Load3DSymbolList();
}

Objex* FindSymbolEntry(Objex* list, int16_t type) {
    for (Objex* entry = list; entry; entry = entry->next)
        if (entry->type == type) return entry;
    return nullptr;
}

void FreeSymbolLists() {
    FreeList(&gSymbol2DList);
    FreeList(&gSymbol3DList);
}
