<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
  <context>
    <name>kelvo</name>
    <message>
      <location filename="../src/main.cpp" />
      <source>HTML ソースエディタ</source>
      <translation>HTML source editor</translation>
    </message>
    <message>
      <location filename="../src/main.cpp" />
      <source>カーソルを置く行</source>
      <translation>Line to put the caret on</translation>
    </message>
    <message>
      <location filename="../src/main.cpp" />
      <source>開くファイル（二つ目からは新しいウィンドウで）。+N は --line N と同じです。</source>
      <translation>Files to open (the second and later ones in new windows). +N is the same as --line N.</translation>
    </message>
    <message>
      <location filename="../src/main.cpp" />
      <source>行番号が正しくありません: %1
</source>
      <translation>Not a line number: %1
</translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>設定を保存できません。変えた設定は、このプログラムを終えるまで有効です - </source>
      <translation>The settings cannot be saved. Changed settings last until the program ends - </translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>設定ファイルの %1 行目は読めないため使いません（行はそのまま残します） - </source>
      <translation>Line %1 of the settings file cannot be read and is not used (the line is kept) - </translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>キー定義ファイルが読み込めないため、キーの割り当てなしで起動します - </source>
      <translation>The key file cannot be read; starting without key assignments - </translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>前回開いたファイルが見つかりません</source>
      <translation>The file opened last time cannot be found</translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>ファイルが見つかりません
%1

新しく作成しますか？</source>
      <translation>File not found
%1

Create it?</translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>開く</source>
      <translation>Open</translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>HTMLﾌｧｲﾙ(*.htm*) |*.htm;*.html;*.shtml|Perlﾌｧｲﾙ(*.pl) |*.pl|CGIﾌｧｲﾙ(*.cgi) |*.cgi|Textﾌｧｲﾙ(*.txt) |*.txt|ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>HTML files(*.htm*) |*.htm;*.html;*.shtml|Perl files(*.pl) |*.pl|CGI files(*.cgi) |*.cgi|Text files(*.txt) |*.txt|Style sheets(*.css) |*.css|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/app/CKelvoApp.cpp" />
      <source>ヘルプファイルが見つかりません - help/index.html</source>
      <translation>The help file cannot be found - help/index.html</translation>
    </message>
    <message>
      <location filename="../src/core/app/FormModel.cpp" />
      <source>[\(（]&amp;.[\)）]</source>
      <translation>[\(（]&amp;.[\)）]</translation>
    </message>
    <message>
      <location filename="../src/core/app/FormModel.h" />
      <source>正の整数を入力してください。</source>
      <translation>Enter a positive whole number.</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>新規作成(&amp;N)</source>
      <translation>&amp;New</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>開く(&amp;O)...</source>
      <translation>&amp;Open...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>上書き保存(&amp;S)</source>
      <translation>&amp;Save</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>名前を付けて保存(&amp;A)...</source>
      <translation>Save &amp;As...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ファイルの挿入(I)...</source>
      <translation>Insert File...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>HTMLテンプレート(&amp;T)...</source>
      <translation>HTML &amp;Template...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字コード(&amp;C)...</source>
      <translation>Character &amp;Code...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>印刷(&amp;P)...</source>
      <translation>&amp;Print...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>印刷プレビュー(&amp;V)</source>
      <translation>Print Pre&amp;view</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>最近使ったファイル(&amp;0)</source>
      <translation>&amp;Recent Files</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>最新のファイル</source>
      <translation>Latest file</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>アプリケーションの終了(&amp;X)</source>
      <translation>E&amp;xit</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>編集(&amp;E)</source>
      <translation>&amp;Edit</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>元に戻す(&amp;U)</source>
      <translation>&amp;Undo</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>やり直し(&amp;R)</source>
      <translation>&amp;Redo</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>切り取り(&amp;T)</source>
      <translation>Cu&amp;t</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>コピー(&amp;C)</source>
      <translation>&amp;Copy</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>貼り付け(&amp;P)</source>
      <translation>&amp;Paste</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>検索(&amp;F)</source>
      <translation>&amp;Find</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字列の検索(&amp;F)...</source>
      <translation>&amp;Find...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>次を検索(&amp;N)</source>
      <translation>Find &amp;Next</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>前を検索(&amp;B)</source>
      <translation>Find &amp;Previous</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字列の置換(&amp;R)...</source>
      <translation>&amp;Replace...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ファイル内の検索(&amp;I)...</source>
      <translation>F&amp;ind in Files...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ファイル内の置換(&amp;J)...</source>
      <translation>Replace in Fi&amp;les...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>検索結果の一覧(&amp;L)...</source>
      <translation>Search Resul&amp;ts...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>次の検索結果(&amp;X)</source>
      <translation>Ne&amp;xt Search Result</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>前の検索結果(&amp;V)</source>
      <translation>Pre&amp;vious Search Result</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>指定行へ移動(&amp;L)...</source>
      <translation>Go to &amp;Line...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>すべての範囲を選択(&amp;A)</source>
      <translation>Select &amp;All</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択の解除(&amp;E)</source>
      <translation>D&amp;eselect</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>HTMLｺﾝﾎﾟｰﾈﾝﾄ(&amp;H)...</source>
      <translation>&amp;HTML Component...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>HTML(&amp;H)</source>
      <translation>&amp;HTML</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ページ(&amp;P)</source>
      <translation>&amp;Page</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀｲﾄﾙ(&amp;T)</source>
      <translation>&amp;Title</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>背景(&amp;B)...</source>
      <translation>&amp;Background...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>罫線(&amp;H)</source>
      <translation>&amp;Horizontal Rule</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>陰影なし罫線(&amp;K)</source>
      <translation>Rule without &amp;Shade</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>さまざまな罫線(&amp;R)...</source>
      <translation>Various &amp;Rules...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘﾌﾚｯｼｭ(&amp;F)...</source>
      <translation>Re&amp;fresh...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｺﾒﾝﾄ(&amp;C)</source>
      <translation>&amp;Comment</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾍｯﾀﾞ(&amp;D)</source>
      <translation>Hea&amp;d</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フォント(&amp;F)</source>
      <translation>&amp;Font</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>見出し(&amp;H)...</source>
      <translation>&amp;Heading...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フォント(&amp;F)...</source>
      <translation>&amp;Font...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾎﾞｰﾙﾄﾞ(&amp;B)</source>
      <translation>&amp;Bold</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｲﾀﾘｯｸ(&amp;I)</source>
      <translation>&amp;Italic</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>強調(&amp;E)</source>
      <translation>&amp;Emphasis</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>より強い強調(&amp;S)</source>
      <translation>Str&amp;ong Emphasis</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>上付添字(&amp;U)</source>
      <translation>S&amp;uperscript</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>下付添字(&amp;D)</source>
      <translation>&amp;Subscript</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>特殊文字(&amp;T)</source>
      <translation>Special Charac&amp;ters</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>テキスト(&amp;T)</source>
      <translation>&amp;Text</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>整形済みﾃｷｽﾄ(&amp;R)</source>
      <translation>P&amp;reformatted Text</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>段落(&amp;P)</source>
      <translation>&amp;Paragraph</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行(&amp;E)</source>
      <translation>Line Br&amp;eak</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行(&amp;B)</source>
      <translation>&amp;Break</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行なし(&amp;O)</source>
      <translation>N&amp;o Break</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>回り込みのカット(&amp;L)</source>
      <translation>C&amp;lear Wrapping</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>行揃え(&amp;H)</source>
      <translation>&amp;Alignment</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｾﾝﾀﾘﾝｸﾞ(&amp;C)</source>
      <translation>&amp;Center</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>左寄せ(&amp;H)</source>
      <translation>&amp;Left</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>中寄せ(&amp;E)</source>
      <translation>Middl&amp;e</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>右寄せ(&amp;M)</source>
      <translation>&amp;Right</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リスト(&amp;I)</source>
      <translation>L&amp;ist</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾏｰｸ付きﾘｽﾄ(&amp;U)</source>
      <translation>&amp;Unordered List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>番号順ﾘｽﾄ(&amp;N)</source>
      <translation>&amp;Numbered List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>箇条書き(&amp;K)</source>
      <translation>&amp;Bullets</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>段落付け(&amp;D)</source>
      <translation>&amp;Paragraphs</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>定義型ﾘｽﾄ(&amp;T)</source>
      <translation>Defini&amp;tion List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>定義ﾘｽﾄ(&amp;L)</source>
      <translation>Definition &amp;List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>定義される言葉(&amp;T)</source>
      <translation>&amp;Term</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>言葉の意味(&amp;D)</source>
      <translation>&amp;Description</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘｽﾄの作成(&amp;M)</source>
      <translation>&amp;Make List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>点滅(&amp;M)</source>
      <translation>&amp;Blink</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>引用(&amp;Q)</source>
      <translation>&amp;Quotation</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>スタイル(&amp;Y)</source>
      <translation>St&amp;yle</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>スタイル領域(&amp;H)</source>
      <translation>Style &amp;Area</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>スタイル要素(&amp;I)...</source>
      <translation>Style &amp;Rule...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>外部スタイルシート(&amp;L)...</source>
      <translation>Externa&amp;l Style Sheet...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ブロックスタイル(&amp;D)...</source>
      <translation>&amp;Block Style...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>段落スタイル(&amp;P)...</source>
      <translation>&amp;Paragraph Style...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>部分スタイル(&amp;S)...</source>
      <translation>&amp;Span Style...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>スタイル一覧(&amp;A)...</source>
      <translation>Style Lis&amp;t...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フォーム（&amp;M)</source>
      <translation>For&amp;m</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌｫｰﾑ領域の設定(&amp;F)...</source>
      <translation>&amp;Form Area...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｷｽﾄﾎﾞｯｸｽ(&amp;T)...</source>
      <translation>&amp;Text Box...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>複数行ﾃｷｽﾄﾎﾞｯｸｽ(&amp;M)...</source>
      <translation>&amp;Multi-line Text Box...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択(&amp;B)</source>
      <translation>Se&amp;lection</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択ボタン(&amp;B)</source>
      <translation>Selection &amp;Buttons</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾁｪｯｸﾎﾞｯｸｽ(&amp;C)...</source>
      <translation>&amp;Check Box...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾗｼﾞｵﾎﾞﾀﾝ(&amp;B)...</source>
      <translation>Radio &amp;Button...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘｽﾄﾎﾞｯｸｽ(&amp;L)...</source>
      <translation>&amp;List Box...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択項目(&amp;O)...</source>
      <translation>&amp;Option...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｲﾒｰｼﾞ(&amp;I)...</source>
      <translation>Ima&amp;ge...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>隠れｲﾝﾌﾟｯﾄ(&amp;H)...</source>
      <translation>&amp;Hidden Input...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>送信ﾎﾞﾀﾝ(&amp;S)...</source>
      <translation>&amp;Submit Button...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘｾｯﾄﾎﾞﾀﾝ(&amp;R)...</source>
      <translation>&amp;Reset Button...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>SSI(&amp;V)</source>
      <translation>SS&amp;I</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>コマンドの実行(&amp;N)...</source>
      <translation>Execute Comma&amp;nd...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>最終更新時刻(&amp;U)</source>
      <translation>Last &amp;Updated</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>現在の時刻(&amp;D)</source>
      <translation>&amp;Current Time</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>テーブル(&amp;S)</source>
      <translation>Ta&amp;ble</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｰﾌﾞﾙ領域の設定(&amp;S)...</source>
      <translation>&amp;Table Area...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>列の設定(&amp;R)...</source>
      <translation>&amp;Row...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃﾞｰﾀの設定(&amp;D)...</source>
      <translation>&amp;Data Cell...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>項目名の設定(&amp;H)...</source>
      <translation>&amp;Header Cell...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>表の題名(&amp;C)...</source>
      <translation>&amp;Caption...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>特殊効果(&amp;R)</source>
      <translation>&amp;Special Effects</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字のスクロール(&amp;M)...</source>
      <translation>Scro&amp;lling Text...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>BGMの指定(&amp;B)...</source>
      <translation>&amp;Background Music...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ビデオクリップ(&amp;V)...</source>
      <translation>&amp;Video Clip...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フレーム領域の設定(&amp;S)...</source>
      <translation>Frame&amp;set...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フレームの設定(&amp;F)...</source>
      <translation>&amp;Frame...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ターゲットフレーム(&amp;T)...</source>
      <translation>&amp;Target Frame...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フレーム不可の場合(&amp;N)...</source>
      <translation>&amp;No Frames...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>Javaｱﾌﾟﾚｯﾄ(&amp;A)...</source>
      <translation>Java &amp;Applet...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>Javaﾊﾟﾗﾒｰﾀ(&amp;P)...</source>
      <translation>Java &amp;Parameter...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>Javaｽｸﾘﾌﾟﾄ(&amp;J)</source>
      <translation>&amp;JavaScript</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>PlugIn(&amp;G)...</source>
      <translation>Plu&amp;gIn...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>イメージ(&amp;I)...</source>
      <translation>&amp;Image...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リンク(&amp;L)</source>
      <translation>&amp;Link</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>他の文書(&amp;L)...</source>
      <translation>Other &amp;Document...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リンク先ウィンドウ(&amp;B)...</source>
      <translation>&amp;Link Target Window...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>同一文書内(&amp;S)...</source>
      <translation>In Thi&amp;s Document...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｷｰﾜｰﾄﾞ設定(&amp;K)...</source>
      <translation>Anchor &amp;Keyword...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾒｰﾙの送信先(&amp;M)...</source>
      <translation>&amp;Mail Address...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録タグ(&amp;A)</source>
      <translation>Registered T&amp;ags</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録タグの編集(&amp;A)..</source>
      <translation>Edit Registered T&amp;ags..</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌﾞﾗｳｻﾞでﾌﾟﾚﾋﾞｭｰ(&amp;P)</source>
      <translation>&amp;Preview in Browser</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグ操作(&amp;T)</source>
      <translation>&amp;Tags</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>一番外のみ消去(&amp;D)...</source>
      <translation>&amp;Remove Outermost...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択領域の消去(&amp;S)...</source>
      <translation>Remove in &amp;Selection...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>全て消去(&amp;A)...</source>
      <translation>Remove &amp;All...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグの取込(&amp;C)</source>
      <translation>&amp;Capture Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグの再挿入(&amp;N)</source>
      <translation>Rei&amp;nsert Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグの修正(&amp;E)...</source>
      <translation>&amp;Edit Tag...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>スタイル要素の修正(&amp;T)...</source>
      <translation>Edi&amp;t Style Rule...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>インラインスタイルのみの挿入(&amp;L)...</source>
      <translation>Insert Inline Style On&amp;ly...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>変換(&amp;C)</source>
      <translation>&amp;Convert</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行→&lt;P&gt;(&amp;P)</source>
      <translation>Line Ends→&lt;&amp;P&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行→&lt;BR&gt;(&amp;B)</source>
      <translation>Line Ends→&lt;&amp;BR&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行→&lt;P&gt;&lt;BR&gt;(&amp;K)</source>
      <translation>Line &amp;Ends→&lt;P&gt;&lt;BR&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt; &gt;の&amp;&amp;lt; &amp;&amp;gt変換(&amp;L)</source>
      <translation>&lt; &gt; to &amp;&amp;lt; &amp;&amp;gt (&amp;L)</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグの小文字化(&amp;W)</source>
      <translation>Tags to Lo&amp;wercase</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグの大文字化(&amp;T)</source>
      <translation>&amp;Tags to Uppercase</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>テーブル(&amp;B)</source>
      <translation>Ta&amp;ble</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｰﾌﾞﾙWizard(&amp;W)...</source>
      <translation>Table &amp;Wizard...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>TAB区切り → ﾃｰﾌﾞﾙ(&amp;T)</source>
      <translation>&amp;TAB Separated → Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀﾌﾞｽﾍﾟｰｽ区切り → ﾃｰﾌﾞﾙ(&amp;S)</source>
      <translation>Tab and &amp;Space Separated → Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶﾝﾏ区切り → ﾃｰﾌﾞﾙ(&amp;V)</source>
      <translation>Co&amp;mma Separated → Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>行→テーブル(&amp;L)...</source>
      <translation>&amp;Lines → Table...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>テーブル化オプション(&amp;O)...</source>
      <translation>Table &amp;Options...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>テーブルの色設定(&amp;C)...</source>
      <translation>Table &amp;Colors...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>その他(&amp;O)</source>
      <translation>&amp;Others</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>今日の日付の挿入(&amp;D)</source>
      <translation>Insert To&amp;day's Date</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>枠で囲む(&amp;X)...</source>
      <translation>Bo&amp;x Around...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>左右余白設定(&amp;M)...</source>
      <translation>Side &amp;Margins...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リンクブラウザ(&amp;L)...</source>
      <translation>&amp;Link Browser...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リンクチェック(&amp;K)..</source>
      <translation>Link Chec&amp;k..</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リンク先を開く(&amp;O)</source>
      <translation>&amp;Open Link Target</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>リンクリストの作成(&amp;A)</source>
      <translation>M&amp;ake Link List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録ツール(&amp;E)</source>
      <translation>R&amp;egistered Tools</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録ツールの編集(&amp;E)...</source>
      <translation>&amp;Edit Registered Tools...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文書のチェック(&amp;K)</source>
      <translation>Chec&amp;k Page</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>サイトの公開(&amp;W)...</source>
      <translation>P&amp;ublish Site...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>サイトの文字コード変換(&amp;U)...</source>
      <translation>Con&amp;vert Site to UTF-8...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ftp転送(&amp;F)...</source>
      <translation>&amp;FTP Upload...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ftp(&amp;V)...</source>
      <translation>FTP &amp;Window...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>FTP(&amp;F)</source>
      <translation>&amp;FTP</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾂｰﾙ(&amp;T)</source>
      <translation>&amp;Tools</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>サイズ情報(&amp;I)...</source>
      <translation>Size &amp;Information...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌｫﾝﾄの設定(&amp;F)...</source>
      <translation>&amp;Font Settings...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>各種設定(&amp;N)...</source>
      <translation>Setti&amp;ngs...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>折り返しあり(&amp;O)</source>
      <translation>W&amp;ord Wrap</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>タグ編集機能(&amp;E)</source>
      <translation>Tag &amp;Editing</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>色分け表示(&amp;C)</source>
      <translation>Syntax &amp;Colouring</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>行番号(&amp;L)</source>
      <translation>&amp;Line Numbers</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>現在行の強調(&amp;U)</source>
      <translation>Highlight C&amp;urrent Line</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>対応タグの強調(&amp;T)</source>
      <translation>Highlight Matching &amp;Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>検索語の強調(&amp;S)</source>
      <translation>Highlight &amp;Search Matches</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ズーム(&amp;Z)</source>
      <translation>&amp;Zoom</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>拡大(&amp;I)</source>
      <translation>Zoom &amp;In</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>縮小(&amp;D)</source>
      <translation>Zoom &amp;Out</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>元のサイズ(&amp;R)</source>
      <translation>&amp;Reset Zoom</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>プレビューを表示(&amp;V)</source>
      <translation>Show Pre&amp;view</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>テンプレート設定(&amp;R)</source>
      <translation>Tem&amp;plates</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>初期ﾃﾝﾌﾟﾚｰﾄの設定(&amp;M)...</source>
      <translation>Initial Te&amp;mplate...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｺﾝﾎﾟｰﾈﾝﾄの一括登録(&amp;C)...</source>
      <translation>Register &amp;Components from File...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃﾝﾌﾟﾚｰﾄの一括登録(&amp;P)...</source>
      <translation>Register Tem&amp;plates from File...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>キーカスタマイズ(&amp;K)...</source>
      <translation>&amp;Key Customization...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ヘルプ(&amp;H)</source>
      <translation>&amp;Help</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
      <translation>&amp;About...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>バージョン情報(&amp;A)...</source>
      <translation>&amp;About...</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>表示(&amp;V)</source>
      <translation>&amp;View</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>新しいﾌｧｲﾙを作成
