#pragma once
// The login session's user id, the first number in snapshot file names.

namespace port {

long LoginSessionID();
void SetLoginSessionID(long id);  // 0 goes back to the real one

} // namespace port
