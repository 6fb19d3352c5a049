// The sections after the object section: plug-in blocks and saved cameras.
#include <algorithm>
#include <cstring>
#include <new>

#include "files/design_file.h"
#include "files/object_records.h"
#include "files/streams.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/live_views.h"
#include "model/plugin_data.h"

namespace {

constexpr int32_t kLiveViewNameLimit = static_cast<int32_t>(sizeof(LiveViewsList::name)) - 1;

bool HasPlugInBlocks(int32_t version) {
    DesignFileSections sections;
    return DesignFileVersionSections(version, &sections) && sections.plugInBlocks;
}

bool HasLiveViews(int32_t version) {
    DesignFileSections sections;
    return DesignFileVersionSections(version, &sections) && sections.liveViews;
}

void WriteByte(uint8_t value) { WriteSome(&value, 1); }
void ReadByte(uint8_t* value) { ReadSome(value, 1); }

// One plug-in block after its tag 600; false when its size does not fit the input.
bool ReadOneBlackBox() {
    int32_t plugInID = 0;
    int32_t size = 0;
    if (!ReadLong(&plugInID) || !ReadLong(&size)) return false;
    if (size < 0 || static_cast<uint32_t>(size) > RemainingInput()) {
        SkipInput(RemainingInput() + 1);
        return false;
    }
    char* data = size > 0 ? new (std::nothrow) char[static_cast<size_t>(size)] : nullptr;
    if (data) {
        ReadSome(data, static_cast<uint32_t>(size));
        StorePlugInData(data, size, plugInID);
    } else {
        // No memory for the data: the block is kept empty and its bytes are passed over.
        SkipInput(static_cast<uint32_t>(size));
        StorePlugInData(nullptr, 0, plugInID);
    }
    int16_t endTag = 0;
    return ReadShort(&endTag);
}

void WriteLiveView(const LiveViewsList* v) {
    const int32_t length = static_cast<int32_t>(strnlen(v->name, kLiveViewNameLimit));
    WriteLong(length);
    WriteSome(v->name, static_cast<uint32_t>(length));
    WriteShort(v->cameraMode);
    WriteByte(v->navigationFlag);
    WriteFloat(v->flyValueA);
    WriteFloat(v->flyValueB);
    WriteFloat(v->cameraHeading);
    WriteFloat(v->cameraPosition.floatH);
    WriteFloat(v->cameraPosition.floatV);
    WriteFloat(v->flyAltitude);
    WriteFloat(v->eyeHeight);
    WriteFloat(v->lightOffset.floatH);
    WriteFloat(v->lightOffset.floatV);
    WriteLong(v->cutAwayPosition);
    WriteShort(v->cutAwayKind);
    WriteLong(v->renderValue);
    WriteByte(v->liveViewFlag);
    WriteLong(v->liveViewValue);
    WriteByte(v->liveViewFlagB);
    WriteShort(v->renderMode);
    WriteByte(v->liveViewFlagC);
    WriteShort(v->navigationValue);
    WriteByte(v->renderFlag);
    WriteUShort(v->renderSetting);
    WriteFloat(v->lightValue);
    WriteByte(v->sunOn);
    WriteFloat(v->sunAngle);
    WriteFloat(v->sunValueB);
    WriteShort(v->sunValueD);
    WriteFloat(v->cameraValue);
    WriteFloat(v->lightIntensity);
    WriteByte(v->lightFlag);
}

// One saved camera; false when its name does not fit the input.
bool ReadLiveView(LiveViewsList* v) {
    int32_t length = 0;
    if (!ReadLong(&length)) return false;
    if (length < 0 || static_cast<uint32_t>(length) > RemainingInput()) {
        SkipInput(RemainingInput() + 1);
        return false;
    }
    // The name field holds 127 bytes and its terminator; the rest of a longer name is
    // passed over.
    const int32_t kept = std::min(length, kLiveViewNameLimit);
    std::memset(v->name, 0, sizeof v->name);
    ReadSome(v->name, static_cast<uint32_t>(kept));
    SkipInput(static_cast<uint32_t>(length - kept));
    ReadShort(&v->cameraMode);
    ReadByte(&v->navigationFlag);
    ReadFloat(&v->flyValueA);
    ReadFloat(&v->flyValueB);
    ReadFloat(&v->cameraHeading);
    ReadFloat(&v->cameraPosition.floatH);
    ReadFloat(&v->cameraPosition.floatV);
    ReadFloat(&v->flyAltitude);
    ReadFloat(&v->eyeHeight);
    ReadFloat(&v->lightOffset.floatH);
    ReadFloat(&v->lightOffset.floatV);
    ReadLong(&v->cutAwayPosition);
    ReadShort(&v->cutAwayKind);
    ReadLong(&v->renderValue);
    ReadByte(&v->liveViewFlag);
    ReadLong(&v->liveViewValue);
    ReadByte(&v->liveViewFlagB);
    ReadShort(&v->renderMode);
    ReadByte(&v->liveViewFlagC);
    ReadShort(&v->navigationValue);
    ReadByte(&v->renderFlag);
    ReadUShort(&v->renderSetting);
    ReadFloat(&v->lightValue);
    ReadByte(&v->sunOn);
    ReadFloat(&v->sunAngle);
    ReadFloat(&v->sunValueB);
    ReadShort(&v->sunValueD);
    ReadFloat(&v->cameraValue);
    ReadFloat(&v->lightIntensity);
    ReadByte(&v->lightFlag);
    return !InputTruncated();
}

}  // namespace

void DoWriteBlackBoxes() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !HasPlugInBlocks(sWriteVersion)) return;
    for (const PlugInData* p = doc->itsPlugIns; p; p = p->next) {
        const int32_t size = p->data && p->size > 0 ? p->size : 0;
        WriteShort(designtag::kPlugIn);
        WriteLong(p->plugInID);
        WriteLong(size);
        WriteSome(p->data, static_cast<uint32_t>(size));
        WriteShort(designtag::kPlugInEnd);
    }
    WriteShort(designtag::kPlugInsEnd);
}

bool DoReadBlackBoxes() {
    if (!gCurDocument) return false;
    int16_t tag = 0;
    while (ReadShort(&tag)) {
        if (tag == designtag::kPlugInsEnd) return true;
        if (tag == designtag::kPlugIn && !ReadOneBlackBox()) return false;
    }
    return false;
}

void DoWriteLiveViews() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !HasLiveViews(sWriteVersion)) return;
    WriteLong(CountLiveViewsList());
    for (const LiveViewsList* v = doc->itsLiveViews; v; v = v->next) WriteLiveView(v);
}

bool DoReadLiveViews() {
    QMDDocumentModel* doc = gCurDocument;
    if (!doc || !HasLiveViews(sInputVersion)) return true;
    int32_t count = 0;
    if (!ReadLong(&count)) return false;
    if (count <= 0) return true;
    if (DocState* ds = doc->itsDocState) std::memset(ds->currentLiveView, 0, sizeof ds->currentLiveView);
    DeleteLiveViewsList();
    int32_t read = 0;
    for (; read < count && !AtEndOfInput(); ++read) {
        LiveViewsList scratch;
        LiveViewsList* entry = AddLiveViewsListEntry();
        if (!ReadLiveView(entry ? entry : &scratch)) return false;
    }
    return read == count;
}
