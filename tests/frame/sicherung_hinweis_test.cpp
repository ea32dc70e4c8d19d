// A dialog that says what it did on its way out: "Projekt sichern" closes
// and then says in one line where the backup went. The box must stay up for
// the user to read, not go with the dialog that closes under it (on the
// desktop it was never seen). Headless on the demo project, driven by the
// menu keys and a click on "Anlegen".
#include <gtest/gtest.h>

#include <string>

#include "platform/headless.h"
#include "platform/nachrichtbox.h"
#include "tests/frame/demorahmen_pruef.h"
#include "tests/frame/editor_pruef.h"
#include "tests/frame/seite_pruef.h"
#include "winlib/dialog.h"

namespace {

std::string& shGesehen()
{
    static std::string t;
    return t;
}

// Called while a box waits for the user: it is up, with its text.
void shBoxDa(HWND box)
{
    char t[300] = "";
    GetDlgItemText(box, 0xFFFF, t, sizeof t);
    if (t[0] == '\0') {
        for (HWND k = GetWindow(box, GW_CHILD); k != 0 && t[0] == '\0'; k = GetWindow(k, GW_HWNDNEXT)) {
            char s[300] = "";
            GetWindowText(k, s, sizeof s);
            if (std::string(s).find("gesichert") != std::string::npos) std::snprintf(t, sizeof t, "%s", s);
        }
    }
    shGesehen() += std::string(t) + "\n";
}

class SicherungHinweis : public DemoSeite {
protected:
    void SetUp() override
    {
        DemoSeite::SetUp();
        if (HasFatalFailure()) return;
        shGesehen().clear();
        plNachrichtBoxBeobachter(shBoxDa);
    }
    void TearDown() override
    {
        plNachrichtBoxBeobachter(nullptr);
        DemoRahmen::TearDown();
    }
};

}  // namespace

TEST_F(SicherungHinweis, TheBackupsLineStaysUpAfterItsDialogClosed)
{
    ASSERT_TRUE(menueWaehlen(1506));  // "Projekt > Projekt sichern..."
    HWND d = wiDlgSuchen("PVWPROSICHERN");
    ASSERT_NE(d, 0u);
    seitepruef::klick(d, 2500);  // "Anlegen"
    rahmenPumpen();
    EXPECT_EQ(wiDlgSuchen("PVWPROSICHERN"), 0u);
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_NE(plNachrichtBoxFragen()[0].text.find("gesichert."), std::string::npos) << plNachrichtBoxFragen()[0].text;
    EXPECT_NE(shGesehen().find("gesichert."), std::string::npos)
        << "the box was taken down with its dialog before anyone saw it";
}
