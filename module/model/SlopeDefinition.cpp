#include "model/SlopeDefinition.h"

#include "RecordLayouts.h"
#include "model/ModelDbLibrary.h"

std::optional<teva::SlopeRecord> ReadSlopeRecord(int16_t number) {
    if (!ModelBound()) return std::nullopt;
    unsigned char buffer[teva::SlopeRecord::size] = {};
    teva::putI16(buffer, 0, number);
    if (Db().DB_get(teva::SlopeRecord::kind, buffer) < 0) return std::nullopt;
    return teva::decodeSlope(buffer);
}

SlopeDefinition ReadSlopeDefinition(LayerCode slope) {
    SlopeDefinition definition;
    const auto& db = Db();
    if (!db.sp_cpnam || !db.DB_get || !db.DBp_get) return definition;

    teva::SlopeRecord key;
    key.slopeNumber = SlopeNumberOf(db.sp_cpnam(slope));
    unsigned char record[teva::SlopeRecord::size] = {};
    teva::encode(key, record);
    if (db.DB_get(teva::SlopeRecord::kind, record) <= -1) return definition;
    definition.found = true;
    int out1 = 0, out2 = 0;
    definition.handle = db.DBp_get(teva::SlopeRecord::kind, record, &out1, &out2);
    const teva::SlopeRecord stored = teva::decodeSlope(record);
    definition.type = stored.definition;
    if (definition.type != kSlopeTypeMeshFile) return definition;

    unsigned char pathRecord[teva::MeshFileRecord::size] = {};
    if (!teva::encode(teva::MeshFileRecord{stored.meshRecord, {}}, pathRecord)) return definition;
    if (db.DB_get(teva::MeshFileRecord::kind, pathRecord) <= -3) return definition;
    // The path runs to its terminator, but never past the record.
    definition.meshFilePath = teva::decodeMeshFile(pathRecord).path;
    return definition;
}
