#pragma once
// The pane of photos: the picture's width (its base line resized about the centre), height,
// shadow and mirrored image, its information sheet and a new image file.
#include <string>

#include "ui/inspector/inspector_pane.h"

class QCheckBox;
class QPushButton;

class RorozErudInspectorController : public InspectorPane {
    Q_OBJECT
public:
    QLineEdit* photoWidthText = nullptr;
    QLineEdit* photoHeightText = nullptr;
    QCheckBox* castShadowsButton = nullptr;
    QPushButton* flipImageButton = nullptr;
    QPushButton* imageInfoButton = nullptr;
    QPushButton* setImageButton = nullptr;
    // The sizes last shown or accepted (inches), shown again for a refused entry.
    float oldWidthValue = 0;
    float oldHeightValue = 0;

    void controlTextDidEndEditing(QLineEdit* field) override;
    void castShadowsButtonChanged();
    void flipImageButtonChanged();
    void imageInfoButtonChanged();
    void setImageButtonChanged();
    // The open panel's end: the chosen file, empty when it was cancelled.
    void rorozErudOpenPanelDidEnd(const std::string& path);

protected:
    void buildView(QWidget* view) override;
    void showObject(Objex* object, bool first) override;
};
