#include "country/DxccStats.h"

#include "country/DxccEntities.h"

#include <QCoreApplication>

#include <algorithm>

namespace country
{
namespace
{

struct BandRange {
    const char* name;
    double low, high; // MHz
};
constexpr BandRange kBands[kBandCount] = {
    {"160m", 1.8, 2.0},    {"80m", 3.5, 4.0},    {"60m", 5.06, 5.45},     {"40m", 7.0, 7.3},
    {"30m", 10.1, 10.15},  {"20m", 14.0, 14.35}, {"17m", 18.068, 18.168}, {"15m", 21.0, 21.45},
    {"12m", 24.89, 24.99}, {"10m", 28.0, 29.7},  {"6m", 50, 54},          {"4m", 70, 71},
    {"2m", 144, 148},      {"1.25m", 222, 225},  {"70cm", 420, 450},
};

bool counts(QByteArrayView mark)
{
    if (mark.isEmpty())
        return false;
    const char c = mark[0];
    return c == 'Y' || c == 'y' || c == 'V' || c == 'v';
}

bool sameLetters(QByteArrayView a, const char* lower)
{
    qsizetype i = 0;
    for (; lower[i]; ++i) {
        if (i >= a.size())
            return false;
        char c = a[i];
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
        if (c != lower[i])
            return false;
    }
    return i == a.size();
}

// The band column of a QSO: its BAND, else (no BAND at all) its frequency.
int bandOf(const DxccQso& qso)
{
    const int band = bandOfAdif(qso.band);
    if (band < 0 && qso.band.trimmed().isEmpty() && !qso.freq.isEmpty())
        return bandOfFrequency(qso.freq.trimmed().toDouble());
    return band;
}

QByteArray csvField(const QString& text)
{
    QByteArray t = text.toUtf8();
    if (t.contains(',') || t.contains('"') || t.contains('\n')) {
        t.replace("\"", "\"\"");
        t = '"' + t + '"';
    }
    return t;
}

} // namespace

const char* bandName(int band)
{
    return band >= 0 && band < kBandCount ? kBands[band].name : "";
}

int bandOfAdif(QByteArrayView band)
{
    band = band.trimmed();
    for (int b = 0; b < kBandCount; ++b)
        if (sameLetters(band, kBands[b].name))
            return b;
    return -1;
}

int bandOfFrequency(double mhz)
{
    for (int b = 0; b < kBandCount; ++b)
        if (mhz >= kBands[b].low && mhz <= kBands[b].high)
            return b;
    return -1;
}

DxccQso dxccQsoFromAdif(QByteArrayView record)
{
    DxccQso q;
    bool seen[7] = {};
    QByteArrayView* fields[7] = {&q.call,     &q.band,     &q.freq,   &q.mode,
                                 &q.lotwRcvd, &q.eqslRcvd, &q.qslRcvd};
    static constexpr const char* kTags[7] = {"call",          "band",          "freq",    "mode",
                                             "lotw_qsl_rcvd", "eqsl_qsl_rcvd", "qsl_rcvd"};
    // A record has some fifteen fields; most names are told apart by their
    // length alone, before any comparison.
    auto candidates = [](qsizetype length) -> std::pair<int, int> {
        switch (length) {
        case 4:
            return {0, 4};
        case 13:
            return {4, 6};
        case 8:
            return {6, 7};
        default:
            return {0, 0};
        }
    };
    const char* const data = record.data();
    const qsizetype n = record.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && data[i] != '<')
            ++i;
        const qsizetype open = i;
        qsizetype p = open + 1;
        while (p < n && data[p] != ':' && data[p] != '>')
            ++p;
        if (p >= n)
            break;
        const QByteArrayView name(data + open + 1, p - open - 1);
        qsizetype length = 0;
        if (data[p] == ':') {
            ++p;
            while (p < n && data[p] >= '0' && data[p] <= '9' && length < (1 << 20))
                length = length * 10 + (data[p++] - '0');
            while (p < n && data[p] != '>') // a data type: <freq:6:N>
                ++p;
            if (p >= n)
                break;
        }
        const qsizetype value = p + 1;
        length = std::min(length, n - value);
        const auto [from, to] = candidates(name.size());
        for (int t = from; t < to; ++t)
            if (!seen[t] && sameLetters(name, kTags[t])) {
                seen[t] = true;
                *fields[t] = QByteArrayView(data + value, length);
                break;
            }
        i = value + length;
    }
    return q;
}

