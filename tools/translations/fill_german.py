#!/usr/bin/env python3
"""Fills the German translation (resources/translations/vosmira_Ger.ts) from
the tables below after `lupdate` has brought its source texts up to date, and
writes the English one (vosmira_Eng.ts), which only corrects the country names
the flag table spells the German way:
  /usr/lib/qt6/bin/lupdate -no-obsolete -locations none -source-language en \\
      -target-language de_DE src/app src/editing src/eqsl src/logdata src/mainwin \\
      src/printing src/settings src/widgets src/qsl src/qslwin src/dxcc \\
      -ts resources/translations/vosmira_Ger.ts
  python3 tools/translations/fill_german.py
src/country is left out: the entity names and the country room's texts have a
translation set of their own (resources/translations/country/), brought up to
date with `lupdate src/country -ts resources/translations/country/*.ts`.
A text with no entry stays unfinished; the script lists it."""
import os
import sys
import xml.etree.ElementTree as ET

# Texts the same in every context.
COMMON = {
    "Date": "Datum", "Time": "Zeit", "CALL": "CALL", "Call": "Call", "Locator": "Locator",
    "MHz": "MHz", "Band": "Band", "Mode": "Mode", "RST sent": "RST ges.", "RST rcvd": "RST empf.",
    "Comment": "Kommentar", "Exit": "Beenden", "Cancel": "Abbrechen", "by Dranek": "von Dranek",
    "Configuration": "Konfiguration", "New QSO": "Neues QSO", "Delete QSO": "QSO löschen",
    "eQSL account": "eQSL-Zugang",
    "eQSL out": "eQSL aus", "eQSL in": "eQSL ein", "LoTW in": "LoTW ein",
}

