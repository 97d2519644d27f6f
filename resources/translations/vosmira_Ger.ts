<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>Qsl</name>
        <message>
        <source>no D-Bus session is running</source>
        <translation>es läuft keine D-Bus-Sitzung</translation>
    </message>
    <message>
        <source>%1 cannot be read</source>
        <translation>%1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>No secret store is running: the QSL passwords are kept in %1, readable by you only.</source>
        <translation>Es läuft kein Schlüsselbund: die QSL-Passwörter liegen in %1, nur für Sie lesbar.</translation>
    </message>
    <message>
        <source>eQSL&apos;s reply has no result line</source>
        <translation>die Antwort von eQSL hat keine Ergebniszeile</translation>
    </message>
    <message>
        <source>eQSL added %1 of %2 records and did not say which</source>
        <translation>eQSL hat %1 von %2 Einträgen übernommen und nicht gesagt, welche</translation>
    </message>
    <message>
        <source>eQSL had it already</source>
        <translation>eQSL hatte es schon</translation>
    </message>
    <message>
        <source>the QSO lacks its call, date, time, band or mode</source>
        <translation>dem QSO fehlt Rufzeichen, Datum, Zeit, Band oder Betriebsart</translation>
    </message>
    <message>
        <source>eQSL: %1 of %2 QSOs sent</source>
        <translation>eQSL: %1 von %2 QSOs gesendet</translation>
    </message>
    <message>
        <source>eQSL: %1 (%2 of %3 QSOs sent)</source>
        <translation>eQSL: %1 (%2 von %3 QSOs gesendet)</translation>
    </message>
    <message>
        <source>eQSL: sending part %1 of %2</source>
        <translation>eQSL: sende Teil %1 von %2</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>eQSL: asking for the confirmations</source>
        <translation>eQSL: frage nach den Bestätigungen</translation>
    </message>
    <message>
        <source>eQSL: %1</source>
        <translation>eQSL: %1</translation>
    </message>
    <message>
        <source>eQSL: no new confirmations</source>
        <translation>eQSL: keine neuen Bestätigungen</translation>
    </message>
    <message>
        <source>eQSL: the user name or the password is wrong</source>
        <translation>eQSL: Benutzername oder Passwort falsch</translation>
    </message>
    <message>
        <source>eQSL: the account&apos;s call is not known to eQSL</source>
        <translation>eQSL: das Rufzeichen des Kontos ist bei eQSL unbekannt</translation>
    </message>
    <message>
        <source>eQSL: the reply names no file to fetch</source>
        <translation>eQSL: die Antwort nennt keine Datei zum Abholen</translation>
    </message>
    <message>
        <source>eQSL: fetching the confirmations</source>
        <translation>eQSL: hole die Bestätigungen</translation>
    </message>
    <message>
        <source>eQSL: the file of confirmations ended early; nothing is marked</source>
        <translation>eQSL: die Datei der Bestätigungen endete zu früh; nichts wird markiert</translation>
    </message>
    <message>
        <source>eQSL: %1 confirmations received</source>
        <translation>eQSL: %1 Bestätigungen empfangen</translation>
    </message>
    <message>
        <source>all QSOs were signed and uploaded</source>
        <translation>alle QSOs wurden signiert und hochgeladen</translation>
    </message>
    <message>
        <source>the upload was cancelled in TrustedQSL</source>
        <translation>das Hochladen wurde in TrustedQSL abgebrochen</translation>
    </message>
    <message>
        <source>LoTW rejected the log</source>
        <translation>LoTW hat das Log abgelehnt</translation>
    </message>
    <message>
        <source>LoTW gave an unexpected answer</source>
        <translation>LoTW gab eine unerwartete Antwort</translation>
    </message>
    <message>
        <source>TrustedQSL failed</source>
        <translation>TrustedQSL ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>TrustedQSL&apos;s signing library failed (certificate or key)</source>
        <translation>die Signierbibliothek von TrustedQSL ist fehlgeschlagen (Zertifikat oder Schlüssel)</translation>
    </message>
    <message>
        <source>TrustedQSL could not open the upload file</source>
        <translation>TrustedQSL konnte die Upload-Datei nicht öffnen</translation>
    </message>
    <message>
        <source>TrustedQSL could not write its output file</source>
        <translation>TrustedQSL konnte seine Ausgabedatei nicht schreiben</translation>
    </message>
    <message>
        <source>no QSO was new: all were duplicates or outside the date range</source>
        <translation>kein QSO war neu: alle waren Duplikate oder außerhalb des Datumsbereichs</translation>
    </message>
    <message>
        <source>some QSOs were uploaded, the others were duplicates or outside the date range</source>
        <translation>einige QSOs wurden hochgeladen, die übrigen waren Duplikate oder außerhalb des Datumsbereichs</translation>
    </message>
    <message>
        <source>TrustedQSL did not understand its arguments</source>
        <translation>TrustedQSL hat seine Argumente nicht verstanden</translation>
    </message>
    <message>
        <source>LoTW could not be reached</source>
        <translation>LoTW war nicht erreichbar</translation>
    </message>
    <message>
        <source>TrustedQSL ended with code %1</source>
        <translation>TrustedQSL endete mit Code %1</translation>
    </message>
    <message>
        <source>LoTW: no station location is set</source>
        <translation>LoTW: kein Stationsstandort eingetragen</translation>
    </message>
    <message>
        <source>LoTW: every QSO has been uploaded already</source>
        <translation>LoTW: alle QSOs sind schon hochgeladen</translation>
    </message>
    <message>
        <source>LoTW: no QSO can be uploaded</source>
        <translation>LoTW: kein QSO kann hochgeladen werden</translation>
    </message>
    <message>
        <source>LoTW: the upload file could not be written: %1</source>
        <translation>LoTW: die Upload-Datei konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>LoTW: TrustedQSL signs and uploads %1 QSOs</source>
        <translation>LoTW: TrustedQSL signiert %1 QSOs und lädt sie hoch</translation>
    </message>
    <message>
        <source>cancelled while TrustedQSL ran; LoTW may have some of them</source>
        <translation>abgebrochen, während TrustedQSL lief; LoTW hat vielleicht einige davon</translation>
    </message>
    <message>
        <source>tqsl could not be started (is TrustedQSL installed?)</source>
        <translation>tqsl konnte nicht gestartet werden (ist TrustedQSL installiert?)</translation>
    </message>
    <message>
        <source>tqsl ended abnormally</source>
        <translation>tqsl endete unerwartet</translation>
    </message>
    <message>
        <source>tqsl reported no final status, so the upload is not certain</source>
        <translation>tqsl meldete keinen Endstatus, das Hochladen ist also nicht sicher</translation>
    </message>
    <message>
        <source>LoTW: %1 QSOs sent (%2)</source>
        <translation>LoTW: %1 QSOs gesendet (%2)</translation>
    </message>
    <message>
        <source>LoTW: nothing is marked: %1</source>
        <translation>LoTW: nichts wird markiert: %1</translation>
    </message>
    <message>
        <source>LoTW: fetching the confirmations</source>
        <translation>LoTW: hole die Bestätigungen</translation>
    </message>
    <message>
        <source>LoTW: %1</source>
        <translation>LoTW: %1</translation>
    </message>
    <message>
        <source>LoTW: the user name or the password is wrong</source>
        <translation>LoTW: Benutzername oder Passwort falsch</translation>
    </message>
    <message>
        <source>LoTW: too many requests for now (page request limit); try again later</source>
        <translation>LoTW: zu viele Anfragen (Seitenabruf-Limit); bitte später noch einmal</translation>
    </message>
    <message>
        <source>LoTW: the report ended early; nothing is marked</source>
        <translation>LoTW: der Bericht endete zu früh; nichts wird markiert</translation>
    </message>
    <message>
        <source>LoTW: %1 confirmations received</source>
        <translation>LoTW: %1 Bestätigungen empfangen</translation>
    </message>
    <message>
        <source>%1: a run is still going on</source>
        <translation>%1: ein Lauf ist noch im Gange</translation>
    </message>
    <message>
        <source>%1: cancelled</source>
        <translation>%1: abgebrochen</translation>
    </message>
    <message>
        <source>the service&apos;s address &quot;%1&quot; is not valid</source>
        <translation>die Adresse des Dienstes &quot;%1&quot; ist ungültig</translation>
    </message>
    <message>
        <source>the service&apos;s address must begin with https:// (the password is never sent unencrypted)</source>
        <translation>die Adresse des Dienstes muss mit https:// beginnen (das Passwort wird nie unverschlüsselt gesendet)</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: no account is set</source>
        <translation>%1: kein Konto eingetragen</translation>
    </message>
    <message>
        <source>no answer within %1 seconds</source>
        <translation>keine Antwort innerhalb von %1 Sekunden</translation>
    </message>
    <message>
        <source>the server answered %1 %2</source>
        <translation>der Server antwortete %1 %2</translation>
    </message>
    <message>
        <source>tqsl said nothing for %1 seconds and was stopped (does it wait for a passphrase?)</source>
        <translation>tqsl hat %1 Sekunden lang nichts gemeldet und wurde beendet (wartet es auf eine Passphrase?)</translation>
    </message>
    <message>
        <source>eQSL: every QSO has been uploaded already</source>
        <translation>eQSL: alle QSOs sind schon hochgeladen</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
        <message>
        <source>the disk is full</source>
        <translation>die Platte ist voll</translation>
    </message>
