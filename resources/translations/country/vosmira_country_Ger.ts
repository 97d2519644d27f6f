<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>CountryFile</name>
    <message>
        <source>line %1 is not a country file entry</source>
        <translation>Zeile %1 ist kein Eintrag einer Länderdatei</translation>
    </message>
    <message>
        <source>the file holds no entities</source>
        <translation>die Datei enthält keine Gebiete</translation>
    </message>
</context>
<context>
    <name>CountrySource</name>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>%1 is too large for a country file</source>
        <translation>%1 ist zu groß für eine Länderdatei</translation>
    </message>
    <message>
        <source>%1 is not a country file: %2</source>
        <translation>%1 ist keine Länderdatei: %2</translation>
    </message>
    <message>
        <source>Countries from your country file %1 (%2 DXCC entities)</source>
        <translation>Länder aus Ihrer Länderdatei %1 (%2 DXCC-Gebiete)</translation>
    </message>
    <message>
        <source>Countries from the country file %1 (%2 DXCC entities)</source>
        <translation>Länder aus der Länderdatei %1 (%2 DXCC-Gebiete)</translation>
    </message>
    <message>
        <source>Countries from the built-in prefix table (no country file found)</source>
        <translation>Länder aus der eingebauten Präfixtabelle (keine Länderdatei gefunden)</translation>
    </message>
