// The editor page in the running frame on the headless backend over a
// working copy of the demo project: a demo sheet opened in the editor and
// drawn, the picture kept beside the test program for a look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/edtseite.h"
#include "editor/zeidok.h"
#include "frame/anw.h"
#include "frame/modus.h"
#include "model/tempzeic.h"
#include "platform/dialog.h"
#include "platform/fenster.h"
#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/rahmen_pruef.h"
#include "tests/tools/demokopie.h"

namespace fs = std::filesystem;

namespace {

class Editor : public ::testing::Test {
protected:
    DemoKopie demo;
    fs::path vorher;
    std::vector<std::string> args;
    std::vector<const char*> argv;

    void SetUp() override
    {
        const fs::path w = demo.wurzel();
        fs::create_directories(w / "laufzeit");
        fs::permissions(w / "laufzeit", fs::perms::owner_all);
        fs::create_directories(w / "konfig");
        setenv("XDG_RUNTIME_DIR", (w / "laufzeit").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (w / "konfig").c_str(), 1);
        vorher = fs::current_path();
        fs::current_path(w);
        rahmenStarten(args, argv, {"-W=1", "Projekt"});
        if (HasFatalFailure()) return;
        plHeadlessPumpen();
        plNachrichtBoxFragenLeeren();
    }

    void TearDown() override
    {
        if (anwLaufZustand() == 2) {
            PostMessage(anwHauptfenster(), WM_CLOSE, 0, 0);
            EXPECT_EQ(anwLauf(), 0);
            anwSchluss();
        }
        plFensterSystemEnde();
        fs::current_path(vorher);
    }
};

TEST_F(Editor, ADemoSheetOpensAndIsDrawn)
{
    const std::string plan = demo.projekt() + "/HV1.08";
    EditorMitDatei(plan.c_str());
    plHeadlessPumpen();
    ASSERT_NE(EdtFenster(), 0u);
    EXPECT_EQ(Modus(), MODUS_EDIT);
    EXPECT_GT(TzAnzahl(), 0) << "the sheet's objects are in the store";
    EXPECT_NE(std::string(ZeiName()).find("HV1.08"), std::string::npos) << ZeiName();
    // The view shows more than its background.
    HWND v = GetDlgItem(EdtFenster(), 5000);
    RECT r;
    GetClientRect(v, &r);
    const COLORREF grund = plFensterPixel(v, 1, 1);
    int anders = 0;
    for (int y = 0; y < r.bottom; y += 2)
        for (int x = 0; x < r.right; x += 2) anders += plFensterPixel(v, x, y) != grund;
    EXPECT_GT(anders, 500);
    const fs::path bild = fs::read_symlink("/proc/self/exe").parent_path() / "frame_editor_demo.png";
    EXPECT_EQ(plHeadlessPng(anwHauptfenster(), bild.c_str()), 0);
}

}  // namespace