</context>
<context>
    <name>Country</name>
        <message>
        <source>Armenia</source>
        <translation>Armenien</translation>
    </message>
    <message>
        <source>Belarus</source>
        <translation>Belarus</translation>
    </message>
    <message>
        <source>Estonia</source>
        <translation>Estland</translation>
    </message>
    <message>
        <source>Russia</source>
        <translation>Russland</translation>
    </message>
    <message>
        <source>Brazil</source>
        <translation>Brasilien</translation>
    </message>
    <message>
        <source>Latvia</source>
        <translation>Lettland</translation>
    </message>
    <message>
        <source>Lithuania</source>
        <translation>Litauen</translation>
    </message>
    <message>
        <source>Austria</source>
        <translation>Österreich</translation>
    </message>
    <message>
        <source>Belgium</source>
        <translation>Belgien</translation>
    </message>
    <message>
        <source>Bulgaria</source>
        <translation>Bulgarien</translation>
    </message>
    <message>
        <source>Czech Republic</source>
        <translation>Tschechien</translation>
    </message>
    <message>
        <source>Slovakia</source>
        <translation>Slowakei</translation>
    </message>
    <message>
        <source>Denmark</source>
        <translation>Dänemark</translation>
    </message>
    <message>
        <source>Guernsey</source>
        <translation>Guernsey</translation>
    </message>
    <message>
        <source>Isle of Man</source>
        <translation>Isle of Man</translation>
    </message>
    <message>
        <source>Jersey</source>
        <translation>Jersey</translation>
    </message>
    <message>
        <source>England</source>
        <translation>England</translation>
    </message>
    <message>
        <source>Northern Ireland</source>
        <translation>Nordirland</translation>
    </message>
    <message>
        <source>Scotland</source>
        <translation>Schottland</translation>
    </message>
    <message>
        <source>Wales</source>
        <translation>Wales</translation>
    </message>
    <message>
        <source>Finland</source>
        <translation>Finnland</translation>
    </message>
    <message>
        <source>France</source>
        <translation>Frankreich</translation>
    </message>
    <message>
        <source>Germany</source>
        <translation>Deutschland</translation>
    </message>
    <message>
        <source>Greece</source>
        <translation>Griechenland</translation>
    </message>
    <message>
        <source>Hungary</source>
        <translation>Ungarn</translation>
    </message>
    <message>
        <source>Irland</source>
        <translation>Irland</translation>
    </message>
    <message>
        <source>Malta</source>
        <translation>Malta</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>Netherlands</source>
        <translation>Niederlande</translation>
    </message>
    <message>
        <source>Norway</source>
        <translation>Norwegen</translation>
    </message>
    <message>
        <source>Poland</source>
        <translation>Polen</translation>
    </message>
    <message>
        <source>Portugal</source>
        <translation>Portugal</translation>
    </message>
    <message>
        <source>Spain</source>
        <translation>Spanien</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Schweden</translation>
    </message>
    <message>
        <source>Switzerland</source>
        <translation>Schweiz</translation>
    </message>
    <message>
        <source>Ukraine</source>
        <translation>Ukraine</translation>
    </message>
    <message>
        <source>Croatia</source>
        <translation>Kroatien</translation>
    </message>
    <message>
        <source>Slovenia</source>
        <translation>Slowenien</translation>
    </message>
    <message>
        <source>Iceland</source>
        <translation>Island</translation>
    </message>
    <message>
        <source>Romania</source>
        <translation>Rumänien</translation>
    </message>
    <message>
        <source>Gibraltar</source>
        <translation>Gibraltar</translation>
    </message>
    <message>
        <source>Montenegro</source>
        <translation>Montenegro</translation>
    </message>
    <message>
        <source>Monaco</source>
        <translation>Monaco</translation>
    </message>
    <message>
        <source>ITU Geneva</source>
        <translation>ITU Genf</translation>
    </message>
    <message>
        <source>Andorra</source>
        <translation>Andorra</translation>
    </message>
    <message>
        <source>Azores</source>
        <translation>Azoren</translation>
    </message>
    <message>
        <source>Bosnia Hercegovina</source>
        <translation>Bosnien und Herzegowina</translation>
    </message>
    <message>
        <source>Moldova</source>
        <translation>Moldau</translation>
    </message>
    <message>
        <source>Liechtenstein</source>
        <translation>Liechtenstein</translation>
    </message>
    <message>
        <source>Vatican</source>
        <translation>Vatikan</translation>
    </message>
    <message>
        <source>Sardinia</source>
        <translation>Sardinien</translation>
    </message>
    <message>
        <source>Svalbard</source>
        <translation>Spitzbergen</translation>
    </message>
    <message>
        <source>Jan Mayen</source>
        <translation>Jan Mayen</translation>
    </message>
    <message>
        <source>Luxembourg</source>
        <translation>Luxemburg</translation>
    </message>
    <message>
        <source>Aland Islands</source>
        <translation>Åland-Inseln</translation>
    </message>
    <message>
        <source>Market Reef</source>
        <translation>Märket</translation>
    </message>
    <message>
        <source>Faeroe Islands</source>
        <translation>Färöer</translation>
    </message>
    <message>
        <source>Franz Josef Land</source>
        <translation>Franz-Josef-Land</translation>
    </message>
    <message>
        <source>Malyj Vysotskij Island</source>
        <translation>Insel Malyj Wyssozkij</translation>
    </message>
    <message>
        <source>Mt Athos</source>
        <translation>Berg Athos</translation>
    </message>
    <message>
        <source>Dodecanese</source>
        <translation>Dodekanes</translation>
    </message>
    <message>
        <source>Crete</source>
        <translation>Kreta</translation>
    </message>
    <message>
        <source>San Marino</source>
        <translation>San Marino</translation>
    </message>
    <message>
        <source>Turkey</source>
        <translation>Türkei</translation>
    </message>
    <message>
        <source>Corsica</source>
        <translation>Korsika</translation>
    </message>
    <message>
        <source>Kaliningrad</source>
        <translation>Kaliningrad</translation>
    </message>
    <message>
        <source>Serbia</source>
        <translation>Serbien</translation>
    </message>
    <message>
        <source>Albania</source>
        <translation>Albanien</translation>
    </message>
    <message>
        <source>USA</source>
        <translation>USA</translation>
    </message>
    <message>
        <source>Guantanamo Bay</source>
        <translation>Guantanamo-Bucht</translation>
    </message>
    <message>
        <source>Canada</source>
        <translation>Kanada</translation>
    </message>
    <message>
        <source>St Paul Island</source>
        <translation>St.-Paul-Insel</translation>
    </message>
    <message>
        <source>Sable Island</source>
        <translation>Sable Island</translation>
    </message>
    <message>
        <source>Mexico</source>
        <translation>Mexiko</translation>
    </message>
    <message>
        <source>UN HQ</source>
        <translation>UNO-Hauptquartier</translation>
    </message>
    <message>
        <source>Jamaica</source>
        <translation>Jamaika</translation>
    </message>
    <message>
        <source>Barbados</source>
        <translation>Barbados</translation>
    </message>
    <message>
        <source>Bahamas</source>
        <translation>Bahamas</translation>
    </message>
    <message>
        <source>Cuba</source>
        <translation>Kuba</translation>
    </message>
    <message>
        <source>Martinique</source>
        <translation>Martinique</translation>
    </message>
    <message>
        <source>Guadeloupe</source>
        <translation>Guadeloupe</translation>
    </message>
    <message>
        <source>Clipperton Island</source>
        <translation>Clipperton-Insel</translation>
    </message>
    <message>
        <source>St Martin</source>
        <translation>St. Martin</translation>
    </message>
    <message>
        <source>St Pierre and Miquelon</source>
        <translation>St. Pierre und Miquelon</translation>
    </message>
    <message>
        <source>Haiti</source>
        <translation>Haiti</translation>
    </message>
    <message>
        <source>Dominican Rep</source>
        <translation>Dominikanische Rep.</translation>
    </message>
    <message>
        <source>San Andres and Providencia</source>
        <translation>San Andrés und Providencia</translation>
    </message>
    <message>
        <source>Panama</source>
        <translation>Panama</translation>
    </message>
    <message>
        <source>Honduras</source>
        <translation>Honduras</translation>
    </message>
    <message>
        <source>Grenada</source>
        <translation>Grenada</translation>
    </message>
    <message>
        <source>St Lucia</source>
        <translation>St. Lucia</translation>
    </message>
    <message>
        <source>Dominica</source>
        <translation>Dominica</translation>
    </message>
    <message>
        <source>St Vincent</source>
        <translation>St. Vincent</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japan</translation>
    </message>
    <message>
        <source>United Arab Emirates</source>
        <translation>Vereinigte Arabische Emirate</translation>
    </message>
    <message>
        <source>Kuwait</source>
        <translation>Kuwait</translation>
    </message>
    <message>
        <source>Oman</source>
        <translation>Oman</translation>
    </message>
    <message>
        <source>Georgien</source>
        <translation>Georgien</translation>
    </message>
    <message>
        <source>Kazakhstan</source>
        <translation>Kasachstan</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israel</translation>
    </message>
    <message>
        <source>Lebanon</source>
        <translation>Libanon</translation>
    </message>
    <message>
        <source>Mauritania</source>
        <translation>Mauretanien</translation>
    </message>
    <message>
        <source>Kenya</source>
        <translation>Kenia</translation>
    </message>
    <message>
        <source>Saudi Arabia</source>
        <translation>Saudi-Arabien</translation>
    </message>
    <message>
        <source>China</source>
        <translation>China</translation>
    </message>
    <message>
        <source>Pakistan</source>
        <translation>Pakistan</translation>
    </message>
    <message>
        <source>Aserbaijan</source>
        <translation>Aserbaidschan</translation>
    </message>
    <message>
        <source>India</source>
        <translation>Indien</translation>
    </message>
    <message>
        <source>Algeria</source>
        <translation>Algerien</translation>
    </message>
    <message>
        <source>Australia</source>
        <translation>Australien</translation>
    </message>
    <message>
        <source>Belize</source>
        <translation>Belize</translation>
    </message>
    <message>
        <source>Cayman Isles</source>
        <translation>Kaimaninseln</translation>
    </message>
    <message>
        <source>Neuseeland</source>
        <translation>Neuseeland</translation>
    </message>
    <message>
        <source>Equatorial Guinea</source>
        <translation>Äquatorialguinea</translation>
    </message>
    <message>
        <source>Norfolk Island</source>
        <translation>Norfolkinsel</translation>
    </message>
    <message>
        <source>Peru</source>
        <translation>Peru</translation>
    </message>
    <message>
        <source>New Caledonia</source>
        <translation>Neukaledonien</translation>
    </message>
    <message>
        <source>Venezuela</source>
        <translation>Venezuela</translation>
    </message>
    <message>
        <source>Puerto Rico</source>
        <translation>Puerto Rico</translation>
    </message>
    <message>
        <source>Argentinia</source>
        <translation>Argentinien</translation>
    </message>
    <message>
        <source>Morocco</source>
        <translation>Marokko</translation>
    </message>
    <message>
        <source>South Africa</source>
        <translation>Südafrika</translation>
    </message>
    <message>
        <source>Uruguay</source>
        <translation>Uruguay</translation>
    </message>
    <message>
        <source>Chile</source>
        <translation>Chile</translation>
    </message>
    <message>
        <source>Costa Rica</source>
        <translation>Costa Rica</translation>
    </message>
    <message>
        <source>Ecuador</source>
        <translation>Ecuador</translation>
    </message>
    <message>
        <source>Jordan</source>
        <translation>Jordanien</translation>
    </message>
    <message>
        <source>Tunisia</source>
        <translation>Tunesien</translation>
    </message>
