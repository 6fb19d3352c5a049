#pragma once
// Folders the program keeps its files in.
#include <string>

// The per-user private folder of undo snapshots ("com.dedarovozurev.dovranix" inside the
// user's runtime or temporary area). Only names it.
std::string ApplicationTemporaryPath();
// Creates the folder above (mode 0700, owner checked). False with a reason otherwise.
bool MakeApplicationTemporaryFolder(std::string* why = nullptr);
// Where this session's undo snapshots go: its own folder inside the one above once start-up
// opened it (port/session_folders.h), else the one above.
std::string UndoSnapshotFolder();
// A session's socket for plug-in tools in the folder above: this and its process number.
inline constexpr const char* kPowerToolSocketPrefix = "powertool-";
