// Listening sockets and free ports on 127.0.0.1, for test servers and for
// programs a test starts on a port of their own.
#pragma once

namespace vanto::testing {

// A socket listening on 127.0.0.1 at a free port, which goes to `port`; -1
// when none could be made.
int ListenOnLoopback(int backlog, int* port);

// A TCP port on 127.0.0.1 that was free a moment ago.
int FreeLocalPort();

}  // namespace vanto::testing
