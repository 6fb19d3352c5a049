#include "port/file_dialogs.h"

namespace port {
namespace {

// Without a user interface nobody can choose a file.
class BuiltInFileDialogs : public FileDialogs {
public:
    void beginOpenPanel(const FilePanel&, std::function<void(const std::string&)> onEnd) override {
        if (onEnd) onEnd(std::string());
    }
    void beginSavePanel(const FilePanel&, std::function<void(const std::string&)> onEnd) override {
        if (onEnd) onEnd(std::string());
    }
};

BuiltInFileDialogs sBuiltIn;
FileDialogs* sCurrent = &sBuiltIn;

} // namespace

FileDialogs& fileDialogs() { return *sCurrent; }
void setFileDialogs(FileDialogs* d) { sCurrent = d ? d : &sBuiltIn; }

} // namespace port
