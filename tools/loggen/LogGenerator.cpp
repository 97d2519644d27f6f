#include "loggen/LogGenerator.h"

#include <QDate>

#include <array>
#include <cstdint>

namespace
{
// A small deterministic generator, so the same options give the same log.
struct Rng {
    uint64_t state;
    explicit Rng(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
    uint32_t next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return uint32_t((state * 0x2545F4914F6CDD1Dull) >> 32);
    }
    int below(int n) { return int(next() % uint32_t(n)); }
};

struct BandPlan {
    const char* band;
    const char* ft8; // dial frequency in MHz, six decimals as WSJT-X writes
    const char* ft4;
};
const std::array<BandPlan, 9> kBands = {{
    {"80m", "3.573", "3.575"},
    {"40m", "7.074", "7.0475"},
    {"30m", "10.136", "10.140"},
    {"20m", "14.074", "14.080"},
    {"17m", "18.100", "18.104"},
    {"15m", "21.074", "21.140"},
    {"10m", "28.074", "28.180"},
    {"2m", "144.174", "144.170"},
    {"70cm", "432.174", "432.174"},
}};

const char* const kPrefixes[] = {"DL", "DK", "DJ", "OE", "HB9", "F",  "G",  "M0", "GM", "EA",
                                 "I",  "IK", "SP", "OK", "OM",  "PA", "ON", "LA", "SM", "OH",
                                 "K",  "W",  "N",  "VE", "JA",  "VK", "ZL", "PY", "LU", "UA",
                                 "R",  "UR", "YO", "LZ", "9A",  "S5", "HA", "YU", "CT", "EI"};
const char* const kNames[] = {"Hans", "Peter", "Maria", "John", "Luis", "Anna", "Jan", "Olga"};
const char* const kComments[] = {
    "tnx fer QSO",       "nice signal", "first QSO on this band", "73 and good DX",
    "weak but readable", "QSB deep",    "Grüße aus Köln",         "portable op, 5 W into a dipole"};

QByteArray field(const char* tag, const QByteArray& value)
{
    return QByteArray("<") + tag + ':' + QByteArray::number(value.size()) + '>' + value;
}

QByteArray report(Rng& r)
{
    const int v = r.below(45) - 24;
    QByteArray s = v < 0 ? "-" : "+";
    const int a = v < 0 ? -v : v;
    if (a < 10)
        s += '0';
    s += QByteArray::number(a);
    return s;
}

QByteArray grid(Rng& r)
{
    QByteArray g;
    g += char('A' + r.below(18));
    g += char('A' + r.below(18));
    g += char('0' + r.below(10));
    g += char('0' + r.below(10));
    return g;
}
} // namespace

QByteArray wsjtxLogHeader()
{
    return "WSJT-X ADIF Export<eoh>";
}

QByteArray generateWsjtxRecord(const LogGeneratorOptions& o, int index)
{
    Rng r(o.seed * 1000003u + unsigned(index));
    QByteArray call = kPrefixes[r.below(int(std::size(kPrefixes)))];
    if (!QByteArray("0123456789").contains(call.back()))
        call += char('0' + r.below(10));
    const int suffix = 1 + r.below(3);
    for (int i = 0; i < suffix; ++i)
        call += char('A' + r.below(26));
    if (r.below(200) == 0)
        call += "/P";

    const bool ft4 = r.below(4) == 0;
    const BandPlan& b = kBands[size_t(r.below(int(kBands.size())))];
    // The dial frequency plus the audio offset, with six decimals.
    const double dial = QByteArray(ft4 ? b.ft4 : b.ft8).toDouble();
    const double freq = dial + (200 + r.below(2800)) / 1e6;
    const QByteArray freqText = QByteArray::number(freq, 'f', 6);

    const QDate day = QDate(2019, 1, 1).addDays(index / 40);
    const int secondsOfDay = (index % 40) * 2000 + r.below(900);
    const int h = (secondsOfDay / 3600) % 24, m = (secondsOfDay / 60) % 60, s = secondsOfDay % 60;
    const QByteArray date = day.toString("yyyyMMdd").toLatin1();
    const QByteArray timeOn = QString::asprintf("%02d%02d%02d", h, m, s).toLatin1();
    const int offSeconds = secondsOfDay + 60 + r.below(60);
    const QByteArray timeOff = QString::asprintf("%02d%02d%02d", (offSeconds / 3600) % 24,
                                                 (offSeconds / 60) % 60, offSeconds % 60)
                                   .toLatin1();

    QByteArray t = field("call", call);
    t += ' ' + field("gridsquare", r.below(10) == 0 ? QByteArray() : grid(r));
    if (ft4)
        t += ' ' + field("mode", "MFSK") + ' ' + field("submode", "FT4");
    else
        t += ' ' + field("mode", "FT8");
    t += ' ' + field("rst_sent", report(r));
    t += ' ' + field("rst_rcvd", report(r));
    t += ' ' + field("qso_date", date);
    t += ' ' + field("time_on", timeOn);
    t += ' ' + field("qso_date_off", date);
    t += ' ' + field("time_off", timeOff);
    t += ' ' + field("band", b.band);
    t += ' ' + field("freq", freqText);
    t += ' ' + field("station_callsign", o.ownCall);
    t += ' ' + field("my_gridsquare", o.ownGrid);
    if (r.below(3) == 0)
        t += ' ' + field("tx_pwr", QByteArray::number(5 + 5 * r.below(20)));
    if (o.comments && r.below(8) == 0) {
        // Comments are stored in the Windows code page.
        const QString c = QString::fromUtf8(kComments[r.below(int(std::size(kComments)))]);
        t += ' ' + field("comment", c.toLatin1());
    }
    if (r.below(5) == 0)
        t += ' ' + field("name", kNames[r.below(int(std::size(kNames)))]);
    if (o.eqslFlags && r.below(3) == 0) {
        t += ' ' + field("eqsl_qsl_sent", "Y");
        t += ' ' + field("eqsl_qsl_rcvd", r.below(2) ? "Y" : "N");
    }
    t += " <eor>";
    return t;
}

QByteArray generateWsjtxLog(const LogGeneratorOptions& o)
{
    QByteArray out = wsjtxLogHeader() + "\r\n";
    out.reserve(qsizetype(o.records) * 280 + 64);
    for (int i = 0; i < o.records; ++i)
        out += generateWsjtxRecord(o, i) + "\r\n";
    return out;
}