</context>
<context>
    <name>GridModel</name>
        <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>Locator</source>
        <translation>Locator</translation>
    </message>
    <message>
        <source>MHz</source>
        <translation>MHz</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>RST sent</source>
        <translation>RST ges.</translation>
    </message>
    <message>
        <source>RST rcvd</source>
        <translation>RST empf.</translation>
    </message>
    <message>
        <source>eQSL out</source>
        <translation>eQSL aus</translation>
    </message>
    <message>
        <source>eQSL in</source>
        <translation>eQSL ein</translation>
    </message>
    <message>
        <source>LoTW in</source>
        <translation>LoTW ein</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
</context>
<context>
    <name>KeyEdit</name>
        <message>
        <source>"%1" cannot be stored here: the text is kept in the Windows-1252 code page, which has no such character.</source>
        <translation>„%1“ kann hier nicht gespeichert werden: der Text wird in der Codepage Windows-1252 gespeichert, die dieses Zeichen nicht kennt.</translation>
    </message>
</context>
<context>
    <name>ListPrint</name>
        <message>
        <source>Page:</source>
        <translation>Seite:</translation>
    </message>
    <message>
        <source>Vosmira logbook</source>
        <translation>Vosmira Logbuch</translation>
    </message>
</context>
<context>
    <name>QsoEntryForm</name>
        <message>
        <source>Change QSO</source>
        <translation>QSO ändern</translation>
    </message>
    <message>
        <source>New QSO</source>
        <translation>Neues QSO</translation>
    </message>
    <message>
        <source>Vosmira – logbook for FT8 and FT4</source>
        <translation>Vosmira – Logbuch für FT8 und FT4</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Time on</source>
        <translation>Beginn</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequenz</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>RST sent</source>
        <translation>RST ges.</translation>
    </message>
    <message>
        <source>RST rcvd</source>
        <translation>RST empf.</translation>
    </message>
    <message>
        <source>Locator</source>
        <translation>Locator</translation>
    </message>
    <message>
        <source>eQSL sent</source>
        <translation>eQSL ges.</translation>
    </message>
    <message>
        <source>eQSL rcvd</source>
        <translation>eQSL empf.</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>"%1" is not a valid date. Please enter the date as DD.MM.YYYY, for example 15.01.2023.</source>
        <translation>„%1“ ist kein gültiges Datum. Bitte das Datum als TT.MM.JJJJ eingeben, zum Beispiel 15.01.2023.</translation>
    </message>
    <message>
        <source>Please enter the time as HH:MM, for example 09:30.</source>
        <translation>Bitte die Zeit als HH:MM eingeben, zum Beispiel 09:30.</translation>
    </message>
    <message>
        <source>"%1" is not a valid time. Please enter the time as HH:MM, for example 09:30.</source>
        <translation>„%1“ ist keine gültige Uhrzeit. Bitte die Zeit als HH:MM eingeben, zum Beispiel 09:30.</translation>
    </message>
    <message>
        <source>Apply change</source>
        <translation>Änderung übernehmen</translation>
    </message>
    <message>
        <source>Save new QSO</source>
        <translation>Neues QSO speichern</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Attention:</source>
        <translation>Achtung:</translation>
    </message>
    <message>
        <source>Confirm every entry with Enter!</source>
        <translation>Alle Eingaben mit Enter bestätigen!</translation>
    </message>