新規作成</source>
      <translation>Create a new file
New</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>既存のﾌｧｲﾙを開く
開く</source>
      <translation>Open an existing file
Open</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>作業中のﾌｧｲﾙを保存
保存</source>
      <translation>Save the current file
Save</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>作業中のﾌｧｲﾙを新しい名前で保存
名前を付けて保存</source>
      <translation>Save the current file under a new name
Save As</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌｧｲﾙの内容をｶｰｿﾙ位置に挿入します
ﾌｧｲﾙの挿入</source>
      <translation>Insert the contents of a file at the caret
Insert File</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>HTMLﾃﾝﾌﾟﾚｰﾄから新しいﾌｧｲﾙを作成します
HTMLﾃﾝﾌﾟﾚｰﾄ</source>
      <translation>Create a new file from an HTML template
HTML Template</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>保存するﾌｧｲﾙの文字ｺｰﾄﾞと改行ｺｰﾄﾞを設定します
文字ｺｰﾄﾞ</source>
      <translation>Set the character code and line end the file is saved in
Character Code</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を確認
終了</source>
      <translation>Quit the application, asking to save the file
Exit</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>作業中のﾌｧｲﾙのｿｰｽを印刷します
印刷</source>
      <translation>Prints the source of the current file
Print</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>印刷したときのﾍﾟｰｼﾞを表示します
印刷ﾌﾟﾚﾋﾞｭｰ</source>
      <translation>Shows the pages as they will be printed
Print Preview</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>直前の操作を元に戻す
元に戻す</source>
      <translation>Undo the last action
Undo</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>元に戻した操作をやり直す
やり直し</source>
      <translation>Redo the action undone last
Redo</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存
切り取り</source>
      <translation>Cut the selection to the clipboard
Cut</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存
ｺﾋﾟｰ</source>
      <translation>Copy the selection to the clipboard
Copy</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入
貼り付け</source>
      <translation>Insert the contents of the clipboard
Paste</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択範囲を消去
消去</source>
      <translation>Erase the selection
Delete</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>指定した文字列を検索
検索</source>
      <translation>Find a text
Find</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>同じ文字列を後ろに向かって検索
次を検索</source>
      <translation>Find the same text forwards
Find Next</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フォルダー内のファイルから文字列を検索
ファイル内の検索</source>
      <translation>Searches the files of a folder for a string
Find in Files</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文書のタグの誤りや見つからないリンク先などを一覧表示します
文書のチェック</source>
      <translation>Lists the page's tag mistakes, missing link targets and other problems
Check Page</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>フォルダー内のファイルの文字列を置換
ファイル内の置換</source>
      <translation>Replaces a string in the files of a folder
Replace in Files</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ファイル内の検索結果の一覧をもう一度表示
検索結果の一覧</source>
      <translation>Show the list of the last find in files again
Search Results</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ファイル内の検索結果の次の行を開く
次の検索結果</source>
      <translation>Open the next line of the find-in-files results
Next Search Result</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ファイル内の検索結果の前の行を開く
前の検索結果</source>
      <translation>Open the previous line of the find-in-files results
Previous Search Result</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>同じ文字列を前に向かって検索
前を検索</source>
      <translation>Find the same text backwards
Find Previous</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字列を別の文字列に置換
置換</source>
      <translation>Replace a text with another
Replace</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>指定した番号の行へ移動します
指定行へ移動</source>
      <translation>Go to the line of a number
Go to Line</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文書全体を選択
すべて選択</source>
      <translation>Select the whole document
Select All</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択を解除します
選択の解除</source>
      <translation>Clear the selection
Deselect</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>HTMLｺﾝﾎﾟｰﾈﾝﾄを挿入します
HTMLｺﾝﾎﾟｰﾈﾝﾄ</source>
      <translation>Insert an HTML component
HTML Component</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;TITLE&gt;:文書のﾀｲﾄﾙを設定します
ﾀｲﾄﾙ</source>
      <translation>&lt;TITLE&gt;: set the title of the document
Title</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;BODY&gt;:背景や文字の色を設定します
背景</source>
      <translation>&lt;BODY&gt;: set the colors of the background and text
Background</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;HR&gt;:罫線を引きます
罫線</source>
      <translation>&lt;HR&gt;: draw a horizontal rule
Horizontal Rule</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;HR NOSHADE&gt;:陰影のない罫線を引きます
陰影なし罫線</source>
      <translation>&lt;HR NOSHADE&gt;: draw a rule without shade
Rule without Shade</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;HR&gt;:罫線の種類を指定して引きます
さまざまな罫線</source>
      <translation>&lt;HR&gt;: draw a rule of a chosen kind
Various Rules</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;META&gt;:ﾍﾟｰｼﾞの自動更新を設定します
ﾘﾌﾚｯｼｭ</source>
      <translation>&lt;META&gt;: make the page refresh itself
Refresh</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;!-- --&gt;:ｺﾒﾝﾄにします
ｺﾒﾝﾄ</source>
      <translation>&lt;!-- --&gt;: make a comment
Comment</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;HEAD&gt;:ﾍｯﾀﾞ領域を挿入します
ﾍｯﾀﾞ</source>
      <translation>&lt;HEAD&gt;: insert the head area
Head</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;H1&gt;～&lt;H6&gt;:見出しにします
見出し</source>
      <translation>&lt;H1&gt;-&lt;H6&gt;: make a heading
Heading</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;FONT&gt;:文字の大きさや色を設定します
ﾌｫﾝﾄ</source>
      <translation>&lt;FONT&gt;: set the size and color of the text
Font</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;B&gt;:強調表示します
ﾎﾞｰﾙﾄﾞ</source>
      <translation>&lt;B&gt;: show in bold
Bold</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;I&gt;:斜体にします
ｲﾀﾘｯｸ</source>
      <translation>&lt;I&gt;: show in italics
Italic</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;EM&gt;:強調します
強調</source>
      <translation>&lt;EM&gt;: emphasize
Emphasis</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;STRONG&gt;:より強く強調します
より強い強調</source>
      <translation>&lt;STRONG&gt;: emphasize strongly
Strong Emphasis</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;SUP&gt;:上付き文字にします
上付添字</source>
      <translation>&lt;SUP&gt;: make superscript
Superscript</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;SUB&gt;:下付き文字にします
下付添字</source>
      <translation>&lt;SUB&gt;: make subscript
Subscript</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&amp;amp;:&amp;を挿入します
&amp;amp;</source>
      <translation>&amp;amp;: insert &amp;
&amp;amp;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&amp;lt;:&lt;を挿入します
&amp;lt;</source>
      <translation>&amp;lt;: insert &lt;
&amp;lt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&amp;gt;:&gt;を挿入します
&amp;gt;</source>
      <translation>&amp;gt;: insert &gt;
&amp;gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&amp;quot;:”を挿入します
&amp;quot;</source>
      <translation>&amp;quot;: insert ”
&amp;quot;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;PRE&gt;:整形済みﾃｷｽﾄにします
整形済みﾃｷｽﾄ</source>
      <translation>&lt;PRE&gt;: make preformatted text
Preformatted Text</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;P&gt;:段落にします
段落</source>
      <translation>&lt;P&gt;: make a paragraph
Paragraph</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;BR&gt;:改行します
改行</source>
      <translation>&lt;BR&gt;: break the line
Line Break</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;NOBR&gt;:改行しない範囲を設定します
改行なし</source>
      <translation>&lt;NOBR&gt;: set a range without line breaks
No Break</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>画像の回り込みを解除して改行します
回り込みのカット</source>
      <translation>End the wrapping around an image and break the line
Clear Wrapping</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;CENTER&gt;:中央に揃えます
ｾﾝﾀﾘﾝｸﾞ</source>
      <translation>&lt;CENTER&gt;: center
Center</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>左に揃えます
左寄せ</source>
      <translation>Align to the left
Left</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>中央に揃えます
中寄せ</source>
      <translation>Align to the middle
Middle</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>右に揃えます
右寄せ</source>
      <translation>Align to the right
Right</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;UL&gt;:ﾏｰｸ付きﾘｽﾄにします
ﾏｰｸ付きﾘｽﾄ</source>
      <translation>&lt;UL&gt;: make an unordered list
Unordered List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;OL&gt;:番号順ﾘｽﾄにします
番号順ﾘｽﾄ</source>
      <translation>&lt;OL&gt;: make a numbered list
Numbered List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>各行をﾘｽﾄの項目にします
箇条書き</source>
      <translation>Make each line a list item
Bullets</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>各行を段落にします
段落付け</source>
      <translation>Make each line a paragraph
Paragraphs</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;DL&gt;:定義ﾘｽﾄにします
定義ﾘｽﾄ</source>
      <translation>&lt;DL&gt;: make a definition list
Definition List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;DT&gt;:定義される言葉にします
定義される言葉</source>
      <translation>&lt;DT&gt;: make a defined term
Term</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;DD&gt;:言葉の意味にします
言葉の意味</source>
      <translation>&lt;DD&gt;: make the meaning of a term
Description</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>定義型ﾘｽﾄを作成します
ﾘｽﾄの作成</source>
      <translation>Make a definition list
Make List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;BLINK&gt;:点滅させます
点滅</source>
      <translation>&lt;BLINK&gt;: make it blink
Blink</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;BLOCKQUOTE&gt;:引用にします
引用</source>
      <translation>&lt;BLOCKQUOTE&gt;: make a quotation
Quotation</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;STYLE&gt;:ｽﾀｲﾙ領域を挿入します
ｽﾀｲﾙ領域</source>
      <translation>&lt;STYLE&gt;: insert a style area
Style Area</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｽﾀｲﾙ要素を作成します
ｽﾀｲﾙ要素</source>
      <translation>Make a style rule
Style Rule</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;LINK&gt;:外部ｽﾀｲﾙｼｰﾄを指定します
外部ｽﾀｲﾙｼｰﾄ</source>
      <translation>&lt;LINK&gt;: name an external style sheet
External Style Sheet</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌﾞﾛｯｸにｽﾀｲﾙを設定します
ﾌﾞﾛｯｸｽﾀｲﾙ</source>
      <translation>Set the style of a block
Block Style</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>段落にｽﾀｲﾙを設定します
段落ｽﾀｲﾙ</source>
      <translation>Set the style of a paragraph
Paragraph Style</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字列の一部にｽﾀｲﾙを設定します
部分ｽﾀｲﾙ</source>
      <translation>Set the style of part of the text
Span Style</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文書のｽﾀｲﾙ要素を一覧表示します
ｽﾀｲﾙ一覧</source>
      <translation>List the style rules of the document
Style List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;FORM&gt;:ﾌｫｰﾑ領域を設定します
ﾌｫｰﾑ領域</source>
      <translation>&lt;FORM&gt;: set a form area
Form Area</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｷｽﾄﾎﾞｯｸｽを挿入します
ﾃｷｽﾄﾎﾞｯｸｽ</source>
      <translation>Insert a text box
Text Box</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;TEXTAREA&gt;:複数行ﾃｷｽﾄﾎﾞｯｸｽを挿入します
複数行ﾃｷｽﾄﾎﾞｯｸｽ</source>
      <translation>&lt;TEXTAREA&gt;: insert a multi-line text box
Multi-line Text Box</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾁｪｯｸﾎﾞｯｸｽを挿入します
ﾁｪｯｸﾎﾞｯｸｽ</source>
      <translation>Insert a check box
Check Box</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾗｼﾞｵﾎﾞﾀﾝを挿入します
ﾗｼﾞｵﾎﾞﾀﾝ</source>
      <translation>Insert a radio button
Radio Button</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;SELECT&gt;:ﾘｽﾄﾎﾞｯｸｽを挿入します
ﾘｽﾄﾎﾞｯｸｽ</source>
      <translation>&lt;SELECT&gt;: insert a list box
List Box</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;OPTION&gt;:選択項目を挿入します
選択項目</source>
      <translation>&lt;OPTION&gt;: insert an option
Option</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｲﾒｰｼﾞの送信ﾎﾞﾀﾝを挿入します
ｲﾒｰｼﾞ</source>
      <translation>Insert an image submit button
Image</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>隠れｲﾝﾌﾟｯﾄを挿入します
隠れｲﾝﾌﾟｯﾄ</source>
      <translation>Insert a hidden input
Hidden Input</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>送信ﾎﾞﾀﾝを挿入します
送信ﾎﾞﾀﾝ</source>
      <translation>Insert a submit button
Submit Button</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘｾｯﾄﾎﾞﾀﾝを挿入します
ﾘｾｯﾄﾎﾞﾀﾝ</source>
      <translation>Insert a reset button
Reset Button</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>SSIのｺﾏﾝﾄﾞ実行を挿入します
ｺﾏﾝﾄﾞの実行</source>
      <translation>Insert an SSI command execution
Execute Command</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>SSIの最終更新時刻を挿入します
最終更新時刻</source>
      <translation>Insert the SSI last-updated time
Last Updated</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>SSIの現在の時刻を挿入します
現在の時刻</source>
      <translation>Insert the SSI current time
Current Time</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;TABLE&gt;:ﾃｰﾌﾞﾙ領域を設定します
ﾃｰﾌﾞﾙ領域</source>
      <translation>&lt;TABLE&gt;: set a table area
Table Area</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;TR&gt;:列を設定します
列の設定</source>
      <translation>&lt;TR&gt;: set a row
Row</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;TD&gt;:ﾃﾞｰﾀを設定します
ﾃﾞｰﾀの設定</source>
      <translation>&lt;TD&gt;: set a data cell
Data Cell</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;TH&gt;:項目名を設定します
項目名の設定</source>
      <translation>&lt;TH&gt;: set a header cell
Header Cell</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;CAPTION&gt;:表の題名を設定します
表の題名</source>
      <translation>&lt;CAPTION&gt;: set the caption of the table
Caption</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;MARQUEE&gt;:文字をｽｸﾛｰﾙさせます
文字のｽｸﾛｰﾙ</source>
      <translation>&lt;MARQUEE&gt;: make the text scroll
Scrolling Text</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>BGMを指定します
BGMの指定</source>
      <translation>Set the background music
Background Music</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾋﾞﾃﾞｵｸﾘｯﾌﾟを挿入します
ﾋﾞﾃﾞｵｸﾘｯﾌﾟ</source>
      <translation>Insert a video clip
Video Clip</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;FRAMESET&gt;:ﾌﾚｰﾑ領域を設定します
ﾌﾚｰﾑ領域</source>
      <translation>&lt;FRAMESET&gt;: set a frameset
Frameset</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;FRAME&gt;:ﾌﾚｰﾑを設定します
ﾌﾚｰﾑの設定</source>
      <translation>&lt;FRAME&gt;: set a frame
Frame</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘﾝｸを表示するﾌﾚｰﾑを設定します
ﾀｰｹﾞｯﾄﾌﾚｰﾑ</source>
      <translation>Set the frame that shows a link
Target Frame</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;NOFRAMES&gt;:ﾌﾚｰﾑを表示できない場合の内容を設定します
ﾌﾚｰﾑ不可</source>
      <translation>&lt;NOFRAMES&gt;: set what shows when frames cannot
No Frames</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;APPLET&gt;:Javaｱﾌﾟﾚｯﾄを挿入します
Javaｱﾌﾟﾚｯﾄ</source>
      <translation>&lt;APPLET&gt;: insert a Java applet
Java Applet</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;PARAM&gt;:Javaのﾊﾟﾗﾒｰﾀを挿入します
Javaﾊﾟﾗﾒｰﾀ</source>
      <translation>&lt;PARAM&gt;: insert a Java parameter
