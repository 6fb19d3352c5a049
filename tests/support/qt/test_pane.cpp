#include "support/qt/test_pane.h"

#include <QImage>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/widgets.h"
#include "model/docstate.h"
#include "model/document_model.h"
#include "model/objects.h"

namespace dvxtest {

namespace {

AttachmentRecord* Record(const Objex* o) { return o->typeData.attachment; }

const InspectorEditRow kDoorWidth{"widthText", FieldEntry::Length, 12, 120, objtype::kDoor, EditWalk::Attachments, true,
    [](const Objex* o) { return Record(o)->width; }, [](Objex* o, float v) { Record(o)->width = v; },
    EditRebuild::Wall, "Door Width", UndoRule::WhenChanged,
    [](const DocState* ds) { return ds->doorWidth; }, [](DocState* ds, float v) { ds->doorWidth = v; }};
const InspectorEditRow kDoorStyle{"styleTable", FieldEntry::Integer, 500, 512, objtype::kDoor, EditWalk::Attachments,
    false, [](const Objex* o) { return float(Record(o)->style); },
    [](Objex* o, float v) { Record(o)->style = int16_t(v); }, EditRebuild::Wall, "Door Style", UndoRule::WhenChanged,
    [](const DocState* ds) { return float(ds->doorStyle); }, [](DocState* ds, float v) { ds->doorStyle = int16_t(v); }};
const InspectorEditRow kDoorHeight{"heightSlider", FieldEntry::Length, 24, 120, objtype::kDoor, EditWalk::Attachments,
    true, [](const Objex* o) { return Record(o)->height; }, [](Objex* o, float v) { Record(o)->height = v; },
    EditRebuild::Wall, "Door Height", UndoRule::WhenChanged,
    [](const DocState* ds) { return ds->doorHeight; }, [](DocState* ds, float v) { ds->doorHeight = v; }};

}  // namespace

const TestPaneRows& DoorTestRows() {
    static const TestPaneRows rows{{kDoorWidth}, &kDoorStyle, 500, 13, &kDoorHeight};
    return rows;
}

InspectorEditRow ElevationRow(int16_t type, const char* undoName) {
    return {"elevationText", FieldEntry::Length, -1200, 1200, type, EditWalk::TopLevel, false,
            [](const Objex* o) { return o->elevation; }, [](Objex* o, float v) { o->elevation = v; },
            EditRebuild::None, undoName, UndoRule::WhenChanged, nullptr, nullptr};
}

void TestPane::buildView(QWidget* view) {
    auto* column = new QVBoxLayout(view);
    for (const InspectorEditRow& r : rows_.fields) column->addWidget(addTextField(r.outlet, view));
    if (rows_.style) {
        styleTable_ = new StyleTable(rows_.style->outlet, view);
        for (int i = 0; i < rows_.styleCount; ++i) {
            QImage picture(48, 48, QImage::Format_RGB32);
            picture.fill(QColor::fromHsv(i * 25, 200, 200));
            styleTable_->addStyle(picture, QString::number(rows_.styleBase + i));
        }
        styleTable_->setFixedHeight(120);
        connect(styleTable_, &QListWidget::itemSelectionChanged, this, &TestPane::styleChanged);
        column->addWidget(styleTable_);
    }
    if (rows_.slider) {
        slider_ = new InspectorSlider(rows_.slider->outlet, int(rows_.slider->low), int(rows_.slider->high), view);
        connect(slider_, &InspectorSlider::released, this,
                [this](int value) { results.push_back(ApplyInspectorValue(*rows_.slider, float(value))); });
        column->addWidget(slider_);
    }
}

void TestPane::showToolDefaults() {
    const DocState* ds = CurrentDocState();
    for (const InspectorEditRow& r : rows_.fields)
        ShowDefault(r, field(inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(r.outlet))));
    if (styleTable_) mergeStyleRow(styleTable_, &styleRowShown, int(rows_.style->getDefault(ds)) - rows_.styleBase, true);
    if (slider_) slider_->setValue(int(rows_.slider->getDefault(ds)));
}

void TestPane::updateToolProperties() {
    calls.push_back({nullptr, true, true});
    InspectorPane::updateToolProperties();
}

void TestPane::updatePropertiesForObject(Objex* object, bool initialize) {
    calls.push_back({object, initialize, false});
    InspectorPane::updatePropertiesForObject(object, initialize);
}

void TestPane::showObject(Objex* object, bool first) {
    for (const InspectorEditRow& r : rows_.fields)
        if (object->type == r.type)
            MergeObjectValue(r, field(inspectorView()->findChild<QLineEdit*>(QString::fromLatin1(r.outlet))), object, first);
    if (styleTable_ && object->type == rows_.style->type)
        mergeStyleRow(styleTable_, &styleRowShown, int(rows_.style->get(object)) - rows_.styleBase, first);
    if (slider_ && object->type == rows_.slider->type && first)
        slider_->setValue(int(FieldValueOf(*rows_.slider, object)));
}

void TestPane::controlTextDidEndEditing(QLineEdit* edit) {
    for (const InspectorEditRow& r : rows_.fields)
        if (edit->objectName() == QLatin1String(r.outlet)) results.push_back(ApplyInspectorField(r, field(edit)));
}

void TestPane::styleChanged() {
    if (!checkObjects_ || !CurrentDocState()) return;
    const int row = styleTable_->selectedRow();
    if (row < 0) return;
    results.push_back(ApplyInspectorValue(*rows_.style, float(rows_.styleBase + row)));
}

void RegisterTestPanes(std::initializer_list<const char*> classNames, const TestPaneRows& rows) {
    for (const char* name : classNames)
        InspectorPaneRegistry::registerPane(name, [rows] { return new TestPane(rows); });
}

TestPane* SharedTestPane(const char* className) {
    return static_cast<TestPane*>(InspectorPaneRegistry::sharedInspectorController(className));
}

}  // namespace dvxtest
