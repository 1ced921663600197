#pragma once
// Editing a registered slope: reading what the edit shows (its name and its
// SlopeRecord) and writing a change of layers, type, name and mesh file
// back to the model.

#include <cstdint>
#include <optional>
#include <string>

#include "RecordLayouts.h"
#include "model/EditorRefresh.h"
#include "model/LayerCode.h"
#include "model/SlopeShapeList.h"

// The slope name number (key of its record and kind-4 name) of a registered
// slope's layer code; 0 when no library is bound.
int16_t SlopeNumberOfLayer(LayerCode slopeLayer);

struct EditedSlope {
    int16_t number = 0;  // the slope name number
    std::string name;
    teva::SlopeRecord record;
};

// The slope's name and record. Nothing, after "形状データの読込に失敗しました"
// (no such name) or "配置データを取得できませんでした" (no record), when
// either is missing.
std::optional<EditedSlope> ReadEditedSlope(int16_t number);

// The storey layer codes a record's layer fields name: storey + 32768 × sub.
LayerCode UpperLayerOf(const teva::SlopeRecord& record);
LayerCode LowerLayerOf(const teva::SlopeRecord& record);

struct SlopeEdit {
    std::string name;   // typed; normalised here
    int32_t upper = 0;  // layer name codes as the layer lists give them
    int32_t lower = 0;
    bool meshDefined = false;  // the 擬似ﾒｯｼｭ type
    int16_t meshRecord = 0;    // the mesh-file record; 0 none
};

enum class EditOutcome {
    Refused,  // a name or a layer the edit cannot take; nothing written
    Failed,   // a read or write of the model failed; nothing changed
    Written
};

// Applies `edit` to slope `number`, each refusal or failure with its
// message:
//  - the name (spaces removed) must be the slope's own, or new, not empty
//    and at most 63 bytes;
//  - both layers must be storey layers, the upper standing strictly higher
//    ("位置関係が不正です。");
//  - the record is read back before anything is written; then the name is
//    changed (when it is another) and the record written with only the
//    edited fields replaced (layers as storey and sub-layer number, type,
//    mesh-file record). A failed record write gives the old name back.
// Written ends with DB_restruct(0), the registered shapes rebuilt and
// refresh.RefreshAfterModelChange().
EditOutcome ApplySlopeEdit(int16_t number, const SlopeEdit& edit, SlopeShapeList& shapes, EditorRefresh& refresh);
