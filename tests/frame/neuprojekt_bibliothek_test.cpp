// A new user's project made from the shipped sample finds its components:
// the cover sheet shows its frame in the viewer and in the editor, with no
// "Bauteil fehlt" in the status line: without a component folder set and
// without a library in the project folder, the shipped library. Driven by
// the keys and clicks a user gives, on the headless backend with a fresh
// configuration.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "editor/edtseite.h"
#include "frame/modus.h"
#include "model/bauteil.h"
#include "output/ansicht.h"
#include "platform/dateidialog.h"
#include "platform/headless.h"
#include "project/startbild.h"
#include "tests/frame/neunutzer_pruef.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"
#include "winlib/winbib.h"

namespace fs = std::filesystem;

namespace {

using namespace seitepruef;

class NeuesProjekt : public NeuNutzerRahmen {
protected:
    // "Projekt › Letzte Projekte...", the picture button of a new project,
    // the folder and name typed, "Anlegen".
    void anlegen(const fs::path& ordner, const char* name)
    {
        plHeadlessTasteRunter(VK_MENU);
        plHeadlessTaste('P');
        plHeadlessTasteHoch(VK_MENU);
        plHeadlessTaste(VK_DOWN);
        plHeadlessTaste(VK_DOWN);
        plHeadlessTaste(VK_RETURN);
        pumpen();
        HWND start = wiDlgSuchen("PVWSTARTUP");
        ASSERT_NE(start, 0u);
        klick(start, 3200);
        HWND dlg = wiDlgSuchen("PVWVERZANLEGEN");
        ASSERT_NE(dlg, 0u);
        ASSERT_EQ(fs::path(feld(dlg, 3100)).filename(), "Muster");
        plDateiDialogAntwort(ordner.c_str());
        klick(dlg, 2510);
        tippen(dlg, 3010, name);
        klick(dlg, 2500);
        ASSERT_EQ(wiDlgSuchen("PVWVERZANLEGEN"), 0u) << rahmenLetzteMeldung();
    }
    static std::string status()
    {
        char t[200] = "";
        wiStatusTextHolen(4, t, sizeof t);
        return t;
    }
    // The cover sheet in the viewer and in the editor: the library it finds
    // holds the frame.
    void deckblattPruefen(const fs::path& blatt, const fs::path& bibliothek)
    {
        SCOPED_TRACE(blatt.filename().string());
        AnzeigeMitDatei(blatt.c_str());
        pumpen();
        AnsichtNeuZeichnen();
        pumpen();
        EXPECT_EQ(status(), "");
        char b[400] = "";
        ASSERT_EQ(BauPfad("STD", b, sizeof b), 0);
        EXPECT_EQ(fs::weakly_canonical(fs::absolute(b)), fs::weakly_canonical(bibliothek));
        EXPECT_EQ(BauVorhanden("DECKBLATT"), 1);
        EditorMitDatei(blatt.c_str());
        pumpen();
        EXPECT_EQ(status(), "");
        if (const char* ziel = std::getenv("VELMO_BILD_DECKBLATT"))
            plHeadlessPng(EdtFenster(), (std::string(ziel) + blatt.filename().string() + ".png").c_str());
        ModusUmschalten(MODUS_PVW);
        pumpen();
    }
};

}  // namespace

TEST_F(NeuesProjekt, TheSamplesCoverFindsTheShippedLibrary)
{
    einrichten("neubib", {"home/Zavik", "arbeit"});
    rahmenStarten(args, argv, {"-W=1"});
    ASSERT_FALSE(HasFatalFailure());
    pumpen();

    anlegen(wurzel / "home" / "Zavik", "Anlage1");
    ASSERT_FALSE(HasFatalFailure());
    deckblattPruefen(wurzel / "home" / "Zavik" / "Anlage1" / "Anlage1.01",
                     fs::path(VELMO_SOURCE_DIR) / "data" / "BAUTEILE.STD");
}
