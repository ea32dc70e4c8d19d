// Local commands, the command file, option texts and the log (see dde.h).
#include "frame/dde.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "config/datwache.h"
#include "config/reaktion.h"
#include "config/verordner.h"
#include "config/verzeich.h"
#include "config/vorgaben.h"
#include "output/ansicht.h"
#include "output/bilder.h"
#include "output/dxfexp.h"
#include "output/dxfimp.h"
#include "output/element.h"
#include "output/gdi.h"
#include "output/schrift.h"
#include "output/show.h"
#include "output/tbar.h"
#include "platform/eingabe.h"
#include "platform/cp1252.h"
#include "platform/dateisys.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/orte.h"
#include "platform/shell.h"
#include "platform/winconst.h"
#include "support/basis.h"
#include "support/bdatei.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "support/texte.h"
#include "support/vergleich.h"
#include "winlib/anwdaten.h"
#include "winlib/meldung.h"
#include "winlib/seitendienst.h"

namespace {

DWORD ddeServer = 0;
DWORD ddeKlientInstanz = 0;
void (*ddeUmschalten)(const char*) = nullptr;

BDAT befDatei{};
int befLaeuft = 0;
std::string befPfad;  // the command file's name, for the read error
long befZeilen = 0;     // lines read so far
bool befExit = false;   // an "exit" was read
bool befStrgZ = false;  // the file holds a Ctrl-Z, which ends its readable text
std::string ddeUebergabe;  // a folder switch that waits for a box or modal dialog to end

char logPfadText[VERSUP + 16] = "";
int logAn = 1;

// false when the message was not taken (the queue is full).
bool ddeHauptPost(int id)
{
    return PostMessage(anwHauptfenster(), WM_COMMAND, static_cast<WPARAM>(id), 0) != FALSE;
}

// The main window to the front, restored when it was minimised.
void ddeNachVorn()
{
    HWND h = anwHauptfenster();
    if (h == 0) return;
    if (IsIconic(h)) ShowWindow(h, SW_RESTORE);
    SetForegroundWindow(h);
}

void ddeUmschaltenAuf(const char* pfad)
{
    if (ddeUmschalten != nullptr) {
        ddeUmschalten(pfad);
    } else {
        VerUmschalten(pfad);
    }
}

// "switch": only when the folder of the path differs (ignoring case) from
// the working directory.
void ddeWechseln(const char* pfad)
{
    char voll[VERSUP + 1];
    strkopie(voll, pfad, VERSUP);
    PfadAbsolut(voll);
    zeichentausch(voll, '\\', '/');
    int letzter = zeichenposr(voll, '/');
    voll[letzter >= 0 ? letzter + 1 : 0] = '\0';
    char verz[DATVERZSUP];
    VerNormieren(verz, sizeof verz, voll);
    if (strvgl(verz, VerAktuell()) != 0) {
        ddeUmschaltenAuf(pfad);
    }
}

// Takes the next word off s: a double-quoted word whole (without its
// quotes), else up to the next white space. The rest of s stays trimmed.
void befWortAb(char* ziel, size_t groesse, char* s)
{
    strtrim(s);
    if (s[0] == '"') {
        int ende = zeichenpos(s + 1, '"');
        int n = ende >= 0 ? ende : static_cast<int>(std::strlen(s + 1));
        strkopie(ziel, groesse, s + 1, n);
        strloeschen(s, 0, n + (ende >= 0 ? 2 : 1));
        strtrim(s);
        return;
    }
    wortab(ziel, groesse, s);
    strtrim(s);
}

// The argument of a one-argument word: a quoted word whole, else the
// trimmed rest of the line as it stands.
void befArgument(char* ziel, size_t groesse, char* rest)
{
    if (rest[0] == '"') {
        befWortAb(ziel, groesse, rest);
    } else {
        strkopie(ziel, groesse, rest, static_cast<int>(groesse) - 1);
    }
}

// A box text on one line: its line breaks become blanks.
std::string laufEinzeilig(const char* text)
{
    std::string t;
    for (const char* p = text; *p; ++p) {
        if (*p == '\r') continue;
        if (*p == '\n') {
            if (!t.empty() && t.back() != ' ') t += ' ';
            continue;
        }
        t += *p;
    }
    while (!t.empty() && t.back() == ' ') t.pop_back();
    return t;
}

// The reporter of the message boxes of a run without a user.
void laufBoxMelden(const char* art, const char* text, const char* antwort, bool bewahrt)
{
    std::string t = laufEinzeilig(text);
    if (antwort[0]) t += std::string(" -> ") + antwort;
    if (bewahrt)
        t += " (ohne Benutzer wird nichts gel\xF6scht oder \xFC" "berschrieben; mit Benutzer w\xE4re die Vorgabe Ja)";
    std::fprintf(stderr, "velmo: %s: %s\n", art, plCpNachUtf8(t).c_str());
    std::fflush(stderr);
    LogZeile("%s: %s", art, t.c_str());
}

// The command file of a run without a window ended without "exit": the
// program keeps running, as the command file's rule says, but not without
// a word.
void befOhneExit()
{
    // A Ctrl-Z ends the readable text of a file; an "exit" behind it is
    // never read.
    const bool strgZ = befStrgZ;
    char text[VERSUP + 400];
    std::snprintf(text, sizeof text,
                  "Die Befehlsdatei %s endet nach Zeile %ld ohne \"exit\"%s. Velmo l\xE4uft ohne Fenster weiter "
                  "(Prozess %ld); beenden mit Strg+C, mit \"kill %ld\" oder mit dem lokalen Befehl \"exit\".",
                  befPfad.c_str(), befZeilen, strgZ ? " (ein Strg-Z-Zeichen beendet dort ihren Text)" : "",
                  static_cast<long>(getpid()), static_cast<long>(getpid()));
    LaufMelden("Warnung", text);
}

// A DXF word of a run without a user that failed without a box saying so
// is said here (a user saw the boxes).
int befFehlerVorher = 0;
void befPruefen(int r, const char* wort, const char* dxf, const char* zei)
{
    if (r == 0 || !plOhneBenutzer() || plOhneBenutzerFehler() != befFehlerVorher) return;
    char text[3 * BEFZEILESUP];
    std::snprintf(text, sizeof text, "%s %s %s wurde nicht ausgef\xFChrt.", wort, dxf, zei);
    LaufMelden("Fehler", text);
}

void optNeuLaden()
{
    DatWechselZaehlen();
    OrdnerEinstLaden();
}

}  // namespace

