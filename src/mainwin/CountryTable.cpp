#include "mainwin/CountryTable.h"

#include <QtGlobal>

#include <cstring>

namespace
{

// One table entry. The keys are written as in the prefix lists they come
// from: groups "kind: key key ..." separated by ";", where kind 1 to 5 means
// "the first 1 to 5 characters of the call", c3-5 "characters 3 to 5" and
// c2-4 "characters 2 to 4". The walk reads this text in place, so a lookup
// needs no memory of its own.
struct Entry {
    const char* country;
    int picture;
    const char* keys;
};

// Where several entries match a call, the one that matched the longest key
// wins, wherever it stands: "GM" (Scotland) is not overridden by the later
// "G" (England), nor "4K2" by the later "4K". Among equally long keys the
// later entry wins, so the order still decides between entries that share a
// key ("4U": ITU Geneva, then UN HQ; "SB": Norway, then Sweden; "UO": Moldova,
// then Kazakhstan).
// clang-format off
constexpr Entry kTable[] = {
    {QT_TRANSLATE_NOOP("Country", "Armenia"), 2, "2: EK"}, // 1
    {QT_TRANSLATE_NOOP("Country", "Belarus"), 3, "2: EU EV EW"}, // 2
    {QT_TRANSLATE_NOOP("Country", "Estonia"), 4, "2: ES"}, // 3
    {QT_TRANSLATE_NOOP("Country", "Russia"), 5, "2: UA UB UC UD UE UF UG UH UI"}, // 4
    {QT_TRANSLATE_NOOP("Country", "Russia"), 5, "2: RA RB RC RD RE RF RG RH RI RJ RK RL RM RN RO RP RQ RR RS RT RU RV RW RX RY RZ R1 R2 R3 R4 R5 R6 R7 R8 R9 R0"}, // 5
    {QT_TRANSLATE_NOOP("Country", "Brazil"), 6, "2: PP PQ PR PS PT PU PV PW PX PY"}, // 6
    {QT_TRANSLATE_NOOP("Country", "Latvia"), 7, "2: YL"}, // 7
    {QT_TRANSLATE_NOOP("Country", "Lithuania"), 8, "2: LY"}, // 8
    {QT_TRANSLATE_NOOP("Country", "Austria"), 9, "2: OE"}, // 9
    {QT_TRANSLATE_NOOP("Country", "Belgium"), 10, "2: ON OO OP OQ OR OS OT"}, // 10
    {QT_TRANSLATE_NOOP("Country", "Bulgaria"), 11, "2: LZ"}, // 11
    {QT_TRANSLATE_NOOP("Country", "Czech Republic"), 12, "2: OK OL"}, // 12
    {QT_TRANSLATE_NOOP("Country", "Slovakia"), 13, "2: OM"}, // 13
    {QT_TRANSLATE_NOOP("Country", "Denmark"), 14, "2: OZ"}, // 14
    {QT_TRANSLATE_NOOP("Country", "Guernsey"), 41, "2: GU GP MU 2U"}, // 15
    {QT_TRANSLATE_NOOP("Country", "Isle of Man"), 42, "2: GD GT MD 2D"}, // 16
    {QT_TRANSLATE_NOOP("Country", "Jersey"), 43, "2: GJ GH MJ 2J"}, // 17
    {QT_TRANSLATE_NOOP("Country", "England"), 15, "2: GB GX 2E GE GK GV"}, // 18
    {QT_TRANSLATE_NOOP("Country", "Northern Ireland"), 50, "2: GI GN MI 2I"}, // 19
    {QT_TRANSLATE_NOOP("Country", "Scotland"), 28, "2: GM GS MM 2M"}, // 20
    {QT_TRANSLATE_NOOP("Country", "Wales"), 29, "2: GW GC MW 2W"}, // 21
    {QT_TRANSLATE_NOOP("Country", "England"), 15, "1: G"}, // 22
    {QT_TRANSLATE_NOOP("Country", "England"), 15, "1: M"}, // 23
    {QT_TRANSLATE_NOOP("Country", "Finland"), 16, "2: OF OG OH OI"}, // 24
    {QT_TRANSLATE_NOOP("Country", "France"), 40, "1: F; 2: TH TM TO TP TQ TV TW TX"}, // 25
    {QT_TRANSLATE_NOOP("Country", "Germany"), 18, "2: DA DB DC DD DE DF DG DH DI DJ DK DL DM DN DO"}, // 26
    {QT_TRANSLATE_NOOP("Country", "Greece"), 19, "2: SV SW SX SY SZ"}, // 27
    {QT_TRANSLATE_NOOP("Country", "Hungary"), 20, "2: HA HG"}, // 28
    {QT_TRANSLATE_NOOP("Country", "Irland"), 21, "2: EI EJ"}, // 29
    {QT_TRANSLATE_NOOP("Country", "Malta"), 22, "2: 1A 9H"}, // 30
    {QT_TRANSLATE_NOOP("Country", "Italy"), 23, "2: IA IB IC ID IE IF IG IH II IJ IK IL IM IN IO IP IQ IR IS IT IU IV IW IX IY IZ I1 I2 I3 I4 I5 I6 I7 I8 I9 I0"}, // 31
    {QT_TRANSLATE_NOOP("Country", "Netherlands"), 24, "2: PA PB PC PD PE PF PG PH PI"}, // 32
    {QT_TRANSLATE_NOOP("Country", "Norway"), 25, "2: LA SB LB LC LD LE LF LG LH LI LJ LK LL LM LN"}, // 33
    {QT_TRANSLATE_NOOP("Country", "Poland"), 26, "2: SN SO SP SQ SR HF 3Z"}, // 34
    {QT_TRANSLATE_NOOP("Country", "Portugal"), 27, "2: CT"}, // 35
    {QT_TRANSLATE_NOOP("Country", "Spain"), 30, "2: EA EB EC ED EE EF EG EH AM AN AO"}, // 36
    {QT_TRANSLATE_NOOP("Country", "Sweden"), 31, "2: SA SB SC SD SE SF SG SH SI SJ SK SL SM 7S"}, // 37
    {QT_TRANSLATE_NOOP("Country", "Switzerland"), 32, "2: HB HE"}, // 38
    {QT_TRANSLATE_NOOP("Country", "Ukraine"), 33, "2: UR US UT UU UV UW UX UY UZ EM EN EO"}, // 39
    {QT_TRANSLATE_NOOP("Country", "Croatia"), 35, "2: 9A"}, // 40
    {QT_TRANSLATE_NOOP("Country", "Slovenia"), 36, "2: S5"}, // 41
    {QT_TRANSLATE_NOOP("Country", "Iceland"), 37, "2: TF"}, // 42
    {QT_TRANSLATE_NOOP("Country", "Romania"), 38, "2: YO YP YQ YR"}, // 43
    {QT_TRANSLATE_NOOP("Country", "Gibraltar"), 39, "2: ZB"}, // 44
    {QT_TRANSLATE_NOOP("Country", "Montenegro"), 44, "2: 4O; 3: YU3 YU6"}, // 45
    {QT_TRANSLATE_NOOP("Country", "Monaco"), 45, "2: 3A"}, // 46
    {QT_TRANSLATE_NOOP("Country", "ITU Geneva"), 32, "2: 4U"}, // 47
    {QT_TRANSLATE_NOOP("Country", "Andorra"), 46, "2: C3"}, // 48
    {QT_TRANSLATE_NOOP("Country", "Azores"), 47, "2: CU"}, // 49
    {QT_TRANSLATE_NOOP("Country", "Bosnia Hercegovina"), 48, "2: E7 T9"}, // 50
    {QT_TRANSLATE_NOOP("Country", "Moldova"), 49, "2: ER UO"}, // 51
    {QT_TRANSLATE_NOOP("Country", "Liechtenstein"), 51, "3: HB0"}, // 52
    {QT_TRANSLATE_NOOP("Country", "Vatican"), 52, "2: HV"}, // 53
    {QT_TRANSLATE_NOOP("Country", "Sardinia"), 53, "2: IS"}, // 54
    {QT_TRANSLATE_NOOP("Country", "Svalbard"), 54, "2: JW"}, // 55
    {QT_TRANSLATE_NOOP("Country", "Jan Mayen"), 54, "2: JX"}, // 56
    {QT_TRANSLATE_NOOP("Country", "Luxembourg"), 55, "2: LX"}, // 57
    {QT_TRANSLATE_NOOP("Country", "Aland Islands"), 56, "3: OH0"}, // 58
    {QT_TRANSLATE_NOOP("Country", "Market Reef"), 16, "3: OJ0"}, // 59
    {QT_TRANSLATE_NOOP("Country", "Faeroe Islands"), 57, "2: OY"}, // 60
    {QT_TRANSLATE_NOOP("Country", "Franz Josef Land"), 5, "3: 4K2; 4: R1FJ"}, // 61
    {QT_TRANSLATE_NOOP("Country", "Malyj Vysotskij Island"), 5, "3: 4J1; 4: R1MV"}, // 62
    {QT_TRANSLATE_NOOP("Country", "Mt Athos"), 19, "3: SY2; 5: SV1/A"}, // 63
    {QT_TRANSLATE_NOOP("Country", "Dodecanese"), 19, "3: SV5"}, // 64
    {QT_TRANSLATE_NOOP("Country", "Crete"), 19, "3: SV9"}, // 65
    {QT_TRANSLATE_NOOP("Country", "San Marino"), 58, "2: T7"}, // 66
    {QT_TRANSLATE_NOOP("Country", "Turkey"), 59, "2: TA TB TC YM"}, // 67
    {QT_TRANSLATE_NOOP("Country", "Corsica"), 40, "2: TK"}, // 68
    {QT_TRANSLATE_NOOP("Country", "Kaliningrad"), 5, "3: UA2"}, // 69
    {QT_TRANSLATE_NOOP("Country", "Serbia"), 60, "2: YT YU"}, // 70
    {QT_TRANSLATE_NOOP("Country", "Albania"), 61, "2: ZA"}, // 71
    {QT_TRANSLATE_NOOP("Country", "USA"), 62, "1: K N W; 2: AA AB AC AD AE AF AG AH AI AJ AK AL"}, // 72
    {QT_TRANSLATE_NOOP("Country", "Guantanamo Bay"), 62, "3: KG4"}, // 73
    {QT_TRANSLATE_NOOP("Country", "Canada"), 63, "2: CF CG CH CI CJ CK CY CZ VA VB VC VD VE VF VG VO VX VY XJ XK XL XM XN XO"}, // 74
    {QT_TRANSLATE_NOOP("Country", "St Paul Island"), 63, "3: CY9"}, // 75
    {QT_TRANSLATE_NOOP("Country", "Sable Island"), 63, "3: CY0"}, // 76
    {QT_TRANSLATE_NOOP("Country", "Mexico"), 64, "2: 4A 4B 4C 6D 6E 6F 6G 6H 6I 6J XA XB XC XD XE XF XG XH XI"}, // 77
    {QT_TRANSLATE_NOOP("Country", "UN HQ"), 65, "2: 4U"}, // 78
    {QT_TRANSLATE_NOOP("Country", "Jamaica"), 66, "2: 6Y"}, // 79
    {QT_TRANSLATE_NOOP("Country", "Barbados"), 67, "2: 8P"}, // 80
    {QT_TRANSLATE_NOOP("Country", "Bahamas"), 68, "2: C6"}, // 81
    {QT_TRANSLATE_NOOP("Country", "Cuba"), 69, "2: CL CM CO T4"}, // 82
    {QT_TRANSLATE_NOOP("Country", "Martinique"), 70, "2: FM"}, // 83
    {QT_TRANSLATE_NOOP("Country", "Guadeloupe"), 40, "2: FG"}, // 84
    {QT_TRANSLATE_NOOP("Country", "Clipperton Island"), 40, "3: FO0"}, // 85
    {QT_TRANSLATE_NOOP("Country", "St Martin"), 40, "2: FS"}, // 86
    {QT_TRANSLATE_NOOP("Country", "St Pierre and Miquelon"), 71, "2: FP"}, // 87
    {QT_TRANSLATE_NOOP("Country", "Haiti"), 72, "2: HH 4V"}, // 88
    {QT_TRANSLATE_NOOP("Country", "Dominican Rep"), 73, "2: HI"}, // 89
    {QT_TRANSLATE_NOOP("Country", "San Andres and Providencia"), 74, "3: HK0"}, // 90
    {QT_TRANSLATE_NOOP("Country", "Panama"), 75, "2: HO HP H3 H8 H9 3E 3F"}, // 91
    {QT_TRANSLATE_NOOP("Country", "Honduras"), 76, "2: HQ HR"}, // 92
    {QT_TRANSLATE_NOOP("Country", "Grenada"), 77, "2: J3"}, // 93
    {QT_TRANSLATE_NOOP("Country", "St Lucia"), 78, "2: J6"}, // 94
    {QT_TRANSLATE_NOOP("Country", "Dominica"), 79, "2: J7"}, // 95
    {QT_TRANSLATE_NOOP("Country", "St Vincent"), 80, "2: J8"}, // 96
    {QT_TRANSLATE_NOOP("Country", "Japan"), 81, "2: JA JB JC JD JE JF JG JH JI JJ JK JL JM JN JO JP JQ JR JS 7J 7K 7L 7M 7N 8N"}, // 97
    {QT_TRANSLATE_NOOP("Country", "United Arab Emirates"), 82, "2: A6"}, // 98
    {QT_TRANSLATE_NOOP("Country", "Kuwait"), 117, "2: 9K"}, // 99
    {QT_TRANSLATE_NOOP("Country", "Oman"), 83, "2: A4"}, // 100
    {QT_TRANSLATE_NOOP("Country", "Georgien"), 84, "2: 4L"}, // 101
    {QT_TRANSLATE_NOOP("Country", "Kazakhstan"), 85, "2: UN UO UP UQ"}, // 102
    {QT_TRANSLATE_NOOP("Country", "Israel"), 86, "2: 4X 4Z"}, // 103
    {QT_TRANSLATE_NOOP("Country", "Lebanon"), 87, "2: OD"}, // 104
    {QT_TRANSLATE_NOOP("Country", "Mauritania"), 88, "2: 5T"}, // 105
    {QT_TRANSLATE_NOOP("Country", "Kenya"), 89, "2: 5Y 5Z"}, // 106
    {QT_TRANSLATE_NOOP("Country", "Saudi Arabia"), 90, "2: 7Z HZ; 3: 7ZA"}, // 107
    {QT_TRANSLATE_NOOP("Country", "China"), 91, "2: BA BD BH"}, // 108
    {QT_TRANSLATE_NOOP("Country", "Pakistan"), 92, "2: AP 6P"}, // 109
    {QT_TRANSLATE_NOOP("Country", "Aserbaijan"), 93, "2: 4J 4K"}, // 110
    {QT_TRANSLATE_NOOP("Country", "India"), 94, "2: VT VU VV VW"}, // 111
    {QT_TRANSLATE_NOOP("Country", "Algeria"), 95, "2: 7X 7R 7T 7Y"}, // 112
    {QT_TRANSLATE_NOOP("Country", "Pakistan"), 96, "2: AP AQ AR AS 6P 6Q 6R 6S"}, // 113
    {QT_TRANSLATE_NOOP("Country", "Australia"), 103, "2: VH VI VJ VK VL VM VN AX VZ"}, // 114
    {QT_TRANSLATE_NOOP("Country", "Belize"), 98, "2: V3"}, // 115
    {QT_TRANSLATE_NOOP("Country", "Cayman Isles"), 99, "2: ZF"}, // 116
    {QT_TRANSLATE_NOOP("Country", "Neuseeland"), 100, "2: ZK ZL ZM"}, // 117
    {QT_TRANSLATE_NOOP("Country", "Equatorial Guinea"), 101, "2: 3C"}, // 118
    {QT_TRANSLATE_NOOP("Country", "Norfolk Island"), 102, "c3-5: 9DX"}, // 119
    {QT_TRANSLATE_NOOP("Country", "Norfolk Island"), 102, "c2-4: K9N"}, // 120
    {QT_TRANSLATE_NOOP("Country", "Australia"), 103, "2: VK"}, // 121
    {QT_TRANSLATE_NOOP("Country", "Peru"), 104, "2: 4T OA OB OC"}, // 122
    {QT_TRANSLATE_NOOP("Country", "New Caledonia"), 105, "2: FK"}, // 123
    {QT_TRANSLATE_NOOP("Country", "Venezuela"), 106, "2: YV YW YX YY 4M"}, // 124
    {QT_TRANSLATE_NOOP("Country", "Puerto Rico"), 107, "3: KP4 KP3 NP3 WP3 NP4 WP4"}, // 125
    {QT_TRANSLATE_NOOP("Country", "Argentinia"), 108, "2: LO LP LQ LR LS LT LU LV LW AY AZ L2 L3 L4 L5 L6 L7 L8 L9"}, // 126
    {QT_TRANSLATE_NOOP("Country", "Morocco"), 109, "2: 5C 5D 5E 5F 5G CN"}, // 127
    {QT_TRANSLATE_NOOP("Country", "South Africa"), 110, "2: ZS ZR ZT ZU"}, // 128
    {QT_TRANSLATE_NOOP("Country", "Uruguay"), 111, "2: CV CW CX"}, // 129
    {QT_TRANSLATE_NOOP("Country", "Chile"), 112, "2: 3G CA CB CC CD CE XQ XR"}, // 130
    {QT_TRANSLATE_NOOP("Country", "Costa Rica"), 113, "2: TE TI"}, // 131
    {QT_TRANSLATE_NOOP("Country", "Ecuador"), 114, "2: HC HD"}, // 132
    {QT_TRANSLATE_NOOP("Country", "Jordan"), 115, "2: JY"}, // 133
    {QT_TRANSLATE_NOOP("Country", "Tunisia"), 116, "2: 3V TS"}, // 134
};
// clang-format on

constexpr int kEntryCount = int(sizeof kTable / sizeof kTable[0]);
static_assert(kEntryCount == 134, "the country table has 134 entries");

// Flag file per picture number (Image2..Image117). Regions without a flag of
// their own, and entries that stand for a larger country, share a file.
// Image97 holds a second Canadian flag that no entry shows (the VH..VZ
// entry is Australian and shows Image103); it stays a flag picture of the view.
constexpr const char* kFlagFiles[kLastPicture + 1] = {
    nullptr,                     // unused
    nullptr,                     // placeholder
    "armenia",                   // Image2
    "belarus",                   // Image3
    "estonia",                   // Image4
    "russia",                    // Image5
    "brazil",                    // Image6
    "latvia",                    // Image7
    "lithuania",                 // Image8
    "austria",                   // Image9
    "belgium",                   // Image10
    "bulgaria",                  // Image11
    "czech-republic",            // Image12
    "slovakia",                  // Image13
    "denmark",                   // Image14
    "united-kingdom",            // Image15
    "finland",                   // Image16
    nullptr,                     // not a flag
    "germany",                   // Image18
    "greece",                    // Image19
    "hungary",                   // Image20
    "ireland",                   // Image21
    "malta",                     // Image22
    "italy",                     // Image23
    "netherlands",               // Image24
    "norway",                    // Image25
    "poland",                    // Image26
    "portugal",                  // Image27
    "scotland",                  // Image28
    "wales",                     // Image29
    "spain",                     // Image30
    "sweden",                    // Image31
    "switzerland",               // Image32
    "ukraine",                   // Image33
    nullptr,                     // not a flag
    "croatia",                   // Image35
    "slovenia",                  // Image36
    "iceland",                   // Image37
    "romania",                   // Image38
    "gibraltar",                 // Image39
    "france",                    // Image40
    "guernsey",                  // Image41
    "isle-of-man",               // Image42
    "jersey",                    // Image43
    "montenegro",                // Image44
    "monaco",                    // Image45
    "andorra",                   // Image46
    "portugal",                  // Image47
    "bosnia-and-herzegovina",    // Image48
    "moldova",                   // Image49
    "united-kingdom",            // Image50
    "liechtenstein",             // Image51
    "vatican",                   // Image52
    "italy",                     // Image53
    "norway",                    // Image54
    "luxembourg",                // Image55
    "aland-islands",             // Image56
    "faroe-islands",             // Image57
    "san-marino",                // Image58
    "turkey",                    // Image59
    "serbia",                    // Image60
    "albania",                   // Image61
    "united-states",             // Image62
    "canada",                    // Image63
    "mexico",                    // Image64
    "united-nations",            // Image65
    "jamaica",                   // Image66
    "barbados",                  // Image67
    "bahamas",                   // Image68
    "cuba",                      // Image69
    "martinique",                // Image70
    "saint-pierre-and-miquelon", // Image71
    "haiti",                     // Image72
    "dominican-republic",        // Image73
    "colombia",                  // Image74
    "panama",                    // Image75
    "honduras",                  // Image76
    "grenada",                   // Image77
    "saint-lucia",               // Image78
    "dominica",                  // Image79
    "saint-vincent",             // Image80
    "japan",                     // Image81
    "united-arab-emirates",      // Image82
    "oman",                      // Image83
    "georgia",                   // Image84
    "kazakhstan",                // Image85
    "israel",                    // Image86
    "lebanon",                   // Image87
    "mauritania",                // Image88
    "kenya",                     // Image89
    "saudi-arabia",              // Image90
    "china",                     // Image91
    "pakistan",                  // Image92
    "azerbaijan",                // Image93
    "india",                     // Image94
    "algeria",                   // Image95
    "pakistan",                  // Image96
    "canada",                    // Image97
    "belize",                    // Image98
    "cayman-islands",            // Image99
    "new-zealand",               // Image100
    "equatorial-guinea",         // Image101
    "norfolk-island",            // Image102
    "australia",                 // Image103
    "peru",                      // Image104
    "new-caledonia",             // Image105
    "venezuela",                 // Image106
    "puerto-rico",               // Image107
    "argentina",                 // Image108
    "morocco",                   // Image109
    "south-africa",              // Image110
    "uruguay",                   // Image111
    "chile",                     // Image112
    "costa-rica",                // Image113
    "ecuador",                   // Image114
    "jordan",                    // Image115
    "tunisia",                   // Image116
    "kuwait",                    // Image117
};

// Call key index for a kind name ("1".."5", "c3-5", "c2-4"); -1 if unknown.
int kindIndex(const char* kind, int length)
{
    if (length == 1 && kind[0] >= '1' && kind[0] <= '5')
        return kind[0] - '1';
    if (length == 4 && std::memcmp(kind, "c3-5", 4) == 0)
        return 5;
    if (length == 4 && std::memcmp(kind, "c2-4", 4) == 0)
        return 6;
    return -1;
}

// Tests the keys of one entry against the call keys and returns the length
// of the longest one that matches, 0 when none does. Keys shorter than
// atLeast, and keys no longer than one already matched, cannot change the
// outcome and are skipped without a comparison.
int longestMatch(const char* p, const CallKeys& keys, int atLeast, int& comparisons)
{
    int kind = -1;
    int longest = 0;
    while (*p) {
        while (*p == ' ' || *p == ';')
            ++p;
        const char* start = p;
        while (*p && *p != ' ' && *p != ';' && *p != ':')
            ++p;
        const int length = int(p - start);
        if (*p == ':') { // a kind name opens a group of keys
            kind = kindIndex(start, length);
            ++p;
            continue;
        }
        // A key taken from inside the call (characters 3 to 5, or 2 to 4)
        // says the least: "9DX" stands for VK9DX, not for LU9DX or DL9DX, so
        // it never overrides a prefix of two characters or more.
        const int weight = kind < 5 ? length : 1;
        if (length == 0 || kind < 0 || weight < atLeast || weight <= longest)
            continue;
        ++comparisons;
        if (keys.length[kind] == length && std::memcmp(keys.text[kind], start, length) == 0)
            longest = weight;
    }
    return longest;
}

} // namespace

