#pragma once
// How a read or a write of the settings file ended, with the text to show
// the user when it did not go well.

#include <string>

enum class SettingsError {
    None,
    NoPath,       // the executable's folder, and so the file, is unknown
    Unreadable,   // the file exists but cannot be read: it is kept unchanged
    WriteFailed,  // the file could not be written: it keeps its old content
};

struct SettingsResult {
    SettingsError error = SettingsError::None;
    std::string message;  // for a message box; empty when error is None
    explicit operator bool() const { return error == SettingsError::None; }
};