</context>
<context>
    <name>Settings</name>
        <message>
        <source>unknown error</source>
        <translation>unbekannter Fehler</translation>
    </message>
</context>
<context>
    <name>TConfiguration</name>
        <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Call:</source>
        <translation>Call:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>First name:</source>
        <translation>Vorname:</translation>
    </message>
    <message>
        <source>Street:</source>
        <translation>Straße:</translation>
    </message>
    <message>
        <source>Postcode / town:</source>
        <translation>PLZ / Ort:</translation>
    </message>
    <message>
        <source>Locator:</source>
        <translation>Locator:</translation>
    </message>
    <message>
        <source>Country:</source>
        <translation>Land:</translation>
    </message>
    <message>
        <source>ADL / DOK:</source>
        <translation>ADL / DOK:</translation>
    </message>
    <message>
        <source>Standard comment text:</source>
        <translation>Standard-Kommentar:</translation>
    </message>
    <message>
        <source>Path to the log file:</source>
        <translation>Pfad zur Logdatei:</translation>
    </message>
    <message>
        <source>by Dranek</source>
        <translation>von Dranek</translation>
    </message>
    <message>
        <source>German</source>
        <translation>Deutsch</translation>
    </message>
    <message>
        <source>English</source>
        <translation>Englisch</translation>
    </message>
    <message>
        <source>eQSL account</source>
        <translation>eQSL-Zugang</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Sprache:</translation>
    </message>
    <message>
        <source>Choose the log file</source>
        <translation>Logdatei wählen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
        <message>
        <source>QSL</source>
        <translation>QSL</translation>
    </message>
    <message>
        <source>eQSL and LoTW: upload, confirmations</source>
        <translation>eQSL und LoTW: hochladen, Bestätigungen</translation>
    </message>
    <message>
        <source>Loading the logbook … %1 %</source>
        <translation>Das Logbuch wird geladen … %1 %</translation>
    </message>
    <message>
        <source>Writing the logbook … %1 %</source>
        <translation>Das Logbuch wird geschrieben … %1 %</translation>
    </message>
    <message>
        <source>by Dranek</source>
        <translation>von Dranek</translation>
    </message>
    <message>
        <source>Configuration</source>
        <translation>Konfiguration</translation>
    </message>
    <message>
        <source>Print the list</source>
        <translation>Liste drucken</translation>
    </message>
    <message>
        <source>New QSO</source>
        <translation>Neues QSO</translation>
    </message>
    <message>
        <source>eQSL confirmed:</source>
        <translation>eQSL bestätigt:</translation>
    </message>
    <message>
        <source>call search</source>
        <translation>Call Suchen</translation>
    </message>
    <message>
        <source>back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>CALL</source>
        <translation>CALL</translation>
    </message>
    <message>
        <source>QSOs:</source>
        <translation>QSOs:</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>The logbook changed on disk and was loaded again.</source>
        <translation>Das Logbuch wurde auf der Platte geändert und neu geladen.</translation>
    </message>
    <message>
        <source>%1 fields with an unreadable length were skipped</source>
        <translation>%1 Felder mit unlesbarer Länge übersprungen</translation>
    </message>
    <message>
        <source>The grid could not hold every cell: some are shown empty (the logbook file is unchanged)</source>
        <translation>Die Tabelle konnte nicht jede Zelle aufnehmen: einige bleiben leer (die Logbuchdatei ist unverändert)</translation>
    </message>
    <message>
        <source>No logbook chosen yet: open the configuration (the gear button), choose your log file with the button beside the log path, or type its path and press Enter.</source>
        <translation>Noch kein Logbuch gewählt: bitte die Konfiguration öffnen (Zahnrad-Knopf) und die Logdatei mit dem Knopf neben dem Pfad wählen oder den Pfad eingeben und Enter drücken.</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>es ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>you may not read it</source>
        <translation>keine Berechtigung, sie zu lesen</translation>
    </message>
    <message>
        <source>it is larger than 2 GiB</source>
        <translation>sie ist größer als 2 GiB</translation>
    </message>
    <message>
        <source>The logbook %1 could not be read: %2.</source>
        <translation>Das Logbuch %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The settings could not be saved to config.dat (%1). What you typed is kept while the program runs; please make sure the program's folder can be written.</source>
        <translation>Die Einstellungen konnten nicht in config.dat gespeichert werden (%1). Die Eingaben bleiben erhalten, solange das Programm läuft; bitte prüfen, ob der Ordner des Programms beschreibbar ist.</translation>
    </message>
    <message>
        <source>The logbook changed on disk since it was loaded (%1). Nothing was written; the logbook has been reloaded. Please make the change again.</source>
        <translation>Das Logbuch wurde seit dem Laden auf der Platte geändert (%1). Es wurde nichts geschrieben; das Logbuch ist neu geladen. Bitte die Änderung noch einmal machen.</translation>
    </message>
    <message>
        <source>The logbook could not be written (%1). The file on disk is unchanged.</source>
        <translation>Das Logbuch konnte nicht geschrieben werden (%1). Die Datei ist unverändert.</translation>
    </message>
    <message>
        <source>DXCC</source>
        <translation>DXCC</translation>
    </message>
    <message>
        <source>DXCC entities worked and confirmed per band</source>
        <translation>DXCC-Gebiete gearbeitet und bestätigt je Band</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
        <message>
        <source>QSO</source>
        <translation>QSO</translation>
    </message>
    <message>
        <source>CALL:</source>
        <translation>CALL:</translation>
    </message>
    <message>
        <source>MHz:</source>
        <translation>MHz:</translation>
    </message>
    <message>
        <source>Band:</source>
        <translation>Band:</translation>
    </message>
    <message>
        <source>eQSL sent</source>
        <translation>eQSL gesendet</translation>
    </message>
    <message>
        <source>eQSL received</source>
        <translation>eQSL empfangen</translation>
    </message>
    <message>
        <source>Change data</source>
        <translation>Daten ändern</translation>
    </message>
    <message>
        <source>Send to eQSL</source>
        <translation>eQSL senden</translation>
    </message>
    <message>
        <source>Save change</source>
        <translation>Änderung speichern</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Delete QSO</source>
        <translation>QSO löschen</translation>
    </message>
    <message>
        <source>Sending the QSL to eQSL – please wait for the reply …</source>
        <translation>Die QSL wird an eQSL gesendet – bitte auf die Antwort warten …</translation>
    </message>
    <message>
        <source>QSO %1</source>
        <translation>QSO %1</translation>
    </message>
    <message>
        <source>QSO %1 – %2</source>
        <translation>QSO %1 – %2</translation>
    </message>
    <message>
        <source>Save the changes to QSO %1?</source>
        <translation>Die Änderungen an QSO %1 speichern?</translation>
    </message>
    <message>
        <source>This QSO has no readable call or date, so it cannot be sent to eQSL. Nothing was sent and the logbook is unchanged.</source>
        <translation>Dieses QSO hat kein lesbares Call oder Datum und kann nicht an eQSL gesendet werden. Es wurde nichts gesendet, das Logbuch ist unverändert.</translation>
    </message>
    <message>
        <source>&gt;eqsl.adi&lt; could not be written: %1. Nothing was sent.</source>
        <translation>&gt;eqsl.adi&lt; konnte nicht geschrieben werden: %1. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The logbook was reloaded since this QSO was opened, and its line now holds something else. Nothing was written; please open the QSO again.</source>
        <translation>Das Logbuch wurde neu geladen, seit dieses QSO geöffnet wurde, und seine Zeile enthält jetzt etwas anderes. Es wurde nichts geschrieben; bitte das QSO noch einmal öffnen.</translation>
    </message>
    <message>
        <source>Selected QSO:</source>
        <translation>QSO-Nr.:</translation>
    </message>
    <message>
        <source>QSO date:</source>
        <translation>QSO-Datum:</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Zeit:</translation>
    </message>
    <message>
        <source>Mode:</source>
        <translation>Mode:</translation>
    </message>
    <message>
        <source>Locator:</source>
        <translation>Locator:</translation>
    </message>
    <message>
        <source>RST sent:</source>
        <translation>RST ges.:</translation>
    </message>
    <message>
        <source>RST rcvd:</source>
        <translation>RST empf.:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Kommentar:</translation>
    </message>
    <message>
        <source>Selected line:</source>
        <translation>Gewählte Zeile:</translation>
    </message>
    <message>
        <source>Last line:</source>
        <translation>Letzte Zeile:</translation>
    </message>
    <message>
        <source>Array line:</source>
        <translation>Tabellenzeile:</translation>
    </message>