void DdeInstanzSetzen(DWORD instanz)
{
    ddeServer = instanz;
}

DWORD DdeInstanz()
{
    return ddeServer;
}

void DdeUmschaltenSetzen(void (*umschalten)(const char* pfad))
{
    ddeUmschalten = umschalten;
}

HDDEDATA DdeServerRueckruf(UINT art, UINT, HCONV, HSZ hsz1, HSZ hsz2, HDDEDATA daten, ULONG_PTR, ULONG_PTR)
{
    switch (art) {
    case XTYP_CONNECT: {
        char dienst[DDENAMESUP + 1] = "";
        DdeQueryString(ddeServer, hsz2, dienst, sizeof dienst, CP_WINANSI);
        const char* klasse = anwDaten()->klassenName != nullptr ? anwDaten()->klassenName : "";
        return std::strcmp(dienst, klasse) == 0 ? 1 : 0;
    }
    case XTYP_EXECUTE: {
        // One byte more than is taken, so the text is always terminated.
        char text[DDEBEFEHLSUP + 1] = "";
        DWORD n = DdeGetData(daten, reinterpret_cast<BYTE*>(text), DDEBEFEHLSUP, 0);
        text[n < DDEBEFEHLSUP ? n : DDEBEFEHLSUP] = '\0';
        char thema[DDENAMESUP + 1] = "";
        DdeQueryString(ddeServer, hsz1, thema, sizeof thema, CP_WINANSI);
        DdeFreeDataHandle(daten);
        // A command the program could not take is not acknowledged: the
        // sender learns that it must try again.
        return DdeAusfuehren(thema, text) ? DDE_FACK : DDE_FBUSY;
    }
    default:
        return 0;
    }
}

namespace {

// A box or modal dialog disables the main window while it is up. A switch
// run from inside its loop would leave the old project's question over the
// new one and pull the list from under the code that asked it.
bool ddeModalOffen()
{
    HWND h = anwHauptfenster();
    return h != 0 && !IsWindowEnabled(h);
}

}  // namespace

