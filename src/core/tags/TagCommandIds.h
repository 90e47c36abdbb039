#pragma once

// Identifiers of the tag insertion commands (the HTML menu). Key files store
// these numbers, so they never change.
namespace cmd::tag {

// Page.
inline constexpr int Title = 32773;
inline constexpr int Rule = 32774;
inline constexpr int RuleNoShade = 32958;
inline constexpr int Comment = 32906;
inline constexpr int Head = 32966;

// Font.
inline constexpr int Bold = 32776;
inline constexpr int Italic = 32777;
inline constexpr int Emphasis = 32778;
inline constexpr int Strong = 32779;
inline constexpr int Superscript = 32917;
inline constexpr int Subscript = 32918;
inline constexpr int EntityAmp = 32809;
inline constexpr int EntityLt = 32810;
inline constexpr int EntityGt = 32811;
inline constexpr int EntityQuot = 32812;

// Text.
inline constexpr int Preformatted = 32786;
inline constexpr int Paragraph = 32780;
inline constexpr int LineBreak = 32781;
inline constexpr int NoBreak = 32813;
inline constexpr int ClearBreak = 32904;
inline constexpr int Center = 32782;
inline constexpr int AlignLeft = 32914;
inline constexpr int AlignCenter = 32915;
inline constexpr int AlignRight = 32916;
inline constexpr int ListItem = 32941;
inline constexpr int IndentBlock = 32942;
inline constexpr int UnorderedList = 32783;
inline constexpr int OrderedList = 32784;
inline constexpr int DefinitionList = 32907;
inline constexpr int DefinitionTerm = 32908;
inline constexpr int DefinitionData = 32909;
inline constexpr int DefinitionListFromLines = 32785;
inline constexpr int Blink = 32787;
inline constexpr int Quote = 32910;

// Server-side includes.
inline constexpr int SsiExec = 32922;
inline constexpr int SsiLastModified = 32988;
inline constexpr int SsiDate = 32989;

// Frames.
inline constexpr int NoFrames = 32835;

} // namespace cmd::tag
