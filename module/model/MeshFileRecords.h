#pragma once
// The model's table of mesh files (records of kind 171): each path once,
// under a record number 1 … 32767 that slope records refer to.

#include <cstdint>
#include <optional>
#include <string>

// The path of mesh-file record `number`; nothing when there is no such
// record or no library is bound.
std::optional<std::string> ReadMeshFilePath(int16_t number);

// The number of the record holding exactly `path` (a byte-for-byte match),
// else a new record for it under the lowest number not in use. Nothing,
// after a message, when the path is longer than a record holds (265 bytes)
// or holds a zero byte, when every number is taken, or when the write
// fails; nothing is written then.
std::optional<int16_t> FindOrAddMeshFile(const std::string& path);
