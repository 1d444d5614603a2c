<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="335"/>
        <source>3D LiDAR</source>
        <translation>3D LiDAR</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="374"/>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="375"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="376"/>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="377"/>
        <source>Interlace</source>
        <translation>インターレース</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="380"/>
        <source>Measurment Type</source>
        <translation>計測タイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="381"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="385"/>
        <source>No Data</source>
        <translation>データなし</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="382"/>
        <source>Range Only</source>
        <translation>距離のみ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="383"/>
        <source>Range &amp; Level</source>
        <translation>距離と強度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="384"/>
        <source>Auxiliary Type</source>
        <translation>補助データタイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="386"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="388"/>
        <source>Auxiliary</source>
        <translation>補助データ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="389"/>
        <source>Gyroscope</source>
        <translation>ジャイロスコープ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="390"/>
        <source>Accelerometer</source>
        <translation>加速度計</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="391"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="393"/>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="394"/>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="395"/>
        <source>Device Information</source>
        <translation>デバイス情報</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="396"/>
        <source>Reboot</source>
        <translation>再起動</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="415"/>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="417"/>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="420"/>
        <source>Motor</source>
        <translation>モーター</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="422"/>
        <source>Rem</source>
        <translation>レム</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="468"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="480"/>
        <source>Diconnected from %1</source>
        <translation>%1 から切断しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="488"/>
        <source>Failed to connect to %1</source>
        <translation>%1 への接続に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="504"/>
        <source>Connection to %1 lost</source>
        <translation>%1 との接続が切れました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="517"/>
        <source>%1 is ready</source>
        <translation>%1 の準備ができました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="551"/>
        <source>Failed to initialize %1</source>
        <translation>%1 の初期化に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="590"/>
        <source>%1 refused interlace %2 (error %3); %4 stays in force</source>
        <translation>%1 がインターレース %2 を拒否しました（エラー %3）。%4 のままです</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="602"/>
        <source>Device not connected!</source>
        <translation>デバイスが接続されていません！</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="607"/>
        <source>%1 is still being initialized; reboot it when it is ready</source>
        <translation>%1 は初期化中です。準備ができてから再起動してください</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="618"/>
        <source>Connection Name</source>
        <translation>接続名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="619"/>
        <source>Device Name</source>
        <translation>デバイス名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="620"/>
        <source>Device Port</source>
        <translation>デバイスポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="621"/>
        <source>Product Name</source>
        <translation>製品名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="622"/>
        <source>Serial Number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="623"/>
        <source>Firmware Version</source>
        <translation>ファームウェアバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="624"/>
        <source>Protocol Version</source>
        <translation>プロトコルバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="630"/>
        <source>Connection Information</source>
        <translation>接続情報</translation>
    </message>
</context>
</TS>
