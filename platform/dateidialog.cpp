// Common dialogs: open/save, folder chooser, print dialog; see dateidialog.h.
// Prefix `dd` for file helpers. Calls the backend seam, the message boxes,
// the printing module, global memory and the file-system boundary.
#include "platform/dateidialog.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>

#include "platform/backend.h"
#include "platform/dateisys.h"
#include "platform/fenster.h"
#include "platform/globalmem.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"

struct ITEMIDLIST {
    char pfad[MAX_PATH];
};

namespace {

// A queued answer: nullopt-like `abbruch` for "cancelled".
struct DdAntwort {
    bool abbruch;
    std::string text;  // a path, or folder '\0' name '\0' name ...
};
std::deque<DdAntwort> ddSkript;
std::vector<plDateiDialogFrage> ddFragenListe;
DWORD ddFehler = 0;
std::deque<plDruckEinstellung> ddDruckSkript;
plDruckDialogFn ddDruckNativ = nullptr;
std::string ddAuswahl;  // BFFM_SETSELECTION of the folder chooser now asking

bool ddHolen(const plDateiDialogAuftrag& a, std::string* ergebnis)
{
    if (!ddSkript.empty()) {
        DdAntwort w = ddSkript.front();
        ddSkript.pop_front();
        if (w.abbruch) return false;
        *ergebnis = w.text;
        return true;
    }
    return plBeDateiDialog(&a, ergebnis) == 1;
}

std::string ddSchraegstriche(std::string s)
{
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

bool ddDa(const std::string& pfad, bool ordner)
{
    struct stat st;
    if (plDsStat(pfad.c_str(), &st) != 0) return false;
    return ordner ? S_ISDIR(st.st_mode) : true;
}

std::string ddOrdnerTeil(const std::string& p)
{
    size_t s = p.rfind('/');
    if (s == std::string::npos) return std::string();
    return s == 0 ? std::string("/") : p.substr(0, s);
}

std::string ddNameTeil(const std::string& p)
{
    size_t s = p.rfind('/');
    return s == std::string::npos ? p : p.substr(s + 1);
}

std::string ddVerbinden(const std::string& ordner, const std::string& name)
{
    if (ordner.empty()) return name;
    return ordner.back() == '/' ? ordner + name : ordner + "/" + name;
}

// "a\0b\0c\0d\0\0" to "a|b|c|d|".
std::string ddFilter(LPCSTR f)
{
    std::string aus;
    if (!f) return aus;
    while (*f) {
        aus += f;
        aus += '|';
        f += std::strlen(f) + 1;
    }
    return aus;
}

// Refuses an answer that the flags do not allow (telling the user why);
// true when it may stand.
bool ddPruefen(const OPENFILENAME* ofn, bool speichern, const std::string& pfad, const char* titel)
{
    HWND besitzer = IsWindow(ofn->hwndOwner) ? ofn->hwndOwner : 0;
    std::string ordner = ddOrdnerTeil(pfad);
    if ((ofn->Flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && !ordner.empty() && !ddDa(ordner, true)) {
        std::string t = pfad + "\nDer Pfad ist nicht vorhanden.\n\xDC" "berpr\xFC" "fen Sie den Pfad.";
        MessageBox(besitzer, t.c_str(), titel, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    bool da = ddDa(pfad, false);
    if ((ofn->Flags & OFN_FILEMUSTEXIST) && !da) {
        std::string t = pfad + "\nDatei nicht gefunden.\n\xDC" "berpr\xFC" "fen Sie den Dateinamen.";
        MessageBox(besitzer, t.c_str(), titel, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (speichern && (ofn->Flags & OFN_OVERWRITEPROMPT) && da) {
        std::string t = pfad + " ist bereits vorhanden.\nM\xF6" "chten Sie die Datei ersetzen?";
        if (MessageBox(besitzer, t.c_str(), titel, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return false;
    }
    return true;
}

std::string ddMitEndung(const std::string& pfad, LPCSTR endung)
{
    if (!endung || !*endung) return pfad;
    std::string name = ddNameTeil(pfad);
    if (name.empty() || name.find('.') != std::string::npos) return pfad;
    return pfad + "." + endung;
}

BOOL ddDateiDialog(OPENFILENAME* ofn, bool speichern)
{
    ddFehler = 0;
    if (!ofn || !ofn->lpstrFile || ofn->nMaxFile == 0) {
        ddFehler = CDERR_STRUCTSIZE;
        return FALSE;
    }
    std::string anfang = ddSchraegstriche(std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile)));
    std::string ordner = ddOrdnerTeil(anfang), name = ddNameTeil(anfang);
    if (ordner.empty() && ofn->lpstrInitialDir && *ofn->lpstrInitialDir)
        ordner = ddSchraegstriche(ofn->lpstrInitialDir);
    if (ordner.empty()) plDsAktuell(&ordner);
    std::string filter = ddFilter(ofn->lpstrFilter);
    bool mehrere = (ofn->Flags & OFN_ALLOWMULTISELECT) != 0;
    ddFragenListe.push_back(plDateiDialogFrage{speichern ? 1 : 0, ofn->lpstrTitle ? ofn->lpstrTitle : "", filter,
                                               ordner, name, ofn->lpstrDefExt ? ofn->lpstrDefExt : "", mehrere,
                                               ofn->Flags});
    plDateiDialogAuftrag a{speichern ? 1 : 0,
                           ofn->hwndOwner,
                           ofn->lpstrTitle,
                           filter.c_str(),
                           static_cast<int>(ofn->nFilterIndex ? ofn->nFilterIndex : 1),
                           ordner.c_str(),
                           name.c_str(),
                           ofn->lpstrDefExt,
                           mehrere};
    const char* titel = ofn->lpstrTitle ? ofn->lpstrTitle : (speichern ? "Speichern unter" : "\xD6" "ffnen");
    for (;;) {
        std::string antwort;
        if (!ddHolen(a, &antwort)) return FALSE;
        // Several names: the folder, then the names, '\0' between.
        std::vector<std::string> teile;
        size_t p = 0;
        while (p <= antwort.size()) {
            size_t e = antwort.find('\0', p);
            if (e == std::string::npos) e = antwort.size();
            if (e > p) teile.push_back(antwort.substr(p, e - p));
            p = e + 1;
        }
        if (teile.empty()) return FALSE;
        std::vector<std::string> pfade;
        if (teile.size() == 1) {
            pfade.push_back(ddMitEndung(ddSchraegstriche(teile[0]), ofn->lpstrDefExt));
        } else {
            for (size_t i = 1; i < teile.size(); ++i) pfade.push_back(ddVerbinden(ddSchraegstriche(teile[0]), teile[i]));
        }
        if (!mehrere && pfade.size() > 1) pfade.resize(1);
        bool gut = true;
        for (const std::string& pf : pfade)
            if (!(gut = ddPruefen(ofn, speichern, pf, titel))) break;
        if (!gut) continue;

        std::string aus;
        WORD offset = 0;
        if (pfade.size() == 1) {
            aus = pfade[0];
            offset = static_cast<WORD>(aus.size() - ddNameTeil(aus).size());
            aus += '\0';
        } else {
            aus = ddSchraegstriche(teile[0]);
            offset = static_cast<WORD>(aus.size() + 1);
            aus += '\0';
            for (size_t i = 1; i < teile.size(); ++i) {
                aus += teile[i];
                aus += '\0';
            }
        }
        aus += '\0';
        if (aus.size() > ofn->nMaxFile) {
            ddFehler = FNERR_BUFFERTOOSMALL;
            if (ofn->nMaxFile >= 2) {
                WORD noetig = static_cast<WORD>(std::min<size_t>(aus.size(), 0xFFFF));
                std::memcpy(ofn->lpstrFile, &noetig, 2);
            }
            return FALSE;
        }
        std::memcpy(ofn->lpstrFile, aus.data(), aus.size());
        ofn->nFileOffset = offset;
        std::string erster = ddNameTeil(pfade[0]);
        size_t punkt = erster.rfind('.');
        ofn->nFileExtension =
            pfade.size() == 1 && punkt != std::string::npos ? static_cast<WORD>(offset + punkt + 1) : 0;
        if (ofn->lpstrFileTitle && ofn->nMaxFileTitle) {
            size_t n = std::min<size_t>(erster.size(), ofn->nMaxFileTitle - 1);
            std::memcpy(ofn->lpstrFileTitle, erster.data(), n);
            ofn->lpstrFileTitle[n] = '\0';
        }
        if (!(ofn->Flags & OFN_NOCHANGEDIR)) {
            std::string o = pfade.size() == 1 ? ddOrdnerTeil(pfade[0]) : ddSchraegstriche(teile[0]);
            if (!o.empty()) plDsWechseln(o.c_str());
        }
        return TRUE;
    }
}

LRESULT ddOrdnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == BFFM_SETSELECTION) {
        if (wp && lp) ddAuswahl = ddSchraegstriche(reinterpret_cast<const char*>(lp));
        return 0;
    }
    return DefWindowProc(h, msg, wp, lp);
}

}  // namespace

BOOL GetOpenFileName(OPENFILENAME* ofn)
{
    return ddDateiDialog(ofn, false);
}

BOOL GetSaveFileName(OPENFILENAME* ofn)
{
    return ddDateiDialog(ofn, true);
}

DWORD CommDlgExtendedError()
{
    return ddFehler;
}

LPITEMIDLIST SHBrowseForFolder(BROWSEINFO* bi)
{
    if (!bi) return nullptr;
    WNDCLASS wc{};
    if (!GetClassInfo(0, "velmo.ordnerwahl", &wc)) {
        wc.lpfnWndProc = ddOrdnerProc;
        wc.lpszClassName = "velmo.ordnerwahl";
        RegisterClass(&wc);
    }
    ddAuswahl.clear();
    HWND h = CreateWindowEx(0, "velmo.ordnerwahl", bi->lpszTitle ? bi->lpszTitle : "", WS_POPUP, 0, 0, 1, 1,
                            IsWindow(bi->hwndOwner) ? bi->hwndOwner : 0, 0, 0, nullptr);
    // The browser reports that it is up; the callback may preselect a folder.
    if (h && bi->lpfn) bi->lpfn(h, BFFM_INITIALIZED, 0, bi->lParam);
    std::string ordner = ddAuswahl;
    if (ordner.empty()) plDsAktuell(&ordner);
    ddFragenListe.push_back(plDateiDialogFrage{2, bi->lpszTitle ? bi->lpszTitle : "", "", ordner, "", "", false,
                                               bi->ulFlags});
    plDateiDialogAuftrag a{2, bi->hwndOwner, bi->lpszTitle, nullptr, 1, ordner.c_str(), nullptr, nullptr, false};
    LPITEMIDLIST ergebnis = nullptr;
    for (;;) {
        std::string antwort;
        if (!ddHolen(a, &antwort)) break;
        antwort = ddSchraegstriche(antwort.substr(0, antwort.find('\0')));
        if (antwort.size() >= MAX_PATH || !ddDa(antwort, true)) {
            std::string t = antwort + "\nDer Ordner ist nicht vorhanden.";
            MessageBox(IsWindow(bi->hwndOwner) ? bi->hwndOwner : 0, t.c_str(), bi->lpszTitle, MB_OK | MB_ICONEXCLAMATION);
            continue;
        }
        ergebnis = static_cast<LPITEMIDLIST>(std::calloc(1, sizeof(ITEMIDLIST)));
        if (!ergebnis) break;
        std::memcpy(ergebnis->pfad, antwort.c_str(), antwort.size() + 1);
        if (bi->pszDisplayName) {
            std::string n = ddNameTeil(antwort);
            size_t k = std::min<size_t>(n.size(), MAX_PATH - 1);
            std::memcpy(bi->pszDisplayName, n.data(), k);
            bi->pszDisplayName[k] = '\0';
        }
        break;
    }
    if (h) DestroyWindow(h);
    return ergebnis;
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR path)
{
    if (!path) return FALSE;
    path[0] = '\0';
    if (!pidl) return FALSE;
    std::memcpy(path, pidl->pfad, strnlen(pidl->pfad, MAX_PATH - 1) + 1);
    path[MAX_PATH - 1] = '\0';
    return TRUE;
}

void CoTaskMemFree(LPVOID p)
{
    std::free(p);
}

BOOL PrintDlg(PRINTDLG* pd)
{
    ddFehler = 0;
    if (!pd) return FALSE;
    plDruckEinstellung e;
    if (pd->hDevMode) {
        if (auto* dm = static_cast<DEVMODE*>(GlobalLock(pd->hDevMode))) {
            plDruckAusDevmode(*dm, e);
            GlobalUnlock(pd->hDevMode);
        }
    }
    if (pd->nCopies > 0) e.kopien = pd->nCopies;
    if (pd->Flags & PD_COLLATE) e.sortiert = true;
    if (!(pd->Flags & PD_RETURNDEFAULT)) {
        if (!ddDruckSkript.empty()) {
            plDruckEinstellung a = ddDruckSkript.front();
            ddDruckSkript.pop_front();
            e = a;
        } else if (!ddDruckNativ || ddDruckNativ(pd->hwndOwner, &e) != 1) {
            return FALSE;
        }
    }
    if (!pd->hDevMode) pd->hDevMode = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVMODE));
    if (auto* dm = static_cast<DEVMODE*>(GlobalLock(pd->hDevMode))) {
        plDruckNachDevmode(e, *dm);
        GlobalUnlock(pd->hDevMode);
    }
    pd->nCopies = static_cast<WORD>(std::clamp(e.kopien, 1, 9999));
    if (e.sortiert)
        pd->Flags |= PD_COLLATE;
    else
        pd->Flags &= ~static_cast<DWORD>(PD_COLLATE);
    pd->hDC = 0;
    if (pd->Flags & PD_RETURNDC) {
        if (e.datei.empty()) e.datei = plOrtTemp() + "/druck.pdf";
        pd->hDC = plDruckerDcErzeugen(e);
        if (!pd->hDC) return FALSE;
    }
    return TRUE;
}

void plDateiDialogAntwort(const char* pfad)
{
    if (!pfad || !*pfad)
        ddSkript.push_back(DdAntwort{true, std::string()});
    else
        ddSkript.push_back(DdAntwort{false, pfad});
}

void plDateiDialogAntwortMehrere(const char* ordner, const std::vector<std::string>& namen)
{
    std::string t = ordner ? ordner : "";
    for (const std::string& n : namen) {
        t += '\0';
        t += n;
    }
    ddSkript.push_back(DdAntwort{false, t});
}

void plDateiDialogSkriptLeeren()
{
    ddSkript.clear();
}

const std::vector<plDateiDialogFrage>& plDateiDialogFragen()
{
    return ddFragenListe;
}

void plDateiDialogFragenLeeren()
{
    ddFragenListe.clear();
}

void plDruckDialogAntwort(const plDruckEinstellung& e)
{
    ddDruckSkript.push_back(e);
}

void plDruckDialogSkriptLeeren()
{
    ddDruckSkript.clear();
}

void plDruckDialogNativ(plDruckDialogFn fn)
{
    ddDruckNativ = fn;
}
