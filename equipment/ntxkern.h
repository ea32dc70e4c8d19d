// The list core shared by the generated and the attached texts (used only
// inside equipment/ by ngestext and nzustext): a flat list of fixed records
// in list order, their section lines, snapshots and an index by item id.
// Prefix `Ntx`. Calls support (buffered files, texts).
//
// Invariants:
//  1. At most SUP - 1 records; a full list refuses appends.
//  2. The id index lists, per item id, the positions of its records in list
//     order: appends keep it in step, every delete, sort or restore
//     rebuilds it, so "the first entry with the key" stays the first in
//     list order while a lookup touches only that item's records.
//  3. A section read keeps its lines as read; they become records (and the
//     index is built) when the list is first used, with the same rules a
//     parse while reading had: opening a project uses neither text list,
//     and a line costs its own bytes where a record and its index entry
//     cost several times that.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "equipment/bmhilf.h"
#include "equipment/bmint.h"
#include "support/bdatei.h"
#include "support/texte.h"

inline constexpr int NTXZEILESUP = 200;  // section line read

template <class T, int SUP, int BREITE>
struct NtxListe {
    std::vector<T> saetze;  // through L(): the section's lines may not be parsed yet
    std::unordered_map<uint32_t, std::vector<int>> index;
    BmhZeilen roh;  // lines of the section last read, not parsed yet
    int geaendert = 0;
    int init = 0;

    // The records, the section's lines parsed first when there are any.
    std::vector<T>& L()
    {
        BmNachladen();
        if (!roh.leer()) RohParsen();
        return saetze;
    }
    const std::vector<T>& L() const { return const_cast<NtxListe*>(this)->L(); }

    static bool CodeGleich(const char* a, const char* b) { return std::strcmp(a, b) == 0; }
    static bool Passt(const T& t, uint32_t id, const char* code, int nr)
    {
        return (id == 0 || t.id == id) && (code == nullptr || CodeGleich(t.code, code)) && (nr == -1 || t.nr == nr);
    }
    static T Satz(uint32_t id, const char* code, int nr, int zeile, const char* text)
    {
        T t;
        std::memset(&t, 0, sizeof t);
        t.id = id;
        BmhKopie(t.code, code != nullptr ? code : "", 3);
        t.nr = nr;
        t.zeile = zeile;
        BmhKopie(t.text, text != nullptr ? text : "", BREITE);
        return t;
    }

    void Start()
    {
        saetze.clear();
        roh.leeren();
        saetze.reserve(SUP - 1);
        index.clear();
        geaendert = 0;
        init = 1;
    }
    void Ende()
    {
        saetze.clear();
        roh.leeren();
        index.clear();
        geaendert = 0;
        init = 0;
    }
    bool Voll() const { return static_cast<int>(L().size()) >= SUP - 1; }

    void IndexAufbauen()
    {
        index.clear();
        for (size_t i = 0; i < saetze.size(); ++i) index[saetze[i].id].push_back(static_cast<int>(i));
    }
    // Appends (false when full).
    bool Anhaengen(const T& t)
    {
        if (Voll()) return false;
        saetze.push_back(t);
        index[t.id].push_back(static_cast<int>(saetze.size() - 1));
        return true;
    }
    // Position of the first record with the exact key, or -1.
    int Finden(uint32_t id, const char* code, int nr, int zeile) const
    {
        const std::vector<T>& liste = L();
        auto it = index.find(id);
        if (it == index.end()) return -1;
        for (int i : it->second) {
            const T& t = liste[static_cast<size_t>(i)];
            if (t.nr == nr && t.zeile == zeile && CodeGleich(t.code, code)) return i;
        }
        return -1;
    }
    // Positions of an item's records in list order (id 0: all).
    template <class FN> void FuerAlle(uint32_t id, const char* code, int nr, FN fn) const
    {
        const std::vector<T>& liste = L();
        if (id == 0) {
            for (const T& t : liste)
                if (Passt(t, 0, code, nr)) fn(t);
            return;
        }
        auto it = index.find(id);
        if (it == index.end()) return;
        const std::vector<int> pos = it->second;  // the callback may change the list
        for (int i : pos)
            if (static_cast<size_t>(i) < liste.size() && Passt(liste[static_cast<size_t>(i)], id, code, nr))
                fn(liste[static_cast<size_t>(i)]);
    }
    void Entfernen(int i)
    {
        std::vector<T>& liste = L();
        liste.erase(liste.begin() + i);
        IndexAufbauen();
        geaendert = 1;
    }
    template <class PRED> int EntfernenWenn(PRED p)
    {
        std::vector<T>& liste = L();
        const size_t vorher = liste.size();
        liste.erase(std::remove_if(liste.begin(), liste.end(), p), liste.end());
        const int n = static_cast<int>(vorher - liste.size());
        if (n > 0) {
            IndexAufbauen();
            geaendert = 1;
        }
        return n;
    }
    // Key order: id, then code by bytes, then number, then line; below 0,
    // 0 (the same key) or above 0.
    static int Vergleich(const T& a, const T& b)
    {
        if (a.id != b.id) return a.id < b.id ? -1 : 1;
        if (const int c = std::strcmp(a.code, b.code)) return c;
        if (a.nr != b.nr) return a.nr < b.nr ? -1 : 1;
        if (a.zeile != b.zeile) return a.zeile < b.zeile ? -1 : 1;
        return 0;
    }
    // Stable: records of one key keep their list order.
    void Sortieren(int (*vergleich)(const T&, const T&))
    {
        std::vector<T>& liste = L();
        std::stable_sort(liste.begin(), liste.end(),
                         [vergleich](const T& a, const T& b) { return vergleich(a, b) < 0; });
        IndexAufbauen();
    }

