#pragma once
// Generates logbooks laid out as WSJT-X writes its wsjtx_log.adi: the header
// "WSJT-X ADIF Export<eoh>", then one record per line with lower-case tags in
// WSJT-X's order (call, gridsquare, mode [+ submode], rst_sent, rst_rcvd,
// qso_date, time_on, qso_date_off, time_off, band, freq, station_callsign,
// my_gridsquare, [tx_pwr], [comment], [name]) and " <eor>", lines ended by
// CR LF. FT4 is written as <mode:4>MFSK <submode:3>FT4, as WSJT-X does. Some
// records carry eQSL flags, as a logbook that was uploaded would.
#include <QByteArray>

struct LogGeneratorOptions {
    int records = 1000;
    unsigned seed = 1;
    bool eqslFlags = true; // add eqsl_qsl_sent / eqsl_qsl_rcvd to some records
    bool comments = true;  // add comments to some records
    QByteArray ownCall = "DL1VOS";
    QByteArray ownGrid = "JO62QM";
};

QByteArray generateWsjtxLog(const LogGeneratorOptions& options);
// One record line (without line end), record number `index` of the log.
QByteArray generateWsjtxRecord(const LogGeneratorOptions& options, int index);
QByteArray wsjtxLogHeader();