Java Parameter</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;SCRIPT&gt;:Javaｽｸﾘﾌﾟﾄ領域を挿入します
Javaｽｸﾘﾌﾟﾄ</source>
      <translation>&lt;SCRIPT&gt;: insert a JavaScript area
JavaScript</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;EMBED&gt;:ﾌﾟﾗｸﾞｲﾝを挿入します
PlugIn</source>
      <translation>&lt;EMBED&gt;: insert a plug-in
PlugIn</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;IMG&gt;:ｲﾒｰｼﾞを挿入します
ｲﾒｰｼﾞ</source>
      <translation>&lt;IMG&gt;: insert an image
Image</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;A HREF&gt;:他の文書へのﾘﾝｸを設定します
ﾘﾝｸ</source>
      <translation>&lt;A HREF&gt;: set a link to another document
Link</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘﾝｸ先を表示するｳｨﾝﾄﾞｳを指定します
ﾘﾝｸ先ｳｨﾝﾄﾞｳ</source>
      <translation>Name the window that shows a link
Link Target Window</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>同一文書内へのﾘﾝｸを設定します
同一文書内</source>
      <translation>Set a link within this document
In This Document</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;A NAME&gt;:ﾘﾝｸ先のｷｰﾜｰﾄﾞを設定します
ｷｰﾜｰﾄﾞ設定</source>
      <translation>&lt;A NAME&gt;: set a link target keyword
Anchor Keyword</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾒｰﾙの送信先へのﾘﾝｸを設定します
ﾒｰﾙの送信先</source>
      <translation>Set a link to a mail address
Mail Address</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録ﾀｸﾞを編集します
登録ﾀｸﾞの編集</source>
      <translation>Edit the registered tags
Edit Registered Tags</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>作業中のﾌｧｲﾙをﾌﾞﾗｳｻﾞで表示します
ﾌﾟﾚﾋﾞｭｰ</source>
      <translation>Show the current file in the browser
Preview</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>一番外側のﾀｸﾞを消去します
一番外のみ消去</source>
      <translation>Remove the outermost tag
Remove Outermost</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択領域のﾀｸﾞを消去します
選択領域の消去</source>
      <translation>Remove the tags in the selection
Remove in Selection</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>全てのﾀｸﾞを消去します
全て消去</source>
      <translation>Remove all tags
Remove All</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択したﾀｸﾞを取り込みます
ﾀｸﾞの取込</source>
      <translation>Capture the selected tag
Capture Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>取り込んだﾀｸﾞを再挿入します
ﾀｸﾞの再挿入</source>
      <translation>Insert the captured tag again
Reinsert Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶｰｿﾙ位置のﾀｸﾞを修正します
ﾀｸﾞの修正</source>
      <translation>Edit the tag at the caret
Edit Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶｰｿﾙ位置のｽﾀｲﾙ要素を修正します
ｽﾀｲﾙ要素の修正</source>
      <translation>Edit the style rule at the caret
Edit Style Rule</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｲﾝﾗｲﾝｽﾀｲﾙのみを挿入します
ｲﾝﾗｲﾝｽﾀｲﾙ</source>
      <translation>Insert an inline style only
Inline Style</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行を&lt;P&gt;に変換します
改行→&lt;P&gt;</source>
      <translation>Convert line ends to &lt;P&gt;
Line Ends→&lt;P&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行を&lt;BR&gt;に変換します
改行→&lt;BR&gt;</source>
      <translation>Convert line ends to &lt;BR&gt;
Line Ends→&lt;BR&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>改行を&lt;P&gt;と&lt;BR&gt;に変換します
改行→&lt;P&gt;&lt;BR&gt;</source>
      <translation>Convert line ends to &lt;P&gt; and &lt;BR&gt;
Line Ends→&lt;P&gt;&lt;BR&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>&lt;と&gt;を&amp;lt;と&amp;gt;に変換します
&amp;lt; &amp;gt;変換</source>
      <translation>Convert &lt; and &gt; to &amp;lt; and &amp;gt;
&amp;lt; &amp;gt; Conversion</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀｸﾞを小文字にします
ﾀｸﾞの小文字化</source>
      <translation>Make tags lowercase
Tags to Lowercase</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀｸﾞを大文字にします
ﾀｸﾞの大文字化</source>
      <translation>Make tags uppercase
Tags to Uppercase</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｰﾌﾞﾙを対話形式で作成します
ﾃｰﾌﾞﾙWizard</source>
      <translation>Make a table step by step
Table Wizard</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>TAB区切りのﾃｷｽﾄをﾃｰﾌﾞﾙにします
TAB区切り→ﾃｰﾌﾞﾙ</source>
      <translation>Make TAB-separated text a table
TAB Separated→Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀﾌﾞとｽﾍﾟｰｽで区切ったﾃｷｽﾄをﾃｰﾌﾞﾙにします
ﾀﾌﾞｽﾍﾟｰｽ区切り→ﾃｰﾌﾞﾙ</source>
      <translation>Make text separated by tabs and spaces a table
Tab Space Separated→Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶﾝﾏ区切りのﾃｷｽﾄをﾃｰﾌﾞﾙにします
ｶﾝﾏ区切り→ﾃｰﾌﾞﾙ</source>
      <translation>Make comma-separated text a table
Comma Separated→Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>各行をﾃｰﾌﾞﾙにします
行→ﾃｰﾌﾞﾙ</source>
      <translation>Make each line a table row
Lines→Table</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｰﾌﾞﾙ化のｵﾌﾟｼｮﾝを設定します
ﾃｰﾌﾞﾙ化ｵﾌﾟｼｮﾝ</source>
      <translation>Set the options of making tables
Table Options</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃｰﾌﾞﾙの色を設定します
ﾃｰﾌﾞﾙの色設定</source>
      <translation>Set the colors of tables
Table Colors</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>今日の日付を挿入します
今日の日付</source>
      <translation>Insert today's date
Today's Date</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>選択範囲を枠で囲みます
枠で囲む</source>
      <translation>Put a box around the selection
Box Around</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>左右の余白を設定します
左右余白設定</source>
      <translation>Set the left and right margins
Side Margins</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文書内のﾘﾝｸを一覧表示します
ﾘﾝｸﾌﾞﾗｳｻﾞ</source>
      <translation>List the links in the document
Link Browser</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘﾝｸ先のﾌｧｲﾙがあるか調べます
ﾘﾝｸﾁｪｯｸ</source>
      <translation>Check that the linked files exist
Link Check</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶｰｿﾙ位置のﾘﾝｸ先を開きます
ﾘﾝｸ先を開く</source>
      <translation>Open the link target at the caret
Open Link Target</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾘﾝｸのﾘｽﾄを作成します
ﾘﾝｸﾘｽﾄの作成</source>
      <translation>Make a list of links
Make Link List</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録ﾂｰﾙを編集します
登録ﾂｰﾙの編集</source>
      <translation>Edit the registered tools
Edit Registered Tools</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ftpでｻｰﾊﾞｰのﾌｧｲﾙを管理します
ftp</source>
      <translation>Manage the server's files over FTP
FTP</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ftpによりファイルを転送します
ftp転送</source>
      <translation>Upload the file over FTP
FTP Upload</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｻｲﾄのﾌｫﾙﾀﾞをｻｰﾊﾞｰに反映します
ｻｲﾄの公開</source>
      <translation>Make the server folder a copy of the site folder
Publish Site</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｻｲﾄのﾌｧｲﾙをUTF-8に変換し、文字ｺｰﾄﾞの宣言を書き換えます
ｻｲﾄの文字ｺｰﾄﾞ変換</source>
      <translation>Converts the site's files to UTF-8 and rewrites their declarations of the code
Convert Site to UTF-8</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌｧｲﾙのｻｲｽﾞ情報を表示します
ｻｲｽﾞ情報</source>
      <translation>Show the size information of the file
Size Information</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>表示ﾌｫﾝﾄを設定します
ﾌｫﾝﾄの設定</source>
      <translation>Set the display font
Font Settings</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>動作を設定します
各種設定</source>
      <translation>Set how the program works
Settings</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>長い行を折り返すかどうかを切り替えます
折り返し</source>
      <translation>Switch wrapping of long lines
Word Wrap</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀﾞﾌﾞﾙｸﾘｯｸによるﾀｸﾞ編集機能を切り替えます
ﾀｸﾞ編集機能</source>
      <translation>Switch tag editing by double-click
Tag Editing</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾀｸﾞや属性を色分けして表示するかどうかを切り替えます
色分け表示</source>
      <translation>Show tags and attributes in colour or not
Syntax Colouring</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>行番号を表示するかどうかを切り替えます
行番号</source>
      <translation>Show line numbers or not
Line Numbers</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶｰｿﾙのある行を強調するかどうかを切り替えます
現在行の強調</source>
      <translation>Highlight the line of the cursor or not
Highlight Current Line</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｶｰｿﾙ位置のﾀｸﾞと対になるﾀｸﾞを強調するかどうかを切り替えます
対応タグの強調</source>
      <translation>Highlight the tag that pairs with the tag at the cursor or not
Highlight Matching Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>最後に検索した文字列を強調するかどうかを切り替えます
検索語の強調</source>
      <translation>Highlight the text searched last or not
Highlight Search Matches</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字を大きく表示します
拡大</source>
      <translation>Show the text larger
Zoom In</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字を小さく表示します
縮小</source>
      <translation>Show the text smaller
Zoom Out</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>文字を元の大きさで表示します
元のサイズ</source>
      <translation>Show the text at its own size
Reset Zoom</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>編集中のページをブラウザと同じ描画で横に表示するかどうかを切り替えます
プレビュー</source>
      <translation>Shows or hides the page as a browser draws it, beside the text
Preview</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>新しいﾌｧｲﾙの初期ﾃﾝﾌﾟﾚｰﾄを設定します
初期ﾃﾝﾌﾟﾚｰﾄの設定</source>
      <translation>Set the initial template of new files
Initial Template</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｺﾝﾎﾟｰﾈﾝﾄを一括登録します
ｺﾝﾎﾟｰﾈﾝﾄの一括登録</source>
      <translation>Register components from a file
Register Components</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾃﾝﾌﾟﾚｰﾄを一括登録します
ﾃﾝﾌﾟﾚｰﾄの一括登録</source>
      <translation>Register templates from a file
Register Templates</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ｷｰの割り当てを変更します
ｷｰｶｽﾀﾏｲｽﾞ</source>
      <translation>Change the key assignments
Key Customization</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾍﾙﾌﾟを表示
ﾍﾙﾌﾟ</source>
      <translation>Show the help
Help</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌﾟﾛｸﾞﾗﾑのﾊﾞｰｼﾞｮﾝ情報を表示
ﾊﾞｰｼﾞｮﾝ情報</source>
      <translation>Show the version of the program
About</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>次のﾍﾟｲﾝに切り替え
次のﾍﾟｲﾝ</source>
      <translation>Switch to the next pane
Next Pane</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>前のﾍﾟｲﾝに切り替え
前のﾍﾟｲﾝ</source>
      <translation>Switch to the previous pane
Previous Pane</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌｧｲﾙ</source>
      <translation>File</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>メニュー</source>
      <translation>Menu</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>ﾌｧｲﾙ(&amp;F)</source>
      <translation>&amp;File</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>このﾌｧｲﾙを開く
最近使ったﾌｧｲﾙ</source>
      <translation>Open this file
Recent Files</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録ﾀｸﾞを挿入します
登録ﾀｸﾞ</source>
      <translation>Insert a registered tag
Registered Tag</translation>
    </message>
    <message>
      <location filename="../src/core/app/MenuData.cpp" />
      <source>登録ﾂｰﾙを起動します
登録ﾂｰﾙ</source>
      <translation>Start a registered tool
Registered Tool</translation>
    </message>
    <message>
      <location filename="../src/core/app/ScriptedUi.cpp" />
      <source>ＭＳ Ｐゴシック</source>
      <translation>ＭＳ Ｐゴシック</translation>
    </message>
    <message>
      <location filename="../src/core/app/Ui.cpp" />
      <source>キャンセル</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <location filename="../src/core/app/Ui.cpp" />
      <source>はい(&amp;Y)</source>
      <translation>&amp;Yes</translation>
    </message>
    <message>
      <location filename="../src/core/app/Ui.cpp" />
      <source>いいえ(&amp;N)</source>
      <translation>&amp;No</translation>
    </message>
    <message>
      <location filename="../src/core/app/Ui.cpp" />
      <source>表示するためのブラウザなどのプログラムを起動できませんでした。
ブラウザがインストールされ、既定のブラウザとして設定されているか確認してください。
表示できなかったもの: %1</source>
      <translation>No browser or other program could be started to show it.
Please check that a browser is installed and set as the default browser.
Not shown: %1</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheck.cpp" />
      <source>エラー</source>
      <translation>Error</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheck.cpp" />
      <source>警告</source>
      <translation>Warning</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheck.cpp" />
      <source>ヒント</source>
      <translation>Hint</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>文書のチェック</source>
      <translation>Check Page</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>移動(&amp;G)</source>
      <translation>&amp;Go To</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>閉じる</source>
      <translation>Close</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>エラー %1 個、警告 %2 個、ヒント %3 個</source>
      <translation>%1 errors, %2 warnings, %3 hints</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>（最初の %1 個を表示します）</source>
      <translation> (the first %1 are shown)</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>行番号</source>
      <translation>Line</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>桁</source>
      <translation>Column</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>種類</source>
      <translation>Type</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>問題</source>
      <translation>Problem</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>HTML の文書ではないため、チェックできません</source>
      <translation>This document is not HTML and cannot be checked</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>文書をチェックしています...</source>
      <translation>Checking the page...</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageCheckCommands.cpp" />
      <source>問題は見つかりませんでした</source>
      <translation>No problems were found</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>サイトのフォルダが分からないため、/ で始まるリンクは確かめていません</source>
      <translation>Links starting with / were not checked: the site's folder is not known</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>リンク先 %1 が見つかりません</source>
      <translation>Link target %1 not found</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>幅 %1</source>
      <translation>width %1</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>高さ %1</source>
      <translation>height %1</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>画像 %1 の大きさは %2 ですが、縦横の比を変えて %3 で表示します</source>
      <translation>Picture %1 is %2 but is shown out of proportion at %3</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>画像 %1 の大きさは %2 ですが、%3 に拡大・縮小して表示します</source>
      <translation>Picture %1 is %2 but is shown scaled to %3</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>文字コードの宣言は %1 ですが、%2 で保存されています</source>
      <translation>The page declares %1 but is saved in %2</translation>
    </message>
    <message>
      <location filename="../src/core/check/PageFileChecker.cpp" />
      <source>保存していない文書のため、リンクと画像は確かめていません</source>
      <translation>Links and pictures were not checked: the page has not been saved</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;/%1&gt; がありません</source>
      <translation>missing &lt;/%1&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%2 の前に &lt;/%1&gt; がありません</source>
      <translation>missing &lt;/%1&gt; before %2</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;%1&gt; の開始タグがありません</source>
      <translation>missing start tag &lt;%1&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>終了タグ &lt;/%1&gt; の位置が合っていません（入れ子の誤り）</source>
      <translation>end tag &lt;/%1&gt; is misplaced (misnested)</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>開始タグのない終了タグ &lt;/%1&gt; があります</source>
      <translation>end tag &lt;/%1&gt; without a start tag</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;%2&gt; の中に開始タグのない終了タグ &lt;/%1&gt; があります</source>
      <translation>end tag &lt;/%1&gt; without a start tag in &lt;%2&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>ここには書けない %1 があります</source>
      <translation>%1 is not allowed here</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>ここには書けない %1 があります（%2 として読まれます）</source>
      <translation>%1 is not allowed here (read as %2)</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は &lt;%2&gt; の中に書けません</source>
      <translation>%1 is not allowed in &lt;%2&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は入れ子にできません</source>
      <translation>%1 cannot be nested</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 が同じ要素の中に入れ子になっています</source>
      <translation>%1 is nested in an element of its own kind</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;%1&gt; は &lt;/%2&gt; の誤りと思われます</source>
      <translation>&lt;%1&gt; is probably meant as &lt;/%2&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 が空でないか、閉じていません</source>
      <translation>%1 is not empty or not closed</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;%2&gt; の中に %1 が多すぎます</source>
      <translation>too many %1 in &lt;%2&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 が多すぎます</source>
      <translation>too many %1</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>BODY の終わりの後に内容があります</source>
      <translation>content after the end of BODY</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>STYLE 要素が BODY の中にあります</source>
      <translation>STYLE element inside BODY</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;%1&gt; が省略されています</source>
      <translation>&lt;%1&gt; is left out</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の中身が空です</source>
      <translation>%1 is empty</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は HTML の要素ではありません</source>
      <translation>%1 is not an HTML element</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は標準の HTML にない要素です</source>
      <translation>%1 is not a standard HTML element</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は HTML5 で廃止された要素です</source>
      <translation>%1 was removed from HTML5</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は古い要素です（%2 を使います）</source>
      <translation>%1 is obsolete (use %2)</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は %2 にない要素です</source>
      <translation>%1 is not in %2</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性 %2 は標準の HTML にない属性です</source>
      <translation>%1 attribute %2 is not standard HTML</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性 %2 は %3 では使えません</source>
      <translation>%1 attribute %2 is not allowed in %3</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の SUMMARY 属性は HTML5 で廃止されました</source>
      <translation>the SUMMARY attribute of %1 was removed from HTML5</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性値 "%2" は標準の値ではありません</source>
      <translation>%1 attribute value "%2" is not standard</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 に属性 %3 が二つあります（値 "%2" は使われません）</source>
      <translation>%1 has attribute %3 twice (value "%2" is not used)</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 に属性 %2 が二つあります</source>
      <translation>%1 has attribute %2 twice</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性 %2 に値がありません</source>
      <translation>%1 attribute %2 has no value</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性 %2 の値 "%3" は正しくありません</source>
      <translation>%1 attribute %2 has an invalid value "%3"</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性名 %2 は正しくありません</source>
      <translation>%1 attribute name %2 is invalid</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 に %2 属性がありません</source>
      <translation>%1 lacks the %2 attribute</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の ID "%2" はこの文書で既に使われています</source>
      <translation>%1 ID "%2" is already used in this page</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の ID と NAME の値が違います</source>
      <translation>%1 ID and NAME differ</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の終わりの &gt; がありません</source>
      <translation>%1 is missing its closing &gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 に余分な引用符があります</source>
      <translation>%1 has a stray quotation mark</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性値を閉じる引用符がありません</source>
      <translation>%1 attribute value lacks its closing quotation mark</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>属性値を閉じる引用符がないようです</source>
      <translation>an attribute value seems to lack its closing quotation mark</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 に属性名のない = があります</source>
      <translation>%1 has = without an attribute name</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の途中でファイルが終わっています</source>
      <translation>the file ends inside %1</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の属性の途中でファイルが終わっています</source>
      <translation>the file ends inside an attribute of %1</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&amp; は &amp;amp; と書いてください</source>
      <translation>write &amp; as &amp;amp;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は文字参照として読めません（&amp; は &amp;amp; と書きます）</source>
      <translation>%1 is no character reference (write &amp; as &amp;amp;)</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>文字参照 %1 が ; で終わっていません</source>
      <translation>character reference %1 does not end in ;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の数値文字参照 %2 は正しくありません</source>
      <translation>%1 numeric character reference %2 is invalid</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&amp;apos; は XML と XHTML でしか使えません</source>
      <translation>&amp;apos; is only valid in XML and XHTML</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;!DOCTYPE&gt; 宣言がありません</source>
      <translation>missing &lt;!DOCTYPE&gt; declaration</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;!DOCTYPE&gt; はタグより前に書いてください</source>
      <translation>&lt;!DOCTYPE&gt; must come before the tags</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>&lt;!DOCTYPE&gt; 宣言が正しくありません</source>
      <translation>malformed &lt;!DOCTYPE&gt; declaration</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>TITLE 要素がありません</source>
      <translation>missing TITLE element</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>XML 宣言があります</source>
      <translation>XML declaration found</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>コメントが閉じないままファイルが終わっています</source>
      <translation>the file ends inside a comment</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>- の足りないコメントがあります</source>
      <translation>comment with a missing -</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の URL に %XX で書くべき文字があります</source>
      <translation>%1 URL holds characters to be written as %XX</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の URL に使えない文字があります</source>
      <translation>%1 URL holds characters not allowed in a URL</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の URL に空白があります</source>
      <translation>%1 URL holds spaces</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の URL に改行があります</source>
      <translation>%1 URL holds a line break</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 の URL に \ があります（/ の誤りではありませんか）</source>
      <translation>%1 URL holds \ (meant as /?)</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 は &lt;br&gt; として読まれます</source>
      <translation>%1 is read as &lt;br&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>%1 が NOFRAMES 要素の中にありません</source>
      <translation>%1 is not inside a NOFRAMES element</translation>
    </message>
    <message>
      <location filename="../src/core/check/TidyChecker.cpp" />
      <source>要素の入れ子が深すぎるため、タグの誤りは確かめていません</source>
      <translation>Tags were not checked: the elements nest too deep</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>（なし）</source>
      <translation>(none)</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>キーカスタマイズ</source>
      <translation>Key Customization</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>ｷｬﾝｾﾙ</source>
      <translation>Cancel</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>キー(&amp;K):</source>
      <translation>&amp;Key:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>Ctrl(&amp;C)</source>
      <translation>&amp;Ctrl</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>Shift(&amp;H)</source>
      <translation>S&amp;hift</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>Alt(&amp;A)</source>
      <translation>&amp;Alt</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>メニュー(&amp;M):</source>
      <translation>&amp;Menu:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>保存(&amp;S)</source>
      <translation>&amp;Save</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>読込(&amp;R)</source>
      <translation>&amp;Read</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>%1 はキー定義ファイルではありません。