TEXTS = {
    ("KeyEdit", "\"%1\" cannot be stored here: the text is kept in the Windows-1252 code page, which has no such character."):
        "„%1“ kann hier nicht gespeichert werden: der Text wird in der Codepage Windows-1252 gespeichert, die dieses Zeichen nicht kennt.",
    ("ListPrint", "Page:"): "Seite:",
    ("ListPrint", "Vosmira logbook"): "Vosmira Logbuch",
    ("QsoEntryForm", "Change QSO"): "QSO ändern",
    ("QsoEntryForm", "Vosmira – logbook for FT8 and FT4"): "Vosmira – Logbuch für FT8 und FT4",
    ("QsoEntryForm", "Time"): "Uhrzeit",
    ("QsoEntryForm", "Time on"): "Beginn",
    ("QsoEntryForm", "Frequency"): "Frequenz",
    ("QsoEntryForm", "eQSL sent"): "eQSL ges.",
    ("QsoEntryForm", "eQSL rcvd"): "eQSL empf.",
    ("QsoEntryForm", "\"%1\" is not a valid date. Please enter the date as DD.MM.YYYY, for example 15.01.2023."):
        "„%1“ ist kein gültiges Datum. Bitte das Datum als TT.MM.JJJJ eingeben, zum Beispiel 15.01.2023.",
    ("QsoEntryForm", "Please enter the time as HH:MM, for example 09:30."):
        "Bitte die Zeit als HH:MM eingeben, zum Beispiel 09:30.",
    ("QsoEntryForm", "\"%1\" is not a valid time. Please enter the time as HH:MM, for example 09:30."):
        "„%1“ ist keine gültige Uhrzeit. Bitte die Zeit als HH:MM eingeben, zum Beispiel 09:30.",
    ("QsoEntryForm", "Apply change"): "Änderung übernehmen",
    ("QsoEntryForm", "Save new QSO"): "Neues QSO speichern",
    ("QsoEntryForm", "Attention:"): "Achtung:",
    ("QsoEntryForm", "Confirm every entry with Enter!"): "Alle Eingaben mit Enter bestätigen!",
    ("TConfiguration", "Call:"): "Call:",
    ("TConfiguration", "Name:"): "Name:",
    ("TConfiguration", "First name:"): "Vorname:",
    ("TConfiguration", "Street:"): "Straße:",
    ("TConfiguration", "Postcode / town:"): "PLZ / Ort:",
    ("TConfiguration", "Locator:"): "Locator:",
    ("TConfiguration", "Country:"): "Land:",
    ("TConfiguration", "ADL / DOK:"): "ADL / DOK:",
    ("TConfiguration", "Standard comment text:"): "Standard-Kommentar:",
    ("TConfiguration", "Path to the log file:"): "Pfad zur Logdatei:",
    ("TConfiguration", "German"): "Deutsch",
    ("TConfiguration", "English"): "Englisch",
    ("TConfiguration", "Language:"): "Sprache:",
    ("TConfiguration", "Choose the log file"): "Logdatei wählen",
    ("TForm1", "Loading the logbook … %1 %"): "Das Logbuch wird geladen … %1 %",
    ("TForm1", "Writing the logbook … %1 %"): "Das Logbuch wird geschrieben … %1 %",
    ("TForm1", "Print the list"): "Liste drucken",
    ("TForm1", "eQSL confirmed:"): "eQSL bestätigt:",
    ("TForm1", "call search"): "Call Suchen",
    ("TForm1", "back"): "Zurück",
    ("TForm1", "QSOs:"): "QSOs:",
    ("TForm1", "The logbook changed on disk and was loaded again."):
        "Das Logbuch wurde auf der Platte geändert und neu geladen.",
    ("TForm1", "%1 fields with an unreadable length were skipped"):
        "%1 Felder mit unlesbarer Länge übersprungen",
    ("TForm1", "The grid could not hold every cell: some are shown empty (the logbook file is unchanged)"):
        "Die Tabelle konnte nicht jede Zelle aufnehmen: einige bleiben leer (die Logbuchdatei ist unverändert)",
    ("TForm1", "No logbook chosen yet: open the configuration (the gear button), choose your log file with the button beside the log path, or type its path and press Enter."):
        "Noch kein Logbuch gewählt: bitte die Konfiguration öffnen (Zahnrad-Knopf) und die Logdatei mit dem Knopf neben dem Pfad wählen oder den Pfad eingeben und Enter drücken.",
    ("TForm1", "it is a folder, not a file"): "es ist ein Ordner, keine Datei",
    ("TForm1", "there is no such file"): "diese Datei gibt es nicht",
    ("TForm1", "you may not read it"): "keine Berechtigung, sie zu lesen",
    ("TForm1", "it is larger than 2 GiB"): "sie ist größer als 2 GiB",
    ("TForm1", "The logbook %1 could not be read: %2."): "Das Logbuch %1 konnte nicht gelesen werden: %2.",
    ("TForm1", "The settings could not be saved to config.dat (%1). What you typed is kept while the program runs; please make sure the program's folder can be written."):
        "Die Einstellungen konnten nicht in config.dat gespeichert werden (%1). Die Eingaben bleiben erhalten, solange das Programm läuft; bitte prüfen, ob der Ordner des Programms beschreibbar ist.",
    ("TForm1", "The logbook changed on disk since it was loaded (%1). Nothing was written; the logbook has been reloaded. Please make the change again."):
        "Das Logbuch wurde seit dem Laden auf der Platte geändert (%1). Es wurde nichts geschrieben; das Logbuch ist neu geladen. Bitte die Änderung noch einmal machen.",
    ("TForm1", "The logbook could not be written (%1). The file on disk is unchanged."):
        "Das Logbuch konnte nicht geschrieben werden (%1). Die Datei ist unverändert.",
    ("TForm2", "QSO"): "QSO",
    ("TForm2", "Selected QSO:"): "QSO-Nr.:",
    ("TForm2", "CALL:"): "CALL:",
    ("TForm2", "QSO date:"): "QSO-Datum:",
    ("TForm2", "Time:"): "Zeit:",
    ("TForm2", "MHz:"): "MHz:",
    ("TForm2", "Band:"): "Band:",
    ("TForm2", "Mode:"): "Mode:",
    ("TForm2", "Locator:"): "Locator:",
    ("TForm2", "RST sent:"): "RST ges.:",
    ("TForm2", "RST rcvd:"): "RST empf.:",
    ("TForm2", "Comment:"): "Kommentar:",
    ("TForm2", "eQSL sent"): "eQSL gesendet",
    ("TForm2", "eQSL received"): "eQSL empfangen",
    ("TForm2", "Change data"): "Daten ändern",
    ("TForm2", "Send to eQSL"): "eQSL senden",
    ("TForm2", "Save change"): "Änderung speichern",
    ("TForm2", "Selected line:"): "Gewählte Zeile:",
    ("TForm2", "Last line:"): "Letzte Zeile:",
    ("TForm2", "Array line:"): "Tabellenzeile:",
    ("TForm2", "Sending the QSL to eQSL – please wait for the reply …"):
        "Die QSL wird an eQSL gesendet – bitte auf die Antwort warten …",
    ("TForm2", "QSO %1"): "QSO %1",
    ("TForm2", "QSO %1 – %2"): "QSO %1 – %2",
    ("TForm2", "Save the changes to QSO %1?"): "Die Änderungen an QSO %1 speichern?",
    ("TForm2", "This QSO has no readable call or date, so it cannot be sent to eQSL. Nothing was sent and the logbook is unchanged."):
        "Dieses QSO hat kein lesbares Call oder Datum und kann nicht an eQSL gesendet werden. Es wurde nichts gesendet, das Logbuch ist unverändert.",
    ("TForm2", ">eqsl.adi< could not be written: %1. Nothing was sent."):
        ">eqsl.adi< konnte nicht geschrieben werden: %1. Es wurde nichts gesendet.",
    ("TForm2", "The logbook was reloaded since this QSO was opened, and its line now holds something else. Nothing was written; please open the QSO again."):
        "Das Logbuch wurde neu geladen, seit dieses QSO geöffnet wurde, und seine Zeile enthält jetzt etwas anderes. Es wurde nichts geschrieben; bitte das QSO noch einmal öffnen.",
    ("TForm3", "In this QSO's record the length of %1 is not a number. The field is shown empty; saving the change writes it empty."):
        "Im Datensatz dieses QSOs ist die Länge von %1 keine Zahl. Das Feld wird leer gezeigt; beim Speichern der Änderung wird es leer geschrieben.",
    ("TForm4", "Your eQSL account"): "Ihr eQSL-Zugang",
    ("TForm4", "Please sign in"): "Bitte anmelden",
    ("TForm4", "eQSL call:"): "eQSL-Call:",
    ("TForm4", "press Enter"): "Enter drücken",
    ("TForm4", "eQSL password:"): "eQSL-Passwort:",
    ("TForm4", "Account string for eQSL"): "Zugangszeile für eQSL",
    ("TForm4", "Save the account to 'eqsl.bat' and exit"): "Zugang in 'eqsl.bat' speichern und beenden",
    ("TForm4", "Please type the eQSL call and the eQSL password before saving. 'eqsl.bat' was left unchanged."):
        "Bitte vor dem Speichern das eQSL-Call und das eQSL-Passwort eingeben. 'eqsl.bat' blieb unverändert.",
    ("TForm4", "The eQSL password holds a line break, which cannot be saved. Please type it again. 'eqsl.bat' was left unchanged."):
        "Das eQSL-Passwort enthält einen Zeilenumbruch, der nicht gespeichert werden kann. Bitte das Passwort neu eingeben. 'eqsl.bat' blieb unverändert.",
    ("TForm5", "The file %1 could not be read."): "Die Datei %1 konnte nicht gelesen werden.",
    ("TForm5", "Print"): "Drucken",
    ("TForm5", "There is nothing to print."): "Es gibt nichts zu drucken.",
    ("TForm5", "Printing page %1 of %2 …"): "Seite %1 von %2 wird gedruckt …",
    ("TForm5", "The print job could not be started."): "Der Druckauftrag konnte nicht gestartet werden.",
    ("TForm8", "Selected row"): "Gewählte Zeile",
    ("TForm8", "Delete!"): "Löschen!",
    ("TForm9", "Delete QSO?"): "QSO löschen?",
    ("TForm9", "Attention! To delete this QSO, press:"): "Achtung! Um dieses QSO zu löschen, drücken Sie:",
    ("TForm9", "DELETE"): "LÖSCHEN",
    ("TForm9", "These data will be deleted permanently!"): "Diese Daten werden dauerhaft gelöscht!",
    ("TForm9", "To delete nothing, press:"): "Um nichts zu löschen, drücken Sie:",
    ("TForm9", "CANCEL"): "ABBRECHEN",
    ("TStartForm", "Screen"): "Bildschirm",
    ("AtomicFile", "the disk is full"): "die Platte ist voll",
    ("Settings", "unknown error"): "unbekannter Fehler",
    ("TextList", "The file List.txt could not be created."): "Die Datei List.txt konnte nicht angelegt werden.",
    ("eqsl", "No reply from eQSL."): "Keine Rückmeldung von eQSL.",
    ("eqsl", ">back.txt< not found!"): ">back.txt< nicht gefunden!",
    ("eqsl", "No answer from e-QSL within %1 seconds: the upload was stopped. The QSO stays marked as not sent."):
        "Keine Antwort von e-QSL innerhalb von %1 Sekunden: die Übertragung wurde abgebrochen. Das QSO bleibt als nicht gesendet markiert.",
    ("eqsl", ">eqsl.bat< not found: please save the eQSL account first (Configuration, eQSL account). Nothing was sent."):
        ">eqsl.bat< nicht gefunden: bitte zuerst den eQSL-Zugang speichern (Konfiguration, eQSL-Zugang). Es wurde nichts gesendet.",
    ("eqsl", ">eqsl.bat< holds no command: please save the eQSL account again. Nothing was sent."):
        ">eqsl.bat< enthält keinen Befehl: bitte den eQSL-Zugang neu speichern. Es wurde nichts gesendet.",
    ("eqsl", "The program >curl< was not found: please install it. Nothing was sent."):
        "Das Programm >curl< wurde nicht gefunden: bitte installieren. Es wurde nichts gesendet.",
    ("eqsl", ">eqsl.bat< could not be started: %1. Nothing was sent."):
        ">eqsl.bat< konnte nicht gestartet werden: %1. Es wurde nichts gesendet.",
    ("eqsl", "A command of >eqsl.bat< was not found. Nothing was sent."):
        "Ein Befehl in >eqsl.bat< wurde nicht gefunden. Es wurde nichts gesendet.",
}

