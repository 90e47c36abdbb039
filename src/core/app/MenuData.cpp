#include "core/app/MenuData.h"

#include "core/app/CommandIds.h"
#include "core/app/ShellCommandIds.h"
#include "core/app/UiText.h"

#include <functional>
#include <map>

MenuItem MenuItem::Command(const QString& caption, int id, const QString& shortcut)
{
    MenuItem m;
    m.kind = Kind::Command;
    m.caption = caption;
    m.id = id;
    m.shortcut = shortcut;
    return m;
}

QString EscapeMnemonic(QString text)
{
    text.replace(u'&', QStringLiteral("&&"));
    return text;
}

namespace {

MenuItem Cmd(const char16_t* caption, int id, const char* shortcut = "")
{
    return MenuItem::Command(UiText(QString::fromUtf16(caption)), id, QString::fromLatin1(shortcut));
}

MenuItem Sep()
{
    MenuItem m;
    m.kind = MenuItem::Kind::Separator;
    return m;
}

MenuItem Sub(const char16_t* caption, std::vector<MenuItem> children)
{
    MenuItem m;
    m.kind = MenuItem::Kind::Submenu;
    m.caption = UiText(QString::fromUtf16(caption));
    m.children = std::move(children);
    return m;
}

MenuItem FileMenu(const char16_t* caption)
{
    return Sub(caption, {
        Cmd(u"新規作成(&N)", cmd::FileNew, "Ctrl+N"),
        Cmd(u"開く(&O)...", cmd::FileOpen, "Ctrl+O"),
        Cmd(u"上書き保存(&S)", cmd::FileSave, "Ctrl+S"),
        Cmd(u"名前を付けて保存(&A)...", cmd::FileSaveAs),
        Sep(),
        Cmd(u"ファイルの挿入(I)...", 32964),
        Cmd(u"HTMLテンプレート(&T)...", 32930),
        Sep(),
        Cmd(u"文字コード(&C)...", cmd::CharCode),
        Sep(),
        Cmd(u"印刷(&P)...", cmd::FilePrint),
        Cmd(u"印刷プレビュー(&V)", cmd::FilePrintPreview),
        Sep(),
        Sub(u"最近使ったファイル(&0)", {Cmd(u"最新のファイル", cmd::FileMru1)}),
        Sep(),
        Cmd(u"アプリケーションの終了(&X)", cmd::AppExit),
    });
}

MenuItem EditMenu()
{
    return Sub(u"編集(&E)", {
        Cmd(u"元に戻す(&U)", cmd::EditUndo, "Ctrl+Z"),
        Cmd(u"やり直し(&R)", cmd::EditRedo, "Ctrl+Y"),
        Sep(),
        Cmd(u"切り取り(&T)", cmd::EditCut, "Ctrl+X"),
        Cmd(u"コピー(&C)", cmd::EditCopy, "Ctrl+C"),
        Cmd(u"貼り付け(&P)", cmd::EditPaste, "Ctrl+V"),
        Sep(),
        Sub(u"検索(&F)", {
            Cmd(u"文字列の検索(&F)...", cmd::EditFind),
            Cmd(u"次を検索(&N)", cmd::EditRepeat),
            Cmd(u"前を検索(&B)", cmd::FindPrevious),
            Cmd(u"文字列の置換(&R)...", cmd::EditReplace),
            Sep(),
            Cmd(u"ファイル内の検索(&I)...", cmd::FindInFiles),
            Cmd(u"ファイル内の置換(&J)...", cmd::ReplaceInFiles),
            Cmd(u"検索結果の一覧(&L)...", cmd::FindInFilesResults),
            Cmd(u"次の検索結果(&X)", cmd::NextFindResult),
            Cmd(u"前の検索結果(&V)", cmd::PreviousFindResult),
        }),
        Cmd(u"指定行へ移動(&L)...", cmd::GoToLine),
        Sep(),
        Cmd(u"すべての範囲を選択(&A)", cmd::EditSelectAll),
        Cmd(u"選択の解除(&E)", cmd::Deselect),
        Sep(),
        Cmd(u"HTMLｺﾝﾎﾟｰﾈﾝﾄ(&H)...", 32929),
    });
}

MenuItem HtmlMenu(MenuLayout layout)
{
    const bool portrait = layout == MenuLayout::Portrait;
    return Sub(u"HTML(&H)", {
        Sub(u"ページ(&P)", {
            Cmd(u"ﾀｲﾄﾙ(&T)", 32773),
            Cmd(u"背景(&B)...", 32807),
            Sep(),
            Cmd(u"罫線(&H)", 32774),
            Cmd(u"陰影なし罫線(&K)", 32958),
            Cmd(u"さまざまな罫線(&R)...", 32818),
            Sep(),
            Cmd(u"ﾘﾌﾚｯｼｭ(&F)...", 32819),
            Cmd(u"ｺﾒﾝﾄ(&C)", 32906),
            Cmd(u"ﾍｯﾀﾞ(&D)", 32966),
        }),
        Sub(u"フォント(&F)", {
            Cmd(u"見出し(&H)...", 32775),
            Cmd(u"フォント(&F)...", 32977),
            Sep(),
            Cmd(u"ﾎﾞｰﾙﾄﾞ(&B)", 32776),
            Cmd(u"ｲﾀﾘｯｸ(&I)", 32777),
            Cmd(u"強調(&E)", 32778),
            Cmd(u"より強い強調(&S)", 32779),
            Sep(),
            Cmd(u"上付添字(&U)", 32917),
            Cmd(u"下付添字(&D)", 32918),
            Sep(),
            Sub(u"特殊文字(&T)", {
                Cmd(u"&&", 32809),
                Cmd(u"<", 32810),
                Cmd(u">", 32811),
                Cmd(u"”", 32812),
            }),
        }),
        Sub(u"テキスト(&T)", {
            Cmd(u"整形済みﾃｷｽﾄ(&R)", 32786),
            Cmd(u"段落(&P)", 32780),
            Sub(u"改行(&E)", {
                Cmd(u"改行(&B)", 32781),
                Cmd(u"改行なし(&O)", 32813),
                Cmd(u"回り込みのカット(&L)", 32904),
            }),
            Sub(u"行揃え(&H)", {
                Cmd(u"ｾﾝﾀﾘﾝｸﾞ(&C)", 32782),
                Cmd(u"左寄せ(&H)", 32914),
                Cmd(u"中寄せ(&E)", 32915),
                Cmd(u"右寄せ(&M)", 32916),
            }),
            Sep(),
            Sub(u"リスト(&I)", {
                Cmd(u"ﾏｰｸ付きﾘｽﾄ(&U)", 32783),
                Cmd(u"番号順ﾘｽﾄ(&N)", 32784),
                Cmd(u"箇条書き(&K)", 32941),
                Cmd(u"段落付け(&D)", 32942),
            }),
            Sub(u"定義型ﾘｽﾄ(&T)", {
                Cmd(u"定義ﾘｽﾄ(&L)", 32907),
                Cmd(u"定義される言葉(&T)", 32908),
                Cmd(u"言葉の意味(&D)", 32909),
                Cmd(u"ﾘｽﾄの作成(&M)", 32785),
            }),
            Sep(),
            Cmd(u"点滅(&M)", 32787),
            Cmd(u"引用(&Q)", 32910),
        }),
        Sub(u"スタイル(&Y)", {
            Cmd(u"スタイル領域(&H)", 33016),
            Cmd(u"スタイル要素(&I)...", 33017),
            Cmd(u"外部スタイルシート(&L)...", 33076),
            Sep(),
            Cmd(u"ブロックスタイル(&D)...", 33020),
            Cmd(u"段落スタイル(&P)...", 33021),
            Cmd(u"部分スタイル(&S)...", 33022),
            Sep(),
            Cmd(u"スタイル一覧(&A)...", 33201),
        }),
        Sep(),
        Sub(u"フォーム（&M)", {
            Cmd(u"ﾌｫｰﾑ領域の設定(&F)...", 32798),
            Sep(),
            Cmd(u"ﾃｷｽﾄﾎﾞｯｸｽ(&T)...", 32799),
            Cmd(u"複数行ﾃｷｽﾄﾎﾞｯｸｽ(&M)...", 32817),
            Sub(portrait ? u"選択(&B)" : u"選択ボタン(&B)", {
                Cmd(u"ﾁｪｯｸﾎﾞｯｸｽ(&C)...", 32962),
                Cmd(u"ﾗｼﾞｵﾎﾞﾀﾝ(&B)...", 32801),
                Cmd(u"ﾘｽﾄﾎﾞｯｸｽ(&L)...", 32919),
                Cmd(u"選択項目(&O)...", 32920),
            }),
            Cmd(u"ｲﾒｰｼﾞ(&I)...", 32802),
            Cmd(u"隠れｲﾝﾌﾟｯﾄ(&H)...", 32803),
            Cmd(u"送信ﾎﾞﾀﾝ(&S)...", 32804),
            Cmd(u"ﾘｾｯﾄﾎﾞﾀﾝ(&R)...", 32805),
            Sep(),
            Sub(u"SSI(&V)", {
                Cmd(u"コマンドの実行(&N)...", 32922),
                Cmd(u"最終更新時刻(&U)", 32988),
                Cmd(u"現在の時刻(&D)", 32989),
            }),
        }),
        Sub(u"テーブル(&S)", {
            Cmd(u"ﾃｰﾌﾞﾙ領域の設定(&S)...", 32825),
            Sep(),
            Cmd(u"列の設定(&R)...", 32826),
            Cmd(u"ﾃﾞｰﾀの設定(&D)...", 32827),
            Cmd(u"項目名の設定(&H)...", 32828),
            Cmd(u"表の題名(&C)...", 32829),
        }),
        Sub(u"特殊効果(&R)", {
            Cmd(u"文字のスクロール(&M)...", 32938),
            Cmd(u"BGMの指定(&B)...", 32937),
            Cmd(u"ビデオクリップ(&V)...", 32939),
            Sep(),
            Cmd(u"フレーム領域の設定(&S)...", 32831),
            Cmd(u"フレームの設定(&F)...", 32833),
            Cmd(u"ターゲットフレーム(&T)...", 32834),
            Cmd(u"フレーム不可の場合(&N)...", 32835),
            Sep(),
            Cmd(u"Javaｱﾌﾟﾚｯﾄ(&A)...", 32925),
            Cmd(u"Javaﾊﾟﾗﾒｰﾀ(&P)...", 32924),
            Cmd(u"Javaｽｸﾘﾌﾟﾄ(&J)", 32926),
            Cmd(u"PlugIn(&G)...", 32959),
        }),
        Sep(),
        Cmd(u"イメージ(&I)...", 32788),
        Sub(u"リンク(&L)", {
            Cmd(u"他の文書(&L)...", 32772),
            Cmd(u"リンク先ウィンドウ(&B)...", 32986),
            Cmd(u"同一文書内(&S)...", 32815),
            Cmd(u"ｷｰﾜｰﾄﾞ設定(&K)...", 32816),
            Sep(),
            Cmd(u"ﾒｰﾙの送信先(&M)...", 32820),
        }),
        Sep(),
        // The thirteenth entry (index 12); its placeholder is replaced by
        // the registered tags.
        Sub(u"登録タグ(&A)", {
            Cmd(u"登録タグの編集(&A)..", cmd::RegisteredTagEdit),
            Sep(),
            Cmd(u"TAG", cmd::RegisteredTagFirst),
        }),
    });
}

MenuItem ToolsMenu(MenuLayout layout)
{
    std::vector<MenuItem> items = {
        Cmd(u"ﾌﾞﾗｳｻﾞでﾌﾟﾚﾋﾞｭｰ(&P)", cmd::Preview),
        Sep(),
        Sub(u"タグ操作(&T)", {
            Cmd(u"一番外のみ消去(&D)...", 32794),
            Cmd(u"選択領域の消去(&S)...", 32806),
            Cmd(u"全て消去(&A)...", 32795),
            Sep(),
            Cmd(u"タグの取込(&C)", 32836),
            Cmd(u"タグの再挿入(&N)", 32830),
            Sep(),
            Cmd(u"タグの修正(&E)...", 32976),
            Cmd(u"スタイル要素の修正(&T)...", 33019),
            Cmd(u"インラインスタイルのみの挿入(&L)...", 33015),
        }),
        Sub(u"変換(&C)", {
            Cmd(u"改行→<P>(&P)", 32900),
            Cmd(u"改行→<BR>(&B)", 32901),
            Cmd(u"改行→<P><BR>(&K)", 32902),
            Sep(),
            Cmd(u"< >の&&lt; &&gt変換(&L)", 32928),
            Sep(),
            Cmd(u"タグの小文字化(&W)", 33031),
            Cmd(u"タグの大文字化(&T)", 33032),
        }),
        Sep(),
        Sub(u"テーブル(&B)", {
            Cmd(u"ﾃｰﾌﾞﾙWizard(&W)...", 32824),
            Sep(),
            Cmd(u"TAB区切り → ﾃｰﾌﾞﾙ(&T)", 32953),
            Cmd(u"ﾀﾌﾞｽﾍﾟｰｽ区切り → ﾃｰﾌﾞﾙ(&S)", 32955),
            Cmd(u"ｶﾝﾏ区切り → ﾃｰﾌﾞﾙ(&V)", 32954),
            Cmd(u"行→テーブル(&L)...", 32974),
            Sep(),
            Cmd(u"テーブル化オプション(&O)...", 33034),
            Cmd(u"テーブルの色設定(&C)...", 32975),
        }),
        Sep(),
        Sub(u"その他(&O)", {
            Cmd(u"今日の日付の挿入(&D)", 32957),
            Cmd(u"枠で囲む(&X)...", 33011),
            Cmd(u"左右余白設定(&M)...", 33012),
        }),
        Sub(u"リンク(&L)", {
            Cmd(u"リンクブラウザ(&L)...", 32944),
            Cmd(u"リンクチェック(&K)..", 32967),
            Cmd(u"リンク先を開く(&O)", 32943),
            Sep(),
            Cmd(u"リンクリストの作成(&A)", 33000),
        }),
        Sep(),
        // The eleventh entry (index 10); its placeholder is replaced by the
        // registered tools.
        Sub(u"登録ツール(&E)", {
            Cmd(u"登録ツールの編集(&E)...", cmd::RegisteredToolEdit),
            Sep(),
            Cmd(u"TOOL", cmd::RegisteredToolFirst),
        }),
        // After the registered tools, whose place is fixed.
        Cmd(u"文書のチェック(&K)", cmd::PageCheck),
    };
    if (layout == MenuLayout::Portrait) {
        items.push_back(Cmd(u"サイトの公開(&W)...", 33090));
        items.push_back(Cmd(u"サイトの文字コード変換(&U)...", cmd::SiteMigrate));
        items.push_back(Cmd(u"ftp転送(&F)...", 32963));
        items.push_back(Cmd(u"ftp(&V)...", 32980));
    } else {
        items.push_back(Sub(u"FTP(&F)", {
            Cmd(u"ftp(&V)...", 32980),
            Cmd(u"ftp転送(&F)...", 32963),
            Cmd(u"サイトの公開(&W)...", 33090),
            Cmd(u"サイトの文字コード変換(&U)...", cmd::SiteMigrate),
        }));
    }
    MenuItem m = Sub(u"ﾂｰﾙ(&T)", {});
    m.children = std::move(items);
    return m;
}

MenuItem ViewMenu(MenuLayout layout)
{
    const bool portrait = layout == MenuLayout::Portrait;
    std::vector<MenuItem> items = {
        Cmd(u"サイズ情報(&I)...", 32990),
        Sep(),
        Cmd(u"ﾌｫﾝﾄの設定(&F)...", cmd::FontSettings),
        Cmd(u"各種設定(&N)...", cmd::GeneralSettings),
        Sep(),
        Cmd(u"折り返しあり(&O)", cmd::WordWrap),
    };
    if (!portrait)
        items.push_back(Cmd(u"タグ編集機能(&E)", cmd::TagEditing));
    items.push_back(Sep());
    items.push_back(Cmd(u"色分け表示(&C)", cmd::ToggleHighlight));
    items.push_back(Cmd(u"行番号(&L)", cmd::ToggleLineNumbers));
    items.push_back(Cmd(u"現在行の強調(&U)", cmd::ToggleCurrentLine));
    items.push_back(Cmd(u"対応タグの強調(&T)", cmd::ToggleTagMatch));
    items.push_back(Cmd(u"検索語の強調(&S)", cmd::ToggleSearchMarks));
    items.push_back(Sub(u"ズーム(&Z)", {
        Cmd(u"拡大(&I)", cmd::ZoomIn, "Ctrl++"),
        Cmd(u"縮小(&D)", cmd::ZoomOut, "Ctrl+-"),
        Cmd(u"元のサイズ(&R)", cmd::ZoomReset, "Ctrl+0"),
    }));
    items.push_back(Sep());
    // Seeing the page: the preview, and what else looks at the page.
    items.push_back(Cmd(u"プレビューを表示(&V)", cmd::TogglePreview, "F12"));
    items.push_back(Sep());
    items.push_back(Sub(u"テンプレート設定(&R)", {
        Cmd(u"初期ﾃﾝﾌﾟﾚｰﾄの設定(&M)...", 32903),
        Cmd(u"ｺﾝﾎﾟｰﾈﾝﾄの一括登録(&C)...", 32934),
        Cmd(u"ﾃﾝﾌﾟﾚｰﾄの一括登録(&P)...", 32935),
    }));
    items.push_back(Cmd(u"キーカスタマイズ(&K)...", 32936));
    items.push_back(Sep());
    items.push_back(Cmd(u"ヘルプ(&H)", cmd::Help));
    items.push_back(portrait ? Cmd(u"ﾊﾞｰｼﾞｮﾝ情報(&A)...", cmd::AppAbout)
                             : Cmd(u"バージョン情報(&A)...", cmd::AppAbout));
    MenuItem m = Sub(u"表示(&V)", {});
    m.children = std::move(items);
    return m;
}

// Prompt strings: the status-bar description and, after the line feed, the
// short name shown as the toolbar tip.
const std::map<int, const char16_t*>& Prompts()
{
    static const std::map<int, const char16_t*> prompts = {
        // File
        {cmd::FileNew, u"新しいﾌｧｲﾙを作成\n新規作成"},
        {cmd::FileOpen, u"既存のﾌｧｲﾙを開く\n開く"},
        {cmd::FileSave, u"作業中のﾌｧｲﾙを保存\n保存"},
        {cmd::FileSaveAs, u"作業中のﾌｧｲﾙを新しい名前で保存\n名前を付けて保存"},
        {32964, u"ﾌｧｲﾙの内容をｶｰｿﾙ位置に挿入します\nﾌｧｲﾙの挿入"},
        {32930, u"HTMLﾃﾝﾌﾟﾚｰﾄから新しいﾌｧｲﾙを作成します\nHTMLﾃﾝﾌﾟﾚｰﾄ"},
        {cmd::CharCode, u"保存するﾌｧｲﾙの文字ｺｰﾄﾞと改行ｺｰﾄﾞを設定します\n文字ｺｰﾄﾞ"},
        {cmd::AppExit, u"ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を確認\n終了"},
        {cmd::FilePrint, u"作業中のﾌｧｲﾙのｿｰｽを印刷します\n印刷"},
        {cmd::FilePrintPreview, u"印刷したときのﾍﾟｰｼﾞを表示します\n印刷ﾌﾟﾚﾋﾞｭｰ"},
        // Edit
        {cmd::EditUndo, u"直前の操作を元に戻す\n元に戻す"},
        {cmd::EditRedo, u"元に戻した操作をやり直す\nやり直し"},
        {cmd::EditCut, u"選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\n切り取り"},
        {cmd::EditCopy, u"選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ"},
        {cmd::EditPaste, u"ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入\n貼り付け"},
        {cmd::EditClear, u"選択範囲を消去\n消去"},
        {cmd::EditFind, u"指定した文字列を検索\n検索"},
        {cmd::EditRepeat, u"同じ文字列を後ろに向かって検索\n次を検索"},
        {cmd::FindInFiles, u"フォルダー内のファイルから文字列を検索\nファイル内の検索"},
        {cmd::PageCheck, u"文書のタグの誤りや見つからないリンク先などを一覧表示します\n文書のチェック"},
        {cmd::ReplaceInFiles, u"フォルダー内のファイルの文字列を置換\nファイル内の置換"},
        {cmd::FindInFilesResults, u"ファイル内の検索結果の一覧をもう一度表示\n検索結果の一覧"},
        {cmd::NextFindResult, u"ファイル内の検索結果の次の行を開く\n次の検索結果"},
        {cmd::PreviousFindResult, u"ファイル内の検索結果の前の行を開く\n前の検索結果"},
        {cmd::FindPrevious, u"同じ文字列を前に向かって検索\n前を検索"},
        {cmd::EditReplace, u"文字列を別の文字列に置換\n置換"},
        {cmd::GoToLine, u"指定した番号の行へ移動します\n指定行へ移動"},
        {cmd::EditSelectAll, u"文書全体を選択\nすべて選択"},
        {cmd::Deselect, u"選択を解除します\n選択の解除"},
        {32929, u"HTMLｺﾝﾎﾟｰﾈﾝﾄを挿入します\nHTMLｺﾝﾎﾟｰﾈﾝﾄ"},
        // HTML / page
        {32773, u"<TITLE>:文書のﾀｲﾄﾙを設定します\nﾀｲﾄﾙ"},
        {32807, u"<BODY>:背景や文字の色を設定します\n背景"},
        {32774, u"<HR>:罫線を引きます\n罫線"},
        {32958, u"<HR NOSHADE>:陰影のない罫線を引きます\n陰影なし罫線"},
        {32818, u"<HR>:罫線の種類を指定して引きます\nさまざまな罫線"},
        {32819, u"<META>:ﾍﾟｰｼﾞの自動更新を設定します\nﾘﾌﾚｯｼｭ"},
        {32906, u"<!-- -->:ｺﾒﾝﾄにします\nｺﾒﾝﾄ"},
        {32966, u"<HEAD>:ﾍｯﾀﾞ領域を挿入します\nﾍｯﾀﾞ"},
        // HTML / font
        {32775, u"<H1>～<H6>:見出しにします\n見出し"},
        {32977, u"<FONT>:文字の大きさや色を設定します\nﾌｫﾝﾄ"},
        {32776, u"<B>:強調表示します\nﾎﾞｰﾙﾄﾞ"},
        {32777, u"<I>:斜体にします\nｲﾀﾘｯｸ"},
        {32778, u"<EM>:強調します\n強調"},
        {32779, u"<STRONG>:より強く強調します\nより強い強調"},
        {32917, u"<SUP>:上付き文字にします\n上付添字"},
        {32918, u"<SUB>:下付き文字にします\n下付添字"},
        {32809, u"&amp;:&を挿入します\n&amp;"},
        {32810, u"&lt;:<を挿入します\n&lt;"},
        {32811, u"&gt;:>を挿入します\n&gt;"},
        {32812, u"&quot;:”を挿入します\n&quot;"},
        // HTML / text
        {32786, u"<PRE>:整形済みﾃｷｽﾄにします\n整形済みﾃｷｽﾄ"},
        {32780, u"<P>:段落にします\n段落"},
        {32781, u"<BR>:改行します\n改行"},
        {32813, u"<NOBR>:改行しない範囲を設定します\n改行なし"},
        {32904, u"画像の回り込みを解除して改行します\n回り込みのカット"},
        {32782, u"<CENTER>:中央に揃えます\nｾﾝﾀﾘﾝｸﾞ"},
        {32914, u"左に揃えます\n左寄せ"},
        {32915, u"中央に揃えます\n中寄せ"},
        {32916, u"右に揃えます\n右寄せ"},
        {32783, u"<UL>:ﾏｰｸ付きﾘｽﾄにします\nﾏｰｸ付きﾘｽﾄ"},
        {32784, u"<OL>:番号順ﾘｽﾄにします\n番号順ﾘｽﾄ"},
        {32941, u"各行をﾘｽﾄの項目にします\n箇条書き"},
        {32942, u"各行を段落にします\n段落付け"},
        {32907, u"<DL>:定義ﾘｽﾄにします\n定義ﾘｽﾄ"},
        {32908, u"<DT>:定義される言葉にします\n定義される言葉"},
        {32909, u"<DD>:言葉の意味にします\n言葉の意味"},
        {32785, u"定義型ﾘｽﾄを作成します\nﾘｽﾄの作成"},
        {32787, u"<BLINK>:点滅させます\n点滅"},
        {32910, u"<BLOCKQUOTE>:引用にします\n引用"},
        // HTML / style
        {33016, u"<STYLE>:ｽﾀｲﾙ領域を挿入します\nｽﾀｲﾙ領域"},
        {33017, u"ｽﾀｲﾙ要素を作成します\nｽﾀｲﾙ要素"},
        {33076, u"<LINK>:外部ｽﾀｲﾙｼｰﾄを指定します\n外部ｽﾀｲﾙｼｰﾄ"},
        {33020, u"ﾌﾞﾛｯｸにｽﾀｲﾙを設定します\nﾌﾞﾛｯｸｽﾀｲﾙ"},
        {33021, u"段落にｽﾀｲﾙを設定します\n段落ｽﾀｲﾙ"},
        {33022, u"文字列の一部にｽﾀｲﾙを設定します\n部分ｽﾀｲﾙ"},
        {33201, u"文書のｽﾀｲﾙ要素を一覧表示します\nｽﾀｲﾙ一覧"},
        // HTML / form
        {32798, u"<FORM>:ﾌｫｰﾑ領域を設定します\nﾌｫｰﾑ領域"},
        {32799, u"ﾃｷｽﾄﾎﾞｯｸｽを挿入します\nﾃｷｽﾄﾎﾞｯｸｽ"},
        {32817, u"<TEXTAREA>:複数行ﾃｷｽﾄﾎﾞｯｸｽを挿入します\n複数行ﾃｷｽﾄﾎﾞｯｸｽ"},
        {32962, u"ﾁｪｯｸﾎﾞｯｸｽを挿入します\nﾁｪｯｸﾎﾞｯｸｽ"},
        {32801, u"ﾗｼﾞｵﾎﾞﾀﾝを挿入します\nﾗｼﾞｵﾎﾞﾀﾝ"},
        {32919, u"<SELECT>:ﾘｽﾄﾎﾞｯｸｽを挿入します\nﾘｽﾄﾎﾞｯｸｽ"},
        {32920, u"<OPTION>:選択項目を挿入します\n選択項目"},
        {32802, u"ｲﾒｰｼﾞの送信ﾎﾞﾀﾝを挿入します\nｲﾒｰｼﾞ"},
        {32803, u"隠れｲﾝﾌﾟｯﾄを挿入します\n隠れｲﾝﾌﾟｯﾄ"},
        {32804, u"送信ﾎﾞﾀﾝを挿入します\n送信ﾎﾞﾀﾝ"},
        {32805, u"ﾘｾｯﾄﾎﾞﾀﾝを挿入します\nﾘｾｯﾄﾎﾞﾀﾝ"},
        {32922, u"SSIのｺﾏﾝﾄﾞ実行を挿入します\nｺﾏﾝﾄﾞの実行"},
        {32988, u"SSIの最終更新時刻を挿入します\n最終更新時刻"},
        {32989, u"SSIの現在の時刻を挿入します\n現在の時刻"},
        // HTML / table
        {32825, u"<TABLE>:ﾃｰﾌﾞﾙ領域を設定します\nﾃｰﾌﾞﾙ領域"},
        {32826, u"<TR>:列を設定します\n列の設定"},
        {32827, u"<TD>:ﾃﾞｰﾀを設定します\nﾃﾞｰﾀの設定"},
        {32828, u"<TH>:項目名を設定します\n項目名の設定"},
        {32829, u"<CAPTION>:表の題名を設定します\n表の題名"},
        // HTML / effects
        {32938, u"<MARQUEE>:文字をｽｸﾛｰﾙさせます\n文字のｽｸﾛｰﾙ"},
        {32937, u"BGMを指定します\nBGMの指定"},
        {32939, u"ﾋﾞﾃﾞｵｸﾘｯﾌﾟを挿入します\nﾋﾞﾃﾞｵｸﾘｯﾌﾟ"},
        {32831, u"<FRAMESET>:ﾌﾚｰﾑ領域を設定します\nﾌﾚｰﾑ領域"},
        {32833, u"<FRAME>:ﾌﾚｰﾑを設定します\nﾌﾚｰﾑの設定"},
        {32834, u"ﾘﾝｸを表示するﾌﾚｰﾑを設定します\nﾀｰｹﾞｯﾄﾌﾚｰﾑ"},
        {32835, u"<NOFRAMES>:ﾌﾚｰﾑを表示できない場合の内容を設定します\nﾌﾚｰﾑ不可"},
        {32925, u"<APPLET>:Javaｱﾌﾟﾚｯﾄを挿入します\nJavaｱﾌﾟﾚｯﾄ"},
        {32924, u"<PARAM>:Javaのﾊﾟﾗﾒｰﾀを挿入します\nJavaﾊﾟﾗﾒｰﾀ"},
        {32926, u"<SCRIPT>:Javaｽｸﾘﾌﾟﾄ領域を挿入します\nJavaｽｸﾘﾌﾟﾄ"},
        {32959, u"<EMBED>:ﾌﾟﾗｸﾞｲﾝを挿入します\nPlugIn"},
        // HTML / image and links
        {32788, u"<IMG>:ｲﾒｰｼﾞを挿入します\nｲﾒｰｼﾞ"},
        {32772, u"<A HREF>:他の文書へのﾘﾝｸを設定します\nﾘﾝｸ"},
        {32986, u"ﾘﾝｸ先を表示するｳｨﾝﾄﾞｳを指定します\nﾘﾝｸ先ｳｨﾝﾄﾞｳ"},
        {32815, u"同一文書内へのﾘﾝｸを設定します\n同一文書内"},
        {32816, u"<A NAME>:ﾘﾝｸ先のｷｰﾜｰﾄﾞを設定します\nｷｰﾜｰﾄﾞ設定"},
        {32820, u"ﾒｰﾙの送信先へのﾘﾝｸを設定します\nﾒｰﾙの送信先"},
        {cmd::RegisteredTagEdit, u"登録ﾀｸﾞを編集します\n登録ﾀｸﾞの編集"},
        // Tools
        {cmd::Preview, u"作業中のﾌｧｲﾙをﾌﾞﾗｳｻﾞで表示します\nﾌﾟﾚﾋﾞｭｰ"},
        {32794, u"一番外側のﾀｸﾞを消去します\n一番外のみ消去"},
        {32806, u"選択領域のﾀｸﾞを消去します\n選択領域の消去"},
        {32795, u"全てのﾀｸﾞを消去します\n全て消去"},
        {32836, u"選択したﾀｸﾞを取り込みます\nﾀｸﾞの取込"},
        {32830, u"取り込んだﾀｸﾞを再挿入します\nﾀｸﾞの再挿入"},
        {32976, u"ｶｰｿﾙ位置のﾀｸﾞを修正します\nﾀｸﾞの修正"},
        {33019, u"ｶｰｿﾙ位置のｽﾀｲﾙ要素を修正します\nｽﾀｲﾙ要素の修正"},
        {33015, u"ｲﾝﾗｲﾝｽﾀｲﾙのみを挿入します\nｲﾝﾗｲﾝｽﾀｲﾙ"},
        {32900, u"改行を<P>に変換します\n改行→<P>"},
        {32901, u"改行を<BR>に変換します\n改行→<BR>"},
        {32902, u"改行を<P>と<BR>に変換します\n改行→<P><BR>"},
        {32928, u"<と>を&lt;と&gt;に変換します\n&lt; &gt;変換"},
        {33031, u"ﾀｸﾞを小文字にします\nﾀｸﾞの小文字化"},
        {33032, u"ﾀｸﾞを大文字にします\nﾀｸﾞの大文字化"},
        {32824, u"ﾃｰﾌﾞﾙを対話形式で作成します\nﾃｰﾌﾞﾙWizard"},
        {32953, u"TAB区切りのﾃｷｽﾄをﾃｰﾌﾞﾙにします\nTAB区切り→ﾃｰﾌﾞﾙ"},
        {32955, u"ﾀﾌﾞとｽﾍﾟｰｽで区切ったﾃｷｽﾄをﾃｰﾌﾞﾙにします\nﾀﾌﾞｽﾍﾟｰｽ区切り→ﾃｰﾌﾞﾙ"},
        {32954, u"ｶﾝﾏ区切りのﾃｷｽﾄをﾃｰﾌﾞﾙにします\nｶﾝﾏ区切り→ﾃｰﾌﾞﾙ"},
        {32974, u"各行をﾃｰﾌﾞﾙにします\n行→ﾃｰﾌﾞﾙ"},
        {33034, u"ﾃｰﾌﾞﾙ化のｵﾌﾟｼｮﾝを設定します\nﾃｰﾌﾞﾙ化ｵﾌﾟｼｮﾝ"},
        {32975, u"ﾃｰﾌﾞﾙの色を設定します\nﾃｰﾌﾞﾙの色設定"},
        {32957, u"今日の日付を挿入します\n今日の日付"},
        {33011, u"選択範囲を枠で囲みます\n枠で囲む"},
        {33012, u"左右の余白を設定します\n左右余白設定"},
        {32944, u"文書内のﾘﾝｸを一覧表示します\nﾘﾝｸﾌﾞﾗｳｻﾞ"},
        {32967, u"ﾘﾝｸ先のﾌｧｲﾙがあるか調べます\nﾘﾝｸﾁｪｯｸ"},
        {32943, u"ｶｰｿﾙ位置のﾘﾝｸ先を開きます\nﾘﾝｸ先を開く"},
        {33000, u"ﾘﾝｸのﾘｽﾄを作成します\nﾘﾝｸﾘｽﾄの作成"},
        {cmd::RegisteredToolEdit, u"登録ﾂｰﾙを編集します\n登録ﾂｰﾙの編集"},
        {32980, u"ftpでｻｰﾊﾞｰのﾌｧｲﾙを管理します\nftp"},
        {32963, u"ftpによりファイルを転送します\nftp転送"},
        {33090, u"ｻｲﾄのﾌｫﾙﾀﾞをｻｰﾊﾞｰに反映します\nｻｲﾄの公開"},
        {cmd::SiteMigrate, u"ｻｲﾄのﾌｧｲﾙをUTF-8に変換し、文字ｺｰﾄﾞの宣言を書き換えます\nｻｲﾄの文字ｺｰﾄﾞ変換"},
        // View
        {32990, u"ﾌｧｲﾙのｻｲｽﾞ情報を表示します\nｻｲｽﾞ情報"},
        {cmd::FontSettings, u"表示ﾌｫﾝﾄを設定します\nﾌｫﾝﾄの設定"},
        {cmd::GeneralSettings, u"動作を設定します\n各種設定"},
        {cmd::WordWrap, u"長い行を折り返すかどうかを切り替えます\n折り返し"},
        {cmd::TagEditing, u"ﾀﾞﾌﾞﾙｸﾘｯｸによるﾀｸﾞ編集機能を切り替えます\nﾀｸﾞ編集機能"},
        {cmd::ToggleHighlight, u"ﾀｸﾞや属性を色分けして表示するかどうかを切り替えます\n色分け表示"},
        {cmd::ToggleLineNumbers, u"行番号を表示するかどうかを切り替えます\n行番号"},
        {cmd::ToggleCurrentLine, u"ｶｰｿﾙのある行を強調するかどうかを切り替えます\n現在行の強調"},
        {cmd::ToggleTagMatch, u"ｶｰｿﾙ位置のﾀｸﾞと対になるﾀｸﾞを強調するかどうかを切り替えます\n対応タグの強調"},
        {cmd::ToggleSearchMarks, u"最後に検索した文字列を強調するかどうかを切り替えます\n検索語の強調"},
        {cmd::ZoomIn, u"文字を大きく表示します\n拡大"},
        {cmd::ZoomOut, u"文字を小さく表示します\n縮小"},
        {cmd::ZoomReset, u"文字を元の大きさで表示します\n元のサイズ"},
        {cmd::TogglePreview, u"編集中のページをブラウザと同じ描画で横に表示するかどうかを切り替えます\nプレビュー"},
        {32903, u"新しいﾌｧｲﾙの初期ﾃﾝﾌﾟﾚｰﾄを設定します\n初期ﾃﾝﾌﾟﾚｰﾄの設定"},
        {32934, u"ｺﾝﾎﾟｰﾈﾝﾄを一括登録します\nｺﾝﾎﾟｰﾈﾝﾄの一括登録"},
        {32935, u"ﾃﾝﾌﾟﾚｰﾄを一括登録します\nﾃﾝﾌﾟﾚｰﾄの一括登録"},
        {32936, u"ｷｰの割り当てを変更します\nｷｰｶｽﾀﾏｲｽﾞ"},
        {cmd::Help, u"ﾍﾙﾌﾟを表示\nﾍﾙﾌﾟ"},
        {cmd::AppAbout, u"ﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝ情報を表示\nﾊﾞｰｼﾞｮﾝ情報"},
        {cmd::NextPane, u"次のﾍﾟｲﾝに切り替え\n次のﾍﾟｲﾝ"},
        {cmd::PrevPane, u"前のﾍﾟｲﾝに切り替え\n前のﾍﾟｲﾝ"},
    };
    return prompts;
}

} // namespace

