// Output on the desktop backend under the test's X server: the desktop's
// file chooser starts in the folder it is given, with the German filter
// names and, for a pattern as the initial name, that pattern's filter
// chosen (GTK's own calls look into the open chooser); and `velmo` prints
// every demo sheet through the GTK print dialog, driven with xdotool as a
// user does, to a PDF file in the documents folder on A4 and on A3: every
// page on its paper, the whole sheet on it, nothing cut at an edge.
#include <gtest/gtest.h>

#include <gtk/gtk.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/lokalbefehl.h"
#include "tests/desktop/desktop_pruef.h"
#include "winlib/dateiwahl.h"

namespace fs = std::filesystem;

namespace {

fs::path ausgabeWurzel()
{
    static fs::path w = [] {
        char muster[] = "/tmp/velmo-ausgabe-XXXXXX";
        const char* d = mkdtemp(muster);
        return fs::path(d ? d : "/tmp");
    }();
    return w;
}

fs::path ausgabeNeben() { return fs::read_symlink("/proc/self/exe").parent_path(); }

int ausgabeBefehl(const std::string& text)
{
    const int r = std::system(text.c_str());
    return WIFEXITED(r) ? WEXITSTATUS(r) : -1;
}

// What the open chooser showed, read through GTK while it is up.
struct ChooserBlick {
    std::string titel, ordner, filter, gewaehlt, name;
    std::vector<std::string> filterNamen;
    int takte = 0;
    bool gesehen = false;
};
ChooserBlick chooserBlick;
std::string chooserBild;

gboolean chooserAnsehen(gpointer)
{
    GList* fenster = gtk_window_list_toplevels();
    GtkWidget* dlg = nullptr;
    for (GList* l = fenster; l; l = l->next)
        if (GTK_IS_FILE_CHOOSER_DIALOG(l->data) && gtk_widget_get_mapped(GTK_WIDGET(l->data))) dlg = GTK_WIDGET(l->data);
    g_list_free(fenster);
    if (!dlg) return G_SOURCE_CONTINUE;
    // A moment for the folder to be listed and drawn, then the picture.
    if (++chooserBlick.takte < 10) return G_SOURCE_CONTINUE;
    GtkFileChooser* fc = GTK_FILE_CHOOSER(dlg);
    ChooserBlick& b = chooserBlick;
    b.titel = gtk_window_get_title(GTK_WINDOW(dlg));
    if (gchar* o = gtk_file_chooser_get_current_folder(fc)) {
        b.ordner = o;
        g_free(o);
    }
    GSList* filter = gtk_file_chooser_list_filters(fc);
    for (GSList* l = filter; l; l = l->next) b.filterNamen.push_back(gtk_file_filter_get_name(GTK_FILE_FILTER(l->data)));
    g_slist_free(filter);
    if (GtkFileFilter* f = gtk_file_chooser_get_filter(fc)) b.gewaehlt = gtk_file_filter_get_name(f);
    if (gtk_file_chooser_get_action(fc) == GTK_FILE_CHOOSER_ACTION_SAVE) {
        gchar* n = gtk_file_chooser_get_current_name(fc);
        b.name = n ? n : "";
        g_free(n);
    }
    if (!chooserBild.empty()) {
        gchar* aus = nullptr;
        std::string befehl = "import -window root '" + chooserBild + "'";
        g_spawn_command_line_sync(befehl.c_str(), &aus, nullptr, nullptr, nullptr);
        g_free(aus);
    }
    b.gesehen = true;
    gtk_dialog_response(GTK_DIALOG(dlg), GTK_RESPONSE_CANCEL);
    return G_SOURCE_REMOVE;
}

class GtkWahl : public ::testing::Test {
protected:
    void SetUp() override
    {
        plFensterSystemEnde();
        plBackendEnde();
        setenv("VELMO_BACKEND", "gtk", 1);
        ASSERT_EQ(plFensterSystemStart(), 0);
        ASSERT_STREQ(plBackendName(), "gtk");
        chooserBlick = ChooserBlick{};
    }
    void TearDown() override { plFensterSystemEnde(); }
    // Opens the chooser through the window library as the pages do; it is
    // looked at and cancelled from GTK's loop.
    static void fragen(const std::string& anfang, const char* titel, const char* filter, int modus, const char* bild)
    {
        chooserBild = (ausgabeNeben() / bild).string();
        const guint uhr = g_timeout_add(100, chooserAnsehen, nullptr);
        char pfad[WIDATEISUP + 1];
        std::snprintf(pfad, sizeof pfad, "%s", anfang.c_str());
        EXPECT_EQ(wiDateiDialog(pfad, titel, filter, modus), 0) << "cancelled";
        if (!chooserBlick.gesehen) g_source_remove(uhr);
        ASSERT_TRUE(chooserBlick.gesehen) << "no chooser came up";
    }
};

// One page of a PDF as grey values (pdftoppm -gray), and where its ink lies.
struct Seite {
    int breite = 0, hoehe = 0;
    int links = -1, oben = -1, rechts = -1, unten = -1;
};

Seite seiteLesen(const fs::path& pgm)
{
    Seite s;
    std::ifstream f(pgm, std::ios::binary);
    std::string art;
    int maxwert = 0;
    f >> art >> s.breite >> s.hoehe >> maxwert;
    f.get();
    if (art != "P5" || s.breite <= 0 || s.hoehe <= 0 || maxwert != 255) return Seite{};
    std::vector<unsigned char> p(static_cast<size_t>(s.breite) * static_cast<size_t>(s.hoehe));
    f.read(reinterpret_cast<char*>(p.data()), static_cast<std::streamsize>(p.size()));
    for (int y = 0; y < s.hoehe; ++y)
        for (int x = 0; x < s.breite; ++x)
            if (p[static_cast<size_t>(y) * static_cast<size_t>(s.breite) + static_cast<size_t>(x)] < 128) {
                if (s.links < 0 || x < s.links) s.links = x;
                if (s.oben < 0 || y < s.oben) s.oben = y;
                s.rechts = std::max(s.rechts, x);
                s.unten = std::max(s.unten, y);
            }
    return s;
}

}  // namespace

