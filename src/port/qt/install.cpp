#include "port/qt/install.h"

#include "port/qt/painter_context.h"
#include "port/qt/platform.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>

namespace port::qt {
namespace {

// Lives as long as the application object, so settings are written while Qt still runs;
// on the way out it puts the built-in services back.
class Platform : public QObject {
public:
    explicit Platform(QObject* parent) : QObject(parent) {}
    ~Platform() override {
        if (&port::defaults() == &defaults) port::setDefaults(nullptr);
        if (&port::folders() == &folders) port::setFolders(nullptr);
        if (&port::alerts() == &alerts) port::setAlerts(nullptr);
        if (&port::fileDialogs() == &fileDialogs) port::setFileDialogs(nullptr);
        if (&port::documentUndo() == &undo) port::setDocumentUndo(nullptr);
        if (&port::imageDecoder() == &images) port::setImageDecoder(nullptr);
        if (&port::fonts() == &fonts) port::setFonts(nullptr);
        if (&port::defaultDrawingContext() == &drawing) port::setDefaultDrawingContext(nullptr);
        if (&port::systemColors() == &colors) port::setSystemColors(nullptr);
    }
    void install() {
        port::setDefaults(&defaults);
        port::setFolders(&folders);
        port::setAlerts(&alerts);
        port::setFileDialogs(&fileDialogs);
        port::setDocumentUndo(&undo);
        port::setImageDecoder(&images);
        port::setFonts(&fonts);
        port::setDefaultDrawingContext(&drawing);
        port::setSystemColors(&colors);
    }

    QtUserDefaults defaults;
    QtFolders folders;
    QtAlerts alerts;
    QtFileDialogs fileDialogs;
    QtDocumentUndo undo;
    QtImageDecoder images;
    QtFonts fonts;
    QtMeasuringContext drawing;
    QtSystemColors colors;
};

QPointer<Platform> sPlatform;

} // namespace

void InstallQtPlatform() {
    if (!sPlatform) sPlatform = new Platform(QCoreApplication::instance());
    sPlatform->install();
}

} // namespace port::qt
