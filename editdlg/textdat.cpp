// Text files shown to the user; see textdat.h.
#include "editdlg/textdat.h"

#include <cstring>
#include <vector>

#include "config/reaktion.h"
#include "model/einstell.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/shell.h"
#include "platform/nachricht.h"
#include "platform/winconst.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "winlib/dialog.h"
#include "winlib/dlgitem.h"
#include "winlib/meldung.h"
#include "winlib/winbib.h"

namespace {

constexpr int TXA_ANLEGEN = 4032;     // "Datei anlegen?"
constexpr int TXA_NEU = 4033;         // "Neu angelegt"
constexpr int TXA_ZULANG = 4990;      // shown read-only
constexpr int TXA_NICHTGESCHR = 4991;  // save failed, file unchanged

bool txaDa(const char* pfad) { return dateilaenge(pfad) >= 0; }

int txaAnlegen(const char* pfad)
{
    const std::string zeile = std::string(TextNr(TXA_NEU)) + "\r\n";
    const int h = doscrt(pfad);
    if (h < 0) return -1;
    if (doswrite(h, zeile.data(), static_cast<int>(zeile.size())) != static_cast<int>(zeile.size())) {
        dosverwerfen(h);
        return -1;
    }
    return dosclose(h) < 0 ? -1 : 0;
}

// ---- Viewer --------------------------------------------------------------------------------------------

char txaPfad[260];

bool txaLesen(const char* pfad, std::string* inhalt)
{
    const long n = dateilaenge(pfad);
    if (n < 0) return false;
    const int h = dosopen(pfad, 0);
    if (h < 0) return false;
    inhalt->assign(static_cast<size_t>(n), '\0');
    const int gelesen = n > 0 ? dosread(h, inhalt->data(), static_cast<int>(n)) : 0;
    dosclose(h);
    if (gelesen < 0) return false;
    inhalt->resize(static_cast<size_t>(gelesen));
    return true;
}

int txaInit(int anzahl, const char* const* texte)
{
    strkopie(txaPfad, sizeof txaPfad, anzahl > 0 ? texte[0] : "", sizeof txaPfad - 1);
    wiDlgTitelSetzen(txaPfad);
    std::string inhalt;
    txaLesen(txaPfad, &inhalt);
    HWND feld = wiItem(3000);
    SendMessage(feld, EM_LIMITTEXT, 0, 0);
    SetWindowText(feld, inhalt.c_str());
    SendMessage(feld, EM_SETSEL, 0, 0);
    if (static_cast<long>(inhalt.size()) > TXASUP) {
        // Saving would cut it: shown, not edited.
        SendMessage(feld, EM_SETREADONLY, TRUE, 0);
        wiItemFrei(2500, 0);
        wiHinweis("%s", TextNr(TXA_ZULANG));
    }
    return 0;
}

int txaExit() { return 0; }

// Writes the whole text beside the file and renames it over; on any failure
// the old file stays and the user is told.
int txaSpeichern()
{
    HWND feld = wiItem(3000);
    const int n = GetWindowTextLength(feld);
    std::vector<char> text(static_cast<size_t>(n) + 1);
    GetWindowText(feld, text.data(), n + 1);
    const int h = doscrt(txaPfad);
    bool gut = h >= 0;
    if (gut && doswrite(h, text.data(), n) != n) {
        dosverwerfen(h);
        gut = false;
    } else if (gut && dosclose(h) < 0) {
        gut = false;
    }
    if (!gut) {
        wiMeldung(TextNr(TXA_NICHTGESCHR), txaPfad);
        return -1;
    }
    return 0;
}

int txaBefehl(UINT nachricht, WPARAM wp, LPARAM)
{
    if (nachricht != WM_COMMAND) return 0;
    switch (LOWORD(wp)) {
    case 2500:
        if (wiItemIstFrei(2500) && txaSpeichern() == 0) wiDlgSchliessen();
        return 1;
    case 2:
    case 2501: wiDlgSchliessen(); return 1;
    case 3000:
        if (HIWORD(wp) == EN_SETFOCUS) SendMessage(wiItem(3000), EM_SETSEL, 0, 0);
        return 1;
    default: return 0;
    }
}

}  // namespace

std::string TxaKommando(const char* muster, const char* pfad)
{
    std::string m = muster != nullptr ? muster : "";
    while (!m.empty() && m.back() == ' ') m.pop_back();
    while (!m.empty() && m.front() == ' ') m.erase(0, 1);
    const std::string zitat = std::string("\"") + pfad + "\"";
    if (m.empty()) {
        char programm[MAX_PATH] = "";
        if (wiProgrammFuerEndung(".txt", programm) <= 32 || programm[0] == '\0') return "";
        return std::string("\"") + programm + "\" " + zitat;
    }
    // The path is placed, not formatted: further '%' stay as they are.
    const size_t p = m.find("%s");
    if (p == std::string::npos) return m + " " + zitat;
    return m.substr(0, p) + zitat + m.substr(p + 2);
}

int TextDateiExtern(const char* pfad)
{
    if (pfad == nullptr || pfad[0] == '\0') return -1;
    if (!txaDa(pfad)) {
        if (!wiFrage(TextNr(TXA_ANLEGEN))) return -1;
        if (txaAnlegen(pfad) < 0) {
            wiMeldung(TextNr(TXA_NICHTGESCHR), pfad);
            return -1;
        }
    }
    // Without a program nothing would show at all: the user learns why.
    const std::string kommando = TxaKommando(EdEinst()->exenote, pfad);
    if (kommando.empty()) {
        wiMeldung("Kein Programm f\xFCr Textdateien gefunden. Tragen Sie es in der Vorgabe AP-ExeNote ein.\n%s", pfad);
        return -1;
    }
    if (wiProgrammStarten(kommando.c_str()) <= 31) {
        wiMeldung("Kann %s nicht starten.", kommando.c_str());
        return -1;
    }
    return 0;
}

int TextAnzeigen(const char* pfad)
{
    const char* texte[] = {pfad != nullptr ? pfad : ""};
    return wiDlgOeffnenArg("TEXTANZEIGEN", txaInit, txaExit, txaBefehl, 1, texte) != 0 ? 0 : -1;
}
