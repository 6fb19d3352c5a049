#pragma once
// Values of the exchange file read back by the layout's tables, at `sInputVersion`: the
// counterpart of the writer's value encoding. Every text is cut to the place it goes to.
#include <cstddef>
#include <span>
#include <string>

#include "port/winrecords.h"
#include "powertools/core/exchange_layout.h"

struct DocState;
struct Objex;

namespace exchange_values {

// Paths and header texts go to 512-byte places.
inline constexpr size_t kPathLimit = 511;
inline constexpr size_t kFaceNameLimit = sizeof(LOGFONT::lfFaceName) - 1;

// The first three fields of a file: an i32 (the tool's or the document's ID), given back, then
// the version and the platform, which become `sInputVersion` and `sInputPlatform`.
int32_t ReadExchangeHeader();
// A text item (length and bytes), cut to `keep` bytes; the bytes past it are passed over.
std::string ReadTextItem(size_t keep);
// A font as the settings carry it: height (negated back), weight, italic, underline, face.
void ReadSettingsFont(LOGFONT* font);
// The rows of a record the version carries, into the record at `record`. `object` is the
// object the rows belong to (a group takes its owner tool).
void ReadRecordRows(std::span<const exchange::RecordRow> rows, void* record, Objex* object = nullptr);
// One settings row into the record.
void ReadSettingsRow(DocState* ds, const exchange::SettingsRow& row);
// A texture by the version's rule: plain numbers before 8000, the texture form after.
int32_t ReadTextureT();

}  // namespace exchange_values
