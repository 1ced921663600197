#pragma once
// The texts mesh mode shows.

inline constexpr const char* kMeshDefinitionUnreadable = "定義データを取得できません";
inline constexpr const char* kMeshFileUnreadable = "斜面データの読み込みに失敗しました";
inline constexpr const char* kMeshOutlineUnreadable = "斜面の外形を取得できません。";
inline constexpr const char* kMeshInsertAlongLine = "直線状に節点を設けます。";
inline constexpr const char* kMeshSplitQuestion = "メッシュを分割しますか?";
inline constexpr const char* kMeshNodesOnEdge = "分割する節点は構成辺上にあります。";
inline constexpr const char* kMeshInvalidControl = "無効のコントロールです";
inline constexpr const char* kMeshQuadrilateralOnly = "この操作は四角形メッシュのみ有効です。";
inline constexpr const char* kMeshTooManyElements = "要素数が250000を超えるため分割できません。";
inline constexpr const char* kMeshOverwriteQuestion = "%sを上書きします。よろしいですか？";
inline constexpr const char* kMeshSaved = "保存が完了しました";
inline constexpr const char* kMeshSaveFailed = "メッシュファイルを保存できませんでした。";
inline constexpr const char* kMeshEmpty = "メッシュがありません。";
inline constexpr const char* kMeshTrianglesOnly =
    "メッシュは三角形メッシュのみ有効です。\n多角形メッシュを三角形に分割して下さい。";
inline constexpr const char* kMeshOrderSelectLeft = "左側のリストから項目を選択してください。";
inline constexpr const char* kMeshOrderItemsLeft = "左項目がまだ残っています。";
inline constexpr const char* kMeshCoordinateRange = "座標は -1000000000 から 1000000000 までの数値を入力して下さい。";
inline constexpr const char* kUndoInMeshModeNotice = "メッシュモードでは元に戻せません";
inline constexpr const char* kMeshCountRange = "1 から 999 までの整数を入力して下さい。";
inline constexpr const char* kMeshNotANumber = "数値を入力して下さい。";