上書きしますか？</source>
      <translation>%1 is not a key file.
Overwrite it?</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>保存できません</source>
      <translation>Cannot save</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>ｷｰ定義ﾌｧｲﾙ名の入力</source>
      <translation>Key File Name</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>KEYﾌｧｲﾙ(*.KEY) |*.KEY| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>KEY files(*.KEY) |*.KEY| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CKeycustDlg.cpp" />
      <source>読み込めません</source>
      <translation>Cannot read</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CListEditDlg.cpp" />
      <source>登録できるのは30件までです</source>
      <translation>Up to 30 entries can be registered</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>テンプレート</source>
      <translation>Templates</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>HTMLコンポーネント</source>
      <translation>HTML Components</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>開く(&amp;O)</source>
      <translation>&amp;Open</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>挿入(&amp;I)</source>
      <translation>&amp;Insert</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>閉じる(&amp;C)</source>
      <translation>&amp;Close</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>追加(&amp;A)</source>
      <translation>&amp;Add</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>削除(&amp;D)</source>
      <translation>&amp;Delete</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>修正(&amp;E)</source>
      <translation>&amp;Edit</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>一つ上へ</source>
      <translation>Up</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>一つ下へ</source>
      <translation>Down</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>入力</source>
      <translation>Entry</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>タイトル(&amp;T)：</source>
      <translation>&amp;Title:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>ファイル名(&amp;F)：</source>
      <translation>&amp;File name:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>外部ﾌﾟﾛｸﾞﾗﾑの参照</source>
      <translation>Browse for a File</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>HTMLﾌｧｲﾙ(*.HTM) |*.HTM| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>HTML files(*.HTM) |*.HTM| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CNamedFileDlg.cpp" />
      <source>%1を削除しますか？</source>
      <translation>Delete %1?</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>タグの編集</source>
      <translation>Edit Tags</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ツールの登録</source>
      <translation>Register Tools</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ｷｬﾝｾﾙ(&amp;C)</source>
      <translation>&amp;Cancel</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>追加(&amp;A)...</source>
      <translation>&amp;Add...</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>削除(&amp;D)...</source>
      <translation>&amp;Delete...</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>修正(&amp;E)...</source>
      <translation>&amp;Edit...</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ｴｸｽﾎﾟｰﾄ...</source>
      <translation>Export...</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ｲﾝﾎﾟｰﾄ...</source>
      <translation>Import...</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>タグの入力</source>
      <translation>Tag Entry</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>タグの名前(&amp;N):</source>
      <translation>Tag &amp;name:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>前方のタグ(&amp;F):</source>
      <translation>&amp;Front tag:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>後方のタグ(&amp;B):</source>
      <translation>&amp;Back tag:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ﾂｰﾙの入力</source>
      <translation>Tool Entry</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>表示名(&amp;N):</source>
      <translation>Display &amp;name:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ﾌｧｲﾙ名(&amp;F):</source>
      <translation>&amp;File name:</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>プログラムと引数を空白で区切って書きます。% の所には開いている文書のパスが一つの引数として入ります。空白を含む名前は "…" で囲みます。</source>
      <translation>Write the program and its arguments separated by blanks. % stands for the open document's path, passed as one argument. Put a name with blanks in "…".</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ﾂｰﾙﾌｧｲﾙ名の入力</source>
      <translation>Tool File Name</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>全てのﾌｧｲﾙ(*) |*||</source>
      <translation>All files(*) |*||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>タグの名前</source>
      <translation>Tag name</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>前方のタグ</source>
      <translation>Front tag</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>後方のタグ</source>
      <translation>Back tag</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>表示名</source>
      <translation>Display name</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ファイル名</source>
      <translation>File name</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>csvﾌｧｲﾙ(*.csv) |*.csv||</source>
      <translation>CSV files(*.csv) |*.csv||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>書き込みできません</source>
      <translation>Cannot write</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>CSVﾌｧｲﾙ(*.csv) |*.csv| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>CSV files(*.csv) |*.csv| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>ファイルが開けません</source>
      <translation>Cannot open the file</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegListDlg.cpp" />
      <source>エラー：ファイルフォーマットが違います</source>
      <translation>Error: the file format is wrong</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegToolList.cpp" />
      <source>引用符が閉じていません</source>
      <translation>a quotation mark is not closed</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CRegToolList.cpp" />
      <source>プログラムが指定されていません</source>
      <translation>no program is named</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>ツールを起動できません（%1）
%2</source>
      <translation>The tool cannot be started (%1)
%2</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>ツールを起動できません
%1</source>
      <translation>The tool cannot be started
%1</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>HTMLﾌｧｲﾙ(*.htm*) |*.htm*| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>HTML files(*.htm*) |*.htm*| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>ファイルが見つかりません</source>
      <translation>File not found</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>ｺﾝﾎﾟｰﾈﾝﾄ登録ファイル</source>
      <translation>Component Registration File</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>ﾃﾝﾌﾟﾚｰﾄ登録ファイル</source>
      <translation>Template Registration File</translation>
    </message>
    <message>
      <location filename="../src/core/custom/CustomCommands.cpp" />
      <source>ﾃｷｽﾄﾌｧｲﾙ(*.TXT) |*.TXT| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>Text files(*.TXT) |*.TXT| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>新規作成</source>
      <translation>New</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>上書き保存</source>
      <translation>Save</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>名前を付けて保存</source>
      <translation>Save As</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ファイルの挿入</source>
      <translation>Insert File</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>HTMLﾃﾝﾌﾟﾚｰﾄ</source>
      <translation>HTML Template</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>文字コード</source>
      <translation>Character Code</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>終了</source>
      <translation>Exit</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>アンドゥ</source>
      <translation>Undo</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>切り取り</source>
      <translation>Cut</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>コピー</source>
      <translation>Copy</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>貼り付け</source>
      <translation>Paste</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>削除</source>
      <translation>Delete</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>文字列の検索</source>
      <translation>Find</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>次を検索</source>
      <translation>Find Next</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>前を検索</source>
      <translation>Find Previous</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>文字列の置換</source>
      <translation>Replace</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>指定行へ移動</source>
      <translation>Go to Line</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>すべての範囲を選択</source>
      <translation>Select All</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>選択の解除</source>
      <translation>Deselect</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>HTMLｺﾝﾎﾟｰﾈﾝﾄ</source>
      <translation>HTML Component</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾀｲﾄﾙ</source>
      <translation>Title</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>背景</source>
      <translation>Background</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>罫線</source>
      <translation>Horizontal Rule</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>陰影なし罫線</source>
      <translation>Rule without Shade</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>さまざまな線</source>
      <translation>Various Rules</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾘﾌﾚｯｼｭ</source>
      <translation>Refresh</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｺﾒﾝﾄ</source>
      <translation>Comment</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾍｯﾀﾞ</source>
      <translation>Head</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>見出し</source>
      <translation>Heading</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>フォント</source>
      <translation>Font</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾎﾞｰﾙﾄﾞ</source>
      <translation>Bold</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｲﾀﾘｯｸ</source>
      <translation>Italic</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>強調</source>
      <translation>Emphasis</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>より強い強調</source>
      <translation>Strong Emphasis</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>上付添字</source>
      <translation>Superscript</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>下付添字</source>
      <translation>Subscript</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>特殊文字 &amp;&amp;</source>
      <translation>Special character &amp;&amp;</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>特殊文字 &lt;</source>
      <translation>Special character &lt;</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>特殊文字 &gt;</source>
      <translation>Special character &gt;</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>特殊文字 ”</source>
      <translation>Special character ”</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>整形済みﾃｷｽﾄ</source>
      <translation>Preformatted Text</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>段落</source>
      <translation>Paragraph</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>改行</source>
      <translation>Line Break</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>改行なし</source>
      <translation>No Break</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>回り込みのカット</source>
      <translation>Clear Wrapping</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｾﾝﾀﾘﾝｸﾞ</source>
      <translation>Center</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>左寄せ</source>
      <translation>Left</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>中寄せ</source>
      <translation>Middle</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>右寄せ</source>
      <translation>Right</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾏｰｸ付きﾘｽﾄ</source>
      <translation>Unordered List</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>番号順ﾘｽﾄ</source>
      <translation>Numbered List</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>箇条書き</source>
      <translation>Bullets</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>段落付け</source>
      <translation>Paragraphs</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>定義ﾘｽﾄ</source>
      <translation>Definition List</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>定義される言葉</source>
      <translation>Term</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>言葉の意味</source>
      <translation>Description</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾘｽﾄの作成</source>
      <translation>Make List</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>点滅</source>
      <translation>Blink</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>引用</source>
      <translation>Quotation</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>スタイル領域</source>
      <translation>Style Area</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>スタイル要素</source>
      <translation>Style Rule</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>外部スタイルシート</source>
      <translation>External Style Sheet</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ブロックスタイル</source>
      <translation>Block Style</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>段落スタイル</source>
      <translation>Paragraph Style</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>部分スタイル</source>
      <translation>Span Style</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>スタイル一覧</source>
      <translation>Style List</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾌｫｰﾑ領域の設定</source>
      <translation>Form Area</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾃｷｽﾄﾎﾞｯｸｽ</source>
      <translation>Text Box</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>複数行ﾃｷｽﾄ入力</source>
      <translation>Multi-line Text Entry</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾁｪｯｸﾎﾞｯｸｽ</source>
      <translation>Check Box</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾗｼﾞｵﾎﾞﾀﾝ</source>
      <translation>Radio Button</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾘｽﾄﾎﾞｯｸｽ</source>
      <translation>List Box</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>選択項目</source>
      <translation>Option</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｲﾒｰｼﾞ</source>
      <translation>Image</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>隠れｲﾝﾌﾟｯﾄ</source>
      <translation>Hidden Input</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>送信ﾎﾞﾀﾝ</source>
      <translation>Submit Button</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾘｾｯﾄﾎﾞﾀﾝ</source>
      <translation>Reset Button</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾃｰﾌﾞﾙ領域の設定</source>
      <translation>Table Area</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>列の設定</source>
      <translation>Row</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾃﾞｰﾀの設定</source>
      <translation>Data Cell</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>項目名の設定</source>
      <translation>Header Cell</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>表の題名</source>
      <translation>Caption</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>文字のスクロール</source>
      <translation>Scrolling Text</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>BGMの指定</source>
      <translation>Background Music</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ビデオクリップ</source>
      <translation>Video Clip</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>フレーム領域の設定</source>
      <translation>Frameset</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>フレームの設定</source>
      <translation>Frame</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ターゲットフレーム</source>
      <translation>Target Frame</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>フレーム不可の場合</source>
      <translation>No Frames</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>Javaｱﾌﾟﾚｯﾄ</source>
      <translation>Java Applet</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>Javaﾊﾟﾗﾒｰﾀ</source>
      <translation>Java Parameter</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>Javaｽｸﾘﾌﾟﾄ</source>
      <translation>JavaScript</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>イメージ</source>
      <translation>Image</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>他の文書</source>
      <translation>Other Document</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>リンク先ウィンドウ</source>
      <translation>Link Target Window</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>同一文書内</source>
      <translation>In This Document</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｷｰﾜｰﾄﾞ設定</source>
      <translation>Anchor Keyword</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾒｰﾙの送信先</source>
      <translation>Mail Address</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾌﾞﾗｳｻﾞでﾌﾟﾚﾋﾞｭｰ</source>
      <translation>Preview in Browser</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>一番外のみ消去</source>
      <translation>Remove Outermost</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>選択領域の消去</source>
      <translation>Remove in Selection</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>全て消去</source>
      <translation>Remove All</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾀｸﾞの取込</source>
      <translation>Capture Tag</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾀｸﾞの再挿入</source>
      <translation>Reinsert Tag</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾀｸﾞの修正</source>
      <translation>Edit Tag</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｽﾀｲﾙ要素の修正</source>
      <translation>Edit Style Rule</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｲﾝﾗｲﾝｽﾀｲﾙのみの挿入</source>
      <translation>Insert Inline Style Only</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>改行→&lt;P&gt;</source>
      <translation>Line Ends→&lt;P&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>改行→&lt;BR&gt;</source>
      <translation>Line Ends→&lt;BR&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>改行→&lt;P&gt;&lt;BR&gt;</source>
      <translation>Line Ends→&lt;P&gt;&lt;BR&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>&lt; &gt;の&amp;&amp;lt; &amp;&amp;gt変換</source>
      <translation>&lt; &gt; to &amp;&amp;lt; &amp;&amp;gt</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>タグの小文字化</source>
      <translation>Tags to Lowercase</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>タグの大文字化</source>
      <translation>Tags to Uppercase</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾃｰﾌﾞﾙWizard</source>
      <translation>Table Wizard</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>TAB区切り → ﾃｰﾌﾞﾙ</source>
      <translation>TAB Separated → Table</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾀﾌﾞｽﾍﾟｰｽ区切り → ﾃｰﾌﾞﾙ</source>
      <translation>Tab and Space Separated → Table</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｶﾝﾏ区切り → ﾃｰﾌﾞﾙ</source>
      <translation>Comma Separated → Table</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>行 → ﾃｰﾌﾞﾙ</source>
      <translation>Lines → Table</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>テーブル化オプション</source>
      <translation>Table Options</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>テーブルの色設定</source>
      <translation>Table Colors</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>今日の日付の挿入</source>
      <translation>Insert Today's Date</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>枠で囲む</source>
      <translation>Box Around</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>左右余白設定</source>
      <translation>Side Margins</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>リンクブラウザ</source>
      <translation>Link Browser</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>リンクチェック</source>
      <translation>Link Check</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>リンク先を開く</source>
      <translation>Open Link Target</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>リンクリストの作成</source>
      <translation>Make Link List</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>登録ツールの編集</source>
      <translation>Edit Registered Tools</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>登録タグの編集</source>
      <translation>Edit Registered Tags</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ftp転送</source>
      <translation>FTP Upload</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>サイズ情報</source>
      <translation>Size Information</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾌｫﾝﾄの設定</source>
      <translation>Font Settings</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>各種設定</source>
      <translation>Settings</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>折り返しあり</source>
      <translation>Word Wrap</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>タグ編集機能</source>
      <translation>Tag Editing</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>初期ﾃﾝﾌﾟﾚｰﾄの設定</source>
      <translation>Initial Template</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ｺﾝﾎﾟｰﾈﾝﾄの一括登録</source>
      <translation>Register Components from File</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ﾃﾝﾌﾟﾚｰﾄの一括登録</source>
      <translation>Register Templates from File</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>ヘルプ目次</source>
      <translation>Help Contents</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>バージョン情報</source>
      <translation>About</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>プレビューを表示</source>
      <translation>Show preview</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>登録タグ%1</source>
      <translation>Registered Tag %1</translation>
    </message>
    <message>
      <location filename="../src/core/custom/KeyCommandList.cpp" />
      <source>登録ツール%1</source>
      <translation>Registered Tool %1</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>日本語コード(&amp;C):</source>
      <translation>Character &amp;code:</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>改行コード(&amp;R):</source>
      <translation>&amp;Line end:</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>無題</source>
      <translation>Untitled</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>UTF-16 のファイルは読み込めません - </source>
      <translation>UTF-16 files cannot be read - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>文字として読めないバイトが %1 個あります（最初は %2 行 %3 桁目）。
