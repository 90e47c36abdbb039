#pragma once

class CKelvoApp;

namespace cmd {
inline constexpr int FtpWindow = 32980;  // ftp(&V)...
inline constexpr int FtpUpload = 32963;  // ftp転送(&F)...
}

// The FTP window and the one-step upload of the document.
void RegisterFtpWindowCommands(CKelvoApp& app);
