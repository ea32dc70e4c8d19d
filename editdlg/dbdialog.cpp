// The frame of the editor's numbered dialogs; see dbdialog.h.
#include "editdlg/dbdialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "config/apstil.h"
#include "config/reaktion.h"
#include "config/verzeich.h"
#include "editdlg/bauliste.h"
#include "editdlg/einstell.h"
#include "editdlg/kleindlg.h"
#include "editdlg/element.h"
#include "editdlg/markier.h"
#include "editdlg/textdlg.h"
#include "editdlg/bmlisdlg.h"
#include "editdlg/bmtexte.h"
#include "editdlg/katdlg.h"
#include "editdlg/zuordnung.h"
#include "editdlg/vorschau.h"
#include "editor/edtaufrufe.h"
#include "editor/edtseite.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "model/befehl.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "platform/nachricht.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/wiwerk.h"

namespace {

// ---- Template module cache (invariants 1, 2) ---------------------------------------------------------
HMODULE dbModul = 0;
int dbCacheNk = -1;
int dbCacheWnk = -1;
int dbLadungen = 0;
const char* dbModulMuster = "eddb%d%d.dll";

// ---- Dialog table -------------------------------------------------------------------------------------
void dbBmlUmschalten() { EdtAufrufTabelle().BmlUmschalten(); }
void dbHauptZuordnen()
{
    ZuoNachholen();
    DB1350Oeffnen();
}
void dbUnterZuordnen()
{
    ZuoNachholen();
    DB1352Oeffnen();
}
void dbNichtZugewiesen()
{
    ZuoNachholen();
    DB1356Oeffnen();
}

DbDialogZeile dbTabelle[] = {
    {1010, "DB1010", DBEIGENSCHAFT, DB1010Oeffnen},
    {1011, "DB1011", DBEIGENSCHAFT, DB1011Oeffnen},
    {1012, "DB1012", nullptr, DB1012Oeffnen},
    {1100, "DB1100", DBEINSTELL, DB1100Oeffnen},
    {1101, "DB1101", DBEINSTELL, DB1101Oeffnen},
    {1102, "DB1102", DBEINSTELL, DB1102Oeffnen},
    {1103, "DB1103", DBEINSTELL, DB1103Oeffnen},
    {1104, "DB1104", DBEINSTELL, DB1104Oeffnen},
    {1105, "DB1105", DBEINSTELL, DB1105Oeffnen},
    {1110, "DB1110", nullptr, DB1110Oeffnen},
    {1111, "DB1111", DBEINSTELL, DB1111Oeffnen},
    {1112, "DB1112", nullptr, DB1112Oeffnen},
    {1200, "DB1200", DBGRDELEMENT, DB1200Oeffnen},
    {1201, "DB1201", nullptr, DB1201Oeffnen},
    {1202, "DB1202", nullptr, DB1202Oeffnen},
    {1203, "DB1203", DBGRDELEMENT, DB1203Oeffnen},
    {1205, "DB1205", nullptr, DB1205Oeffnen},
    {1206, "DB1206", DBGRDELEMENT, DB1206Oeffnen},
    {1207, "DB1207", DBGRDELEMENT, DB1207Oeffnen},
    {1208, "DB1208", DBGRDELEMENT, DB1208Oeffnen},
    {1209, "DB1209", DBGRDELEMENT, DB1209Oeffnen},
    {1211, "DB1211", DBGRDELEMENT, DB1211Oeffnen},
    {1220, "DB1220", DBGRDELEMENT, DB1220Oeffnen},
    {1221, "DB1221", DBGRDELEMENT, DB1221Oeffnen},
    {1222, "DB1222", DBGRDELEMENT, DB1222Oeffnen},
    {1223, "DB1223", DBGRDELEMENT, DB1223Oeffnen},
    {1224, "DB1224", DBGRDELEMENT, DB1224Oeffnen},
    {1230, "DB1230", DBMRKELEMENT, DB1230Oeffnen},
    {1231, "DB1231", nullptr, DB1231Oeffnen},
    {1240, "DB1240", nullptr, DB1240Oeffnen},
    {1300, "DB1300", DBMAKROREC, DB1300Oeffnen},
    {1310, "DB1310", DBMAKROREC, DB1310Oeffnen},
    {1311, "DB1311", DBMAKROREC, DB1311Oeffnen},
    {1321, "DB1321", DBMRKELEMENT, DB1321Oeffnen},
    {1322, "DB1322", DBMRKELEMENT, DB1322Oeffnen},
    {1350, "DB1350", DBBETRMITTEL, dbHauptZuordnen},
    {1351, "DB1351", DBBETRMITTEL, DB1351Oeffnen},
    {1352, "DB1352", DBBETRMITTEL, dbUnterZuordnen},
    {1353, nullptr, nullptr, dbBmlUmschalten},
    {1354, "DB1354", nullptr, DB1354Oeffnen},
    {1355, "DB1355", DBBETRMITTEL, DB1355Oeffnen},
    {1356, "DB1356", nullptr, dbNichtZugewiesen},
    {1359, "DB1359", DBBETRMITTEL, DB1359Oeffnen},
    {1361, "DB1361", DBBETRMITTEL, DB1361Oeffnen},
    {1362, "DB1362", DBBETRMITTEL, DB1362Oeffnen},
};
constexpr int DBTABELLE = static_cast<int>(sizeof dbTabelle / sizeof dbTabelle[0]);

DbDialogZeile* dbZeile(int nummer)
{
    for (DbDialogZeile& z : dbTabelle)
        if (z.nummer == nummer) return &z;
    return nullptr;
}

const DbDialogZeile* dbZeileVonName(const char* name)
{
    for (const DbDialogZeile& z : dbTabelle)
        if (z.vorlage != nullptr && std::strcmp(z.vorlage, name) == 0) return &z;
    return nullptr;
}

int dbFuellTiefe = 0;

// The family of the current dialog by its template name (generic procedures).
const char* dbFamilieAkt()
{
    char name[DLGNAMESUP + 1] = "";
    wiDlgName(name);
    const DbDialogZeile* z = dbZeileVonName(name);
    return z != nullptr ? z->familie : nullptr;
}

int dbGrundInit(int, const char* const*)
{
    wiDlgInstanzArt(1);  // the procedures are shared: one dialog per name
    DbDlgAnfang(dbFamilieAkt());
    return 0;
}

int dbGrundExit()
{
    DbDlgEnde(dbFamilieAkt());
    return 0;
}

}  // namespace

