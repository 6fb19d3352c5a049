#include "port/services.h"

#include "port/alerts.h"
#include "port/defaults.h"
#include "port/drawing.h"
#include "port/file_dialogs.h"
#include "port/files.h"
#include "port/folders.h"
#include "port/fonts.h"
#include "port/images.h"
#include "port/random.h"
#include "port/session.h"
#include "port/session_folders.h"
#include "port/undo.h"

namespace port {

void ResetServices() {
    setAlerts(nullptr);
    setDefaults(nullptr);
    setFileDialogs(nullptr);
    setFolders(nullptr);
    setFonts(nullptr);
    setDefaultDrawingContext(nullptr);
    setSystemColors(nullptr);
    setImageDecoder(nullptr);
    setDocumentUndo(nullptr);
    setRandomSource(nullptr);
    SetLoginSessionID(0);
    FailNextWriteAt(WriteStep::None);
    ServeFileFromMemory({}, nullptr, 0);
    ResetFileProbeCount();
    CloseSessionFolder();
}

} // namespace port
