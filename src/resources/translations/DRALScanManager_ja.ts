<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="319"/>
        <source>3D LiDAR</source>
        <translation>3D LiDAR</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="358"/>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="359"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="360"/>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="361"/>
        <source>Interlace</source>
        <translation>インターレース</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="364"/>
        <source>Measurment Type</source>
        <translation>計測タイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="365"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="369"/>
        <source>No Data</source>
        <translation>データなし</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="366"/>
        <source>Range Only</source>
        <translation>距離のみ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="367"/>
        <source>Range &amp; Level</source>
        <translation>距離と強度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="368"/>
        <source>Auxiliary Type</source>
        <translation>補助データタイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="370"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="372"/>
        <source>Auxiliary</source>
        <translation>補助データ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="373"/>
        <source>Gyroscope</source>
        <translation>ジャイロスコープ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="374"/>
        <source>Accelerometer</source>
        <translation>加速度計</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="375"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="377"/>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="378"/>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="379"/>
        <source>Device Information</source>
        <translation>デバイス情報</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="380"/>
        <source>Reboot</source>
        <translation>再起動</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="399"/>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="401"/>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="404"/>
        <source>Motor</source>
        <translation>モーター</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="406"/>
        <source>Rem</source>
        <translation>レム</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="451"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="462"/>
        <source>Diconnected from %1</source>
        <translation>%1 から切断しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="470"/>
        <source>Failed to connect to %1</source>
        <translation>%1 への接続に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="476"/>
        <source>%1 is ready</source>
        <translation>%1 の準備ができました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="511"/>
        <source>Failed to initialize %1</source>
        <translation>%1 の初期化に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="543"/>
        <source>Device not connected!</source>
        <translation>デバイスが接続されていません！</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="554"/>
        <source>Connection Name</source>
        <translation>接続名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="555"/>
        <source>Device Name</source>
        <translation>デバイス名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="556"/>
        <source>Device Port</source>
        <translation>デバイスポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="557"/>
        <source>Product Name</source>
        <translation>製品名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="558"/>
        <source>Serial Number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="559"/>
        <source>Firmware Version</source>
        <translation>ファームウェアバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="560"/>
        <source>Protocol Version</source>
        <translation>プロトコルバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="566"/>
        <source>Connection Information</source>
        <translation>接続情報</translation>
    </message>
</context>
</TS>
