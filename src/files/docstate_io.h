#pragma once
// The settings record in files: a big-endian length field (always 3732, never checked), then
// the record in its Windows layout: fields in record order, little-endian, packed so that
// every value of 16 bits or more starts at an even offset. Each file version appends the
// fields added since the version before, so an older file holds a prefix of the layout.
// Readers and writers run off the model's field table; the corrections that follow a read
// depend on the reader's version.
#include <cstdint>

struct DocState;
struct LOGFONT;

// Reader versions, oldest first. Each reads the layout of the one before it and its own
// fields; the file versions that share one are listed at DocStateVersionOfFile.
enum class DocStateVersion : uint8_t { V2, V3, V35, V40, V41, V45, V50, V70, V80, V90, Current };
inline constexpr int kDocStateVersionCount = 11;

inline constexpr int32_t kDocStateLengthField = 3732;

// The reader of a design file version; false for a version that has none.
bool DocStateVersionOfFile(int32_t fileVersion, DocStateVersion* version);

// The layout: the last field a version holds, its record length (the pad before the next
// version's first field included) and a field's offset in the record (-1 for no such field).
int DocStateLastField(DocStateVersion version);
uint32_t PaddedDocStateLength(DocStateVersion version);
int32_t DocStateFieldFileOffset(int fieldNumber);

// The 60-byte LOGFONT record (also used by text objects). Null: nothing. The face name
// always ends in a NUL after reading. The reader reports whether all 60 bytes were there.
bool ApplePortReadLOGFONT(LOGFONT* font);
void ApplePortWriteLOGFONT(const LOGFONT* font);

// The padded record of one version, without the length field. A null record does nothing.
// Readers report whether the whole record was there; a short one fills what it holds.
// Every fixed string ends in a NUL after reading.
bool ApplePortReadPaddedDocStateOfVersion(DocState* docState, DocStateVersion version);
void ApplePortWritePaddedDocStateOfVersion(const DocState* docState, DocStateVersion version);

bool ApplePortReadPaddedDocState2(DocState* docState);
bool ApplePortReadPaddedDocState3(DocState* docState);
bool ApplePortReadPaddedDocState35(DocState* docState);
bool ApplePortReadPaddedDocState40(DocState* docState);
bool ApplePortReadPaddedDocState41(DocState* docState);
bool ApplePortReadPaddedDocState45(DocState* docState);
bool ApplePortReadPaddedDocState50(DocState* docState);
bool ApplePortReadPaddedDocState70(DocState* docState);
bool ApplePortReadPaddedDocState80(DocState* docState);
bool ApplePortReadPaddedDocState90(DocState* docState);
bool ApplePortReadPaddedDocState(DocState* docState);

void ApplePortWritePaddedDocState2(const DocState* docState);
void ApplePortWritePaddedDocState3(const DocState* docState);
void ApplePortWritePaddedDocState35(const DocState* docState);
void ApplePortWritePaddedDocState40(const DocState* docState);
void ApplePortWritePaddedDocState41(const DocState* docState);
void ApplePortWritePaddedDocState45(const DocState* docState);
void ApplePortWritePaddedDocState50(const DocState* docState);
void ApplePortWritePaddedDocState70(const DocState* docState);
void ApplePortWritePaddedDocState80(const DocState* docState);
void ApplePortWritePaddedDocState90(const DocState* docState);
void ApplePortWritePaddedDocState(const DocState* docState);

// Writes the current document's settings block at the current version. Custom background
// and lot textures go out as -1 with their paths; the record itself is not changed. Nothing
// without a settings record.
void DoWriteDocState();

// Read a settings block of that version into a new record with the defaults, correct it and
// make it the current document's record. The block is consumed even when no record can be
// made (then the document keeps its old one and the result is false).
// The most pieces a curved segment is sampled in; a read takes a larger count as this.
inline constexpr int16_t kMostCurveSegments = 128;
// Every curved segment of every object is sampled this many times on each rebuild and redraw:
// a damaged count of tens of thousands froze a read for seconds.
void BoundCurveSegments(DocState* ds);

bool DoReadDocStateOfVersion(DocStateVersion version);
bool DoReadDocState();
bool DoReadDocState2();
bool DoReadDocState3();
bool DoReadDocState35();
bool DoReadDocState40();
bool DoReadDocState41();
bool DoReadDocState45();
bool DoReadDocState50();
bool DoReadDocState70();
bool DoReadDocState80();
bool DoReadDocState90();

// Read a settings block of that version only to pass over it; the document is untouched.
void DoReadTemplateDocStateOfVersion(DocStateVersion version);
void DoReadTemplateDocState();
void DoReadTemplateDocState2();
void DoReadTemplateDocState3();
void DoReadTemplateDocState35();
void DoReadTemplateDocState40();
void DoReadTemplateDocState41();
void DoReadTemplateDocState45();
void DoReadTemplateDocState50();
void DoReadTemplateDocState70();
void DoReadTemplateDocState80();
void DoReadTemplateDocState90();
