#include "model/command_table.h"

#include "port/seam.h"

namespace {

std::span<const SelectedCommandRow> sSelected;
std::span<const TopLevelCommandRow> sTopLevel;

const port::GlobalReset kReset([] {
    sSelected = {};
    sTopLevel = {};
});

}  // namespace

void SetCommandRows(std::span<const SelectedCommandRow> selected, std::span<const TopLevelCommandRow> topLevel) {
    sSelected = selected;
    sTopLevel = topLevel;
}

SelectedCommandFn FindSelectedCommand(int32_t command) {
    for (const SelectedCommandRow& row : sSelected)
        if (command >= row.first && command <= row.last) return row.apply;
    return nullptr;
}

TopLevelCommandFn FindTopLevelCommand(int32_t command) {
    for (const TopLevelCommandRow& row : sTopLevel)
        if (command >= row.first && command <= row.last) return row.apply;
    return nullptr;
}
