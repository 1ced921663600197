#include "model/MeshFileRecords.h"

#include <array>
#include <vector>

#include "Dialogs.h"
#include "RecordLayouts.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelEditMessages.h"
#include "model/SlopeMessages.h"

namespace {

using Buffer = std::array<unsigned char, teva::MeshFileRecord::size>;
constexpr int kLargestNumber = 32767;

}  // namespace

std::optional<std::string> ReadMeshFilePath(int16_t number) {
    if (number < 1 || !ModelBound()) return std::nullopt;
    Buffer buffer{};
    teva::putI16(buffer.data(), 0, number);
    if (Db().DB_get(teva::MeshFileRecord::kind, buffer.data()) != 0) return std::nullopt;
    return teva::decodeMeshFile(buffer.data()).path;
}

std::optional<int16_t> FindOrAddMeshFile(const std::string& path) {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    teva::MeshFileRecord record{0, path};
    Buffer buffer{};
    // The codec refuses what a record cannot hold whole.
    if (!teva::encode(record, buffer.data())) {
        dialogs.ShowMessage(kMeshPathTooLongMessage);
        return std::nullopt;
    }
    if (!ModelBound()) return std::nullopt;
    std::vector<bool> used(kLargestNumber + 1, false);
    Db().DB_getr(teva::MeshFileRecord::kind, nullptr);
    Buffer read{};
    while (Db().DB_getr(teva::MeshFileRecord::kind, read.data()) == 0) {
        const teva::MeshFileRecord existing = teva::decodeMeshFile(read.data());
        if (existing.path == path) return existing.number;
        if (existing.number >= 1) used[static_cast<size_t>(existing.number)] = true;
    }
    int16_t free = 0;
    for (int n = 1; n <= kLargestNumber && free == 0; ++n)
        if (!used[static_cast<size_t>(n)]) free = static_cast<int16_t>(n);
    if (free == 0) {
        dialogs.ShowMessage(kCapacityExceededMessage);
        return std::nullopt;
    }
    record.number = free;
    if (!teva::encode(record, buffer.data()) || Db().DB_put(teva::MeshFileRecord::kind, buffer.data()) != 0) {
        dialogs.ShowMessage(kMeshFileWriteFailedMessage);
        return std::nullopt;
    }
    return free;
}
