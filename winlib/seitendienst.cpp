// The frame's services for the pages: one table of function pointers filled
// by frame/ at start, stand-ins until then. Prefix `wiSeite`. May call
// platform/ and the frame record.
#include "winlib/seitendienst.h"

#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dienst.h"
#include "winlib/anwdaten.h"
#include "config/datwache.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"

namespace {

void wiSeiteNichts(HWND) {}
void wiSeiteModusNichts(int) {}
void wiSeitePostNichts(int, LPARAM) {}
void wiSeitePostHaupt(int id, LPARAM lp)
{
    if (anwHauptfenster()) PostMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), lp);
}

int wiSeiteKeinModus() { return 0; }
void wiSeitePfadNichts(const char*) {}
void wiSeiteGruppeNichts(const char*) {}

const WiSeitenDienst wiSeiteErsatz = {wiSeiteNichts,      wiSeiteNichts,    wiSeiteModusNichts,
                                      wiSeitePostNichts,  wiSeitePostHaupt, wiSeiteModusNichts,
                                      wiSeiteKeinModus,   wiSeitePfadNichts, wiSeiteGruppeNichts};
WiSeitenDienst wiSeiteTab = wiSeiteErsatz;

}  // namespace

void wiSeitenDienstSetzen(const WiSeitenDienst& d)
{
    using D = WiSeitenDienst;
    DienstUebernehmen(wiSeiteTab, d, wiSeiteErsatz, &D::anmelden, &D::abmelden, &D::modusSetzen, &D::verteilen,
                      &D::hauptPost, &D::modusUmschalten, &D::modus, &D::umschaltenAuf, &D::gruppeEditieren);
}

void wiSeitenDienstZuruecksetzen() { wiSeiteTab = wiSeiteErsatz; }

void wiSeiteAnmelden(HWND seite) { wiSeiteTab.anmelden(seite); }
void wiSeiteAbmelden(HWND seite) { wiSeiteTab.abmelden(seite); }
void wiSeiteModus(int modus) { wiSeiteTab.modusSetzen(modus); }
void wiSeiteVerteilen(int id, LPARAM lp) { wiSeiteTab.verteilen(id, lp); }
void wiSeiteHauptPost(int id, LPARAM lp) { wiSeiteTab.hauptPost(id, lp); }
void wiSeiteUmschalten(int modus) { wiSeiteTab.modusUmschalten(modus); }
int wiSeiteModusHolen() { return wiSeiteTab.modus(); }
void wiSeiteUmschaltenAuf(const char* pfad) { wiSeiteTab.umschaltenAuf(pfad); }
void wiSeiteGruppeEditieren(const char* gruppe) { wiSeiteTab.gruppeEditieren(gruppe); }

void wiSeiteAktivieren(HWND seite)
{
    EnableWindow(seite, TRUE);
    ShowWindow(seite, SW_SHOW);
    BringWindowToTop(seite);
    SetActiveWindow(seite);
    DatNeuPruefen(1);
    PostMessage(seite, WM_COMMAND, 2580, 0);
}
