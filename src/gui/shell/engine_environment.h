#pragma once
// What the browser engine must be told before the application object exists.

namespace hanamori {

// The engine cannot run its sandbox for the root user and ends the whole process when
// asked to. Run as root, the program starts the engine without the sandbox instead and
// says so once on standard error. Call before QApplication is created.
void PrepareBrowserEngineEnvironment();

} // namespace hanamori
