// The editor document and the recent files; see zeidok.h.
#include "editor/zeidok.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "config/inidatei.h"
#include "config/datwache.h"
#include "config/sperre.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "editor/befausf.h"
#include "editor/edmeld.h"
#include "editor/edkopf.h"
#include "editor/edtseite.h"
#include "editor/macro.h"
#include "editor/posring.h"
#include "equipment/app.h"
#include "equipment/bm.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/textvar.h"
#include "model/zeichnun.h"
#include "output/ansicht.h"
#include "output/guck.h"
#include "platform/menue.h"
#include "platform/winconst.h"
#include "output/druck.h"
#include "project/pvwliste.h"
#include "support/basis.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dateiwahl.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {

constexpr char ZD_NAMENLOS[] = "NAMENLOS";
constexpr char ZD_FRAGE[] = "\xC4nderungen speichern?";
constexpr char ZD_FILTER[] = "Alle Dateien|*.*||";

std::string zdName;
std::string zdOrdner;  // folder of the last load or save; empty: none or forgotten
int zdProjekt = 0;
int zdFormat = 117;
std::vector<std::string> zdHist;
int zdHistStand = 0;  // moves with every change of the recent files

bool zdTrenner(char c) { return c == '/' || c == '\\'; }

// The file part of a path.
const char* zdDateiTeil(const char* p)
{
    const char* t = p;
    for (const char* q = p; *q; ++q) {
        if (zdTrenner(*q)) t = q + 1;
    }
    return t;
}

bool zdGleich(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i] == b[i] || (zdTrenner(a[i]) && zdTrenner(b[i]))) continue;
        return false;
    }
    return true;
}

std::string zdSchraegstriche(std::string s)
{
    for (char& c : s) {
        if (c == '\\') c = '/';
    }
    return s;
}

// The view's sheet of the paper format (A3 lies landscape).
void zdBlatt()
{
    if (zdFormat == 117) AnsichtA4();
    else AnsichtA3();
}

// Yes with a name: saved under it; without one: a save dialog. 0 when saved.
// Only a question that could be cancelled lets the shell follow the folder.
int zdJaSpeichern(int abbruch)
{
    char pfad[WIDATEISUP + 1];
    if (!zdName.empty()) {
        strkopie(pfad, sizeof pfad, zdName.c_str(), WIDATEISUP);
    } else {
        strkopie(pfad, sizeof pfad, ZD_NAMENLOS, WIDATEISUP);
        if (!wiDateiSpeichern(pfad, "Zeichnung speichern", ZD_FILTER)) return -1;
    }
    return abbruch ? ZeiSpeichernUnter(pfad) : ZeiSpeichern(pfad);
}

// The project lock; true when another user holds it (the message shown).
bool zdSperreFehlt()
{
    PrjSperreSchalten(EdEinst()->sperre);
    if (PrjSperren() == 0) return false;
    char z1[PRJSPERRZEILESUP + 1], z2[PRJSPERRZEILESUP + 1];
    PrjSperreLesen(z1, z2);
    wiMeldung("Das Projekt ist bereits durch einen anderen Benutzer ge\xF6" "ffnet\nund zur Bearbeitung "
              "gesperrt!\n\nBenutzer: %s\nDatum: %s",
              z1, z2);
    // Closing the page without asking would lose a changed drawing: then
    // the page stays and only this load is refused.
    if (!TzIstGeaendert()) EdtBefehlPosten(1099);
    return true;
}

// The paper format from the file's header byte; the view's sheet follows it.
void zdFormatLesen(const char* pfad)
{
    ZeiDatei z;
    if (ZeiDateiLesend(&z, pfad) == 0) {
        zdFormat = ZeiFormat(&z) == BEF_ZA4 ? 117 : 116;
        ZeiDateiSchliessen(&z);
    }
    zdBlatt();
}

// The folder part of a path without its trailing separator ("" when none).
std::string zdOrdnerTeil(const char* pfad)
{
    std::string o(pfad, static_cast<size_t>(zdDateiTeil(pfad) - pfad));
    while (o.size() > 1 && zdTrenner(o.back())) o.pop_back();
    return o;
}

