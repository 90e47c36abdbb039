#pragma once

// Identifiers of the table and generated-block commands. Key files store
// these numbers, so they never change.
namespace cmd {

inline constexpr int TabToTable = 32953;
inline constexpr int CommaToTable = 32954;
inline constexpr int BlankTabToTable = 32955;
inline constexpr int LinesToTable = 32974;
inline constexpr int TableOptionsDialog = 33034;
inline constexpr int TableColorsDialog = 32975;

inline constexpr int TableWizard = 32824;
inline constexpr int FrameBox = 33011;
inline constexpr int SideMargins = 33012;
inline constexpr int InsertDate = 32957;

} // namespace cmd
