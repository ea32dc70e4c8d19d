// Start-up registration of the editor dialogs and the command line's file
// checks: existing files pass, missing ones post the file dialog's command.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/verzeich.h"
#include "editdlg/bmtexte.h"
#include "editdlg/eddlg.h"
#include "editdlg/zuordnung.h"
#include "editor/edtseite.h"
#include "editor/edtaufrufe.h"
#include "editor/baubf.h"
#include "editor/objwahl.h"
#include "equipment/apphaken.h"
#include "tests/editdlg/bautpruef.h"
#include "tests/editdlg/zuopruef.h"
#include "tests/editor/edtaufrufprotokoll.h"

namespace {

using EdDlg = bautpruef::BautTest;

TEST_F(EdDlg, StartUpInstallsTheDialogServices)
{
    EdDlgHakenSetzen();
    EXPECT_EQ(AppHakenTabelle().DB1350Zuordnen, &HbzNeuesSymbol);
    EXPECT_EQ(AppHakenTabelle().DB1352Packen, &UbzPacken);
    EXPECT_EQ(AppHakenTabelle().DB1354Anlegen, &AppTextAnlegen);
    EXPECT_EQ(AppHakenTabelle().DB1361Entpacken, &AppKennungEntpacken);
    EXPECT_EQ(EdtAufrufTabelle().BauDateiPruefen, &BauDateiPruefen);
    EXPECT_EQ(EdtAufrufTabelle().TextDateiPruefen, &TextDateiPruefen);
    AppHakenStandard();
    EdtAufrufProtokollStarten();
}

TEST_F(EdDlg, FileChecksPostTheFileDialogForMissingFiles)
{
    const std::string bib = kopie("BAUTEILE.L10", "BAUTEILE.L10");
    mtSchreiben(o / "texte.txt", "x");
    VerSetzen(3, (o.pfad.string() + "/").c_str());
    const struct {
        int (*pruefen)(const char*);
        std::string name;
        int ergebnis;
    } faelle[] = {
        {BauDateiPruefen, bib, 0},
        {BauDateiPruefen, o / "BAUTEILE.XYZ", 1},
        {TextDateiPruefen, "texte.txt", 0},
        {TextDateiPruefen, "fehlt.txt", 1},
        {TextDateiPruefen, "", 1},
    };
    for (const auto& f : faelle) {
        zuopruef::editorBereit();
        EXPECT_EQ(f.pruefen(f.name.c_str()), f.ergebnis) << f.name;
        EXPECT_EQ(zuopruef::aufrufe("EdtBefehlPosten(1103)"), f.ergebnis) << f.name;
    }
    VerSetzen(3, "");
}

}  // namespace
