#pragma once
// Cabinet assemblies: the cabinet state record (the type data of a cabinet group, also what
// tag 206 of the design file carries) and the cabinet files of the cabinet tool: header,
// state, the assembly's parts as an object section, palettes.
#include <cstdint>

struct CabinetState;
struct Objex;

// The record follows a big-endian length field that says 164 (its size in memory); 158
// little-endian bytes follow, whatever the field says.
inline constexpr int32_t kCabinetStateLengthField = 164;
inline constexpr uint32_t kCabinetStateRecordSize = 158;
inline constexpr int32_t kCabinetFileVersion = 11000;

// The 158-byte record alone. The reader fills the state only when the whole record is
// there and reports whether it was.
bool ApplePortReadPaddedCabinetState(CabinetState* state);
void ApplePortWritePaddedCabinetState(const CabinetState* state);

// The length field and the record. The reader returns a new state (null when the record ran
// short); while merging (gOpenSymbol) with no cabinet being built, its elevation becomes the
// current floor's elevation.
CabinetState* DoReadCabinetState();
void DoWriteCabinetState(const CabinetState* state);

// Cabinet file versions the reader takes: 10450, 10500, 10700, 10701, 10750, 10800, 10900,
// 11000 and 11100.
bool IsCabinetFileVersion(int32_t version);

// Reads a cabinet file: its parts go to the current layer as cabinet parts, selected, with
// their elevations folded into their points; `state` receives the assembly's state (owned
// by the caller). 1 on success; 0 when the file cannot be opened (no message) or is
// refused or damaged (the alert "Unable to load the cabinet file.").
int CabinetFileRead(const char* path, CabinetState** state);
// Writes the selected cabinet assembly of the current layer at version 11000. 1 when
// written; 0 without one (no message) or when the file could not be written (alert).
int CabinetFileWrite(const char* path);
// The object and every object after it in its list, then tag 400.
void DoWriteCabinetObjects(Objex* first);

// A cabinet part (136) and its selected cabinet-part children: the elevation, in plan units,
// is subtracted from every point's V and becomes 0.
void AdjustTheCabinetObjectElevation(Objex* object);
