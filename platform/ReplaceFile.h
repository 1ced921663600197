#pragma once
#include <string>
#include <string_view>

namespace platform {

// Replaces the content of the file at `path` with `content` so that a crash
// or a full disk never leaves a half-written file: the content goes into a
// temporary file beside the target, is flushed to the disk, and is renamed
// over the target (a new file gets mode 0644, a replaced one keeps its mode).
// A target that is a symbolic link is written through: the file it leads to
// is replaced and the link stays.
// When no file can be made in the folder (a read-only install folder) but
// the target itself is a writable regular file, the target is rewritten in
// place and flushed instead; should that fail, its old content is written
// back. Returns 0 when the new content is in place, else the errno value of
// the step that failed; the old file is then untouched and no temporary file
// is left behind.
int ReplaceFile(const std::string& path, std::string_view content);

// The system's text for an errno value returned above.
std::string ErrorText(int error);

}  // namespace platform
