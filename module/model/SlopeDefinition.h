#pragma once
// The definition record of a registered slope and the mesh file it names.

#include <cstdint>
#include <optional>
#include <string>

#include "RecordLayouts.h"
#include "model/LayerCode.h"

// Slope definition types stored at offset 22 of a SlopeRecord.
inline constexpr int16_t kSlopeTypeMeshFile = teva::SlopeRecord::meshDefinition;

struct SlopeDefinition {
    bool found = false;          // the SlopeRecord was read
    int32_t handle = 0;          // DBp_get of the record; 0 when none
    int16_t type = 0;            // offset 22
    std::optional<std::string> meshFilePath;  // type 5 with a readable path record
};

// The SlopeRecord of slope name number `number`; nothing when it cannot be
// read or no library is bound.
std::optional<teva::SlopeRecord> ReadSlopeRecord(int16_t number);

// Reads the SlopeRecord of a slope layer (or name) code: the record whose
// key is |code / 32768|, and for a mesh-file slope its MeshFileRecord.
SlopeDefinition ReadSlopeDefinition(LayerCode slope);