QString newOneText(NewOne kind)
{
    switch (kind) {
    case NewOne::NewDxcc:
        return QCoreApplication::translate("DxccStats", "new DXCC");
    case NewOne::NewBand:
        return QCoreApplication::translate("DxccStats", "new band for this DXCC");
    case NewOne::WorkedNotConfirmed:
        return QCoreApplication::translate("DxccStats", "worked, not confirmed");
    case NewOne::NoEntity:
    case NewOne::Confirmed:
        break;
    }
    return {};
}

DxccStats::DxccStats(std::shared_ptr<const CountryResolver> resolver)
    : m_resolver(resolver ? std::move(resolver) : std::make_shared<CountryResolver>())
{
    clear();
}

void DxccStats::clear()
{
    int highest = 0;
    for (int dxcc : m_resolver->dxccNumbers())
        highest = std::max(highest, dxcc);
    m_cells.assign(size_t(highest + 1) * (kBandCount + 1), Cell{});
    m_qsos = 0;
    m_unresolved = 0;
}

DxccStats::Counted DxccStats::countOf(const DxccQso& qso) const
{
    Counted c;
    const int dxcc = m_resolver->resolve(qso.call).dxcc;
    if (dxcc <= 0 || size_t(dxcc + 1) * (kBandCount + 1) > m_cells.size())
        return c;
    c.dxcc = dxcc;
    c.band = qint8(bandOf(qso));
    c.marks = quint8((counts(qso.lotwRcvd) ? ConfirmLotw : 0u) |
                     (counts(qso.eqslRcvd) ? ConfirmEqsl : 0u) |
                     (counts(qso.qslRcvd) ? ConfirmPaper : 0u));
    return c;
}

void DxccStats::apply(Counted counted, int step)
{
    m_qsos += step;
    const int dxcc = counted.dxcc;
    if (dxcc <= 0 || size_t(dxcc + 1) * (kBandCount + 1) > m_cells.size()) {
        m_unresolved += step;
        return;
    }
    const int band = counted.band;
    const qint32 lotw = (counted.marks & ConfirmLotw) ? step : 0;
    const qint32 eqsl = (counted.marks & ConfirmEqsl) ? step : 0;
    const qint32 paper = (counted.marks & ConfirmPaper) ? step : 0;
    Cell* r = &m_cells[size_t(dxcc) * (kBandCount + 1)];
    for (Cell* c : {band >= 0 ? r + band : nullptr, r + kAllBands}) {
        if (!c)
            continue;
        c->worked += step;
        c->lotw += lotw;
        c->eqsl += eqsl;
        c->paper += paper;
    }
}

const DxccStats::Cell* DxccStats::row(int dxcc) const
{
    if (dxcc <= 0 || size_t(dxcc + 1) * (kBandCount + 1) > m_cells.size())
        return nullptr;
    return &m_cells[size_t(dxcc) * (kBandCount + 1)];
}

DxccStats::Cell DxccStats::cell(int dxcc, int band) const
{
    const Cell* r = row(dxcc);
    return r && band >= 0 && band <= kAllBands ? r[band] : Cell{};
}

bool DxccStats::confirmed(int dxcc, int band) const
{
    return counted(cell(dxcc, band));
}

bool DxccStats::counted(const Cell& c) const
{
    return ((m_sources & ConfirmLotw) && c.lotw > 0) || ((m_sources & ConfirmEqsl) && c.eqsl > 0) ||
           ((m_sources & ConfirmPaper) && c.paper > 0);
}

QByteArray DxccStats::cellText(int dxcc, int band) const
{
    const Cell c = cell(dxcc, band);
    if (c.worked <= 0)
        return {};
    QByteArray t;
    if ((m_sources & ConfirmLotw) && c.lotw > 0)
        t += 'L';
    if ((m_sources & ConfirmEqsl) && c.eqsl > 0)
        t += 'E';
    if ((m_sources & ConfirmPaper) && c.paper > 0)
        t += 'Q';
    return t.isEmpty() ? QByteArray("W") : t;
}

