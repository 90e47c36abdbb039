#pragma once

// Identifiers of the tag attribute dialogs and of tag editing. Key files
// store these numbers, so they never change.
namespace cmd::tagdlg {

inline constexpr int Link = 32772;
inline constexpr int Heading = 32775;
inline constexpr int Image = 32788;
inline constexpr int Form = 32798;
inline constexpr int TextBox = 32799;
inline constexpr int Radio = 32801;
inline constexpr int ImageButton = 32802;
inline constexpr int Hidden = 32803;
inline constexpr int Submit = 32804;
inline constexpr int Reset = 32805;
inline constexpr int Background = 32807;
inline constexpr int AnchorLink = 32815;
inline constexpr int Keyword = 32816;
inline constexpr int TextArea = 32817;
inline constexpr int Rule = 32818;
inline constexpr int Refresh = 32819;
inline constexpr int Mail = 32820;
inline constexpr int Table = 32825;
inline constexpr int Row = 32826;
inline constexpr int Cell = 32827;
inline constexpr int HeaderCell = 32828;
inline constexpr int Caption = 32829;
inline constexpr int Frameset = 32831;
inline constexpr int Frame = 32833;
inline constexpr int TargetFrame = 32834;
inline constexpr int ListBox = 32919;
inline constexpr int Option = 32920;
inline constexpr int Param = 32924;
inline constexpr int Applet = 32925;
inline constexpr int Script = 32926;
inline constexpr int Bgm = 32937;
inline constexpr int Marquee = 32938;
inline constexpr int Video = 32939;
inline constexpr int Plugin = 32959;
inline constexpr int CheckBox = 32962;
inline constexpr int EditTag = 32976;
inline constexpr int Font = 32977;
inline constexpr int LinkTarget = 32986;

// Style commands the dispatch hands DIV, P and SPAN to.
inline constexpr int BlockStyle = 33020;
inline constexpr int ParagraphStyle = 33021;
inline constexpr int InlineStyle = 33022;

} // namespace cmd::tagdlg
