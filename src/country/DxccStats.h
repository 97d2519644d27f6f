#pragma once
// What is worked and confirmed of each DXCC entity on each band: rows are
// entities (by DXCC number), columns the bands 160 m to 70 cm, each cell
// counts the QSOs and their confirmations by LoTW, eQSL and paper QSL. The
// counts are kept, not flags, so a QSO can be taken out again when it is
// changed or deleted; which confirmations count is chosen when reading.
#include "country/CountryResolver.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

namespace country
{

// The band columns, in order; kAllBands is the column of every band (also
// bands outside the columns, 2200 m or 23 cm: an entity counts there too).
inline constexpr int kBandCount = 15;
inline constexpr int kAllBands = kBandCount;
const char* bandName(int band); // "160m" ... "70cm", ADIF's names
// The column of an ADIF BAND value (any case), -1 when it is none of them.
int bandOfAdif(QByteArrayView band);
// The column of a frequency in MHz (ADIF's band edges), -1 when none.
int bandOfFrequency(double mhz);

// Sources of confirmation, as bits.
enum ConfirmSource : unsigned {
    ConfirmLotw = 1,  // LOTW_QSL_RCVD
    ConfirmEqsl = 2,  // EQSL_QSL_RCVD
    ConfirmPaper = 4, // QSL_RCVD
    ConfirmAll = 7,
};

// The fields of a QSO the statistics read. A received mark counts when it
// is "Y" or "V" (ADIF's "verified"), in any case.
struct DxccQso {
    QByteArrayView call;
    QByteArrayView band; // ADIF BAND; when empty, the frequency decides
    QByteArrayView freq; // ADIF FREQ in MHz
    QByteArrayView mode;
    QByteArrayView lotwRcvd, eqslRcvd, qslRcvd;
};
// Those fields of one ADIF record (tags in any case, each field's first
// occurrence); the views point into `record`.
DxccQso dxccQsoFromAdif(QByteArrayView record);

// What a call on a band would be for the log: the answer the operator looks
// for before and while working a station.
enum class NewOne {
    NoEntity,           // the call belongs to no entity
    NewDxcc,            // the entity was never worked
    NewBand,            // worked, but not on this band
    WorkedNotConfirmed, // worked on this band, no counted confirmation there
    Confirmed,          // confirmed on this band
};
QString newOneText(NewOne kind); // empty for NoEntity and Confirmed

class DxccStats
{
public:
    struct Cell {
        qint32 worked = 0; // QSOs
        qint32 lotw = 0;   // of them confirmed by LoTW
        qint32 eqsl = 0;
        qint32 paper = 0;
    };
    struct Totals {
        int worked = 0; // entities
        int confirmed = 0;
    };

    explicit DxccStats(std::shared_ptr<const CountryResolver> resolver);

    // Which confirmations count (ConfirmSource bits); all by default.
    void setSources(unsigned sources) { m_sources = sources & ConfirmAll; }
    unsigned sources() const { return m_sources; }

    void clear();
    void add(const DxccQso& qso) { apply(qso, 1); }
    // Takes out a QSO added before (with the same fields).
    void remove(const DxccQso& qso) { apply(qso, -1); }
    void change(const DxccQso& before, const DxccQso& after)
    {
        remove(before);
        add(after);
    }

    // What one QSO counts for, in a few bytes: kept per line by a table
    // that follows a live log, so that a changed line can be taken out
    // again without its old text.
    struct Counted {
        qint32 dxcc = 0;  // 0: no entity (or none the table holds)
        qint8 band = -1;  // band column, -1 when outside the columns
        quint8 marks = 0; // ConfirmSource bits of its received marks
    };
    Counted countOf(const DxccQso& qso) const;
    void add(Counted c) { apply(c, 1); }
    void remove(Counted c) { apply(c, -1); }

    int qsoCount() const { return m_qsos; }
    int unresolvedCount() const { return m_unresolved; } // QSOs with no entity

    // band 0 .. kBandCount - 1, or kAllBands.
    Cell cell(int dxcc, int band) const;
    bool worked(int dxcc, int band) const { return cell(dxcc, band).worked > 0; }
    bool confirmed(int dxcc, int band) const;
    // "" not worked, "W" worked, else the letters of the counted confirmations
    // (L LoTW, E eQSL, Q paper QSL), e.g. "LQ".
    QByteArray cellText(int dxcc, int band) const;

    // The DXCC numbers of the rows: those worked, ascending.
    std::vector<int> workedEntities() const;
    Totals totals(int band) const; // per band column, or kAllBands for all
    // For a call about to be worked on a band (-1: any band).
    NewOne classify(QByteArrayView call, int band) const;
    // For a QSO of the log, as the log would be without it: "new DXCC" when
    // it is the entity's only QSO.
    NewOne classifyWithout(const DxccQso& logged) const;

    // The table as CSV (UTF-8, header line first): DXCC number, entity,
    // prefix, one column per band, then the entity's bands worked and
    // confirmed; a totals line last. With `allEntities`, also the entities
    // of the file not worked.
    QByteArray toCsv(bool allEntities = false) const;

    const CountryResolver& resolver() const { return *m_resolver; }

private:
    void apply(const DxccQso& qso, int step) { apply(countOf(qso), step); }
    void apply(Counted c, int step);
    bool counted(const Cell& c) const; // confirmed by a source that counts
    NewOne judge(int dxcc, int band, const Cell& without) const;
    const Cell* row(int dxcc) const;

    std::shared_ptr<const CountryResolver> m_resolver;
    std::vector<Cell> m_cells; // (kBandCount + 1) per DXCC number
    unsigned m_sources = ConfirmAll;
    int m_qsos = 0;
    int m_unresolved = 0;
};

} // namespace country