std::vector<int> DxccStats::workedEntities() const
{
    std::vector<int> out;
    for (int dxcc : m_resolver->dxccNumbers())
        if (worked(dxcc, kAllBands))
            out.push_back(dxcc);
    return out;
}

DxccStats::Totals DxccStats::totals(int band) const
{
    Totals t;
    for (int dxcc : m_resolver->dxccNumbers()) {
        if (!worked(dxcc, band))
            continue;
        ++t.worked;
        if (confirmed(dxcc, band))
            ++t.confirmed;
    }
    return t;
}

NewOne DxccStats::judge(int dxcc, int band, const Cell& without) const
{
    if (dxcc <= 0)
        return NewOne::NoEntity;
    // `without` counts in the entity's row and in its band's column.
    const auto less = [&](Cell c) {
        c.worked -= without.worked;
        c.lotw -= without.lotw;
        c.eqsl -= without.eqsl;
        c.paper -= without.paper;
        return c;
    };
    const Cell all = less(cell(dxcc, kAllBands));
    if (all.worked <= 0)
        return NewOne::NewDxcc;
    const int column = band >= 0 && band < kBandCount ? band : kAllBands;
    const Cell here = column == kAllBands ? all : less(cell(dxcc, column));
    if (here.worked <= 0)
        return NewOne::NewBand;
    return counted(here) ? NewOne::Confirmed : NewOne::WorkedNotConfirmed;
}

NewOne DxccStats::classify(QByteArrayView call, int band) const
{
    return judge(m_resolver->resolve(call).dxcc, band, Cell{});
}

NewOne DxccStats::classifyWithout(const DxccQso& logged) const
{
    Cell self;
    self.worked = 1;
    self.lotw = counts(logged.lotwRcvd) ? 1 : 0;
    self.eqsl = counts(logged.eqslRcvd) ? 1 : 0;
    self.paper = counts(logged.qslRcvd) ? 1 : 0;
    return judge(m_resolver->resolve(logged.call).dxcc, bandOf(logged), self);
}

QByteArray DxccStats::toCsv(bool allEntities) const
{
    QByteArray out = csvField(QCoreApplication::translate("DxccStats", "DXCC")) + ',' +
                     csvField(QCoreApplication::translate("DxccStats", "Entity")) + ',' +
                     csvField(QCoreApplication::translate("DxccStats", "Prefix"));
    for (int b = 0; b < kBandCount; ++b)
        out += ',' + QByteArray(bandName(b));
    out += ',' + csvField(QCoreApplication::translate("DxccStats", "Bands worked")) + ',' +
           csvField(QCoreApplication::translate("DxccStats", "Bands confirmed")) + "\r\n";
    for (int dxcc : m_resolver->dxccNumbers()) {
        if (!allEntities && !worked(dxcc, kAllBands))
            continue;
        const FileEntity& e = m_resolver->entity(m_resolver->entityOfDxcc(dxcc));
        out += QByteArray::number(dxcc) + ',' + csvField(dxccEntityName(dxcc, e.name)) + ',' +
               csvField(QString::fromLatin1(e.primaryPrefix));
        int bandsWorked = 0, bandsConfirmed = 0;
        for (int b = 0; b < kBandCount; ++b) {
            out += ',' + cellText(dxcc, b);
            bandsWorked += worked(dxcc, b) ? 1 : 0;
            bandsConfirmed += confirmed(dxcc, b) ? 1 : 0;
        }
        out += ',' + QByteArray::number(bandsWorked) + ',' + QByteArray::number(bandsConfirmed) +
               "\r\n";
    }
    // Totals: entities worked / confirmed per band, and over all bands.
    out +=
        ',' + csvField(QCoreApplication::translate("DxccStats", "Total worked / confirmed")) + ',';
    for (int b = 0; b < kBandCount; ++b) {
        const Totals t = totals(b);
        out += ',' + QByteArray::number(t.worked) + '/' + QByteArray::number(t.confirmed);
    }
    const Totals all = totals(kAllBands);
    out += ',' + QByteArray::number(all.worked) + ',' + QByteArray::number(all.confirmed) + "\r\n";
    return out;
}

} // namespace country
