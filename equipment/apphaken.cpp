// Service table of the work layer's neighbours (see apphaken.h). Prefix
// `AppHaken`.
#include "equipment/apphaken.h"

#include <cstring>

#include "equipment/app.h"
#include "equipment/wse.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "support/texte.h"

namespace {

long AppHakenFlagPacken(void* puffer)
{
    if (puffer != nullptr) {
        const int32_t flag = 0;
        std::memcpy(puffer, &flag, sizeof flag);
    }
    return static_cast<long>(sizeof(int32_t));
}

void AppHakenFlagEntpacken(const void* puffer)
{
    int32_t flag = 0;
    if (puffer != nullptr) std::memcpy(&flag, puffer, sizeof flag);
    (void)flag;
}

void AppHakenInfo(const BEF* b, const STT* s)
{
    appwaise w{};
    strkopie(w.name, b->text, WSENAMESUP);
    w.platziert = 1;
    w.x = s->x;
    w.y = s->y;
    ZeiExtHolen(AppZeiName(), w.ze);
    WseAnlegen(&w);
    AppGeaendert(0, 1);
}

AppHaken AppHakenStandIns()
{
    AppHaken h;
    h.DB1350Wartet = [](const char*) { return 0; };
    h.DB1350Zuordnen = [](const BEF*, const STT*) {};
    h.DB1350Entfernen = [](const char*, double, double) {};
    h.DB1350Verschieben = [](const char*, double, double, double, double) {};
    h.DB1350Umbenennen = [](const char*, const char*, double, double) {};
    h.DB1350Packen = AppHakenFlagPacken;
    h.DB1350Entpacken = AppHakenFlagEntpacken;
    h.DB1352Wartet = [](const char*) { return 0; };
    h.DB1352Zuordnen = [](const BEF*, const STT*) {};
    h.DB1352Entfernen = [](const char*, double, double) {};
    h.DB1352Verschieben = [](const char*, double, double, double, double) {};
    h.DB1352Umbenennen = [](const char*, const char*, double, double) {};
    h.DB1352Packen = AppHakenFlagPacken;
    h.DB1352Entpacken = AppHakenFlagEntpacken;
    h.DB1354Anlegen = [](uint32_t, const char*, int, const BEF*, const STT*) {};
    h.DB1354Packen = AppHakenFlagPacken;
    h.DB1354Entpacken = AppHakenFlagEntpacken;
    h.DB1361Packen = AppHakenFlagPacken;
    h.DB1361Entpacken = AppHakenFlagEntpacken;
    h.InfoZuordnen = AppHakenInfo;
    h.TexteLoeschen = [](const BEF*, const STT*, int) {};
    h.ZeichnungName = [] { return ZeiAktName(); };
    return h;
}

AppHaken appHaken = AppHakenStandIns();

template <typename T> void AppHakenNehmen(T& ziel, T quelle)
{
    if (quelle != nullptr) ziel = quelle;
}

}  // namespace

const AppHaken& AppHakenTabelle() { return appHaken; }

void AppHakenSetzen(const AppHaken& h)
{
    AppHakenNehmen(appHaken.DB1350Wartet, h.DB1350Wartet);
    AppHakenNehmen(appHaken.DB1350Zuordnen, h.DB1350Zuordnen);
    AppHakenNehmen(appHaken.DB1350Entfernen, h.DB1350Entfernen);
    AppHakenNehmen(appHaken.DB1350Verschieben, h.DB1350Verschieben);
    AppHakenNehmen(appHaken.DB1350Umbenennen, h.DB1350Umbenennen);
    AppHakenNehmen(appHaken.DB1350Packen, h.DB1350Packen);
    AppHakenNehmen(appHaken.DB1350Entpacken, h.DB1350Entpacken);
    AppHakenNehmen(appHaken.DB1352Wartet, h.DB1352Wartet);
    AppHakenNehmen(appHaken.DB1352Zuordnen, h.DB1352Zuordnen);
    AppHakenNehmen(appHaken.DB1352Entfernen, h.DB1352Entfernen);
    AppHakenNehmen(appHaken.DB1352Verschieben, h.DB1352Verschieben);
    AppHakenNehmen(appHaken.DB1352Umbenennen, h.DB1352Umbenennen);
    AppHakenNehmen(appHaken.DB1352Packen, h.DB1352Packen);
    AppHakenNehmen(appHaken.DB1352Entpacken, h.DB1352Entpacken);
    AppHakenNehmen(appHaken.DB1354Anlegen, h.DB1354Anlegen);
    AppHakenNehmen(appHaken.DB1354Packen, h.DB1354Packen);
    AppHakenNehmen(appHaken.DB1354Entpacken, h.DB1354Entpacken);
    AppHakenNehmen(appHaken.DB1361Packen, h.DB1361Packen);
    AppHakenNehmen(appHaken.DB1361Entpacken, h.DB1361Entpacken);
    AppHakenNehmen(appHaken.InfoZuordnen, h.InfoZuordnen);
    AppHakenNehmen(appHaken.TexteLoeschen, h.TexteLoeschen);
    AppHakenNehmen(appHaken.ZeichnungName, h.ZeichnungName);
}

void AppHakenStandard() { appHaken = AppHakenStandIns(); }

int DB1350Wartet(const char* n) { return appHaken.DB1350Wartet(n); }
void DB1350Zuordnen(const BEF* b, const STT* s) { appHaken.DB1350Zuordnen(b, s); }
void DB1350Entfernen(const char* n, double x, double y) { appHaken.DB1350Entfernen(n, x, y); }
void DB1350Verschieben(const char* n, double x, double y, double nx, double ny) { appHaken.DB1350Verschieben(n, x, y, nx, ny); }
void DB1350Umbenennen(const char* n, const char* neu, double x, double y) { appHaken.DB1350Umbenennen(n, neu, x, y); }
long DB1350Packen(void* p) { return appHaken.DB1350Packen(p); }
void DB1350Entpacken(const void* p) { appHaken.DB1350Entpacken(p); }
int DB1352Wartet(const char* n) { return appHaken.DB1352Wartet(n); }
void DB1352Zuordnen(const BEF* b, const STT* s) { appHaken.DB1352Zuordnen(b, s); }
void DB1352Entfernen(const char* n, double x, double y) { appHaken.DB1352Entfernen(n, x, y); }
void DB1352Verschieben(const char* n, double x, double y, double nx, double ny) { appHaken.DB1352Verschieben(n, x, y, nx, ny); }
void DB1352Umbenennen(const char* n, const char* neu, double x, double y) { appHaken.DB1352Umbenennen(n, neu, x, y); }
long DB1352Packen(void* p) { return appHaken.DB1352Packen(p); }
void DB1352Entpacken(const void* p) { appHaken.DB1352Entpacken(p); }
void DB1354Anlegen(uint32_t id, const char* n, int nr, const BEF* b, const STT* s) { appHaken.DB1354Anlegen(id, n, nr, b, s); }
long DB1354Packen(void* p) { return appHaken.DB1354Packen(p); }
void DB1354Entpacken(const void* p) { appHaken.DB1354Entpacken(p); }
long DB1361Packen(void* p) { return appHaken.DB1361Packen(p); }
void DB1361Entpacken(const void* p) { appHaken.DB1361Entpacken(p); }
void InfoZuordnen(const BEF* b, const STT* s) { appHaken.InfoZuordnen(b, s); }
void TexteLoeschen(const BEF* b, const STT* s, int flag) { appHaken.TexteLoeschen(b, s, flag); }
const char* AppZeiName() { return appHaken.ZeichnungName(); }
