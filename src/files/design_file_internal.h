#pragma once
// What the design file, snapshot, topography and cabinet readers share: the one marker that
// the stream buffers are taken, the guard that puts the merge flags and the read version
// back on every exit, and the alert of a failed file operation.
#include <cstdint>

// Takes the stream buffers for one whole-file operation (DesignFileBusy is true meanwhile).
class FileOperationScope {
public:
    FileOperationScope();
    ~FileOperationScope();
    FileOperationScope(const FileOperationScope&) = delete;
    FileOperationScope& operator=(const FileOperationScope&) = delete;
};

// Remembers gOpenSymbol, gReadingTopoLayer, gCabinetOpen, sInputVersion and sInputPlatform
// and restores them when it goes away.
class ReadStateGuard {
public:
    ReadStateGuard();
    ~ReadStateGuard();
    ReadStateGuard(const ReadStateGuard&) = delete;
    ReadStateGuard& operator=(const ReadStateGuard&) = delete;

private:
    uint8_t openSymbol_;
    uint8_t readingTopoLayer_;
    uint8_t cabinetOpen_;
    int32_t inputVersion_;
    int16_t inputPlatform_;
};

// An alert sheet on the main document window with one "OK" button.
void ShowFileAlertSheet(const char* message, const char* informative);
// The informative text of the alerts about a file that could not be written.
inline constexpr const char* kDiskSpaceText = "Please ensure that adequate disk space exists on your hard drive.";
