// What the desktop backend sets up around GTK: GTK's own texts (file
// chooser, print dialog) come in German when a German UTF-8 locale is
// installed, and without a session bus a written setting stays in memory
// with nothing on stderr (no "dbus-launch" from dconf). Each case in a fresh
// process, as GTK starts only once.
#include <gtest/gtest.h>

#include <gio/gio.h>
#include <libintl.h>
#include <locale.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/fenster.h"

namespace {

bool localeDa(const char* name)
{
    locale_t l = newlocale(LC_MESSAGES_MASK, name, static_cast<locale_t>(nullptr));
    if (l) freelocale(l);
    return l != static_cast<locale_t>(nullptr);
}

TEST(GtkUmgebung, GtksOwnTextsAreGerman)
{
    if (!localeDa("de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 not installed (scripts/install-deps makes it)";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto lauf = [] {
        setenv("LANGUAGE", "en", 1);  // a user's English preference does not win over the program's language
        setenv("VELMO_BACKEND", "gtk", 1);
        if (plFensterSystemStart() != 0) std::exit(2);
        const std::string orte = dgettext("gtk30", "Other Locations");
        const std::string abbrechen = dgettext("gtk30", "_Cancel");
        std::fprintf(stderr, "texte: %s | %s\n", orte.c_str(), abbrechen.c_str());
        std::exit(orte == "Andere Orte" && abbrechen == "_Abbrechen" ? 0 : 3);
    };
    EXPECT_EXIT(lauf(), ::testing::ExitedWithCode(0), "texte: ");
}

TEST(GtkUmgebung, WithoutASessionBusSettingsStayInMemoryAndStderrStaysQuiet)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    auto lauf = [] {
        for (const char* n : {"DBUS_SESSION_BUS_ADDRESS", "GSETTINGS_BACKEND", "NO_AT_BRIDGE"}) unsetenv(n);
        setenv("VELMO_BACKEND", "gtk", 1);
        char pfad[] = "/tmp/velmo-gtkumgebung-XXXXXX";
        const int fd = mkstemp(pfad);
        const int stderrAlt = dup(2);
        if (fd < 0 || stderrAlt < 0 || dup2(fd, 2) < 0) std::exit(4);
        if (plFensterSystemStart() != 0) std::exit(2);
        GSettings* s = g_settings_new("org.gtk.Settings.FileChooser");
        g_settings_set_boolean(s, "show-hidden", TRUE);
        g_settings_sync();
        const bool gelesen = g_settings_get_boolean(s, "show-hidden");
        g_object_unref(s);
        std::fflush(stderr);
        dup2(stderrAlt, 2);
        std::ifstream f(pfad);
        const std::string text{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        unlink(pfad);
        std::fprintf(stderr, "stderr war: [%s]\n", text.c_str());
        std::exit(text.empty() && gelesen ? 0 : 3);
    };
    EXPECT_EXIT(lauf(), ::testing::ExitedWithCode(0), "stderr war: \\[\\]");
}

}  // namespace
