#pragma once
// Socket errors carry the Windows socket numbers (10054 connection reset, ...)
// so that every message shows the same texts on every platform.
namespace tfx::platform {

// The Windows socket number for a POSIX errno value; unknown values pass unchanged.
int toWinsockError(int errnoValue);

// The Windows socket number of the calling thread's last socket error.
int lastSocketError();

}  // namespace tfx::platform