</context>
<context>
    <name>DxccEntity</name>
    <message>
        <source>Canada</source>
        <translation>Kanada</translation>
    </message>
    <message>
        <source>Afghanistan</source>
        <translation>Afghanistan</translation>
    </message>
    <message>
        <source>Agalega &amp; St. Brandon</source>
        <translation>Agalega und St. Brandon</translation>
    </message>
    <message>
        <source>Aland Islands</source>
        <translation>Åland-Inseln</translation>
    </message>
    <message>
        <source>Alaska</source>
        <translation>Alaska</translation>
    </message>
    <message>
        <source>Albania</source>
        <translation>Albanien</translation>
    </message>
    <message>
        <source>American Samoa</source>
        <translation>Amerikanisch-Samoa</translation>
    </message>
    <message>
        <source>Amsterdam &amp; St. Paul Is.</source>
        <translation>Amsterdam und St. Paul</translation>
    </message>
    <message>
        <source>Andaman &amp; Nicobar Is.</source>
        <translation>Andamanen und Nikobaren</translation>
    </message>
    <message>
        <source>Anguilla</source>
        <translation>Anguilla</translation>
    </message>
    <message>
        <source>Antarctica</source>
        <translation>Antarktis</translation>
    </message>
    <message>
        <source>Armenia</source>
        <translation>Armenien</translation>
    </message>
    <message>
        <source>Asiatic Russia</source>
        <translation>Asiatisches Russland</translation>
    </message>
    <message>
        <source>N.Z. Subantarctic Is.</source>
        <translation>Neuseeländische Subantarktische Inseln</translation>
    </message>
    <message>
        <source>Aves Island</source>
        <translation>Aves-Insel</translation>
    </message>
    <message>
        <source>Azerbaijan</source>
        <translation>Aserbaidschan</translation>
    </message>
    <message>
        <source>Baker &amp; Howland Islands</source>
        <translation>Baker und Howland</translation>
    </message>
    <message>
        <source>Balearic Islands</source>
        <translation>Balearen</translation>
    </message>
    <message>
        <source>Palau</source>
        <translation>Palau</translation>
    </message>
    <message>
        <source>Bouvet</source>
        <translation>Bouvetinsel</translation>
    </message>
    <message>
        <source>Belarus</source>
        <translation>Belarus</translation>
    </message>
    <message>
        <source>Canary Islands</source>
        <translation>Kanarische Inseln</translation>
    </message>
    <message>
        <source>Central Kiribati</source>
        <translation>Zentral-Kiribati</translation>
    </message>
    <message>
        <source>Ceuta &amp; Melilla</source>
        <translation>Ceuta und Melilla</translation>
    </message>
    <message>
        <source>Chagos Islands</source>
        <translation>Chagos-Inseln</translation>
    </message>
    <message>
        <source>Chatham Islands</source>
        <translation>Chatham-Inseln</translation>
    </message>
    <message>
        <source>Christmas Island</source>
        <translation>Weihnachtsinsel</translation>
    </message>
    <message>
        <source>Clipperton Island</source>
        <translation>Clipperton-Insel</translation>
    </message>
    <message>
        <source>Cocos Island</source>
        <translation>Kokosinsel</translation>
    </message>
    <message>
        <source>Cocos (Keeling) Islands</source>
        <translation>Kokosinseln (Keeling)</translation>
    </message>
    <message>
        <source>Crete</source>
        <translation>Kreta</translation>
    </message>
    <message>
        <source>Crozet Island</source>
        <translation>Crozetinseln</translation>
    </message>
    <message>
        <source>Desecheo Island</source>
        <translation>Desecheo</translation>
    </message>
    <message>
        <source>Dodecanese</source>
        <translation>Dodekanes</translation>
    </message>
    <message>
        <source>East Malaysia</source>
        <translation>Ost-Malaysia</translation>
    </message>
    <message>
        <source>Easter Island</source>
        <translation>Osterinsel</translation>
    </message>
    <message>
        <source>Eastern Kiribati</source>
        <translation>Ost-Kiribati</translation>
    </message>
    <message>
        <source>Equatorial Guinea</source>
        <translation>Äquatorialguinea</translation>
    </message>
    <message>
        <source>Mexico</source>
        <translation>Mexiko</translation>
    </message>
    <message>
        <source>Eritrea</source>
        <translation>Eritrea</translation>
    </message>
    <message>
        <source>Estonia</source>
        <translation>Estland</translation>
    </message>
    <message>
        <source>Ethiopia</source>
        <translation>Äthiopien</translation>
    </message>
    <message>
        <source>European Russia</source>
        <translation>Europäisches Russland</translation>
    </message>
    <message>
        <source>Fernando de Noronha</source>
        <translation>Fernando de Noronha</translation>
    </message>
    <message>
        <source>Bahamas</source>
        <translation>Bahamas</translation>
    </message>
    <message>
        <source>Franz Josef Land</source>
        <translation>Franz-Josef-Land</translation>
    </message>
    <message>
        <source>Barbados</source>
        <translation>Barbados</translation>
    </message>
    <message>
        <source>French Guiana</source>
        <translation>Französisch-Guayana</translation>
    </message>
    <message>
        <source>Bermuda</source>
        <translation>Bermuda</translation>
    </message>
    <message>
        <source>British Virgin Islands</source>
        <translation>Britische Jungferninseln</translation>
    </message>
    <message>
        <source>Belize</source>
        <translation>Belize</translation>
    </message>
    <message>
        <source>Cayman Islands</source>
        <translation>Kaimaninseln</translation>
    </message>
    <message>
        <source>Cuba</source>
        <translation>Kuba</translation>
    </message>
    <message>
        <source>Galapagos Islands</source>
        <translation>Galápagos-Inseln</translation>
    </message>
    <message>
        <source>Dominican Republic</source>
        <translation>Dominikanische Republik</translation>
    </message>
    <message>
        <source>El Salvador</source>
        <translation>El Salvador</translation>
    </message>
    <message>
        <source>Georgia</source>
        <translation>Georgien</translation>
    </message>
    <message>
        <source>Guatemala</source>
        <translation>Guatemala</translation>
    </message>
    <message>
        <source>Grenada</source>
        <translation>Grenada</translation>
    </message>
    <message>
        <source>Haiti</source>
        <translation>Haiti</translation>
    </message>
    <message>
        <source>Guadeloupe</source>
        <translation>Guadeloupe</translation>
    </message>
    <message>
        <source>Honduras</source>
        <translation>Honduras</translation>
    </message>
    <message>
        <source>Jamaica</source>
        <translation>Jamaika</translation>
    </message>
    <message>
        <source>Martinique</source>
        <translation>Martinique</translation>
    </message>
    <message>
        <source>Nicaragua</source>
        <translation>Nicaragua</translation>
    </message>
    <message>
        <source>Panama</source>
        <translation>Panama</translation>
    </message>
    <message>
        <source>Turks &amp; Caicos Islands</source>
        <translation>Turks- und Caicosinseln</translation>
    </message>
    <message>
        <source>Trinidad &amp; Tobago</source>
        <translation>Trinidad und Tobago</translation>
    </message>
    <message>
        <source>Aruba</source>
        <translation>Aruba</translation>
    </message>
    <message>
        <source>Antigua &amp; Barbuda</source>
        <translation>Antigua und Barbuda</translation>
    </message>
    <message>
        <source>Dominica</source>
        <translation>Dominica</translation>
    </message>
    <message>
        <source>Montserrat</source>
        <translation>Montserrat</translation>
    </message>
    <message>
        <source>St. Lucia</source>
        <translation>St. Lucia</translation>
    </message>
    <message>
        <source>St. Vincent</source>
        <translation>St. Vincent</translation>
    </message>
    <message>
        <source>Glorioso Islands</source>
        <translation>Glorieuses</translation>
    </message>
    <message>
        <source>Argentina</source>
        <translation>Argentinien</translation>
    </message>
    <message>
        <source>Guam</source>
        <translation>Guam</translation>
    </message>
    <message>
        <source>Bolivia</source>
        <translation>Bolivien</translation>
    </message>
    <message>
        <source>Guantanamo Bay</source>
        <translation>Guantanamo Bay</translation>
    </message>
    <message>
        <source>Guernsey</source>
        <translation>Guernsey</translation>
    </message>
    <message>
        <source>Guinea</source>
        <translation>Guinea</translation>
    </message>
    <message>
        <source>Brazil</source>
        <translation>Brasilien</translation>
    </message>
    <message>
        <source>Guinea-Bissau</source>
        <translation>Guinea-Bissau</translation>
    </message>
    <message>
        <source>Hawaii</source>
        <translation>Hawaii</translation>
    </message>
    <message>
        <source>Heard Island</source>
        <translation>Heard</translation>
    </message>
    <message>
        <source>Chile</source>
        <translation>Chile</translation>
    </message>
    <message>
        <source>Isle of Man</source>
        <translation>Isle of Man</translation>
    </message>
    <message>
        <source>Colombia</source>
        <translation>Kolumbien</translation>
    </message>
    <message>
        <source>ITU HQ</source>
        <translation>ITU-Hauptsitz</translation>
    </message>
    <message>
        <source>Jan Mayen</source>
        <translation>Jan Mayen</translation>
    </message>
    <message>
        <source>Ecuador</source>
        <translation>Ecuador</translation>
    </message>
    <message>
        <source>Jersey</source>
        <translation>Jersey</translation>
    </message>
    <message>
        <source>Johnston Island</source>
        <translation>Johnston</translation>
    </message>
    <message>
        <source>Juan de Nova &amp; Europa</source>
        <translation>Juan de Nova und Europa</translation>
    </message>
    <message>
        <source>Juan Fernandez Islands</source>
        <translation>Juan-Fernández-Inseln</translation>
    </message>
    <message>
        <source>Kaliningrad</source>
        <translation>Kaliningrad</translation>
    </message>
    <message>
        <source>Guyana</source>
        <translation>Guyana</translation>
    </message>
    <message>
        <source>Kazakhstan</source>
        <translation>Kasachstan</translation>
    </message>
    <message>
        <source>Kerguelen Islands</source>
        <translation>Kerguelen</translation>
    </message>
    <message>
        <source>Paraguay</source>
        <translation>Paraguay</translation>
    </message>
    <message>
        <source>Kermadec Islands</source>
        <translation>Kermadecinseln</translation>
    </message>
    <message>
        <source>Kyrgyzstan</source>
        <translation>Kirgisistan</translation>
    </message>
    <message>
        <source>Peru</source>
        <translation>Peru</translation>
    </message>
    <message>
        <source>Republic of Korea</source>
        <translation>Republik Korea</translation>
    </message>
    <message>
        <source>Kure Island</source>
        <translation>Kure</translation>
    </message>
    <message>
        <source>Suriname</source>
        <translation>Suriname</translation>
    </message>
    <message>
        <source>Falkland Islands</source>
        <translation>Falklandinseln</translation>
    </message>
    <message>
        <source>Lakshadweep Islands</source>
        <translation>Lakshadweep</translation>
    </message>
    <message>
        <source>Laos</source>
        <translation>Laos</translation>
    </message>
    <message>
        <source>Uruguay</source>
        <translation>Uruguay</translation>
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
        <source>Lord Howe Island</source>
        <translation>Lord-Howe-Insel</translation>
    </message>
    <message>
        <source>Venezuela</source>
        <translation>Venezuela</translation>
    </message>
    <message>
        <source>Azores</source>
        <translation>Azoren</translation>
    </message>
    <message>
        <source>Australia</source>
        <translation>Australien</translation>
    </message>
    <message>
        <source>Macao</source>
        <translation>Macau</translation>
    </message>
    <message>
        <source>Macquarie Island</source>
        <translation>Macquarieinsel</translation>
    </message>
    <message>
        <source>Nauru</source>
        <translation>Nauru</translation>
    </message>
    <message>
        <source>Vanuatu</source>
        <translation>Vanuatu</translation>
    </message>
    <message>
        <source>Maldives</source>
        <translation>Malediven</translation>
    </message>
    <message>
        <source>Tonga</source>
        <translation>Tonga</translation>
    </message>
    <message>
        <source>Malpelo Island</source>
        <translation>Malpelo</translation>
    </message>
    <message>
        <source>New Caledonia</source>
        <translation>Neukaledonien</translation>
    </message>
    <message>
        <source>Papua New Guinea</source>
        <translation>Papua-Neuguinea</translation>
    </message>
    <message>
        <source>Mauritius</source>
        <translation>Mauritius</translation>
    </message>
    <message>
        <source>Mariana Islands</source>
        <translation>Marianen</translation>
    </message>
    <message>
        <source>Market Reef</source>
        <translation>Märket</translation>
    </message>
    <message>
        <source>Marshall Islands</source>
        <translation>Marshallinseln</translation>
    </message>
    <message>
        <source>Mayotte</source>
        <translation>Mayotte</translation>
    </message>
    <message>
        <source>New Zealand</source>
        <translation>Neuseeland</translation>
    </message>
    <message>
        <source>Mellish Reef</source>
        <translation>Mellish-Riff</translation>
    </message>
    <message>
        <source>Pitcairn Island</source>
        <translation>Pitcairninseln</translation>
    </message>
    <message>
        <source>Micronesia</source>
        <translation>Mikronesien</translation>
    </message>
    <message>
        <source>Midway Island</source>
        <translation>Midway</translation>
    </message>
    <message>
        <source>French Polynesia</source>
        <translation>Französisch-Polynesien</translation>
    </message>
    <message>
        <source>Fiji</source>
        <translation>Fidschi</translation>
    </message>
    <message>
        <source>Minami Torishima</source>
        <translation>Minami-Torishima</translation>
    </message>
    <message>
        <source>Moldova</source>
        <translation>Moldau</translation>
    </message>
    <message>
        <source>Mount Athos</source>
        <translation>Athos</translation>
    </message>
    <message>
        <source>Mozambique</source>
        <translation>Mosambik</translation>
    </message>
    <message>
        <source>Navassa Island</source>
        <translation>Navassa</translation>
    </message>
    <message>
        <source>Solomon Islands</source>
        <translation>Salomonen</translation>
    </message>
    <message>
        <source>Niger</source>
        <translation>Niger</translation>
    </message>
    <message>
        <source>Niue</source>
        <translation>Niue</translation>
    </message>
    <message>
        <source>Norfolk Island</source>
        <translation>Norfolkinsel</translation>
    </message>
    <message>
        <source>Samoa</source>
        <translation>Samoa</translation>
    </message>
    <message>
        <source>North Cook Islands</source>
        <translation>Nördliche Cookinseln</translation>
    </message>
    <message>
        <source>Ogasawara</source>
        <translation>Ogasawara</translation>
    </message>
    <message>
        <source>Annobon Island</source>
        <translation>Annobón</translation>
    </message>
    <message>
        <source>Palmyra &amp; Jarvis Islands</source>
        <translation>Palmyra und Jarvis</translation>
    </message>
    <message>
        <source>Peter 1 Island</source>
        <translation>Peter-I.-Insel</translation>
    </message>
    <message>
        <source>Pr. Edward &amp; Marion Is.</source>
        <translation>Prinz-Edward-Inseln und Marion</translation>
    </message>
    <message>
        <source>Puerto Rico</source>
        <translation>Puerto Rico</translation>
    </message>
    <message>
        <source>Andorra</source>
        <translation>Andorra</translation>
    </message>
    <message>
        <source>Revillagigedo</source>
        <translation>Revillagigedo-Inseln</translation>
    </message>
    <message>
        <source>Ascension Island</source>
        <translation>Ascension</translation>
    </message>
    <message>
        <source>Austria</source>
        <translation>Österreich</translation>
    </message>
    <message>
        <source>Rodriguez Island</source>
        <translation>Rodrigues</translation>
    </message>
    <message>
        <source>Belgium</source>
        <translation>Belgien</translation>
    </message>
    <message>
        <source>Sable Island</source>
        <translation>Sable Island</translation>
    </message>
    <message>
        <source>Bulgaria</source>
        <translation>Bulgarien</translation>
    </message>
    <message>
        <source>St. Martin</source>
        <translation>St. Martin</translation>
    </message>
    <message>
        <source>Corsica</source>
        <translation>Korsika</translation>
    </message>
    <message>
        <source>Cyprus</source>
        <translation>Zypern</translation>
    </message>
    <message>
        <source>San Andres &amp; Providencia</source>
        <translation>San Andrés und Providencia</translation>
    </message>
    <message>
        <source>San Felix &amp; San Ambrosio</source>
        <translation>San Félix und San Ambrosio</translation>
    </message>
    <message>
        <source>Sao Tome &amp; Principe</source>
        <translation>São Tomé und Príncipe</translation>
    </message>
    <message>
        <source>Denmark</source>
        <translation>Dänemark</translation>
    </message>
    <message>
        <source>Faroe Islands</source>
        <translation>Färöer</translation>
    </message>
    <message>
        <source>England</source>
        <translation>England</translation>
    </message>
    <message>
        <source>Finland</source>
        <translation>Finnland</translation>
    </message>
    <message>
        <source>Sardinia</source>
        <translation>Sardinien</translation>
    </message>
    <message>
        <source>France</source>
        <translation>Frankreich</translation>
    </message>
    <message>
        <source>Fed. Rep. of Germany</source>
        <translation>Bundesrepublik Deutschland</translation>
    </message>
    <message>
        <source>Somalia</source>
        <translation>Somalia</translation>
    </message>
    <message>
        <source>Gibraltar</source>
        <translation>Gibraltar</translation>
    </message>
    <message>
        <source>South Cook Islands</source>
        <translation>Südliche Cookinseln</translation>
    </message>
    <message>
        <source>South Georgia Island</source>
        <translation>Südgeorgien</translation>
    </message>
    <message>
        <source>Greece</source>
        <translation>Griechenland</translation>
    </message>
    <message>
        <source>Greenland</source>
        <translation>Grönland</translation>
    </message>
    <message>
        <source>South Orkney Islands</source>
        <translation>Südliche Orkneyinseln</translation>
    </message>
    <message>
        <source>Hungary</source>
        <translation>Ungarn</translation>
    </message>
    <message>
        <source>South Sandwich Islands</source>
        <translation>Südliche Sandwichinseln</translation>
    </message>
    <message>
        <source>South Shetland Islands</source>
        <translation>Südliche Shetlandinseln</translation>
    </message>
    <message>
        <source>Iceland</source>
        <translation>Island</translation>
    </message>
    <message>
        <source>Ireland</source>
        <translation>Irland</translation>
    </message>
    <message>
        <source>Sov Mil Order of Malta</source>
        <translation>Souveräner Malteserorden</translation>
    </message>
    <message>
        <source>Spratly Islands</source>
        <translation>Spratly-Inseln</translation>
    </message>
    <message>
        <source>Italy</source>
        <translation>Italien</translation>
    </message>
    <message>
        <source>St. Kitts &amp; Nevis</source>
        <translation>St. Kitts und Nevis</translation>
    </message>
    <message>
        <source>St. Helena</source>
        <translation>St. Helena</translation>
    </message>
    <message>
        <source>Liechtenstein</source>
        <translation>Liechtenstein</translation>
    </message>
    <message>
        <source>St. Paul Island</source>
        <translation>St.-Paul-Insel</translation>
    </message>
    <message>
        <source>St. Peter &amp; St. Paul</source>
        <translation>St. Peter und St. Paul</translation>
    </message>
    <message>
        <source>Luxembourg</source>
        <translation>Luxemburg</translation>
    </message>
    <message>
        <source>Madeira Islands</source>
        <translation>Madeira</translation>
    </message>
    <message>
        <source>Malta</source>
        <translation>Malta</translation>
    </message>
    <message>
        <source>Svalbard</source>
        <translation>Svalbard</translation>
    </message>
    <message>
        <source>Monaco</source>
        <translation>Monaco</translation>
    </message>
    <message>
        <source>Tajikistan</source>
        <translation>Tadschikistan</translation>
    </message>
    <message>
        <source>Netherlands</source>
        <translation>Niederlande</translation>
    </message>
    <message>
        <source>Northern Ireland</source>
        <translation>Nordirland</translation>
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
        <source>Tokelau Islands</source>
        <translation>Tokelau</translation>
    </message>
    <message>
        <source>Portugal</source>
        <translation>Portugal</translation>
    </message>
    <message>
        <source>Trindade &amp; Martim Vaz</source>
        <translation>Trindade und Martim Vaz</translation>
    </message>
    <message>
        <source>Tristan da Cunha &amp; Gough Islands</source>
        <translation>Tristan da Cunha und Gough</translation>
    </message>
    <message>
        <source>Romania</source>
        <translation>Rumänien</translation>
    </message>
    <message>
        <source>Tromelin Island</source>
        <translation>Tromelin</translation>
    </message>
    <message>
        <source>St. Pierre &amp; Miquelon</source>
        <translation>St. Pierre und Miquelon</translation>
    </message>
    <message>
        <source>San Marino</source>
        <translation>San Marino</translation>
    </message>
    <message>
        <source>Scotland</source>
        <translation>Schottland</translation>
    </message>
    <message>
        <source>Turkmenistan</source>
        <translation>Turkmenistan</translation>
    </message>
    <message>
        <source>Spain</source>
        <translation>Spanien</translation>
    </message>
    <message>
        <source>Tuvalu</source>
        <translation>Tuvalu</translation>
    </message>
    <message>
        <source>UK Base Areas on Cyprus</source>
        <translation>Britische Militärbasen auf Zypern</translation>
    </message>
    <message>
        <source>Sweden</source>
        <translation>Schweden</translation>
    </message>
    <message>
        <source>US Virgin Islands</source>
        <translation>Amerikanische Jungferninseln</translation>
    </message>
    <message>
        <source>Uganda</source>
        <translation>Uganda</translation>
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
        <source>United Nations HQ</source>
        <translation>UNO-Hauptquartier</translation>
    </message>
    <message>
        <source>United States</source>
        <translation>Vereinigte Staaten</translation>
    </message>
    <message>
        <source>Uzbekistan</source>
        <translation>Usbekistan</translation>
    </message>
    <message>
        <source>Vietnam</source>
        <translation>Vietnam</translation>
    </message>
    <message>
        <source>Wales</source>
        <translation>Wales</translation>
    </message>
    <message>
        <source>Vatican City</source>
        <translation>Vatikanstadt</translation>
    </message>
    <message>
        <source>Serbia</source>
        <translation>Serbien</translation>
    </message>
    <message>
        <source>Wake Island</source>
        <translation>Wake</translation>
    </message>
    <message>
        <source>Wallis &amp; Futuna Islands</source>
        <translation>Wallis und Futuna</translation>
    </message>
    <message>
        <source>West Malaysia</source>
        <translation>West-Malaysia</translation>
    </message>
    <message>
        <source>Western Kiribati</source>
        <translation>West-Kiribati</translation>
    </message>
    <message>
        <source>Western Sahara</source>
        <translation>Westsahara</translation>
    </message>
    <message>
        <source>Willis Island</source>
        <translation>Willis Island</translation>
    </message>
    <message>
        <source>Bahrain</source>
        <translation>Bahrain</translation>
    </message>
    <message>
        <source>Bangladesh</source>
        <translation>Bangladesch</translation>
    </message>
    <message>
        <source>Bhutan</source>
        <translation>Bhutan</translation>
    </message>
    <message>
        <source>Costa Rica</source>
        <translation>Costa Rica</translation>
    </message>
    <message>
        <source>Myanmar</source>
        <translation>Myanmar</translation>
    </message>
    <message>
        <source>Cambodia</source>
        <translation>Kambodscha</translation>
    </message>
    <message>
        <source>Sri Lanka</source>
        <translation>Sri Lanka</translation>
    </message>
    <message>
        <source>China</source>
        <translation>China</translation>
    </message>
    <message>
        <source>Hong Kong</source>
        <translation>Hongkong</translation>
    </message>
    <message>
        <source>India</source>
        <translation>Indien</translation>
    </message>
    <message>
        <source>Indonesia</source>
        <translation>Indonesien</translation>
    </message>
    <message>
        <source>Iran</source>
        <translation>Iran</translation>
    </message>
    <message>
        <source>Iraq</source>
        <translation>Irak</translation>
    </message>
    <message>
        <source>Israel</source>
        <translation>Israel</translation>
    </message>
    <message>
        <source>Japan</source>
        <translation>Japan</translation>
    </message>
    <message>
        <source>Jordan</source>
        <translation>Jordanien</translation>
    </message>
    <message>
        <source>DPR of Korea</source>
        <translation>Demokratische Volksrepublik Korea</translation>
    </message>
    <message>
        <source>Brunei Darussalam</source>
        <translation>Brunei Darussalam</translation>
    </message>
    <message>
        <source>Kuwait</source>
        <translation>Kuwait</translation>
    </message>
    <message>
        <source>Lebanon</source>
        <translation>Libanon</translation>
    </message>
    <message>
        <source>Mongolia</source>
        <translation>Mongolei</translation>
    </message>
    <message>
        <source>Nepal</source>
        <translation>Nepal</translation>
    </message>
    <message>
        <source>Oman</source>
        <translation>Oman</translation>
    </message>
    <message>
        <source>Pakistan</source>
        <translation>Pakistan</translation>
    </message>
    <message>
        <source>Philippines</source>
        <translation>Philippinen</translation>
    </message>
    <message>
        <source>Qatar</source>
        <translation>Katar</translation>
    </message>
    <message>
        <source>Saudi Arabia</source>
        <translation>Saudi-Arabien</translation>
    </message>
    <message>
        <source>Seychelles</source>
        <translation>Seychellen</translation>
    </message>
    <message>
        <source>Singapore</source>
        <translation>Singapur</translation>
    </message>
    <message>
        <source>Djibouti</source>
        <translation>Dschibuti</translation>
    </message>
    <message>
        <source>Syria</source>
        <translation>Syrien</translation>
    </message>
    <message>
        <source>Taiwan</source>
        <translation>Taiwan</translation>
    </message>
    <message>
        <source>Thailand</source>
        <translation>Thailand</translation>
    </message>
    <message>
        <source>Asiatic Turkey</source>
        <translation>Asiatische Türkei</translation>
    </message>
    <message>
        <source>United Arab Emirates</source>
        <translation>Vereinigte Arabische Emirate</translation>
    </message>
    <message>
        <source>Algeria</source>
        <translation>Algerien</translation>
    </message>
    <message>
        <source>Angola</source>
        <translation>Angola</translation>
    </message>
    <message>
        <source>Botswana</source>
        <translation>Botswana</translation>
    </message>
    <message>
        <source>Burundi</source>
        <translation>Burundi</translation>
    </message>
    <message>
        <source>Cameroon</source>
        <translation>Kamerun</translation>
    </message>
    <message>
        <source>Central African Republic</source>
        <translation>Zentralafrikanische Republik</translation>
    </message>
    <message>
        <source>Cape Verde</source>
        <translation>Kap Verde</translation>
    </message>
    <message>
        <source>Chad</source>
        <translation>Tschad</translation>
    </message>
    <message>
        <source>Comoros</source>
        <translation>Komoren</translation>
    </message>
    <message>
        <source>Republic of the Congo</source>
        <translation>Republik Kongo</translation>
    </message>
    <message>
        <source>Dem. Rep. of the Congo</source>
        <translation>Demokratische Republik Kongo</translation>
    </message>
    <message>
        <source>Benin</source>
        <translation>Benin</translation>
    </message>
    <message>
        <source>Gabon</source>
        <translation>Gabun</translation>
    </message>
    <message>
        <source>The Gambia</source>
        <translation>Gambia</translation>
    </message>
    <message>
        <source>Ghana</source>
        <translation>Ghana</translation>
    </message>
    <message>
        <source>Cote d&apos;Ivoire</source>
        <translation>Elfenbeinküste</translation>
    </message>
    <message>
        <source>Kenya</source>
        <translation>Kenia</translation>
    </message>
    <message>
        <source>Lesotho</source>
        <translation>Lesotho</translation>
    </message>
    <message>
        <source>Liberia</source>
        <translation>Liberia</translation>
    </message>
    <message>
        <source>Libya</source>
        <translation>Libyen</translation>
    </message>
    <message>
        <source>Madagascar</source>
        <translation>Madagaskar</translation>
    </message>
    <message>
        <source>Malawi</source>
        <translation>Malawi</translation>
    </message>
    <message>
        <source>Mali</source>
        <translation>Mali</translation>
    </message>
    <message>
        <source>Mauritania</source>
        <translation>Mauretanien</translation>
    </message>
    <message>
        <source>Morocco</source>
        <translation>Marokko</translation>
    </message>
    <message>
        <source>Nigeria</source>
        <translation>Nigeria</translation>
    </message>
    <message>
        <source>Zimbabwe</source>
        <translation>Simbabwe</translation>
    </message>
    <message>
        <source>Reunion Island</source>
        <translation>Réunion</translation>
    </message>
    <message>
        <source>Rwanda</source>
        <translation>Ruanda</translation>
    </message>
    <message>
        <source>Senegal</source>
        <translation>Senegal</translation>
    </message>
    <message>
        <source>Sierra Leone</source>
        <translation>Sierra Leone</translation>
    </message>
    <message>
        <source>Rotuma Island</source>
        <translation>Rotuma</translation>
    </message>
    <message>
        <source>South Africa</source>
        <translation>Südafrika</translation>
    </message>
    <message>
        <source>Namibia</source>
        <translation>Namibia</translation>
    </message>
    <message>
        <source>Sudan</source>
        <translation>Sudan</translation>
    </message>
    <message>
        <source>Kingdom of Eswatini</source>
        <translation>Königreich Eswatini</translation>
    </message>
    <message>
        <source>Tanzania</source>
        <translation>Tansania</translation>
    </message>
    <message>
        <source>Tunisia</source>
        <translation>Tunesien</translation>
    </message>
    <message>
        <source>Egypt</source>
        <translation>Ägypten</translation>
    </message>
    <message>
        <source>Burkina Faso</source>
        <translation>Burkina Faso</translation>
    </message>
    <message>
        <source>Zambia</source>
        <translation>Sambia</translation>
    </message>
    <message>
        <source>Togo</source>
        <translation>Togo</translation>
    </message>
    <message>
        <source>Conway Reef</source>
        <translation>Conway-Riff</translation>
    </message>
    <message>
        <source>Banaba Island</source>
        <translation>Banaba</translation>
    </message>
    <message>
        <source>Yemen</source>
        <translation>Jemen</translation>
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
        <source>Bosnia-Herzegovina</source>
        <translation>Bosnien und Herzegowina</translation>
    </message>
    <message>
        <source>North Macedonia</source>
        <translation>Nordmazedonien</translation>
    </message>
    <message>
        <source>Czech Republic</source>
        <translation>Tschechische Republik</translation>
    </message>
    <message>
        <source>Slovak Republic</source>
        <translation>Slowakische Republik</translation>
    </message>
    <message>
        <source>Pratas Island</source>
        <translation>Pratas</translation>
    </message>
    <message>
        <source>Scarborough Reef</source>
        <translation>Scarborough-Riff</translation>
    </message>
    <message>
        <source>Temotu Province</source>
        <translation>Temotu</translation>
    </message>
    <message>
        <source>Austral Islands</source>
        <translation>Austral-Inseln</translation>
    </message>
    <message>
        <source>Marquesas Islands</source>
        <translation>Marquesas</translation>
    </message>
    <message>
        <source>Palestine</source>
        <translation>Palästina</translation>
    </message>
    <message>
        <source>Timor - Leste</source>
        <translation>Timor-Leste</translation>
    </message>
    <message>
        <source>Chesterfield Islands</source>
        <translation>Chesterfieldinseln</translation>
    </message>
    <message>
        <source>Ducie Island</source>
        <translation>Ducie</translation>
    </message>
    <message>
        <source>Montenegro</source>
        <translation>Montenegro</translation>
    </message>
    <message>
        <source>Swains Island</source>
        <translation>Swains Island</translation>
    </message>
    <message>
        <source>St. Barthelemy</source>
        <translation>St. Barthélemy</translation>
    </message>
    <message>
        <source>Curacao</source>
        <translation>Curaçao</translation>
    </message>
    <message>
        <source>Sint Maarten</source>
        <translation>Sint Maarten</translation>
    </message>
    <message>
        <source>Saba &amp; St. Eustatius</source>
        <translation>Saba und St. Eustatius</translation>
    </message>
    <message>
        <source>Bonaire</source>
        <translation>Bonaire</translation>
    </message>
    <message>
        <source>Republic of South Sudan</source>
        <translation>Republik Südsudan</translation>
    </message>
    <message>
        <source>Republic of Kosovo</source>
        <translation>Republik Kosovo</translation>
    </message>
</context>
<context>
    <name>DxccStats</name>
    <message>
        <source>new DXCC</source>
        <translation>neues DXCC-Gebiet</translation>
    </message>
    <message>
        <source>new band for this DXCC</source>
        <translation>neues Band für dieses DXCC-Gebiet</translation>
    </message>
    <message>
        <source>worked, not confirmed</source>
        <translation>gearbeitet, nicht bestätigt</translation>
    </message>
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
        <source>Bands worked</source>
        <translation>Bänder gearbeitet</translation>
    </message>
    <message>
        <source>Bands confirmed</source>
        <translation>Bänder bestätigt</translation>
    </message>
    <message>
        <source>Total worked / confirmed</source>
        <translation>Summe gearbeitet / bestätigt</translation>
    </message>
</context>
</TS>
