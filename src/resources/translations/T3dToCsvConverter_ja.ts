<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>T3dToCsvConverter</name>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="87"/>
        <source>Taviro3DFile:</source>
        <translation>Taviro3Dファイル:</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="88"/>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="89"/>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="90"/>
        <source>Taviro3DFile To CSV Converter</source>
        <translation>Taviro3Dファイル CSV 変換</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="102"/>
        <source>Select a file</source>
        <translation>ファイルを選択</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="103"/>
        <source>Taviro3D File (*.vbl *.t3d)</source>
        <translation>Taviro3D ファイル (*.vbl *.t3d)</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="134"/>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="155"/>
        <source>Conversion file could not be created.</source>
        <translation>変換ファイルを作成できませんでした。</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="153"/>
        <source>Conversion file created successfully.</source>
        <translation>変換ファイルを作成しました。</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="181"/>
        <source>The application is quitting.</source>
        <translation>アプリケーションを終了します。</translation>
    </message>
    <message>
        <location filename="../../T3dToCsvConverter/T3dToCsvConverter.cpp" line="182"/>
        <source>Do you want to interrupt the file conversion?</source>
        <translation>ファイル変換を中断しますか？</translation>
    </message>
</context>
</TS>
