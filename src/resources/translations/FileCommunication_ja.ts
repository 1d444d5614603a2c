<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
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
