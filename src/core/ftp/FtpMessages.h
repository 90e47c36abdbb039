#pragma once

// The messages of the FTP commands, shown by the callers of the client.
namespace ftpmsg {
inline constexpr const char16_t* ConnectFailed = u"接続できませんでした";
inline constexpr const char16_t* ListFailed = u"ファイル一覧取得エラー";
inline constexpr const char16_t* ConnectionLost = u"サーバとの接続が切れました。再接続しますか？";
inline constexpr const char16_t* FolderNotCopied = u"ディレクトリはコピーできません";
inline constexpr const char16_t* FolderNotTransferred = u"ディレクトリは転送できません";
inline constexpr const char16_t* TransferFailed = u"エラーが発生しました";
inline constexpr const char16_t* NoModes = u"このサーバでは属性変更が出来ません";
inline constexpr const char16_t* SaveFirst = u"ファイルを保存してください";
inline constexpr const char16_t* UploadConnectFailed = u"エラー：ftp接続に失敗しました";
inline constexpr const char16_t* UploadFailed = u"エラー：ftp転送に失敗しました";
inline constexpr const char16_t* UploadDone = u"ftpを終了しました";
// Why a session failed, when the server gave no reply of its own.
inline constexpr const char16_t* NoConnection = u"サーバに接続できませんでした";
inline constexpr const char16_t* Disconnected = u"サーバとの接続が切れました";
// %1 the name, %2 the code ("UTF-8", "Shift-JIS").
inline constexpr const char16_t* NameNotInCode =
    u"「%1」には、サーバの文字コード（%2）で表せない文字があります。名前を変えてください";
// %1 the certificate: subject, issuer, fingerprint and why it did not verify.
inline constexpr const char16_t* CertificateUnknown =
    u"サーバの証明書を確認できません。\n%1";
inline constexpr const char16_t* CertificateChanged =
    u"警告：サーバの証明書が、信頼した証明書から変わっています。なりすましのおそれがあるため接続しません。\n%1";
// Site sets.
inline constexpr const char16_t* NewSetPrompt = u"新しい設定名を入力してください";
inline constexpr const char16_t* LastSetNotDeleted =
    u"設定が一つしかありませんので削除できません。この設定を修正してください";
inline constexpr const char16_t* DeleteSetQuestion = u"この設定を削除しますか？";
inline constexpr const char16_t* RenameSetPrompt = u"名前を入力してください";
} // namespace ftpmsg
