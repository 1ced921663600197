#include "model/LevelAddition.h"

#include <array>
#include <cmath>
#include <optional>

#include "Dialogs.h"
#include "RecordLayouts.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelEditMessages.h"

namespace {

constexpr int kStoreyNameKind = 1;
constexpr int kLevelNameKind = 3;
constexpr int kLastNameNumber = 32767;
// A height this close to a storey or level is taken to be that one.
constexpr double kSameHeight = 1.0;

// The storey the new level stands on and its height above it.
struct LevelPlace {
    int storey = 0;
    double delta = 0.0;
};

// The first storey (by sequence) higher than z ends the walk; the level
// belongs to the valid storey before it. Nothing when no storey is higher.
// `atStorey` tells whether z lies within kSameHeight of a storey's height.
std::optional<LevelPlace> PlaceOf(double z, bool& atStorey) {
    const ModelDbEntries& db = Db();
    const int storeys = db.sp_GetMaxSeqLay();
    int previous = 0;
    double previousHeight = 0.0;
    atStorey = false;
    for (int i = 1; i <= storeys; ++i) {
        std::array<unsigned char, 16> buffer{};
        if (db.DB_Uhgget(kStoreyNameKind, i, buffer.data()) <= -1) continue;
        const double h = teva::getF64(buffer.data(), 8);
        if (std::fabs(h - z) < kSameHeight) atStorey = true;
        if (h > z) return LevelPlace{previous, z - previousHeight};
        previous = i;
        previousHeight = h;
    }
    return std::nullopt;
}

bool LevelNear(double z, int16_t baseCode, double delta) {
    const ModelDbEntries& db = Db();
    std::array<unsigned char, teva::LevelRecord::size> buffer{};
    db.DB_getr(teva::LevelRecord::kind, nullptr);
    while (db.DB_getr(teva::LevelRecord::kind, buffer.data()) == 0) {
        const teva::LevelRecord level = teva::decodeLevel(buffer.data());
        if (level.type < 0 || level.type > 3) continue;
        if (level.type == 1 && std::fabs(level.height - z) < kSameHeight) return true;
        if (level.type == 2 && level.baseLayer == baseCode && std::fabs(level.height - delta) < kSameHeight)
            return true;
    }
    return false;
}

// The first free level name "1", "2", …; nothing when a lookup fails.
std::optional<std::string> FreeLevelName() {
    for (int n = 1; n <= kLastNameNumber; ++n) {
        const std::string name = std::to_string(n);
        const int found = Db().DB_Usfind(kLevelNameKind, name.c_str());
        if (found == -2) return name;
        if (found < 1) return std::nullopt;
    }
    return std::nullopt;
}

int Failed() { return kLevelWriteFailed; }

}  // namespace

int AddLevelAtHeight(double z, std::string* addedName) {
    if (!ModelBound() || !std::isfinite(z)) return kNoLayerAbove;
    const ModelDbEntries& db = Db();
    bool atStorey = false;
    const auto place = PlaceOf(z, atStorey);
    if (!place) return kNoLayerAbove;
    // The eave of a slope usually stands right on a storey: nothing to add.
    if (atStorey) return kLevelExists;
    // Below the first storey there is no storey to stand on.
    if (place->storey == 0) return kNoLayerAbove;
    const int baseCode = db.sp_cpnam(place->storey);
    if (baseCode < 1 || baseCode > kLastNameNumber) return Failed();
    if (LevelNear(z, static_cast<int16_t>(baseCode), place->delta)) return kLevelExists;

    const auto name = FreeLevelName();
    if (!name) return Failed();
    const int number = db.DB_Usno(kLevelNameKind, name->c_str());
    if (number < 1) return Failed();
    teva::LevelRecord level;
    level.type = 2;
    level.nameNumber = static_cast<int16_t>(number);
    level.baseLayer = static_cast<int16_t>(baseCode);
    level.height = place->delta;
    std::array<unsigned char, teva::LevelRecord::size> buffer{};
    teva::encode(level, buffer.data());
    if (db.DB_put(teva::LevelRecord::kind, buffer.data()) != 0) {
        db.DB_Usdel(kLevelNameKind, static_cast<short>(number));
        return Failed();
    }
    platform::CurrentDialogs().ShowMessage(FillIn(kLevelAddedMessage, *name));
    db.DB_restruct(0);
    if (addedName) *addedName = *name;
    return kLevelAdded;
}