// Whether following the path's folder would switch the working folder.
bool zdOrdnerWechselt(const char* pfad)
{
    const std::string o = zdOrdnerTeil(pfad);
    if (o.empty() || o == zdOrdner) return false;
    std::error_code f;
    const std::filesystem::path voll = std::filesystem::absolute(o, f);
    if (f) return false;
    char ordner[DATVERZSUP];
    VerNormieren(ordner, sizeof ordner, voll.string().c_str());
    return std::strcmp(ordner, VerAktuell()) != 0;
}

// After a save the project's date follows the saved file: the setting
// EdDatumNeu 1 gives its time to the project's first drawing, 2 to every
// file of the project folder matching a blank-separated pattern of
// EdDatumNam.
void zdZeitenSetzen(const char* pfad)
{
    const EDEINST* e = EdEinst();
    if (e->datumneu != 1 && e->datumneu != 2) return;
    DATZEIT zeit;
    if (dateizeit(pfad, &zeit) != 0) return;
    char ziel[DATVERZSUP + 1];
    if (e->datumneu == 1) {
        char erste[PVWNAMESUP + 1];
        if (!PvwErsteZeichnung(erste, sizeof erste)) return;
        PfadProjekt(ziel, sizeof ziel, erste);
        if (dateizeitsetzen(ziel, &zeit) != 0) modh::StatusTextf("Kann Datum von %s nicht setzen.", ziel);
        return;
    }
    const std::string muster = e->datumnam;
    for (size_t a = muster.find_first_not_of(' '); a != std::string::npos; a = muster.find_first_not_of(' ', a)) {
        const size_t b = std::min(muster.find(' ', a), muster.size());
        PfadProjekt(ziel, sizeof ziel, muster.substr(a, b - a).c_str());
        verzlesennamen(
            ziel,
            [](int verzeichnis, const char* datei, void* z) {
                if (!verzeichnis && dateizeitsetzen(datei, static_cast<const DATZEIT*>(z)) != 0)
                    modh::StatusTextf("Kann Datum von %s nicht setzen.", datei);
                return 1;
            },
            &zeit);
        a = b;
    }
}

}  // namespace

void ZeiLeeren()
{
    TzLeeren();
    BefZustandInit();
    PosRingLeeren();
    WiederholLeeren();
    ZeiKopfLeeren();
    zdName.clear();
    zdFormat = EdEinst()->a3a4 == 't' ? 116 : 117;
    zdBlatt();
}

void ZeiNeu()
{
    ZeiLeeren();
    zdProjekt = 0;
}

int ZeiNeuNachFrage()
{
    if (!ZeiFrage(1)) return 0;
    ZeiNeu();
    return 1;
}

void ZeiPfadBilden(const char* name, char* pfad, size_t kap) { PfadProjekt(pfad, kap, name != nullptr ? name : ""); }

int ZeiOrdnerMerken(const char* pfad)
{
    const std::string ordner = zdOrdnerTeil(pfad != nullptr ? pfad : "");
    if (ordner.empty() || ordner == zdOrdner) return 0;
    zdOrdner = ordner;
    wiDebug("DateiVerzeichnis %s", ordner.c_str());
    VerUmschalten(pfad);
    return 1;
}

void ZeiOrdnerWechseln(const char* ordner)
{
    std::string o = ordner != nullptr ? ordner : "";
    while (o.size() > 1 && zdTrenner(o.back())) o.pop_back();
    if (o.empty()) return;
    const int attr = dosattrib(o.c_str());
    if (attr == DOSATTR_FEHLT || !(attr & DOSATTR_VERZEICHNIS)) {
        modh::StatusTextf("Ordner %s nicht gefunden.", o.c_str());
        return;
    }
    if (!ZeiFrage(1)) return;
    zdOrdner.clear();
    VerUmschalten((o + "/" + ZD_NAMENLOS).c_str());
}