</context>
<context>
    <name>TForm3</name>
        <message>
        <source>In this QSO's record the length of %1 is not a number. The field is shown empty; saving the change writes it empty.</source>
        <translation>Im Datensatz dieses QSOs ist die Länge von %1 keine Zahl. Das Feld wird leer gezeigt; beim Speichern der Änderung wird es leer geschrieben.</translation>
    </message>
</context>
<context>
    <name>TForm4</name>
        <message>
        <source>eQSL account</source>
        <translation>eQSL-Zugang</translation>
    </message>
    <message>
        <source>by Dranek</source>
        <translation>von Dranek</translation>
    </message>
    <message>
        <source>Your eQSL account</source>
        <translation>Ihr eQSL-Zugang</translation>
    </message>
    <message>
        <source>Please sign in</source>
        <translation>Bitte anmelden</translation>
    </message>
    <message>
        <source>eQSL call:</source>
        <translation>eQSL-Call:</translation>
    </message>
    <message>
        <source>press Enter</source>
        <translation>Enter drücken</translation>
    </message>
    <message>
        <source>eQSL password:</source>
        <translation>eQSL-Passwort:</translation>
    </message>
    <message>
        <source>Account string for eQSL</source>
        <translation>Zugangszeile für eQSL</translation>
    </message>
    <message>
        <source>Save the account to 'eqsl.bat' and exit</source>
        <translation>Zugang in 'eqsl.bat' speichern und beenden</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Please type the eQSL call and the eQSL password before saving. 'eqsl.bat' was left unchanged.</source>
        <translation>Bitte vor dem Speichern das eQSL-Call und das eQSL-Passwort eingeben. 'eqsl.bat' blieb unverändert.</translation>
    </message>
    <message>
        <source>The eQSL password holds a line break, which cannot be saved. Please type it again. 'eqsl.bat' was left unchanged.</source>
        <translation>Das eQSL-Passwort enthält einen Zeilenumbruch, der nicht gespeichert werden kann. Bitte das Passwort neu eingeben. 'eqsl.bat' blieb unverändert.</translation>
    </message>
