#pragma once
// Trim definition files: a custom moulding profile drawn by the user and saved as a template
// design in the custom trim folder, with a ".pti" side file naming it. Applying one reads the
// file onto the scratch layer "AttachDefLayer", takes its first object as the profile and
// stores a copy of it in a wall trim record's base or crown slot or in a door's or window's
// inside or outside trim.
#include <cstdint>
#include <string>

struct Layer;
struct Objex;
struct TrimRecord;

// Longest trim name a side file gives.
inline constexpr int kTrimNameLimit = 250;

// The path of the content palette's selected entry when it is a custom trim: the custom trim
// folder with the entry's file appended. False (path untouched) without a document, settings
// record or selected trim entry.
bool GetCurrentTrimDefinitionFilePath(std::string* path);

// Of every point of the object: `unlock` clears its locked flag, `detect` sets its detectable
// flag, `select` its selected flag; a zero argument leaves that flag alone.
void UnLockDetectAndSelectObject(Objex* object, uint8_t unlock, uint8_t detect, uint8_t select);

// Applies the current trim definition: to a wall (12) through `wallTrimRecord`, in the base
// slot with gApplyTrimAsBase set, else in the crown slot with the profile mirrored; to a door
// or window (16, 17) in its inside trim with `inside` set, else its outside trim. The slot's
// old profile is replaced only once the new copy exists, so a failed read changes nothing.
// The scratch layer never outlives the call.
void ReadCustomTrimFile(Objex* target, uint8_t inside, TrimRecord* wallTrimRecord);

// The current trim definition, read onto the scratch layer (gAttachmentTempLayer) for as long
// as this lives.
class TrimDefinitionRead {
public:
    TrimDefinitionRead();
    ~TrimDefinitionRead();
    TrimDefinitionRead(const TrimDefinitionRead&) = delete;
    TrimDefinitionRead& operator=(const TrimDefinitionRead&) = delete;

    // The definition's first object, unlocked, detectable and selected, mirrored unless
    // gApplyTrimAsBase; null when there is no definition or it holds no object.
    Objex* profile() const { return profile_; }
    // A copy of the profile with no links, on the layer, named by the side file's "TrimName"
    // when it gives one; null without a profile or memory.
    Objex* copyFor(Layer* layer) const;

private:
    Layer* layer_ = nullptr;
    Layer* previous_ = nullptr;
    Objex* profile_ = nullptr;
    std::string name_;
};
