#pragma once
// The texts the slope definition shows in its message boxes.

// Node picks.
inline constexpr const char* kCrossingAlreadyPickedMessage = "交差順が重複します";
inline constexpr const char* kSingleLayerMessage = "同層面に斜面を定義することはできません。";

// The checks of a definition, in the order they are made.
inline constexpr const char* kThreePointsMessage = "構成点は3点必要です。";
inline constexpr const char* kUnknownLayerMessage = "層を特定できません。";
inline constexpr const char* kInvalidPositionMessage = "位置関係が不正です。";
inline constexpr const char* kUnreadablePositionMessage = "節点の座標を取得できませんでした。";
inline constexpr const char* kOverlapsRegisteredMessage = "既存斜面と重なっているので配置できません。";
inline constexpr const char* kWallLinesMissingMessage = "周辺壁面線が不足しています。";
// %s: the other slope's name.
inline constexpr const char* kOverlapQuestionMessage = "%s斜面の重なりを検知しました。\n入力を続行しますか？";
inline constexpr const char* kSlopesOverlapMessage = "斜面同士の重なりを検知しました。";
inline constexpr const char* kIntersectionLineNamedMessage = "%s斜面との交差線を定義する必要があります。";
inline constexpr const char* kIntersectionLineMessage = "斜面同士の交差線を定義する必要があります。";
inline constexpr const char* kCannotDefineMessage = "この斜面は定義できません。";
inline constexpr const char* kWriteFailedMessage = "斜面データを書き込めませんでした。";

// Names.
inline constexpr const char* kDuplicateNameMessage = "名称が重複しているか,\n入力されていません。";
inline constexpr const char* kNameTooLongMessage = "名称が長すぎます。";
inline constexpr const char* kNoAutomaticNameMessage = "斜面名を自動で決められませんでした。";