</context>
<context>
    <name>TForm5</name>
        <message>
        <source>The file %1 could not be read.</source>
        <translation>Die Datei %1 konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>There is nothing to print.</source>
        <translation>Es gibt nichts zu drucken.</translation>
    </message>
    <message>
        <source>Printing page %1 of %2 …</source>
        <translation>Seite %1 von %2 wird gedruckt …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The print job could not be started.</source>
        <translation>Der Druckauftrag konnte nicht gestartet werden.</translation>
    </message>
</context>
<context>
    <name>TForm8</name>
        <message>
        <source>Delete QSO</source>
        <translation>QSO löschen</translation>
    </message>
    <message>
        <source>Selected row</source>
        <translation>Gewählte Zeile</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>RST sent</source>
        <translation>RST ges.</translation>
    </message>
    <message>
        <source>RST rcvd</source>
        <translation>RST empf.</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Delete!</source>
        <translation>Löschen!</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TForm9</name>
        <message>
        <source>Delete QSO?</source>
        <translation>QSO löschen?</translation>
    </message>
    <message>
        <source>Attention! To delete this QSO, press:</source>
        <translation>Achtung! Um dieses QSO zu löschen, drücken Sie:</translation>
    </message>
    <message>
        <source>DELETE</source>
        <translation>LÖSCHEN</translation>
    </message>
    <message>
        <source>These data will be deleted permanently!</source>
        <translation>Diese Daten werden dauerhaft gelöscht!</translation>
    </message>
    <message>
        <source>To delete nothing, press:</source>
        <translation>Um nichts zu löschen, drücken Sie:</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>ABBRECHEN</translation>
    </message>
</context>
<context>
    <name>TStartForm</name>
        <message>
        <source>Screen</source>
        <translation>Bildschirm</translation>
    </message>
</context>
<context>
    <name>TextList</name>
        <message>
        <source>The file List.txt could not be created.</source>
        <translation>Die Datei List.txt konnte nicht angelegt werden.</translation>
    </message>
</context>
<context>
    <name>eqsl</name>
        <message>
        <source>No reply from eQSL.</source>
        <translation>Keine Rückmeldung von eQSL.</translation>
    </message>
    <message>
        <source>&gt;back.txt&lt; not found!</source>
        <translation>&gt;back.txt&lt; nicht gefunden!</translation>
    </message>
    <message>
        <source>No answer from e-QSL within %1 seconds: the upload was stopped. The QSO stays marked as not sent.</source>
        <translation>Keine Antwort von e-QSL innerhalb von %1 Sekunden: die Übertragung wurde abgebrochen. Das QSO bleibt als nicht gesendet markiert.</translation>
    </message>
    <message>
        <source>&gt;eqsl.bat&lt; holds no command: please save the eQSL account again. Nothing was sent.</source>
        <translation>&gt;eqsl.bat&lt; enthält keinen Befehl: bitte den eQSL-Zugang neu speichern. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>The program &gt;curl&lt; was not found: please install it. Nothing was sent.</source>
        <translation>Das Programm &gt;curl&lt; wurde nicht gefunden: bitte installieren. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>&gt;eqsl.bat&lt; could not be started: %1. Nothing was sent.</source>
        <translation>&gt;eqsl.bat&lt; konnte nicht gestartet werden: %1. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>A command of &gt;eqsl.bat&lt; was not found. Nothing was sent.</source>
        <translation>Ein Befehl in &gt;eqsl.bat&lt; wurde nicht gefunden. Es wurde nichts gesendet.</translation>
    </message>
    <message>
        <source>&gt;eqsl.bat&lt; not found: please save the eQSL account first (Configuration, eQSL account). Nothing was sent.</source>
        <translation>&gt;eqsl.bat&lt; nicht gefunden: bitte zuerst den eQSL-Zugang speichern (Konfiguration, eQSL-Zugang). Es wurde nichts gesendet.</translation>
    </message>