CallKeys deriveCallKeys(QByteArrayView call)
{
    CallKeys keys{};
    const qsizetype n = qMin<qsizetype>(call.size(), 20);
    auto take = [&](int index, qsizetype from, qsizetype count) {
        const qsizetype available = qBound<qsizetype>(0, n - from, count);
        for (qsizetype i = 0; i < available; ++i)
            keys.text[index][i] = call[from + i];
        keys.text[index][available] = '\0';
        keys.length[index] = quint8(available);
    };
    for (int i = 0; i < 5; ++i)
        take(i, 0, i + 1);
    take(5, 2, 3);
    take(6, 1, 3);
    return keys;
}

void lookupCountry(const CallKeys& keys, CountryResult& out)
{
    out.text = "";
    out.visible.reset();
    out.top = 0;
    out.comparisons = 0;
    // The key length of the current winner. A later entry takes over on a
    // key at least as long, so a broad prefix family listed after a narrower
    // entry does not override it.
    int winnerLength = 0;
    const Entry* winner = nullptr;
    for (const Entry& entry : kTable) {
        const int length = longestMatch(entry.keys, keys, qMax(winnerLength, 1), out.comparisons);
        if (length == 0)
            continue;
        winnerLength = length;
        winner = &entry;
    }
    if (!winner)
        return;
    out.text = winner->country;
    out.visible.set(std::size_t(winner->picture));
    out.top = winner->picture;
}

int countryEntryCount()
{
    return kEntryCount;
}

const char* countryEntryText(int index)
{
    return index >= 0 && index < kEntryCount ? kTable[index].country : "";
}

int countryEntryPicture(int index)
{
    return index >= 0 && index < kEntryCount ? kTable[index].picture : 0;
}

bool isFlagPicture(int pictureNumber)
{
    return pictureNumber >= 2 && pictureNumber <= kLastPicture && pictureNumber != 17 &&
           pictureNumber != 34;
}

QString flagResourcePath(int pictureNumber)
{
    if (!isFlagPicture(pictureNumber))
        return {};
    return QStringLiteral(":/flags/%1.jpg").arg(QLatin1StringView(kFlagFiles[pictureNumber]));
}

void initPictureResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(flags);
        Q_INIT_RESOURCE(pictures);
        return true;
    }();
    Q_UNUSED(registered);
}