# The DXCC window, its button and the country file's download.
TEXTS.update({
    ("TForm1", "DXCC"): "DXCC",
    ("TForm1", "DXCC entities worked and confirmed per band"): "DXCC-Gebiete gearbeitet und bestätigt je Band",
    ("TForm7", "%1: %2"): "%1: %2",
    ("DxccWindow", "DXCC"): "DXCC",
    ("DxccWindow", "Entity"): "Gebiet",
    ("DxccWindow", "Prefix"): "Präfix",
    ("DxccWindow", "Confirmed by:"): "Bestätigt durch:",
    ("DxccWindow", "LoTW"): "LoTW",
    ("DxccWindow", "eQSL"): "eQSL",
    ("DxccWindow", "QSL card"): "QSL-Karte",
    ("DxccWindow", "Entities not worked too"): "Auch nicht gearbeitete Gebiete",
    ("DxccWindow", "Export CSV …"): "Als CSV exportieren …",
    ("DxccWindow", "Close"): "Schließen",
    ("DxccWindow", "%1 QSOs; confirmed by LoTW %2, by eQSL %3, by QSL card %4"):
        "%1 QSOs; bestätigt durch LoTW %2, durch eQSL %3, durch QSL-Karte %4",
    ("DxccWindow", "The DXCC table needs a country file (cty.csv)."):
        "Die DXCC-Tabelle braucht eine Länderdatei (cty.csv).",
    ("DxccWindow", "Worked / confirmed"): "Gearbeitet / bestätigt",
    ("DxccWindow", "DXCC entities worked: %1, confirmed: %2"): "DXCC-Gebiete gearbeitet: %1, bestätigt: %2",
    ("DxccWindow", "Export the DXCC table"): "DXCC-Tabelle exportieren",
    ("DxccWindow", "CSV files (*.csv)"): "CSV-Dateien (*.csv)",
    ("DxccWindow", "The DXCC table could not be written to %1: %2"):
        "Die DXCC-Tabelle konnte nicht nach %1 geschrieben werden: %2",
    ("CountryFilePanel", "Country file address:"): "Adresse der Länderdatei:",
    ("CountryFilePanel", "Download"): "Herunterladen",
    ("CountryFilePanel", "Fetches the current country file (cty.csv) into the working folder"):
        "Holt die aktuelle Länderdatei (cty.csv) in den Arbeitsordner",
    ("CountryFilePanel", "The address was not kept: %1"): "Die Adresse wurde nicht gespeichert: %1",
    ("CountryFilePanel", "Downloading the country file …"): "Die Länderdatei wird heruntergeladen …",
    ("CountryFileDownload", "it is not a country file: %1"): "sie ist keine Länderdatei: %1",
    ("CountryFileDownload", "it names only %1 DXCC entities"): "sie nennt nur %1 DXCC-Gebiete",
    ("CountryFileDownload", "The country file was not downloaded: %1 is not a web address."):
        "Die Länderdatei wurde nicht heruntergeladen: %1 ist keine Web-Adresse.",
    ("CountryFileDownload", "The country file was not downloaded (%1); the one in use stays."):
        "Die Länderdatei wurde nicht heruntergeladen (%1); die bisherige bleibt in Gebrauch.",
    ("CountryFileDownload", "it is too large for a country file"): "sie ist zu groß für eine Länderdatei",
    ("CountryFileDownload", "%1 could not be written: %2"): "%1 konnte nicht geschrieben werden: %2",
    ("CountryFileDownload", "Country file downloaded: %1 DXCC entities, in use now."):
        "Länderdatei heruntergeladen: %1 DXCC-Gebiete, ab sofort in Gebrauch.",
})

