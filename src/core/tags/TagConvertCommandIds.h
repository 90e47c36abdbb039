#pragma once

// Identifiers of the tag removal, capture and text conversion commands. Key
// files store these numbers, so they never change.
namespace cmd {

inline constexpr int TagRemoveOutermost = 32794;
inline constexpr int TagStripSelection = 32806;
inline constexpr int TagStripAll = 32795;
inline constexpr int TagCapture = 32836;
inline constexpr int TagReinsert = 32830;
inline constexpr int TagsToLowerCase = 33031;
inline constexpr int TagsToUpperCase = 33032;
inline constexpr int BreaksToParagraphs = 32900;
inline constexpr int BreaksToLineBreaks = 32901;
inline constexpr int BreaksToParagraphsAndLineBreaks = 32902;
inline constexpr int BracketsToEntities = 32928;

} // namespace cmd