保存するときは、元のバイトのまま書き戻します。</source>
      <translation>%1 bytes cannot be read as characters (the first at line %2, column %3).
They are written back unchanged when the file is saved.</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>%1 では書けない文字が %2 個あります。
</source>
      <translation>%2 characters cannot be written in %1.
</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>  %1 行 %2 桁目: %3 (U+%4)
</source>
      <translation>  line %1, column %2: %3 (U+%4)
</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>  ほか %1 個
</source>
      <translation>  and %1 more
</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>
数値文字参照（%1 の形）で書くか、UTF-8 で保存できます。</source>
      <translation>
They can be written as numeric character references (like %1), or the file can be saved in UTF-8.</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>保存できない文字</source>
      <translation>Characters That Cannot Be Saved</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>文字参照で書く(&amp;R)</source>
      <translation>Write as &amp;References</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>UTF-8で保存(&amp;U)</source>
      <translation>Save in &amp;UTF-8</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>「%1」は、ほかのプログラムによって削除されたか、名前が変わりました。
保存すると、このファイルを作り直します。</source>
      <translation>"%1" was deleted or renamed by another program.
Saving will create the file again.</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>「%1」は、ほかのプログラムによって変更されました。
このまま保存すると、その変更は失われます。</source>
      <translation>"%1" was changed by another program.
If you save now, those changes will be lost.</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>「%1」は、ほかのプログラムによって変更されました。
読み込み直しますか？</source>
      <translation>"%1" was changed by another program.
Do you want to reload it?</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>復元用の控えを「%1」に書き込めません。
このまま編集できますが、異常終了したときは保存していない編集を復元できません。</source>
      <translation>The recovery copy cannot be written to "%1".
You can go on editing, but if the program ends abnormally, unsaved edits cannot be recovered.</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>編集の復元</source>
      <translation>Recover Edits</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>前回、保存されないまま終わった編集があります。
ファイル: %1
時刻: %2

復元しますか？</source>
      <translation>The last session ended with edits that were not saved.
File: %1
Time: %2

Do you want to recover them?</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>復元する(&amp;R)</source>
      <translation>&amp;Recover</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>破棄する(&amp;D)</source>
      <translation>&amp;Discard</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>あとで(&amp;L)</source>
      <translation>&amp;Later</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>「%1」は、この編集の後で変更されたか、なくなっています。
復元した内容は、新しい文書として開きます。</source>
      <translation>"%1" has changed or is gone since these edits.
The recovered text opens as a new document.</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>「%1」は、読み込んだ後でほかのプログラムによって変更されています。
上書きすると、その変更は失われます。上書きしますか？</source>
      <translation>"%1" was changed by another program after it was opened.
Overwriting it loses those changes. Overwrite it?</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>文字コードの宣言</source>
      <translation>Declared Character Code</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>このページの文字コードの宣言が、保存する %1 と違います。
</source>
      <translation>The character code this page declares is not %1, the code it is saved in.
</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>  %1 行目: %2
</source>
      <translation>  Line %1: %2
</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>
宣言を %1 に書き換えて保存しますか？</source>
      <translation>
Rewrite the declaration to %1 and save?</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>書き換えて保存(&amp;R)</source>
      <translation>&amp;Rewrite and Save</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>そのまま保存(&amp;K)</source>
      <translation>Save as It &amp;Is</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>ファイルを閉じます。保存しますか？</source>
      <translation>The file will be closed. Save it?</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.cpp" />
      <source>HTMLﾌｧｲﾙ(*.html) |*.html|HTMﾌｧｲﾙ(*.htm) |*.htm|SHTMLﾌｧｲﾙ(*.shtml) |*.shtml|Perlﾌｧｲﾙ(*.pl) |*.pl|CGIﾌｧｲﾙ(*.cgi) |*.cgi|Textﾌｧｲﾙ(*.txt) |*.txt|ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>HTML files(*.html) |*.html|HTM files(*.htm) |*.htm|SHTML files(*.shtml) |*.shtml|Perl files(*.pl) |*.pl|CGI files(*.cgi) |*.cgi|Text files(*.txt) |*.txt|Style sheets(*.css) |*.css|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CKelvoDoc.h" />
      <source> (読み取り専用)</source>
      <translation> (read-only)</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CodeKinds.cpp" />
      <source>シフトJIS</source>
      <translation>Shift-JIS</translation>
    </message>
    <message>
      <location filename="../src/core/doc/CodeKinds.cpp" />
      <source>不明</source>
      <translation>Unknown</translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>フォルダーは開けません - </source>
      <translation>A folder cannot be opened - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>通常のファイルではないので開けません - </source>
      <translation>Not a regular file, so it cannot be opened - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>ファイルが大きすぎて開けません - </source>
      <translation>The file is too large to open - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>ファイルを読み込めません - </source>
      <translation>Cannot read the file - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>フォルダーには保存できません - </source>
      <translation>Cannot save to a folder - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>通常のファイルではないので保存できません - </source>
      <translation>Not a regular file, so it cannot be saved - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>読み出す相手のいないパイプには書き込めません - </source>
      <translation>Cannot write to a pipe that no one reads - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>保存できませんでした（元のファイルはそのままです） - </source>
      <translation>Could not save (the original file is unchanged) - </translation>
    </message>
    <message>
      <location filename="../src/core/doc/DocumentFile.cpp" />
      <source>保存ファイルが開けません - </source>
      <translation>Cannot open the file to save - </translation>
    </message>
    <message>
      <location filename="../src/core/edit/CFontNameDlg.cpp" />
      <source>ＭＳ ゴシック</source>
      <translation>ＭＳ ゴシック</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CFontNameDlg.cpp" />
      <source>ＭＳ Ｐ明朝</source>
      <translation>ＭＳ Ｐ明朝</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CFontNameDlg.cpp" />
      <source>ＭＳ 明朝</source>
      <translation>ＭＳ 明朝</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CFontNameDlg.cpp" />
      <source>フォント名</source>
      <translation>Font Name</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CFontNameDlg.cpp" />
      <source>選択(&amp;S)</source>
      <translation>&amp;Select</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>太字</source>
      <translation>Bold</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>斜体</source>
      <translation>Italic</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>取消線(&amp;T)</source>
      <translation>S&amp;trikethrough</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>下線</source>
      <translation>Underline</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>フォントの設定</source>
      <translation>Font Settings</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>サイズ(&amp;S):</source>
      <translation>&amp;Size:</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>サイズには1から%1までの整数を入力してください。</source>
      <translation>Enter a whole number from 1 to %1 for the size.</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>ファイルを保存してください</source>
      <translation>Save the file first</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CKelvoView.cpp" />
      <source>ファイルを保存しますか？</source>
      <translation>Save the file?</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>動作</source>
      <translation>Behavior</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>タブ数(&amp;T):</source>
      <translation>&amp;Tab width:</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>マージン(&amp;M):</source>
      <translation>&amp;Margin:</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>プレビュー時、保存を確認する(&amp;A)</source>
      <translation>&amp;Ask to save before preview</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>起動時のファイル(&amp;K)</source>
      <translation>&amp;File at start-up</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>ファイル新規作成</source>
      <translation>A new file</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>前回開いたファイル</source>
      <translation>The file opened last</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>文字色(&amp;S)...</source>
      <translation>&amp;Text color...</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>背景色(&amp;B)...</source>
      <translation>&amp;Background color...</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>タグの小文字化(&amp;L)</source>
      <translation>&amp;Lowercase tags</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>タグ挿入後、選択解除しない(&amp;S)</source>
      <translation>Keep the &amp;selection after inserting a tag</translation>
    </message>
    <message>
      <location filename="../src/core/edit/CSetPage.cpp" />
      <source>初期フォルダ(&amp;F)</source>
      <translation>Initial &amp;folder</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>検索語(&amp;W):</source>
      <translation>Search &amp;word:</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>置換語(&amp;R):</source>
      <translation>&amp;Replace with:</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>大文字と小文字の区別をする</source>
      <translation>Match case</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>移動する行番号:</source>
      <translation>Line number to go to:</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>見つかりません</source>
      <translation>Not found</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>検索語が見つかりません</source>
      <translation>The search word was not found</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>行番号がありません</source>
      <translation>No such line number</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>検索</source>
      <translation>Find</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>置換</source>
      <translation>Replace</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>行</source>
      <translation>lines</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>置換しますか？</source>
      <translation>Replace this?</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>はい</source>
      <translation>Yes</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>いいえ</source>
      <translation>No</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>全て</source>
      <translation>All</translation>
    </message>
    <message>
      <location filename="../src/core/edit/FindCommands.cpp" />
      <source>%1個 置換しました</source>
      <translation>Replaced %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>自己署名の証明書です</source>
      <translation>The certificate is self-signed</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>証明書の名前が接続先のサーバ名と一致しません</source>
      <translation>The name in the certificate does not match the server name</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>証明書の有効期限が切れています</source>
      <translation>The certificate has expired</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>証明書の有効期間がまだ始まっていません</source>
      <translation>The certificate is not yet valid</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>証明書は失効しています</source>
      <translation>The certificate has been revoked</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>信頼された認証局が発行した証明書ではありません</source>
      <translation>The certificate was not issued by a trusted certificate authority</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>サーバに接続できませんでした: %1</source>
      <translation>Could not connect to the server: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>応答がありません</source>
      <translation>no answer</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>発行先：%1
発行者：%2
指紋：%3
理由：%4</source>
      <translation>Issued to: %1
Issued by: %2
Fingerprint: %3
Reason: %4</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>。</source>
      <translation>. </translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpControl.cpp" />
      <source>ファイルを読めませんでした: %1 (%2)</source>
      <translation>Could not read the file: %1 (%2)</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>自動</source>
      <translation>Auto</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>設定(&amp;E):</source>
      <translation>S&amp;ite:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>サーバ(&amp;H):</source>
      <translation>&amp;Server:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>プロトコル(&amp;O):</source>
      <translation>Pr&amp;otocol:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>ユーザ(&amp;U):</source>
      <translation>&amp;User:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>パスワード(&amp;P):</source>
      <translation>&amp;Password:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>パスワードは暗号化されずに設定ファイルに保存されます</source>
      <translation>The password is stored in the settings file without encryption</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>ディレクトリ(&amp;D):</source>
      <translation>&amp;Directory:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>ASCIIモード(&amp;A)</source>
      <translation>&amp;ASCII mode</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>文字コード(&amp;J):</source>
      <translation>File name &amp;code:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>ローカルフォルダ(&amp;L):</source>
      <translation>&amp;Local folder:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>鍵ファイル(&amp;K):</source>
      <translation>&amp;Key file:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>鍵ファイル</source>
      <translation>Key File</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>新規設定(&amp;N)</source>
      <translation>&amp;New Site</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>削除(&amp;R)</source>
      <translation>&amp;Remove</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>変更(&amp;C)</source>
      <translation>&amp;Change Name</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>転送開始</source>
      <translation>Start Upload</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>ftp接続</source>
      <translation>FTP Connect</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>接続</source>
      <translation>Connect</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>PASVモード(&amp;V)</source>
      <translation>Passi&amp;ve mode (PASV)</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetForm.cpp" />
      <source>タイムアウト(秒)(&amp;T):</source>
      <translation>&amp;Timeout (seconds):</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpSetList.cpp" />
      <source>標準の設定</source>
      <translation>Default</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>接続中</source>
      <translation>Connecting</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>サーバの一覧にあったファイル名として使えない名前 %1 件は表示していません</source>
      <translation>%1 names in the server listing cannot be file names and are not shown</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>サーバ</source>
      <translation>Server</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>ローカル</source>
      <translation>Local</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>%1の %2 は途中までしかありません。
%1：%3 バイト
%4：%5 バイト</source>
      <translation>%2 on the %1 side is incomplete.
%1: %3 bytes
%4: %5 bytes</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>%1の %2 の方が新しいファイルです。
%1：%3
%4：%5</source>
      <translation>%2 on the %1 side is the newer file.
%1: %3
%4: %5</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>上書き</source>
      <translation>Overwrite</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>続きから</source>
      <translation>Resume</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>スキップ</source>
      <translation>Skip</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>処理(&amp;S):</source>
      <translation>&amp;Action:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>残りのファイルも同じにする(&amp;A)</source>
      <translation>Do the s&amp;ame for the remaining files</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>サーバのファイルを削除しますか？</source>
      <translation>Delete the file on the server?</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>ローカルのファイルを削除しますか？</source>
      <translation>Delete the local file?</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>サーバに作成するディレクトリ名：</source>
      <translation>Name of the folder to make on the server:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>ローカルに作成するディレクトリ名：</source>
      <translation>Name of the folder to make locally:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>サーバ：移動するディレクトリ名：</source>
      <translation>Server: folder to go to:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>ローカル：移動するディレクトリ名：</source>
      <translation>Local: folder to go to:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>新しいファイル名を入力してください</source>
      <translation>Enter the new file name</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>属性の変更</source>
      <translation>Change Permissions</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>所有者</source>
      <translation>Owner</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>グループ</source>
      <translation>Group</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>ユーザ</source>
      <translation>Others</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>読込</source>
      <translation>Read</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>書込</source>
      <translation>Write</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>実行</source>
      <translation>Execute</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/CFtpWnd.cpp" />
      <source>0から7までの数字を入力してください</source>
      <translation>Enter a digit from 0 to 7</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/DownloadTarget.cpp" />
      <source>保存先のフォルダがありません: %1</source>
      <translation>The folder to save in does not exist: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/DownloadTarget.cpp" />
      <source>同じ名前のフォルダがあります: %1</source>
      <translation>A folder has that name: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/DownloadTarget.cpp" />
      <source>途中までのファイルがありません: %1</source>
      <translation>The partly downloaded file is not there: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/DownloadTarget.cpp" />
      <source>ファイルを書き込めませんでした: %1 (%2)</source>
      <translation>Could not write the file: %1 (%2)</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/DownloadTarget.cpp" />
      <source>ファイルを書き込めませんでした: %1</source>
      <translation>Could not write the file: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>接続できませんでした</source>
      <translation>Could not connect</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>ファイル一覧取得エラー</source>
      <translation>Error getting the file list</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>サーバとの接続が切れました。再接続しますか？</source>
      <translation>The connection to the server was lost. Connect again?</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>ディレクトリはコピーできません</source>
      <translation>A directory cannot be copied</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>ディレクトリは転送できません</source>
      <translation>A directory cannot be transferred</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>エラーが発生しました</source>
      <translation>An error occurred</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>このサーバでは属性変更が出来ません</source>
      <translation>This server cannot change permissions</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>エラー：ftp接続に失敗しました</source>
      <translation>Error: the FTP connection failed</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>エラー：ftp転送に失敗しました</source>
      <translation>Error: the FTP transfer failed</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>ftpを終了しました</source>
      <translation>FTP finished</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>サーバに接続できませんでした</source>
      <translation>Could not connect to the server</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>サーバとの接続が切れました</source>
      <translation>The connection to the server was lost</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>「%1」には、サーバの文字コード（%2）で表せない文字があります。名前を変えてください</source>
      <translation>"%1" has characters that the server's character code (%2) cannot hold. Change the name</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>サーバの証明書を確認できません。
%1</source>
      <translation>The server certificate cannot be verified.
%1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>警告：サーバの証明書が、信頼した証明書から変わっています。なりすましのおそれがあるため接続しません。
%1</source>
      <translation>Warning: the server certificate has changed from the one you trusted. The server may be an impostor, so the connection was not made.
