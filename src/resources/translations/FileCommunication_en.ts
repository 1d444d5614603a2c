<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>LogFileDevice</name>
    <message>
        <location filename="../../FileCommunication/LogFileDevice.cpp" line="9"/>
        <source>Warning</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../FileCommunication/LogFileDevice.cpp" line="14"/>
        <source>Part of the measurement data is corrupted.
Replay the log up to the point of corruption.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
