#pragma once
// Each running session keeps its scratch files (undo snapshots, notes of the temporary files
// its saves write beside designs) in a folder of its own, "session-<process id>", inside the
// user's private folder. The folder's "lock" file stays locked for as long as the process
// runs (the lock dies with it, however it ends), so a later launch tells a session that was
// killed from one still running and removes what the dead one left: its folder and the
// temporary files its notes name.
#include <string>

namespace port {

// Makes this process's folder in `parent` (mode 0700) and locks it; false with a reason in
// `why`. Once open, it stays this process's folder until closed.
bool OpenSessionFolder(const std::string& parent, std::string* why = nullptr);
// This process's folder; empty until opened.
std::string SessionFolder();
// Removes this process's folder with everything in it, and the temporary files its notes
// still name (the end of the session). Safe from another thread while the main thread is
// blocked, as the last thing before the process exits.
void CloseSessionFolder();
// Removes the folders in `parent` of sessions that no longer run, with the files in them and
// the temporary files their notes name; gives how many went. Folders of running sessions,
// this process's own and every other entry are left alone.
int RemoveDeadSessionFolders(const std::string& parent);

// Removes the sockets in `folder` named `prefix` and a process number whose process is gone
// and which refuse a connection (a session killed while it listened); gives how many went.
// Only this user's sockets are looked at; every other entry is left alone.
int RemoveDeadSessionSockets(const std::string& folder, const std::string& prefix);

// Notes, in this session's folder, a temporary file being written beside a design, so that a
// later launch removes it should this session die before the note is forgotten. Nothing
// without a session folder.
void NoteTemporaryFile(const std::string& path);
void ForgetTemporaryFile(const std::string& path);

}  // namespace port