%1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>新しい設定名を入力してください</source>
      <translation>Enter the name of the new site</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>設定が一つしかありませんので削除できません。この設定を修正してください</source>
      <translation>This is the only site, so it cannot be deleted. Change this site instead</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>この設定を削除しますか？</source>
      <translation>Delete this site?</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/FtpMessages.h" />
      <source>名前を入力してください</source>
      <translation>Enter a name</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>ファイルまたはフォルダが見つかりません</source>
      <translation>No such file or folder</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバに許可されていません</source>
      <translation>The server does not allow it</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>同じ名前がすでにあります</source>
      <translation>The name is already taken</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>このサーバではできない操作です</source>
      <translation>This server does not offer that operation</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバで処理できませんでした</source>
      <translation>The server could not do it</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバに接続していません</source>
      <translation>Not connected to a server</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバから応答がないため接続を切りました</source>
      <translation>The server did not answer; the connection was closed</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバとの接続が切れました: %1</source>
      <translation>The connection to the server was lost: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>接続できませんでした: %1</source>
      <translation>Could not connect: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバのホスト鍵を読めませんでした</source>
      <translation>Could not read the server's host key</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>ホスト鍵 (%1) %2</source>
      <translation>Host key (%1) %2</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>known_hostsに記録されている鍵と違います。なりすましのおそれがあります。</source>
      <translation>It differs from the key recorded in known_hosts. Someone may be impersonating the server.</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバのホスト鍵が変わっています。接続を中止しました</source>
      <translation>The server's host key has changed. The connection was stopped</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>known_hostsにない鍵です。</source>
      <translation>The key is not in known_hosts.</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバのホスト鍵を確認できません: %1</source>
      <translation>The server's host key cannot be verified: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>信頼した鍵 %1 と違います。なりすましのおそれがあります。</source>
      <translation>It differs from the trusted key %1. Someone may be impersonating the server.</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>ログインできませんでした: %1</source>
      <translation>Could not log in: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>鍵ファイルを読めませんでした: %1</source>
      <translation>Could not read the key file: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>ログインできませんでした。ユーザ名、パスワードまたは鍵を確かめてください</source>
      <translation>Could not log in. Check the user name, the password or the key</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>サーバがSFTPを受け付けませんでした: %1</source>
      <translation>The server did not accept SFTP: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>フォルダではありません</source>
      <translation>It is not a folder</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>ファイルを書き込めませんでした</source>
      <translation>Could not write the file</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>ファイルを読めませんでした</source>
      <translation>Could not read the file</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SftpSession.cpp" />
      <source>続きから送る位置がファイルの外です</source>
      <translation>The point to continue from lies beyond the end of the file</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteConnect.cpp" />
      <source>サーバのホスト鍵を確認できません。
%1
確かにそのサーバと分かっているときだけ信頼してください。</source>
      <translation>The server's host key cannot be verified.
%1
Trust it only if you know that this really is that server.</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteConnect.cpp" />
      <source>サーバの証明書を確認できません。
%1
確かにそのサーバと分かっているときだけ信頼してください。</source>
      <translation>The server certificate cannot be verified.
%1
Trust it only if you know that this really is that server.</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteConnect.cpp" />
      <source>今回だけ信頼(&amp;O)</source>
      <translation>Trust &amp;once</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteConnect.cpp" />
      <source>常に信頼(&amp;A)</source>
      <translation>Trust &amp;always</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>ローカルフォルダがありません: %1</source>
      <translation>The local folder does not exist: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>サーバのファイル名にできないので送りませんでした: %1</source>
      <translation>Not sent, as its name cannot be a name on the server: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>サーバでは同じ名前がリンクです: %1</source>
      <translation>On the server that name is a link: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>サーバでは同じ名前がファイルです: %1</source>
      <translation>On the server this name is a file: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>サーバでは同じ名前がフォルダです: %1</source>
      <translation>On the server this name is a folder: %1</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>リンク %1 はたどりませんでした: %2 はすでに公開の対象です</source>
      <translation>Link %1 not followed: %2 is published already</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>サーバのフォルダを読めませんでした: %1
%2</source>
      <translation>Could not read the server folder: %1
%2</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SiteMirror.cpp" />
      <source>サーバの %1 にあったファイル名として使えない名前 %2 件は無視しました</source>
      <translation>%2 names in %1 on the server cannot be file names and were ignored</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>サイトの公開</source>
      <translation>Publish Site</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>比較</source>
      <translation>Compare</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>サーバ:</source>
      <translation>Server:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>サーバのフォルダ(&amp;D):</source>
      <translation>Server &amp;folder:</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>ローカルにないサーバのファイルを削除する(&amp;R)</source>
      <translation>&amp;Remove server files the local folder lacks</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>公開</source>
      <translation>Publish</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>公開先：%1
次の %2 件の処理を行います。
よろしいですか？</source>
      <translation>Publishing to: %1
The following %2 steps will be done.
Go ahead?</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>%1 (続きから)</source>
      <translation>%1 (continued)</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>比較中</source>
      <translation>Comparing</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>サーバはすでにローカルフォルダと同じです</source>
      <translation>The server already matches the local folder</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>公開しました (%1 件)</source>
      <translation>Published (%1 steps)</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>公開を中止しました (%1 件済み)。もう一度実行すると続きから公開します</source>
      <translation>Publishing stopped (%1 steps done). Run it again to continue</translation>
    </message>
    <message>
      <location filename="../src/core/ftp/SitePublish.cpp" />
      <source>公開できませんでした (%1 件済み)
%2</source>
      <translation>Could not publish (%1 steps done)
%2</translation>
    </message>
    <message>
      <location filename="../src/core/links/ImageSize.cpp" />
      <source>ファイルが.GIF,.JPGファイルではありませんので、サイズ挿入されません</source>
      <translation>The file is not a .GIF or .JPG file, so its size is not inserted</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>リンクチェックエラー</source>
      <translation>Link Check Errors</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>以下のファイルが見つかりません</source>
      <translation>These files were not found</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>個数</source>
      <translation>Count</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>バイト</source>
      <translation>Bytes</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>HTML本文</source>
      <translation>HTML text</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>内部画像</source>
      <translation>Internal images</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>外部画像</source>
      <translation>External images</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>合計</source>
      <translation>Total</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>ファイルを保存後しかリンクチェックは出来ません</source>
      <translation>Links can be checked only after the file is saved</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>内部リンクは全てＯＫです</source>
      <translation>All internal links are OK</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>&lt;A NAME= &gt;が一つもありません</source>
      <translation>There is no &lt;A NAME= &gt;</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>挿入ファイル</source>
      <translation>File to Insert</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>HTMLﾌｧｲﾙ(*.htm*) |*.htm*|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>HTML files(*.htm*) |*.htm*|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>UTF-16 のファイルは挿入できません</source>
      <translation>UTF-16 files cannot be inserted</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>テキストファイルではないため、挿入しません</source>
      <translation>The file is not text; it is not inserted</translation>
    </message>
    <message>
      <location filename="../src/core/links/LinkCommands.cpp" />
      <source>文字として読めないバイトが %1 個あるため、挿入しません</source>
      <translation>%1 bytes cannot be read as characters, so the file is not inserted</translation>
    </message>
    <message>
      <location filename="../src/core/links/RelativePath.cpp" />
      <source>相対パスが誤っています</source>
      <translation>The relative path is wrong</translation>
    </message>
    <message>
      <location filename="../src/core/links/RelativePath.cpp" />
      <source>選んだファイルはサイトのフォルダの外にあります。サーバーでは、このリンクの先は見つかりません</source>
      <translation>The chosen file is outside the site folder. On the server, this link will lead nowhere</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>サイトの文字コード変換</source>
      <translation>Convert Site to UTF-8</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>調べる</source>
      <translation>Check</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>サイトのフォルダ(&amp;F):</source>
      <translation>Site &amp;folder:</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>対象: %1</source>
      <translation>Files: %1</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>ほかに変換するファイル(&amp;I):</source>
      <translation>Other f&amp;iles to convert:</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>.htaccess の文字コードの指定も書き換える(&amp;H)</source>
      <translation>Also rewrite the code in .&amp;htaccess</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>元のファイルの保存先(&amp;B):</source>
      <translation>Keep originals in (&amp;backup):</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>サイトのフォルダを選んでください</source>
      <translation>Choose the site folder</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>編集中の文書に保存していない変更があります</source>
      <translation>The open document has unsaved changes</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>調べています... (%1 / %2)</source>
      <translation>Checking... (%1 / %2)</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>フォルダ: %1
変換 %2 件、宣言修正 %3 件
対象外 %4 件</source>
      <translation>Folder: %1
%2 to convert, %3 declarations only
%4 left alone</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>変換</source>
      <translation>Convert</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>処理</source>
      <translation>Action</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>ファイル</source>
      <translation>File</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>内容</source>
      <translation>Value</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>文字コードを指定(&amp;C)...</source>
      <translation>Name the &amp;Code...</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>そのまま残すファイル（skip の行）を選んでください</source>
      <translation>Select a file that is left alone (a skip line)</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>文字コードの指定</source>
      <translation>Name the Code</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>文字コード(&amp;C):</source>
      <translation>&amp;Code:</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>変換するファイルはありません。サイトはすでに UTF-8 です</source>
      <translation>Nothing to convert: the site is UTF-8 already</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>変換しています... (%1 / %2)</source>
      <translation>Converting... (%1 / %2)</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>%1 個のファイルを書き換えました。</source>
      <translation>%1 files written.</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>元のファイルは「%1」にあります。</source>
      <translation>The originals are in "%1".</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/MigrateCommands.cpp" />
      <source>中止しました。もう一度実行すると続きから変換します。</source>
      <translation>Cancelled. Run it again to convert the rest.</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>通常のファイルではありません</source>
      <translation>Not a regular file</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>大きすぎるファイルです</source>
      <translation>The file is too large</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>サイトの外のファイルへのリンクです</source>
      <translation>A link to a file outside the site</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>%1 と同じファイルです</source>
      <translation>The same file as %1</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>UTF-16 のファイルです</source>
      <translation>A UTF-16 file</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>バイナリファイルです</source>
      <translation>A binary file</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>%1 として読めないバイトが %2 個あります（最初は %3 行目）</source>
      <translation>%2 bytes that are no characters in %1 (the first on line %3)</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>文字コードを判定できません</source>
      <translation>The character code cannot be determined</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>%1 行目でサーバ側のコードが charset=%2 を指定しています</source>
      <translation>Server code on line %1 sets charset=%2</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>%1 行目でサーバ側のコードが文字コード %2 を使っています</source>
      <translation>Server code on line %1 uses the code %2</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>%1 行目で %2 と宣言していますが、%3 と判定しました</source>
      <translation>Line %1 declares %2, but the bytes are %3</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>%1 としても %2 としても読めます</source>
      <translation>Reads as %1 and as %2 alike</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>サーバの設定は、書き換えを選んだときだけ書き換えます</source>
      <translation>server settings are rewritten only when asked for</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>バックアップ先に同じ名前の別のファイルがあります</source>
      <translation>The backup folder has another file of this name</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>バックアップ先には、サイトのフォルダの外のフォルダを選んでください</source>
      <translation>Choose a backup folder outside the site folder</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>フォルダがありません - %1</source>
      <translation>No such folder - %1</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>調べた後で変更されています</source>
      <translation>Changed since it was checked</translation>
    </message>
    <message>
      <location filename="../src/core/migrate/SiteMigration.cpp" />
      <source>バックアップを書き込めません - %1</source>
      <translation>Cannot write the backup - %1</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>（対象外: %1）</source>
      <translation>(skipped: %1)</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>
ほか %1 個</source>
      <translation>
and %1 more</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>ファイル内の置換</source>
      <translation>Replace in Files</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>ファイル内の検索</source>
      <translation>Find in Files</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>ファイル名(&amp;N):</source>
      <translation>File &amp;name:</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>フォルダー(&amp;D):</source>
      <translation>Fol&amp;der:</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>サブフォルダーも検索する(&amp;S)</source>
      <translation>Search &amp;subfolders</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>大文字と小文字の区別をする(&amp;C)</source>
      <translation>Match &amp;case</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>正規表現を使う(&amp;E)</source>
      <translation>Regular &amp;expression</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>フォルダーが見つかりません - </source>
      <translation>The folder cannot be found - </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>ファイル内の検索結果</source>
      <translation>Find in Files Results</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>%1 個のファイルを検索し、%2 箇所見つかりました。</source>
      <translation>%1 files searched, %2 matches found. </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>対象外のファイルが %1 個あります。</source>
      <translation>%1 files were skipped. </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>検索は途中で中止しました。</source>
      <translation>The search was cancelled. </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>最初の %1 行だけを表示します。</source>
      <translation>Only the first %1 rows are shown.</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>置換の確認</source>
      <translation>Confirm Replacement</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>置換する</source>
      <translation>Replace</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>%1 個のファイルの %2 箇所を次のように置換します。</source>
      <translation>%2 matches in %1 files will be replaced as follows. </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>対象外のファイル %1 個は変更しません。</source>
      <translation>%1 skipped files stay unchanged. </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>検索を中止したので、それまでに見つかった分だけを置換します。</source>
      <translation>The search was cancelled: only the matches found until then are replaced. </translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>一覧には最初の %1 行だけを表示します。</source>
      <translation>The list shows only the first %1 rows.</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>置換前</source>
      <translation>Before</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>置換後</source>
      <translation>After</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>検索しています... (%1 / %2)</source>
      <translation>Searching... (%1 / %2)</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>置換しています... (%1 / %2)</source>
      <translation>Replacing... (%1 / %2)</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>検索を中止しました</source>
      <translation>The search was cancelled</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>このファイルは検索の対象外です（%1） - %2</source>
      <translation>This file was skipped (%1) - %2</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>
対象外のファイル:</source>
      <translation>
Skipped files:</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>%1 個のファイルの %2 箇所を置換しました。</source>
      <translation>%2 matches in %1 files were replaced.</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>
途中で中止したので、残りのファイルは変更していません。</source>
      <translation>
Cancelled: the remaining files were not changed.</translation>
    </message>
    <message>
      <location filename="../src/core/search/FindInFilesCommands.cpp" />
      <source>
置換しなかったファイル:</source>
      <translation>