</context>
<context>
    <name>Rewrite</name>
        <message>
        <source>%1 is a link that leads to no file (%2)</source>
        <translation>%1 ist ein Verweis, der zu keiner Datei führt (%2)</translation>
    </message>
    <message>
        <source>another program</source>
        <translation>ein anderes Programm</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>Prozess %1</translation>
    </message>
    <message>
        <source>%1, process %2</source>
        <translation>%1, Prozess %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is not a file but a folder, a pipe, a device or a socket</source>
        <translation>%1 ist keine Datei, sondern ein Ordner, eine Pipe, ein Gerät oder ein Socket</translation>
    </message>
    <message>
        <source>%1 is being saved by %2; nothing was written, please try again</source>
        <translation>%1 wird gerade von %2 gespeichert; es wurde nichts geschrieben, bitte noch einmal versuchen</translation>
    </message>
    <message>
        <source>its owner and group (%1)</source>
        <translation>ihren Eigentümer und ihre Gruppe (%1)</translation>
    </message>
    <message>
        <source>its permissions (%1)</source>
        <translation>ihre Zugriffsrechte (%1)</translation>
    </message>
    <message>
        <source>its extended attributes (%1)</source>
        <translation>ihre erweiterten Attribute (%1)</translation>
    </message>
    <message>
        <source>its attribute %1 (%2)</source>
        <translation>ihr Attribut %1 (%2)</translation>
    </message>
    <message>
        <source>the QSO with %1 on %2 at %3</source>
        <translation>das QSO mit %1 am %2 um %3</translation>
    </message>
    <message>
        <source>%1 was changed or removed by another program since the log was loaded; your change to it was not written</source>
        <translation>%1 wurde seit dem Laden von einem anderen Programm geändert oder entfernt; Ihre Änderung daran wurde nicht geschrieben</translation>
    </message>
    <message>
        <source>no logbook file is set</source>
        <translation>keine Logdatei eingestellt</translation>
    </message>
    <message>
        <source>%1 is no longer there</source>
        <translation>%1 ist nicht mehr da</translation>
    </message>
    <message>
        <source>%1 is read-only; it was not replaced. Allow writing to it to save</source>
        <translation>%1 ist schreibgeschützt und wurde nicht ersetzt. Zum Speichern bitte Schreiben erlauben</translation>
    </message>
    <message>
        <source>%1 has %2 names (hard links); replacing it would part them, so nothing was written. Open the log through one name only (a symbolic link is fine)</source>
        <translation>%1 hat %2 Namen (harte Verweise); sie zu ersetzen würde sie trennen, daher wurde nichts geschrieben. Bitte das Logbuch nur unter einem Namen öffnen (ein symbolischer Verweis geht)</translation>
    </message>
    <message>
        <source>%1 appeared since the log was loaded</source>
        <translation>%1 ist seit dem Laden neu entstanden</translation>
    </message>
    <message>
        <source>%1 changed on disk since it was loaded</source>
        <translation>%1 wurde seit dem Laden auf der Platte geändert</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 was not replaced: the new file could not keep %2</source>
        <translation>%1 wurde nicht ersetzt: die neue Datei konnte %2 nicht behalten</translation>
    </message>
</context>
<context>
    <name>Loader</name>
        <message>
        <source>no logbook file is set</source>
        <translation>keine Logdatei eingestellt</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>is a folder, not a file</source>
        <translation>ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>it is not a file but a pipe, a device or a socket</source>
        <translation>es ist keine Datei, sondern eine Pipe, ein Gerät oder ein Socket</translation>
    </message>
    <message>
        <source>the file is larger than 2 GiB</source>
        <translation>die Datei ist größer als 2 GiB</translation>
    </message>
</context>
<context>
    <name>OrphanLog</name>
        <message>
        <source>A QSO that another program wrote into the replaced logbook file could not be added to %1 (%2). It is kept and tried again while Vosmira runs; please free space on the disk.</source>
        <translation>Ein QSO, das ein anderes Programm in die ersetzte Logdatei geschrieben hat, konnte nicht zu %1 hinzugefügt werden (%2). Es bleibt erhalten und wird erneut versucht, solange Vosmira läuft; bitte Platz auf der Platte schaffen.</translation>
    </message>
</context>
<context>
    <name>QslCommand</name>
        <message>
        <source>usage: vosmira qsl upload|download eqsl|lotw</source>
        <translation>Aufruf: vosmira qsl upload|download eqsl|lotw</translation>
    </message>
    <message>
        <source>The logbook could not be read: %1</source>
        <translation>Das Logbuch kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>no log file is set</source>
        <translation>es ist keine Logdatei eingestellt</translation>
    </message>
</context>
<context>
    <name>QslRunner</name>
        <message>
        <source>the password could not be read (%1)</source>
        <translation>das Passwort kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>A QSL run is still going on.</source>
        <translation>Ein QSL-Lauf ist noch im Gange.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>not marked</source>
        <translation>nicht markiert</translation>
    </message>
    <message>
        <source>line %1 of the log holds another QSO now</source>
        <translation>Zeile %1 des Logs enthält jetzt ein anderes QSO</translation>
    </message>
    <message numerus="yes">
        <source>; %n QSO(s) marked in the log</source>
        <translation>
            <numerusform>; %n QSO im Log markiert</numerusform>
            <numerusform>; %n QSOs im Log markiert</numerusform>
        </translation>
    </message>
    <message>
        <source>not sent</source>
        <translation>nicht gesendet</translation>
    </message>
    <message>
        <source>sent</source>
        <translation>gesendet</translation>
    </message>
    <message>
        <source>; the log could not be written (%1): the QSOs sent stay unmarked and go up again next time</source>
        <translation>; das Log konnte nicht geschrieben werden (%1): die gesendeten QSOs bleiben unmarkiert und werden beim nächsten Mal erneut hochgeladen</translation>
    </message>
    <message>
        <source>already confirmed</source>
        <translation>schon bestätigt</translation>
    </message>
    <message>
        <source>confirmed</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <source>confirmation not marked</source>
        <translation>Bestätigung nicht eingetragen</translation>
    </message>
    <message numerus="yes">
        <source>%n QSO(s) of the log fit it (lines %1)</source>
        <translation>
            <numerusform>%n QSO des Logs passt dazu (Zeile %1)</numerusform>
            <numerusform>%n QSOs des Logs passen dazu (Zeilen %1)</numerusform>
        </translation>
    </message>
    <message>
        <source>no QSO of the log fits it (%1 %2)</source>
        <translation>kein QSO des Logs passt dazu (%1 %2)</translation>
    </message>
    <message>
        <source>; the log could not be written (%1): nothing is marked, and the next download starts where this one did</source>
        <translation>; das Log konnte nicht geschrieben werden (%1): nichts ist markiert, und der nächste Download beginnt, wo dieser begann</translation>
    </message>
    <message>
        <source>; the download was not complete: the next one starts where this one did</source>
        <translation>; der Download war nicht vollständig: der nächste beginnt, wo dieser begann</translation>
    </message>
    <message>
        <source>; where this download ended could not be saved (%1): the next one fetches these confirmations again</source>
        <translation>; wo dieser Download endete, konnte nicht gespeichert werden (%1): der nächste holt diese Bestätigungen noch einmal</translation>
    </message>
