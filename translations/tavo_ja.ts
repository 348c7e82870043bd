<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションも含めたヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays version information.</source>
        <translation>バージョン情報を表示します。</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>未知のオプションです: %1。</translation>
    </message>
</context>
<context>
    <name>tavo-panel</name>
    <message>
        <source>Use DEVICE as COM1 for this run, e.g. /dev/ttyUSB0, /dev/serial/by-id/..., or a device server on the network: rfc2217://HOST:PORT or tcp://HOST:PORT (default: the device chosen in the panel, else %1).</source>
        <translation>この実行でのみ DEVICE を COM1 として使います。例: /dev/ttyUSB0、/dev/serial/by-id/...、またはネットワーク上のデバイスサーバー rfc2217://HOST:PORT や tcp://HOST:PORT（既定: パネルで選んだデバイス、なければ %1）。</translation>
    </message>
    <message>
        <source>Use DEVICE as COM2 for this run, a serial device or rfc2217://HOST:PORT or tcp://HOST:PORT as for --com1 (default: the device chosen in the panel, else %1).</source>
        <translation>この実行でのみ DEVICE を COM2 として使います。--com1 と同じく、シリアルデバイス、rfc2217://HOST:PORT または tcp://HOST:PORT を指定します（既定: パネルで選んだデバイス、なければ %1）。</translation>
    </message>
    <message>
        <source>Put a simulated projector behind COM1, to try the panel without one.</source>
        <translation>COM1 にプロジェクターシミュレーターをつなぎ、プロジェクターなしでパネルを試します。</translation>
    </message>
    <message>
        <source>Remote-control panel for R5500 and R730 data projectors over RS-232C.

In the panel, Ctrl+D (or right-click COM) chooses the devices for COM1 and COM2, serial devices or device servers on the network (rfc2217://HOST:PORT, tcp://HOST:PORT); the choice is saved for the next start. --com1 and --com2 override it for one run.</source>
        <translation>R5500・R730 データプロジェクターを RS-232C で操作するリモコンパネルです。

パネルでは Ctrl+D（または COM を右クリック）で COM1 と COM2 のデバイスを選びます。シリアルデバイスのほか、ネットワーク上のデバイスサーバー（rfc2217://HOST:PORT、tcp://HOST:PORT）も選べます。選んだデバイスは次回の起動のために保存されます。--com1 と --com2 を付けると、その実行に限りこれより優先されます。</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>予期しない引数 &apos;%1&apos; があります。</translation>
    </message>
    <message>
        <source>--com1 needs a device, such as /dev/ttyUSB0.</source>
        <translation>--com1 にはデバイスを指定してください（例: /dev/ttyUSB0）。</translation>
    </message>
    <message>
        <source>--com2 needs a device, such as /dev/ttyUSB1.</source>
        <translation>--com2 にはデバイスを指定してください（例: /dev/ttyUSB1）。</translation>
    </message>
    <message>
        <source>--simulate puts the simulated projector behind COM1; leave out --com1.</source>
        <translation>--simulate は COM1 にプロジェクターシミュレーターをつなぎます。--com1 は指定しないでください。</translation>
    </message>
</context>
<context>
    <name>tavo-pjlink</name>
    <message>
        <source>the password is empty</source>
        <translation>パスワードが空です</translation>
    </message>
    <message>
        <source>the password is %1 bytes long; PJLink allows at most %2</source>
        <translation>パスワードが %1 バイトあります。PJLink で使えるのは %2 バイトまでです</translation>
    </message>
    <message>
        <source>the password holds a character that is not printable ASCII</source>
        <translation>パスワードに印字可能な ASCII 以外の文字が含まれています</translation>
    </message>
    <message>
        <source>no password: anyone who reaches the bridge can control the projector</source>
        <translation>パスワードなし: ブリッジに接続できる人は誰でもプロジェクターを操作できます</translation>
    </message>
    <message>
        <source>serving PJLink on %1 with a password</source>
        <translation>%1 で PJLink を提供中（パスワードあり）</translation>
    </message>
    <message>
        <source>serving PJLink on %1 without a password</source>
        <translation>%1 で PJLink を提供中（パスワードなし）</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>停止しました</translation>
    </message>
    <message>
        <source>Makes an R5500 or R730 projector on a serial line answer as a PJLink Class 1 projector on the
network, so that room-control systems can switch it on and off, choose its input, mute it and
read its state.

DEVICE is the projector&apos;s serial device (/dev/ttyUSB0, a /dev/serial/by-id/ name,
rfc2217://HOST:PORT, tcp://HOST:PORT), or COM1 or COM2 as chosen in tavo-panel.

Without --password-file it serves only this computer (loopback), unless --no-password is
given.

Its log follows the system&apos;s language (LANG=C for English); what PJLink sends never does.</source>
        <translation>シリアル回線につないだ R5500・R730 プロジェクターを、ネットワーク上の PJLink Class 1
プロジェクターとして応答させます。ルームコントロールシステムから電源の入/切、入力の選択、
ミュート、状態の読み出しができます。

DEVICE はプロジェクターのシリアルデバイス（/dev/ttyUSB0、/dev/serial/by-id/ の名前、
rfc2217://HOST:PORT、tcp://HOST:PORT）、または tavo-panel で選んだ COM1 か COM2 です。

--password-file を指定しないと、このコンピューターからの接続（ループバック）にだけ応じます。
ただし --no-password を指定した場合は除きます。

ログはシステムの言語に従います（英語にするには LANG=C）。PJLink で送る内容は変わりません。</translation>
    </message>
    <message>
        <source>%1 lacks the closing ] of its IPv6 address</source>
        <translation>%1: IPv6 アドレスを閉じる ] がありません</translation>
    </message>
    <message>
        <source>%1: write [ADDRESS]:PORT</source>
        <translation>%1: [ADDRESS]:PORT の形で指定してください</translation>
    </message>
    <message>
        <source>%1: the port must lie between 0 and 65535</source>
        <translation>%1: ポート番号は 0 から 65535 の範囲で指定してください</translation>
    </message>
    <message>
        <source>%1 is no IP address; write it as 192.0.2.7, [2001:db8::7], localhost or *</source>
        <translation>%1 は IP アドレスではありません。192.0.2.7、[2001:db8::7]、localhost または * の形で指定してください</translation>
    </message>
    <message>
        <source>Serve PJLink on ADDRESS:PORT (port %1 if left out); may be given several times.</source>
        <translation>ADDRESS:PORT で PJLink を提供します（ポートを省くと %1）。複数回指定できます。</translation>
    </message>
    <message>
        <source>Ask controllers for the password in FILE, which only its owner may read or change.</source>
        <translation>コントローラーに FILE のパスワードを要求します。FILE は所有者だけが読み書きできるようにしてください。</translation>
    </message>
    <message>
        <source>Serve other computers without a password.</source>
        <translation>ほかのコンピューターにもパスワードなしで応じます。</translation>
    </message>
    <message>
        <source>The projector&apos;s name (NAME), up to %1 characters.</source>
        <translation>プロジェクターの名前（NAME）、%1 文字まで。</translation>
    </message>
    <message>
        <source>The maker&apos;s name (INF1), up to %1 characters.</source>
        <translation>メーカー名（INF1）、%1 文字まで。</translation>
    </message>
    <message>
        <source>The product name (INF2), up to %1 characters.</source>
        <translation>製品名（INF2）、%1 文字まで。</translation>
    </message>
    <message>
        <source>Other information (INFO), up to %1 characters.</source>
        <translation>その他の情報（INFO）、%1 文字まで。</translation>
    </message>
    <message>
        <source>The projector&apos;s line speed: 19200 (default) or 9600.</source>
        <translation>プロジェクターのボーレート: 19200（既定）または 9600。</translation>
    </message>
    <message>
        <source>Controllers served at once, 1 to %1 (default %2).</source>
        <translation>同時に応じるコントローラーの数、1 から %1（既定 %2）。</translation>
    </message>
    <message>
        <source>The projector&apos;s device, or COM1 or COM2.</source>
        <translation>プロジェクターのデバイス、または COM1 か COM2。</translation>
    </message>
    <message>
        <source>give one DEVICE only</source>
        <translation>DEVICE は 1 つだけ指定してください</translation>
    </message>
    <message>
        <source>no DEVICE given, such as /dev/ttyUSB0 or COM1</source>
        <translation>DEVICE が指定されていません（例: /dev/ttyUSB0、COM1）</translation>
    </message>
    <message>
        <source>--listen %1</source>
        <translation>--listen %1</translation>
    </message>
    <message>
        <source>give either --password-file or --no-password</source>
        <translation>--password-file と --no-password のどちらか一方を指定してください</translation>
    </message>
    <message>
        <source>--password-file needs a FILE</source>
        <translation>--password-file には FILE を指定してください</translation>
    </message>
    <message>
        <source>without a password the bridge serves this computer only (127.0.0.1, ::1): give --password-file FILE, or --no-password to let any computer that reaches it control the projector</source>
        <translation>パスワードがないとき、ブリッジはこのコンピューター（127.0.0.1、::1）にだけ応じます。--password-file FILE を指定するか、接続できるどのコンピューターからもプロジェクターを操作できるようにするなら --no-password を指定してください</translation>
    </message>
    <message>
        <source>%1 takes up to %2 printable ASCII characters</source>
        <translation>%1 には印字可能な ASCII 文字を %2 文字まで指定できます</translation>
    </message>
    <message>
        <source>--speed must be 19200 or 9600</source>
        <translation>--speed は 19200 または 9600 にしてください</translation>
    </message>
    <message>
        <source>--max-connections must lie between 1 and %1</source>
        <translation>--max-connections は 1 から %1 の範囲で指定してください</translation>
    </message>
    <message>
        <source>cannot read the password file %1: %2</source>
        <translation>パスワードファイル %1 を読めません: %2</translation>
    </message>
    <message>
        <source>the password file %1 is not a regular file</source>
        <translation>パスワードファイル %1 は通常のファイルではありません</translation>
    </message>
    <message>
        <source>the password file %1 may be read by %2 (mode %3): allow its owner only, e.g.  chmod 600 %1</source>
        <translation>パスワードファイル %1 は%2が読めます（モード %3）。所有者だけが読めるようにしてください（例:  chmod 600 %1 ）</translation>
    </message>
    <message>
        <source>every user</source>
        <translation>すべてのユーザー</translation>
    </message>
    <message>
        <source>its group</source>
        <translation>そのグループ</translation>
    </message>
    <message>
        <source>the password file %1 cannot be used: the password is longer than the %2 bytes PJLink allows</source>
        <translation>パスワードファイル %1 は使えません: パスワードが PJLink で使える %2 バイトを超えています</translation>
    </message>
    <message>
        <source>the password file %1 cannot be used: %2</source>
        <translation>パスワードファイル %1 は使えません: %2</translation>
    </message>
    <message>
        <source>warning: </source>
        <translation>警告: </translation>
    </message>
    <message>
        <source>error: </source>
        <translation>エラー: </translation>
    </message>
    <message>
        <source>%1 may not hold &quot;%2&quot;: PJLink controllers would read it as part of the response rather than as text</source>
        <translation>%1 には「%2」を含められません: PJLink のコントローラーがテキストではなく応答の形式の一部として読んでしまいます</translation>
    </message>
    <message>
        <source>the password file %1 may be changed by %2 (mode %3): allow its owner only, e.g.  chmod 600 %1</source>
        <translation>パスワードファイル %1 は%2が変更できます（モード %3）。所有者だけが読み書きできるようにしてください（例:  chmod 600 %1 ）</translation>
    </message>
