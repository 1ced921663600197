#include "model/SlopeEdit.h"

#include <array>

#include "Dialogs.h"
#include "model/ModelDbLibrary.h"
#include "model/ModelQueries.h"
#include "model/ModelEditMessages.h"
#include "model/SlopeDefinition.h"
#include "model/SlopeMessages.h"
#include "model/SlopeName.h"

namespace {

using SlopeBuffer = std::array<unsigned char, teva::SlopeRecord::size>;
constexpr int32_t kFieldMax = 32767;
constexpr size_t kNameBufferSize = 64;  // what the library asks of a name buffer

std::optional<std::string> SlopeName(int16_t number) {
    std::array<char, kNameBufferSize> name{};
    if (Db().DB_Usnam(4, number, name.data()) < 0) return std::nullopt;
    name.back() = '\0';
    return std::string(name.data());
}

// A storey layer as a record holds it: the storey (low part of its name
// code) and its sub-layer number, as the definition writes them.
struct LayerFields {
    LayerCode layer = 0;
    int16_t storey = 0;
    int16_t sub = 0;
};

std::optional<LayerFields> FieldsOf(int32_t nameCode) {
    if (nameCode <= 0) return std::nullopt;
    const LayerCode layer = Db().sp_cpno(nameCode);
    if (layer <= 0) return std::nullopt;
    const int32_t low = nameCode % kSubLayerFactor, high = nameCode / kSubLayerFactor;
    const int32_t sub = Db().sp_GetSubLayNo(low, high);
    if (low < 1 || low > kFieldMax || sub < 0 || sub > kFieldMax) return std::nullopt;
    return LayerFields{layer, static_cast<int16_t>(low), static_cast<int16_t>(sub)};
}

}  // namespace

int16_t SlopeNumberOfLayer(LayerCode slopeLayer) {
    if (!ModelBound()) return 0;
    return SlopeNumberOf(Db().sp_cpnam(slopeLayer));
}

std::optional<EditedSlope> ReadEditedSlope(int16_t number) {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    const auto name = ModelBound() && number >= 1 ? SlopeName(number) : std::nullopt;
    if (!name) {
        dialogs.ShowMessage(kShapeUnreadableMessage);
        return std::nullopt;
    }
    const auto record = ReadSlopeRecord(number);
    if (!record) {
        dialogs.ShowMessage(kPlacementUnreadableMessage);
        return std::nullopt;
    }
    return EditedSlope{number, *name, *record};
}

LayerCode UpperLayerOf(const teva::SlopeRecord& record) { return MakeLayerCode(record.upperStorey, record.upperSub); }

LayerCode LowerLayerOf(const teva::SlopeRecord& record) { return MakeLayerCode(record.lowerStorey, record.lowerSub); }

EditOutcome ApplySlopeEdit(int16_t number, const SlopeEdit& edit, SlopeShapeList& shapes, EditorRefresh& refresh) {
    platform::Dialogs& dialogs = platform::CurrentDialogs();
    if (!ModelBound()) return EditOutcome::Failed;
    const ModelDbEntries& db = Db();

    const std::string name = NormalizeSlopeName(edit.name);
    if (!SlopeNameFits(name)) {
        dialogs.ShowMessage(kNameTooLongMessage);
        return EditOutcome::Refused;
    }
    // The slope's own name passes unchanged; any other must be free (only
    // -2 says so: a failed lookup refuses too).
    const int found = db.DB_Usfind(4, name.c_str());
    const bool rename = found != number;
    if (rename && (name.empty() || found != -2)) {
        dialogs.ShowMessage(kDuplicateNameMessage);
        return EditOutcome::Refused;
    }

    const auto upper = FieldsOf(edit.upper), lower = FieldsOf(edit.lower);
    if (!upper || !lower) {
        dialogs.ShowMessage(kUnknownLayerMessage);
        return EditOutcome::Refused;
    }
    const auto top = CrossingPosition(upper->layer, 1), bottom = CrossingPosition(lower->layer, 1);
    if (!top || !bottom) {
        dialogs.ShowMessage(kUnreadablePositionMessage);
        return EditOutcome::Refused;
    }
    if (!(static_cast<float>(top->z) > static_cast<float>(bottom->z))) {
        dialogs.ShowMessage(kInvalidPositionMessage);
        return EditOutcome::Refused;
    }

    // Read before renaming, so that a failed read changes nothing.
    auto record = ReadSlopeRecord(number);
    const auto oldName = SlopeName(number);
    if (!record || !oldName) {
        dialogs.ShowMessage(kPlacementUnreadableMessage);
        return EditOutcome::Failed;
    }
    if (rename && db.DB_Usren(4, number, name.c_str()) != 0) {
        dialogs.ShowMessage(kWriteFailedMessage);
        return EditOutcome::Failed;
    }
    record->upperStorey = upper->storey;
    record->upperSub = upper->sub;
    record->lowerStorey = lower->storey;
    record->lowerSub = lower->sub;
    record->definition = edit.meshDefined ? teva::SlopeRecord::meshDefinition : 0;
    record->meshRecord = edit.meshDefined ? edit.meshRecord : 0;
    SlopeBuffer buffer{};
    teva::encode(*record, buffer.data());
    if (db.DB_put(teva::SlopeRecord::kind, buffer.data()) != 0) {
        if (rename) db.DB_Usren(4, number, oldName->c_str());
        dialogs.ShowMessage(kWriteFailedMessage);
        return EditOutcome::Failed;
    }
    db.DB_restruct(0);
    shapes.RebuildRegisteredShapes();
    refresh.RefreshAfterModelChange();
    return EditOutcome::Written;
}
