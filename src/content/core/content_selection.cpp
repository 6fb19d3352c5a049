#include "content/core/content_selection.h"

namespace {

class NoSelection : public ContentSelection {
public:
    std::optional<SymEntryInfo> selectedSymEntry() override { return std::nullopt; }
    int16_t selectedCategory() override { return -1; }
};

NoSelection sNoSelection;
ContentSelection* sCurrent = &sNoSelection;

}  // namespace

ContentSelection& sharedContentSelection() { return *sCurrent; }

void SetContentSelection(ContentSelection* selection) { sCurrent = selection ? selection : &sNoSelection; }
