#include "model/SlopeMesh.h"

#include "Dialogs.h"
#include "RecordLayouts.h"
#include "mesh/MeshFile.h"
#include "mesh/MeshMessages.h"
#include "model/MeshFileRecords.h"
#include "model/MeshOutline.h"
#include "model/ModelDbLibrary.h"
#include "model/SlopeDefinition.h"

namespace {

std::optional<std::string> Refuse(MeshWorkspace& ws, const char* message) {
    ws.Clear();
    platform::CurrentDialogs().ShowMessage(message);
    return std::nullopt;
}

}  // namespace

std::optional<std::string> LoadSlopeMesh(LayerCode slope, MeshWorkspace& ws) {
    ws.Clear();
    const int16_t number = ModelBound() ? SlopeNumberOf(Db().sp_cpnam(slope)) : 0;
    const auto record = number > 0 ? ReadSlopeRecord(number) : std::nullopt;
    if (!record) return Refuse(ws, kMeshDefinitionUnreadable);
    ws.slopeNumber = number;

    // A mesh slope whose file number is 0 has no file yet: its outline.
    if (record->definition == teva::SlopeRecord::meshDefinition && record->meshRecord != 0) {
        const auto path = ReadMeshFilePath(record->meshRecord);
        if (!path || !ReadMeshFile(*path, ws.file)) return Refuse(ws, kMeshFileUnreadable);
        ws.kind = MeshKind::File;
        ws.slopeNumber = number;
        ws.Group(GroupedList::File);
        return *path;
    }
    const auto outline = BuildOutlineElement(*record);
    if (!outline) return Refuse(ws, kMeshOutlineUnreadable);
    ws.kind = MeshKind::Outline;
    ws.outline = {*outline};
    ws.working = {*outline};
    ws.Group(GroupedList::Working);
    return std::string();
}

bool LinkMeshFile(int16_t number, const std::string& path) {
    auto record = ReadSlopeRecord(number);
    if (!record) {
        platform::CurrentDialogs().ShowMessage(kMeshDefinitionUnreadable);
        return false;
    }
    const auto fileRecord = FindOrAddMeshFile(path);
    if (!fileRecord) return false;
    record->definition = teva::SlopeRecord::meshDefinition;
    record->meshRecord = *fileRecord;
    unsigned char buffer[teva::SlopeRecord::size] = {};
    teva::encode(*record, buffer);
    if (Db().DB_put(teva::SlopeRecord::kind, buffer) != 0) {
        platform::CurrentDialogs().ShowMessage(kMeshSaveFailed);
        return false;
    }
    Db().DB_restruct(0);
    return true;
}
