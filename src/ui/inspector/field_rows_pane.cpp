#include "ui/inspector/field_rows_pane.h"

#include <QFormLayout>
#include <QLineEdit>

#include "app/widgets.h"

void FieldRowsPane::buildView(QWidget* view) {
    auto* form = new QFormLayout(view);
    for (const FieldRow& f : fields_) form->addRow(tr(f.label), addTextField(f.row->outlet, view));
    buildMore(form, view);
}

QLineEdit* FieldRowsPane::text(const char* outlet) const {
    return const_cast<FieldRowsPane*>(this)->inspectorView()->findChild<QLineEdit*>(QLatin1String(outlet));
}

void FieldRowsPane::showToolDefaults() {
    for (const FieldRow& f : fields_) ShowDefault(*f.row, field(text(f.row->outlet)));
}

void FieldRowsPane::showObject(Objex* object, bool first) {
    if (!shows_(object)) return;
    for (const FieldRow& f : fields_) MergeObjectValue(*f.row, field(text(f.row->outlet)), object, first);
}

void FieldRowsPane::controlTextDidEndEditing(QLineEdit* edit) {
    for (const FieldRow& f : fields_)
        if (edit->objectName() == QLatin1String(f.row->outlet)) entryEnded(*f.row, ApplyInspectorField(*f.row, field(edit)));
}
