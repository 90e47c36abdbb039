#pragma once

// Identifiers of the customization commands (the registered tag and tool
// ranges are in ShellCommandIds.h). Key files store these numbers, so they
// never change.
namespace cmd {

inline constexpr int InitialTemplate = 32903;    // 初期ﾃﾝﾌﾟﾚｰﾄの設定
inline constexpr int HtmlComponent = 32929;      // HTMLｺﾝﾎﾟｰﾈﾝﾄ
inline constexpr int HtmlTemplate = 32930;       // HTMLﾃﾝﾌﾟﾚｰﾄ
inline constexpr int RegisterComponents = 32934; // ｺﾝﾎﾟｰﾈﾝﾄの一括登録
inline constexpr int RegisterTemplates = 32935;  // ﾃﾝﾌﾟﾚｰﾄの一括登録
inline constexpr int KeyCustomize = 32936;       // キーカスタマイズ

} // namespace cmd