// ---- Template library ------------------------------------------------------------------------------

HMODULE DlgModulEddb(const char* name)
{
    if (name == nullptr || name[0] != 'D' || name[1] != 'B') return 0;
    // The settings reader clamps them; before it ran the block holds 0.
    const int nk = std::clamp(static_cast<int>(EdEinst()->nk), 1, 4);
    const int wnk = std::clamp(static_cast<int>(EdEinst()->wnk), 0, 1);
    if (dbModul != 0 && nk == dbCacheNk && wnk == dbCacheWnk) return dbModul;
    if (dbModul != 0) FreeLibrary(dbModul);
    dbCacheNk = nk;
    dbCacheWnk = wnk;
    char datei[40];
    std::snprintf(datei, sizeof datei, dbModulMuster, nk, wnk);
    char pfad[VERSUP + 24];
    PfadProgramm(pfad, sizeof pfad, datei);
    ++dbLadungen;
    dbModul = LoadLibrary(pfad);  // 0 when missing: the next request tries again
    return dbModul;
}

void EddbAnmelden()
{
    wiDlgModulSetzen(DlgModulEddb);
    EdHaken h;
    h.DBDialogOeffnen = DBDialogOeffnen;
    EdHakenSetzen(h);
    EdtAufrufe a;
    a.DBDialogOeffnen = DBDialogOeffnen;
    a.DB1231Oeffnen = DB1231Oeffnen;
    a.DB1345Oeffnen = DB1345Oeffnen;
    a.DB1312Oeffnen = DB1312Oeffnen;
    a.DB1006Oeffnen = DB1006Oeffnen;
    EdtAufrufeSetzen(a);
}

void EddbFreigeben()
{
    wiDlgModulSetzen(nullptr);
    if (dbModul != 0) FreeLibrary(dbModul);
    dbModul = 0;
    dbCacheNk = dbCacheWnk = -1;
    VscFrei();
}

int DbModulLadungen() { return dbLadungen; }

void DbModulMusterSetzen(const char* muster)
{
    dbModulMuster = muster != nullptr ? muster : "eddb%d%d.dll";
    if (dbModul != 0) FreeLibrary(dbModul);
    dbModul = 0;
    dbCacheNk = dbCacheWnk = -1;
}

// ---- Opening by number -------------------------------------------------------------------------------

void DBDialogOeffnen(int n)
{
    if (n < 1010 || n > 1362) return;
    const DbDialogZeile* z = dbZeile(n);
    if (z != nullptr && z->oeffnen != nullptr) z->oeffnen();
}

const DbDialogZeile* DbDialogTabelle(int* anzahl)
{
    if (anzahl != nullptr) *anzahl = DBTABELLE;
    return dbTabelle;
}

void (*DbOeffnerSetzen(int nummer, void (*f)()))()
{
    DbDialogZeile* z = dbZeile(nummer);
    if (z == nullptr) return nullptr;
    void (*alt)() = z->oeffnen;
    z->oeffnen = f;
    return alt;
}

// ---- Conventions -----------------------------------------------------------------------------------------

void DbDlgAnfang(const char* familie)
{
    // The picture buttons are set up by the dialog manager before every
    // init (wiGrbuAlleEinrichten), with their labels as tooltips.
    if (familie != nullptr)
        wiDlgPosLaden(familie);
    else
        wiDlgPosLadenAkt();
}

void DbDlgEnde(const char* familie)
{
    if (familie != nullptr)
        wiDlgPosSichern(familie);
    else
        wiDlgPosSichernAkt();
    wiTooltipsLoeschen();
    EdtFokus();
}

int DbEnter() { return wiGrbuAusloesen(); }

DbFuellen::DbFuellen() { ++dbFuellTiefe; }
DbFuellen::~DbFuellen() { --dbFuellTiefe; }
bool DbFuellt() { return dbFuellTiefe > 0; }

int DbAndererBefehl(int code, int bis)
{
    if (!BaubfAktiv()) return 0;
    const int c = BaubfCode();
    if (c == code || (bis > code && c >= code && c <= bis)) return 0;
    BaubfMeldung();
    return 1;
}

int DbGrundBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 1:
        if (DbEnter()) return 1;
        [[fallthrough]];
    case 2:
    case 2500:
    case 2501: wiDlgSchliessen(); return 1;
    default: return 0;
    }
}

int DbGrundOeffnen(const char* vorlage)
{
    return EdtDialogOeffnen(vorlage, dbGrundInit, dbGrundExit, DbGrundBefehl) != 0 ? 0 : -1;
}
