#pragma once
// The content library's finders: plants and objects by name, plants by growing conditions,
// and the hardiness zone maps. The finders hand their input to the content palette's searches,
// which run before the sheet closes, and show a progress indicator while they do.
#include <QPointer>

#include "ui/sheets/sheet_dialog.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QProgressBar;
class QPushButton;

// Check boxes in rows and columns, each tagged with the bits it stands for.
class CheckMatrix : public QWidget {
    Q_OBJECT
public:
    struct Cell {
        QString title;
        uint32_t tag;
        int row, column;
    };
    CheckMatrix(const char* outlet, const QList<Cell>& cells, QWidget* parent);
    const QList<QCheckBox*>& cells() const { return cells_; }
    int rowOfCell(int index) const { return rows_[index]; }
    static uint32_t tagOf(const QCheckBox* cell);
    // The tags of the cells that are on, ORed (`row`: that row's cells only, -1 all).
    uint32_t checkedTags(int row = -1) const;
    int checkedCellCount() const;

signals:
    void changed();

private:
    QList<QCheckBox*> cells_;
    QList<int> rows_;
};

// A finder's progress indicator and text: hidden until a search starts.
class SearchProgress {
public:
    SearchProgress(QWidget* parent, QLayout* into, const char* text = "Searching...");
    // Shown and drawn at once: the search that follows runs on this thread.
    void start();
    void stop();
    QProgressBar* indicator() const { return progressIndicator_; }

private:
    QProgressBar* progressIndicator_;
    QLabel* progressText_;
};

class FindPlantByNameController : public SheetDialog {
    Q_OBJECT
public:
    explicit FindPlantByNameController(QWidget* parent);
    int checkedCellCount() const;
    void searchOEMLibButtonChanged();
    void OEMCategoryButtonsChanged();
    void searchUserLibButtonChanged();
    void dismissSheet(QObject* sender) override;

protected:
    void initializeControlStates() override {}

private:
    QLineEdit* nameText_;
    QCheckBox* searchOEMLibButton_;
    QCheckBox* searchUserLibButton_;
    CheckMatrix* OEMCategoryButtons_;
    QPushButton* searchButton_;
    SearchProgress progress_;
};

class FindObjectByNameController : public SheetDialog {
    Q_OBJECT
public:
    explicit FindObjectByNameController(QWidget* parent);
    void search2DLibButtonChanged();
    void search3DLibButtonChanged();
    void dismissSheet(QObject* sender) override;

protected:
    void initializeControlStates() override {}

private:
    QLineEdit* nameText_;
    QCheckBox* search2DLibButton_;
    QCheckBox* search3DLibButton_;
    QPushButton* searchButton_;
    SearchProgress progress_;
};

// The zone map of one of five regions; nothing is applied.
class PlantZoneController : public SheetDialog {
    Q_OBJECT
public:
    explicit PlantZoneController(QWidget* parent);
    // Regions 0-4; any other index changes nothing.
    void setImageForIndex(int index);
    void zonePopUpButtonChanged();

protected:
    void initializeControlStates() override;

private:
    QComboBox* zonePopUpButton_;
    QLabel* imageView_;
};

// One sheet for the whole program, made on first opening and kept: the next opening shows it
// as it was left. A window it is shown on never frees it: it is taken back before it closes.
class PlantFinderController : public SheetDialog {
    Q_OBJECT
public:
    static PlantFinderController* sharedPlantFinderSheetForParent(CommandWindow* parent);
    // The shared sheet, or null before the first opening.
    static PlantFinderController* shared();

    void updateSearchCriteria();
    void dismissSheet(QObject* sender) override;

    uint32_t zoneView = 0, sunlightView = 0, soilView = 0, waterView = 0, propagationView = 0;
    bool searchOEMLib = false, searchUserLib = false;

protected:
    explicit PlantFinderController(QWidget* parent);
    void awakeFromNib() override;
    void initializeControlStates() override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeBackFromWindow();

    QCheckBox* searchOEMLibButton_;
    QCheckBox* searchUserLibButton_;
    CheckMatrix* zoneButtons_;
    CheckMatrix* sunlightButtons_;
    CheckMatrix* soilButtons_;
    CheckMatrix* waterButtons_;
    CheckMatrix* propagationButtons_;
    SearchProgress progress_;
};

// A row of Cancel (tag 0) and a default button of tag 1 named `outlet` under the sheet's form;
// both end through dismissSheet.
QPushButton* AddSheetButtons(SheetDialog* sheet, const QString& title, const char* outlet);
