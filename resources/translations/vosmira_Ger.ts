<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>TForm1</name>
    <message>
        <source>CALL Suchen</source>
        <translation>Call Suchen</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>QSOs:</source>
        <comment>the search's count</comment>
        <translation>QSOs</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>Zurück</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>change data</source>
        <translation>Daten Ändern</translation>
    </message>
    <message>
        <source>eQSL send</source>
        <translation>eQSL senden</translation>
    </message>
    <message>
        <source>modification save</source>
        <translation>Änderung speichern</translation>
    </message>
    <message>
        <source>exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TConfiguration</name>
    <message>
        <source>Beenden</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Änderungen übernehmen</source>
        <comment>created</comment>
        <translation>Ändern</translation>
    </message>
    <message>
        <source>Änderungen übernehmen</source>
        <comment>opened</comment>
        <translation>Änderungen übernehmen</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>neues QSO speichern</source>
        <comment>created</comment>
        <translation>neues QSO speichern</translation>
    </message>
    <message>
        <source>neues QSO speichern</source>
        <comment>opened</comment>
        <translation>neues QSO speichern</translation>
    </message>
</context>
<context>
    <name>QsoEntryForm</name>
    <message>
        <source>Beenden</source>
        <comment>created</comment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Beenden</source>
        <comment>opened</comment>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>ACHTUNG:</source>
        <comment>created</comment>
        <translation>Achtung:</translation>
    </message>
    <message>
        <source>ACHTUNG:</source>
        <comment>opened</comment>
        <translation>Achtung:</translation>
    </message>
    <message>
        <source>Alle Eingaben mit &gt;ENTER&lt; bestätigen!</source>
        <comment>created</comment>
        <translation>alle Eingaben mit ENTER bestätigen!</translation>
    </message>
    <message>
        <source>Alle Eingaben mit &gt;ENTER&lt; bestätigen!</source>
        <comment>opened</comment>
        <translation>alle Eingaben mit &gt;ENTER&lt; bestätigen!</translation>
    </message>
</context>
</TS>