int ZeiLaden(const char* name, int alsAktuell, int vorlage)
{
    char pfad[ZEINAMSUP + 1];
    ZeiPfadBilden(name, pfad, sizeof pfad);
    // Only a load as the current drawing of an empty editor names it.
    const bool benennen = zdName.empty() && alsAktuell;
    if (benennen) ZeiOrdnerMerken(pfad);
    if (zdSperreFehlt()) return -1;
    if (!ZeiIstZeichnung(zdDateiTeil(pfad))) {
        modh::StatusTextf("Unm\xF6glicher Zeichnungsname");
        return -1;
    }
    if (ZeiDateiPruefen(pfad) != 0) {
        modh::StatusTextf("Keine Zeichnungsdatei");
        return -1;
    }
    if (benennen) ZeiAktSetzen(pfad);  // the texts' variables read this drawing while it loads
    STT* akt = BefAktZustand();
    STT aus;
    if (TzLaden(pfad, akt, &aus, alsAktuell, vorlage, !vorlage) != 0) {
        // The drawing stays as it was: an unreadable file must not become
        // the name a later save would overwrite.
        modh::StatusTextf("Kann Zeichnung %s nicht lesen.", pfad);
        return -1;
    }
    ZustandSetzen(&aus);
    if (benennen) {
        zdName = zdSchraegstriche(name);
        ZeiAktSetzen(zdName.c_str());
        zdFormatLesen(pfad);
        ZeiAktuellMerken();
        TzGeaendertReset();
        ZeiAnsichtGanz();
        EdtOrdnerFolgen();
    }
    return 0;
}

void ZeiLadenNachFrage(const char* name, int alsAktuell)
{
    if (alsAktuell) {
        if (!ZeiFrage(1)) return;
        if (ZeiLaden(name, 1, 0) == 0) zdProjekt = 0;
    } else {
        ZeiLaden(name, 0, 0);
    }
}

void ZeiVorlageLaden(const char* name)
{
    if (!ZeiFrage(1)) return;
    ZeiLaden(name, 0, 1);
}

void ZeiOeffnenNachFrage(const char* name)
{
    if (!ZeiFrage(1)) return;
    ZeiLeeren();
    if (ZeiLaden(name, 1, 0) == 0) zdProjekt = 1;
}

int ZeiSpeichern(const char* name)
{
    char pfad[ZEINAMSUP + 1];
    ZeiPfadBilden(name, pfad, sizeof pfad);
    // Following another folder loads that project's equipment data: what
    // this project's holds goes to its own files first.
    if (zdOrdnerWechselt(pfad)) BMListenSpeichern(1);
    ZeiOrdnerMerken(pfad);
    if (TzSpeichern(pfad, BefStartZustand(), BefAktZustand(), 1) != 0) return -1;
    zdName = zdSchraegstriche(name);
    ZeiAktuellMerken();
    TzGeaendertReset();
    // The equipment data goes with the drawing: nothing else writes it
    // before the program ends, and the end discards what is in memory.
    BMListenSpeichern(1);
    zdZeitenSetzen(pfad);
    wiSeiteVerteilen(2998, 9);
    return 0;
}

int ZeiSpeichernUnter(const char* name)
{
    if (ZeiSpeichern(name) != 0) return -1;
    EdtOrdnerFolgen();
    return 0;
}

int ZeiFrage(int abbruch)
{
    for (;;) {
        if (!TzIstGeaendert()) return 1;
        // The queue waits while the box is open.
        int a = EdFrage(ZD_FRAGE, abbruch ? MB_YESNOCANCEL : MB_YESNO);
        if (a == IDNO) {
            // The equipment edits go with the drawing's; the lists shown
            // elsewhere hear of it as of any change.
            BMListenSpeichern(0);
            AppGeaendert(0, 1);
            TzGeaendertReset();
            return 1;
        }
        if (a != IDYES) {
            if (!abbruch) continue;  // a yes/no question cannot be cancelled
            BefLeeren();
            return 0;
        }
        if (zdJaSpeichern(abbruch) == 0) return 1;
        // Yes, but nothing was saved: the caller would discard the drawing.
        if (abbruch) {
            BefLeeren();
            return 0;
        }
    }
}

int ZeiFrageSpeichern() { return ZeiFrage(1); }
int ZeiFrageSpeichernOhneAbbruch() { return ZeiFrage(0); }
void ZeiFrageJaNein() { ZeiFrage(0); }
int ZeiIstGeaendert() { return TzIstGeaendert(); }
void EdtFormatSetzen(int format)
{
    if (format != 116 && format != 117) return;
    zdFormat = format;
    zdBlatt();
}
int EdtFormat() { return zdFormat; }
const char* ZeiName() { return zdName.c_str(); }
int ZeiProjektZeichnung() { return zdProjekt; }
void ZeiProjektZeichnungSetzen(int flag) { zdProjekt = flag ? 1 : 0; }

