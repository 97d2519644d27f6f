<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>TForm1</name>
    <message>
        <source>CALL Suchen</source>
        <translation>call search</translation>
    </message>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>QSOs:</source>
        <comment>the search's count</comment>
        <translation>QSOs</translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation>back</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <source>change data</source>
        <translation>change data</translation>
    </message>
    <message>
        <source>eQSL send</source>
        <translation>eQSL send</translation>
    </message>
    <message>
        <source>modification save</source>
        <translation>modification save</translation>
    </message>
    <message>
        <source>exit</source>
        <translation>exit</translation>
    </message>
</context>
<context>
    <name>TConfiguration</name>
    <message>
        <source>Beenden</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
    <message>
        <source>Änderungen übernehmen</source>
        <comment>created</comment>
        <translation>update</translation>
    </message>
    <message>
        <source>Änderungen übernehmen</source>
        <comment>opened</comment>
        <translation>assume change</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>neues QSO speichern</source>
        <comment>created</comment>
        <translation>new QSO save</translation>
    </message>
    <message>
        <source>neues QSO speichern</source>
        <comment>opened</comment>
        <translation>new QSO save</translation>
    </message>
</context>
<context>
    <name>QsoEntryForm</name>
    <message>
        <source>Beenden</source>
        <comment>created</comment>
        <translation>exit</translation>
    </message>
    <message>
        <source>Beenden</source>
        <comment>opened</comment>
        <translation>exit</translation>
    </message>
    <message>
        <source>ACHTUNG:</source>
        <comment>created</comment>
        <translation>Attention:</translation>
    </message>
    <message>
        <source>ACHTUNG:</source>
        <comment>opened</comment>
        <translation>Attention:</translation>
    </message>
    <message>
        <source>Alle Eingaben mit &gt;ENTER&lt; bestätigen!</source>
        <comment>created</comment>
        <translation>all input with ENTER confirm!</translation>
    </message>
    <message>
        <source>Alle Eingaben mit &gt;ENTER&lt; bestätigen!</source>
        <comment>opened</comment>
        <translation>confirm all input with &gt;ENTER&lt;</translation>
    </message>
</context>
<context>
    <name>Country</name>
    <message>
        <source>Irland</source>
        <translation>Ireland</translation>
    </message>
    <message>
        <source>Georgien</source>
        <translation>Georgia</translation>
    </message>
    <message>
        <source>Neuseeland</source>
        <translation>New Zealand</translation>
    </message>
    <message>
        <source>Argentinia</source>
        <translation>Argentina</translation>
    </message>
    <message>
        <source>Aserbaijan</source>
        <translation>Azerbaijan</translation>
    </message>
</context>
</TS>