Files not changed:</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>ファイルが大きすぎます（32 MB まで）</source>
      <translation>The file is too large (32 MB at most)</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>検索語を入力してください</source>
      <translation>Please enter the text to find</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>置換語に改行は使えません</source>
      <translation>The replacement cannot contain a line break</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>正規表現が正しくありません（%1 文字目: %2）</source>
      <translation>The regular expression is not valid (character %1: %2)</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>UTF-16 のファイルは扱えません</source>
      <translation>UTF-16 files are not handled</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>文字として読めないバイトがあります</source>
      <translation>It holds bytes that are no characters</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>置換語に、このファイルの文字コードで表せない文字があります</source>
      <translation>The replacement holds characters this file's character code cannot hold</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>元のバイトのまま書き戻せません</source>
      <translation>It cannot be written back byte for byte</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>置換しない部分を元のバイトのまま保てません</source>
      <translation>The parts not replaced cannot keep their bytes</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>検索の後で変更されています</source>
      <translation>It was changed after the search</translation>
    </message>
    <message>
      <location filename="../src/core/search/FolderSearch.cpp" />
      <source>書き込めませんでした（元のファイルはそのままです）</source>
      <translation>It could not be written (the file is unchanged)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>属性</source>
      <translation>Attributes</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>スタイル</source>
      <translation>Style</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>クラス名(&amp;C)</source>
      <translation>&amp;Class name</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>行揃え(&amp;L)</source>
      <translation>&amp;Alignment</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>指定なし</source>
      <translation>Not set</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>中央寄せ</source>
      <translation>Center</translation>
    </message>
    <message>
      <location filename="../src/core/style/CBlockStyleDlg.cpp" />
      <source>両端揃え</source>
      <translation>Justify</translation>
    </message>
    <message>
      <location filename="../src/core/style/CExternalStyleDlg.cpp" />
      <source>ファイル名(&amp;F):</source>
      <translation>&amp;File name:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CExternalStyleDlg.cpp" />
      <source>参照(&amp;R)...</source>
      <translation>&amp;Browse...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CExternalStyleDlg.cpp" />
      <source>ﾌｧｲﾙ名の入力</source>
      <translation>File Name</translation>
    </message>
    <message>
      <location filename="../src/core/style/CExternalStyleDlg.cpp" />
      <source>ｽﾀｲﾙｼｰﾄ(*.css) |*.css|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>Style sheets(*.css) |*.css|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>ボックス</source>
      <translation>Box</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>指定しない</source>
      <translation>Not set</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>塗りつぶし</source>
      <translation>Solid</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>二重</source>
      <translation>Double</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>グルーブ</source>
      <translation>Groove</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>リッジ</source>
      <translation>Ridge</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>へこみ</source>
      <translation>Inset</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>浮きだし</source>
      <translation>Outset</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>破線</source>
      <translation>Dashed</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>点線</source>
      <translation>Dotted</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>細い</source>
      <translation>Thin</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>普通</source>
      <translation>Medium</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>太い</source>
      <translation>Thick</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>枠線</source>
      <translation>Border</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>枠線の種類</source>
      <translation>Border style</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>色</source>
      <translation>Color</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>枠線の太さ</source>
      <translation>Border width</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>単位</source>
      <translation>Unit</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>全体</source>
      <translation>All</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>上</source>
      <translation>Top</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>右</source>
      <translation>Right</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>下</source>
      <translation>Bottom</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleBoxPage.cpp" />
      <source>左</source>
      <translation>Left</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>色・背景</source>
      <translation>Color and Background</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>色(&amp;C):</source>
      <translation>&amp;Color:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>背景色(&amp;D):</source>
      <translation>Backgroun&amp;d color:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>背景画像(&amp;U):</source>
      <translation>Backgro&amp;und image:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>背景画像の繰り返し</source>
      <translation>Background repeat</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>横方向</source>
      <translation>Horizontally</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>縦方向</source>
      <translation>Vertically</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>繰り返しなし</source>
      <translation>No repeat</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>背景画像の横位置</source>
      <translation>Background horizontal position</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>左端</source>
      <translation>Left edge</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>中央</source>
      <translation>Center</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>右端</source>
      <translation>Right edge</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>背景画像の縦位置</source>
      <translation>Background vertical position</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>上端</source>
      <translation>Top edge</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>下端</source>
      <translation>Bottom edge</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleColorPage.cpp" />
      <source>背景画像固定(&amp;F)</source>
      <translation>&amp;Fixed background image</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleDlg.cpp" />
      <source>インライン</source>
      <translation>Inline</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleDlg.cpp" />
      <source>対象(&amp;T):</source>
      <translation>&amp;Target:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleDlg.h" />
      <source>スタイルの更新を反映しますか？</source>
      <translation>Apply the style changes?</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>上線</source>
      <translation>Overline</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>取消線</source>
      <translation>Strikethrough</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>装飾無し</source>
      <translation>No decoration</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>フォント名(&amp;N):</source>
      <translation>Font &amp;name:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>太字(&amp;B)</source>
      <translation>&amp;Bold</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>斜体(&amp;I)</source>
      <translation>&amp;Italic</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>装飾(&amp;D):</source>
      <translation>&amp;Decoration:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>行送り(&amp;L):</source>
      <translation>&amp;Line height:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>サイズ(&amp;S)</source>
      <translation>&amp;Size</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleFontPage.cpp" />
      <source>サイズ一覧</source>
      <translation>Sizes</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListDlg.cpp" />
      <source>%1 を削除しますか？</source>
      <translation>Delete %1?</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListDlg.cpp" />
      <source>スタイルリスト</source>
      <translation>Style List</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListDlg.cpp" />
      <source>スタイル(&amp;S):</source>
      <translation>&amp;Style:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListDlg.cpp" />
      <source>編集(&amp;E)...</source>
      <translation>&amp;Edit...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListDlg.cpp" />
      <source>上へ(&amp;U)...</source>
      <translation>&amp;Up...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListDlg.cpp" />
      <source>下へ(&amp;W)...</source>
      <translation>Do&amp;wn...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>リスト他</source>
      <translation>List and Others</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>マークの種類(&amp;S):</source>
      <translation>Mark &amp;style:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>数字</source>
      <translation>Numbers</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>ローマ数字（小文字）</source>
      <translation>Roman numerals (lowercase)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>ローマ数字（大文字）</source>
      <translation>Roman numerals (uppercase)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>アルファベット（小文字）</source>
      <translation>Letters (lowercase)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>アルファベット（大文字）</source>
      <translation>Letters (uppercase)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>マークの位置(&amp;P):</source>
      <translation>Mark &amp;position:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>内側</source>
      <translation>Inside</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>外側</source>
      <translation>Outside</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>マーク画像(&amp;I):</source>
      <translation>Mark &amp;image:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>カーソルの種類(&amp;C):</source>
      <translation>&amp;Cursor:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>標準</source>
      <translation>Default</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>リンク</source>
      <translation>Link</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>十字</source>
      <translation>Crosshair</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>移動</source>
      <translation>Move</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>編集</source>
      <translation>Text</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>砂時計</source>
      <translation>Wait</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>ヘルプ</source>
      <translation>Help</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>北</source>
      <translation>North</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>南</source>
      <translation>South</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>西</source>
      <translation>West</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>東</source>
      <translation>East</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>北東</source>
      <translation>Northeast</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>北西</source>
      <translation>Northwest</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>南東</source>
      <translation>Southeast</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleListPage.cpp" />
      <source>南西</source>
      <translation>Southwest</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePadPage.cpp" />
      <source>間隔</source>
      <translation>Spacing</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePadPage.cpp" />
      <source>文字間隔(&amp;S):</source>
      <translation>Letter &amp;spacing:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePadPage.cpp" />
      <source>余白</source>
      <translation>Padding</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePadPage.cpp" />
      <source>マージン</source>
      <translation>Margin</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePage.cpp" />
      <source>画像ﾌｧｲﾙ名の入力</source>
      <translation>Image File Name</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePage.cpp" />
      <source>画像ﾌｧｲﾙ(*.gif;*.jpg;*.png)|*.gif;*.jpg;*.png|GIFﾌｧｲﾙ(*.gif)|*.gif|JPEGﾌｧｲﾙ(*.jpg)|*.jpg|PNGﾌｧｲﾙ(*.png)|*.png|全てのﾌｧｲﾙ(*.*)|*.*||</source>
      <translation>Image files(*.gif;*.jpg;*.png)|*.gif;*.jpg;*.png|GIF files(*.gif)|*.gif|JPEG files(*.jpg)|*.jpg|PNG files(*.png)|*.png|All files(*.*)|*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>位置</source>
      <translation>Position</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>表示(&amp;D):</source>
      <translation>&amp;Display:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>指定無し</source>
      <translation>Not set</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>ブロック</source>
      <translation>Block</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>リストアイテム</source>
      <translation>List item</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>表示しない</source>
      <translation>None</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>フレックス</source>
      <translation>Flex</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>グリッド</source>
      <translation>Grid</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>インラインフレックス</source>
      <translation>Inline flex</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>インラインブロック</source>
      <translation>Inline block</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>位置指定(&amp;P):</source>
      <translation>&amp;Positioning:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>本来位置</source>
      <translation>Static</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>相対位置</source>
      <translation>Relative</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>絶対位置</source>
      <translation>Absolute</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>継承</source>
      <translation>Inherit</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>スクロール追従</source>
      <translation>Fixed</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>上:</source>
      <translation>Top:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>下:</source>
      <translation>Bottom:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>左:</source>
      <translation>Left:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>右:</source>
      <translation>Right:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>幅:</source>
      <translation>Width:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStylePositionPage.cpp" />
      <source>高さ:</source>
      <translation>Height:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>最初の一文字</source>
      <translation>First letter</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>最初の一行</source>
      <translation>First line</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>未クリックリンク</source>
      <translation>Unvisited link</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>クリック済みリンク</source>
      <translation>Visited link</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>選択中</source>
      <translation>Active</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>マウス通過時</source>
      <translation>Hover</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>スタイル対象の設定</source>
      <translation>Style Target</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>タグ名(&amp;T):</source>
      <translation>&amp;Tag name:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>クラス名(&amp;C):</source>
      <translation>&amp;Class name:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>ID指定(&amp;I)</source>
      <translation>&amp;ID</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>擬似クラス(&amp;P):</source>
      <translation>&amp;Pseudo-class:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>スタイルの設定(&amp;S)...</source>
      <translation>&amp;Style Settings...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>→子孫セレクタ</source>
      <translation>→Descendant Selector</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorDlg.cpp" />
      <source>→複数セレクタ</source>
      <translation>→Multiple Selectors</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorListDlg.cpp" />
      <source>複数セレクタ</source>
      <translation>Multiple Selectors</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorListDlg.cpp" />
      <source>子孫セレクタ</source>
      <translation>Descendant Selector</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorListDlg.cpp" />
      <source>セレクタ(&amp;S):</source>
      <translation>&amp;Selector:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorListDlg.cpp" />
      <source>子孫追加(&amp;L)...</source>
      <translation>&amp;Add Descendant...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorListDlg.cpp" />
      <source>子孫編集(&amp;C)...</source>
      <translation>Edit Des&amp;cendant...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleSelectorListDlg.cpp" />
      <source>→複数セレクタ設定(&amp;M)...</source>
      <translation>→&amp;Multiple Selector Settings...</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>テキスト</source>
      <translation>Text</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>行揃え-横(&amp;A):</source>
      <translation>Horizontal &amp;alignment:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>行揃え-縦(&amp;V):</source>
      <translation>&amp;Vertical alignment:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>ベースライン</source>
      <translation>Baseline</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>上付け</source>
      <translation>Super</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>下付け</source>
      <translation>Sub</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>テキスト上端</source>
      <translation>Text top</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>テキスト下端</source>
      <translation>Text bottom</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>回り込み(&amp;F):</source>
      <translation>&amp;Float:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>回り込み解除(&amp;C)</source>
      <translation>&amp;Clear</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>左右</source>
      <translation>Both</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleTextPage.cpp" />
      <source>インデント(&amp;I):</source>
      <translation>&amp;Indent:</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>ピクセル</source>
      <translation>Pixels</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>ポイント</source>
      <translation>Points</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>インチ</source>
      <translation>Inches</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>センチ</source>
      <translation>Centimeters</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>ミリ</source>
      <translation>Millimeters</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>パーセント</source>
      <translation>Percent</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>文字</source>
      <translation>Characters (em)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>X高</source>
      <translation>x-height (ex)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>パイカ</source>
      <translation>Picas</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>ルート文字</source>
      <translation>Root characters (rem)</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>画面幅%</source>
      <translation>Viewport width %</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>画面高%</source>
      <translation>Viewport height %</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>画面短辺%</source>
      <translation>Viewport smaller side %</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>画面長辺%</source>
      <translation>Viewport larger side %</translation>
    </message>
    <message>
      <location filename="../src/core/style/CStyleUnits.cpp" />
      <source>数字幅</source>
      <translation>Digit width (ch)</translation>
    </message>
    <message>
      <location filename="../src/core/style/StyleCommands.cpp" />
      <source>ブロック属性を定義します</source>
      <translation>Define the style of a block</translation>
    </message>
    <message>
      <location filename="../src/core/style/StyleCommands.cpp" />
      <source>段落の属性を定義します</source>
      <translation>Define the style of a paragraph</translation>
    </message>
    <message>
      <location filename="../src/core/style/StyleCommands.cpp" />
      <source>インライン属性を定義します</source>
      <translation>Define an inline style</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>左上(&amp;A):</source>
      <translation>&amp;Top left:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>左(&amp;L):</source>
      <translation>&amp;Left:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>上(&amp;L):</source>
      <translation>&amp;Top:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>その他(&amp;O):</source>
      <translation>&amp;Others:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>テーブル化時の設定</source>
      <translation>Table Options</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>色を付加(&amp;C)</source>
      <translation>Add &amp;colors</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>クラスを付加(&amp;S)</source>
      <translation>Add cla&amp;sses</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>空欄項目に全角空白を入れる(&amp;J)</source>
      <translation>&amp;Put an ideographic space in empty cells</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>一行目をTHタグで処理(&amp;H)</source>
      <translation>Make the first row T&amp;H cells</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>区切り文字の連続を空項目とする(&amp;K)</source>
      <translation>&amp;Treat consecutive separators as empty cells</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>テーブル色の設定</source>
      <translation>Table Colors</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>色参照</source>
      <translation>Choose color</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>枠の太さ(&amp;W):</source>
      <translation>Border &amp;width:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>左余白(&amp;L):</source>
      <translation>&amp;Left margin:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableCommands.cpp" />
      <source>右余白(&amp;R):</source>
      <translation>&amp;Right margin:</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableWizard.cpp" />
      <source>次へ &gt;&gt;</source>
      <translation>Next &gt;&gt;</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableWizard.cpp" />
      <source>テーブルを作成します。行列数を指定してください。</source>
      <translation>Make a table. Enter the numbers of rows and columns.</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableWizard.cpp" />
      <source>1 から %1 までの整数を入力してください。</source>
      <translation>Enter a whole number from 1 to %1.</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableWizard.cpp" />
      <source>行数(&amp;L)</source>
      <translation>&amp;Rows</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableWizard.cpp" />
      <source>列数(&amp;C)</source>
      <translation>&amp;Columns</translation>
    </message>
    <message>
      <location filename="../src/core/tables/TableWizard.cpp" />
      <source>&lt;&lt; 前へ</source>
      <translation>&lt;&lt; Back</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CStyledTagDlg.h" />
      <source>スタイル(&amp;Y)...</source>
      <translation>St&amp;yle...</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CStyledTagDlg.h" />
      <source>クラス(&amp;C):</source>
      <translation>&amp;Class:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>名前(&amp;E):</source>
      <translation>Nam&amp;e:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>内容(&amp;V):</source>
      <translation>&amp;Value:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>名前</source>
      <translation>Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>タグ属性</source>
      <translation>Tag Attributes</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>タグ:</source>
      <translation>Tag:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>要素名</source>
      <translation>Element</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>上へ(&amp;U)</source>
      <translation>&amp;Up</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>下へ(&amp;W)</source>
      <translation>Do&amp;wn</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>上へ</source>
      <translation>Up</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>下へ</source>
      <translation>Down</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagAttrDlg.cpp" />
      <source>名前に空白と " ' = &lt; &gt; / は使えません</source>
      <translation>A name cannot contain blanks or " ' = &lt; &gt; /</translation>
    </message>
    <message>
      <location filename="../src/core/tags/CTagDlg.cpp" />
      <source>全属性(&amp;E)...</source>
      <translation>All Attribut&amp;es...</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagConvertCommands.cpp" />
      <source>有効なタグがありません</source>
      <translation>There is no valid tag</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagConvertCommands.cpp" />
      <source>タグ  %1 を削除します。よろしいですか？</source>
      <translation>Remove the tag %1. Are you sure?</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagConvertCommands.cpp" />
      <source>全タグを小文字にします</source>
      <translation>Make all tags lowercase</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagConvertCommands.cpp" />
      <source>全タグを大文字にします</source>
      <translation>Make all tags uppercase</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>メールアドレスを入力してください</source>
      <translation>Enter the mail address</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>選択ﾎﾞｯｸｽ名を入力してください</source>
      <translation>Enter the name of the list box</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>選択項目名を入力してください</source>
      <translation>Enter the name of the option</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>送信ボタンに表示される文字を入力してください</source>
      <translation>Enter the text shown on the submit button</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>リセットボタンに表示される文字を入力してください</source>
      <translation>Enter the text shown on the reset button</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>ｷｰﾜｰﾄﾞ(ｱﾝｶｰ)を入力してください</source>
      <translation>Enter the keyword (anchor)</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogCommands.cpp" />
      <source>リンク先を表示するフレーム名を入力してください</source>
      <translation>Enter the name of the frame that shows the link</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>上寄せ</source>
      <translation>Top</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>下寄せ</source>
      <translation>Bottom</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>GIFﾌｧｲﾙ(*.GIF) |*.GIF|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>GIF files(*.GIF) |*.GIF|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>cgiﾌｧｲﾙ(*.cgi) |*.cgi|Perlﾌｧｲﾙ(*.pl) |*.pl|Exeﾌｧｲﾙ(*.exe) |*.exe| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>CGI files(*.cgi) |*.cgi|Perl files(*.pl) |*.pl|Exe files(*.exe) |*.exe| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ｲﾒｰｼﾞﾌｧｲﾙ名の入力</source>
      <translation>Image File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>外枠の太さ(&amp;B):</source>
      <translation>&amp;Border width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>罫線の太さ(&amp;S):</source>
      <translation>&amp;Rule width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>罫線との間隔</source>
      <translation>Cell spacing</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>表の横幅(&amp;W):</source>
      <translation>Table &amp;width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>表の縦幅(&amp;H):</source>
      <translation>Table &amp;height:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>配置(&amp;T)</source>
      <translation>Alignmen&amp;t</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>背景色</source>
      <translation>Background color</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>枠線色</source>
      <translation>Border color</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>明枠色</source>
      <translation>Light border color</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>暗枠色</source>
      <translation>Dark border color</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>罫線(&amp;F):</source>
      <translation>&amp;Rules:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>なし</source>
      <translation>None</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>横線のみ</source>
      <translation>Horizontal only</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>縦線のみ</source>
      <translation>Vertical only</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃｰﾌﾞﾙの列</source>
      <translation>Table Row</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>横の配置(&amp;A):</source>
      <translation>Horizontal &amp;alignment:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>縦の配置(&amp;V):</source>
      <translation>&amp;Vertical alignment:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>背景色(&amp;G):</source>
      <translation>Backgroun&amp;d color:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃｰﾌﾞﾙのﾃﾞｰﾀ</source>
      <translation>Table Data Cell</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>縦の結合数(&amp;R):</source>
      <translation>&amp;Rows spanned:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>横の結合数(&amp;O):</source>
      <translation>C&amp;olumns spanned:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>折り返さない(&amp;N)</source>
      <translation>&amp;No wrapping</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>横幅(&amp;W):</source>
      <translation>&amp;Width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>％指定(&amp;P)</source>
      <translation>&amp;Percent</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃｰﾌﾞﾙの題名</source>
      <translation>Table Caption</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>位置(&amp;A):</source>
      <translation>&amp;Position:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>表の上</source>
      <translation>Above the table</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>表の下</source>
      <translation>Below the table</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>太さ(&amp;S):</source>
      <translation>Thickne&amp;ss:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>長さ(&amp;W):</source>
      <translation>&amp;Length:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>配置(&amp;A):</source>
      <translation>&amp;Alignment:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>陰影なし(&amp;N)</source>
      <translation>&amp;No shade</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>背景色の設定</source>
      <translation>Background Colors</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>背景画像(&amp;G):</source>
      <translation>Back&amp;ground image:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>背景を固定する(&amp;F)</source>
      <translation>&amp;Fixed background</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>背景色(&amp;B):</source>
      <translation>&amp;Background color:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>テキスト(&amp;T):</source>
      <translation>&amp;Text:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>リンク(&amp;L):</source>
      <translation>&amp;Link:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>読込済リンク(&amp;V):</source>
      <translation>&amp;Visited link:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>読込中リンク(&amp;A):</source>
      <translation>&amp;Active link:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>読込中リンク</source>
      <translation>Active link</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>読込済リンク</source>
      <translation>Visited link</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>更新までの秒数(&amp;S):</source>
      <translation>&amp;Seconds until refresh:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>秒</source>
      <translation>seconds</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>移動先のページ(&amp;U):</source>
      <translation>&amp;Page to go to:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>見出しの大きさ(&amp;L):</source>
      <translation>Heading &amp;level:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>文字の大きさ(&amp;S):</source>
      <translation>Text &amp;size:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>相対指定(&amp;R)</source>
      <translation>&amp;Relative size</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>文字の色(&amp;C):</source>
      <translation>Text &amp;color:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>（最小)</source>
      <translation>(smallest)</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>（普通)</source>
      <translation>(normal)</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>（最大)</source>
      <translation>(largest)</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>送信先(&amp;A):</source>
      <translation>&amp;Action:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>CGIﾌｧｲﾙ名の入力</source>
      <translation>CGI File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>送信方法(&amp;M):</source>
      <translation>&amp;Method:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>結果の表示先(&amp;T):</source>
      <translation>&amp;Target for the result:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃｷｽﾄの入力</source>
      <translation>Text Entry</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>種類(&amp;K):</source>
      <translation>&amp;Kind:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>パスワード</source>
      <translation>Password</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>名前(&amp;N):</source>
      <translation>&amp;Name:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>初期値(&amp;V):</source>
      <translation>Initial &amp;value:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>表示幅(&amp;S):</source>
      <translation>Di&amp;splay width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>最大文字数(&amp;M):</source>
      <translation>&amp;Maximum length:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>行数(&amp;R):</source>
      <translation>&amp;Rows:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>桁数(&amp;C):</source>
      <translation>&amp;Columns:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>折り返し(&amp;W):</source>
      <translation>&amp;Wrap:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃﾞｰﾀ名が入力されていません</source>
      <translation>No data name has been entered</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>選択ボタン</source>
      <translation>Selection Button</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>値(&amp;V):</source>
      <translation>&amp;Value:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>最初から選択しておく(&amp;C)</source>
      <translation>&amp;Checked at first</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ｲﾒｰｼﾞ送信ボタン</source>
      <translation>Image Submit Button</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ファイル(&amp;F):</source>
      <translation>&amp;File:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>隠れインプット</source>
      <translation>Hidden Input</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>タグ編集</source>
      <translation>Edit Tag</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ｽﾀｲﾙ(&amp;S)...</source>
      <translation>&amp;Style...</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>イメージの挿入</source>
      <translation>Insert Image</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾌｧｲﾙ(&amp;N):</source>
      <translation>&amp;File:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>画像ﾌｧｲﾙ(</source>
      <translation>Image files(</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>|全てのﾌｧｲﾙ(*.*)|*.*||</source>
      <translation>|All files(*.*)|*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃｷｽﾄ表示(&amp;A):</source>
      <translation>&amp;Alternative text:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾃｷｽﾄ位置(&amp;T)</source>
      <translation>&amp;Text position</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>回り込み時の間隔</source>
      <translation>Space around when wrapped</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>縦:</source>
      <translation>Vertical:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>横:</source>
      <translation>Horizontal:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>外枠指定する(&amp;B)</source>
      <translation>&amp;Border</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>外枠の太さ:</source>
      <translation>Border width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>縦幅(&amp;T):</source>
      <translation>Heigh&amp;t:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>サイズ挿入</source>
      <translation>Insert Size</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>リンク先(&amp;L):</source>
      <translation>&amp;Link to:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>ﾘﾝｸ先HTMLﾌｧｲﾙ名の入力</source>
      <translation>Linked HTML File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>表示先(&amp;T):</source>
      <translation>&amp;Target:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>キーワード(&amp;K):</source>
      <translation>&amp;Keyword:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagDialogs.cpp" />
      <source>基準のURL(&amp;U):</source>
      <translation>Base &amp;URL:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagFieldSet.cpp" />
      <source>新規ウィンドウ</source>
      <translation>New window</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagFieldSet.cpp" />
      <source>同じウィンドウ</source>
      <translation>Same window</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagFieldSet.cpp" />
      <source>親の階層</source>
      <translation>Parent</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagFieldSet.cpp" />
      <source>全領域</source>
      <translation>Whole window</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagFieldSet.h" />
      <source>色は 6 桁の 16 進数 (RRGGBB) か色の名前で入力してください</source>
      <translation>Enter a color as 6 hexadecimal digits (RRGGBB) or a color name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagInsertCommands.cpp" />
      <source>コマンド名を入力してください</source>
      <translation>Enter the command name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>マーキー</source>
      <translation>Marquee</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>動き方(&amp;B):</source>
      <translation>&amp;Behavior:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>スクロール</source>
      <translation>Scroll</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>スライド</source>
      <translation>Slide</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>交互に移動</source>
      <translation>Alternate</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>方向(&amp;D):</source>
      <translation>&amp;Direction:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>左から右</source>
      <translation>Left to right</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>右から左</source>
      <translation>Right to left</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>先端</source>
      <translation>Top</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>端</source>
      <translation>Bottom</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>高さ(&amp;H):</source>
      <translation>&amp;Height:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>左右の間隔(&amp;S):</source>
      <translation>Hori&amp;zontal space:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>上下の間隔(&amp;V):</source>
      <translation>&amp;Vertical space:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>繰り返し回数(&amp;L):</source>
      <translation>&amp;Loop count:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>移動量(&amp;M):</source>
      <translation>Scroll a&amp;mount:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>移動の間隔(&amp;T):</source>
      <translation>Scroll dela&amp;y:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ＢＧＭ</source>
      <translation>Background Music</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ｻｳﾝﾄﾞﾌｧｲﾙ名の入力</source>
      <translation>Sound File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>WAVEﾌｧｲﾙ</source>
      <translation>WAVE files</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>無限に繰り返す(&amp;I)</source>
      <translation>Repeat &amp;infinitely</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ビデオファイル(&amp;D):</source>
      <translation>Vi&amp;deo file:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>AVIﾌｧｲﾙ名の入力</source>
      <translation>AVI File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>AVIﾌｧｲﾙ</source>
      <translation>AVI files</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>代わりのイメージ(&amp;S):</source>
      <translation>&amp;Alternative image:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>GIFﾌｧｲﾙ</source>
      <translation>GIF files</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>再生開始(&amp;P):</source>
      <translation>&amp;Play on:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ﾃｷｽﾄ位置(&amp;T):</source>
      <translation>&amp;Text position:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>操作パネルを表示(&amp;C)</source>
      <translation>Show &amp;controls</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>繰り返しの間隔(&amp;Y):</source>
      <translation>Loop dela&amp;y:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>左右の間隔(&amp;H):</source>
      <translation>&amp;Horizontal space:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>縦幅(&amp;E):</source>
      <translation>H&amp;eight:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>分割方向(&amp;D):</source>
      <translation>Split &amp;direction:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>分割幅(&amp;W):</source>
      <translation>Split &amp;width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>分割の一覧(&amp;L):</source>
      <translation>&amp;List of splits:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>削除(&amp;X)</source>
      <translation>&amp;Remove</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>表示するファイル(&amp;F):</source>
      <translation>&amp;File to show:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ﾌﾚｰﾑのHTMLﾌｧｲﾙ名の入力</source>
      <translation>Frame HTML File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>フレーム名(&amp;N):</source>
      <translation>Frame &amp;name:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>大きさを変えられない(&amp;R)</source>
      <translation>&amp;Not resizable</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>スクロールバー(&amp;S):</source>
      <translation>&amp;Scroll bars:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>表示する</source>
      <translation>Show</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>左右の余白(&amp;W):</source>
      <translation>Margin &amp;width:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>上下の余白(&amp;H):</source>
      <translation>Margin &amp;height:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>javaアプレット</source>
      <translation>Java Applet</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>クラスファイル(&amp;C):</source>
      <translation>&amp;Class file:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ｸﾗｽﾌｧｲﾙ名の入力</source>
      <translation>Class File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>classﾌｧｲﾙ</source>
      <translation>class files</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>縦幅(&amp;H):</source>
      <translation>&amp;Height:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>javaパラメータ</source>
      <translation>Java Parameter</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>スクリプト</source>
      <translation>Script</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>言語の種類(&amp;L):</source>
      <translation>&amp;Language:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>TYPE要素でも記述(&amp;T)</source>
      <translation>Also in the &amp;TYPE attribute</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>別ファイル時のファイル名(&amp;F):</source>
      <translation>&amp;File name when separate:</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ｽｸﾘﾌﾟﾄﾌｧｲﾙ名の入力</source>
      <translation>Script File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ｽｸﾘﾌﾟﾄﾌｧｲﾙ(*.js;*.vbs) |*.js;*.vbs|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>Script files(*.js;*.vbs) |*.js;*.vbs|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>プラグイン</source>
      <translation>Plug-in</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>ﾌﾟﾗｸﾞｲﾝﾌｧｲﾙ名の入力</source>
      <translation>Plug-in File Name</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>タグの修正</source>
      <translation>Edit Tag</translation>
    </message>
    <message>
      <location filename="../src/core/tags/TagObjectDialogs.cpp" />
      <source>タグ名:</source>
      <translation>Tag name:</translation>
    </message>
    <message>
      <location filename="../src/gui/CFolderDlg.cpp" />
      <source>フォルダの指定</source>
      <translation>Choose Folder</translation>
    </message>
    <message>
      <location filename="../src/gui/CFolderDlg.cpp" />
      <source>フォルダ作成(&amp;F)...</source>
      <translation>New &amp;Folder...</translation>
    </message>
    <message>
      <location filename="../src/gui/CFolderDlg.cpp" />
      <source>フォルダ名を入力してください</source>
      <translation>Enter the folder name</translation>
    </message>
    <message>
      <location filename="../src/gui/CFolderDlg.cpp" />
      <source>フォルダを作成できませんでした
</source>
      <translation>Could not make the folder
</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>読み取り専用</source>
      <translation>Read-only</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>このファイルには書き込めません</source>
      <translation>This file cannot be written</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>ツールバー</source>
      <translation>Toolbar</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>%1 行  %2 桁</source>
      <translation>Line %1  Col %2</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>読めない %1</source>
      <translation>Unreadable %1</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>%1で開く</source>
      <translation>Open as %1</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>文字として読めないバイトが %1 個あります。保存するときは元のバイトのまま書き戻します。</source>
      <translation>%1 bytes cannot be read as characters. They are written back unchanged when the file is saved.</translation>
    </message>
    <message>
      <location filename="../src/gui/CMainFrame.cpp" />
      <source>ページが宣言する文字コードで開き直します</source>
      <translation>Reopen in the character code the page declares</translation>
    </message>
    <message>
      <location filename="../src/gui/FileChooser.cpp" />
      <source>上のフォルダへ (Alt+↑)</source>
      <translation>Up one folder (Alt+↑)</translation>
    </message>
    <message>
      <location filename="../src/gui/FileChooser.cpp" />
      <source>ファイルの場所(&amp;I):</source>
      <translation>Look &amp;in:</translation>
    </message>
    <message>
      <location filename="../src/gui/FileChooser.cpp" />
      <source>ファイルの種類(&amp;T):</source>
      <translation>Files of &amp;type:</translation>
    </message>
    <message>
      <location filename="../src/gui/FileChooser.cpp" />
      <source>%1 は既に存在します。
上書きしますか？</source>
      <translation>%1 already exists.
Overwrite it?</translation>
    </message>
    <message>
      <location filename="../src/gui/FileChooser.cpp" />
      <source>フォルダーを開けません - </source>
      <translation>The folder cannot be read - </translation>
    </message>
    <message>
      <location filename="../src/gui/FileChooser.cpp" />
      <source>ファイルが見つかりません - </source>
      <translation>The file cannot be found - </translation>
    </message>
    <message>
      <location filename="../src/gui/FormDialog.cpp" />
      <source>&lt; 戻る</source>
      <translation>&lt; Back</translation>
    </message>
    <message>
      <location filename="../src/gui/FtpWindow.cpp" />
      <source>日付</source>
      <translation>Date</translation>
    </message>
    <message>
      <location filename="../src/gui/FtpWindow.cpp" />
      <source>サイズ</source>
      <translation>Size</translation>
    </message>
    <message>
      <location filename="../src/gui/FtpWindow.cpp" />
      <source>変更</source>
      <translation>Rename</translation>
    </message>
    <message>
      <location filename="../src/gui/FtpWindow.cpp" />
      <source>作成</source>
      <translation>New Folder</translation>
    </message>
    <message>
      <location filename="../src/gui/FtpWindow.cpp" />
      <source>（接続が切れています）</source>
      <translation>(disconnected)</translation>
    </message>
    <message>
      <location filename="../src/gui/OtherWindows.cpp" />
      <source>新しいウィンドウで開けませんでした
%1</source>
      <translation>Could not open in a new window
%1</translation>
    </message>
    <message>
      <location filename="../src/gui/QtUi.cpp" />
      <source>[\(（]&amp;[^&amp;][\)）]</source>
      <translation>[\(（]&amp;[^&amp;][\)）]</translation>
    </message>
    <message>
      <location filename="../src/gui/QtUi.cpp" />
      <source>色の設定</source>
      <translation>Select Color</translation>
    </message>
    <message>
      <location filename="../src/gui/QtUi.cpp" />
      <source>Kelvopad バージョン %1

HTML ソースエディタ
シフトJIS・JIS・EUC・UTF-8 の文書を、読み込んだときの文字コードと改行コードのまま保存します。</source>
      <translation>Kelvopad version %1

HTML source editor
Saves Shift-JIS, JIS, EUC and UTF-8 documents in the character code and line end they were read in.</translation>
    </message>
    <message>
      <location filename="../src/gui/SourcePrinter.cpp" />
      <source>PDFファイルに出力</source>
      <translation>Print to a PDF file</translation>
    </message>
    <message>
      <location filename="../src/gui/SourcePrinter.cpp" />
      <source>PDFﾌｧｲﾙ(*.pdf) |*.pdf| 全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation>PDF files(*.pdf) |*.pdf| All files(*.*) |*.*||</translation>
    </message>
    <message>
      <location filename="../src/gui/SourcePrinter.cpp" />
      <source>印刷</source>
      <translation>Print</translation>
    </message>
    <message>
      <location filename="../src/gui/SourcePrinter.cpp" />
      <source>印刷できませんでした - </source>
      <translation>Printing failed - </translation>
    </message>
    <message>
      <location filename="../src/gui/SourcePrinter.cpp" />
      <source>印刷プレビュー - </source>
      <translation>Print Preview - </translation>
    </message>
    <message>
      <location filename="../src/gui/ThreadedTaskRunner.cpp" />
      <source> バイト</source>
      <translation> bytes</translation>
    </message>
    <message>
      <location filename="../src/gui/ThreadedTaskRunner.cpp" />
      <source>中止しています...</source>
      <translation>Stopping...</translation>
    </message>
    <message>
      <location filename="../src/gui/ThreadedTaskRunner.cpp" />
      <source>%1 / %2 ファイル</source>
      <translation>%1 / %2 files</translation>
    </message>
    <message>
      <location filename="../src/gui/ThreadedTaskRunner.cpp" />
      <source>/秒</source>
      <translation>/s</translation>
    </message>
    <message>
      <location filename="../src/gui/preview/PreviewPane.cpp" />
      <source>外部のコンテンツ (http, https) を止めています。</source>
      <translation>Content from outside the site (http, https) is blocked.</translation>
    </message>
    <message>
      <location filename="../src/gui/preview/PreviewPane.cpp" />
      <source>許可する</source>
      <translation>Allow</translation>
    </message>
    <message>
      <location filename="../src/gui/preview/PreviewPane.cpp" />
      <source>このサイトのページに、サイトの外にある画像やスクリプトなどの読み込みを許可します</source>
      <translation>Lets the pages of this site load pictures, scripts and the like from outside the site</translation>
    </message>
    <message>
      <source>画像ﾌｧｲﾙ</source>
      <translation>Image files</translation>
    </message>
    <message>
      <source>全てのﾌｧｲﾙ</source>
      <translation>All files</translation>
    </message>
    <message>
      <source>help/index.html</source>
      <translation>help/index.en.html</translation>
    </message>
    <message>
      <source>開くファイル</source>
      <translation type="vanished">File to open</translation>
    </message>
    <message>
      <source>実行可能ﾌｧｲﾙ(*.EXE) |*.EXE|全てのﾌｧｲﾙ(*.*) |*.*||</source>
      <translation type="vanished">Programs(*.EXE) |*.EXE|All files(*.*) |*.*||</translation>
    </message>
    <message>
      <source>途中までのファイルを続きから書けません</source>
      <translation type="vanished">Cannot continue the partly downloaded file</translation>
    </message>
    <message>
      <source>サーバのホスト鍵を確認できません。確かにそのサーバと分かっているときだけ信頼してください。
%1</source>
      <translation type="vanished">The server's host key cannot be verified. Trust it only if you know that this really is that server.
%1</translation>
    </message>
    <message>
      <source>サーバの証明書を確認できません。確かにそのサーバと分かっているときだけ信頼してください。
%1</source>
      <translation type="vanished">The server certificate cannot be verified. Trust it only if you know that this really is that server.
%1</translation>
    </message>
    <message>
      <source>%1 への次の %2 件の処理を行います。よろしいですか？</source>
      <translation type="vanished">The following %2 steps will be done on %1. Go ahead?</translation>
    </message>
    <message>
      <source>ファイル名(&amp;N)</source>
      <translation type="vanished">File &amp;name</translation>
    </message>
    <message>
      <source>アンドゥ(&amp;U)</source>
      <translation type="vanished">&amp;Undo</translation>
    </message>
    <message>
      <source>発行先：%1
発行者：%2
SHA-256：%3
理由：%4</source>
      <translation type="vanished">Issued to: %1
Issued by: %2
SHA-256: %3
Reason: %4</translation>
    </message>
    <message>
      <source>サーバの証明書を確認できません。
%1

この接続先が確かにそのサーバであると分かっているときだけ、信頼してください。</source>
      <translation type="vanished">The server certificate cannot be verified.
%1

Trust it only if you know that this really is that server.</translation>
    </message>
    <message>
      <source>サーバの %1 の方が新しいファイルです。
サーバ：%2
ローカル：%3
上書きしますか？</source>
      <translation type="vanished">The server's %1 is newer.
Server: %2
Local: %3
Overwrite it?</translation>
    </message>
    <message>
      <source>ローカルの %1 の方が新しいファイルです。
ローカル：%2
サーバ：%3
上書きしますか？</source>
      <translation type="vanished">The local %1 is newer.
Local: %2
Server: %3
Overwrite it?</translation>
    </message>
  </context>
</TS>
