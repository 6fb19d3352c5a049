#include "ui/sheets/font_selection.h"

#include <QFontDatabase>
#include <QFontDialog>

#include "files/windows_records.h"
#include "port/fonts.h"
#include "port/qt/platform.h"

namespace {

constexpr float kUnsizedPoints = 12.0f;

}  // namespace

FontSelection::FontSelection(QWidget* owner) : QObject(owner), owner_(owner) {}

QFont FontSelection::fontForRecord(const LOGFONT& record) {
    float points = kUnsizedPoints;
    int traits = 0;
    ConvertWin32FontInfoToApple(&record, &points, &traits);
    const QString family = QString::fromStdString(port::DescribeLogFont(record).family);
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(points > 0 ? points : kUnsizedPoints);
    font.setBold(traits & port::kBoldTrait);
    font.setItalic(traits & port::kItalicTrait);
    return font;
}

void FontSelection::setSelectedFont(const QFont& font) {
    font_ = font;
    if (panel_ && panel_->currentFont() != font) panel_->setCurrentFont(font);
    emit changed(font_);
}

LOGFONT FontSelection::selectedRecord() const {
    const port::FontDescriptor d = port::qt::DescribeQFont(font_);
    LOGFONT record{};
    ConvertAppleFontToWin32FontInfo(&d, &record);
    return record;
}

void FontSelection::showPanel() {
    if (!panel_) {
        panel_ = new QFontDialog(font_, owner_->window());
        panel_->setObjectName(QStringLiteral("fontPanel"));
        panel_->setOption(QFontDialog::NoButtons);
        panel_->setWindowModality(Qt::NonModal);
        panel_->setAttribute(Qt::WA_DeleteOnClose);
        connect(panel_, &QFontDialog::currentFontChanged, this, [this](const QFont& f) {
            if (f != font_) setSelectedFont(f);
        });
    }
    panel_->setCurrentFont(font_);
    panel_->show();
    panel_->raise();
    panel_->activateWindow();
}
