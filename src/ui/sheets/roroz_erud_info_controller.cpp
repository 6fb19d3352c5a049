#include "ui/sheets/roroz_erud_info_controller.h"

#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <cstring>

#include "files/texture_files.h"
#include "model/objects.h"
#include "ui/sheets/text_box.h"

namespace {

// The preview's box; larger pictures are scaled down into it.
constexpr int kPreviewSide = 160;

}  // namespace

RorozErudInfoController* RorozErudInfoController::newRorozErudInfoSheetForParent(QWidget* parent, Objex* object) {
    if (!parent || !object) return nullptr;
    return SheetDialog::begin<RorozErudInfoController>(AsCommandWindow(parent->window()), object);
}

RorozErudInfoController::RorozErudInfoController(QWidget* parent, Objex* object)
    : SheetDialog(parent, "RorozErudInfo", localized("Photo Information")), targetObject_(object),
      previewImageView_(label("previewImageView", QString(), this)), pathTextView_(new TextBox(this)),
      imageWidthText_(label("imageWidthText", QString(), this)),
      imageHeightText_(label("imageHeightText", QString(), this)) {
    previewImageView_->setFixedSize(kPreviewSide, kPreviewSide);
    previewImageView_->setAlignment(Qt::AlignCenter);
    pathTextView_->setObjectName(QStringLiteral("pathTextView"));
    pathTextView_->setReadOnly(true);
    pathTextView_->setFixedHeight(60);
    addRow(QString(), previewImageView_);
    addRow(localized("File:"), pathTextView_);
    addRow(localized("Width:"), imageWidthText_);
    addRow(localized("Height:"), imageHeightText_);
    addButtons();
}

void RorozErudInfoController::initializeControlStates() {
    if (!targetObject_ || targetObject_->typeData.kind != TypeDataKind::ImagePath || !targetObject_->typeData.imagePath)
        return;
    // The lookup writes the path it found into the buffer; the object's own path stays.
    char path[512] = {};
    std::strncpy(path, targetObject_->typeData.imagePath, sizeof path - 1);
    QImage image;
    if (VerifyOrFindFile(path, true, false)) image = QImageReader(QFile::decodeName(path)).read();
    if (image.isNull()) {
        pathTextView_->setPlainText(localized("Image not found."));
        imageWidthText_->setText(localized("n/a"));
        imageHeightText_->setText(localized("n/a"));
        return;
    }
    pathTextView_->setPlainText(QFile::decodeName(path));
    previewImageView_->setPixmap(
        QPixmap::fromImage(image.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    const QString pixels = localized("%ld pixels");
    imageWidthText_->setText(QString(pixels).replace(QStringLiteral("%ld"), QString::number(image.width())));
    imageHeightText_->setText(QString(pixels).replace(QStringLiteral("%ld"), QString::number(image.height())));
}
