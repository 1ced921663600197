#pragma once
// The texts shown when the editor adds axes and levels to the model,
// extracts intersection lines and deletes slopes.

// Axis and level addition. %s: the new name.
inline constexpr const char* kAxisAddedMessage = "%s軸を追加しました。";
inline constexpr const char* kLevelAddedMessage = "%s層を追加しました。";
inline constexpr const char* kCapacityExceededMessage = "登録許容量を超えました";
inline constexpr const char* kAxisWriteFailedMessage = "軸データを書き込めませんでした。";
inline constexpr const char* kLevelWriteFailedMessage = "層データを書き込めませんでした。";

// Intersection-line extraction.
inline constexpr const char* kOnAxisExtensionMessage = "軸の延長線上に重複するため配置できません。";
// %s: the axis name.
inline constexpr const char* kCollinearAxisMessage =
    "同一直線上に%s軸が入力されているため、\n自動配置が行われませんでした。";
// %d, %d: the end nodes of the edge.
inline constexpr const char* kEdgeStillOffAxisMessage = "節点%dと節点%dを結ぶ辺を軸上に配置できませんでした。";
// Appended to a failure after something was added. %s: the names.
inline constexpr const char* kAddedBeforeFailureMessage = "\n追加済み: %s";
inline constexpr const char* kUnreadableNodesMessage = "節点を特定できませんでした。";

// Slope deletion.
inline constexpr const char* kShapeUnreadableMessage = "形状データの読込に失敗しました";
inline constexpr const char* kDeleteConfirmMessage = "関連部材がある場合削除されます。";
inline constexpr const char* kPlacementUnreadableMessage = "配置データを取得できませんでした";
inline constexpr const char* kNotDeletedMessage = "正常に削除されませんでした";

#include <string>

// `pattern` with its first "%s" or "%d" replaced by `text`.
inline std::string FillIn(std::string pattern, const std::string& text) {
    const size_t at = pattern.find('%');
    if (at != std::string::npos && at + 1 < pattern.size()) pattern.replace(at, 2, text);
    return pattern;
}

// Mesh files linked to a slope (参照 in the edit panel).
inline constexpr const char* kMeshPathTooLongMessage = "ファイルのパスが長すぎます。";
inline constexpr const char* kMeshFileWriteFailedMessage = "斜面定義ファイルを登録できませんでした。";