MenuLayout LayoutForScreen(int width, int height)
{
    return width < height ? MenuLayout::Portrait : MenuLayout::Landscape;
}

std::vector<MenuItem> MainMenu(MenuLayout layout)
{
    if (layout == MenuLayout::Portrait) {
        return {
            FileMenu(u"ﾌｧｲﾙ"),
            Sub(u"メニュー", {EditMenu(), HtmlMenu(layout), ToolsMenu(layout), ViewMenu(layout)}),
        };
    }
    return {FileMenu(u"ﾌｧｲﾙ(&F)"), EditMenu(), HtmlMenu(layout), ToolsMenu(layout),
            ViewMenu(layout)};
}

std::vector<Accelerator> Accelerators()
{
    return {
        {QStringLiteral("Ctrl+N"), cmd::FileNew},
        {QStringLiteral("Ctrl+O"), cmd::FileOpen},
        {QStringLiteral("Ctrl+S"), cmd::FileSave},
        {QStringLiteral("Ctrl+Z"), cmd::EditUndo},
        {QStringLiteral("Alt+Backspace"), cmd::EditUndo},
        {QStringLiteral("Ctrl+X"), cmd::EditCut},
        {QStringLiteral("Shift+Del"), cmd::EditCut},
        {QStringLiteral("Ctrl+C"), cmd::EditCopy},
        {QStringLiteral("Ctrl+Ins"), cmd::EditCopy},
        {QStringLiteral("Ctrl+V"), cmd::EditPaste},
        {QStringLiteral("Shift+Ins"), cmd::EditPaste},
        {QStringLiteral("F6"), cmd::NextPane},
        {QStringLiteral("Shift+F6"), cmd::PrevPane},
        {QStringLiteral("F1"), cmd::Help},
        // The search keys desktop editors have; none of them is taken above.
        {QStringLiteral("Ctrl+F"), cmd::EditFind},
        {QStringLiteral("F3"), cmd::EditRepeat},
        {QStringLiteral("Shift+F3"), cmd::FindPrevious},
        {QStringLiteral("F4"), cmd::NextFindResult},
        {QStringLiteral("Shift+F4"), cmd::PreviousFindResult},
        {QStringLiteral("Ctrl+H"), cmd::EditReplace},
        {QStringLiteral("Ctrl+G"), cmd::GoToLine},
        {QStringLiteral("Ctrl+Y"), cmd::EditRedo},
        {QStringLiteral("Ctrl+Shift+Z"), cmd::EditRedo},
        {QStringLiteral("Ctrl++"), cmd::ZoomIn},
        {QStringLiteral("Ctrl+="), cmd::ZoomIn},
        {QStringLiteral("Ctrl+-"), cmd::ZoomOut},
        {QStringLiteral("Ctrl+0"), cmd::ZoomReset},
        {QStringLiteral("F12"), cmd::TogglePreview},
    };
}

