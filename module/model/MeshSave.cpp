#include "model/MeshSave.h"

#include <algorithm>
#include <string_view>

#include "Dialogs.h"
#include "RecordLayouts.h"
#include "mesh/MeshFile.h"
#include "mesh/MeshMessages.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelEditMessages.h"
#include "model/SlopeMesh.h"

namespace {

std::string Overwrite(const std::string& path) {
    const std::string_view question = kMeshOverwriteQuestion;
    const size_t at = question.find("%s");
    return std::string(question.substr(0, at)) + path + std::string(question.substr(at + 2));
}

// The chooser's default extension: a name without one gets ".tmsh".
std::string WithExtension(std::string path) {
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) path += ".tmsh";
    return path;
}

MeshSaveOutcome SaveFileMesh(MeshWorkspace& ws, const std::string& path) {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (dialogs.ShowMessage(Overwrite(path), platform::MessageButtons::YesNo) != platform::MessageResult::Yes)
        return MeshSaveOutcome::NotSaved;
    if (!WriteMeshFile(path, ws.file)) {
        dialogs.ShowMessage(kMeshSaveFailed);
        return MeshSaveOutcome::NotSaved;
    }
    dialogs.ShowMessage(kMeshSaved);
    if (ModelBound()) Db().DB_restruct(0);
    return MeshSaveOutcome::Saved;
}

MeshSaveOutcome SaveOutlineMesh(MeshWorkspace& ws) {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (ws.working.empty()) {
        dialogs.ShowMessage(kMeshEmpty);
        return MeshSaveOutcome::NotSaved;
    }
    if (!std::all_of(ws.working.begin(), ws.working.end(), [](const MeshElement& e) { return e.vertices.size() == 3; })) {
        dialogs.ShowMessage(kMeshTrianglesOnly);
        return MeshSaveOutcome::NotSaved;
    }
    const auto chosen = dialogs.SaveFileName("名前を付けて保存", "UserMesh.tmsh", "斜面定義ﾌｧｲﾙ (*.tmsh)");
    if (!chosen || chosen->empty()) return MeshSaveOutcome::NotSaved;
    const std::string path = WithExtension(*chosen);
    // Checked before writing: the model could not name a longer path.
    if (path.size() > teva::MeshFileRecord::maxPath || path.find('\0') != std::string::npos) {
        dialogs.ShowMessage(kMeshPathTooLongMessage);
        return MeshSaveOutcome::NotSaved;
    }
    if (!WriteMeshFile(path, ws.working)) {
        dialogs.ShowMessage(kMeshSaveFailed);
        return MeshSaveOutcome::NotSaved;
    }
    if (!LinkMeshFile(ws.slopeNumber, path)) return MeshSaveOutcome::NotSaved;
    dialogs.ShowMessage(kMeshSaved);
    return MeshSaveOutcome::Linked;
}

}  // namespace

MeshSaveOutcome SaveMesh(MeshWorkspace& ws, const std::string& currentPath) {
    return ws.kind == MeshKind::File ? SaveFileMesh(ws, currentPath) : SaveOutlineMesh(ws);
}
