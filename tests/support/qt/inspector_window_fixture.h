#pragma once
// A shown document window holding the inspector fixture design, for the pane tests: the
// services recorded, the design built, refreshes counted.
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/app_controller.h"
#include "app/core/preference_keys.h"
#include "app/document.h"
#include "app/window_controller.h"
#include "model/document_model.h"
#include "plan/refresh_seams.h"
#include "port/qt/platform.h"
#include "support/build.h"
#include "support/doubles.h"
#include "support/fixture.h"
#include "support/inspector_design.h"
#include "tracking/tracking_state.h"
#include "ui/core/inspector_seams.h"

namespace dvxtest {

class InspectorWindowTest : public ::testing::Test {
protected:
    // Fresh globals, recorded services and imperial defaults, then the window and the design.
    void openDesign(const char* folder) {
        AppController::destroyShared();
        ResetAllGlobals();
        folders = std::make_unique<TempFolders>(FreshTempFolder(folder));
        port::setFolders(folders.get()), port::setAlerts(&alerts), port::setDocumentUndo(&undo);
        AppController::setSplashEnabled(false);
        RegisterPreferenceDefaults(false);  // imperial designs
        w = openWindow();
        doc = w->document()->model();
        ds = doc->itsDocState;
        design = BuildInspectorDesign(doc);
        SetRefreshHandler([this] { ++refreshes; });
    }
    void TearDown() override { AppController::destroyShared(), ResetAllGlobals(); }

    static QMDWindowController* openWindow() {
        QMDDocument* d = AppController::shared()->documentController()->openUntitledDocument();
        d->makeWindowControllers();
        auto* window = static_cast<QMDWindowController*>(d->windowController);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        return window;
    }
    static void Deselect(Objex* o) {
        for (; o; o = o->next) {
            for (Poinz* p = o->firstPoint; p; p = p->next) p->selected = 0;
            Deselect(o->firstChild);
        }
    }
    // Only `objects` selected, `tool` current, then a refresh.
    void refreshWith(const std::vector<Objex*>& objects, int16_t tool = toolid::kSelect, int32_t state = 1) {
        for (Layer* l = doc->itsLayers; l; l = l->next) Deselect(l->firstObject);
        for (Objex* o : objects) Make(o).select();
        gCurTool = tool;
        InspectorUpdatePropertiesState(state);
    }
    static void type(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    int steps() { return w->document()->undoStack()->count(); }
    QString undoTitle() { return w->document()->undoStack()->undoText(); }

    std::unique_ptr<TempFolders> folders;
    RecordingAlerts alerts;
    port::qt::QtDocumentUndo undo;
    QMDWindowController* w = nullptr;
    QMDDocumentModel* doc = nullptr;
    DocState* ds = nullptr;
    InspectorDesign design;
    int refreshes = 0;
};

}  // namespace dvxtest
