#pragma once
// What a menu item of the plan view shows for the current design: whether it can be chosen,
// its check mark and its title, decided by its tag (the command ID).
#include <cstdint>
#include <string>

struct MenuItemState {
    enum class Mark : int8_t { Unchanged, Off, On };
    bool enabled = true;
    Mark mark = Mark::Unchanged;
    std::string title;  // localised Mac OS Roman; empty leaves the item's title as it is
};

// Without a design, its settings or a current floor every item is disabled; a tag without a
// rule is enabled and otherwise left as it is. The plan items 5335-5342 and 5389 follow the
// object of the last context click.
MenuItemState ValidateMenuCommand(int32_t tag);