# The country names of the flag table (some of them as the table spells them).
COUNTRIES = {
    "Aland Islands": "Åland-Inseln", "Albania": "Albanien", "Algeria": "Algerien",
    "Andorra": "Andorra", "Argentinia": "Argentinien", "Armenia": "Armenien",
    "Aserbaijan": "Aserbaidschan", "Australia": "Australien", "Austria": "Österreich",
    "Azores": "Azoren", "Bahamas": "Bahamas", "Barbados": "Barbados", "Belarus": "Belarus",
    "Belgium": "Belgien", "Belize": "Belize", "Bosnia Hercegovina": "Bosnien und Herzegowina",
    "Brazil": "Brasilien", "Bulgaria": "Bulgarien", "Canada": "Kanada",
    "Cayman Isles": "Kaimaninseln", "Chile": "Chile", "China": "China",
    "Clipperton Island": "Clipperton-Insel", "Corsica": "Korsika", "Costa Rica": "Costa Rica",
    "Crete": "Kreta", "Croatia": "Kroatien", "Cuba": "Kuba", "Czech Republic": "Tschechien",
    "Denmark": "Dänemark", "Dodecanese": "Dodekanes", "Dominica": "Dominica",
    "Dominican Rep": "Dominikanische Rep.", "Ecuador": "Ecuador", "England": "England",
    "Equatorial Guinea": "Äquatorialguinea", "Estonia": "Estland", "Faeroe Islands": "Färöer",
    "Finland": "Finnland", "France": "Frankreich", "Franz Josef Land": "Franz-Josef-Land",
    "Georgien": "Georgien", "Germany": "Deutschland", "Gibraltar": "Gibraltar",
    "Greece": "Griechenland", "Grenada": "Grenada", "Guadeloupe": "Guadeloupe",
    "Guantanamo Bay": "Guantanamo-Bucht", "Guernsey": "Guernsey", "Haiti": "Haiti",
    "Honduras": "Honduras", "Hungary": "Ungarn", "ITU Geneva": "ITU Genf", "Iceland": "Island",
    "India": "Indien", "Irland": "Irland", "Isle of Man": "Isle of Man", "Israel": "Israel",
    "Italy": "Italien", "Jamaica": "Jamaika", "Jan Mayen": "Jan Mayen", "Japan": "Japan",
    "Jersey": "Jersey", "Jordan": "Jordanien", "Kaliningrad": "Kaliningrad",
    "Kazakhstan": "Kasachstan", "Kenya": "Kenia", "Kuwait": "Kuwait", "Latvia": "Lettland",
    "Lebanon": "Libanon", "Liechtenstein": "Liechtenstein", "Lithuania": "Litauen",
    "Luxembourg": "Luxemburg", "Malta": "Malta",
    "Malyj Vysotskij Island": "Insel Malyj Wyssozkij", "Market Reef": "Märket",
    "Martinique": "Martinique", "Mauritania": "Mauretanien", "Mexico": "Mexiko",
    "Moldova": "Moldau", "Monaco": "Monaco", "Montenegro": "Montenegro", "Morocco": "Marokko",
    "Mt Athos": "Berg Athos", "Netherlands": "Niederlande", "Neuseeland": "Neuseeland",
    "New Caledonia": "Neukaledonien", "Norfolk Island": "Norfolkinsel",
    "Northern Ireland": "Nordirland", "Norway": "Norwegen", "Oman": "Oman",
    "Pakistan": "Pakistan", "Panama": "Panama", "Peru": "Peru", "Poland": "Polen",
    "Portugal": "Portugal", "Puerto Rico": "Puerto Rico", "Romania": "Rumänien",
    "Russia": "Russland", "Sable Island": "Sable Island",
    "San Andres and Providencia": "San Andrés und Providencia", "San Marino": "San Marino",
    "Sardinia": "Sardinien", "Saudi Arabia": "Saudi-Arabien", "Scotland": "Schottland",
    "Serbia": "Serbien", "Slovakia": "Slowakei", "Slovenia": "Slowenien",
    "South Africa": "Südafrika", "Spain": "Spanien", "St Lucia": "St. Lucia",
    "St Martin": "St. Martin", "St Paul Island": "St.-Paul-Insel",
    "St Pierre and Miquelon": "St. Pierre und Miquelon", "St Vincent": "St. Vincent",
    "Svalbard": "Spitzbergen", "Sweden": "Schweden", "Switzerland": "Schweiz",
    "Tunisia": "Tunesien", "Turkey": "Türkei", "UN HQ": "UNO-Hauptquartier", "USA": "USA",
    "Ukraine": "Ukraine", "United Arab Emirates": "Vereinigte Arabische Emirate",
    "Uruguay": "Uruguay", "Vatican": "Vatikan", "Venezuela": "Venezuela", "Wales": "Wales",
}


