#pragma once

// Identifiers of the style commands. Key files store these numbers, so they
// never change.
namespace cmd {

inline constexpr int StyleArea = 33016;
inline constexpr int StyleRuleNew = 33017;
inline constexpr int StyleRuleEdit = 33019;
inline constexpr int ExternalStyleSheet = 33076;
inline constexpr int BlockStyle = 33020;
inline constexpr int ParagraphStyle = 33021;
inline constexpr int SpanStyle = 33022;
inline constexpr int InlineStyleOnly = 33015;
inline constexpr int StyleList = 33201;

} // namespace cmd
