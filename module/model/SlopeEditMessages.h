#pragma once
// The texts editing a registered slope shows in its message boxes, beside
// those of the definition (SlopeMessages.h).

inline constexpr const char* kEditShapeUnreadableMessage = "形状データの読込に失敗しました";
inline constexpr const char* kEditPlacementUnreadableMessage = "配置データを取得できませんでした";
inline constexpr const char* kMeshFileCapacityMessage = "登録許容量を超えました";
inline constexpr const char* kMeshPathTooLongMessage = "ファイルのパスが長すぎます。";
inline constexpr const char* kMeshFileWriteFailedMessage = "斜面定義ファイルを登録できませんでした。";
