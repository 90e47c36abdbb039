#pragma once

// Identifiers of the application shell's own commands (the editor view,
// find and replace, the settings sheet) and of the command ranges that the
// registered tags and tools fill. Key files store these numbers, so they
// never change.
namespace cmd {

inline constexpr int Preview = 32791;          // ﾌﾞﾗｳｻﾞでﾌﾟﾚﾋﾞｭｰ
inline constexpr int FontSettings = 32793;     // ﾌｫﾝﾄの設定
inline constexpr int Deselect = 32945;         // 選択の解除
inline constexpr int WordWrap = 32965;         // 折り返しあり
inline constexpr int TagEditing = 32978;       // タグ編集機能
inline constexpr int GeneralSettings = 33009;  // 各種設定
inline constexpr int GoToLine = 33024;         // 指定行へ移動
inline constexpr int FindPrevious = 33035;     // 前を検索

// How the text is shown (the view menu's toggles and the zoom keys).
// Outside both menu ranges, as they are new to the program.
inline constexpr int ToggleHighlight = 34200;    // 色分け表示
inline constexpr int ToggleLineNumbers = 34201;  // 行番号
inline constexpr int ToggleCurrentLine = 34202;  // 現在行の強調
inline constexpr int ToggleTagMatch = 34203;     // 対応タグの強調
inline constexpr int ToggleSearchMarks = 34204;  // 検索語の強調
inline constexpr int ZoomIn = 34205;
inline constexpr int ZoomOut = 34206;
inline constexpr int ZoomReset = 34207;

// Registered tags: one command per menu entry, from the first id on.
inline constexpr int RegisteredTagEdit = 32837;
inline constexpr int RegisteredTagFirst = 32838;
inline constexpr int RegisteredTagMenuMax = 50;  // up to 32887
// Registered tools, likewise.
inline constexpr int RegisteredToolEdit = 32888;
inline constexpr int RegisteredToolFirst = 32889;
inline constexpr int RegisteredToolMenuMax = 10;  // up to 32898

} // namespace cmd
