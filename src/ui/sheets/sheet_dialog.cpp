#include "ui/sheets/sheet_dialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/core/dialog_fields.h"
#include "app/core/localization_seams.h"
#include "port/macroman.h"
#include "port/qt/line_edit_field.h"

namespace {

// What a length field was last given to show, and the text it showed for it.
constexpr const char* kShownInches = "dvxShownInches";
constexpr const char* kShownText = "dvxShownText";

}  // namespace

RadioMatrix::RadioMatrix(const char* outlet, const QStringList& titles, QWidget* parent)
    : RadioMatrix(outlet, titles, {}, parent) {}

RadioMatrix::RadioMatrix(const char* outlet, const QStringList& titles, const QList<int>& tags, QWidget* parent)
    : QWidget(parent), group_(new QButtonGroup(this)) {
    setObjectName(QString::fromLatin1(outlet));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < titles.size(); ++i) {
        auto* cell = new QRadioButton(titles[i], this);
        group_->addButton(cell, i < tags.size() ? tags[i] : i);
        column->addWidget(cell);
    }
    if (!group_->buttons().isEmpty()) group_->buttons().first()->setChecked(true);
    // Only a change of choice: a click on the chosen cell converts nothing twice.
    connect(group_, &QButtonGroup::idToggled, this, [this](int tag, bool on) {
        if (on) emit changed(tag);
    });
}

int RadioMatrix::selectedTag() const { return group_->checkedId(); }

void RadioMatrix::selectTag(int tag) {
    if (QAbstractButton* b = group_->button(tag)) b->setChecked(true);
}

void RadioMatrix::deselectAllCells() {
    const QSignalBlocker quiet(group_);
    group_->setExclusive(false);
    for (QAbstractButton* b : group_->buttons()) b->setChecked(false);
    group_->setExclusive(true);
}

QAbstractButton* RadioMatrix::cell(int tag) const { return group_->button(tag); }

Stepper::Stepper(const char* outlet, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), minimum_(minimum), maximum_(maximum), value_(minimum),
      up_(new QToolButton(this)), down_(new QToolButton(this)) {
    setObjectName(QString::fromLatin1(outlet));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFixedSize(18, 11);
        column->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void Stepper::setValue(int value) { value_ = std::clamp(value, minimum_, maximum_); }

void Stepper::step(int by) {
    const int before = value_;
    setValue(value_ + by);
    if (value_ != before) emit valueChanged(value_);
}

SheetDialog::SheetDialog(QWidget* parent, const char* role, const QString& title)
    : QDialog(parent), form_(new QFormLayout) {
    setObjectName(QString::fromLatin1(role) + QStringLiteral("Sheet"));
    setWindowTitle(title);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form_);
}

int SheetDialog::tagOf(const QObject* sender) { return sender ? sender->property("tag").toInt() : 0; }

bool SheetDialog::hasSheetUp(const QWidget* window) {
    for (const SheetDialog* s : window->findChildren<SheetDialog*>(Qt::FindDirectChildrenOnly))
        if (s->isVisible()) return true;
    return false;
}

void SheetDialog::dismissSheet(QObject* sender) {
    endSheet();
    if (tagOf(sender) == kOK) applyValues();
}

void SheetDialog::endSheet() { done(kOK); }

QLabel* SheetDialog::label(const char* outlet, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(outlet));
    return l;
}

QString SheetDialog::localized(const char* key) {
    return QString::fromStdString(port::MacRomanToUtf8(LocalizedString(key)));
}

namespace {

// A control that takes what is typed: a field, or a text box (new text's).
bool TakesTyping(const QWidget* control, const QWidget* sheet) {
    const auto* field = qobject_cast<const QLineEdit*>(control);
    const auto* box = qobject_cast<const QPlainTextEdit*>(control);
    if (!(field && !field->isReadOnly()) && !(box && !box->isReadOnly())) return false;
    return control->isEnabled() && control->isVisibleTo(sheet);
}

}  // namespace

QWidget* SheetDialog::initialFirstResponder() const {
    for (int row = 0; row < form_->rowCount(); ++row)
        for (const auto role : {QFormLayout::FieldRole, QFormLayout::SpanningRole}) {
            const QLayoutItem* item = form_->itemAt(row, role);
            QWidget* control = item ? item->widget() : nullptr;
            if (!control) continue;
            if (TakesTyping(control, this)) return control;
            // A field among its row's controls (a slider or a stepper beside it).
            for (QWidget* inner : control->findChildren<QWidget*>())
                if (TakesTyping(inner, this)) return inner;
        }
    return nullptr;
}

void SheetDialog::takeTyping() {
    QWidget* first = initialFirstResponder();
    if (!first) return;
    first->setFocus();
    if (auto* field = qobject_cast<QLineEdit*>(first)) field->selectAll();
}

QLineEdit* SheetDialog::addField(const char* outlet, const QString& label) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(outlet));
    addRow(label, field);
    return field;
}

void SheetDialog::addRow(const QString& label, QWidget* control) { form_->addRow(label, control); }

void SheetDialog::addButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch();
    auto* cancel = new QPushButton(localized("Cancel"), this);
    auto* ok = new QPushButton(localized("OK"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setProperty("tag", 0);
    ok->setProperty("tag", kOK);
    cancel->setAutoDefault(false);
    ok->setDefault(true);
    for (QPushButton* b : {cancel, ok}) {
        row->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] { dismissSheet(b); });
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

float SheetDialog::lengthOf(QLineEdit* field) {
    // A field left as shown is the length it was shown from: a metric readout read back
    // would otherwise come out a little off and count as an edit.
    if (field->text() == field->property(kShownText).toString() && field->property(kShownInches).isValid())
        return field->property(kShownInches).toFloat();
    port::qt::LineEditField f(field);
    return GetFloatItem(&f);
}

void SheetDialog::showLength(QLineEdit* field, float inches) {
    port::qt::LineEditField f(field);
    SetFloatItem(&f, inches);
    field->setProperty(kShownText, field->text());
    field->setProperty(kShownInches, inches);
}

float SheetDialog::angleOf(QLineEdit* field, bool decimalOnly) {
    port::qt::LineEditField f(field);
    return GetFloatAngleItem(&f, decimalOnly);
}

void SheetDialog::showAngle(QLineEdit* field, float degrees, bool noMark) {
    port::qt::LineEditField f(field);
    SetFloatAngleItem(&f, degrees, noMark);
}

int32_t SheetDialog::wholeNumberOf(QLineEdit* field) {
    port::qt::LineEditField f(field);
    return GetLongItem(&f);
}

float SheetDialog::floatValueOf(QLineEdit* field) {
    const QString text = field->text().trimmed();
    // The longest leading part that reads as a number.
    for (qsizetype n = text.size(); n > 0; --n) {
        bool ok = false;
        const double v = QLocale::c().toDouble(text.left(n), &ok);
        if (ok) return static_cast<float>(v);
    }
    return 0.0f;
}
