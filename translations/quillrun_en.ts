<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Quillrun</name>
    <message>
        <source>エクスポート</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>グリッドを含める</source>
        <translation>Include the grid</translation>
    </message>
    <message>
        <source>すべての領域がクリアされます。現状態を保存しますか？</source>
        <translation>Everything will be cleared. Save the current diagram?</translation>
    </message>
    <message>
        <source>Quillrun(*.qrn)|*.qrn|すべてのファイル(*.*)|*.*</source>
        <translation>Quillrun(*.qrn)|*.qrn|All files(*.*)|*.*</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file cannot be found.</translation>
    </message>
    <message>
        <source>ファイルを開けません。</source>
        <translation>The file cannot be opened.</translation>
    </message>
    <message>
        <source>ファイルを読み込めません。</source>
        <translation>The file cannot be read.</translation>
    </message>
    <message>
        <source>ファイルの内容が正しくありません。</source>
        <translation>The file does not hold a valid diagram.</translation>
    </message>
    <message>
        <source>ファイルに書き込めません。</source>
        <translation>The file cannot be written.</translation>
    </message>
    <message>
        <source>変更が保存されていません。保存しますか？</source>
        <translation>The changes have not been saved. Save them?</translation>
    </message>
    <message>
        <source>グリッドサイズ</source>
        <translation>Grid size</translation>
    </message>
    <message>
        <source>グリッドサイズには -32768 から 32767 までの数値を入力してください。</source>
        <translation>Enter a grid size from -32768 to 32767.</translation>
    </message>
    <message>
        <source>番号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>種類</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>テキスト</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>値</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>入力%1</source>
        <translation>Input %1</translation>
    </message>
    <message>
        <source>倍率</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>確認</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>解除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>How to use Quillrun</translation>
    </message>
    <message>
        <source>guide_ja.html</source>
        <translation>guide_en.html</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <source>エクスポート(&amp;X)...</source>
        <translation>E&amp;xport...</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>サンプルデータ(&amp;E)</source>
        <translation>Sampl&amp;e Diagram</translation>
    </message>
    <message>
        <source>終了(X)</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;Y)</source>
        <translation>R&amp;edo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;O)</source>
        <translation>C&amp;opy</translation>
    </message>
    <message>
        <source>画像をコピー</source>
        <translation>Copy as Picture</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>複製(&amp;D)</source>
        <translation>&amp;Duplicate</translation>
    </message>
    <message>
        <source>すべて選択(&amp;L)</source>
        <translation>Select A&amp;ll</translation>
    </message>
    <message>
        <source>要素追加(&amp;A)</source>
        <translation>&amp;Add Element</translation>
    </message>
    <message>
        <source>接続(&amp;C)</source>
        <translation>&amp;Connect</translation>
    </message>
    <message>
        <source>選択解除(&amp;R)</source>
        <translation>&amp;Release Selection</translation>
    </message>
    <message>
        <source>実行(&amp;R)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <source>1ステップ実行(&amp;S)</source>
        <translation>&amp;Single Step</translation>
    </message>
    <message>
        <source>1ステップ戻る(&amp;B)</source>
        <translation>Step &amp;Back</translation>
    </message>
    <message>
        <source>ブレークポイント(&amp;P)</source>
        <translation>Break&amp;point</translation>
    </message>
    <message>
        <source>値の一覧(&amp;V)</source>
        <translation>&amp;Values</translation>
    </message>
    <message>
        <source>オプション(&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>グリッド(&amp;G)</source>
        <translation>&amp;Grid</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>使い方(&amp;G)</source>
        <translation>&amp;Guide</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)</source>
        <translation>&amp;About Quillrun</translation>
    </message>
    <message>
        <source>初期化</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>逐次実行</source>
        <translation>Step Run</translation>
    </message>
    <message>
        <source>自動実行</source>
        <translation>Auto Run</translation>
    </message>
    <message>
        <source>タイマー</source>
        <translation>Timer</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>点削除</source>
        <translation>Delete Point</translation>
    </message>
    <message>
        <source>接続線削除</source>
        <translation>Delete Connection</translation>
    </message>
    <message>
        <source>要素削除</source>
        <translation>Delete Element</translation>
    </message>
    <message>
        <source>点移動</source>
        <translation>Move Point</translation>
    </message>
    <message>
        <source>要素移動</source>
        <translation>Move Element</translation>
    </message>
    <message>
        <source>要素属性変更</source>
        <translation>Edit Element</translation>
    </message>
    <message>
        <source>値の一覧</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>引数番号</source>
        <translation>Input Number</translation>
    </message>
    <message>
        <source>サイズには -32768 から 32767 までの数値を入力してください。</source>
        <translation>Enter a size from -32768 to 32767.</translation>
    </message>
    <message>
        <source>引数の個数</source>
        <translation>Number of inputs</translation>
    </message>
    <message>
        <source>数値定数</source>
        <translation>Number constant</translation>
    </message>
    <message>
        <source>文字列定数</source>
        <translation>String constant</translation>
    </message>
    <message>
        <source>変数名</source>
        <translation>Variable name</translation>
    </message>
    <message>
        <source>関数名</source>
        <translation>Function name</translation>
    </message>
    <message>
        <source>テキストに二重引用符（&quot;）は使えません。</source>
        <translation>The text cannot hold a double quote (&quot;).</translation>
    </message>
    <message>
        <source>テキストにファイルへ保存できない文字が含まれています。</source>
        <translation>The text holds a character that cannot be saved in a diagram file.</translation>
    </message>
    <message>
        <source>引数の個数には 0 から 30 までの数値を入力してください。</source>
        <translation>Enter a number of inputs from 0 to 30.</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>ボールド</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>下線</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>定数には出力できません</source>
        <translation>A constant takes no input</translation>
    </message>
    <message>
        <source>クリップボードの内容は図として読めません。</source>
        <translation>The clipboard does not hold anything that reads as a diagram.</translation>
    </message>
    <message>
        <source>最大要素数を超えます。これ以上登録できません。</source>
        <translation>That would pass the largest number of elements. No more can be added.</translation>
    </message>
    <message>
        <source>最大接続数を超えます。これ以上登録できません。</source>
        <translation>That would pass the largest number of connections. No more can be added.</translation>
    </message>
    <message>
        <source> 円中心&#x3000;座標 (</source>
        <translation> Centre at (</translation>
    </message>
    <message>
        <source> 半径&#x3000;座標 (</source>
        <translation> Radius at (</translation>
    </message>
    <message>
        <source> 接続始点要素 座標 (</source>
        <translation> Connection start at (</translation>
    </message>
    <message>
        <source> 座標 (</source>
        <translation> Position (</translation>
    </message>
    <message>
        <source>計算結果が数値になりません。</source>
        <translation>The result is not a number.</translation>
    </message>
    <message>
        <source>計算結果がオーバーフローしました。</source>
        <translation>The result overflowed.</translation>
    </message>
    <message>
        <source>mod の引数が 32 ビット整数の範囲を超えています。</source>
        <translation>An input of mod lies outside the range of 32-bit integers.</translation>
    </message>
    <message>
        <source>mod で 0 による除算が発生しました。</source>
        <translation>mod divided by 0.</translation>
    </message>
    <message>
        <source>計算結果の文字列が長すぎます（%1 文字まで）。</source>
        <translation>The resulting text is too long (at most %1 characters).</translation>
    </message>
    <message>
        <source>0 を 0 で割ろうとしました。</source>
        <translation>0 was to be divided by 0.</translation>
    </message>
    <message>
        <source>0 で割ろうとしました。</source>
        <translation>A number was to be divided by 0.</translation>
    </message>
    <message>
        <source>不明な演算子です。</source>
        <translation>Unknown operator.</translation>
    </message>
    <message>
        <source>mod には引数が 2 つ必要です。</source>
        <translation>mod needs 2 inputs.</translation>
    </message>
    <message>
        <source>転送処理なし</source>
        <translation>nothing to send</translation>
    </message>
    <message>
        <source> 演算 : </source>
        <translation> computes : </translation>
    </message>
    <message>
        <source>タイマーの間隔は 0 から 65535 ミリ秒の範囲で指定してください。</source>
        <translation>Enter a timer interval from 0 to 65535 milliseconds.</translation>
    </message>
    <message>
        <source>定数 </source>
        <translation>Constant </translation>
    </message>
    <message>
        <source>変数</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source> 停止 : </source>
        <translation> stopped : </translation>
    </message>
    <message>
        <source>要素 %1 「%2」 でエラーが発生したため、実行を停止しました。<byte value="xd"/>
%3</source>
        <translation>The run stopped because of an error at element %1 &quot;%2&quot;.<byte value="xd"/>
%3</translation>
    </message>
    <message>
        <source>タイマーの間隔が 0 ミリ秒のため、自動実行は進みません。</source>
        <translation>The timer interval is 0 milliseconds, so the automatic run does not go on.</translation>
    </message>
    <message>
        <source>画像の保存は取り消されました。</source>
        <translation>The picture was not saved.</translation>
    </message>
    <message>
        <source>画像を保存できませんでした。 File Name = [%1]</source>
        <translation>The picture could not be saved. File Name = [%1]</translation>
    </message>
    <message>
        <source>画像を保存しますか？。<byte value="xd"/>
<byte value="xd"/>
保存しないで続行するときは「いいえ」ボタンを<byte value="xd"/>
停止するときは「キャンセル」ボタンをクリックします。</source>
        <translation>Save a picture of the canvas?<byte value="xd"/>
<byte value="xd"/>
To go on without saving, click &quot;No&quot;;<byte value="xd"/>
to stop, click &quot;Cancel&quot;.</translation>
    </message>
    <message>
        <source>bmp(*.bmp)|*.bmp|全てのﾌｧｲﾙ(*.*)|*.*</source>
        <translation>bmp(*.bmp)|*.bmp|All files(*.*)|*.*</translation>
    </message>
    <message>
        <source> 転送</source>
        <translation> sent</translation>
    </message>
    <message>
        <source>領域オーバーフロー</source>
        <translation>Out of value cells</translation>
    </message>
    <message>
        <source>座標 (0, 0)</source>
        <translation>Position (0, 0)</translation>
    </message>
    <message>
        <source>データフロー図を描き、一歩ずつ実行して値の流れを見るプログラムです。</source>
        <translation>Draws data-flow diagrams and runs them step by step, so that you can watch the values travel.</translation>
    </message>
    <message>
        <source>言語(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>言語の変更は、次に Quillrun を起動したときに有効になります。</source>
        <translation>The new language takes effect the next time Quillrun starts.</translation>
    </message>
    <message>
        <source>始点／終点が指定されていない要素がありますので削除します。i=%1</source>
        <translation>A connection without a start or an end is removed. i=%1</translation>
    </message>
</context>
</TS>
