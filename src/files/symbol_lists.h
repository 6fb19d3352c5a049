#pragma once
// The built-in electrical, lighting, plumbing and HVAC symbols: one drawing file each for the
// plan (2D) and for the 3D model, read once into two program-wide lists. Each entry is a
// container object whose type code names the symbol and whose children are the objects of
// its drawing file; an entry whose file is missing or unreadable has no children. The lists
// belong to no document: nothing in them links into one.
#include <cstdint>

struct Objex;

inline constexpr int kBuiltInSymbolCount = 51;

// Heads of the lists, in load order; empty until loaded. Never freed while the program runs.
extern Objex* gSymbol2DList;
extern Objex* gSymbol3DList;

// Each builds its list from scratch from the built-in symbol folder (LocalDomainOEMSym2DPath,
// LocalDomainOEMSym3DPath). The files are read through the current document (its ID counters),
// so a document must exist; without one every entry stays empty. Loading stops at an entry
// that cannot be allocated, keeping those loaded before it.
void Load2DSymbolList();
void Load3DSymbolList();

// What a new document's initialisation calls once its model exists: each list that is still
// empty is loaded. Nothing without a current document.
void LoadSymbolListsIfEmpty();

// The first entry of the list with the type code; null when there is none.
Objex* FindSymbolEntry(Objex* list, int16_t type);

// The file names of a symbol's drawings; null for a type code with no built-in symbol.
const char* Symbol2DFileName(int16_t type);
const char* Symbol3DFileName(int16_t type);
// The load order of each list (kBuiltInSymbolCount type codes).
const int16_t* Symbol2DLoadOrder();
const int16_t* Symbol3DLoadOrder();

// Frees both lists (program end and tests).
void FreeSymbolLists();
