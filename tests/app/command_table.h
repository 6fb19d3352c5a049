#pragma once
// The commands over a whole design, named once, each run as the menus, panes and panels run it
// on a shown window (the router's action and tag, a sheet's fields and its OK, the open and
// save panels; the walker's command ID where no menu reaches it), and the fixture that runs
// them: the command table's rows pick them by name, the seeded walk draws them at random.
#include <QAction>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>
#include <gtest/gtest.h>

#include "app/command_router.h"
#include "app/document.h"
#include "model/object_types.h"
#include "support/design_check.h"
#include "support/qt/inspector_window_fixture.h"

namespace dvxtest {

class CommandTable;

// Known: a standard skylight's filler planes turn and move with it, while a read builds them
// from its outline mirrored by its mirror flag: the same outline mirrored about its middle
// (fillers are drawn only for picking).
inline const SceneDifference kSkylightFillers{objtype::kRoof, objtype::kRoof, objtype::kFrameGroup,
                                              SceneDifference::Placed};

struct Command {
    const char* name;  // the menu item's title (a sheet's command with its dots)
    // Runs it; `value` is what is typed into its sheet (one of `values`) or chosen in its submenu.
    std::function<void(CommandTable&, const std::string& value)> run;
    // What the walk types or chooses, one drawn per step (none: the command asks nothing).
    std::vector<const char*> values = {};
    // Differences the order of the command's own steps gives, recorded with it, narrowly, as
    // the table's rows record theirs, and held by the walk while the design the command left
    // is in memory (until the next read, an Undo's or Redo's included).
    std::vector<SceneDifference> known = {};
    std::vector<std::string> undoLeftOut = {};
    std::vector<ReadSetField> readSet = {};
    // What it turns over: a standard skylight's filler planes then part from a read's
    // (kSkylightFillers), under the objects turned, until the next read.
    enum class Flips { Nothing, Selection, Plan } flips = Flips::Nothing;
    // What it is for when it stores no undo step: the settings fields it sets, "floors" for
    // the floors' shown and active flags (design_check.h's DesignRecords) and kOnTheGround for
    // the groups standing on the ground, placed again on the ground it moved.
    std::vector<std::string> sets = {};
};
inline constexpr const char* kOnTheGround = "groups on the ground";
// The furnished design the rows and the walk start from (see the definition).
void Furnish(std::map<std::string, uint32_t>& ids, QMDDocumentModel* m);

class CommandTable : public InspectorWindowTest {
public:
    // Every command, each once.
    static const std::vector<Command>& Commands();

protected:
    void SetUp() override;
    std::string Path(const char* name) const { return root + "/" + name; }

    // The named command of `Commands()`; `value` as its sheet or submenu takes it.
    void Run(const char* name, const std::string& value = "");
    // A menu item with its tag, sent through the window's router; with `onlyEnabled`, only when
    // the menu would offer it (else `refused` is set).
    void Menu(const char* action, int32_t tag = 0);
    bool onlyEnabled = false, refused = false;
    // The sheet the last command opened, its fields set to the texts given, then its OK; false
    // when no sheet came up.
    bool Sheet(const std::vector<std::pair<const char*, std::string>>& fields);
    // The same, with `set` given the sheet to set its other controls before the OK.
    bool SheetWith(const std::function<void(QWidget* sheet)>& set);
    // A command no menu reaches yet, run by its command ID through the walkers' rows.
    void ByCommand(int32_t command, const char* step);

    // The object of the ID on any floor, at any depth.
    Objex* ByID(uint32_t id);
    Objex* Named(const char* name);
    // Only the named objects selected, the floor worked on, the panes told.
    void Select(std::initializer_list<const char*> names, int floor = 0);
    // Typed into a pane's field for what is selected (or, given a tool, with that tool current
    // and nothing selected).
    void TypeIntoPane(const char* pane, const char* outlet, const char* typed, int16_t tool = 0);
    // The scene held now against the one a read of the saved design builds; the design's own
    // scene is built again afterwards. Differences recorded are counted, not asserted.
    void CheckScene(const std::string& row, const std::vector<SceneDifference>& known = {});

    // The furnished design, written and read over a new design as a user's file is opened.
    void OpenFurnished();

    ScriptedFileDialogs panels;
    std::string root = FreshTempFolder("command_table_files");
    QMDDocumentController* c = nullptr;
    QMDDocument* d = nullptr;
    std::map<std::string, uint32_t> ids;
    // The state each stored step of the row left (the first: the design as opened), and the
    // undo steps counted when the last was captured.
    std::vector<UndoState> states;
    std::vector<std::string> leftOut;
    std::vector<ReadSetField> readSet;
    int counted = 0;
    bool reread = false;  // a read (Open, Revert) started the states over
    UndoState Capture() { return CaptureUndoState(Path("state.dat"), leftOut, readSet); }
    // Called when a command has returned: a stored step's state is captured; an Open or a
    // Revert (`read`), which starts the undo ring over, starts the states over.
    void Done(bool read = false) {
        reread = reread || read;
        if (read) states = {Capture()};
        else if (steps() > counted) states.push_back(Capture());
        counted = steps();
    }
};

}  // namespace dvxtest
