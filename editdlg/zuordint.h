// Shared inside editdlg's assignment modules only: the queue of placed
// symbols both keep (rows with a command record `bef` and a graphic state
// `stt`), and the pack layout of their undo snapshots.
//
// Invariants:
//  1. 0 <= anzahl <= SUP (APPSUP unless given); rows 0..anzahl-1 are the queue in arrival order.
//  2. `aktuell` is meaningful only while `geladen` is 1; it is never also
//     in the queue.
//  3. A snapshot is a u32 count (queued rows + 1 with a loaded row), then
//     the loaded row, then the queue, each as the whole row record.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#include "editdlg/zuordnung.h"
#include "support/basis.h"
#include "support/speicher.h"

template <typename Zeile, int SUP = APPSUP>
struct ZuoSchlange {
    Zeile* zeilen = nullptr;
    int anzahl = 0;
    Zeile aktuell{};
    int geladen = 0;
    const char* modul = "";

    void anlegen(const char* assertText)
    {
        if (zeilen) return;
        zeilen = static_cast<Zeile*>(fmalloc(SUP, sizeof(Zeile)));
        if (!zeilen) wiAssert(modul, __LINE__, assertText);
    }
    void frei()
    {
        ffree(zeilen);
        zeilen = nullptr;
        anzahl = 0;
        geladen = 0;
    }
    bool voll() const { return anzahl >= SUP; }
    void anhaengen(const Zeile& z)
    {
        if (!voll()) zeilen[anzahl++] = z;
    }
    // The first queued row becomes the current one; false when none.
    bool naechste()
    {
        geladen = 0;
        if (anzahl == 0) return false;
        aktuell = zeilen[0];
        std::memmove(zeilen, zeilen + 1, sizeof(Zeile) * static_cast<size_t>(anzahl - 1));
        --anzahl;
        geladen = 1;
        return true;
    }
    static bool bei(const Zeile& z, const char* name, double x, double y)
    {
        return std::strcmp(z.bef.text, name) == 0 && std::fabs(z.stt.x - x) < 1.0 && std::fabs(z.stt.y - y) < 1.0;
    }
    // Removes queued rows at the symbol; true when the current row is there.
    bool entfernen(const char* name, double x, double y)
    {
        int n = 0;
        for (int i = 0; i < anzahl; ++i)
            if (!bei(zeilen[i], name, x, y)) zeilen[n++] = zeilen[i];
        anzahl = n;
        return geladen && bei(aktuell, name, x, y);
    }
    bool verschieben(const char* name, double x, double y, double nx, double ny)
    {
        for (int i = 0; i < anzahl; ++i)
            if (bei(zeilen[i], name, x, y)) zeilen[i].stt.x = nx, zeilen[i].stt.y = ny;
        if (geladen && bei(aktuell, name, x, y)) {
            aktuell.stt.x = nx;
            aktuell.stt.y = ny;
            return true;
        }
        return false;
    }
    bool umbenennen(const char* name, const char* neu, double x, double y)
    {
        for (int i = 0; i < anzahl; ++i)
            if (bei(zeilen[i], name, x, y)) BefTextSetzen(&zeilen[i].bef, neu);
        if (geladen && bei(aktuell, name, x, y)) {
            BefTextSetzen(&aktuell.bef, neu);
            return true;
        }
        return false;
    }
    long packen(void* puffer) const
    {
        const uint32_t n = static_cast<uint32_t>(anzahl + (geladen ? 1 : 0));
        const long laenge = 4 + static_cast<long>(n) * static_cast<long>(sizeof(Zeile));
        if (!puffer) return laenge;
        auto* p = static_cast<unsigned char*>(puffer);
        std::memcpy(p, &n, 4);
        p += 4;
        if (geladen) {
            std::memcpy(p, &aktuell, sizeof(Zeile));
            p += sizeof(Zeile);
        }
        if (anzahl > 0) std::memcpy(p, zeilen, sizeof(Zeile) * static_cast<size_t>(anzahl));
        return laenge;
    }
    // Restores a snapshot: the first row becomes the loaded one. A stand-in's
    // 4-byte 0 reads as empty; a count past the queue's room is cut.
    void entpacken(const void* puffer)
    {
        anzahl = 0;
        geladen = 0;
        if (!puffer) return;
        uint32_t n = 0;
        std::memcpy(&n, puffer, 4);
        if (n > static_cast<uint32_t>(SUP + 1)) n = SUP + 1;
        const auto* p = static_cast<const unsigned char*>(puffer) + 4;
        if (n == 0) return;
        std::memcpy(&aktuell, p, sizeof(Zeile));
        geladen = 1;
        anzahl = static_cast<int>(n) - 1;
        if (anzahl > 0) std::memcpy(zeilen, p + sizeof(Zeile), sizeof(Zeile) * static_cast<size_t>(anzahl));
    }
};
