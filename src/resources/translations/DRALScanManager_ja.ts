<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AuxiliaryReadout</name>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="55"/>
        <source>Gyroscope</source>
        <translation>ジャイロスコープ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="55"/>
        <source>[deg/s]</source>
        <translation>[deg/s]</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="56"/>
        <source>Accelerometer</source>
        <translation>加速度計</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="56"/>
        <source>[G]</source>
        <translation>[G]</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="57"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/AuxiliaryReadout.cpp" line="57"/>
        <source>[°C]</source>
        <translation>[°C]</translation>
    </message>
</context>
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="235"/>
        <source>3D LiDAR</source>
        <translation>3D LiDAR</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="274"/>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="275"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="276"/>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="277"/>
        <source>Interlace</source>
        <translation>インターレース</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="280"/>
        <source>Measurment Type</source>
        <translation>計測タイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="281"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="285"/>
        <source>No Data</source>
        <translation>データなし</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="282"/>
        <source>Range Only</source>
        <translation>距離のみ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="283"/>
        <source>Range &amp; Level</source>
        <translation>距離と強度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="284"/>
        <source>Auxiliary Type</source>
        <translation>補助データタイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="286"/>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="288"/>
        <source>Auxiliary</source>
        <translation>補助データ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="291"/>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="292"/>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="293"/>
        <source>Device Information</source>
        <translation>デバイス情報</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="294"/>
        <source>Reboot</source>
        <translation>再起動</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="311"/>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="313"/>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="316"/>
        <source>Motor</source>
        <translation>モーター</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="318"/>
        <source>Rem</source>
        <translation>レム</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="350"/>
        <source>No sensor address to connect to</source>
        <translation>接続先のセンサーアドレスがありません</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="353"/>
        <source>%1 is not a sensor address (a numeric IPv4 address or localhost)</source>
        <translation>%1 はセンサーのアドレスではありません (数値の IPv4 アドレスまたは localhost)</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="356"/>
        <source>Invalid port in %1 (allowed: %2 to %3)</source>
        <translation>%1 のポートが無効です (使用できるのは %2 から %3)</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="387"/>
        <source>Connecting to %1:%2 ...</source>
        <translation>%1:%2 に接続しています ...</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="414"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="426"/>
        <source>Diconnected from %1</source>
        <translation>%1 から切断しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="438"/>
        <source>Failed to connect to %1</source>
        <translation>%1 への接続に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="455"/>
        <source>Connection to %1 lost</source>
        <translation>%1 との接続が切れました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="466"/>
        <source>%1 is ready</source>
        <translation>%1 の準備ができました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="500"/>
        <source>Failed to initialize %1</source>
        <translation>%1 の初期化に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="539"/>
        <source>%1 refused interlace %2 (error %3); %4 stays in force</source>
        <translation>%1 がインターレース %2 を拒否しました（エラー %3）。%4 のままです</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="551"/>
        <source>Device not connected!</source>
        <translation>デバイスが接続されていません！</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="556"/>
        <source>%1 is still being initialized; reboot it when it is ready</source>
        <translation>%1 は初期化中です。準備ができてから再起動してください</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="53"/>
        <source>Connection Name</source>
        <translation>接続名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="54"/>
        <source>Device Name</source>
        <translation>デバイス名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="55"/>
        <source>Device Port</source>
        <translation>デバイスポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="56"/>
        <source>Product Name</source>
        <translation>製品名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="57"/>
        <source>Serial Number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="58"/>
        <source>Firmware Version</source>
        <translation>ファームウェアバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DeviceInformation.cpp" line="59"/>
        <source>Protocol Version</source>
        <translation>プロトコルバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/controller/DRALScanManager.cpp" line="569"/>
        <source>Connection Information</source>
        <translation>接続情報</translation>
    </message>
</context>
</TS>
