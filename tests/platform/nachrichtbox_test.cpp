// Tests of the message boxes: answers by kind, default button and script,
// the record, modality (exactly the windows disabled are enabled again, also
// inside a sent message inside a modal dialog), and FatalAppExit.
#include <gtest/gtest.h>

#include <cairo.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/eingabe.h"
#include "platform/fenster.h"
#include "platform/fensterint.h"
#include "platform/headless.h"
#include "platform/nachricht.h"
#include "platform/uhr.h"
#include "platform/nachrichtbox.h"
#include "platform/ressource.h"
#include "platform/systemwerte.h"

namespace {

class NachrichtBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A fixed clock: timers, double clicks and delays are exact.
        plUhrFestsetzen(1767254400000);
        plDialogKlassenSichern();
        WNDCLASS wc{};
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "BoxProbe";
        RegisterClass(&wc);
    }
    void TearDown() override
    {
        plNachrichtBoxBeobachter(nullptr);
        plFensterSystemEnde();
        plUhrFreigeben();
        plNachrichtBoxSkriptLeeren();
        plNachrichtBoxFragenLeeren();
        plDialogSkriptLeeren();
    }
    static HWND fenster(const char* titel, int x)
    {
        return CreateWindow("BoxProbe", titel, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 10, 300, 200, 0, 0, 0, 0);
    }
};

TEST_F(NachrichtBoxTest, AnswersByKindDefaultAndScript)
{
    struct Fall {
        const char* was;
        UINT typ;
        std::vector<int> skript;
        int antwort;
    };
    const std::vector<Fall> faelle = {
        {"OK, nothing queued", MB_OK | MB_ICONASTERISK, {}, IDOK},
        {"Yes/No, second default", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {}, IDNO},
        {"Yes/No/Cancel, third default", MB_YESNOCANCEL | MB_DEFBUTTON3, {}, IDCANCEL},
        {"Yes/No/Cancel, first default", MB_YESNOCANCEL, {}, IDYES},
        {"Yes/No/Cancel, scripted Escape", MB_YESNOCANCEL | MB_ICONQUESTION, {IDCANCEL}, IDCANCEL},
        {"OK, scripted Escape answers OK", MB_OK | MB_ICONEXCLAMATION, {IDCANCEL}, IDOK},
        {"Yes/No, scripted No", MB_YESNO, {IDNO}, IDNO},
        {"Yes/No: Escape declines, saying neither yes nor no", MB_YESNO, {IDCANCEL}, IDCANCEL},
        {"Yes/No with No as default: Escape declines too", MB_YESNO | MB_DEFBUTTON2, {IDCANCEL}, IDCANCEL},
        {"Retry/Cancel, scripted Retry", MB_RETRYCANCEL | MB_ICONHAND, {IDRETRY}, IDRETRY},
        {"Abort/Retry/Ignore, third default", MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {}, IDIGNORE},
        {"OK/Cancel, a default past the buttons is the first", MB_OKCANCEL | MB_DEFBUTTON4, {}, IDOK},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.was);
        plNachrichtBoxFragenLeeren();
        for (int id : f.skript) plNachrichtBoxAntwort(id);
        EXPECT_EQ(MessageBox(0, "Wirklich l\xF6schen?", "Velmo", f.typ), f.antwort);
        ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
        const plNachrichtBoxFrage& q = plNachrichtBoxFragen()[0];
        EXPECT_EQ(q.titel, "Velmo");
        EXPECT_EQ(q.text, "Wirklich l\xF6schen?");
        EXPECT_EQ(q.typ & MB_ICONMASK, f.typ & MB_ICONMASK);
        EXPECT_EQ(q.antwort, f.antwort);
    }
    // Without a caption the box says "Fehler".
    MessageBox(0, "x", nullptr, MB_OK);
    EXPECT_EQ(plNachrichtBoxFragen().back().titel, "Fehler");
}

TEST_F(NachrichtBoxTest, ApplicationModalDisablesOnlyTheOwner)
{
    HWND a = fenster("A", 10), b = fenster("B", 400);
    static HWND sa, sb;
    static bool aFrei, bFrei;
    sa = a;
    sb = b;
    plNachrichtBoxBeobachter([](HWND) {
        aFrei = IsWindowEnabled(sa);
        bFrei = IsWindowEnabled(sb);
    });
    EXPECT_EQ(MessageBox(a, "Hinweis", "Velmo", MB_OK | MB_APPLMODAL), IDOK);
    EXPECT_FALSE(aFrei);
    EXPECT_TRUE(bFrei);
    EXPECT_TRUE(IsWindowEnabled(a));
    EXPECT_TRUE(IsWindowEnabled(b));
    EXPECT_EQ(GetActiveWindow(), a);
}

// The program's situation: a modal dialog is up over the main window, a
// second window was disabled before; a message sent to a helper window
// while the dialog runs shows a task-modal box.
HWND sHaupt, sGesperrt, sFrei, sDialog;
int sAntwort;
bool sDialogDanach;  // the dialog enabled again right after the box
std::vector<bool> sWaehrend;  // enabled: main, disabled one, free one, dialog

LRESULT CALLBACK helferProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_APP + 1) {
        sAntwort = MessageBox(0, "Speichern?", "Velmo", MB_YESNO | MB_ICONQUESTION | MB_TASKMODAL);
        return 1;
    }
    return DefWindowProc(h, msg, wp, lp);
}

