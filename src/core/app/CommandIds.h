#pragma once

// Command identifiers. The program's own commands lie in 32772..33201; the
// framework's standard commands start at 57600. Key files store these
// numbers, so they never change.
namespace cmd {

// Framework commands.
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int FileMru1 = 57616;  // first recent file
inline constexpr int FileMruLast = 57631;
inline constexpr int EditClear = 57632;
inline constexpr int EditCopy = 57634;
inline constexpr int EditCut = 57635;
inline constexpr int EditFind = 57636;
inline constexpr int EditPaste = 57637;
inline constexpr int EditRepeat = 57640;  // find next
inline constexpr int EditReplace = 57641;
inline constexpr int EditSelectAll = 57642;
inline constexpr int EditUndo = 57643;
inline constexpr int EditRedo = 57644;
inline constexpr int AppAbout = 57664;
inline constexpr int AppExit = 57665;
inline constexpr int FilePrint = 57607;
inline constexpr int FilePrintPreview = 57609;
inline constexpr int Help = 57670;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;

// Document.
inline constexpr int CharCode = 32940;
// Reopens the document in the code its page declares. Reached from the
// status bar only, so it lies outside both menu ranges.
inline constexpr int ReopenDeclaredCode = 34100;

// Commands added to the menus later lie from 34200 on, outside the
// original ranges too.
inline constexpr int FindInFiles = 34220;
inline constexpr int ReplaceInFiles = 34221;
inline constexpr int FindInFilesResults = 34222;
inline constexpr int NextFindResult = 34223;
inline constexpr int PreviousFindResult = 34224;
inline constexpr int SiteMigrate = 34250;  // サイトの文字コード変換
// Shows or hides the live preview beside the editor.
inline constexpr int TogglePreview = 34260;
// Lists the problems of the page in the editor.
inline constexpr int PageCheck = 34300;

} // namespace cmd
