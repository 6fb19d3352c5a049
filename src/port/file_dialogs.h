#pragma once
// Open and save panels, window-modal on the main document window, with an end handler.
#include <functional>
#include <string>
#include <vector>

namespace port {

struct FilePanel {
    std::string title;      // UTF-8
    std::string directory;  // where the panel starts; empty: the last one used
    std::string fileName;   // proposed name (save panels)
    std::vector<std::string> extensions;  // without the dot; empty: any file
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // `onEnd` gets the chosen path, or an empty one when the user cancels.
    virtual void beginOpenPanel(const FilePanel& panel, std::function<void(const std::string&)> onEnd) = 0;
    virtual void beginSavePanel(const FilePanel& panel, std::function<void(const std::string&)> onEnd) = 0;
};

FileDialogs& fileDialogs();
void setFileDialogs(FileDialogs* d);  // nullptr restores the built-in one (always cancels)

} // namespace port