void DdeUebergabeNachholen()
{
    if (ddeUebergabe.empty() || ddeModalOffen()) return;
    const std::string text = ddeUebergabe;
    ddeUebergabe.clear();
    DdeAusfuehren("system", text.c_str());
}

int DdeAusfuehren(const char* thema, const char* text)
{
    if (strvgl(thema, "system") == 0) {
        char rest[DDEBEFEHLSUP + 1];
        strkopie(rest, text, DDEBEFEHLSUP);
        char wort[DDEBEFEHLSUP + 1];
        wortab(wort, sizeof wort, rest);
        strtrim(rest);
        const bool wechsel = strvgl(wort, "switch") == 0 || (strvgl(wort, "open") == 0 && rest[0]);
        if (wechsel && ddeModalOffen()) {
            // Taken now, run once the box is answered; the latest wins.
            ddeUebergabe = text;
            ddeNachVorn();
            return 1;
        }
        if (strvgl(wort, "exit") == 0) {
            return ddeHauptPost(1998) ? 1 : 0;
        } else if (strvgl(wort, "refresh") == 0) {
            return ddeHauptPost(1005) ? 1 : 0;
        } else if (strvgl(wort, "open") == 0) {
            // A second start hands its folder over this way, or nothing
            // when it named none: the window comes to the front either way.
            if (rest[0]) ddeUmschaltenAuf(rest);
            // A folder handed over is a project to look at: its page, not
            // an editor that was left on a sheet of the project before.
            if (rest[0] && dosattrib(rest) != DOSATTR_FEHLT && (dosattrib(rest) & DOSATTR_VERZEICHNIS))
                wiSeiteUmschalten(1530);
            ddeNachVorn();
        } else if (strvgl(wort, "switch") == 0) {
            ddeWechseln(rest);
        }
    } else if (strvgl(thema, "option") == 0) {
        OptionAusfuehren(text);
    }
    return 1;
}

