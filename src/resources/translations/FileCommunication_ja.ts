<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>FilePlayDockWidget</name>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="238"/>
        <source>Log Player</source>
        <translation>ログプレーヤー</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="239"/>
        <source>Timestamp</source>
        <translation>タイムスタンプ</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="240"/>
        <source>Log time</source>
        <translation>ログ時刻</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="241"/>
        <source>play speed</source>
        <translation>再生速度</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="242"/>
        <source>Loop playback</source>
        <translation>ループ再生</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="243"/>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="244"/>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="245"/>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="246"/>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="247"/>
        <location filename="../../FileCommunication/player/FilePlayDockWidget.cpp" line="248"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
</context>
<context>
    <name>FileScanManager</name>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="304"/>
        <source>Log Player</source>
        <translation>ログプレーヤー</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="362"/>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="363"/>
        <source>File Name</source>
        <translation>ファイル名</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="364"/>
        <source>Taviro3D File</source>
        <translation>Taviro3D ファイル</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="365"/>
        <source>Record Count</source>
        <translation>レコード数</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="366"/>
        <source>Current Record</source>
        <translation>現在のレコード</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="368"/>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="368"/>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="369"/>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="369"/>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="370"/>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="370"/>
        <source>Detail</source>
        <translation>詳細</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="381"/>
        <source>Auxiliary %1</source>
        <translation>補助データ %1</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="382"/>
        <source>Gyroscope</source>
        <translation>ジャイロスコープ</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="383"/>
        <source>Accelerometer</source>
        <translation>加速度計</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="384"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="408"/>
        <source>Failed to connect to %1</source>
        <translation>%1 への接続に失敗しました</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="447"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="458"/>
        <source>Diconnected from %1</source>
        <translation>%1 から切断しました</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="469"/>
        <source>%1 is ready</source>
        <translation>%1 の準備ができました</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/player/FileScanManager.cpp" line="483"/>
        <source>Failed to initialize %1</source>
        <translation>%1 の初期化に失敗しました</translation>
    </message>
</context>
<context>
    <name>LogFileDevice</name>
    <message>
        <location filename="../../FileCommunication/LogFileDevice.cpp" line="9"/>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <location filename="../../FileCommunication/LogFileDevice.cpp" line="14"/>
        <source>Part of the measurement data is corrupted.
Replay the log up to the point of corruption.</source>
        <translation>計測データの一部が破損しています。
破損箇所までのログを再生します。</translation>
    </message>
</context>
</TS>
