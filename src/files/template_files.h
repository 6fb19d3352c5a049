#pragma once
// Template files: design files whose objects are merged into the open document instead of
// replacing it (saved groups, custom trims, custom window, door and skylight definitions,
// dropped 2D symbols). The settings block is read by version and thrown away; the objects
// go to the current layer, selected, with their groups; nothing after the object section is
// read.
#include <cstdint>

struct Layer;

// Tag that ends an attachment definition's objects early (only while one is read).
inline constexpr int16_t kAttachmentDefinitionEndTag = 1999;

// Set while a custom window, door or skylight definition is read: objects go to
// gAttachmentTempLayer and tag 1999 ends the section.
extern uint8_t gReadingAttachmentDefinition;
// The scratch layer (owned by whoever reads the definition) that receives its objects.
extern Layer* gAttachmentTempLayer;

// 1 when read; 0 without a current document, while another file is read or written, when
// the file cannot be opened (silently), or for a version no design file has (the modal alert
// "Unable to read template file." naming the path).
int TemplateFileRead(const char* path);

// The object section of a template: objects on the current layer (or gAttachmentTempLayer)
// with the plan bits of the current plan, selected; groups kept. When the content palette
// has an entry selected that is not a 2D symbol (kind 1001), special groups (a `groupKind`)
// are dropped; with a 2D symbol selected, detail objects (29) are marked in `optionA`.
void DoReadTemplateObjects();

// Consumes one layer record (after its tag); no layer is made.
void ReadATemplateLayer();
