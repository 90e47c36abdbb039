#pragma once

// Identifiers of the link and file commands. Key files store these numbers,
// so they never change.
namespace cmd {

inline constexpr int LinkBrowser = 32944;
inline constexpr int LinkCheck = 32967;
inline constexpr int OpenLinkTarget = 32943;
inline constexpr int LinkList = 33000;
inline constexpr int SizeInfo = 32990;
inline constexpr int InsertFile = 32964;

} // namespace cmd
