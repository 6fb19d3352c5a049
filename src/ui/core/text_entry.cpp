#include "ui/core/text_entry.h"

#include <algorithm>
#include <memory>
#include <new>

#include "app/core/localization_seams.h"
#include "app/core/main_window_seams.h"
#include "files/undo.h"
#include "model/bounds.h"
#include "model/click_info.h"
#include "model/deletion.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/hit_testing.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "plan/base_2d_view.h"
#include "plan/refresh_seams.h"
#include "model/poly_builders.h"
#include "tracking/tracking_state.h"

namespace {

constexpr int kH = 0, kD = 2;
// The side of the frame laid out before it is sized to the text.
constexpr float kFrameSeed = 20.0f;

bool HasDesign() { return gCurDocument && CurrentDocState() && gCurDocument->itsCurLayer; }

struct Metrics {
    int16_t width = 0, height = 0;
};

Metrics Measure(const std::string& text, const LOGFONT& font) {
    Base2DView* view = MainWindowDocumentView();
    Base2DView standIn;  // measuring needs no window
    const PlatformSize size = (view ? view : &standIn)->textMetricsForString(text.c_str(), &font);
    return {RecordedTextMetric(size.width), RecordedTextMetric(size.height)};
}

// A text record owning a copy of the string; deleted with its string.
struct TextRecordDeleter {
    void operator()(TextData* t) const {
        if (!t) return;
        FreeString(t->text);
        delete t;
    }
};
using TextRecord = std::unique_ptr<TextData, TextRecordDeleter>;

TextRecord NewTextRecord(const std::string& text, const LOGFONT& font, Metrics m) {
    TextRecord record(new (std::nothrow) TextData{});
    if (!record) return record;
    record->text = CopyString(text.c_str());
    if (!record->text) return nullptr;
    record->font = font;
    record->hasFont = 1;
    record->boxWidth = m.width;
    record->boxHeight = m.height;
    return record;
}

// The object's text record replaced by `record`; the old one (and any other record the
// object held) freed only once the new one is in place.
void SwapTextRecord(Objex* object, TextRecord record) {
    TextRecord old;
    if (object->typeData.kind == TypeDataKind::Text) {
        old.reset(object->typeData.text);
        object->typeData.clear();
    } else {
        DeleteObjectData(object);
    }
    object->typeData = TypeData::OfText(record.release());
}

bool FourPoints(Objex* object, Poinz* p[4]) {
    Poinz* q = object->firstPoint;
    for (int i = 0; i < 4; ++i, q = q ? q->next : nullptr) {
        if (!q) return false;
        p[i] = q;
    }
    return true;
}

TextEntryResult Redrawn(TextEntryResult r) {
    Refresh();
    return r;
}

void StoreNamed(const char* name) { StoreUndo(LocalizedString(name).c_str()); }

}  // namespace

int32_t TextAngleForSlider(int32_t slider) {
    const uint32_t s = static_cast<uint32_t>(slider);
    return static_cast<int32_t>(s <= 90 ? 90 - s : 450 - s);
}

int32_t SliderForTextAngle(int32_t textAngle) {
    const uint32_t t = static_cast<uint32_t>(textAngle);
    return static_cast<int32_t>(t <= 90 ? 90 - t : 450 - t);
}

int32_t TypedTextAngle(int32_t typed) { return typed > 359 || typed < 0 ? 0 : typed; }

int16_t RecordedTextMetric(float measured) {
    return static_cast<int16_t>(static_cast<int32_t>(measured * 1.03f + 0.5f));
}

Objex* TextObjectUnderEndMouse() {
    if (!HasDesign()) return nullptr;
    static constexpr int16_t kTextTypes[] = {objtype::kText, objtype::kEnhancedText};
    ClickInfo click;
    click.ciWhere = gEndMouse;
    if (!SelectFromAllLayers(gCurDocument->itsLayers, &click, 0, kTextTypes, 2) || !click.ciObject) return nullptr;
    Objex* hit = click.ciObject;
    if (hit->typeData.kind != TypeDataKind::Text || !hit->typeData.text || !hit->typeData.text->text) return nullptr;
    SelectObj(hit, selmode::kSelect, 0);
    return hit;
}

