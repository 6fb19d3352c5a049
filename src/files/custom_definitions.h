#pragma once
// Custom doors (style 512), windows (626) and skylights (806): the look of such an opening
// comes from a definition file picked in the content palette (category 7 custom doors, 8
// custom windows; skylights use either). A definition is a template file whose objects,
// sorted by type code, are copied into the opening's record:
//
//   type   door or window list          skylight list
//   61     0 outline (size and masks)   0 outline
//   19     1 body                       1 separator
//   128    2 hardware                   2 hardware
//   158    2 hardware                   3
//   165    1 body                       4
//   other  1 body                       dropped
//
// Skylight parts are laid into the plan (V becomes D). Whenever the frame is rebuilt the
// parts are scaled to the opening, turned to the wall and placed at the opening as its
// generated parts. A sidecar beside the definition (its last three characters replaced by
// "pti") may name it: [Description] AttachmentName.
#include <cstdint>
#include <string>

#include "model/content_types.h"

struct AttachmentRecord;
struct Float3DRect;
struct Objex;
struct RoofAttachmentRecord;

namespace customdef {
inline constexpr int16_t kDoorCategory = content::kCustomDoorsCategory;
inline constexpr int16_t kWindowCategory = content::kCustomWindowsCategory;
inline constexpr int16_t kDoorStyle = 512;
inline constexpr int16_t kWindowStyle = 626;
inline constexpr int16_t kSkylightStyle = 806;
inline constexpr int kDoorWindowLists = 7;
inline constexpr int kSkylightLists = 5;
inline constexpr const char* kTempLayerName = "AttachDefLayer";
inline constexpr const char* kDoorUndoName = "Custom Door Type";
inline constexpr const char* kWindowUndoName = "Custom Window Type";
}  // namespace customdef

// The selected content entry's definition file: its data file name in the custom door
// folder (category 7) or custom window folder (8). False without a document or settings
// record, for any other category (silently), when the folder cannot be found, or when no
// entry with a data file is selected (then, for categories 7 and 8, an alert sheet asks the
// user to pick one).
bool GetCurrentDefinitionFilePath(std::string* path);

// Reloads the part lists of a door or window from the selected definition; its name comes
// from the sidecar (none without one). The old parts are replaced only once the definition
// has been read: on failure (an alert sheet says the file could not be found) the opening
// keeps them. True when reloaded.
bool ReadCustomWindowDoorFile(Objex* opening);
// The same for a skylight's five lists, each part laid into the plan; parts of other types
// are dropped. Its failure alert always names the custom window.
bool ReadCustomSkylightFile(Objex* skylight);

// The definition's natural size: the extent of its outline parts' 3D bounds, H across and
// V up. 0 by 0 without a record or outline parts.
void GetCustomAttachmentWidthAndHeight(const AttachmentRecord* record, float* width, float* height);
// The same for a skylight, whose definition lies in the plan: width across H, height across
// D, and the box itself (empty without outline parts).
void GetCustomSkylightWHAndBounds(const RoofAttachmentRecord* record, float* width, float* height,
                                  Float3DRect* bounds);

// Rebuilds a door's or window's generated parts from its part lists: body parts as bands at
// their pen width, hardware parts, and each outline part twice, once on each wall face.
// Nothing without a document, settings record, current layer, parent wall, record or two
// points; a definition without outline parts yields no parts.
void UpdateCustomAttachment(Objex* opening);