// The import of the project page: "*.dxf" in the project folder with the
// three German filters; the export's "Wählen...": the folder and the name.
TEST_F(GtkWahl, TheChooserStartsInItsFolderWithTheGermanFilterNames)
{
    const fs::path projekt = ausgabeWurzel() / "Pl\xC3\xA4ne";
    fs::create_directories(projekt);
    std::ofstream(projekt / "Anlage.dxf") << "0\nEOF\n";
    std::ofstream(projekt / "Notiz.txt") << "x";
    const std::string ordner1252 = (ausgabeWurzel() / "Pl\xE4ne").string();
    fragen(ordner1252 + "/*.dxf", "Zeichnung importieren", "DXF-Dateien|*.dxf|HPGL-Dateien|*.hpgl|Text-Dateien|*.txt|",
           0, "desktop_wahl_import.png");
    EXPECT_EQ(chooserBlick.titel, "Zeichnung importieren");
    EXPECT_EQ(chooserBlick.ordner, projekt.string());
    EXPECT_EQ(chooserBlick.filterNamen,
              (std::vector<std::string>{"DXF-Dateien (*.dxf)", "HPGL-Dateien (*.hpgl)", "Text-Dateien (*.txt)"}));
    EXPECT_EQ(chooserBlick.gewaehlt, "DXF-Dateien (*.dxf)");
    // Another pattern chooses its own filter.
    chooserBlick = ChooserBlick{};
    fragen(ordner1252 + "/*.TXT", "Zeichnung importieren", "DXF-Dateien|*.dxf|HPGL-Dateien|*.hpgl|Text-Dateien|*.txt|",
           0, "desktop_wahl_import_txt.png");
    EXPECT_EQ(chooserBlick.gewaehlt, "Text-Dateien (*.txt)");

    chooserBlick = ChooserBlick{};
    fragen(ordner1252 + "/Projekt.pdf", "Exportdatei speichern unter", "Zeichnungen (*.pdf)|*.pdf|Alle Dateien|*.*|", 2,
           "desktop_wahl_export.png");
    EXPECT_EQ(chooserBlick.ordner, projekt.string());
    EXPECT_EQ(chooserBlick.name, "Projekt.pdf");
    EXPECT_EQ(chooserBlick.filterNamen, (std::vector<std::string>{"Zeichnungen (*.pdf)", "Alle Dateien (*.*)"}));

    // The export's folder browser opens on the folder field's folder.
    chooserBlick = ChooserBlick{};
    chooserBild = (ausgabeNeben() / "desktop_wahl_ordner.png").string();
    const guint uhr = g_timeout_add(100, chooserAnsehen, nullptr);
    char start[WIDATEISUP + 1];
    std::snprintf(start, sizeof start, "%s", ordner1252.c_str());
    EXPECT_EQ(wiOrdnerWahl(start, "Zielordner w\xE4hlen"), 0) << "cancelled";
    // Gone from the screen at once, before the program's loop runs again.
    EXPECT_NE(std::system("xdotool search --onlyvisible --name '^Zielordner' >/dev/null"), 0)
        << "the closed chooser still stands on the screen";
    if (!chooserBlick.gesehen) g_source_remove(uhr);
    ASSERT_TRUE(chooserBlick.gesehen);
    EXPECT_EQ(chooserBlick.titel, "Zielordner w\xC3\xA4hlen");
    EXPECT_EQ(chooserBlick.ordner, projekt.string());
    if (!HasFailure()) fs::remove_all(projekt);
}

