#include "ui/sheets/text_entry_controller.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include "model/docstate.h"
#include "model/document_model.h"
#include "model/inspector_panel.h"
#include "model/object_fields.h"
#include "model/object_types.h"
#include "model/objects.h"
#include "model/selection_ops.h"
#include "model/tool_defaults.h"
#include "port/macroman.h"
#include "ui/core/text_entry.h"
#include "ui/sheets/font_selection.h"
#include "ui/sheets/text_box.h"

namespace {

constexpr int kLastSliderValue = 359;

bool HasDesign() { return gCurDocument && CurrentDocState() && gCurDocument->itsLayers; }

const TextData* TextOf(const Objex* o) {
    return o && o->typeData.kind == TypeDataKind::Text ? o->typeData.text : nullptr;
}

}  // namespace

TextEntryController::TextEntryController(QWidget* parent, Objex* object)
    : SheetDialog(parent, "TextEntry", localized("Text")), targetObject_(object), font_(new FontSelection(this)),
      alignmentButtons_(new RadioMatrix("alignmentButtons",
                                        {localized("Left"), localized("Center"), localized("Right")}, {0, 1, 2}, this)),
      angleSlider_(new QSlider(Qt::Horizontal, this)), angleText_(nullptr), textView_(new TextBox(this)) {
    textView_->setObjectName(QStringLiteral("textView"));
    // Lines run on as typed; the view scrolls sideways instead of wrapping.
    textView_->setLineWrapMode(QPlainTextEdit::NoWrap);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    textView_->setMinimumSize(320, 120);
    addRow(QString(), textView_);
    auto* fontButton = new QPushButton(localized("Font..."), this);
    fontButton->setObjectName(QStringLiteral("fontButton"));
    fontButton->setAutoDefault(false);
    addRow(QString(), fontButton);
    addRow(localized("Alignment:"), alignmentButtons_);
    angleSlider_->setObjectName(QStringLiteral("angleSlider"));
    angleSlider_->setRange(0, kLastSliderValue);
    addRow(localized("Angle:"), angleSlider_);
    angleText_ = addField("angleText", QString());
    addButtons();
    connect(fontButton, &QPushButton::clicked, this, &TextEntryController::fontButtonChanged);
    connect(alignmentButtons_, &RadioMatrix::changed, this, &TextEntryController::alignmentButtonsChanged);
    connect(angleSlider_, &QSlider::valueChanged, this, &TextEntryController::angleSliderChanged);
    connect(angleText_, &QLineEdit::editingFinished, this, &TextEntryController::controlTextDidEndEditing);
    connect(font_, &FontSelection::changed, textView_, [this](const QFont& f) { textView_->setFont(f); });
}

void TextEntryController::selectCurrentFont() {
    const TextData* text = TextOf(targetObject_);
    font_->selectRecord(text && text->hasFont ? text->font : gTextFontInfo);
}

void TextEntryController::initializeControlStates() {
    if (!HasDesign()) return;
    if (targetObject_) {
        SelectObj(targetObject_, selmode::kSelect, 0);
        showTarget(true);
    } else if (Objex* hit = TextObjectUnderEndMouse()) {
        setTargetObject(hit);
        showTarget(false);
    } else {
        font_->selectRecord(gTextFontInfo);
        angleText_->setText(QStringLiteral("0"));
        setAngleSliderUsingTextAngle(0);
    }
}

void TextEntryController::showTarget(bool setEnabledStates) {
    selectCurrentFont();
    const TextData* text = TextOf(targetObject_);
    textView_->setPlainText(text && text->text ? QString::fromStdString(port::MacRomanToUtf8(text->text)) : QString());
    const bool standard = targetObject_->type == objtype::kEnhancedText;
    if (!standard && targetObject_->type != objtype::kText) return;
    if (setEnabledStates) {
        alignmentButtons_->setEnabled(standard);
        angleSlider_->setEnabled(!standard);
        angleText_->setEnabled(!standard);
    }
    if (standard) {
        const QSignalBlocker quiet(alignmentButtons_);
        alignmentButtons_->selectTag(objfield::text_object::Alignment(*targetObject_));
        angleText_->setText(QStringLiteral("0"));
    } else {
        const auto angle = static_cast<int32_t>(objfield::text_object::kAngle(*targetObject_));
        angleText_->setText(QString::number(angle));
        setAngleSliderUsingTextAngle(angle);
    }
}

void TextEntryController::fontButtonChanged() { font_->showPanel(); }

void TextEntryController::alignmentButtonsChanged() {
    if (targetObject_) return;
    const bool angled = alignmentButtons_->selectedTag() == 0;
    angleText_->setEnabled(angled);
    angleSlider_->setEnabled(angled);
}

void TextEntryController::angleSliderChanged() {
    angleText_->setText(QString::number(TextAngleForSlider(angleSlider_->value())));
}

void TextEntryController::controlTextDidEndEditing() {
    const int32_t typed = static_cast<int32_t>(floatValueOf(angleText_));
    const int32_t angle = TypedTextAngle(typed);
    if (angle != typed) angleText_->setText(QString::number(angle));
    setAngleSliderUsingTextAngle(angle);
}

void TextEntryController::setAngleSliderUsingTextAngle(int32_t angle) {
    const QSignalBlocker quiet(angleSlider_);
    angleSlider_->setValue(SliderForTextAngle(angle));
}

void TextEntryController::dismissSheet(QObject* sender) {
    // Read while the controls are still shown.
    const auto angle = static_cast<int32_t>(floatValueOf(angleText_));
    const auto tag = static_cast<int16_t>(alignmentButtons_->selectedTag());
    const std::string text = port::Utf8ToMacRoman(textView_->toPlainText().toStdString());
    const LOGFONT font = font_->selectedRecord();
    Objex* target = targetObject_;
    targetObject_ = nullptr;
    endSheet();
    if (tagOf(sender) == kOK) {
        if (target)
            EditTextObject(target, text, font, angle, tag);
        else
            InsertTextObject(text, font, angle, tag);
    }
    // The sheet selected the text it opened on, and new text is left selected: the selection's
    // summary counts what it left, as a gesture's end does.
    RefreshSelectionState40();
}