void ZeiDrucken()
{
    // Messages arriving while the job runs reach only the page's own cases,
    // and the drawing window does not paint into the job.
    EdtHandlerSperren(1);
    GuckMalenSperren(1);
    bool ok = true;
    if (DruckStart()) {
        int paesse = DruckSatzAnzahl() > 0 ? DruckSatzAnzahl() : 1;
        for (int i = 0; i < paesse && ok; ++i) ok = ZeichnungDrucken(zdDateiTeil(zdName.c_str())) == 0;
        DruckEnde();
    }
    GuckMalenSperren(0);
    EdtHandlerSperren(0);
    if (!ok) wiMeldung("Fehler bei der Verarbeitung von %s", zdName.c_str());
}

// ---- recent files

void DateiHistorieLaden()
{
    zdHist.clear();
    for (int n = FILHISTSUP - 1; n >= 0; --n) {
        char schluessel[32], wert[ZEINAMSUP + 1];
        snprintf(schluessel, sizeof schluessel, "FileHistory%d", n);
        ProfilLesen("ZVKEdit", schluessel, wert, ZEINAMSUP);
        PfadPlatzhalter(wert);
        if (wert[0]) DateiHistorieMerken(wert);
    }
}

void DateiHistorieMerken(const char* name)
{
    if (name == nullptr || name[0] == 0) return;
    const char* datei = zdDateiTeil(name);
    if (datei[0] == 0 || std::strcmp(datei, ZD_NAMENLOS) == 0) return;
    std::string neu = zdSchraegstriche(name);
    for (size_t i = 0; i < zdHist.size(); ++i) {
        if (zdGleich(zdHist[i], neu)) {
            zdHist.erase(zdHist.begin() + static_cast<long>(i));
            break;
        }
    }
    zdHist.insert(zdHist.begin(), neu);
    if (zdHist.size() > FILHISTSUP) zdHist.resize(FILHISTSUP);
    ++zdHistStand;
}

void DateiHistorieSichern()
{
    for (size_t n = 0; n < FILHISTSUP; ++n) {
        char schluessel[32];
        snprintf(schluessel, sizeof schluessel, "FileHistory%zu", n);
        ProfilSchreiben("ZVKEdit", schluessel, n < zdHist.size() ? zdHist[n].c_str() : "");
    }
}

void DateiHistorieMenue(HMENU menu)
{
    if (menu == 0) return;
    for (int i = 0; i < FILHISTSUP; ++i) RemoveMenu(menu, ZEIHISTID + i, MF_BYCOMMAND);
    // Above "Beenden" when the menu has it, else at its end.
    bool beenden = false;
    for (int p = 0; p < GetMenuItemCount(menu); ++p) beenden = beenden || GetMenuItemID(menu, p) == 1998;
    for (size_t i = 0; i < zdHist.size(); ++i) {
        char text[ZEINAMSUP + 16];
        snprintf(text, sizeof text, "&%zu %s", i, zdHist[i].c_str());
        if (beenden) InsertMenu(menu, 1998, MF_BYCOMMAND | MF_STRING, ZEIHISTID + i, text);
        else AppendMenu(menu, MF_STRING, ZEIHISTID + i, text);
    }
}

void DateiHistorieName(int id, char* aus, size_t kap)
{
    int i = id - ZEIHISTID;
    const char* n = i >= 0 && i < static_cast<int>(zdHist.size()) ? zdHist[static_cast<size_t>(i)].c_str() : "";
    strkopie(aus, kap, n, static_cast<int>(kap) - 1);
}

int DateiHistorieAnzahl() { return static_cast<int>(zdHist.size()); }
int DateiHistorieStand() { return zdHistStand; }

// The list keeps the full path: a sheet opened by its bare name from the
// project page is the same file as the one opened through the file chooser,
// and a bare name would open another project's sheet after a folder change.
void ZeiAktuellMerken()
{
    char pfad[ZEINAMSUP + 1];
    ZeiPfadBilden(zdName.c_str(), pfad, sizeof pfad);
    DateiHistorieMerken(pfad);
}

void ZeiHakenSetzen()
{
    EdHaken h;
    h.EditorZeiName = ZeiName;
    h.ZeiFrageSpeichern = ZeiFrageSpeichern;
    h.ZuletztGeoeffnet = [](int n, char* aus, size_t kap) { DateiHistorieName(ZEIHISTID + n, aus, kap); };
    EdHakenSetzen(h);
    ZeiKopfHakenSetzen();
}
