#include "country/DxccEntities.h"

#include <QCoreApplication>
#include <QTranslator>

#include <algorithm>
#include <memory>

namespace country
{
namespace
{

// Ordered by DXCC number.
// clang-format off
constexpr DxccEntityInfo kEntities[] = {
    {1, QT_TRANSLATE_NOOP("DxccEntity", "Canada"), "ca", "canada"},
    {3, QT_TRANSLATE_NOOP("DxccEntity", "Afghanistan"), "af", "af"},
    {4, QT_TRANSLATE_NOOP("DxccEntity", "Agalega & St. Brandon"), "mu", "mu"},
    {5, QT_TRANSLATE_NOOP("DxccEntity", "Aland Islands"), "ax", "aland-islands"},
    {6, QT_TRANSLATE_NOOP("DxccEntity", "Alaska"), "us", "united-states"},
    {7, QT_TRANSLATE_NOOP("DxccEntity", "Albania"), "al", "albania"},
    {9, QT_TRANSLATE_NOOP("DxccEntity", "American Samoa"), "as", "as"},
    {10, QT_TRANSLATE_NOOP("DxccEntity", "Amsterdam & St. Paul Is."), "tf", "tf"},
    {11, QT_TRANSLATE_NOOP("DxccEntity", "Andaman & Nicobar Is."), "in", "india"},
    {12, QT_TRANSLATE_NOOP("DxccEntity", "Anguilla"), "ai", "ai"},
    {13, QT_TRANSLATE_NOOP("DxccEntity", "Antarctica"), "aq", "aq"},
    {14, QT_TRANSLATE_NOOP("DxccEntity", "Armenia"), "am", "armenia"},
    {15, QT_TRANSLATE_NOOP("DxccEntity", "Asiatic Russia"), "ru", "russia"},
    {16, QT_TRANSLATE_NOOP("DxccEntity", "N.Z. Subantarctic Is."), "nz", "new-zealand"},
    {17, QT_TRANSLATE_NOOP("DxccEntity", "Aves Island"), "ve", "venezuela"},
    {18, QT_TRANSLATE_NOOP("DxccEntity", "Azerbaijan"), "az", "azerbaijan"},
    {20, QT_TRANSLATE_NOOP("DxccEntity", "Baker & Howland Islands"), "um", "um"},
    {21, QT_TRANSLATE_NOOP("DxccEntity", "Balearic Islands"), "es", "spain"},
    {22, QT_TRANSLATE_NOOP("DxccEntity", "Palau"), "pw", "pw"},
    {24, QT_TRANSLATE_NOOP("DxccEntity", "Bouvet"), "bv", "bv"},
    {27, QT_TRANSLATE_NOOP("DxccEntity", "Belarus"), "by", "belarus"},
    {29, QT_TRANSLATE_NOOP("DxccEntity", "Canary Islands"), "es", "spain"},
    {31, QT_TRANSLATE_NOOP("DxccEntity", "Central Kiribati"), "ki", "ki"},
    {32, QT_TRANSLATE_NOOP("DxccEntity", "Ceuta & Melilla"), "es", "spain"},
    {33, QT_TRANSLATE_NOOP("DxccEntity", "Chagos Islands"), "io", "io"},
    {34, QT_TRANSLATE_NOOP("DxccEntity", "Chatham Islands"), "nz", "new-zealand"},
    {35, QT_TRANSLATE_NOOP("DxccEntity", "Christmas Island"), "cx", "cx"},
    {36, QT_TRANSLATE_NOOP("DxccEntity", "Clipperton Island"), "fr", "france"},
    {37, QT_TRANSLATE_NOOP("DxccEntity", "Cocos Island"), "cr", "costa-rica"},
    {38, QT_TRANSLATE_NOOP("DxccEntity", "Cocos (Keeling) Islands"), "cc", "cc"},
    {40, QT_TRANSLATE_NOOP("DxccEntity", "Crete"), "gr", "greece"},
    {41, QT_TRANSLATE_NOOP("DxccEntity", "Crozet Island"), "tf", "tf"},
    {43, QT_TRANSLATE_NOOP("DxccEntity", "Desecheo Island"), "pr", "puerto-rico"},
    {45, QT_TRANSLATE_NOOP("DxccEntity", "Dodecanese"), "gr", "greece"},
    {46, QT_TRANSLATE_NOOP("DxccEntity", "East Malaysia"), "my", "my"},
    {47, QT_TRANSLATE_NOOP("DxccEntity", "Easter Island"), "cl", "chile"},
    {48, QT_TRANSLATE_NOOP("DxccEntity", "Eastern Kiribati"), "ki", "ki"},
    {49, QT_TRANSLATE_NOOP("DxccEntity", "Equatorial Guinea"), "gq", "equatorial-guinea"},
    {50, QT_TRANSLATE_NOOP("DxccEntity", "Mexico"), "mx", "mexico"},
    {51, QT_TRANSLATE_NOOP("DxccEntity", "Eritrea"), "er", "er"},
    {52, QT_TRANSLATE_NOOP("DxccEntity", "Estonia"), "ee", "estonia"},
    {53, QT_TRANSLATE_NOOP("DxccEntity", "Ethiopia"), "et", "et"},
    {54, QT_TRANSLATE_NOOP("DxccEntity", "European Russia"), "ru", "russia"},
    {56, QT_TRANSLATE_NOOP("DxccEntity", "Fernando de Noronha"), "br", "brazil"},
    {60, QT_TRANSLATE_NOOP("DxccEntity", "Bahamas"), "bs", "bahamas"},
    {61, QT_TRANSLATE_NOOP("DxccEntity", "Franz Josef Land"), "ru", "russia"},
    {62, QT_TRANSLATE_NOOP("DxccEntity", "Barbados"), "bb", "barbados"},
    {63, QT_TRANSLATE_NOOP("DxccEntity", "French Guiana"), "gf", "gf"},
    {64, QT_TRANSLATE_NOOP("DxccEntity", "Bermuda"), "bm", "bm"},
    {65, QT_TRANSLATE_NOOP("DxccEntity", "British Virgin Islands"), "vg", "vg"},
    {66, QT_TRANSLATE_NOOP("DxccEntity", "Belize"), "bz", "belize"},
    {69, QT_TRANSLATE_NOOP("DxccEntity", "Cayman Islands"), "ky", "cayman-islands"},
    {70, QT_TRANSLATE_NOOP("DxccEntity", "Cuba"), "cu", "cuba"},
    {71, QT_TRANSLATE_NOOP("DxccEntity", "Galapagos Islands"), "ec", "ecuador"},
    {72, QT_TRANSLATE_NOOP("DxccEntity", "Dominican Republic"), "do", "dominican-republic"},
    {74, QT_TRANSLATE_NOOP("DxccEntity", "El Salvador"), "sv", "sv"},
    {75, QT_TRANSLATE_NOOP("DxccEntity", "Georgia"), "ge", "georgia"},
    {76, QT_TRANSLATE_NOOP("DxccEntity", "Guatemala"), "gt", "gt"},
    {77, QT_TRANSLATE_NOOP("DxccEntity", "Grenada"), "gd", "grenada"},
    {78, QT_TRANSLATE_NOOP("DxccEntity", "Haiti"), "ht", "haiti"},
    {79, QT_TRANSLATE_NOOP("DxccEntity", "Guadeloupe"), "fr", "france"},
    {80, QT_TRANSLATE_NOOP("DxccEntity", "Honduras"), "hn", "honduras"},
    {82, QT_TRANSLATE_NOOP("DxccEntity", "Jamaica"), "jm", "jamaica"},
    {84, QT_TRANSLATE_NOOP("DxccEntity", "Martinique"), "mq", "martinique"},
    {86, QT_TRANSLATE_NOOP("DxccEntity", "Nicaragua"), "ni", "ni"},
    {88, QT_TRANSLATE_NOOP("DxccEntity", "Panama"), "pa", "panama"},
    {89, QT_TRANSLATE_NOOP("DxccEntity", "Turks & Caicos Islands"), "tc", "tc"},
    {90, QT_TRANSLATE_NOOP("DxccEntity", "Trinidad & Tobago"), "tt", "tt"},
    {91, QT_TRANSLATE_NOOP("DxccEntity", "Aruba"), "aw", "aw"},
    {94, QT_TRANSLATE_NOOP("DxccEntity", "Antigua & Barbuda"), "ag", "ag"},
    {95, QT_TRANSLATE_NOOP("DxccEntity", "Dominica"), "dm", "dominica"},
    {96, QT_TRANSLATE_NOOP("DxccEntity", "Montserrat"), "ms", "ms"},
    {97, QT_TRANSLATE_NOOP("DxccEntity", "St. Lucia"), "lc", "saint-lucia"},
    {98, QT_TRANSLATE_NOOP("DxccEntity", "St. Vincent"), "vc", "saint-vincent"},
    {99, QT_TRANSLATE_NOOP("DxccEntity", "Glorioso Islands"), "tf", "tf"},
    {100, QT_TRANSLATE_NOOP("DxccEntity", "Argentina"), "ar", "argentina"},
    {103, QT_TRANSLATE_NOOP("DxccEntity", "Guam"), "gu", "gu"},
    {104, QT_TRANSLATE_NOOP("DxccEntity", "Bolivia"), "bo", "bo"},
    {105, QT_TRANSLATE_NOOP("DxccEntity", "Guantanamo Bay"), "us", "united-states"},
    {106, QT_TRANSLATE_NOOP("DxccEntity", "Guernsey"), "gg", "guernsey"},
    {107, QT_TRANSLATE_NOOP("DxccEntity", "Guinea"), "gn", "gn"},
    {108, QT_TRANSLATE_NOOP("DxccEntity", "Brazil"), "br", "brazil"},
    {109, QT_TRANSLATE_NOOP("DxccEntity", "Guinea-Bissau"), "gw", "gw"},
    {110, QT_TRANSLATE_NOOP("DxccEntity", "Hawaii"), "us", "united-states"},
    {111, QT_TRANSLATE_NOOP("DxccEntity", "Heard Island"), "hm", "hm"},
    {112, QT_TRANSLATE_NOOP("DxccEntity", "Chile"), "cl", "chile"},
    {114, QT_TRANSLATE_NOOP("DxccEntity", "Isle of Man"), "im", "isle-of-man"},
    {116, QT_TRANSLATE_NOOP("DxccEntity", "Colombia"), "co", "colombia"},
    {117, QT_TRANSLATE_NOOP("DxccEntity", "ITU HQ"), "ch", "switzerland"},
    {118, QT_TRANSLATE_NOOP("DxccEntity", "Jan Mayen"), "no", "norway"},
    {120, QT_TRANSLATE_NOOP("DxccEntity", "Ecuador"), "ec", "ecuador"},
    {122, QT_TRANSLATE_NOOP("DxccEntity", "Jersey"), "je", "jersey"},
    {123, QT_TRANSLATE_NOOP("DxccEntity", "Johnston Island"), "um", "um"},
    {124, QT_TRANSLATE_NOOP("DxccEntity", "Juan de Nova & Europa"), "tf", "tf"},
    {125, QT_TRANSLATE_NOOP("DxccEntity", "Juan Fernandez Islands"), "cl", "chile"},
    {126, QT_TRANSLATE_NOOP("DxccEntity", "Kaliningrad"), "ru", "russia"},
    {129, QT_TRANSLATE_NOOP("DxccEntity", "Guyana"), "gy", "gy"},
    {130, QT_TRANSLATE_NOOP("DxccEntity", "Kazakhstan"), "kz", "kazakhstan"},
    {131, QT_TRANSLATE_NOOP("DxccEntity", "Kerguelen Islands"), "tf", "tf"},
    {132, QT_TRANSLATE_NOOP("DxccEntity", "Paraguay"), "py", "py"},
    {133, QT_TRANSLATE_NOOP("DxccEntity", "Kermadec Islands"), "nz", "new-zealand"},
    {135, QT_TRANSLATE_NOOP("DxccEntity", "Kyrgyzstan"), "kg", "kg"},
    {136, QT_TRANSLATE_NOOP("DxccEntity", "Peru"), "pe", "peru"},
    {137, QT_TRANSLATE_NOOP("DxccEntity", "Republic of Korea"), "kr", "kr"},
    {138, QT_TRANSLATE_NOOP("DxccEntity", "Kure Island"), "us", "united-states"},
    {140, QT_TRANSLATE_NOOP("DxccEntity", "Suriname"), "sr", "sr"},
    {141, QT_TRANSLATE_NOOP("DxccEntity", "Falkland Islands"), "fk", "fk"},
    {142, QT_TRANSLATE_NOOP("DxccEntity", "Lakshadweep Islands"), "in", "india"},
    {143, QT_TRANSLATE_NOOP("DxccEntity", "Laos"), "la", "la"},
    {144, QT_TRANSLATE_NOOP("DxccEntity", "Uruguay"), "uy", "uruguay"},
    {145, QT_TRANSLATE_NOOP("DxccEntity", "Latvia"), "lv", "latvia"},
    {146, QT_TRANSLATE_NOOP("DxccEntity", "Lithuania"), "lt", "lithuania"},
    {147, QT_TRANSLATE_NOOP("DxccEntity", "Lord Howe Island"), "au", "australia"},
    {148, QT_TRANSLATE_NOOP("DxccEntity", "Venezuela"), "ve", "venezuela"},
    {149, QT_TRANSLATE_NOOP("DxccEntity", "Azores"), "pt", "portugal"},
    {150, QT_TRANSLATE_NOOP("DxccEntity", "Australia"), "au", "australia"},
    {152, QT_TRANSLATE_NOOP("DxccEntity", "Macao"), "mo", "mo"},
    {153, QT_TRANSLATE_NOOP("DxccEntity", "Macquarie Island"), "au", "australia"},
    {157, QT_TRANSLATE_NOOP("DxccEntity", "Nauru"), "nr", "nr"},
    {158, QT_TRANSLATE_NOOP("DxccEntity", "Vanuatu"), "vu", "vu"},
    {159, QT_TRANSLATE_NOOP("DxccEntity", "Maldives"), "mv", "mv"},
    {160, QT_TRANSLATE_NOOP("DxccEntity", "Tonga"), "to", "to"},
    {161, QT_TRANSLATE_NOOP("DxccEntity", "Malpelo Island"), "co", "colombia"},
    {162, QT_TRANSLATE_NOOP("DxccEntity", "New Caledonia"), "nc", "new-caledonia"},
    {163, QT_TRANSLATE_NOOP("DxccEntity", "Papua New Guinea"), "pg", "pg"},
    {165, QT_TRANSLATE_NOOP("DxccEntity", "Mauritius"), "mu", "mu"},
    {166, QT_TRANSLATE_NOOP("DxccEntity", "Mariana Islands"), "mp", "mp"},
    {167, QT_TRANSLATE_NOOP("DxccEntity", "Market Reef"), "fi", "finland"},
    {168, QT_TRANSLATE_NOOP("DxccEntity", "Marshall Islands"), "mh", "mh"},
    {169, QT_TRANSLATE_NOOP("DxccEntity", "Mayotte"), "yt", "yt"},
    {170, QT_TRANSLATE_NOOP("DxccEntity", "New Zealand"), "nz", "new-zealand"},
    {171, QT_TRANSLATE_NOOP("DxccEntity", "Mellish Reef"), "au", "australia"},
    {172, QT_TRANSLATE_NOOP("DxccEntity", "Pitcairn Island"), "pn", "pn"},
    {173, QT_TRANSLATE_NOOP("DxccEntity", "Micronesia"), "fm", "fm"},
    {174, QT_TRANSLATE_NOOP("DxccEntity", "Midway Island"), "um", "um"},
    {175, QT_TRANSLATE_NOOP("DxccEntity", "French Polynesia"), "pf", "pf"},
    {176, QT_TRANSLATE_NOOP("DxccEntity", "Fiji"), "fj", "fj"},
    {177, QT_TRANSLATE_NOOP("DxccEntity", "Minami Torishima"), "jp", "japan"},
    {179, QT_TRANSLATE_NOOP("DxccEntity", "Moldova"), "md", "moldova"},
    {180, QT_TRANSLATE_NOOP("DxccEntity", "Mount Athos"), "gr", "greece"},
    {181, QT_TRANSLATE_NOOP("DxccEntity", "Mozambique"), "mz", "mz"},
    {182, QT_TRANSLATE_NOOP("DxccEntity", "Navassa Island"), "um", "um"},
    {185, QT_TRANSLATE_NOOP("DxccEntity", "Solomon Islands"), "sb", "sb"},
    {187, QT_TRANSLATE_NOOP("DxccEntity", "Niger"), "ne", "ne"},
    {188, QT_TRANSLATE_NOOP("DxccEntity", "Niue"), "nu", "nu"},
    {189, QT_TRANSLATE_NOOP("DxccEntity", "Norfolk Island"), "nf", "norfolk-island"},
    {190, QT_TRANSLATE_NOOP("DxccEntity", "Samoa"), "ws", "ws"},
    {191, QT_TRANSLATE_NOOP("DxccEntity", "North Cook Islands"), "ck", "ck"},
    {192, QT_TRANSLATE_NOOP("DxccEntity", "Ogasawara"), "jp", "japan"},
    {195, QT_TRANSLATE_NOOP("DxccEntity", "Annobon Island"), "gq", "equatorial-guinea"},
    {197, QT_TRANSLATE_NOOP("DxccEntity", "Palmyra & Jarvis Islands"), "um", "um"},
    {199, QT_TRANSLATE_NOOP("DxccEntity", "Peter 1 Island"), "no", "norway"},
    {201, QT_TRANSLATE_NOOP("DxccEntity", "Pr. Edward & Marion Is."), "za", "south-africa"},
    {202, QT_TRANSLATE_NOOP("DxccEntity", "Puerto Rico"), "pr", "puerto-rico"},
    {203, QT_TRANSLATE_NOOP("DxccEntity", "Andorra"), "ad", "andorra"},
    {204, QT_TRANSLATE_NOOP("DxccEntity", "Revillagigedo"), "mx", "mexico"},
    {205, QT_TRANSLATE_NOOP("DxccEntity", "Ascension Island"), "sh", "sh"},
    {206, QT_TRANSLATE_NOOP("DxccEntity", "Austria"), "at", "austria"},
    {207, QT_TRANSLATE_NOOP("DxccEntity", "Rodriguez Island"), "mu", "mu"},
    {209, QT_TRANSLATE_NOOP("DxccEntity", "Belgium"), "be", "belgium"},
    {211, QT_TRANSLATE_NOOP("DxccEntity", "Sable Island"), "ca", "canada"},
    {212, QT_TRANSLATE_NOOP("DxccEntity", "Bulgaria"), "bg", "bulgaria"},
    {213, QT_TRANSLATE_NOOP("DxccEntity", "St. Martin"), "fr", "france"},
    {214, QT_TRANSLATE_NOOP("DxccEntity", "Corsica"), "fr", "france"},
    {215, QT_TRANSLATE_NOOP("DxccEntity", "Cyprus"), "cy", "cy"},
    {216, QT_TRANSLATE_NOOP("DxccEntity", "San Andres & Providencia"), "co", "colombia"},
    {217, QT_TRANSLATE_NOOP("DxccEntity", "San Felix & San Ambrosio"), "cl", "chile"},
    {219, QT_TRANSLATE_NOOP("DxccEntity", "Sao Tome & Principe"), "st", "st"},
    {221, QT_TRANSLATE_NOOP("DxccEntity", "Denmark"), "dk", "denmark"},
    {222, QT_TRANSLATE_NOOP("DxccEntity", "Faroe Islands"), "fo", "faroe-islands"},
    {223, QT_TRANSLATE_NOOP("DxccEntity", "England"), "gb", "united-kingdom"},
    {224, QT_TRANSLATE_NOOP("DxccEntity", "Finland"), "fi", "finland"},
    {225, QT_TRANSLATE_NOOP("DxccEntity", "Sardinia"), "it", "italy"},
    {227, QT_TRANSLATE_NOOP("DxccEntity", "France"), "fr", "france"},
    {230, QT_TRANSLATE_NOOP("DxccEntity", "Fed. Rep. of Germany"), "de", "germany"},
    {232, QT_TRANSLATE_NOOP("DxccEntity", "Somalia"), "so", "so"},
    {233, QT_TRANSLATE_NOOP("DxccEntity", "Gibraltar"), "gi", "gibraltar"},
    {234, QT_TRANSLATE_NOOP("DxccEntity", "South Cook Islands"), "ck", "ck"},
    {235, QT_TRANSLATE_NOOP("DxccEntity", "South Georgia Island"), "gs", "gs"},
    {236, QT_TRANSLATE_NOOP("DxccEntity", "Greece"), "gr", "greece"},
    {237, QT_TRANSLATE_NOOP("DxccEntity", "Greenland"), "gl", "gl"},
    {238, QT_TRANSLATE_NOOP("DxccEntity", "South Orkney Islands"), "gb", "united-kingdom"},
    {239, QT_TRANSLATE_NOOP("DxccEntity", "Hungary"), "hu", "hungary"},
    {240, QT_TRANSLATE_NOOP("DxccEntity", "South Sandwich Islands"), "gs", "gs"},
    {241, QT_TRANSLATE_NOOP("DxccEntity", "South Shetland Islands"), "gb", "united-kingdom"},
    {242, QT_TRANSLATE_NOOP("DxccEntity", "Iceland"), "is", "iceland"},
    {245, QT_TRANSLATE_NOOP("DxccEntity", "Ireland"), "ie", "ireland"},
    {246, QT_TRANSLATE_NOOP("DxccEntity", "Sov Mil Order of Malta"), "", ""},
    {247, QT_TRANSLATE_NOOP("DxccEntity", "Spratly Islands"), "", ""},
    {248, QT_TRANSLATE_NOOP("DxccEntity", "Italy"), "it", "italy"},
    {249, QT_TRANSLATE_NOOP("DxccEntity", "St. Kitts & Nevis"), "kn", "kn"},
    {250, QT_TRANSLATE_NOOP("DxccEntity", "St. Helena"), "sh", "sh"},
    {251, QT_TRANSLATE_NOOP("DxccEntity", "Liechtenstein"), "li", "liechtenstein"},
    {252, QT_TRANSLATE_NOOP("DxccEntity", "St. Paul Island"), "ca", "canada"},
    {253, QT_TRANSLATE_NOOP("DxccEntity", "St. Peter & St. Paul"), "br", "brazil"},
    {254, QT_TRANSLATE_NOOP("DxccEntity", "Luxembourg"), "lu", "luxembourg"},
    {256, QT_TRANSLATE_NOOP("DxccEntity", "Madeira Islands"), "pt", "portugal"},
    {257, QT_TRANSLATE_NOOP("DxccEntity", "Malta"), "mt", "malta"},
    {259, QT_TRANSLATE_NOOP("DxccEntity", "Svalbard"), "no", "norway"},
    {260, QT_TRANSLATE_NOOP("DxccEntity", "Monaco"), "mc", "monaco"},
    {262, QT_TRANSLATE_NOOP("DxccEntity", "Tajikistan"), "tj", "tj"},
    {263, QT_TRANSLATE_NOOP("DxccEntity", "Netherlands"), "nl", "netherlands"},
    {265, QT_TRANSLATE_NOOP("DxccEntity", "Northern Ireland"), "gb", "united-kingdom"},
    {266, QT_TRANSLATE_NOOP("DxccEntity", "Norway"), "no", "norway"},
    {269, QT_TRANSLATE_NOOP("DxccEntity", "Poland"), "pl", "poland"},
    {270, QT_TRANSLATE_NOOP("DxccEntity", "Tokelau Islands"), "tk", "tk"},
    {272, QT_TRANSLATE_NOOP("DxccEntity", "Portugal"), "pt", "portugal"},
    {273, QT_TRANSLATE_NOOP("DxccEntity", "Trindade & Martim Vaz"), "br", "brazil"},
    {274, QT_TRANSLATE_NOOP("DxccEntity", "Tristan da Cunha & Gough Islands"), "sh", "sh"},
    {275, QT_TRANSLATE_NOOP("DxccEntity", "Romania"), "ro", "romania"},
    {276, QT_TRANSLATE_NOOP("DxccEntity", "Tromelin Island"), "tf", "tf"},
    {277, QT_TRANSLATE_NOOP("DxccEntity", "St. Pierre & Miquelon"), "pm", "saint-pierre-and-miquelon"},
    {278, QT_TRANSLATE_NOOP("DxccEntity", "San Marino"), "sm", "san-marino"},
    {279, QT_TRANSLATE_NOOP("DxccEntity", "Scotland"), "_scotland", "scotland"},
    {280, QT_TRANSLATE_NOOP("DxccEntity", "Turkmenistan"), "tm", "tm"},
    {281, QT_TRANSLATE_NOOP("DxccEntity", "Spain"), "es", "spain"},
    {282, QT_TRANSLATE_NOOP("DxccEntity", "Tuvalu"), "tv", "tv"},
    {283, QT_TRANSLATE_NOOP("DxccEntity", "UK Base Areas on Cyprus"), "gb", "united-kingdom"},
    {284, QT_TRANSLATE_NOOP("DxccEntity", "Sweden"), "se", "sweden"},
    {285, QT_TRANSLATE_NOOP("DxccEntity", "US Virgin Islands"), "vi", "vi"},
    {286, QT_TRANSLATE_NOOP("DxccEntity", "Uganda"), "ug", "ug"},
    {287, QT_TRANSLATE_NOOP("DxccEntity", "Switzerland"), "ch", "switzerland"},
    {288, QT_TRANSLATE_NOOP("DxccEntity", "Ukraine"), "ua", "ukraine"},
    {289, QT_TRANSLATE_NOOP("DxccEntity", "United Nations HQ"), "_united_nations", "united-nations"},
    {291, QT_TRANSLATE_NOOP("DxccEntity", "United States"), "us", "united-states"},
    {292, QT_TRANSLATE_NOOP("DxccEntity", "Uzbekistan"), "uz", "uz"},
    {293, QT_TRANSLATE_NOOP("DxccEntity", "Vietnam"), "vn", "vn"},
    {294, QT_TRANSLATE_NOOP("DxccEntity", "Wales"), "_wales", "wales"},
    {295, QT_TRANSLATE_NOOP("DxccEntity", "Vatican City"), "va", "vatican"},
    {296, QT_TRANSLATE_NOOP("DxccEntity", "Serbia"), "rs", "serbia"},
    {297, QT_TRANSLATE_NOOP("DxccEntity", "Wake Island"), "um", "um"},
    {298, QT_TRANSLATE_NOOP("DxccEntity", "Wallis & Futuna Islands"), "wf", "wf"},
    {299, QT_TRANSLATE_NOOP("DxccEntity", "West Malaysia"), "my", "my"},
    {301, QT_TRANSLATE_NOOP("DxccEntity", "Western Kiribati"), "ki", "ki"},
    {302, QT_TRANSLATE_NOOP("DxccEntity", "Western Sahara"), "eh", "eh"},
    {303, QT_TRANSLATE_NOOP("DxccEntity", "Willis Island"), "au", "australia"},
    {304, QT_TRANSLATE_NOOP("DxccEntity", "Bahrain"), "bh", "bh"},
    {305, QT_TRANSLATE_NOOP("DxccEntity", "Bangladesh"), "bd", "bd"},
    {306, QT_TRANSLATE_NOOP("DxccEntity", "Bhutan"), "bt", "bt"},
    {308, QT_TRANSLATE_NOOP("DxccEntity", "Costa Rica"), "cr", "costa-rica"},
    {309, QT_TRANSLATE_NOOP("DxccEntity", "Myanmar"), "mm", "mm"},
    {312, QT_TRANSLATE_NOOP("DxccEntity", "Cambodia"), "kh", "kh"},
    {315, QT_TRANSLATE_NOOP("DxccEntity", "Sri Lanka"), "lk", "lk"},
    {318, QT_TRANSLATE_NOOP("DxccEntity", "China"), "cn", "china"},
    {321, QT_TRANSLATE_NOOP("DxccEntity", "Hong Kong"), "hk", "hk"},
    {324, QT_TRANSLATE_NOOP("DxccEntity", "India"), "in", "india"},
    {327, QT_TRANSLATE_NOOP("DxccEntity", "Indonesia"), "id", "id"},
    {330, QT_TRANSLATE_NOOP("DxccEntity", "Iran"), "ir", "ir"},
    {333, QT_TRANSLATE_NOOP("DxccEntity", "Iraq"), "iq", "iq"},
    {336, QT_TRANSLATE_NOOP("DxccEntity", "Israel"), "il", "israel"},
    {339, QT_TRANSLATE_NOOP("DxccEntity", "Japan"), "jp", "japan"},
    {342, QT_TRANSLATE_NOOP("DxccEntity", "Jordan"), "jo", "jordan"},
    {344, QT_TRANSLATE_NOOP("DxccEntity", "DPR of Korea"), "kp", "kp"},
    {345, QT_TRANSLATE_NOOP("DxccEntity", "Brunei Darussalam"), "bn", "bn"},
    {348, QT_TRANSLATE_NOOP("DxccEntity", "Kuwait"), "kw", "kuwait"},
    {354, QT_TRANSLATE_NOOP("DxccEntity", "Lebanon"), "lb", "lebanon"},
    {363, QT_TRANSLATE_NOOP("DxccEntity", "Mongolia"), "mn", "mn"},
    {369, QT_TRANSLATE_NOOP("DxccEntity", "Nepal"), "np", "np"},
    {370, QT_TRANSLATE_NOOP("DxccEntity", "Oman"), "om", "oman"},
    {372, QT_TRANSLATE_NOOP("DxccEntity", "Pakistan"), "pk", "pakistan"},
    {375, QT_TRANSLATE_NOOP("DxccEntity", "Philippines"), "ph", "ph"},
    {376, QT_TRANSLATE_NOOP("DxccEntity", "Qatar"), "qa", "qa"},
    {378, QT_TRANSLATE_NOOP("DxccEntity", "Saudi Arabia"), "sa", "saudi-arabia"},
    {379, QT_TRANSLATE_NOOP("DxccEntity", "Seychelles"), "sc", "sc"},
    {381, QT_TRANSLATE_NOOP("DxccEntity", "Singapore"), "sg", "sg"},
    {382, QT_TRANSLATE_NOOP("DxccEntity", "Djibouti"), "dj", "dj"},
    {384, QT_TRANSLATE_NOOP("DxccEntity", "Syria"), "sy", "sy"},
    {386, QT_TRANSLATE_NOOP("DxccEntity", "Taiwan"), "tw", "tw"},
    {387, QT_TRANSLATE_NOOP("DxccEntity", "Thailand"), "th", "th"},
    {390, QT_TRANSLATE_NOOP("DxccEntity", "Asiatic Turkey"), "tr", "turkey"},
    {391, QT_TRANSLATE_NOOP("DxccEntity", "United Arab Emirates"), "ae", "united-arab-emirates"},
    {400, QT_TRANSLATE_NOOP("DxccEntity", "Algeria"), "dz", "algeria"},
    {401, QT_TRANSLATE_NOOP("DxccEntity", "Angola"), "ao", "ao"},
    {402, QT_TRANSLATE_NOOP("DxccEntity", "Botswana"), "bw", "bw"},
    {404, QT_TRANSLATE_NOOP("DxccEntity", "Burundi"), "bi", "bi"},
    {406, QT_TRANSLATE_NOOP("DxccEntity", "Cameroon"), "cm", "cm"},
    {408, QT_TRANSLATE_NOOP("DxccEntity", "Central African Republic"), "cf", "cf"},
    {409, QT_TRANSLATE_NOOP("DxccEntity", "Cape Verde"), "cv", "cv"},
    {410, QT_TRANSLATE_NOOP("DxccEntity", "Chad"), "td", "td"},
    {411, QT_TRANSLATE_NOOP("DxccEntity", "Comoros"), "km", "km"},
    {412, QT_TRANSLATE_NOOP("DxccEntity", "Republic of the Congo"), "cg", "cg"},
    {414, QT_TRANSLATE_NOOP("DxccEntity", "Dem. Rep. of the Congo"), "cd", "cd"},
    {416, QT_TRANSLATE_NOOP("DxccEntity", "Benin"), "bj", "bj"},
    {420, QT_TRANSLATE_NOOP("DxccEntity", "Gabon"), "ga", "ga"},
    {422, QT_TRANSLATE_NOOP("DxccEntity", "The Gambia"), "gm", "gm"},
    {424, QT_TRANSLATE_NOOP("DxccEntity", "Ghana"), "gh", "gh"},
    {428, QT_TRANSLATE_NOOP("DxccEntity", "Cote d'Ivoire"), "ci", "ci"},
    {430, QT_TRANSLATE_NOOP("DxccEntity", "Kenya"), "ke", "kenya"},
    {432, QT_TRANSLATE_NOOP("DxccEntity", "Lesotho"), "ls", "ls"},
    {434, QT_TRANSLATE_NOOP("DxccEntity", "Liberia"), "lr", "lr"},
    {436, QT_TRANSLATE_NOOP("DxccEntity", "Libya"), "ly", "ly"},
    {438, QT_TRANSLATE_NOOP("DxccEntity", "Madagascar"), "mg", "mg"},
    {440, QT_TRANSLATE_NOOP("DxccEntity", "Malawi"), "mw", "mw"},
    {442, QT_TRANSLATE_NOOP("DxccEntity", "Mali"), "ml", "ml"},
    {444, QT_TRANSLATE_NOOP("DxccEntity", "Mauritania"), "mr", "mauritania"},
    {446, QT_TRANSLATE_NOOP("DxccEntity", "Morocco"), "ma", "morocco"},
    {450, QT_TRANSLATE_NOOP("DxccEntity", "Nigeria"), "ng", "ng"},
    {452, QT_TRANSLATE_NOOP("DxccEntity", "Zimbabwe"), "zw", "zw"},
    {453, QT_TRANSLATE_NOOP("DxccEntity", "Reunion Island"), "re", "re"},
    {454, QT_TRANSLATE_NOOP("DxccEntity", "Rwanda"), "rw", "rw"},
    {456, QT_TRANSLATE_NOOP("DxccEntity", "Senegal"), "sn", "sn"},
    {458, QT_TRANSLATE_NOOP("DxccEntity", "Sierra Leone"), "sl", "sl"},
    {460, QT_TRANSLATE_NOOP("DxccEntity", "Rotuma Island"), "fj", "fj"},
    {462, QT_TRANSLATE_NOOP("DxccEntity", "South Africa"), "za", "south-africa"},
    {464, QT_TRANSLATE_NOOP("DxccEntity", "Namibia"), "na", "na"},
    {466, QT_TRANSLATE_NOOP("DxccEntity", "Sudan"), "sd", "sd"},
    {468, QT_TRANSLATE_NOOP("DxccEntity", "Kingdom of Eswatini"), "sz", "sz"},
    {470, QT_TRANSLATE_NOOP("DxccEntity", "Tanzania"), "tz", "tz"},
    {474, QT_TRANSLATE_NOOP("DxccEntity", "Tunisia"), "tn", "tunisia"},
    {478, QT_TRANSLATE_NOOP("DxccEntity", "Egypt"), "eg", "eg"},
    {480, QT_TRANSLATE_NOOP("DxccEntity", "Burkina Faso"), "bf", "bf"},
    {482, QT_TRANSLATE_NOOP("DxccEntity", "Zambia"), "zm", "zm"},
    {483, QT_TRANSLATE_NOOP("DxccEntity", "Togo"), "tg", "tg"},
    {489, QT_TRANSLATE_NOOP("DxccEntity", "Conway Reef"), "fj", "fj"},
    {490, QT_TRANSLATE_NOOP("DxccEntity", "Banaba Island"), "ki", "ki"},
    {492, QT_TRANSLATE_NOOP("DxccEntity", "Yemen"), "ye", "ye"},
    {497, QT_TRANSLATE_NOOP("DxccEntity", "Croatia"), "hr", "croatia"},
    {499, QT_TRANSLATE_NOOP("DxccEntity", "Slovenia"), "si", "slovenia"},
    {501, QT_TRANSLATE_NOOP("DxccEntity", "Bosnia-Herzegovina"), "ba", "bosnia-and-herzegovina"},
    {502, QT_TRANSLATE_NOOP("DxccEntity", "North Macedonia"), "mk", "mk"},
    {503, QT_TRANSLATE_NOOP("DxccEntity", "Czech Republic"), "cz", "czech-republic"},
    {504, QT_TRANSLATE_NOOP("DxccEntity", "Slovak Republic"), "sk", "slovakia"},
    {505, QT_TRANSLATE_NOOP("DxccEntity", "Pratas Island"), "tw", "tw"},
    {506, QT_TRANSLATE_NOOP("DxccEntity", "Scarborough Reef"), "", ""},
    {507, QT_TRANSLATE_NOOP("DxccEntity", "Temotu Province"), "sb", "sb"},
    {508, QT_TRANSLATE_NOOP("DxccEntity", "Austral Islands"), "pf", "pf"},
    {509, QT_TRANSLATE_NOOP("DxccEntity", "Marquesas Islands"), "pf", "pf"},
    {510, QT_TRANSLATE_NOOP("DxccEntity", "Palestine"), "ps", "ps"},
    {511, QT_TRANSLATE_NOOP("DxccEntity", "Timor - Leste"), "tl", "tl"},
    {512, QT_TRANSLATE_NOOP("DxccEntity", "Chesterfield Islands"), "nc", "new-caledonia"},
    {513, QT_TRANSLATE_NOOP("DxccEntity", "Ducie Island"), "pn", "pn"},
    {514, QT_TRANSLATE_NOOP("DxccEntity", "Montenegro"), "me", "montenegro"},
    {515, QT_TRANSLATE_NOOP("DxccEntity", "Swains Island"), "as", "as"},
    {516, QT_TRANSLATE_NOOP("DxccEntity", "St. Barthelemy"), "bl", "bl"},
    {517, QT_TRANSLATE_NOOP("DxccEntity", "Curacao"), "cw", "cw"},
    {518, QT_TRANSLATE_NOOP("DxccEntity", "Sint Maarten"), "sx", "sx"},
    {519, QT_TRANSLATE_NOOP("DxccEntity", "Saba & St. Eustatius"), "bq", "bq"},
    {520, QT_TRANSLATE_NOOP("DxccEntity", "Bonaire"), "bq", "bq"},
    {521, QT_TRANSLATE_NOOP("DxccEntity", "Republic of South Sudan"), "ss", "ss"},
    {522, QT_TRANSLATE_NOOP("DxccEntity", "Republic of Kosovo"), "xk", ""},
};
// clang-format on

constexpr int kCount = int(sizeof kEntities / sizeof kEntities[0]);
static_assert(kCount == 340, "every current DXCC entity");

} // namespace

int dxccEntityCount()
{
    return kCount;
}

const DxccEntityInfo& dxccEntityAt(int index)
{
    return kEntities[std::clamp(index, 0, kCount - 1)];
}

const DxccEntityInfo* dxccEntityInfo(int dxcc)
{
    const auto it = std::lower_bound(std::begin(kEntities), std::end(kEntities), dxcc,
                                     [](const DxccEntityInfo& e, int n) { return e.dxcc < n; });
    return it != std::end(kEntities) && it->dxcc == dxcc ? it : nullptr;
}

QString dxccEntityName(int dxcc, const QString& fallback)
{
    const DxccEntityInfo* e = dxccEntityInfo(dxcc);
    return e ? QCoreApplication::translate("DxccEntity", e->name) : fallback;
}

QString dxccFlagResource(int dxcc)
{
    const DxccEntityInfo* e = dxccEntityInfo(dxcc);
    if (!e || !*e->flagFile)
        return {};
    return QStringLiteral(":/flags/%1.jpg").arg(QLatin1StringView(e->flagFile));
}

ShownCountry showCountry(const CountryResolver& resolver, QByteArrayView call)
{
    ShownCountry shown;
    const Resolution r = resolver.resolve(call);
    if (!r.found())
        return shown;
    shown.dxcc = r.dxcc;
    shown.name = dxccEntityName(r.dxcc, resolver.entity(r.dxccEntity).name);
    if (r.entity != r.dxccEntity)
        shown.region = resolver.entity(r.entity).name;
    shown.flagResource = dxccFlagResource(r.dxcc);
    shown.continent = r.location.continentText();
    shown.cqZone = r.location.cqZone;
    shown.ituZone = r.location.ituZone;
    return shown;
}

bool installCountryTranslation(const QString& language)
{
    static std::unique_ptr<QTranslator> installed;
    if (installed)
        QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    auto t = std::make_unique<QTranslator>();
    if (!QCoreApplication::instance() ||
        !t->load(QStringLiteral(":/i18n/country/vosmira_country_") + language +
                 QStringLiteral(".qm")))
        return false;
    QCoreApplication::installTranslator(t.get());
    installed = std::move(t);
    return true;
}

} // namespace country