</context>
<context>
    <name>QslWindow</name>
        <message>
        <source>The settings are saved.</source>
        <translation>Die Einstellungen sind gespeichert.</translation>
    </message>
    <message>
        <source>QSL: eQSL and LoTW</source>
        <translation>QSL: eQSL und LoTW</translation>
    </message>
    <message>
        <source>eQSL</source>
        <translation>eQSL</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>Adresse:</translation>
    </message>
    <message>
        <source>User:</source>
        <translation>Benutzer:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>LoTW</source>
        <translation>LoTW</translation>
    </message>
    <message>
        <source>Login:</source>
        <translation>Login:</translation>
    </message>
    <message>
        <source>Station location:</source>
        <translation>Stationsstandort:</translation>
    </message>
    <message>
        <source>Certificate call:</source>
        <translation>Rufzeichen des Zertifikats:</translation>
    </message>
    <message>
        <source>tqsl program:</source>
        <translation>tqsl-Programm:</translation>
    </message>
    <message>
        <source>eQSL confirmations do not count for ARRL&apos;s DXCC; LoTW&apos;s do.</source>
        <translation>eQSL-Bestätigungen zählen nicht für das DXCC der ARRL, die von LoTW schon.</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Uploads every QSO not yet sent to eQSL</source>
        <translation>Lädt jedes noch nicht gesendete QSO zu eQSL hoch</translation>
    </message>
    <message>
        <source>Signs and uploads every QSO not yet sent to LoTW with tqsl</source>
        <translation>Signiert jedes noch nicht an LoTW gesendete QSO mit tqsl und lädt es hoch</translation>
    </message>
    <message>
        <source>Marks the QSOs eQSL confirmed since the last download</source>
        <translation>Markiert die QSOs, die eQSL seit dem letzten Download bestätigt hat</translation>
    </message>
    <message>
        <source>Marks the QSOs LoTW confirmed since the last download</source>
        <translation>Markiert die QSOs, die LoTW seit dem letzten Download bestätigt hat</translation>
    </message>
    <message>
        <source>The station location as named in TrustedQSL</source>
        <translation>Der Stationsstandort, wie er in TrustedQSL heißt</translation>
    </message>
    <message>
        <source>The call of the certificate, where the station location does not say</source>
        <translation>Das Rufzeichen des Zertifikats, wo der Stationsstandort es nicht festlegt</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Service</source>
        <translation>Dienst</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>stored (type to replace)</source>
        <translation>gespeichert (zum Ersetzen eintippen)</translation>
    </message>
    <message>
        <source>not set</source>
        <translation>nicht gesetzt</translation>
    </message>
    <message>
        <source>The password could not be stored (%1).</source>
        <translation>Das Passwort konnte nicht gespeichert werden (%1).</translation>
    </message>
    <message>
        <source>%1: uploading …</source>
        <translation>%1: wird hochgeladen …</translation>
    </message>
    <message>
        <source>%1: downloading …</source>
        <translation>%1: wird heruntergeladen …</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
        <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>DxccWindow</name>
        <message>
        <source>DXCC</source>
        <translation>DXCC</translation>
    </message>
    <message>
        <source>Entity</source>
        <translation>Gebiet</translation>
    </message>
    <message>
        <source>Prefix</source>
        <translation>Präfix</translation>
    </message>
    <message>
        <source>Confirmed by:</source>
        <translation>Bestätigt durch:</translation>
    </message>
    <message>
        <source>LoTW</source>
        <translation>LoTW</translation>
    </message>
    <message>
        <source>eQSL</source>
        <translation>eQSL</translation>
    </message>
    <message>
        <source>QSL card</source>
        <translation>QSL-Karte</translation>
    </message>
    <message>
        <source>Entities not worked too</source>
        <translation>Auch nicht gearbeitete Gebiete</translation>
    </message>
    <message>
        <source>Export CSV …</source>
        <translation>Als CSV exportieren …</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%1 QSOs; confirmed by LoTW %2, by eQSL %3, by QSL card %4</source>
        <translation>%1 QSOs; bestätigt durch LoTW %2, durch eQSL %3, durch QSL-Karte %4</translation>
    </message>
    <message>
        <source>The DXCC table needs a country file (cty.csv).</source>
        <translation>Die DXCC-Tabelle braucht eine Länderdatei (cty.csv).</translation>
    </message>
    <message>
        <source>Worked / confirmed</source>
        <translation>Gearbeitet / bestätigt</translation>
    </message>
    <message>
        <source>DXCC entities worked: %1, confirmed: %2</source>
        <translation>DXCC-Gebiete gearbeitet: %1, bestätigt: %2</translation>
    </message>
    <message>
        <source>Export the DXCC table</source>
        <translation>DXCC-Tabelle exportieren</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The DXCC table could not be written to %1: %2</source>
        <translation>Die DXCC-Tabelle konnte nicht nach %1 geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>CountryFilePanel</name>
        <message>
        <source>Country file address:</source>
        <translation>Adresse der Länderdatei:</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Fetches the current country file (cty.csv) into the working folder</source>
        <translation>Holt die aktuelle Länderdatei (cty.csv) in den Arbeitsordner</translation>
    </message>
    <message>
        <source>The address was not kept: %1</source>
        <translation>Die Adresse wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>Downloading the country file …</source>
        <translation>Die Länderdatei wird heruntergeladen …</translation>
    </message>
</context>
<context>
    <name>CountryFileDownload</name>
        <message>
        <source>it is not a country file: %1</source>
        <translation>sie ist keine Länderdatei: %1</translation>
    </message>
    <message>
        <source>it names only %1 DXCC entities</source>
        <translation>sie nennt nur %1 DXCC-Gebiete</translation>
    </message>
    <message>
        <source>The country file was not downloaded: %1 is not a web address.</source>
        <translation>Die Länderdatei wurde nicht heruntergeladen: %1 ist keine Web-Adresse.</translation>
    </message>
    <message>
        <source>The country file was not downloaded (%1); the one in use stays.</source>
        <translation>Die Länderdatei wurde nicht heruntergeladen (%1); die bisherige bleibt in Gebrauch.</translation>
    </message>
    <message>
        <source>it is too large for a country file</source>
        <translation>sie ist zu groß für eine Länderdatei</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 konnte nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Country file downloaded: %1 DXCC entities, in use now.</source>
        <translation>Länderdatei heruntergeladen: %1 DXCC-Gebiete, ab sofort in Gebrauch.</translation>
    </message>
</context>
</TS>
