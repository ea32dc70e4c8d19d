// Shared helpers of the project page tests (drawing list, contents, project
// manager): drawings with a title record and text records written by the
// drawing-file writer, file stamps in March 2021, and a fixture base whose
// settings set "Test" comes from a file of its own next to the project
// folder. Header-only, namespace projpruef; builds on tests/equipment/projtest.h.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>

#include "config/inidatei.h"
#include "config/vorgaben.h"
#include "model/befehl.h"
#include "model/zeichnun.h"
#include "support/datum.h"
#include "support/dosdatei.h"
#include "controls/ctlkern.h"
#include "platform/dateidialog.h"
#include "platform/fenster.h"
#include "platform/nachricht.h"
#include "platform/nachrichtbox.h"
#include "platform/profil.h"
#include "platform/ressource.h"
#include "platform/winconst.h"
#include "winlib/anwdaten.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"
#include "tests/equipment/projtest.h"

namespace projpruef {

// Gives the file the stamp 2021-03-<tag>, <stunde> o'clock.
inline void maerzStempel(const std::string& pfad, int tag, int stunde = 8)
{
    DATZEIT z{};
    z.datum = {121, 3, static_cast<uint8_t>(tag)};
    z.stunde = static_cast<uint8_t>(stunde);
    ASSERT_EQ(dateizeitsetzen(pfad.c_str(), &z), 0);
}

// A text record of the drawing ('z' record `nr`); an empty text writes none.
struct ZeiText {
    int nr;
    const char* text;
};

// Writes a drawing of `format` with its title record ('w': index and the two
// title lines) followed by the given text records.
inline void zeichnungSchreiben(const std::string& pfad, int format, const char* index, const char* titel0,
                               const char* titel1, std::initializer_list<ZeiText> texte = {})
{
    ZeiDatei d;
    ASSERT_EQ(ZeiDateiAnlegen(&d, pfad.c_str()), 0);
    ZeiFormatSetzen(&d, format);
    BEF b{};
    b.code = BEF_ZAT;
    char w[BEFTEXTSUP + 1];
    ZatBauen(w, index, titel0, titel1);
    BefTextSetzen(&b, w);
    ASSERT_EQ(ZeiBefSchreiben(&d, &b), 0);
    for (const ZeiText& t : texte) {
        if (!t.text[0]) continue;
        b = BEF{};
        b.code = BEF_ZTX;
        b.iarg[0] = t.nr;
        BefTextSetzen(&b, t.text);
        ASSERT_EQ(ZeiBefSchreiben(&d, &b), 0);
    }
    ASSERT_EQ(ZeiDateiSchliessen(&d), 0);
}

// A project folder whose settings set "Test" is read from "<folder>.vgb".
class VorgabenTest : public projtest::ProjTest {
protected:
    void TearDown() override
    {
        // Back to the set the program starts with.
        VgbSetSetzen("Standard", "");
        VgbFehlMeldung(1);
        projtest::fs::remove(vgbPfad);
        ProjTest::TearDown();
    }

    // Writes the settings file with the given lines and makes it the set.
    void vorgaben(const std::string& zeilen)
    {
        vgbPfad = (ordner.parent_path() / (ordner.filename().string() + ".vgb")).string();
        projtest::schreiben(vgbPfad, "Name Test\n" + zeilen);
        VgbFehlMeldung(0);
        VgbSetSetzen("Test", vgbPfad.c_str());
    }

    std::string vgbPfad;
};

// The host of the dialog tests: a fresh window system with a plain main
// window of the given size over the program's resources, application data
// in `konfig`, no scripted or recorded boxes, the dialog library and the
// control classes started and the frame running.
inline LRESULT CALLBACK wirtProz(HWND h, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProc(h, m, wp, lp); }
inline void dialogWirt(const std::string& konfig, int breite, int hoehe, WNDPROC proz = wirtProz)
{
    setenv("XDG_CONFIG_HOME", konfig.c_str(), 1);
    IniPfadSetzen("");  // formed again below the new folder on its next use
    plIniCacheLeeren();
    plFensterSystemEnde();
    plNachrichtBoxSkriptLeeren();
    plNachrichtBoxFragenLeeren();
    plDateiDialogSkriptLeeren();
    anwZuruecksetzen();
    anwDaten()->instanz = LoadLibrary("velmo");
    ASSERT_NE(anwDaten()->instanz, 0u);
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proz;
    wc.lpszClassName = "VelmoTestHaupt";
    ASSERT_NE(RegisterClassEx(&wc), 0);
    anwDaten()->hauptfenster = CreateWindowEx(0, "VelmoTestHaupt", "Velmo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                              breite, hoehe, 0, 0, 0, nullptr);
    anwLaufZustandSetzen(2);
    ASSERT_EQ(wiDlgInit(), 0);
    ASSERT_EQ(ctlKlassenAnmelden(), 0);
}

// Ends what `dialogWirt` started, in reverse.
inline void dialogWirtEnde()
{
    ctlKlassenAbmelden();
    wiDlgFrei();
    wiBibEnde();
    plFensterSystemEnde();
    FreeLibrary(anwDaten()->instanz);
    anwZuruecksetzen();
    plIniCacheLeeren();
    unsetenv("XDG_CONFIG_HOME");
    IniPfadSetzen("");
}

// The frame's loop body for the page and dialog tests: the modeless filter
// first, until nothing is left (or a quit arrives).
inline void dlgPumpen()
{
    MSG m;
    for (int runde = 0; runde < 10000 && PeekMessage(&m, 0, 0, 0, PM_REMOVE); ++runde) {
        if (m.message == WM_QUIT) break;
        if (wiDlgNachricht(&m)) continue;
        TranslateMessage(&m);
        DispatchMessage(&m);
    }
}

}  // namespace projpruef
