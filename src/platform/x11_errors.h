// Keeps a closed message box from ending the program on X. SDL wakes a waiting
// event loop by sending an X event to a shown window over a connection of its
// own; one such wake-up may reach the server only after the box it was sent to
// is gone, and Xlib's default answer to that error is to exit the process.
#pragma once

// Installs, once, an X error handler that passes over that error (a sent event
// whose window no longer exists) and leaves every other error to the handler
// before it. Does nothing unless SDL runs on X.
void IgnoreWakeupsToClosedWindows();
