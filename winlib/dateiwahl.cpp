// File and folder dialogs; see dateiwahl.h. Prefix `wi`, file helpers `dw`.
// Calls platform/ (common dialogs), support/ (working folder, copies) and
// the dialog manager (owner).
#include "winlib/dateiwahl.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/dateidialog.h"
#include "platform/nachricht.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/meldung.h"

namespace {

// The multiple choice: "folder\0name\0name\0\0", kept until the next call.
std::vector<char> dwMehrfach(WIMEHRFACHSUP, 0);

// Saves the working folder and restores it at the end of the scope.
struct DwOrdnerMerken {
    char alt[1024];
    bool ok;
    DwOrdnerMerken() { ok = dosgetcwd(alt) == 0; }
    ~DwOrdnerMerken()
    {
        if (ok) doschdir(alt);
    }
};

int dwTrenner(const char* pfad)
{
    int a = zeichenposr(pfad, '/');
    int b = zeichenposr(pfad, '\\');
    return a > b ? a : b;
}

// Initial folder and name field from a given path.
void dwStart(const char* pfad, const DwOrdnerMerken& m, std::string* ordner, char* name, size_t groesse)
{
    int t = dwTrenner(pfad);
    if (t >= 0) {
        ordner->assign(pfad, static_cast<size_t>(t > 0 ? t : 1));
        strkopie(name, groesse, pfad + t + 1, WIDATEISUP);
    } else {
        ordner->assign(m.ok ? m.alt : "");
        strkopie(name, groesse, pfad, WIDATEISUP);
    }
}

}  // namespace

int wiFilterUebersetzen(const char* filter, char* ziel, int groesse)
{
    if (!ziel || groesse < 2) return 0;
    int n = strkopie(ziel, static_cast<size_t>(groesse) - 1, filter ? filter : "", 200);
    ziel[n + 1] = 0;
    if (n > 0) {
        char trenner = ziel[n - 1];
        for (int i = 0; i < n; ++i)
            if (ziel[i] == trenner) ziel[i] = 0;
    }
    return n + 2;
}

int wiDateiDialog(char* pfad, const char* titel, const char* filter, int modus)
{
    DwOrdnerMerken merken;
    char filt[WIDATEISUP + 3];
    wiFilterUebersetzen(filter, filt, sizeof filt);
    char datei[WIDATEISUP + 1];
    std::string ordner;
    dwStart(pfad ? pfad : "", merken, &ordner, datei, sizeof datei);
    if (pfad) pfad[0] = 0;
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = wiDlgFenster();
    ofn.lpstrFilter = filt;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = datei;
    ofn.nMaxFile = sizeof datei;
    ofn.lpstrInitialDir = ordner.c_str();
    ofn.lpstrTitle = titel;
    BOOL ok;
    switch (modus) {
    case 0:
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        ok = GetOpenFileName(&ofn);
        break;
    case 1:
        ofn.Flags = OFN_HIDEREADONLY;
        ok = GetOpenFileName(&ofn);
        break;
    default:
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        ok = GetSaveFileName(&ofn);
        break;
    }
    if (!ok) {
        // A chosen path longer than any the program takes: said, not taken
        // as a cancel without a word.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            wiMeldung("Der gew\xE4hlte Pfad ist l\xE4nger als %d Zeichen und wird nicht benutzt.", WIDATEISUP);
        return 0;
    }
    if (pfad) strkopie(pfad, WIDATEISUP + 1, datei, WIDATEISUP);
    return 1;
}

int wiDateiWahl(char* pfad, const char* titel, const char* filter) { return wiDateiDialog(pfad, titel, filter, 0); }
int wiDateiWahlFrei(char* pfad, const char* titel, const char* filter)
{
    return wiDateiDialog(pfad, titel, filter, 1);
}
int wiDateiSpeichern(char* pfad, const char* titel, const char* filter)
{
    return wiDateiDialog(pfad, titel, filter, 2);
}

namespace {

int dwOrdnerRueckruf(HWND hwnd, UINT msg, LPARAM, LPARAM daten)
{
    if (msg == BFFM_INITIALIZED) SendMessage(hwnd, BFFM_SETSELECTION, TRUE, daten);
    return 0;
}

}  // namespace

int wiOrdnerWahl(char* pfad, const char* titel)
{
    char start[WIDATEISUP + 1];
    strkopie(start, pfad ? pfad : "", WIDATEISUP);
    char anzeige[MAX_PATH + 1];
    BROWSEINFO bi{};
    bi.hwndOwner = wiDlgFenster();
    bi.pszDisplayName = anzeige;
    bi.lpszTitle = titel;
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    bi.lpfn = dwOrdnerRueckruf;
    bi.lParam = reinterpret_cast<LPARAM>(start);
    LPITEMIDLIST liste = SHBrowseForFolder(&bi);
    if (!liste) {
        if (pfad) pfad[0] = 0;
        return 0;
    }
    char ergebnis[MAX_PATH + 1];
    ergebnis[0] = 0;
    BOOL ok = SHGetPathFromIDList(liste, ergebnis);
    CoTaskMemFree(liste);
    if (pfad) strkopie(pfad, WIDATEISUP + 1, ok ? ergebnis : "", WIDATEISUP);
    return ok ? 1 : 0;
}

int wiDateiMehrfach(char* pfad, const char* titel, const char* filter)
{
    DwOrdnerMerken merken;
    char filt[WIDATEISUP + 3];
    wiFilterUebersetzen(filter, filt, sizeof filt);
    std::string ordner;
    std::fill(dwMehrfach.begin(), dwMehrfach.end(), 0);
    dwStart(pfad ? pfad : "", merken, &ordner, dwMehrfach.data(), dwMehrfach.size());
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = wiDlgFenster();
    ofn.lpstrFilter = filt;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = dwMehrfach.data();
    ofn.nMaxFile = static_cast<DWORD>(dwMehrfach.size() - 1);
    ofn.lpstrInitialDir = ordner.c_str();
    ofn.lpstrTitle = titel;
    ofn.Flags = OFN_ALLOWMULTISELECT | OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetOpenFileName(&ofn)) {
        dwMehrfach[0] = 0;
        dwMehrfach[1] = 0;
        return 0;
    }
    size_t l = std::strlen(dwMehrfach.data());
    if (l + 1 < dwMehrfach.size() && dwMehrfach[l + 1] != 0) return 2;
    if (pfad) strkopie(pfad, WIDATEISUP + 1, dwMehrfach.data(), WIDATEISUP);
    return 1;
}

int wiDateiMehrfachWahl(char* pfad, const char* titel, const char* filter)
{
    return wiDateiMehrfach(pfad, titel, filter);
}

int wiDateiMehrfachName(int n, char* pfad)
{
    pfad[0] = 0;
    const char* p = dwMehrfach.data();
    const char* ende = p + dwMehrfach.size();
    std::string ordner(p);
    const char* name = p + ordner.size() + 1;
    for (int i = 0; name < ende && *name; ++i) {
        if (i == n) {
            std::string ganz = ordner + "/" + name;
            strkopie(pfad, WIDATEISUP + 1, ganz.c_str(), WIDATEISUP);
            return 1;
        }
        name += std::strlen(name) + 1;
    }
    return 0;
}
