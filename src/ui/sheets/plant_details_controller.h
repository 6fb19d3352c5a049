#pragma once
// A read-only window of what the library knows about the plant under the last context click.
// Each call opens a new one, filled once; it frees itself when closed.
#include <QWidget>
#include <array>

class QLabel;

class PlantDetailsController : public QWidget {
    Q_OBJECT
public:
    static PlantDetailsController* newPlantDetailsWindow();
    void initializeControlStates();
    void dismissWindow();
    QLabel* field(size_t i) const { return fields_[i]; }

private:
    PlantDetailsController();
    std::array<QLabel*, 18> fields_{};
};