int DdeKlient(const char* dienst, const char* thema, const char* befehl)
{
    if (ddeKlientInstanz == 0 &&
        DdeInitialize(&ddeKlientInstanz, nullptr, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
        ddeKlientInstanz = 0;
        return -1;
    }
    HSZ hDienst = DdeCreateStringHandle(ddeKlientInstanz, dienst, CP_WINANSI);
    HSZ hThema = DdeCreateStringHandle(ddeKlientInstanz, thema, CP_WINANSI);
    HCONV conv = DdeConnect(ddeKlientInstanz, hDienst, hThema, nullptr);
    if (conv != 0) {
        DWORD ergebnis = 0;
        DdeClientTransaction(reinterpret_cast<const BYTE*>(befehl), static_cast<DWORD>(std::strlen(befehl) + 1), conv,
                             0, CF_TEXT, XTYP_EXECUTE, 10000, &ergebnis);
        DdeDisconnect(conv);
    }
    DdeFreeStringHandle(ddeKlientInstanz, hDienst);
    DdeFreeStringHandle(ddeKlientInstanz, hThema);
    return conv != 0 ? 0 : -1;
}

void DdeKlientEnde()
{
    if (ddeKlientInstanz != 0) {
        DdeUninitialize(ddeKlientInstanz);
        ddeKlientInstanz = 0;
    }
}

int DdeAlleBeenden()
{
    DdeKlient("ZVKView", "system", "exit");
    DdeKlient("ZVKBauteil", "system", "exit");
    return 0;
}

void DdeDateiMelden(const char* datei, int art)
{
    char pfad[VERSUP + 1];
    PfadBilden(1, datei, nullptr, pfad);
    std::string p = pfad;
    switch (art) {
    case 0:
        DdeKlient("ZVKView", "system", ("close " + p).c_str());
        DdeKlient("ZVKEdit", "system", ("save " + p).c_str());
        break;
    case 1: DdeKlient("ZVKEdit", "system", ("refresh " + p).c_str()); break;
    case 2: DdeKlient("ZVKEdit", "system", ("close " + p).c_str()); break;
    case 3: DdeKlient("ZVKEdit", "system", "close"); break;
    case 4: DdeKlient("ZVKEdit", "system", "save"); break;
    default: break;
    }
}

int ProgrammStarten(const char* name)
{
    std::string pfad = plOrtProgramm() + "/" + name;
    int attr = dosattrib(pfad.c_str());
    if (attr == DOSATTR_FEHLT || (attr & DOSATTR_VERZEICHNIS)) {
        wiHinweis("Programmdatei %s nicht vorhanden.", pfad.c_str());
        return -1;
    }
    std::string zeile = "\"" + pfad + "\"";
    return WinExec(zeile.c_str(), SW_SHOWNORMAL) > 31 ? 0 : -1;
}

int BefehlsdateiOeffnen(const char* pfad)
{
    BefehlsdateiSchliessen();
    int r = bdopenlesen(&befDatei, pfad);
    befLaeuft = r >= 0 ? 1 : 0;
    befPfad = pfad != nullptr ? pfad : "";
    befZeilen = 0;
    befExit = false;
    befStrgZ = false;
    if (r >= 0) {
        const int fd = plDsOeffnen(pfad, O_RDONLY);
        char puffer[4096];
        for (ssize_t n; fd >= 0 && !befStrgZ && (n = plDsLesen(fd, puffer, sizeof puffer)) > 0;)
            befStrgZ = std::memchr(puffer, 0x1A, static_cast<size_t>(n)) != nullptr;
        if (fd >= 0) plDsSchliessen(fd);
    }
    return r;
}

int BefehlsdateiLaeuft()
{
    return befLaeuft;
}

void BefehlsdateiSchliessen()
{
    if (befLaeuft) {
        bdclose(&befDatei);
        befLaeuft = 0;
    }
}

void BefehlsdateiSchritt()
{
    if (!befLaeuft) {
        return;
    }
    char zeile[BEFZEILESUP + 1];
    const int n = bdgets(&befDatei, zeile, BEFZEILESUP);
    if (bdlesefehler(&befDatei)) {
        // The line the error cut is not run, and the rest cannot come.
        BefehlsdateiSchliessen();
        wiMeldung("Kann %s nicht lesen.", befPfad.c_str());
        return;
    }
    if (n < 0) {
        BefehlsdateiSchliessen();
        if (!befExit && plOhneBenutzer()) befOhneExit();
        return;
    }
    ++befZeilen;
    BefehlsdateiZeile(zeile);
}

void BefehlsdateiZeile(const char* zeile)
{
    char rest[BEFZEILESUP + 1];
    strkopie(rest, zeile, BEFZEILESUP);
    char wort[BEFZEILESUP + 1];
    befWortAb(wort, sizeof wort, rest);
    char arg[BEFZEILESUP + 1];
    if (wort[0] == '#' || wort[0] == '\0') {
        return;
    }
    if (strvgl(wort, "exit") == 0) {
        befExit = true;
        ddeHauptPost(1998);
    } else if (strvgl(wort, "refresh") == 0) {
        ddeHauptPost(1005);
    } else if (strvgl(wort, "open") == 0) {
        befArgument(arg, sizeof arg, rest);
        ddeUmschaltenAuf(arg);
    } else if (strvgl(wort, "switch") == 0) {
        befArgument(arg, sizeof arg, rest);
        ddeWechseln(arg);
    } else if (strvgl(wort, "option") == 0) {
        befArgument(arg, sizeof arg, rest);
        OptionAusfuehren(arg);
    } else if (strvgl(wort, "log") == 0) {
        LogSchalten(std::atoi(rest));
    } else if (strvgl(wort, "print") == 0) {
        LogZeile("%s", rest);
    } else if (strvgl(wort, "DXFExp") == 0 || strvgl(wort, "DXFImp") == 0) {
        char dxf[BEFZEILESUP + 1];
        char zei[BEFZEILESUP + 1];
        befWortAb(dxf, sizeof dxf, rest);
        befWortAb(zei, sizeof zei, rest);
        bool export_ = strvgl(wort, "DXFExp") == 0;
        befFehlerVorher = plOhneBenutzerFehler();
        LogZeile(export_ ? "DXFExp >%s< >%s<" : "DXFImp >%s< >%s<", dxf, zei);
        if (export_) {
            // The drawing's symbols come from the libraries of the project
            // open: a drawing outside it would go out without them.
            char verz[VERSUP + 1];
            strkopie(verz, zei, VERSUP);
            PfadAbsolut(verz);
            zeichentausch(verz, '\\', '/');
            const int letzter = zeichenposr(verz, '/');
            verz[letzter >= 0 ? letzter + 1 : 0] = '\0';
            char norm[DATVERZSUP];
            VerNormieren(norm, sizeof norm, verz);
            if (strvgl(norm, VerAktuell()) != 0) {
                wiMeldung("DXFExp: Die Zeichnung %s liegt nicht im ge\xf6" "ffneten Projekt. Erst \"open\" mit "
                          "ihrem Projektordner, dann \"DXFExp\".",
                          zei);
            } else {
                befPruefen(DxfExport(dxf, zei), wort, dxf, zei);
            }
        } else {
            befPruefen(DxfImport(dxf, zei), wort, dxf, zei);
        }
    }
}

void OptionAusfuehren(const char* text)
{
    char t[BEFZEILESUP + 1];
    strkopie(t, text, BEFZEILESUP);
    strtrim(t);
    if (strnvgl(t, "-GD=", 4) == 0) {
        char pfad[VERSUP + 1];
        strkopie(pfad, t + 4, VERSUP);
        VgbDekodieren(pfad);
        if (strvgl(pfad, VgbSetPfadZeiger()) != 0) {
            VgbGruppenDatei(pfad);
            optNeuLaden();
        }
    } else if (strnvgl(t, "-G=", 3) == 0) {
        if (strvgl(t + 3, VgbSetNameZeiger()) != 0) {
            VgbSetWaehlen(t + 3);
            optNeuLaden();
        }
    } else if (strnvgl(t, "-S=", 3) == 0) {
        int n = std::atoi(t + 3);
        if (n != SprNummer()) {
            SprSetzen(n);
            optNeuLaden();
        }
    } else if (strnvgl(t, "-N=", 3) == 0) {
        int n = std::atoi(t + 3);
        if (n != BMNorm()) {
            BMNormSetzen(n);
            optNeuLaden();
        }
    } else if (strnvgl(t, "-V=", 3) == 0) {
        std::string pfad = std::string(t + 3) + "/OPTION.TXT";
        VerUmschalten(pfad.c_str());
    }
}

void LogPfad()
{
    std::snprintf(logPfadText, sizeof logPfadText, "%slog.txt", VerAktuell());
}

const char* LogPfadText()
{
    return logPfadText;
}

void LogSchalten(int ein)
{
    logAn = ein;
}

void LogZeile(const char* format, ...)
{
    if (!logAn) {
        return;
    }
    if (logPfadText[0] == '\0') {
        LogPfad();
    }
    char zeile[2048];
    int kopf = std::snprintf(zeile, sizeof zeile, "%05d ", msekunden());
    va_list args;
    va_start(args, format);
    std::vsnprintf(zeile + kopf, sizeof zeile - static_cast<size_t>(kopf), format, args);
    va_end(args);
    BDAT d;
    if (bdopen(&d, logPfadText) < 0 && bdmake(&d, logPfadText) < 0) {
        return;
    }
    bdappend(&d);
    if (bdlesefehler(&d)) {
        // The end was not found: a line written now would cut the last one.
        bdclose(&d);
        wiDebug("LogZeile: %s nicht gelesen", logPfadText);
        return;
    }
    bdputsmodus(&d, zeile, 0);
    if (bdclose(&d) != 0) {
        wiDebug("LogZeile: %s nicht geschrieben", logPfadText);
    }
}

void LaufOhneBenutzer(int an)
{
    plOhneBenutzerSetzen(an);
    plOhneBenutzerMelder(an ? laufBoxMelden : nullptr);
    plOhneBenutzerFehlerLeeren();
}

void LaufMelden(const char* art, const char* text)
{
    const std::string t = laufEinzeilig(text);
    std::fprintf(stderr, "velmo: %s: %s\n", art, plCpNachUtf8(t).c_str());
    std::fflush(stderr);
    LogZeile("%s: %s", art, t.c_str());
    plOhneBenutzerFehlerZaehlen();
}

int LaufEndcode(int code)
{
    if (code == 0 && plOhneBenutzer() && plOhneBenutzerFehler() > 0) return LAUF_FEHLER;
    return code;
}

void LogZuruecksetzen()
{
    logPfadText[0] = '\0';
    logAn = 1;
}
