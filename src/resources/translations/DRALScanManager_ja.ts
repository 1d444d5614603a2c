<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>DRALScanManager</name>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="318"/>
        <source>3D LiDAR</source>
        <translation>3D LiDAR</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="357"/>
        <source>Device</source>
        <translation>デバイス</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="358"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="359"/>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="360"/>
        <source>Interlace</source>
        <translation>インターレース</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="363"/>
        <source>Measurment Type</source>
        <translation>計測タイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="364"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="368"/>
        <source>No Data</source>
        <translation>データなし</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="365"/>
        <source>Range Only</source>
        <translation>距離のみ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="366"/>
        <source>Range &amp; Level</source>
        <translation>距離と強度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="367"/>
        <source>Auxiliary Type</source>
        <translation>補助データタイプ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="369"/>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="371"/>
        <source>Auxiliary</source>
        <translation>補助データ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="372"/>
        <source>Gyroscope</source>
        <translation>ジャイロスコープ</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="373"/>
        <source>Accelerometer</source>
        <translation>加速度計</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="374"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="376"/>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="377"/>
        <source>Disconnect</source>
        <translation>切断</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="378"/>
        <source>Device Information</source>
        <translation>デバイス情報</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="379"/>
        <source>Reboot</source>
        <translation>再起動</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="398"/>
        <source>Horizontal</source>
        <translation>水平</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="400"/>
        <source>Vertical</source>
        <translation>垂直</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="403"/>
        <source>Motor</source>
        <translation>モーター</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="405"/>
        <source>Rem</source>
        <translation>レム</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="450"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="461"/>
        <source>Diconnected from %1</source>
        <translation>%1 から切断しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="469"/>
        <source>Failed to connect to %1</source>
        <translation>%1 への接続に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="475"/>
        <source>%1 is ready</source>
        <translation>%1 の準備ができました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="510"/>
        <source>Failed to initialize %1</source>
        <translation>%1 の初期化に失敗しました</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="542"/>
        <source>Device not connected!</source>
        <translation>デバイスが接続されていません！</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="553"/>
        <source>Connection Name</source>
        <translation>接続名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="554"/>
        <source>Device Name</source>
        <translation>デバイス名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="555"/>
        <source>Device Port</source>
        <translation>デバイスポート</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="556"/>
        <source>Product Name</source>
        <translation>製品名</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="557"/>
        <source>Serial Number</source>
        <translation>シリアル番号</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="558"/>
        <source>Firmware Version</source>
        <translation>ファームウェアバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="559"/>
        <source>Protocol Version</source>
        <translation>プロトコルバージョン</translation>
    </message>
    <message>
        <location filename="../../DRALCommunication/DRALScanManager.cpp" line="565"/>
        <source>Connection Information</source>
        <translation>接続情報</translation>
    </message>
</context>
</TS>