    // Section lines: trimmed, ';' and empty skipped, ')' ends; the lines
    // are kept as they are and parsed on first use (RohParsen). A reload
    // forgets the previous file's records and lines alike.
    int Lesen(BDAT* d)
    {
        saetze.clear();
        roh.leeren();
        char zeile[NTXZEILESUP + 1];
        while (bdgets(d, zeile, NTXZEILESUP) >= 0) {
            strtrim(zeile);
            if (zeile[0] == ')') break;
            if (zeile[0] == 0 || zeile[0] == ';') continue;
            // A line without a separator would be dropped by the parse.
            if (!init || std::strchr(zeile, BMTRENNER) == nullptr) continue;
            roh.anfuegen(zeile);
        }
        IndexAufbauen();
        geaendert = 0;
        return 0;
    }
    // The kept lines become records: lines with id 0 dropped, at most
    // SUP - 1 records; code cut to 3 and trimmed, text cut and right-trimmed.
    void RohParsen()
    {
        BmhZeilen zeilen;
        std::swap(zeilen, roh);  // parsed once, whatever the records' use does
        zeilen.durchlaufen([this](const char* zeile) {
            if (static_cast<int>(saetze.size()) >= SUP - 1) return;
            T t;
            std::memset(&t, 0, sizeof t);
            const char* p = zeile;
            char feld[NTXZEILESUP + 1];
            BmhFeldAb(feld, 16, &p);
            t.id = hexwert(feld);
            BmhFeldAb(t.code, 3, &p);
            strtrim(t.code);
            BmhFeldAb(feld, 32, &p);
            t.nr = BmhAtoi(feld);
            BmhFeldAb(feld, 32, &p);
            t.zeile = BmhAtoi(feld);
            BmhFeldAb(t.text, BREITE, &p);
            strrtrim(t.text);
            if (t.id == 0) return;
            saetze.push_back(t);
        });
        IndexAufbauen();
    }
    int Schreiben(BDAT* d, const char* kopf)
    {
        int r = bdputs(d, kopf);
        std::string z;
        for (const T& t : L()) {
            z.clear();
            BmhHex(z, t.id);
            z += BMTRENNER;
            z += t.code;
            z += BMTRENNER;
            BmhInt(z, t.nr);
            z += BMTRENNER;
            BmhInt(z, t.zeile);
            z += BMTRENNER;
            z += t.text;
            if (bdputs(d, z.c_str()) < 0) r = -1;
        }
        geaendert = 0;
        return r < 0 ? -1 : 0;
    }
    long Sichern(void* puffer) const
    {
        const std::vector<T>& liste = L();
        const uint32_t n = static_cast<uint32_t>(liste.size());
        const long groesse = static_cast<long>(sizeof n + n * sizeof(T));
        if (puffer == nullptr) return groesse;
        auto* p = static_cast<unsigned char*>(puffer);
        std::memcpy(p, &n, sizeof n);
        if (n > 0) std::memcpy(p + sizeof n, liste.data(), n * sizeof(T));
        return groesse;
    }
    void Herstellen(const void* puffer)
    {
        BmNachladen();  // the other sections keep what the file holds
        const auto* p = static_cast<const unsigned char*>(puffer);
        uint32_t n = 0;
        std::memcpy(&n, p, sizeof n);
        if (n > static_cast<uint32_t>(SUP - 1)) n = SUP - 1;
        roh.leeren();  // the copy replaces the lines not parsed yet
        saetze.resize(n);
        if (n > 0) std::memcpy(saetze.data(), p + sizeof n, n * sizeof(T));
        IndexAufbauen();
        geaendert = 1;
    }
};
