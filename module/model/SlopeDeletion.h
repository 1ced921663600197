#pragma once
// Deleting a registered slope from the model: its slope record, its edge
// records and its name.

#include "model/EditorRefresh.h"
#include "model/SlopeShapeList.h"

enum class DeleteOutcome {
    NothingSelected,  // no registered slope selected: nothing happened
    ResetSelection,   // refused or cancelled before anything was touched;
                      // the caller clears the picked nodes and the outline
    Refused,          // refused with a message; the model is as it was
    Deleted           // gone from the model, the view refreshed
};

// Deletes the slope of the selected Registered shape after the user
// confirms "関連部材がある場合削除されます。" (OK/Cancel). Its name must be
// readable ("形状データの読込に失敗しました") and its slope record too
// ("配置データを取得できませんでした"); a slope record that cannot be deleted
// ends it ("正常に削除されませんでした"). Then its edge records 5 … n and its
// name are removed (a failure there is told with the same text, but what is
// deleted stays deleted), the model restructured, the selection cleared,
// the registered shapes rebuilt and refresh.RefreshAfterModelChange(). A
// refusal or a cancel writes nothing, clears the selection and repaints.
DeleteOutcome DeleteSlope(SlopeShapeList& shapes, EditorRefresh& refresh);
