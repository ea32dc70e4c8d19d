// The frame's services for the pages: one table of function pointers filled
// by frame/ at start, stand-ins until then. Prefix `wiSeite`. May call
// platform/ and the frame record.
#include "winlib/seitendienst.h"

#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"

namespace {

void wiSeiteNichts(HWND) {}
void wiSeiteModusNichts(int) {}
void wiSeitePostNichts(int, LPARAM) {}
void wiSeitePostHaupt(int id, LPARAM lp)
{
    if (anwHauptfenster()) PostMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), lp);
}

void wiSeiteGruppeNichts(const char*) {}

const WiSeitenDienst wiSeiteErsatz = {wiSeiteNichts, wiSeiteNichts, wiSeiteModusNichts, wiSeitePostNichts,
                                      wiSeitePostHaupt, wiSeiteGruppeNichts, wiSeiteModusNichts};
WiSeitenDienst wiSeiteTab = wiSeiteErsatz;

}  // namespace

void wiSeitenDienstSetzen(const WiSeitenDienst& d)
{
    wiSeiteTab.anmelden = d.anmelden ? d.anmelden : wiSeiteErsatz.anmelden;
    wiSeiteTab.abmelden = d.abmelden ? d.abmelden : wiSeiteErsatz.abmelden;
    wiSeiteTab.modusSetzen = d.modusSetzen ? d.modusSetzen : wiSeiteErsatz.modusSetzen;
    wiSeiteTab.verteilen = d.verteilen ? d.verteilen : wiSeiteErsatz.verteilen;
    wiSeiteTab.hauptPost = d.hauptPost ? d.hauptPost : wiSeiteErsatz.hauptPost;
    wiSeiteTab.gruppeEditieren = d.gruppeEditieren ? d.gruppeEditieren : wiSeiteErsatz.gruppeEditieren;
    wiSeiteTab.umschalten = d.umschalten ? d.umschalten : wiSeiteErsatz.umschalten;
}

void wiSeitenDienstZuruecksetzen() { wiSeiteTab = wiSeiteErsatz; }

void wiSeiteAnmelden(HWND seite) { wiSeiteTab.anmelden(seite); }
void wiSeiteAbmelden(HWND seite) { wiSeiteTab.abmelden(seite); }
void wiSeiteModus(int modus) { wiSeiteTab.modusSetzen(modus); }
void wiSeiteVerteilen(int id, LPARAM lp) { wiSeiteTab.verteilen(id, lp); }
void wiSeiteHauptPost(int id, LPARAM lp) { wiSeiteTab.hauptPost(id, lp); }
void wiSeiteGruppeEditieren(const char* gruppe) { wiSeiteTab.gruppeEditieren(gruppe); }
void wiSeiteUmschalten(int modus) { wiSeiteTab.umschalten(modus); }
