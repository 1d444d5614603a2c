<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CsvConversion</name>
    <message>
        <location filename="../../DataRecorder/writer/CsvConversion.cpp" line="+30"/>
        <source>The folder %1 could not be created</source>
        <translation>フォルダ %1 を作成できませんでした</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>A record of the log could not be read</source>
        <translation>ログのレコードを読み込めませんでした</translation>
    </message>
</context>
<context>
    <name>CsvDataRecorder</name>
    <message>
        <location filename="../../DataRecorder/CsvDataRecorder.cpp" line="+34"/>
        <source>CSV Recorder</source>
        <translation>CSV レコーダー</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Folder Name</source>
        <translation>フォルダ名</translation>
    </message>
</context>
<context>
    <name>CsvFileSet</name>
    <message>
        <location filename="../../DataRecorder/writer/CsvFileSet.cpp" line="+76"/>
        <source>Cannot create the file %1: %2</source>
        <translation>ファイル %1 を作成できません: %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>no device</source>
        <translation>デバイスがありません</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cannot write the file %1: %2</source>
        <translation>ファイル %1 に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>CsvRecordSink</name>
    <message>
        <location filename="../../DataRecorder/writer/CsvRecordSink.cpp" line="+15"/>
        <source>No folder has been chosen for the CSV files</source>
        <translation>CSV ファイルの保存先フォルダが選択されていません</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The folder %1 does not exist</source>
        <translation>フォルダ %1 は存在しません</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The folder %1 cannot be written</source>
        <translation>フォルダ %1 に書き込めません</translation>
    </message>
</context>
<context>
    <name>DataRecorder</name>
    <message>
        <location filename="../../DataRecorder/DataRecorder.cpp" line="+46"/>
        <source>Record Count</source>
        <translation>記録数</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+1"/>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>The last recording is still being written; start again once it has finished</source>
        <translation>前回の記録をまだ書き込み中です。完了してから再度開始してください</translation>
    </message>
</context>
<context>
    <name>DataRecorderToCSV</name>
    <message>
        <location filename="../../DataRecorder/DataRecorderToCSV.cpp" line="+74"/>
        <source>The log %1 holds no record</source>
        <translation>ログ %1 にはレコードがありません</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Only %1 of %2 records could be read</source>
        <translation>%2 件中 %1 件のレコードしか読み込めませんでした</translation>
    </message>
</context>
<context>
    <name>RecorderManager</name>
    <message>
        <location filename="../../DataRecorder/RecorderManager.cpp" line="+142"/>
        <source>Recording is not allowed in the current connection state</source>
        <translation>現在の接続状態では記録できません</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Add Recorder</source>
        <translation>レコーダーを追加</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Remove Recorder</source>
        <translation>レコーダーを削除</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Recorders</source>
        <translation>レコーダー一覧</translation>
    </message>
</context>
<context>
    <name>T3dDataRecorder</name>
    <message>
        <location filename="../../DataRecorder/T3dDataRecorder.cpp" line="+39"/>
        <source>VBL Recorder</source>
        <translation>VBL レコーダー</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Recorder</source>
        <translation>レコーダー</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Taviro3D File</source>
        <translation>Taviro3D ファイル</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Use Compression</source>
        <translation>圧縮を使用</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>File is incorrect</source>
        <translation>ファイルが正しくありません</translation>
    </message>
</context>
<context>
    <name>VblRecordSink</name>
    <message>
        <location filename="../../DataRecorder/writer/VblRecordSink.cpp" line="+15"/>
        <location line="+16"/>
        <location line="+15"/>
        <source>The file %1 could not be written: %2</source>
        <translation>ファイル %1 に書き込めませんでした: %2</translation>
    </message>
</context>
</TS>