INT_PTR CALLBACK modalProc(HWND h, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        sDialog = h;
        PostMessage(h, WM_APP, 0, 0);
        return TRUE;
    case WM_APP: {
        HWND helfer = CreateWindow("BoxHelfer", "", WS_CHILD, 0, 0, 1, 1, h, 0, 0, 0);
        SendMessage(helfer, WM_APP + 1, 0, 0);
        sDialogDanach = IsWindowEnabled(h) != 0;
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) EndDialog(h, LOWORD(wp));
        return TRUE;
    default: return FALSE;
    }
}

TEST_F(NachrichtBoxTest, BoxInSentMessageInModalDialogReenablesExactlyWhatItDisabled)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = helferProc;
    wc.lpszClassName = "BoxHelfer";
    RegisterClass(&wc);
    sHaupt = fenster("Haupt", 10);
    sGesperrt = fenster("Gesperrt", 400);
    sFrei = fenster("Frei", 800);
    EnableWindow(sGesperrt, FALSE);
    sAntwort = 0;
    sDialogDanach = false;
    sWaehrend.clear();
    plNachrichtBoxBeobachter([](HWND) {
        sWaehrend = {IsWindowEnabled(sHaupt) != 0, IsWindowEnabled(sGesperrt) != 0, IsWindowEnabled(sFrei) != 0,
                     IsWindowEnabled(sDialog) != 0};
    });
    plNachrichtBoxAntwort(IDNO);
    RcDialog t;
    t.stil = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.cx = 120;
    t.cy = 60;
    t.titel = "Modal";
    t.elemente.push_back(RcDlgElement{"OK", IDOK, "button", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
                                      10, 40, 40, 14, 0});
    EXPECT_EQ(DialogBoxIndirectParam(0, &t, sHaupt, modalProc, 0), IDOK);
    EXPECT_EQ(sAntwort, IDNO);
    // While the box was up: everything disabled.
    EXPECT_EQ(sWaehrend, (std::vector<bool>{false, false, false, false}));
    // Afterwards: the windows the box and the dialog disabled are enabled
    // again, the one disabled before stays so.
    EXPECT_TRUE(sDialogDanach);
    EXPECT_TRUE(IsWindowEnabled(sHaupt));
    EXPECT_TRUE(IsWindowEnabled(sFrei));
    EXPECT_FALSE(IsWindowEnabled(sGesperrt));
    ASSERT_EQ(plNachrichtBoxFragen().size(), 1u);
    EXPECT_EQ(plNachrichtBoxFragen()[0].typ & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION));
}

TEST_F(NachrichtBoxTest, BoxOverDisabledDialogLeavesTheDialogDisabledWhenItWasBefore)
{
    // The main window is disabled by a modal dialog; a task-modal box must
    // give it back disabled, not enabled.
    HWND haupt = fenster("Haupt", 10);
    EnableWindow(haupt, FALSE);
    MessageBox(0, "Hinweis", "Velmo", MB_OK | MB_TASKMODAL);
    EXPECT_FALSE(IsWindowEnabled(haupt));
}

TEST_F(NachrichtBoxTest, PictureOfAQuestionBox)
{
    static std::string pfad;
    pfad = std::string(::testing::TempDir()) + "nachrichtbox_frage.png";
    plNachrichtBoxBeobachter([](HWND box) { plHeadlessPng(box, pfad.c_str()); });
    MessageBox(0, "Die Zeichnung wurde ge\xE4" "ndert.\nSollen die \xC4" "nderungen gespeichert werden?", "Velmo",
               MB_YESNOCANCEL | MB_ICONQUESTION);
    cairo_surface_t* s = cairo_image_surface_create_from_png(pfad.c_str());
    ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
    // Wide enough for the text and the three buttons, and not a screen wide.
    EXPECT_GT(cairo_image_surface_get_width(s), 250);
    EXPECT_LT(cairo_image_surface_get_width(s), 700);
    cairo_surface_destroy(s);
}

TEST_F(NachrichtBoxTest, AVeryLongTextKeepsTheBoxOnTheScreen)
{
    std::string text;
    for (int i = 0; i < 400; ++i) text += "Zeile " + std::to_string(i) + "\n";
    static RECT box;
    plNachrichtBoxBeobachter([](HWND h) { GetWindowRect(h, &box); });
    EXPECT_EQ(MessageBox(0, text.c_str(), "Velmo", MB_OKCANCEL), IDOK);
    RECT arbeit;
    SystemParametersInfo(SPI_GETWORKAREA, 0, &arbeit, 0);
    EXPECT_GE(box.top, arbeit.top);
    EXPECT_LE(box.bottom, arbeit.bottom);
}

struct FatalGerufen : std::runtime_error {
    using std::runtime_error::runtime_error;
};

TEST_F(NachrichtBoxTest, FatalAppExitIsReplaceable)
{
    plFatalAppExitSetzen([](UINT, const char* text) { throw FatalGerufen(text); });
    try {
        FatalAppExit(0, "Das Programm wird beendet.");
        ADD_FAILURE() << "FatalAppExit returned";
    } catch (const FatalGerufen& e) {
        EXPECT_STREQ(e.what(), "Das Programm wird beendet.");
    }
    plFatalAppExitSetzen(nullptr);
}

TEST_F(NachrichtBoxTest, FatalAppExitEndsTheProcess)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(FatalAppExit(0, "Das Programm wird beendet."), ::testing::ExitedWithCode(3),
                "Das Programm wird beendet");
}

}  // namespace
