#pragma once
// New levels in the model: a sub-layer at a given height, relative to the
// storey below it.

#include <string>

// What AddLevelAtHeight did.
enum LevelAddResult : int {
    kLevelAdded = 0,
    kLevelExists = -1,      // a storey or level lies within 1.0 of the height
    kNoLayerAbove = -2,     // no storey stands higher, or none below it
    kLevelWriteFailed = -3  // the name or record could not be written
};

// Adds a level at height z (mm) as a type-2 LevelRecord above the highest
// storey lower than z, named with the first free "1", "2", … of the level
// names; it says "…層を追加しました。" and restructures the model. Nothing is
// added when z lies within 1.0 of a storey's height, of an absolute level or
// of a relative level on the same storey, nor when no storey lies above z or
// none below it. A failed write leaves nothing behind and is not told: the
// caller reports it (kLevelWriteFailedMessage) with what it added before.
// `addedName`, when given, receives the new level's name.
int AddLevelAtHeight(double z, std::string* addedName = nullptr);
