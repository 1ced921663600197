// The in-memory copy of a project file: what the query entries answer from.
#pragma once

#include "RecordLayouts.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace teva {

using RecordBytes = std::vector<unsigned char>;

// The names of one kind: numbers >= 1, texts unique within the kind.
struct NameTable {
    std::map<int, std::string> byNumber;
    std::map<std::string, int> byText;

    // Smallest number >= 1 not in use, or 0 when all 16-bit numbers are taken.
    int smallestFree() const;
    void insert(int number, const std::string& text);
    void erase(int number);
};

inline constexpr int kNameKinds = 4;

struct ProjectData {
    RecordBytes header;                 // project header record, 200 bytes
    std::vector<double> storeyHeights;  // storey k's floor height at [k - 1]
    std::array<NameTable, kNameKinds + 1> names; // indexed by name kind 1 ... 4
    // Every record but the project header, by kind and key.
    std::map<int, std::map<RecordKey, RecordBytes>> records;

    // The record of `kind` at `key`, or null.
    const RecordBytes* find(int kind, const RecordKey& key) const;
};

} // namespace teva
