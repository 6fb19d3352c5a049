#pragma once
// The three floating tool palettes: edit tools, plan (drawing) tools and snap modes. Each is a
// tool window reached through a shared controller; its cells carry tool IDs or snap codes.
#include <QObject>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "app/screen_frames.h"

class QComboBox;
class QLineEdit;
class QUndoStack;
class QProgressBar;
class QStackedWidget;
namespace port::qt {
class LineEditField;
}

// One palette button: presses go to the owning cells, a double click with click count 2.
class PaletteCellButton : public QToolButton {
    Q_OBJECT
public:
    PaletteCellButton(int tag, QWidget* parent);
    int tag() const { return tag_; }
    // The cell's picture by name (ui/tool_pictures.h), kept in the property "image".
    void setImage(const QString& image);

signals:
    void pressed(int tag, int clickCount);

protected:
    void mousePressEvent(class QMouseEvent* event) override;
    void mouseReleaseEvent(class QMouseEvent* event) override;
    void mouseDoubleClickEvent(class QMouseEvent* event) override;

private:
    int tag_;
};

// A row of cells with at most one selected; a click on the selected cell deselects it (tag -1).
class PaletteCells : public QWidget {
    Q_OBJECT
public:
    struct Cell {
        int tag;
        const char* toolTip;
        const char* image;
    };
    // One row, or rows of `perRow` cells.
    PaletteCells(const std::vector<Cell>& cells, QWidget* parent, int perRow = 0);
    int selectedTag() const;
    bool hasTag(int tag) const;
    void selectCellWithTag(int tag);
    void deselectAll();
    PaletteCellButton* cell(int tag) const;
    // What a user's click does: toggles the cell (a double click leaves it selected), then
    // reports the selected tag.
    void clickCell(int tag, int clickCount);

signals:
    void toolSelected(int tag, int clickCount);

private:
    std::vector<PaletteCellButton*> buttons_;
};

// What the three palettes share: a tool window shown without activation, its visibility
// mirrored in the delegate, its frame kept under an autosave name.
class PaletteController : public QObject {
    Q_OBJECT
public:
    QWidget* window() const { return window_; }
    bool isVisible() const;
    void showWindow();
    // Orders the window out and closes it (the frame is saved, the delegate flag cleared).
    void close();
    void setAutoSaveName();
    const char* autoSaveName() const { return autoSaveName_; }
    // The user-defaults key of the saved frame.
    std::string frameKey() const;
    // Where the program first puts the palette (its top left corner).
    void setFirstFrame(std::function<QPoint()> first) { frame_.setFirst(std::move(first)); }
    void windowWillClose();
    // The undo stack of the current document: Undo and Redo pressed while the palette is key
    // take its steps back and forth, unless the field with the keyboard has typing of its own
    // to take back (since the program last set its text).
    QUndoStack* windowWillReturnUndoManager() const;

protected:
    PaletteController(const char* title, const char* autoSaveName, void (*setFlag)(bool));
    friend void DestroySharedPalettes();

public:
    ~PaletteController() override;

protected:
    bool eventFilter(QObject* watched, class QEvent* event) override;
    // Undo and Redo keys reach the palette's answer wherever its keyboard focus is; called
    // once the window's controls are built.
    void routeUndoKeys();

    QWidget* window_;
    const char* autoSaveName_;
    void (*setFlag_)(bool);
    ChosenFrame frame_;
    bool closing_ = false;
};

class ToolPaletteController : public PaletteController {
    Q_OBJECT
public:
    static ToolPaletteController* shared();
    PaletteCells* toolButtons() const { return toolButtons_; }
    void selectTool(int tag, int clickCount);
    void selectArrowTool();
    void removeToolSelection();

private:
    ToolPaletteController();
    PaletteCells* toolButtons_;
};

class PlanToolPaletteController : public PaletteController {
    Q_OBJECT
public:
    static PlanToolPaletteController* shared();
    void loadToolPaletteForPlan(int16_t plan);
    void updateToolsetForPlan(int16_t plan);
    void removeToolSelection();
    void selectTool(PaletteCells* matrix, int tag);
    void updatePlantGrowthIndicatorLevel();
    void plantGrowthLeftButtonChanged();
    void plantGrowthRightButtonChanged();

    PaletteCells* toolButtons(int16_t plan) const { return matrices_.at(plan); }
    int16_t shownPlan() const { return shownPlan_; }
    QComboBox* toolsetPopUpButton() const { return toolsetPopUp_; }
    QToolButton* plantGrowthLeftButton() const { return left_; }
    QToolButton* plantGrowthRightButton() const { return right_; }
    QProgressBar* plantGrowthLevelIndicator() const { return indicator_; }

private:
    PlanToolPaletteController();
    void plantGrowthStep(int step);
    std::vector<PaletteCells*> matrices_;
    QStackedWidget* superToolView_;
    QComboBox* toolsetPopUp_;
    QToolButton* left_;
    QToolButton* right_;
    QProgressBar* indicator_;
    int16_t shownPlan_ = -1;
};

class SnapPaletteController : public PaletteController {
    Q_OBJECT
public:
    static SnapPaletteController* shared();
    PaletteCells* toolButtons() const { return toolButtons_; }
    QLineEdit* offsetText() const { return offsetText_; }
    void selectTool(int tag, int clickCount);
    void setSnapTool(int16_t mode);
    void resetSnapTool();
    void setSnapOffsetText(float offset);
    void updateSnapOffsetText();
    void controlTextDidEndEditing();

private:
    SnapPaletteController();

public:
    ~SnapPaletteController() override;

private:
    void showLock(int16_t mode, bool locked);
    PaletteCells* toolButtons_;
    QLineEdit* offsetText_;
    std::unique_ptr<port::qt::LineEditField> offsetField_;
};

// Drops the three shared palettes (tests; the next shared() builds them afresh).
void DestroySharedPalettes();
