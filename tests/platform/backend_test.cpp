// Backend selection: VELMO_BACKEND, the display, unknown names; and that the
// headless backend needs no display at all.
#include <dlfcn.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/backend.h"
#include "platform/gdi.h"
#include "tests/platform/fenster_pruef.h"

using namespace pruef;

namespace {

class Umgebung {
public:
    explicit Umgebung(const char* name) : name_(name)
    {
        if (const char* v = std::getenv(name)) alt_ = v;
    }
    ~Umgebung()
    {
        if (alt_)
            setenv(name_, alt_->c_str(), 1);
        else
            unsetenv(name_);
    }
    void setzen(const char* wert)
    {
        if (wert)
            setenv(name_, wert, 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> alt_;
};

plBackend attrappeGtk;

class Backend : public Fixture {};

TEST_F(Backend, SelectionByVariableAndDisplay)
{
    Umgebung backend("VELMO_BACKEND"), display("DISPLAY"), wayland("WAYLAND_DISPLAY");
    struct Fall {
        const char* satz;
        const char* variable;
        const char* anzeige;
        bool gtkDa;
        int ergebnis;
        const char* name;
    };
    const Fall faelle[] = {
        {"named headless", "headless", ":0", false, 0, "headless"},
        {"no variable, no display", nullptr, nullptr, false, 0, "headless"},
        {"no variable, a display, but no desktop backend built in", nullptr, ":0", false, 0, "headless"},
        {"an unknown name is an error", "qt", nullptr, false, -1, "headless"},
        {"gtk asked for but not there is an error", "gtk", ":0", false, -1, "headless"},
        {"no variable and a display choose the desktop backend", nullptr, ":0", true, 0, "gtk"},
        {"the variable beats the display", "headless", ":0", true, 0, "headless"},
        {"an empty variable is no name", "", nullptr, true, 0, "headless"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.satz);
        // Registration cannot be undone: once a repeated run registered the
        // stand-in, the cases of a program without it cannot be shown again.
        bool gtkGefragt = f.variable && std::string(f.variable) == "gtk";
        bool waehltGtk = gtkGefragt || ((!f.variable || !*f.variable) && f.anzeige);
        if (!f.gtkDa && waehltGtk && attrappeGtk.name) continue;
        if (f.gtkDa && !attrappeGtk.name) {
            attrappeGtk = *plHeadlessBackend();
            attrappeGtk.name = "gtk";
            ASSERT_EQ(plBackendRegistrieren(&attrappeGtk), 0);
            EXPECT_EQ(plBackendRegistrieren(&attrappeGtk), -1);  // one name once
        }
        plFensterSystemEnde();
        plBackendEnde();
        backend.setzen(f.variable);
        display.setzen(f.anzeige);
        wayland.setzen(nullptr);
        EXPECT_EQ(plBackendWaehlen(), f.ergebnis);
        EXPECT_EQ(plBackendWaehlen(), f.ergebnis);  // chosen once
        EXPECT_STREQ(plBackendName(), f.name);
        plBackendEnde();
    }
    // The desktop module beside this program needs the layer's functions
    // from a program that offers them: a test program never takes it in.
    EXPECT_EQ(dlopen("libgtk-3.so.0", RTLD_NOW | RTLD_NOLOAD), nullptr);
}

TEST_F(Backend, HeadlessRunsWithoutDisplayAndKeepsAVirtualScreen)
{
    Umgebung display("DISPLAY"), wayland("WAYLAND_DISPLAY"), backend("VELMO_BACKEND");
    plFensterSystemEnde();
    plBackendEnde();
    display.setzen(nullptr);
    wayland.setzen(nullptr);
    backend.setzen(nullptr);
    SetUp();
    EXPECT_STREQ(plBackendName(), "headless");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
    RECT arbeit;
    ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &arbeit, 0));
    EXPECT_EQ(arbeit.right, 1920);
    EXPECT_EQ(arbeit.bottom, 1040);
    RECT d;
    GetWindowRect(GetDesktopWindow(), &d);
    EXPECT_EQ(d.right, 1920);
    HWND a = fenster("A", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    ASSERT_NE(a, 0u);
    RECT r;
    GetWindowRect(a, &r);
    EXPECT_EQ(r.right - r.left, 1440);
    EXPECT_EQ(WindowFromPoint(POINT{r.left + 50, r.top + 50}), a);
    EXPECT_EQ(WindowFromPoint(POINT{1919, 1079}), 0u);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(99), 0u);
    HBRUSH b = GetSysColorBrush(COLOR_WINDOW);
    EXPECT_EQ(GetSysColorBrush(COLOR_WINDOW), b);
    DeleteObject(b);  // a system brush stays
    EXPECT_EQ(GetObjectType(b), static_cast<DWORD>(OBJ_BRUSH));
    plFensterSystemEnde();
    plBackendEnde();
}

}  // namespace
