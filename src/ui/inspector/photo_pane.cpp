#include "ui/inspector/photo_pane.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

#include "app/app_controller.h"
#include "app/core/dialog_fields.h"
#include "app/core/main_window_seams.h"
#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/transforms.h"
#include "port/file_dialogs.h"
#include "port/images.h"
#include "ui/core/photo_pane_rules.h"
#include "ui/sheets/roroz_erud_info_controller.h"

namespace {

QPushButton* Button(const char* outlet, const QString& title, QWidget* parent) {
    auto* b = new QPushButton(title, parent);
    b->setObjectName(QLatin1String(outlet));
    return b;
}

}  // namespace

void RorozErudInspectorController::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    photoWidthText = addTextField("photoWidthText", view);
    photoHeightText = addTextField("photoHeightText", view);
    form->addRow(tr("Width"), photoWidthText);
    form->addRow(tr("Height"), photoHeightText);
    castShadowsButton = addCheckBox("castShadowsButton", tr("Cast Shadows"), view);
    form->addRow(castShadowsButton);
    flipImageButton = Button("flipImageButton", tr("Flip Image"), view);
    imageInfoButton = Button("imageInfoButton", tr("Info..."), view);
    setImageButton = Button("setImageButton", tr("Set Image..."), view);
    form->addRow(flipImageButton);
    auto* image = new QHBoxLayout;
    image->addWidget(imageInfoButton);
    image->addWidget(setImageButton);
    form->addRow(image);
    connect(castShadowsButton, &QCheckBox::clicked, this, [this] { castShadowsButtonChanged(); });
    connect(flipImageButton, &QPushButton::clicked, this, [this] { flipImageButtonChanged(); });
    connect(imageInfoButton, &QPushButton::clicked, this, [this] { imageInfoButtonChanged(); });
    connect(setImageButton, &QPushButton::clicked, this, [this] { setImageButtonChanged(); });
}

void RorozErudInspectorController::showObject(Objex* object, bool first) {
    if (object->type != objtype::kPhoto || !object->firstPoint || !object->firstPoint->next) return;
    const DocState* ds = CurrentDocState();
    oldWidthValue = ConvertScreenToWorld(PhotoBaseLength(object), ds, 0);
    oldHeightValue = ConvertScreenToWorld(objfield::photo::kHeight(*object), ds, 0);
    UpdatePropertiesFloat(field(photoWidthText), oldWidthValue, first);
    UpdatePropertiesFloat(field(photoHeightText), oldHeightValue, first);
    showCheck(castShadowsButton, objfield::no_shadow::kMark(*object) != 1, first);
    // Information and a new image are for one photo at a time.
    imageInfoButton->setEnabled(first);
    setImageButton->setEnabled(first);
}

void RorozErudInspectorController::controlTextDidEndEditing(QLineEdit* edit) {
    if (!CurrentDocState() || !gCurDocument->itsCurLayer) return;
    const bool width = edit == photoWidthText;
    // A value the pane showed again is not an entry: it would resize every photo selected.
    if ((!width && edit != photoHeightText) || !edit->isModified()) return;
    edit->setModified(false);
    float& old = width ? oldWidthValue : oldHeightValue;
    const float value = GetFloatItem(field(edit));
    if (!PhotoSizeAccepted(value)) {
        SetFloatItem(field(edit), old);
        return;
    }
    old = value;
    if (width) ApplyPhotoWidth(value);
    else ApplyPhotoHeight(value);
    SetFloatItem(field(edit), value);
}

void RorozErudInspectorController::castShadowsButtonChanged() { ApplyPhotoShadows(castShadowsButton->isChecked()); }

void RorozErudInspectorController::flipImageButtonChanged() { FlipPhotoImages(); }

void RorozErudInspectorController::imageInfoButtonChanged() {
    if (Objex* photo = FirstSelectedPhoto())
        RorozErudInfoController::newRorozErudInfoSheetForParent(AppController::shared()->mainWindowController(), photo);
}

void RorozErudInspectorController::setImageButtonChanged() {
    if (!MainWindowDocumentView()) return;
    port::FilePanel panel;
    panel.extensions = port::imageDecoder().fileTypes();
    port::fileDialogs().beginOpenPanel(panel, [this](const std::string& path) { rorozErudOpenPanelDidEnd(path); });
}

void RorozErudInspectorController::rorozErudOpenPanelDidEnd(const std::string& path) {
    // The panel picks one file or none: an empty path is Cancel.
    if (path.empty() || !CurrentDocState() || !gCurDocument->itsCurLayer) return;
    SetPhotoImages(path);
}