# The flag table's names that are not English.
COUNTRIES_ENGLISH = {
    "Irland": "Ireland", "Georgien": "Georgia", "Neuseeland": "New Zealand",
    "Argentinia": "Argentina", "Aserbaijan": "Azerbaijan",
}


def write_english(path):
    with open(path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        f.write('<TS version="2.1" language="en" sourcelanguage="en">\n<context>\n')
        f.write("    <name>Country</name>\n")
        for source, text in COUNTRIES_ENGLISH.items():
            f.write("    <message>\n        <source>%s</source>\n"
                    "        <translation>%s</translation>\n    </message>\n" % (source, text))
        f.write("</context>\n</TS>\n")


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    path = os.path.join(root, "resources", "translations", "vosmira_Ger.ts")
    tree = ET.parse(path)
    missing = []
    for context in tree.getroot().findall("context"):
        name = context.find("name").text
        for message in context.findall("message"):
            source = message.find("source").text
            translation = message.find("translation")
            if name == "Country":
                text = COUNTRIES.get(source)
            else:
                text = TEXTS.get((name, source), COMMON.get(source))
            if text is None:
                missing.append((name, source))
                continue
            translation.text = text
            translation.attrib.pop("type", None)
    with open(path, "wb") as f:
        f.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(f, encoding="utf-8", xml_declaration=False)
        f.write(b"\n")
    write_english(os.path.join(root, "resources", "translations", "vosmira_Eng.ts"))
    for name, source in missing:
        print("unfinished: %s: %s" % (name, source))
    return 0


if __name__ == "__main__":
    sys.exit(main())
