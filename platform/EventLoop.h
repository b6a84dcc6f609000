// The GUI thread's event loop, one round at a time: what tests pump while they wait for socket
// notifications. Windows: the thread's message queue. POSIX: the loop that watches the
// event-driven transport's sockets and hands back look-up results.
#pragma once

// Handles the events pending now, waiting up to timeout_ms for the first one. Returns whether
// anything was handled. An exception that escapes a notification goes to the application's
// error route; the loop goes on.
bool RunPendingEvents(int timeout_ms);