</context>
<context>
    <name>tavo-projector-sim</name>
    <message>
        <source>--listen: %1; write tcp://HOST:PORT</source>
        <translation>--listen: %1。tcp://HOST:PORT の形で指定してください</translation>
    </message>
    <message>
        <source>--listen serves raw TCP only; write tcp://HOST:PORT</source>
        <translation>--listen は raw TCP のみです。tcp://HOST:PORT の形で指定してください</translation>
    </message>
    <message>
        <source>--listen needs an IP address, such as 127.0.0.1 or [::1]</source>
        <translation>--listen には IP アドレスを指定してください（例: 127.0.0.1、[::1]）</translation>
    </message>
    <message>
        <source>A simulated R5500/R730 projector. It serves a new pseudo-terminal and prints its path;
open that path with the panel (tavo-panel --com1 PATH) or with any serial terminal.
With --listen it serves a TCP port instead (tavo-panel --com1 tcp://HOST:PORT).
Commands end with CR; known commands are answered with ACK CR, unknown ones with ? CR.</source>
        <translation>R5500/R730 プロジェクターのシミュレーターです。新しい疑似端末を用意してそのパスを表示します。
そのパスをパネル（tavo-panel --com1 PATH）や任意のシリアル端末で開いてください。
--listen を付けると、代わりに TCP ポートで応じます（tavo-panel --com1 tcp://HOST:PORT）。
コマンドは CR で終わります。知っているコマンドには ACK CR、知らないコマンドには ? CR を返します。</translation>
    </message>
    <message>
        <source>Also make PATH a symbolic link to the pseudo-terminal.</source>
        <translation>疑似端末へのシンボリックリンク PATH も作ります。</translation>
    </message>
    <message>
        <source>Serve on serial device DEV instead of a new pseudo-terminal.</source>
        <translation>新しい疑似端末の代わりにシリアルデバイス DEV で応じます。</translation>
    </message>
    <message>
        <source>Serve on a TCP port, like a device server in raw TCP mode.</source>
        <translation>raw TCP モードのデバイスサーバーのように、TCP ポートで応じます。</translation>
    </message>
    <message>
        <source>The projector&apos;s line speed: 19200 or 9600.</source>
        <translation>プロジェクターのボーレート: 19200 または 9600。</translation>
    </message>
    <message>
        <source>Initial power state: standby, on, countdown or cooling.</source>
        <translation>起動時の電源状態: standby、on、countdown または cooling。</translation>
    </message>
    <message>
        <source>Initial input: 1, 2 or 3.</source>
        <translation>起動時の入力: 1、2 または 3。</translation>
    </message>
    <message>
        <source>Lamp hours used so far, 0 to 9999.</source>
        <translation>これまでのランプ使用時間、0 から 9999。</translation>
    </message>
    <message>
        <source>Mirror setting: 11, 10, 01 or 00.</source>
        <translation>ミラー設定: 11、10、01 または 00。</translation>
    </message>
    <message>
        <source>Answer to CR6.</source>
        <translation>CR6 への応答。</translation>
    </message>
    <message>
        <source>Milliseconds before a reply starts.</source>
        <translation>応答を始めるまでのミリ秒数。</translation>
    </message>
    <message>
        <source>Percentage of replies sent in two or three pieces.</source>
        <translation>2 つか 3 つに分けて送る応答の割合（%）。</translation>
    </message>
    <message>
        <source>Never answer anything.</source>
        <translation>何にも応答しません。</translation>
    </message>
    <message>
        <source>Log every byte in and out on stderr.</source>
        <translation>送受信したすべてのバイトを標準エラー出力に記録します。</translation>
    </message>
    <message>
        <source>unexpected argument %1</source>
        <translation>予期しない引数 %1 があります</translation>
    </message>
    <message>
        <source>--speed must be 19200 or 9600</source>
        <translation>--speed は 19200 または 9600 にしてください</translation>
    </message>
    <message>
        <source>--power must be standby, on, countdown or cooling</source>
        <translation>--power は standby、on、countdown、cooling のいずれかにしてください</translation>
    </message>
    <message>
        <source>--input must be 1, 2 or 3</source>
        <translation>--input は 1、2、3 のいずれかにしてください</translation>
    </message>
    <message>
        <source>--lamp-hours must lie between 0 and 9999</source>
        <translation>--lamp-hours は 0 から 9999 の範囲で指定してください</translation>
    </message>
    <message>
        <source>--reply-delay must lie between 0 and 60000</source>
        <translation>--reply-delay は 0 から 60000 の範囲で指定してください</translation>
    </message>
    <message>
        <source>--split must lie between 0 and 100</source>
        <translation>--split は 0 から 100 の範囲で指定してください</translation>
    </message>
    <message>
        <source>--listen serves no serial line; leave out --device and --link</source>
        <translation>--listen はシリアル回線を使いません。--device と --link は指定しないでください</translation>
    </message>
    <message>
        <source>%1 exists and is not a symbolic link; not replacing it</source>
        <translation>%1 はすでにあり、シンボリックリンクではないため置き換えません</translation>
    </message>
    <message>
        <source>cannot create the link %1</source>
        <translation>リンク %1 を作成できません</translation>
    </message>
</context>
<context>
    <name>tavo::AccessibleText</name>
    <message>
        <source>Sends %1</source>
        <translation>%1 を送信します</translation>
    </message>
    <message>
        <source>Repeats %1 while held</source>
        <translation>押している間 %1 を繰り返し送信します</translation>
    </message>
    <message>
        <source>opens an on-screen menu, so the cursor pad then steps at menu pace</source>
        <translation>オンスクリーンメニューが開くので、その後カーソルパッドはメニュー操作の間隔で動きます</translation>
    </message>
    <message>
        <source>the reply is decoded into the status line</source>
        <translation>応答はデコードされてステータス行に表示されます</translation>
    </message>
    <message>
        <source>afterwards the cursor arrows pan the zoomed picture quickly</source>
        <translation>離した後はカーソルの矢印で拡大した画面をすばやく移動します</translation>
    </message>
    <message>
        <source>; </source>
        <translation>。</translation>
    </message>
</context>
<context>
    <name>tavo::ComPorts</name>
    <message>
        <source>%1 is open: close it before choosing another port.</source>
        <translation>%1 は開いています。別のポートを選ぶ前に閉じてください。</translation>
    </message>
    <message>
        <source>There is no port %1: the ports are COM1 and COM2.</source>
        <translation>ポート %1 はありません。ポートは COM1 と COM2 です。</translation>
    </message>
    <message>
        <source>%1 is already open.</source>
        <translation>%1 はすでに開いています。</translation>
    </message>
</context>
<context>
    <name>tavo::DeviceChooser</name>
    <message>
        <source>Choose Device</source>
        <translation>デバイスの選択</translation>
    </message>
    <message>
        <source>Which serial device is COM1, and which is COM2? Pick one from the list or type its path. For a device server on the network, type rfc2217://HOST:PORT (RFC 2217) or tcp://HOST:PORT (raw TCP). The choice is kept for the next start.</source>
        <translation>COM1 と COM2 にどのシリアルデバイスを使いますか？ 一覧から選ぶか、パスを入力してください。ネットワーク上のデバイスサーバーは rfc2217://HOST:PORT（RFC 2217）または tcp://HOST:PORT（raw TCP）と入力します。選んだデバイスは次回の起動でも使われます。</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>説明</translation>
    </message>
    <message>
        <source>Maker</source>
        <translation>メーカー</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation>固定名</translation>
    </message>
    <message>
        <source>Use as COM&amp;1</source>
        <translation>COM&amp;1 に使う</translation>
    </message>
    <message>
        <source>Use as COM&amp;2</source>
        <translation>COM&amp;2 に使う</translation>
    </message>
    <message>
        <source>&amp;Refresh</source>
        <translation>再読み込み(&amp;R)</translation>
    </message>
    <message>
        <source>e.g. /dev/ttyUSB0 or rfc2217://HOST:PORT</source>
        <translation>例: /dev/ttyUSB0、rfc2217://HOST:PORT</translation>
    </message>
    <message>
        <source>Started with --com1 or --com2, the panel uses those for that run.</source>
        <translation>--com1 や --com2 を付けて起動したときは、その実行に限りそちらを使います。</translation>
    </message>
    <message>
        <source>No serial devices found: plug the adapter in and press Refresh, or type the device&apos;s path below.</source>
        <translation>シリアルデバイスが見つかりません。アダプターをつないで「再読み込み」を押すか、下にデバイスのパスを入力してください。</translation>
    </message>
    <message>
        <source>Device server on the network, chosen before</source>
        <translation>ネットワーク上のデバイスサーバー（以前に選択）</translation>
    </message>
    <message>
        <source>Chosen before, not present now</source>
        <translation>以前に選択（現在は接続されていません）</translation>
    </message>
    <message>
        <source>OK opens COM%1 again with the device given.</source>
        <translation>OK を押すと、指定したデバイスで COM%1 を開き直します。</translation>
    </message>
    <message>
        <source>Choose Device…</source>
        <translation>デバイスを選択…</translation>
    </message>
    <message>
        <source>The devices chosen are used until the panel ends, but they could not be saved for the next start: %1.</source>
        <translation>選んだデバイスはパネルを終了するまで使われますが、次回の起動のために保存できませんでした: %1。</translation>
    </message>
</context>
<context>
    <name>tavo::DeviceNotice</name>
    <message>
        <source>Device notice</source>
        <translation>デバイスの通知</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Stops connecting to the device</source>
        <translation>デバイスへの接続を中止します</translation>
    </message>
</context>
<context>
    <name>tavo::DeviceSettings</name>
    <message>
        <source>%1 is a folder</source>
        <translation>%1 はフォルダーです</translation>
    </message>
    <message>
        <source>%1 is read-only</source>
        <translation>%1 は読み取り専用です</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>フォルダー %1 を作成できません</translation>
    </message>
    <message>
        <source>the folder %1 is not writable</source>
        <translation>フォルダー %1 に書き込めません</translation>
    </message>
    <message>
        <source>%1 could not be written</source>
        <translation>%1 に書き込めませんでした</translation>
    </message>
    <message>
        <source>The settings file %1 is larger than %2 MB: it is neither read nor changed, so the devices chosen before are not used. Remove or shorten it.</source>
        <translation>設定ファイル %1 が %2 MB を超えています。読み込みも変更もしないため、以前に選んだデバイスは使われません。削除するか短くしてください。</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read, so the devices chosen before are not used.</source>
        <translation>設定ファイル %1 を読めないため、以前に選んだデバイスは使われません。</translation>
    </message>
    <message>
        <source>%1 is larger than %2 MB and is left as it is</source>
        <translation>%1 は %2 MB を超えているため、そのままにしています</translation>
    </message>
</context>
<context>
    <name>tavo::ExchangeLogModel</name>
    <message>
        <source>sent</source>
        <translation>送信</translation>
    </message>
    <message>
        <source>reply</source>
        <translation>応答</translation>
    </message>
    <message>
        <source>no reply</source>
        <translation>応答なし</translation>
    </message>
    <message>
        <source>late reply</source>
        <translation>遅れた応答</translation>
    </message>
    <message>
        <source>not asked for</source>
        <translation>要求外の受信</translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>未送信</translation>
    </message>
    <message>
        <source>port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>nothing came back to %1</source>
        <translation>%1 に応答がありませんでした</translation>
    </message>
    <message>
        <source>answers %1, after its wait</source>
        <translation>%1 への応答（待ち時間の後）</translation>
    </message>
    <message>
        <source>answers %1, after its wait: %2</source>
        <translation>%1 への応答（待ち時間の後）: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes in all</source>
        <translation>
            <numerusform>全 %n バイト</numerusform>
        </translation>
    </message>
    <message>
        <source>Time</source>
        <translation>時刻</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>What</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>データ</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>意味</translation>
    </message>
</context>
<context>
    <name>tavo::ExchangeLogWindow</name>
    <message>
        <source>Exchange Log</source>
        <translation>送受信ログ</translation>
    </message>
    <message>
        <source>Exchange log</source>
        <translation>送受信ログ</translation>
    </message>
    <message>
        <source>Every line sent to the projector and every reply, with the time</source>
        <translation>プロジェクターに送信したすべての行とすべての応答を時刻付きで表示します</translation>
    </message>
    <message>
        <source>not asked for</source>
        <translation>要求外の受信</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Save…</source>
        <translation>保存(&amp;S)…</translation>
    </message>
    <message>
        <source>exchange-log-%1.txt</source>
        <translation>exchange-log-%1.txt</translation>
    </message>
    <message>
        <source>Save Exchange Log</source>
        <translation>送受信ログの保存</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>テキストファイル (*.txt);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The log could not be saved to %1: %2</source>
        <translation>ログを %1 に保存できませんでした: %2</translation>
    </message>
</context>
<context>
    <name>tavo::HelpText</name>
    <message>
        <source>Button</source>
        <translation>ボタン</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>; </source>
        <translation>／</translation>
    </message>
    <message>
        <source>&lt;h3&gt;The panel&lt;/h3&gt;&lt;p&gt;Each button sends one command line to the projector over the serial line: its code and a carriage return (the table below lists them). The top rows choose power and input; the ON and OFF pairs switch their function; the picture buttons set the picture; COM shows the port panel, where the port and the line speed are chosen.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;パネル&lt;/h3&gt;&lt;p&gt;各ボタンは、シリアル回線でプロジェクターにコマンドを 1 行送ります。送るのはボタンのコードとキャリッジリターンです（下の表に一覧があります）。上の段で電源と入力を選び、ON と OFF の組で各機能を切り替え、映像ボタンで画質を設定します。COM を押すとポートパネルが開き、ポートとボーレートを選べます。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Hold buttons&lt;/b&gt; (%1) send at once when pressed with any mouse button and repeat while held. Activating a hold button from the keyboard sends nothing, by design: no key can start a repeat that no release would end.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;長押しボタン&lt;/b&gt;（%1）は、どのマウスボタンで押してもすぐに送信し、押している間くり返します。キーボードから長押しボタンを操作しても何も送りません。離す操作で止められないリピートをキーで始めないための仕様です。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;A line the port cannot take (the port is not open, the device was lost, the panel is still connecting) is not sent: the notice over the window&apos;s lower edge says so, in every view, and TXD shows no line.&lt;/p&gt;</source>
        <translation>&lt;p&gt;ポートが受け付けられない行（ポートが開いていない、デバイスが切断された、パネルがまだ接続中）は送信されません。そのことはどの表示でもウィンドウ下端の通知に表示され、TXD には何も表示されません。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Buttons&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;ボタン&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;About&lt;/h3&gt;&lt;p&gt;</source>
        <translation>&lt;h3&gt;このプログラムについて&lt;/h3&gt;&lt;p&gt;</translation>
    </message>
    <message>
        <source>Version %1. </source>
        <translation>バージョン %1。</translation>
    </message>
    <message>
        <source>Free software under the GNU General Public License, version 3 or any later version (GPL-3.0-or-later), with no warranty.&lt;/p&gt;</source>
        <translation>GNU 一般公衆利用許諾書バージョン 3 またはそれ以降のバージョン（GPL-3.0-or-later）によるフリーソフトウェアです。無保証です。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>(Japanese for “%1”)</source>
        <translation>（日本語で「%1」）</translation>
    </message>
    <message>
        <source>Repeats while held</source>
        <translation>押している間くり返し送信します</translation>
    </message>
    <message>
        <source>Sends, or does</source>
        <translation>送信するコード・働き</translation>
    </message>
    <message>
        <source>&lt;p&gt;&lt;b&gt;Replies&lt;/b&gt; appear in the full view: TXD shows the line sent, RXD the reply, with control characters as tokens and &quot;%1&quot; for a reply that did not come. The replies to %2 are decoded into the status line; every other reply, such as %3&apos;s, is shown in RXD only.&lt;/p&gt;</source>
        <translation>&lt;p&gt;&lt;b&gt;応答&lt;/b&gt;は全体表示に出ます。TXD に送った行、RXD に応答が表示され、制御文字は記号で、来なかった応答は「%1」で示されます。%2 への応答はデコードされてステータス行に表示されます。%3 などほかの応答は RXD にだけ表示されます。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Devices&lt;/h3&gt;&lt;p&gt;COM1 and COM2 stand for devices of your choice (Ctrl+D): a serial device, by its name or its stable name, or a device server on the network, one that speaks RFC 2217 (the panel sets the speed there) or a raw TCP port (whose speed is set on the server):&lt;/p&gt;%1&lt;p&gt;The chooser also offers the devices chosen before. To use a device for one run, or to put the simulated projector behind COM1 as &lt;i&gt;Try Without a Projector&lt;/i&gt; does:&lt;/p&gt;%2</source>
        <translation>&lt;h3&gt;デバイス&lt;/h3&gt;&lt;p&gt;COM1 と COM2 には好きなデバイスを割り当てられます（Ctrl+D）。シリアルデバイスはその名前か固定名で、ネットワーク上のデバイスサーバーは RFC 2217 対応のもの（ボーレートはパネルが設定）か raw TCP のポート（ボーレートはサーバー側で設定）で、次のように指定します:&lt;/p&gt;%1&lt;p&gt;デバイス選択では以前に選んだデバイスも表示されます。その実行に限りデバイスを使うには、また&lt;i&gt;プロジェクターなしで試す&lt;/i&gt;と同じく COM1 にプロジェクターシミュレーターをつなぐには、次のように起動します:&lt;/p&gt;%2</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Settings&lt;/h3&gt;&lt;p&gt;The devices chosen for COM1 and COM2 are kept in:&lt;/p&gt;%1&lt;p&gt;The port and speed chosen in the port panel are not kept: each run starts on COM1 at 19200 baud.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;設定&lt;/h3&gt;&lt;p&gt;COM1 と COM2 に選んだデバイスは次のファイルに保存されます:&lt;/p&gt;%1&lt;p&gt;ポートパネルで選んだポートとボーレートは保存されず、起動するたびに COM1、19200 bps で始まります。&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Room control&lt;/h3&gt;&lt;p&gt;&lt;b&gt;tavo-pjlink&lt;/b&gt; makes the projector reachable from PJLink room-control systems over the network; its manual page tells how:&lt;/p&gt;%1</source>
        <translation>&lt;h3&gt;ルームコントロール&lt;/h3&gt;&lt;p&gt;&lt;b&gt;tavo-pjlink&lt;/b&gt; を使うと、ネットワーク上の PJLink 対応ルームコントロールシステムからプロジェクターを操作できます。使い方はマニュアルページにあります:&lt;/p&gt;%1</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Language&lt;/h3&gt;&lt;p&gt;The panel speaks the desktop&apos;s language where it has a translation (Japanese), else English; the captions on the panel are the same in every language. To start it in Japanese, or in English:&lt;/p&gt;%1</source>
        <translation>&lt;h3&gt;言語&lt;/h3&gt;&lt;p&gt;パネルは、翻訳がある言語（日本語）ならデスクトップの言語で、それ以外は英語で表示します。パネル上のボタンなどの表示名はどの言語でも同じです。日本語または英語で起動するには、次のようにします:&lt;/p&gt;%1</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;F1&lt;/b&gt;&lt;/td&gt;&lt;td&gt;this help; right-click the window for &lt;i&gt;Help&lt;/i&gt; as well. Escape closes it.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;F1&lt;/b&gt;&lt;/td&gt;&lt;td&gt;このヘルプ。ウィンドウを右クリックして&lt;i&gt;ヘルプ&lt;/i&gt;を選んでも開きます。Escape で閉じます。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+H&lt;/b&gt;&lt;/td&gt;&lt;td&gt;the full view: data pane, status reads and status line.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+H&lt;/b&gt;&lt;/td&gt;&lt;td&gt;全体表示: データ欄、状態読み出しボタン、ステータス行。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Pane button&lt;/b&gt;&lt;/td&gt;&lt;td&gt;beside the data pane, shown after Ctrl+H. Its caption names what the next click does: %1.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;データ欄ボタン&lt;/b&gt;&lt;/td&gt;&lt;td&gt;データ欄の横にあり、Ctrl+H の後に表示されます。表示名は次のクリックで行うことを示します: %1。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+L&lt;/b&gt;&lt;/td&gt;&lt;td&gt;the exchange log: every line sent and every reply, one row each, with the time of day to the millisecond, the port and the decoded status, and what happened to the port. Rows can be selected, copied (Ctrl+C) and saved. Also &lt;i&gt;Exchange Log…&lt;/i&gt; in the context menu.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+L&lt;/b&gt;&lt;/td&gt;&lt;td&gt;送受信ログ: 送信したすべての行とすべての応答を 1 行ずつ、ミリ秒までの時刻、ポート、デコードしたステータスとともに表示します。ポートに起きたことも記録します。行は選択、コピー（Ctrl+C）、保存ができます。コンテキストメニューの&lt;i&gt;送受信ログ…&lt;/i&gt;からも開けます。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+D&lt;/b&gt;&lt;/td&gt;&lt;td&gt;the device chooser, which sets the devices COM1 and COM2 stand for; also &lt;i&gt;Choose Device…&lt;/i&gt; in the context menu of the COM button.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Ctrl+D&lt;/b&gt;&lt;/td&gt;&lt;td&gt;デバイス選択。COM1 と COM2 に使うデバイスを設定します。COM ボタンのコンテキストメニューの&lt;i&gt;デバイスを選択…&lt;/i&gt;からも開けます。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Menu&lt;/b&gt;, &lt;b&gt;Shift+F10&lt;/b&gt;&lt;/td&gt;&lt;td&gt;the context menu at the button that has the focus: the device chooser, this help, the exchange log and the views.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Menu&lt;/b&gt;、&lt;b&gt;Shift+F10&lt;/b&gt;&lt;/td&gt;&lt;td&gt;フォーカスのあるボタンの位置にコンテキストメニューを開きます: デバイス選択、このヘルプ、送受信ログ、表示の切り替え。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Tab&lt;/b&gt;, &lt;b&gt;Space&lt;/b&gt;&lt;/td&gt;&lt;td&gt;move between the buttons in view and activate one-shot buttons; buttons below the window&apos;s lower edge are passed by.&lt;/td&gt;&lt;/tr&gt;</source>
        <translation>&lt;tr&gt;&lt;td&gt;&lt;b&gt;Tab&lt;/b&gt;、&lt;b&gt;Space&lt;/b&gt;&lt;/td&gt;&lt;td&gt;見えているボタンの間を移動し、単発ボタンを押します。ウィンドウの下端より下のボタンは飛ばします。&lt;/td&gt;&lt;/tr&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Keys&lt;/h3&gt;</source>
        <translation>&lt;h3&gt;キー&lt;/h3&gt;</translation>
    </message>
    <message>
        <source>&lt;p&gt;In use now: &lt;b&gt;%1&lt;/b&gt;. COM&apos;s tool tip says so too.&lt;/p&gt;</source>
        <translation>&lt;p&gt;現在使用中: &lt;b&gt;%1&lt;/b&gt;。COM ボタンのツールチップにも表示されます。&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>tavo::HelpWindow</name>
    <message>
        <source>Panel help</source>
        <translation>パネルのヘルプ</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>ヘルプの本文</translation>
    </message>
</context>
<context>
    <name>tavo::LineSettings</name>
    <message>
        <source>%1 baud, %2</source>
        <translation>%1 ボー、%2</translation>
    </message>
</context>
<context>
    <name>tavo::LocalDevice</name>
    <message>
        <source>Opening %1…</source>
        <translation>%1 を開いています…</translation>
    </message>
</context>
<context>
    <name>tavo::MainWindow</name>
    <message>
        <source>The port panel: COM1 or COM2, 19200 or 9600 baud. Ctrl+D or right-click: %1 Ctrl+H: the full view with the data pane.</source>
        <translation>ポートパネル: COM1 か COM2、19200 か 9600 bps。Ctrl+D または右クリック: %1 Ctrl+H: データ欄のある全体表示。</translation>
    </message>
    <message>
        <source>COM%1 is the %2: nothing reaches a real projector.</source>
        <translation>COM%1 は%2です。実際のプロジェクターには何も届きません。</translation>
    </message>
    <message>
        <source>COM%1, %2</source>
        <translation>COM%1、%2</translation>
    </message>
    <message>
        <source>COM%1: %2, %3</source>
        <translation>COM%1: %2、%3</translation>
    </message>
    <message>
        <source>%1. %2</source>
        <translation>%1。%2</translation>
    </message>
</context>
<context>
    <name>tavo::NetworkAddressTexts</name>
    <message>
        <source>%1 is no network address</source>
        <translation>%1 はネットワークアドレスではありません</translation>
    </message>
    <message>
        <source>%1:// is not a kind of network device the panel knows</source>
        <translation>%1:// はパネルが扱える種類のネットワークデバイスではありません</translation>
    </message>
    <message>
        <source>%1 does not name a host and a port</source>
        <translation>%1 にはホストとポートが指定されていません</translation>
    </message>
</context>
<context>
    <name>tavo::NetworkDevice</name>
    <message>
        <source>Connecting to %1…</source>
        <translation>%1 に接続しています…</translation>
    </message>
    <message>
        <source>the device server sent endless telnet negotiation</source>
        <translation>デバイスサーバーが telnet のネゴシエーションを際限なく送ってきました</translation>
    </message>
    <message>
        <source>the device server sent a telnet subnegotiation that never ends</source>
        <translation>デバイスサーバーが終わらない telnet のサブネゴシエーションを送ってきました</translation>
    </message>
    <message>
        <source>the device server set %1 baud</source>
        <translation>デバイスサーバーが %1 bps に設定しました</translation>
    </message>
</context>
<context>
    <name>tavo::OpenDiagnosis</name>
    <message>
        <source>the name of its lock file, made from the path, is too long; give a shorter path to the device</source>
        <translation>パスから作るロックファイルの名前が長すぎます。デバイスにもっと短いパスを指定してください</translation>
    </message>
</context>
<context>
    <name>tavo::OperationModel</name>
    <message>
        <source>in standby</source>
        <translation>スタンバイ状態</translation>
    </message>
    <message>
        <source>warming up</source>
        <translation>ウォームアップ中</translation>
    </message>
    <message>
        <source>on</source>
        <translation>電源オン状態</translation>
    </message>
    <message>
        <source>cooling down</source>
        <translation>クールダウン中</translation>
    </message>
    <message>
        <source>the projector is %1; it ignores %2 until it is %3</source>
        <translation>プロジェクターは%1のため、%3になるまで %2 は無視されます</translation>
    </message>
</context>
<context>
    <name>tavo::PanelLogic</name>
    <message>
        <source>Cancelled: %1</source>
        <translation>キャンセルしました: %1</translation>
    </message>
    <message>
        <source>Not sent: %1 (%2 in a row). %3</source>
        <translation>未送信: %1（%2 回連続）。%3</translation>
    </message>
    <message>
        <source>Not sent: %1. %2</source>
        <translation>未送信: %1。%2</translation>
    </message>
    <message>
        <source>Unexpected reply %1 to %2; expected %3.</source>
        <translation>%2 への応答 %1 は想定外です。想定した応答: %3。</translation>
    </message>
    <message>
        <source>Sent %1, but %2 (status read %3 s ago).</source>
        <translation>%1 を送信しましたが、%2（%3 秒前のステータス読み出しによる）。</translation>
    </message>
    <message>
        <source>Opened %1, %2.</source>
        <translation>%1 を開きました（%2）。</translation>
    </message>
    <message>
        <source>Line set to %1.</source>
        <translation>回線を %1 に設定しました。</translation>
    </message>
</context>
<context>
    <name>tavo::PanelPortAdvice</name>
    <message>
        <source>the panel</source>
        <translation>パネル</translation>
    </message>
    <message>
        <source>The panel</source>
        <translation>パネル</translation>
    </message>
    <message>
        <source> Choose Device… sets the device for COM%1 (in the running panel: right-click COM, or Ctrl+D). From a terminal: --com%1 DEVICE%2.</source>
        <translation>「デバイスを選択…」で COM%1 のデバイスを設定できます（起動中のパネルでは COM を右クリック、または Ctrl+D）。端末からは --com%1 DEVICE%2 を指定します。</translation>
    </message>
    <message>
        <source>, or --simulate for a simulated projector</source>
        <translation>、またはプロジェクターシミュレーターを使う --simulate</translation>
    </message>
    <message>
        <source>, or start the panel with --com%1 DEVICE to use another device</source>
        <translation>。または --com%1 DEVICE を付けてパネルを起動し、別のデバイスを使ってください</translation>
    </message>
    <message>
        <source>%1 is not open: a port change failed. Choose COM%2 again under COM to try again, or choose another device (Ctrl+D).</source>
        <translation>%1 は開いていません: ポートの切り替えに失敗しました。もう一度試すには COM で COM%2 を選び直すか、別のデバイスを選んでください（Ctrl+D）。</translation>
    </message>
</context>
<context>
    <name>tavo::PortFailureDialogs</name>
    <message>
        <source>Retry tries the same device again, for one about to appear (a USB adapter just plugged in).</source>
        <translation>「再試行」は同じデバイスをもう一度試します。これから現れるデバイス（つないだばかりの USB アダプターなど）に使います。</translation>
    </message>
    <message>
        <source>Try Without a Projector</source>
        <translation>プロジェクターなしで試す</translation>
    </message>
    <message>
        <source> Try Without a Projector uses a simulated one.</source>
        <translation>「プロジェクターなしで試す」はプロジェクターシミュレーターを使います。</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
</context>
<context>
    <name>tavo::PortLabel</name>
    <message>
        <source>simulated projector</source>
        <translation>プロジェクターシミュレーター</translation>
    </message>
</context>
<context>
    <name>tavo::PortMessages</name>
    <message>
        <source>No serial ports were found on this computer.</source>
        <translation>このコンピューターにはシリアルポートが見つかりませんでした。</translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation>、ほか %1 個</translation>
    </message>
    <message>
        <source>Serial ports found: %1.</source>
        <translation>見つかったシリアルポート: %1。</translation>
    </message>
    <message>
        <source>; did you mean tcp://%1 or rfc2217://%1?</source>
        <translation>。tcp://%1 または rfc2217://%1 のことですか？</translation>
    </message>
    <message>
        <source>%1 cannot be opened: access is denied.</source>
        <translation>%1 を開けません: アクセスが拒否されました。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: permission denied. Serial devices are open to the members of the %2 group: run  sudo usermod -aG %2 $USER  and log in again.</source>
        <translation>%1 を開けません: 権限がありません。シリアルデバイスは %2 グループのメンバーが使えます。 sudo usermod -aG %2 $USER  を実行して、ログインし直してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: permission denied. The device belongs to user %2 and group %3 with mode %4, so joining a group does not help. Have the administrator add a udev rule that gives it group dialout and mode 0660%5.</source>
        <translation>%1 を開けません: 権限がありません。このデバイスの所有者はユーザー %2、グループ %3、モードは %4 のため、グループに参加しても使えません。管理者に、グループ dialout・モード 0660 を与える udev ルールを追加してもらってください%5。</translation>
    </message>
    <message>
        <source>No device is set for %1.%2</source>
        <translation>%1 にデバイスが設定されていません。%2</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device does not exist%2</source>
        <translation>%1 を開けません: デバイスが存在しません%2</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device does not exist. %2%3</source>
        <translation>%1 を開けません: デバイスが存在しません。%2%3</translation>
    </message>
    <message>
        <source>%1 cannot be opened: it is in use by another program. Close that program (a terminal, another panel) and try again.</source>
        <translation>%1 を開けません: ほかのプログラムが使用中です。そのプログラム（端末ソフトや別のパネルなど）を閉じてから、もう一度試してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: it is not a serial port.%2</source>
        <translation>%1 を開けません: シリアルポートではありません。%2</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device exists, but no serial port answers behind it (a built-in COM port this computer does not have). %2%3</source>
        <translation>%1 を開けません: デバイスはありますが、その先で応答するシリアルポートがありません（このコンピューターにない内蔵 COM ポートです）。%2%3</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the lock file %2 names process %3, which no longer exists, and this user may not remove it. Remove it with  sudo rm %2  and try again.</source>
        <translation>%1 を開けません: ロックファイル %2 に記録されたプロセス %3 はもう存在しませんが、このユーザーにはロックファイルを削除する権限がありません。 sudo rm %2  で削除してから、もう一度試してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened.</source>
        <translation>%1 を開けません。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>%1 を開けません: %2。</translation>
    </message>
    <message>
        <source>%1 was disconnected.%2</source>
        <translation>%1 が切断されました。%2</translation>
    </message>
    <message>
        <source> %1 opens it again as soon as it is back.</source>
        <translation>%1は、デバイスが戻りしだい開き直します。</translation>
    </message>
    <message>
        <source>%1 is back and open again.</source>
        <translation>%1 が戻り、再び開きました。</translation>
    </message>
    <message>
        <source>%1 is not open.</source>
        <translation>%1 は開いていません。</translation>
    </message>
    <message>
        <source>%1 does not accept the line settings %2: %3.</source>
        <translation>%1 は通信設定 %2 を受け付けません: %3。</translation>
    </message>
    <message>
        <source>Sending on %1 failed: the device did not take the data.</source>
        <translation>%1 での送信に失敗しました: デバイスがデータを受け取りませんでした。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2. Network devices are written rfc2217://HOST:PORT or tcp://HOST:PORT, with IPv6 addresses in brackets.</source>
        <translation>%1 を開けません: %2。ネットワークデバイスは rfc2217://HOST:PORT または tcp://HOST:PORT と書きます。IPv6 アドレスは [ ] で囲みます。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the host %2 was not found. Check the host name and the computer&apos;s network connection.</source>
        <translation>%1 を開けません: ホスト %2 が見つかりません。ホスト名と、このコンピューターのネットワーク接続を確認してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device server refused the connection. Check the port number and that the device server (such as ser2net) is running.</source>
        <translation>%1 を開けません: デバイスサーバーが接続を拒否しました。ポート番号と、デバイスサーバー（ser2net など）が動いていることを確認してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device server did not answer within %2 seconds. Check the address, the network and that the device server is switched on.</source>
        <translation>%1 を開けません: デバイスサーバーが %2 秒以内に応答しませんでした。アドレス、ネットワーク、デバイスサーバーの電源が入っていることを確認してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device server took the connection but did not answer within %2 seconds. Check that this port of the server speaks RFC 2217, or use tcp://HOST:PORT for a raw TCP port.</source>
        <translation>%1 を開けません: デバイスサーバーは接続を受け付けましたが、%2 秒以内に応答しませんでした。サーバーのこのポートが RFC 2217 に対応しているか確認してください。raw TCP のポートなら tcp://HOST:PORT を使ってください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device server does not let %2 set the line (RFC 2217). Enable it on the server, or use tcp://HOST:PORT with the speed set on the server.</source>
        <translation>%1 を開けません: デバイスサーバーが%2による通信設定（RFC 2217）を許可していません。サーバーで有効にするか、ボーレートをサーバー側で設定して tcp://HOST:PORT を使ってください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device server closed the connection. Its serial device may be missing or in use by another client; check the server.</source>
        <translation>%1 を開けません: デバイスサーバーが接続を閉じました。サーバーのシリアルデバイスがないか、ほかのクライアントが使用中の可能性があります。サーバーを確認してください。</translation>
    </message>
    <message>
        <source>%1 cannot be opened: the device server says the port is in use; another client may be using it (another panel, a terminal). Close that client and try again.</source>
        <translation>%1 を開けません: デバイスサーバーがポートは使用中だと応答しました。ほかのクライアント（別のパネルや端末ソフトなど）が使っている可能性があります。そのクライアントを閉じてから、もう一度試してください。</translation>
    </message>
    <message>
        <source>%1 was cut off from the device server: %2.%3</source>
        <translation>%1 をデバイスサーバーから切り離しました: %2。%3</translation>
    </message>
    <message>
        <source> %1 connects again by itself after a pause.</source>
        <translation>%1は、しばらく待ってから自動的に再接続します。</translation>
    </message>
    <message>
        <source>%1 lost the connection: the device server closed it. Another client may be using the port, or the server stopped.%2</source>
        <translation>%1 の接続が切れました: デバイスサーバーが接続を閉じました。ほかのクライアントがポートを使っているか、サーバーが停止した可能性があります。%2</translation>
    </message>
    <message>
        <source> %1 connects again by itself, less often while that lasts.</source>
        <translation>%1は自動的に再接続します。この状態が続く間は、再接続の間隔を広げます。</translation>
    </message>
    <message>
        <source>%1: the device server says the port is in use; another client may be using it.%2</source>
        <translation>%1: デバイスサーバーがポートは使用中だと応答しました。ほかのクライアントが使っている可能性があります。%2</translation>
    </message>
    <message>
        <source>%1 lost the connection to the device server.%2</source>
        <translation>%1 とデバイスサーバーの接続が切れました。%2</translation>
    </message>
    <message>
        <source> %1 connects again by itself as soon as the server answers.</source>
        <translation>%1は、サーバーが応答しだい自動的に再接続します。</translation>
    </message>
    <message>
        <source>%1 is not ready yet: %2 is still connecting to it.</source>
        <translation>%1 はまだ使えません: %2が接続中です。</translation>
    </message>
    <message>
        <source>%1 is a raw TCP connection: its line speed is set on the device server, not by %2.</source>
        <translation>%1 は raw TCP 接続です: ボーレートは%2ではなく、デバイスサーバー側で設定します。</translation>
    </message>
    <message>
        <source>the device server does not take what %1 sends</source>
        <translation>デバイスサーバーが%1の送るデータを受け取りません</translation>
    </message>
    <message>
        <source>Sending on %1 failed: %2.</source>
        <translation>%1 での送信に失敗しました: %2。</translation>
    </message>
    <message>
        <source>%1 characters do not fit the send buffer of %2.</source>
        <translation>%1 文字は送信バッファー（%2）に収まりません。</translation>
    </message>
</context>
<context>
    <name>tavo::PtyProjector</name>
    <message>
        <source>unsupported line speed %1</source>
        <translation>対応していないボーレート %1</translation>
    </message>
    <message>
        <source>cannot create a pseudo-terminal</source>
        <translation>疑似端末を作成できません</translation>
    </message>
    <message>
        <source>cannot set up the pseudo-terminal</source>
        <translation>疑似端末を設定できません</translation>
    </message>
    <message>
        <source>%1 is not a serial port</source>
        <translation>%1 はシリアルポートではありません</translation>
    </message>
</context>
<context>
    <name>tavo::ReplyJudgement</name>
    <message>
        <source>a power status such as %1 CR</source>
        <translation>%1 CR のような電源状態</translation>
    </message>
    <message>
        <source>an input number such as %1 CR</source>
        <translation>%1 CR のような入力番号</translation>
    </message>
    <message>
        <source>a mirror setting such as %1 CR</source>
        <translation>%1 CR のようなミラー設定</translation>
    </message>
    <message>
        <source>%1 digits of lamp hours CR</source>
        <translation>%1 桁のランプ使用時間と CR</translation>
    </message>
    <message>
        <source>%1 temperatures such as 025.0 031.5 042.0 CR</source>
        <translation>025.0 031.5 042.0 CR のような %1 つの温度</translation>
    </message>
    <message>
        <source>%1, %2 times</source>
        <translation>%1（%2 回）</translation>
    </message>
</context>
<context>
    <name>tavo::TcpProjector</name>
    <message>
        <source>cannot listen on %1 port %2: %3</source>
        <translation>%1 のポート %2 で待ち受けできません: %3</translation>
    </message>
</context>
<context>
    <name>tavo::WindowActions</name>
    <message>
        <source>Full View with Data and Status</source>
        <translation>データとステータスの全体表示</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>Show Data Pane</source>
        <translation>データ欄を表示</translation>
    </message>
    <message>
        <source>Exchange Log…</source>
        <translation>送受信ログ…</translation>
    </message>
</context>
<context>
    <name>tavo::catalog</name>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>ボーレート</translation>
    </message>
    <message>
        <source>Data pane</source>
        <translation>データ欄</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>ロゴ</translation>
    </message>
    <message>
        <source>Lens shift up</source>
        <translation>レンズシフト 上</translation>
    </message>
    <message>
        <source>Lens shift down</source>
        <translation>レンズシフト 下</translation>
    </message>
    <message>
        <source>Cursor up</source>
        <translation>カーソル 上</translation>
    </message>
    <message>
        <source>Cursor left</source>
        <translation>カーソル 左</translation>
    </message>
    <message>
        <source>Cursor SELECT</source>
        <translation>カーソル SELECT</translation>
    </message>
    <message>
        <source>Cursor right</source>
        <translation>カーソル 右</translation>
    </message>
    <message>
        <source>Cursor down</source>
        <translation>カーソル 下</translation>
    </message>
    <message>
        <source>Closes the port and ends the program</source>
        <translation>ポートを閉じてプログラムを終了します</translation>
    </message>
    <message>
        <source>Shows the port panel</source>
        <translation>ポートパネルを表示します</translation>
    </message>
    <message>
        <source>Switches the port to COM1</source>
        <translation>ポートを COM1 に切り替えます</translation>
    </message>
    <message>
        <source>Switches the port to COM2</source>
        <translation>ポートを COM2 に切り替えます</translation>
    </message>
    <message>
        <source>Switches the line to 19200 baud</source>
        <translation>ボーレートを 19200 bps に切り替えます</translation>
    </message>
    <message>
        <source>Switches the line to 9600 baud</source>
        <translation>ボーレートを 9600 bps に切り替えます</translation>
    </message>
    <message>
        <source>Transmitted data</source>
        <translation>送信データ</translation>
    </message>
    <message>
        <source>Received data</source>
        <translation>受信データ</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>ステータス</translation>
    </message>
    <message>
        <source>Show data</source>
        <translation>データを表示</translation>
    </message>
    <message>
        <source>Shows the data pane</source>
        <translation>データ欄を表示します</translation>
    </message>
    <message>
        <source>Hide data</source>
        <translation>データを非表示</translation>
    </message>
    <message>
        <source>Hides the data pane</source>
        <translation>データ欄を非表示にします</translation>
    </message>
    <message>
        <source>Close full view</source>
        <translation>全体表示を閉じる</translation>
    </message>
    <message>
        <source>Collapses the full view</source>
        <translation>全体表示を閉じて元の表示に戻します</translation>
    </message>
    <message>
        <source>Show the data</source>
        <translation>データを表示する</translation>
    </message>
    <message>
        <source>Hide the data</source>
        <translation>データを表示しない</translation>
    </message>
</context>
<context>
    <name>tavo::ctl::CommandNames</name>
    <message>
        <source>reads the power status</source>
        <translation>電源状態を読み出します</translation>
    </message>
    <message>
        <source>reads the selected input</source>
        <translation>選択中の入力を読み出します</translation>
    </message>
    <message>
        <source>reads the lamp hours</source>
        <translation>ランプ使用時間を読み出します</translation>
    </message>
    <message>
        <source>reads the mirror setting</source>
        <translation>ミラー設定を読み出します</translation>
    </message>
    <message>
        <source>reads the temperatures</source>
        <translation>温度を読み出します</translation>
    </message>
</context>
<context>
    <name>tavo::ctl::CtlPortAdvice</name>
    <message>
        <source> Name the device with --device DEV (such as /dev/ttyUSB0, rfc2217://HOST:PORT or tcp://HOST:PORT); --com1 and --com2 use the devices chosen in the panel.</source>
        <translation>デバイスは --device DEV で指定してください（例: /dev/ttyUSB0、rfc2217://HOST:PORT、tcp://HOST:PORT）。--com1 と --com2 はパネルで選んだデバイスを使います。</translation>
    </message>
    <message>
        <source>, or name another device with --device DEV</source>
        <translation>。または --device DEV で別のデバイスを指定してください</translation>
    </message>
</context>
<context>
    <name>tavo::ctl::Texts</name>
    <message>
        <source>character %1 of LINE (U+%2) is not printable 7-bit ASCII; nothing was sent</source>
        <translation>LINE の %1 文字目（U+%2）は印字可能な 7 ビット ASCII ではありません。何も送信していません</translation>
    </message>
    <message>
        <source>the %1 button</source>
        <translation>%1 ボタン</translation>
    </message>
    <message>
        <source>, held: every %1 ms with --repeat</source>
        <translation>、長押し: --repeat で %1 ms ごと</translation>
    </message>
    <message>
        <source>send needs one LINE, e.g.  send CR0</source>
        <translation>send には LINE を 1 つ指定してください（例:  send CR0 ）</translation>
    </message>
    <message>
        <source>LINE must be 1 to %1 characters without CR; the CR is added</source>
        <translation>LINE は CR を含まない 1 から %1 文字にしてください。CR は自動で付加します</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;.</source>
        <translation>不明なコマンド &apos;%1&apos; です。</translation>
    </message>
    <message>
        <source> Did you mean: %1?</source>
        <translation>もしかして: %1？</translation>
    </message>
    <message>
        <source> Run  tavo-ctl list  for every command.</source>
        <translation> すべてのコマンドは  tavo-ctl list  で確認できます。</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>予期しない引数 &apos;%1&apos; があります</translation>
    </message>
    <message>
        <source>The projector&apos;s serial device, e.g. /dev/ttyUSB0, or a device server: rfc2217://HOST:PORT or tcp://HOST:PORT.</source>
        <translation>プロジェクターのシリアルデバイス（例: /dev/ttyUSB0）、またはデバイスサーバー: rfc2217://HOST:PORT か tcp://HOST:PORT。</translation>
    </message>
    <message>
        <source>The panel&apos;s COM1 (the default).</source>
        <translation>パネルの COM1（既定）。</translation>
    </message>
    <message>
        <source>The panel&apos;s COM2.</source>
        <translation>パネルの COM2。</translation>
    </message>
    <message>
        <source>Line speed: 19200 (default) or 9600.</source>
        <translation>ボーレート: 19200（既定）または 9600。</translation>
    </message>
    <message>
        <source>Held buttons only: send N times at the panel&apos;s rate (default 1).</source>
        <translation>長押しボタンのみ: パネルと同じ間隔で N 回送ります（既定 1）。</translation>
    </message>
    <message>
        <source>What to send; see Commands above.</source>
        <translation>送るもの。上の「コマンド」を参照。</translation>
    </message>
    <message>
        <source>give one of --device, --com1 and --com2</source>
        <translation>--device、--com1、--com2 のうち 1 つだけ指定してください</translation>
    </message>
    <message>
        <source>--device needs a device, such as /dev/ttyUSB0</source>
        <translation>--device にはデバイスを指定してください（例: /dev/ttyUSB0）</translation>
    </message>
    <message>
        <source>--speed must be 19200 or 9600</source>
        <translation>--speed は 19200 または 9600 にしてください</translation>
    </message>
    <message>
        <source>--timeout must lie between 1 and %1 ms</source>
        <translation>--timeout は 1 から %1 ms の範囲で指定してください</translation>
    </message>
    <message>
        <source>--repeat must lie between 1 and %1</source>
        <translation>--repeat は 1 から %1 の範囲で指定してください</translation>
    </message>
    <message>
        <source>no command given. Run  tavo-ctl --help  for the usage, tavo-ctl list for every command.</source>
        <translation>コマンドが指定されていません。使い方は  tavo-ctl --help 、すべてのコマンドは  tavo-ctl list  で確認できます。</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>中断しました</translation>
    </message>
    <message>
        <source>interrupted before the reply</source>
        <translation>応答の前に中断しました</translation>
    </message>
    <message>
        <source>interrupted while opening the device</source>
        <translation>デバイスを開いている途中で中断しました</translation>
    </message>
    <message>
        <source>the projector refused %1</source>
        <translation>プロジェクターが %1 を拒否しました</translation>
    </message>
    <message>
        <source>no reply from %1 within %2 ms</source>
        <translation>%1 から %2 ms 以内に応答がありません</translation>
    </message>
    <message>
        <source>not every line had its reply from %1 within %2 ms; expected %3</source>
        <translation>%1 から %2 ms 以内に応答のない行がありました。想定した応答: %3</translation>
    </message>
    <message>
        <source>an unexpected reply from %1 to %2 (%3): &quot;%4&quot;; expected %5. %6</source>
        <translation>%1 から %2（%3）への想定外の応答: &quot;%4&quot;。想定した応答: %5。%6</translation>
    </message>
    <message>
        <source>The device server speaks telnet on this port: name it rfc2217://HOST:PORT.</source>
        <translation>デバイスサーバーはこのポートで telnet を使っています: rfc2217://HOST:PORT と指定してください。</translation>
    </message>
    <message>
        <source>The speed may differ from the projector&apos;s (--speed), or something other than the projector answers on this line.</source>
        <translation>ボーレートがプロジェクターと違う（--speed）か、この回線ではプロジェクター以外のものが応答している可能性があります。</translation>
    </message>
    <message>
        <source>Print the line, the reply, its rendering and the decoded value as one JSON object, the values also as numbers and words (hours, temperatures, input, power).</source>
        <translation>送った行、応答、その表示形、デコードした値を 1 つの JSON オブジェクトで出力します。値は数値と語でも出力します（時間、温度、入力、電源）。</translation>
    </message>
    <message>
        <source>Print nothing when the command succeeds; errors still go to standard error.</source>
        <translation>コマンドが成功したときは何も出力しません。エラーはこれまでどおり標準エラー出力に出します。</translation>
    </message>
    <message>
        <source>give one of --json and --quiet</source>
        <translation>--json と --quiet のうち 1 つだけ指定してください</translation>
    </message>
    <message>
        <source>--repeat is for the lines of the held buttons only, and %1 is not one of them; nothing was sent</source>
        <translation>--repeat は長押しボタンの行専用ですが、%1 はそのどれでもありません。何も送信していません</translation>
    </message>
    <message>
        <source>--repeat is for the held buttons only, and %1 is not one of them; nothing was sent</source>
        <translation>--repeat は長押しボタン専用ですが、%1 は長押しボタンではありません。何も送信していません</translation>
    </message>
    <message>
        <source>interrupted while reading the power status; nothing was sent</source>
        <translation>電源状態を読んでいる途中で中断しました。何も送信していません</translation>
    </message>
    <message>
        <source>the reply to %1 came only after its wait had ended: %2; --timeout MS waits longer</source>
        <translation>%1 への応答は待ち時間が過ぎてから届きました: %2。--timeout MS でより長く待てます</translation>
    </message>
    <message>
        <source>the device flooded the line: more than %1 bytes came back, far more than any reply</source>
        <translation>デバイスから大量のデータが届きました: %1 バイトを超えており、どの応答よりもはるかに長すぎます</translation>
    </message>
    <message>
        <source>Sends one of the panel&apos;s commands to an R5500 or R730 projector and prints the reply.

Commands:
  list          every command with its line and what it does
  status        power status; input, lamp-hours, mirror, temperatures likewise
  power-on ...  any of the panel&apos;s buttons, by group and caption
  send LINE     any line (CR is added); prints the reply
  watch         the power status, a line each time it changes, until Ctrl+C

Without --device, --com1 (the default) and --com2 mean the devices the panel uses.

A command the projector carries out only in some power states (power-on, the inputs,
the mutes) is sent only after the power status shows that it will be carried out.

Replies other than the decoded values are printed as the panel&apos;s data monitor shows them
(ACK CR); an unexpected one is escaped: printable ASCII as it is, other bytes as \xNN.

Exit status:
  0    acknowledged, or a well-formed status; with --wait, the state reached
  1    device error (cannot open, in use, disconnected)
  2    usage error, unknown command
  3    refused by the projector (? CR), or not sent: the projector would ignore it now
  4    no reply within the reply wait; with --wait, the state not reached in time
  5    an unexpected reply, not one the projector gives
  130  interrupted

Messages follow the desktop&apos;s language (LANG=C for English); --json output never does.</source>
        <translation>パネルのコマンドを 1 つ R5500・R730 プロジェクターに送り、応答を表示します。

コマンド:
  list          すべてのコマンドと、送る行、その働き
  status        電源状態。input、lamp-hours、mirror、temperatures も同様
  power-on ...  パネルのどのボタンも、グループと表示名で指定
  send LINE     任意の行（CR は自動で付加）を送り、応答を表示
  watch         電源状態を、変わるたびに 1 行ずつ、Ctrl+C まで表示

--device を付けないとき、--com1（既定）と --com2 はパネルが使うデバイスを指します。

一部の電源状態でしか実行されないコマンド（power-on、入力切替、ミュート）は、
電源状態を読んで実行されることを確かめてから送ります。

デコードした値以外の応答は、パネルのデータモニターと同じ形（ACK CR）で表示します。
想定外の応答はエスケープして表示します: 印字可能な ASCII はそのまま、ほかのバイトは \xNN。

終了ステータス:
  0    了解（ACK）、または正しい形式の状態。--wait では目的の状態になった
  1    デバイスのエラー（開けない、使用中、切断）
  2    使い方の誤り、不明なコマンド
  3    プロジェクターが拒否（? CR）、または今は無視されるため送信せず
  4    応答待ちの時間内に応答なし。--wait では時間内に目的の状態にならなかった
  5    想定外の応答（プロジェクターが返すものではない）
  130  中断

メッセージはデスクトップの言語に従います（英語にするには LANG=C）。--json の出力は変わりません。</translation>
    </message>
    <message>
        <source>Wait MS for the reply instead of the command&apos;s own wait; with --wait, for the whole wait (default %1).</source>
        <translation>コマンドごとの待ち時間の代わりに、応答を MS ミリ秒待ちます。--wait では待つ時間全体の上限です（既定 %1）。</translation>
    </message>
    <message>
        <source>power-on and power-off: wait until the projector is on or in standby, first waiting out a warm-up or cool-down.</source>
        <translation>power-on と power-off: プロジェクターが電源オンまたはスタンバイになるまで待ちます。ウォームアップやクールダウン中なら、まずその終わりを待ちます。</translation>
    </message>
    <message>
        <source>watch: read the power status every S seconds (default %1).</source>
        <translation>watch: 電源状態を S 秒ごとに読みます（既定 %1）。</translation>
    </message>
    <message>
        <source>--interval must lie between 1 and %1 s</source>
        <translation>--interval は 1 から %1 秒の範囲で指定してください</translation>
    </message>
    <message>
        <source>--%1 is not for watch</source>
        <translation>--%1 は watch には使えません</translation>
    </message>
    <message>
        <source>--interval is for watch only; nothing was sent</source>
        <translation>--interval は watch 専用です。何も送信していません</translation>
    </message>
    <message>
        <source>%1. Nothing was sent; with --wait, tavo-ctl waits for that and then sends %2.</source>
        <translation>%1。何も送信していません。--wait を付けると、tavo-ctl はそれを待ってから %2 を送ります。</translation>
    </message>
    <message>
        <source>%1. Nothing was sent.</source>
        <translation>%1。何も送信していません。</translation>
    </message>
    <message>
        <source>the projector reports %1 (status %2), which tells nothing of its lamp, so %3 was not sent</source>
        <translation>プロジェクターは %1（状態 %2）を返しており、ランプの状態がわからないため、%3 は送信していません</translation>
    </message>
    <message>
        <source>the power status was read before %1, and nothing was sent: %2</source>
        <translation>%1 の前に電源状態を読みましたが、読めなかったので何も送信していません: %2</translation>
    </message>
    <message>
        <source>the power status could not be read while waiting: %1</source>
        <translation>待っている間に電源状態を読めませんでした: %1</translation>
    </message>
    <message>
        <source>the power status was not read within %1 ms; %2 was not sent</source>
        <translation>%1 ms 以内に電源状態を読めませんでした。%2 は送信していません</translation>
    </message>
    <message>
        <source>%1 was sent, but the projector is still %2 after %3 ms</source>
        <translation>%1 を送信しましたが、%3 ms 経ってもプロジェクターはまだ%2です</translation>
    </message>
    <message>
        <source>the projector is still %1 after %2 ms; %3 was not sent</source>
        <translation>%2 ms 経ってもプロジェクターはまだ%1です。%3 は送信していません</translation>
    </message>
    <message>
        <source>interrupted while waiting for the projector</source>
        <translation>プロジェクターを待っている途中で中断しました</translation>
    </message>
    <message>
        <source>--wait is for power-on and power-off only; nothing was sent</source>
        <translation>--wait は power-on と power-off 専用です。何も送信していません</translation>
    </message>
    <message>
        <source>cannot read the power status: %1</source>
        <translation>電源状態を読めません: %1</translation>
    </message>
</context>
<context>
    <name>tavo::pjlink::BridgeLog</name>
    <message>
        <source>%1 more connections refused or closed, failed authentications and commands refused in the last %2 s, from other addresses</source>
        <translation>ほかのアドレスから、直近 %2 秒間にさらに %1 件の接続の拒否または切断、認証の失敗、コマンドの拒否がありました</translation>
    </message>
    <message>
        <source>projector: %1 more bytes in %2 pieces dropped between exchanges in the last %3 s</source>
        <translation>プロジェクター: 直近 %3 秒間に、やりとりの合間に受信したさらに %1 バイト（%2 回分）を破棄しました</translation>
    </message>
    <message>
        <source>%1 more commands answered ERR4 in the last %2 s: too many were waiting for the projector&apos;s line</source>
        <translation>直近 %2 秒間にさらに %1 件のコマンドに ERR4 を返しました: プロジェクターの回線を待つコマンドが多すぎます</translation>
    </message>
    <message>
        <source>%1: %2 more failed authentications in the last %3 s</source>
        <translation>%1: 直近 %3 秒間にさらに %2 回、認証に失敗しました</translation>
    </message>
    <message>
        <source>%1: %2 more connections refused in the last %3 s</source>
        <translation>%1: 直近 %3 秒間にさらに %2 件の接続を拒否しました</translation>
    </message>
    <message>
        <source>%1: %2 more connections closed without a valid command in the last %3 s</source>
        <translation>%1: 直近 %3 秒間に、有効なコマンドのないさらに %2 件の接続を切断しました</translation>
    </message>
    <message>
        <source>%1 lines of commands and connections left out of the log in the last %2 s (at most %3 a second are written)</source>
        <translation>直近 %2 秒間に、コマンドと接続の %1 行をログから省きました（書き込むのは 1 秒あたり %3 行までです）</translation>
    </message>
    <message>
        <source>projector: %1 more times in the last %2 s the line was not quiet after a reply wait</source>
        <translation>プロジェクター: 直近 %2 秒間に、応答待ちのあとで回線が静かにならなかったことがさらに %1 回ありました</translation>
    </message>
</context>
<context>
    <name>tavo::pjlink::BridgePortAdvice</name>
    <message>
        <source>the bridge</source>
        <translation>ブリッジ</translation>
    </message>
    <message>
        <source>The bridge</source>
        <translation>ブリッジ</translation>
    </message>
</context>
<context>
    <name>tavo::pjlink::LineQueue</name>
    <message>
        <source>projector on %1</source>
        <translation>プロジェクターを開きました: %1</translation>
    </message>
    <message>
        <source>%1 The bridge answers ERR4 and tries again, every %2 s at the longest.</source>
        <translation>%1ブリッジは ERR4 を返し、最長 %2 秒ごとに再試行します。</translation>
    </message>
    <message>
        <source>a command answered ERR4: %1</source>
        <translation>コマンドに ERR4 を返しました: %1</translation>
    </message>
    <message>
        <source>for a controller that has left: %1</source>
        <translation>切断したコントローラーの分: %1</translation>
    </message>
    <message>
        <source>projector: dropped %1 bytes received between exchanges: %2%3</source>
        <translation>プロジェクター: やりとりの合間に受信した %1 バイトを破棄しました: %2%3</translation>
    </message>
    <message>
        <source>projector: the line has not been quiet for %1 s after a reply wait; commands get ERR4 until it is</source>
        <translation>プロジェクター: 応答待ちのあと %1 秒たっても回線が静かになりません。静かになるまで、コマンドには ERR4 を返します</translation>
    </message>
    <message>
        <source>projector: dropped %1 bytes that came after the reply wait of %2: %3%4</source>
        <translation>プロジェクター: %2 の応答待ちのあとに届いた %1 バイトを破棄しました: %3%4</translation>
    </message>
</context>
<context>
    <name>tavo::pjlink::Server</name>
    <message>
        <source>cannot listen on %1: %2</source>
        <translation>%1 で待ち受けできません: %2</translation>
    </message>
    <message>
        <source>%1 refused: %2 connections are open already</source>
        <translation>%1 を拒否: すでに %2 個の接続があります</translation>
    </message>
    <message>
        <source>%1 refused: too many failed authentications, waits %2 s more</source>
        <translation>%1 を拒否: 認証の失敗が多すぎます。あと %2 秒待ちます</translation>
    </message>
    <message>
        <source>%1 refused: its address holds %2 connections already</source>
        <translation>%1 を拒否: このアドレスはすでに %2 個の接続を使っています</translation>
    </message>
    <message>
        <source>%1 closed to make room for %2: it had sent no valid command</source>
        <translation>%2 のために %1 を切断しました: 有効なコマンドを送っていませんでした</translation>
    </message>
    <message>
        <source>%1 authentication failed: no digest within %2 s</source>
        <translation>%1 の認証に失敗しました: %2 秒以内にダイジェストがありません</translation>
    </message>
</context>
<context>
    <name>tavo::pjlink::Session</name>
    <message>
        <source>no command for %1 s</source>
        <translation>%1 秒間コマンドなし</translation>
    </message>
    <message>
        <source>%1 connected</source>
        <translation>%1 が接続しました</translation>
    </message>
    <message>
        <source>%1 authentication failed</source>
        <translation>%1 の認証に失敗しました</translation>
    </message>
    <message>
        <source>after a failed authentication</source>
        <translation>認証に失敗したため</translation>
    </message>
    <message>
        <source>%1 closing: %2</source>
        <translation>%1 を切断します: %2</translation>
    </message>
    <message>
        <source>%1 disconnected</source>
        <translation>%1 との接続が切れました</translation>
    </message>
    <message>
        <source>%1 names no command</source>
        <translation>%1 はコマンドを含みません</translation>
    </message>
    <message>
        <source>no valid command within %1 s</source>
        <translation>%1 秒以内に有効なコマンドがありません</translation>
    </message>
</context>
</TS>
