#include "powertools/core/exchange_tokens.h"

#include "files/object_records.h"
#include "files/streams.h"
#include "model/bounds.h"
#include "model/deletion.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "powertools/core/exchange_layout.h"
#include "powertools/core/exchange_reader.h"
#include "tools/attached_dimensions.h"
#include "tools/fixed_components.h"

void ExchangeTokenReader::run() {
    // Walls measure their attached dimensions once, after the last record.
    AttachedDimensionBatch dimensions;
    int16_t tag = 0;
    while (!AtEndOfInput() && ReadStdShort(&tag) && tag != exchange::kObjectsEndTag) {
        switch (tag) {
        case exchange::kFloorTag:
            floor();
            break;
        case exchange::kObjectTag: {
            Objex* o = ReadAPlugInObject(target(), group_.get() ? 0 : 1);
            last_ = o;
            if (o) group_.append(o);
            objectRead(o);
            break;
        }
        case exchange::kGroupBeginTag:
            if (group_.open(last_)) groupOpened(last_);
            break;
        case exchange::kGroupEndTag:
            closeGroup(true);
            break;
        case exchange::kCabinetBeginTag: {
            CabinetState* state = DoReadPlugInCabinetState();
            if (!last_ || last_->type != objtype::kGroup || !group_.open(last_)) {
                delete state;
                break;
            }
            DeleteObjectData(last_);
            last_->typeData.clear();
            if (state) {
                last_->typeData = TypeData::OfCabinet(state);
                last_->subtype = objsubtype::kCabinetGroup;
                last_->elevation = state->elevation;
            }
            groupOpened(last_);
            break;
        }
        case exchange::kCabinetEndTag:
            closeGroup(false);
            break;
        default:
            otherToken(tag);
            break;
        }
    }
}

void ExchangeTokenReader::forgetLast(const Objex* o) {
    if (last_ && o && (last_ == o || IsWithinObject(last_, o))) last_ = nullptr;
}

void ExchangeTokenReader::closeGroup(bool fixedComponent) {
    Objex* group = group_.take();
    if (!group) return;
    UpdateObjectRootBounds(group, 0, 0);
    Objex* first = group->firstChild;
    if (fixedComponent && first && objtype::IsFixedComponent(first->type)) UpdateFixedComponent(first);
}