TextEntryResult EditTextObject(Objex* object, const std::string& text, const LOGFONT& font, int32_t angle,
                               int16_t alignmentTag) {
    Poinz* p[4];
    if (!HasDesign() || !object || !FourPoints(object, p)) return TextEntryResult::Unchanged;
    if (text.empty()) return Redrawn(TextEntryResult::Refused);
    const float left = std::min(p[0]->position[kH], p[2]->position[kH]);
    const float top = std::min(p[0]->position[kD], p[2]->position[kD]);
    const float oldWidth = std::max(p[0]->position[kH], p[2]->position[kH]) - left;
    const float oldHeight = std::max(p[0]->position[kD], p[2]->position[kD]) - top;
    const Metrics m = Measure(text, font);
    const bool rotated = object->type == objtype::kText, standard = object->type == objtype::kEnhancedText;
    TextRecord record = NewTextRecord(text, font, m);
    if (!record) return Redrawn(TextEntryResult::Refused);
    SwapTextRecord(object, std::move(record));

    bool setWidth = false, setHeight = false;
    if (rotated) {
        objfield::text_object::kAngle(*object) = static_cast<float>(angle);
        // The rotated text's width word; every draw refits it to the measured text.
        objfield::text_object::kHalfWidth(*object) = m.width;
        setWidth = setHeight = true;
    } else if (standard) {
        objfield::text_object::kAngle(*object) = 0;
        objfield::text_object::kAlignment(*object) = alignmentTag;
        setWidth = m.width > oldWidth;
        setHeight = m.height > oldHeight;
    }
    if (setWidth) objfield::text_box::kMinimumWidth(*object) = m.width;
    if (setHeight) objfield::text_box::kMinimumHeight(*object) = m.height;
    if (setWidth || setHeight) {
        // A box read without its sizes keeps the side that did not grow.
        if (objfield::text_box::kMinimumWidth(*object) < 1) objfield::text_box::kMinimumWidth(*object) = oldWidth;
        if (objfield::text_box::kMinimumHeight(*object) < 1) objfield::text_box::kMinimumHeight(*object) = oldHeight;
        if (setWidth) {
            p[0]->position[kH] = p[3]->position[kH] = left;
            p[1]->position[kH] = p[2]->position[kH] = left + kFrameSeed;
        }
        if (setHeight) {
            p[0]->position[kD] = p[1]->position[kD] = top;
            p[2]->position[kD] = p[3]->position[kD] = top + kFrameSeed;
        }
        AdjustEnhancedTextObjectSize(object);
        UpdateObjectBounds(object);
    }
    SelectObj(object, selmode::kDeselect, 0);
    StoreNamed("Edit Text");
    return Redrawn(TextEntryResult::Stored);
}

TextEntryResult InsertTextObject(const std::string& text, const LOGFONT& font, int32_t angle, int16_t alignmentTag) {
    if (!HasDesign()) return TextEntryResult::Unchanged;
    // An empty text would leave an object nobody can see or pick.
    if (text.empty()) return Redrawn(TextEntryResult::Refused);
    const Metrics m = Measure(text, font);
    const bool rotated = angle != 0 && alignmentTag == 0;
    TextRecord record = NewTextRecord(text, font, m);
    if (!record) return Redrawn(TextEntryResult::Refused);
    const float x = gUpX, e = gUpY, y = gUpZ, w = m.width, h = m.height;
    const Float3DPoint frame[4] = {{x, e, y}, {x + w, e, y}, {x + w, e, y + h}, {x, e, y + h}};
    const Float3DPoint tangents[4] = {};
    Objex* object = BuildClosedPoly(frame, nullptr, tangents, tangents, nullptr, nullptr, 4,
                                    gCurDocument->itsCurLayer, 1);
    if (!object) return Redrawn(TextEntryResult::Refused);
    object->type = rotated ? objtype::kText : objtype::kEnhancedText;
    objfield::text_object::kAngle(*object) = rotated ? static_cast<float>(angle) : 0.0f;
    if (rotated) objfield::text_object::kHalfWidth(*object) = m.width;
    else objfield::text_object::kAlignment(*object) = alignmentTag;
    object->planBits = CurrentDocState()->currentPlanBit;
    objfield::text_box::kMinimumWidth(*object) = w;
    objfield::text_box::kMinimumHeight(*object) = h;
    SwapTextRecord(object, std::move(record));
    UpdateObjectBounds(object);
    StoreNamed("Insert Text");
    return Redrawn(TextEntryResult::Stored);
}
