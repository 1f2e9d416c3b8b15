// Start and end of the desktop program.
#pragma once

namespace qinghe {

// Lets the engine handle the window's waiting events during long work, and shows the
// store's messages in message boxes. Needs the application object.
void InstallShellHooks();

// The whole program: creates the application and the main window, runs the window-created
// sequence and the event loop, and returns the exit status: 0 when the window was closed,
// 1 when the database could not be opened (after telling the user). Running as root, it
// switches off the browser engine's sandbox, which cannot run as root.
int RunProgram(int argc, char** argv);

}  // namespace qinghe
