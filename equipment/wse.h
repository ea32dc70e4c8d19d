// Unassigned placements, section ")S Wse" of the equipment file: component
// symbols on drawings that belong to no item yet; and the derived lookup of
// every item's two group texts and its running number among items with the
// same group texts and identifier. Prefix `Wse`. Calls the store (bm),
// items (ges), components (btl), the header cache and titles (utitel),
// model (drawing keys), support.
#pragma once

#include <cstddef>
#include <cstdint>

struct BDAT;

inline constexpr int WSESUP = 1000;      // array; 999 entries
inline constexpr int WSENAMESUP = 20;    // name, drawing key

struct appwaise {
    char name[WSENAMESUP + 1];
    int32_t platziert;   // 1 placed, 2 moved in this command, 0 malformed
    double x, y;
    char ze[WSENAMESUP + 1];   // drawing key
};

void WseInit();
void WseFrei();
int WseGeaendert();
int WseAnzahl();
int WseAbschnittLesen(BDAT* d);
int WseAbschnittSchreiben(BDAT* d);   // 0, or -1 when a write failed
void WseZeileFormat(char* ziel, size_t kap, const appwaise* w);
void WseZeileParsen(appwaise* w, const char* zeile);
long WsePacken(void* puffer);   // null buffer: the size only
void WseEntpacken(const void* puffer);
void WseVerschieben(double dx, double dy);
typedef void (*WSEFN)(int i, const appwaise* w, void* benutzer);
void WseDurchlaufen(WSEFN fn, void* benutzer);
int WseNrHolen(int i, appwaise* w);   // 0, or -1 (zeroed)
void WseAnlegen(const appwaise* w);
void WseNrLoeschen(int i);
int WsePlatzFreigeben(const char* name, const char* zname, double x, double y);
int WsePlatzVerschieben(const char* name, const char* zname, double x, double y, double nx, double ny);
int WseUmbenennen(const char* name, const char* neu, const char* zname, double x, double y);
void WseMarkenBestaetigen();
void WseZeichnungEntfernen(const char* zname);
void WseZeichnungUmbenennen(const char* alt, const char* neu);

void WseCacheInit();
void WseCacheFrei();
void WseCacheLeeren();
// Group texts (outputs cut to kap - 1; empty for an unknown item).
void WseGruppenText1(uint32_t id, char* aus, size_t kap);
void WseGruppenText2(uint32_t id, char* aus, size_t kap);
int WseCacheLaufNr(uint32_t id);

