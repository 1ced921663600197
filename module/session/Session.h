#pragma once
// One editing session: bind the model library, check the project, run the
// main window modally, unbind.

#include <string>

// The session with the library taken from `libraryDirectory`: 0 when the
// editor ran and was closed, -1 when the session was refused (library
// missing, an entry the editor calls missing, no project). Messages go to
// the current dialogs (platform::CurrentDialogs).
int RunSession(const std::string& libraryDirectory);

// The message shown when the library file cannot be loaded.
std::string MissingLibraryMessage();
// The message shown when the library lacks an entry the editor calls.
std::string MissingEntryMessage(const std::string& entry);
