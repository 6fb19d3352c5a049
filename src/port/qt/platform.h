#pragma once
// The Qt implementations of the platform services; InstallQtPlatform() puts them in place.
#include "port/alerts.h"
#include "port/defaults.h"
#include "port/file_dialogs.h"
#include "port/folders.h"
#include "port/fonts.h"
#include "port/images.h"
#include "port/undo.h"

#include <QString>

#include <functional>
#include <memory>

class QFont;
class QSettings;
class QUndoCommand;
class QUndoStack;
class QWidget;

namespace port::qt {

// What a Qt font is, as the font records take it: family, point size, bold and italic.
FontDescriptor DescribeQFont(const QFont& font);

// QSettings of the application's organisation and name. Strings are UTF-8; bytes that are not
// are kept as they are. Values reach the disk when Qt syncs (event loop, exit), not per set.
class QtUserDefaults : public UserDefaults {
public:
    QtUserDefaults();
    ~QtUserDefaults() override;

    void remove(const std::string& key) override;
    char decimalSeparator() const override;
    void sync();

protected:
    void store(const std::string& key, const DefaultValue& v) override;
    bool load(const std::string& key, DefaultValue& out) const override;

private:
    std::unique_ptr<QSettings> settings_;
};

// The stock content beside the program and the user's "dovranix" in the XDG data folder.
class QtFolders : public Folders {
public:
    std::string applicationSupport(Domain domain) override;
    std::string temporaryBase() override;
};

class QtAlerts : public Alerts {
public:
    int runModal(const Alert& alert) override;
    // A sheet begun while another alert sheet is up on the same window waits for that one to
    // be answered; waiting sheets show in the order begun.
    void beginSheet(const Alert& alert, std::function<void(int)> onEnd) override;

    // The window a sheet opens on: the provider's (the main document window, so alerts land
    // there while a palette is active), else the active main window, else the first visible one.
    static QWidget* sheetParent();
    // Null forgets the provider.
    static void setSheetParentProvider(std::function<QWidget*()> provider);
    // While held and no window is there to carry them, alerts with one button wait (a modal
    // run answers that button at once); releasing shows the waiting ones on the window, one
    // after the other, in the order they came: those run modally application-modal, as run,
    // the others as sheets.
    static void holdUntilWindow(bool hold);
};

// Carries nothing until the documents connect their undo stacks.
// QFileDialog as a window-modal sheet on the main document window (application-modal without
// one); save panels ask before replacing a file and add the first extension when none is typed.
// The name field holds what the user typed: nothing completes or rewrites it.
class QtFileDialogs : public FileDialogs {
public:
    void beginOpenPanel(const FilePanel& panel, std::function<void(const std::string&)> onEnd) override;
    void beginSavePanel(const FilePanel& panel, std::function<void(const std::string&)> onEnd) override;
};

class QtDocumentUndo : public DocumentUndo {
public:
    // Makes the command that carries one action name; its undo()/redo() restore snapshots.
    using CommandFactory = std::function<QUndoCommand*(const std::string& name)>;
    // Each document connects its stack under its model; `changed` counts one edit.
    static void connectStack(const void* model, QUndoStack* stack, CommandFactory make,
                             std::function<void()> changed);
    static void disconnectStack(const void* model);
    // Held by a command while it restores a snapshot, so restoring records no new action.
    static void setUndoing(const void* model, bool undoing);

    bool canUndo(const void* model) override;
    bool canRedo(const void* model) override;
    bool isUndoing(const void* model) override;
    void setActionName(const void* model, const std::string& name) override;
    void markChanged(const void* model) override;
};

class QtImageDecoder : public ImageDecoder {
public:
    bool decode(const std::string& path, DecodedImage& out) override;
    std::vector<std::string> fileTypes() override;
};

// The record's size and traits, with the family the font database actually matched.
class QtFonts : public Fonts {
public:
    FontDescriptor fontFor(const LOGFONT& lf) override;
};

} // namespace port::qt
