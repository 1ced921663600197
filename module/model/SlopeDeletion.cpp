#include "model/SlopeDeletion.h"

#include <array>
#include <vector>

#include "Dialogs.h"
#include "RecordLayouts.h"
#include "model/LayerCode.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelEditMessages.h"

namespace {

constexpr int kSlopeNameKind = 4;
constexpr int16_t kFirstEdgeRecord = 5;

// Ends a deletion that did not happen: the slope is no longer selected.
DeleteOutcome Unselect(SlopeShapeList& shapes, EditorRefresh& refresh, DeleteOutcome outcome) {
    shapes.Select(nullptr);
    refresh.Repaint();
    return outcome;
}

}  // namespace

DeleteOutcome DeleteSlope(SlopeShapeList& shapes, EditorRefresh& refresh) {
    const SlopeShape* selected = shapes.Selected();
    if (!selected || selected->kind != ShapeKind::Registered || !ModelBound()) return DeleteOutcome::NothingSelected;
    const ModelDbEntries& db = Db();
    platform::Dialogs& dialogs = platform::CurrentDialogs();

    const int16_t number = SlopeNumberOf(db.sp_cpnam(selected->number));
    char name[128] = {};
    if (number < 1 || db.DB_Usino(kSlopeNameKind, number, name) < 0) {
        dialogs.ShowMessage(kShapeUnreadableMessage);
        return Unselect(shapes, refresh, DeleteOutcome::ResetSelection);
    }
    if (dialogs.ShowMessage(kDeleteConfirmMessage, platform::MessageButtons::OkCancel) != platform::MessageResult::Ok)
        return Unselect(shapes, refresh, DeleteOutcome::ResetSelection);

    teva::SlopeRecord key;
    key.slopeNumber = number;
    std::array<unsigned char, teva::SlopeRecord::size> slope{};
    teva::encode(key, slope.data());
    if (db.DB_get(teva::SlopeRecord::kind, slope.data()) < 0) {
        dialogs.ShowMessage(kPlacementUnreadableMessage);
        return Unselect(shapes, refresh, DeleteOutcome::Refused);
    }
    const int16_t vertices = teva::decodeSlope(slope.data()).vertexCount;
    std::vector<std::array<unsigned char, teva::SlopeEdgeRecord::size>> edges;
    for (int16_t edge = kFirstEdgeRecord; edge > 0 && edge <= vertices; ++edge) {
        std::array<unsigned char, teva::SlopeEdgeRecord::size> buffer{};
        teva::encode(teva::SlopeEdgeRecord{number, edge, 0}, buffer.data());
        if (db.DB_get(teva::SlopeEdgeRecord::kind, buffer.data()) == 0) edges.push_back(buffer);
    }
    if (db.DB_del(teva::SlopeRecord::kind, slope.data()) != 0) {
        dialogs.ShowMessage(kNotDeletedMessage);
        return Unselect(shapes, refresh, DeleteOutcome::Refused);
    }
    bool complete = true;
    for (const auto& edge : edges) complete = db.DB_del(teva::SlopeEdgeRecord::kind, edge.data()) == 0 && complete;
    complete = db.DB_Usdel(kSlopeNameKind, number) == 0 && complete;
    // The slope is gone from the model either way; what is left over is
    // named by the project check.
    if (!complete) dialogs.ShowMessage(kNotDeletedMessage);

    db.DB_restruct(0);
    shapes.Select(nullptr);
    shapes.RebuildRegisteredShapes();
    refresh.RefreshAfterModelChange();
    return DeleteOutcome::Deleted;
}