std::vector<ToolbarButton> ToolbarButtons()
{
    auto sep = [] { return ToolbarButton{true, 0, -1, QString()}; };
    auto button = [](int id, int image, const char* icon) {
        return ToolbarButton{false, id, image, QString::fromLatin1(icon)};
    };
    return {
        sep(),
        button(cmd::FileNew, 0, "document-new"),
        button(cmd::FileOpen, 1, "document-open"),
        button(cmd::FileSave, 2, "document-save"),
        sep(),
        button(cmd::EditCut, 3, "edit-cut"),
        button(cmd::EditCopy, 4, "edit-copy"),
        button(cmd::EditPaste, 5, "edit-paste"),
        sep(),
        button(cmd::AppAbout, 6, "help-about"),
        sep(),
    };
}

namespace {

QString UntranslatedPrompt(int id)
{
    if (id >= cmd::FileMru1 && id <= cmd::FileMruLast)
        return QStringLiteral("このﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ");
    if (id >= cmd::RegisteredTagFirst && id < cmd::RegisteredTagFirst + cmd::RegisteredTagMenuMax)
        return QStringLiteral("登録ﾀｸﾞを挿入します\n登録ﾀｸﾞ");
    if (id >= cmd::RegisteredToolFirst
        && id < cmd::RegisteredToolFirst + cmd::RegisteredToolMenuMax)
        return QStringLiteral("登録ﾂｰﾙを起動します\n登録ﾂｰﾙ");
    const auto& prompts = Prompts();
    const auto it = prompts.find(id);
    return it == prompts.end() ? QString() : QString::fromUtf16(it->second);
}

} // namespace

QString CommandPrompt(int id)
{
    return UiText(UntranslatedPrompt(id));
}

QString CommandShortName(int id)
{
    const QString prompt = CommandPrompt(id);
    const qsizetype lf = prompt.indexOf(u'\n');
    return lf < 0 ? QString() : prompt.mid(lf + 1);
}

QString CommandDescription(int id)
{
    const QString prompt = CommandPrompt(id);
    const qsizetype lf = prompt.indexOf(u'\n');
    return lf < 0 ? prompt : prompt.left(lf);
}

std::vector<int> MenuCommandIds(MenuLayout layout)
{
    std::vector<int> ids;
    const std::vector<MenuItem> menu = MainMenu(layout);
    std::function<void(const std::vector<MenuItem>&)> walk = [&](const std::vector<MenuItem>& items) {
        for (const MenuItem& m : items) {
            if (m.kind == MenuItem::Kind::Command)
                ids.push_back(m.id);
            else if (m.kind == MenuItem::Kind::Submenu)
                walk(m.children);
        }
    };
    walk(menu);
    return ids;
}