// `velmo` on a copy of the demo project with a fresh home that has a
// documents folder: all sheets marked (a click into the list, Ctrl+A),
// Ctrl+P, the print-to-file printer clicked, Drucken; then again with A3
// chosen on "Seite einrichten". Screenshots of the dialog are kept.
TEST(VelmoDruckDialog, EveryDemoSheetToAPdfFileOnA4AndOnA3)
{
    ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "run under xvfb-run";
    const fs::path w = ausgabeWurzel() / "druck";
    for (const char* d : {"laufzeit", "konfig", "heim/Dokumente", "arbeit"}) fs::create_directories(w / d);
    fs::permissions(w / "laufzeit", fs::perms::owner_all);
    fs::copy(fs::path(VELMO_SOURCE_DIR) / "demo" / "Projekt", w / "arbeit" / "Projekt", fs::copy_options::recursive);
    setenv("XDG_RUNTIME_DIR", (w / "laufzeit").c_str(), 1);
    const std::string programm = (ausgabeNeben() / "velmo").string();
    ASSERT_TRUE(fs::exists(programm));
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir((w / "arbeit").c_str()) != 0) _exit(120);
        setenv("VELMO_BACKEND", "gtk", 1);
        setenv("HOME", (w / "heim").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (w / "konfig").c_str(), 1);
        unsetenv("XDG_DOCUMENTS_DIR");
        unsetenv("LC_ALL");  // a German desktop
        setenv("LANG", "de_DE.UTF-8", 1);
        alarm(100);
        execl(programm.c_str(), programm.c_str(), "-W=1", "Projekt", static_cast<char*>(nullptr));
        _exit(121);
    }
    ASSERT_TRUE(desktopWarten(20000, [] { return plLokalServerLebt("Velmo") != 0; }));
    ASSERT_EQ(ausgabeBefehl("timeout 20 xdotool search --sync --onlyvisible --name '^Velmo - ' >/dev/null"), 0);
    const std::string haupt = "$(xdotool search --onlyvisible --name '^Velmo - ' | head -1)";
    const std::string dlg = "$(xdotool search --onlyvisible --name '^Drucken$' | head -1)";
    const fs::path neben = ausgabeNeben();
    // The dialog's places, from its top left corner (GTK's own layout).
    const std::string drucker = "98 87", reiter = "168 18", papier = "603 209", drucken = "703 487";
    auto klick = [&](const std::string& wo) {
        return ausgabeBefehl("xdotool mousemove --window " + dlg + " " + wo + " click 1 && sleep 0.6");
    };
    struct Lauf {
        const char* papier;
        const char* datei;
    } laeufe[] = {{"A4", "A4.pdf"}, {"A3", "A3.pdf"}};
    const fs::path ausgabe = w / "heim" / "Dokumente" / "Ausgabe.pdf";
    for (const Lauf& l : laeufe) {
        SCOPED_TRACE(l.papier);
        // The main window holds the keyboard first (the manager gives it on
        // activation). The other process shows nothing to wait for between
        // the click, the marking and the print: a pause for each.
        // A program still filling its list on a loaded machine marks
        // nothing and says "Es sind keine Zeichnungen markiert": that box is
        // answered and the user's keys given again.
        bool offen = false;
        for (int versuch = 0; versuch < 3 && !offen; ++versuch) {
            if (versuch) ausgabeBefehl("xdotool search --onlyvisible --name '^Velmo$' windowactivate --sync key Return; sleep 1");
            ASSERT_EQ(ausgabeBefehl("xdotool windowactivate --sync " + haupt + " mousemove --window " + haupt +
                                    " 400 300 click 1 sleep 0.5 key ctrl+a sleep 0.5 key ctrl+p"),
                      0);
            offen = ausgabeBefehl("timeout 20 xdotool search --sync --onlyvisible --name '^Drucken$' >/dev/null") == 0;
        }
        if (!offen) {
            ausgabeBefehl("import -window root '" + (neben / "desktop_druck_fehlt.png").string() + "'");
            std::string fenster;
            desktopAusfuehren("echo aktiv: $(xdotool getactivewindow getwindowname); "
                              "xdotool search --onlyvisible --name . getwindowname %@",
                              (w / "fenster").string(), &fenster);
            FAIL() << "no GTK print dialog (the screen: desktop_druck_fehlt.png)\n" << fenster;
        }
        ausgabeBefehl("sleep 1");
        ASSERT_EQ(klick(drucker), 0);
        ausgabeBefehl(std::string("import -window root '") + (neben / ("desktop_druck_" + std::string(l.papier) + "_allgemein.png")).string() + "'");
        ASSERT_EQ(klick(reiter), 0);
        if (std::string(l.papier) == "A3") {
            // The paper list opens on A4; A3 is seven rows above it. The
            // list is one more visible window of the program while it is
            // open.
            const std::string zahl = "$(xdotool search --onlyvisible --classname '^velmo$' | wc -l)";
            const std::string vorher = "n=" + zahl + "; ";
            ASSERT_EQ(ausgabeBefehl(vorher + "xdotool mousemove --window " + dlg + " " + papier + " click 1; "
                                    "for i in $(seq 100); do [ " + zahl + " -gt $n ] && exit 0; sleep 0.1; done; exit 1"),
                      0) << "the paper list opens";
            ASSERT_EQ(ausgabeBefehl(vorher + "xdotool key --delay 80 Up Up Up Up Up Up Up Return; "
                                    "for i in $(seq 100); do [ " + zahl + " -lt $n ] && exit 0; sleep 0.1; done; exit 1"),
                      0) << "the paper list closes";
        }
        ausgabeBefehl(std::string("import -window root '") + (neben / ("desktop_druck_" + std::string(l.papier) + "_seite.png")).string() + "'");
        ASSERT_EQ(klick(drucken), 0);
        std::string info;
        const bool fertig = desktopWarten(30000, [&] {
            return fs::exists(ausgabe) &&
                   desktopAusfuehren("pdfinfo '" + ausgabe.string() + "'", (w / "info").string(), &info) == 0 &&
                   info.find("Pages:           16") != std::string::npos;
        });
        ASSERT_TRUE(fertig) << "16 pages in " << ausgabe << "\n" << info;
        EXPECT_EQ(ausgabeBefehl("timeout 20 sh -c 'while xdotool search --onlyvisible --name \"^Drucken$\" >/dev/null; "
                                "do sleep 0.2; done'"),
                  0);
        fs::rename(ausgabe, w / l.datei);
        EXPECT_FALSE(fs::exists(w / "arbeit" / "Projekt" / "Ausgabe.pdf")) << "nothing in the project folder";
    }
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);

    // Every page on its paper; every sheet whole: ink inside the page on
    // all four sides, the frame sheets (pages 1 to 14) spanning most of it.
    for (const Lauf& l : laeufe) {
        SCOPED_TRACE(l.papier);
        const fs::path pdf = w / l.datei;
        EXPECT_EQ(ausgabeBefehl("qpdf --check '" + pdf.string() + "' >/dev/null"), 0);
        std::string info;
        ASSERT_EQ(desktopAusfuehren("pdfinfo -f 1 -l 16 '" + pdf.string() + "'", (w / "info").string(), &info), 0);
        const std::string quer = std::string(l.papier) == "A4" ? "841.89 x 595.276" : "1190.55 x 841.89";
        const std::string hoch = std::string(l.papier) == "A4" ? "595.276 x 841.89" : "841.89 x 1190.55";
        std::istringstream zeilen(info);
        int querSeiten = 0, hochSeiten = 0;
        for (std::string z; std::getline(zeilen, z);) {
            querSeiten += z.find("size:  " + quer) != std::string::npos;
            hochSeiten += z.find("size:  " + hoch) != std::string::npos;
        }
        EXPECT_EQ(querSeiten, 15) << info;
        EXPECT_EQ(hochSeiten, 1) << "Plan.001 is an A4 sheet upright\n" << info;
        const fs::path bilder = w / (std::string("seiten") + l.papier);
        fs::create_directories(bilder);
        ASSERT_EQ(ausgabeBefehl("pdftoppm -gray -r 30 '" + pdf.string() + "' '" + (bilder / "s").string() + "'"), 0);
        ausgabeBefehl("pdftoppm -png -r 40 -f 3 -l 3 '" + pdf.string() + "' '" + (neben / ("desktop_druck_" + std::string(l.papier))).string() + "'");
        for (int n = 1; n <= 16; ++n) {
            SCOPED_TRACE(n);
            char name[16];
            std::snprintf(name, sizeof name, "s-%02d.pgm", n);
            const Seite s = seiteLesen(bilder / name);
            ASSERT_GT(s.breite, 0);
            ASSERT_GE(s.links, 0) << "a blank page";
            // Nothing touches the paper's edge (a label the sheet itself puts
            // outside its frame may come close to it on A3 at 1:1).
            const int randX = 1, randY = 1;
            EXPECT_GE(s.links, randX);
            EXPECT_GE(s.oben, randY);
            EXPECT_LT(s.rechts, s.breite - randX) << "cut at the right";
            EXPECT_LT(s.unten, s.hoehe - randY) << "cut at the bottom";
            if (n <= 14) {
                EXPECT_GT(s.rechts - s.links, s.breite * 9 / 10) << "the frame across the page";
                EXPECT_GT(s.unten - s.oben, s.hoehe * 9 / 10) << "the frame down the page";
            }
        }
    }
    if (!HasFailure()) fs::remove_all(w);  // kept for a look when something failed
}
