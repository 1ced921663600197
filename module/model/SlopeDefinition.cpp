#include "model/SlopeDefinition.h"

#include <cstring>

#include "model/ModelDbLibrary.h"

namespace {

constexpr size_t kSlopeRecordSize = 136;
constexpr size_t kMeshFileRecordSize = 268;
constexpr size_t kTypeOffset = 22;
constexpr size_t kMeshRecordNumberOffset = 32;
constexpr size_t kPathOffset = 2;

int16_t WordAt(const unsigned char* record, size_t offset) {
    int16_t word;
    std::memcpy(&word, record + offset, sizeof word);
    return word;
}

void PutWord(unsigned char* record, size_t offset, int16_t word) {
    std::memcpy(record + offset, &word, sizeof word);
}

}  // namespace

SlopeDefinition ReadSlopeDefinition(LayerCode slope) {
    SlopeDefinition definition;
    const auto& db = Db();
    if (!db.sp_cpnam || !db.DB_get || !db.DBp_get) return definition;

    unsigned char record[kSlopeRecordSize] = {};
    PutWord(record, 0, SlopeNumberOf(db.sp_cpnam(slope)));
    if (db.DB_get(18, record) <= -1) return definition;
    definition.found = true;
    int out1 = 0, out2 = 0;
    definition.handle = db.DBp_get(18, record, &out1, &out2);
    definition.type = WordAt(record, kTypeOffset);
    if (definition.type != kSlopeTypeMeshFile) return definition;

    unsigned char pathRecord[kMeshFileRecordSize] = {};
    PutWord(pathRecord, 0, WordAt(record, kMeshRecordNumberOffset));
    if (db.DB_get(171, pathRecord) <= -3) return definition;
    // The path runs to its terminator, but never past the record.
    const char* path = reinterpret_cast<const char*>(pathRecord + kPathOffset);
    definition.meshFilePath = std::string(path, strnlen(path, kMeshFileRecordSize - kPathOffset));
    return definition;
}
