#pragma once
// Which DXCC entity a call belongs to, from the country file (CountryFile.h).
//
// The rules, in order:
//  1. A whole call of the file ("=" entries) wins over every prefix, also
//     with its portable suffix as the file writes it ("=3D2AG/P").
//  2. The call is taken apart at '/'. Suffixes that say how, not where, the
//     station works (/P, /M, /QRP, /A, /LH ...) are dropped; /MM (maritime
//     mobile) and /AM (aeronautical) belong to no entity. A lone digit
//     (/1 ... /0) moves the station to that call area: UA9ABC/1 is looked up
//     as UA1 (European Russia); a US call as K and the digit (W6ABC/4 and
//     KH6ABC/4 are in the USA's fourth area, not in Hawaii or on Midway,
//     KH4).
//  3. Of two remaining parts the shorter one is where the station works
//     (EA8/DL1ABC and DL1ABC/EA8 both in the Canary Islands); of two equally
//     long parts the one ending in a digit, else the first.
//  4. The longest prefix of the file that begins that part wins. KG4 calls
//     with a three-letter suffix are in the USA: only the short KG4 calls
//     are at Guantanamo Bay.
// Entities the file marks as WAE-only (Sicily ...) resolve to their DXCC
// entity (Italy), with the zones and continent of the region.
//
// A lookup walks a trie of the prefixes and makes one hash lookup for the
// whole call; it does not allocate.
#include "country/CountryFile.h"

#include <QHash>

#include <array>
#include <memory>
#include <vector>

namespace country
{

struct Resolution {
    int dxcc = 0;        // ADIF DXCC number; 0: no entity
    int entity = -1;     // index of the matching entity line (the WAE region, if any)
    int dxccEntity = -1; // index of the line of the DXCC entity itself
    Location location;   // with the overrides of the matching prefix or call
    bool found() const { return dxcc > 0; }
};

class CountryResolver
{
public:
    CountryResolver() = default; // resolves nothing
    explicit CountryResolver(CountryFileData data);

    bool isEmpty() const { return m_data.entities.empty(); }
    Resolution resolve(QByteArrayView call) const;

    int entityCount() const { return int(m_data.entities.size()); }
    const FileEntity& entity(int index) const { return m_data.entities[size_t(index)]; }
    // The entity line of a DXCC number (never a WAE-only line); -1 if none.
    int entityOfDxcc(int dxcc) const;
    // The DXCC numbers of the file, ascending, each once.
    const std::vector<int>& dxccNumbers() const { return m_dxccNumbers; }

    // How many entity lines, prefixes and whole calls the file gave.
    int prefixCount() const { return m_prefixCount; }
    int wholeCallCount() const { return int(m_wholeCalls.size()); }

private:
    static constexpr int kSymbols = 37; // 0-9, A-Z, '/'
    struct Node {
        std::array<qint32, kSymbols> child;
        qint32 item = -1;
        Node() { child.fill(-1); }
    };
    void insertPrefix(const QByteArray& text, int item);
    int longestPrefix(QByteArrayView key, int maxDepth) const;
    Resolution fromItem(int item) const;

    CountryFileData m_data;
    std::vector<Node> m_nodes;
    QHash<QByteArray, int> m_wholeCalls;
    std::vector<int> m_dxccLine; // by DXCC number
    std::vector<int> m_dxccNumbers;
    int m_prefixCount = 0;
};

} // namespace country
