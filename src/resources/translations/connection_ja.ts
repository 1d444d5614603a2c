<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ConnectionManager</name>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="15"/>
        <location filename="../../connection/ConnectionManager.cpp" line="222"/>
        <source>Connections</source>
        <translation>接続一覧</translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="63"/>
        <location filename="../../connection/ConnectionManager.cpp" line="237"/>
        <source>Connection %1</source>
        <translation>接続 %1</translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="120"/>
        <location filename="../../connection/ConnectionManager.cpp" line="123"/>
        <location filename="../../connection/ConnectionManager.cpp" line="126"/>
        <source>Connection %1: %2</source>
        <translation>接続 %1: %2</translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="225"/>
        <location filename="../../connection/ConnectionManager.cpp" line="226"/>
        <source>Add Connection</source>
        <translation>接続を追加</translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="227"/>
        <location filename="../../connection/ConnectionManager.cpp" line="228"/>
        <source>Remove Connection</source>
        <translation>接続を削除</translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="229"/>
        <location filename="../../connection/ConnectionManager.cpp" line="230"/>
        <source>Connect All</source>
        <translation>すべて接続</translation>
    </message>
    <message>
        <location filename="../../connection/ConnectionManager.cpp" line="231"/>
        <location filename="../../connection/ConnectionManager.cpp" line="232"/>
        <source>Disconnect All</source>
        <translation>すべて切断</translation>
    </message>
</context>
</TS>
