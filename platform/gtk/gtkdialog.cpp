// Native dialogs of the GTK backend: the desktop's file chooser
// (GtkFileChooserNative: open, save, folder) with the layer's filters, and
// the GTK print dialog (GtkPrintUnixDialog) installed as the layer's native
// print dialog (plDruckDialogNativ). Prefix `gk`.
//
// Printing: the layer's printer DC writes a PDF or PostScript file (drucker.h).
// For the print-to-file printer that file is the one the dialog names. For a
// real printer it is a file in a private temporary folder; when the layer's
// EndDoc has renamed it into place, it is sent to the printer as a GTK
// print job with the dialog's settings (copies, collation, duplex) and
// removed once the job is sent. Pending files are looked for by a GLib
// timer, so no call of the layer has to know about it.
#include <sys/stat.h>
#include <unistd.h>

#include <gtk/gtkunixprint.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/cp1252.h"
#include "platform/dateidialog.h"
#include "platform/drucker.h"
#include "platform/gtk/gtkbackend.h"
#include "platform/gtk/gtkint.h"
#include "platform/orte.h"

namespace {

inline constexpr guint GK_DRUCK_PRUEF_MS = 300;

struct gkDruckJob {
    std::string datei;   // UTF-8 file the layer writes
    std::string ordner;  // its private folder
    GtkPrinter* drucker = nullptr;
    GtkPrintSettings* einst = nullptr;
    GtkPageSetup* seite = nullptr;
    bool gesendet = false;
    ~gkDruckJob()
    {
        if (drucker) g_object_unref(drucker);
        if (einst) g_object_unref(einst);
        if (seite) g_object_unref(seite);
    }
};

std::vector<std::unique_ptr<gkDruckJob>> gkJobs;
guint gkJobTimer = 0;
std::string gkExportPfad;  // next print dialog: print to this PDF without asking
bool gkExportAn = false;
std::string gkDruckOrdner;  // UTF-8 folder of the last print-to-file choice in this run
std::string gkDruckerName;  // the printer chosen last in this run: offered again

// A closed desktop dialog leaves the screen now: what the program does with
// the answer (an export, a print) may take long before GTK's loop runs
// again, and the dialog would stand on the screen, dead, meanwhile.
void gkDialogWeg()
{
    if (GdkDisplay* d = gdk_display_get_default()) gdk_display_flush(d);
}

// Where the print-to-file printer proposes its file: the folder chosen last
// in this run, else the user's documents folder. GTK would otherwise take
// the working folder, which is the project folder, and the file would land
// among the drawings.
void gkDruckDateiVorschlagen(GtkPrintSettings* s)
{
    std::string ordner = gkDruckOrdner.empty() ? plCpNachUtf8(plOrtDokumente()) : gkDruckOrdner;
    gchar* pfad = g_build_filename(ordner.c_str(), "Ausgabe.pdf", nullptr);
    gchar* uri = g_filename_to_uri(pfad, nullptr, nullptr);
    if (uri) gtk_print_settings_set(s, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    g_free(uri);
    g_free(pfad);
}

void gkJobAufraeumen(gkDruckJob* j)
{
    std::remove(j->datei.c_str());
    rmdir(j->ordner.c_str());
}

void gkJobFertig(GtkPrintJob*, gpointer p, const GError* fehler)
{
    auto* j = static_cast<gkDruckJob*>(p);
    if (fehler) std::fprintf(stderr, "velmo: Druckauftrag fehlgeschlagen: %s\n", fehler->message);
    gkJobAufraeumen(j);
    for (auto it = gkJobs.begin(); it != gkJobs.end(); ++it)
        if (it->get() == j) {
            gkJobs.erase(it);
            break;
        }
}

gboolean gkJobsPruefen(gpointer)
{
    for (auto& j : gkJobs) {
        struct stat st;
        if (j->gesendet || ::stat(j->datei.c_str(), &st) != 0) continue;
        j->gesendet = true;
        GtkPrintJob* job = gtk_print_job_new("Velmo", j->drucker, j->einst, j->seite);
        GError* fehler = nullptr;
        if (!gtk_print_job_set_source_file(job, j->datei.c_str(), &fehler)) {
            std::fprintf(stderr, "velmo: Druckdatei nicht lesbar: %s\n", fehler ? fehler->message : "");
            if (fehler) g_error_free(fehler);
            g_object_unref(job);
            gkJobFertig(nullptr, j.get(), nullptr);
            break;  // the list changed
        }
        gtk_print_job_send(job, gkJobFertig, j.get(), nullptr);
        g_object_unref(job);
    }
    if (gkJobs.empty()) {
        gkJobTimer = 0;
        return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
}

GtkPrintSettings* gkEinstellungenAus(const plDruckEinstellung& e)
{
    GtkPrintSettings* s = gtk_print_settings_new();
    gtk_print_settings_set_n_copies(s, e.kopien > 0 ? e.kopien : 1);
    gtk_print_settings_set_collate(s, e.sortiert);
    gtk_print_settings_set_orientation(
        s, e.ausrichtung == DMORIENT_LANDSCAPE ? GTK_PAGE_ORIENTATION_LANDSCAPE : GTK_PAGE_ORIENTATION_PORTRAIT);
    gtk_print_settings_set_duplex(s, e.duplex == DMDUP_VERTICAL     ? GTK_PRINT_DUPLEX_VERTICAL
                                     : e.duplex == DMDUP_HORIZONTAL ? GTK_PRINT_DUPLEX_HORIZONTAL
                                                                    : GTK_PRINT_DUPLEX_SIMPLEX);
    GtkPaperSize* p = gtk_paper_size_new(e.papier == DMPAPER_A3 ? GTK_PAPER_NAME_A3 : GTK_PAPER_NAME_A4);
    gtk_print_settings_set_paper_size(s, p);
    gtk_paper_size_free(p);
    return s;
}

GtkPageSetup* gkSeiteAus(const plDruckEinstellung& e)
{
    GtkPageSetup* s = gtk_page_setup_new();
    GtkPaperSize* p = gtk_paper_size_new(e.papier == DMPAPER_A3 ? GTK_PAPER_NAME_A3 : GTK_PAPER_NAME_A4);
    gtk_page_setup_set_paper_size(s, p);
    gtk_paper_size_free(p);
    gtk_page_setup_set_orientation(
        s, e.ausrichtung == DMORIENT_LANDSCAPE ? GTK_PAGE_ORIENTATION_LANDSCAPE : GTK_PAGE_ORIENTATION_PORTRAIT);
    return s;
}

// What the chosen printer and settings mean for the layer's printer DC.
// 1, or 0 when the choice cannot be printed (no file to write).
int gkDruckUebernehmen(GtkPrinter* drucker, GtkPrintSettings* s, GtkPageSetup* seite, plDruckEinstellung* e)
{
    e->kopien = std::max(1, gtk_print_settings_get_n_copies(s));
    e->sortiert = gtk_print_settings_get_collate(s) != FALSE;
    GtkPageOrientation o =
        seite ? gtk_page_setup_get_orientation(seite) : gtk_print_settings_get_orientation(s);
    e->ausrichtung = (o == GTK_PAGE_ORIENTATION_LANDSCAPE || o == GTK_PAGE_ORIENTATION_REVERSE_LANDSCAPE)
                         ? DMORIENT_LANDSCAPE
                         : DMORIENT_PORTRAIT;
    GtkPaperSize* p = seite ? gtk_page_setup_get_paper_size(seite) : gtk_print_settings_get_paper_size(s);
    const char* papier = p ? gtk_paper_size_get_name(p) : GTK_PAPER_NAME_A4;
    if (std::strcmp(papier, GTK_PAPER_NAME_A3) == 0) {
        e->papier = DMPAPER_A3;
    } else {
        if (std::strcmp(papier, GTK_PAPER_NAME_A4) != 0)
            std::fprintf(stderr, "velmo: Papier %s wird als A4 gedruckt\n", papier);
        e->papier = DMPAPER_A4;
    }
    if (p && !seite) gtk_paper_size_free(p);
    switch (gtk_print_settings_get_duplex(s)) {
    case GTK_PRINT_DUPLEX_HORIZONTAL: e->duplex = DMDUP_HORIZONTAL; break;
    case GTK_PRINT_DUPLEX_VERTICAL: e->duplex = DMDUP_VERTICAL; break;
    default: e->duplex = DMDUP_SIMPLEX; break;
    }
    if (!drucker || gtk_printer_is_virtual(drucker)) {
        // The print-to-file printer: the file the dialog names.
        const char* uri = gtk_print_settings_get(s, GTK_PRINT_SETTINGS_OUTPUT_URI);
        gchar* pfad = uri ? g_filename_from_uri(uri, nullptr, nullptr) : nullptr;
        if (!pfad) {
            std::fprintf(stderr, "velmo: der Drucker nennt keine Ausgabedatei\n");
            return 0;
        }
        e->datei = plCpAusUtf8Melden(pfad, "Druckdatei");
        gchar* ordner = g_path_get_dirname(pfad);
        gkDruckOrdner = ordner;
        g_free(ordner);
        g_free(pfad);
        const char* art = gtk_print_settings_get(s, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT);
        e->format = (art && std::strcmp(art, "ps") == 0) ? plDruckFormat::PostScript : plDruckFormat::Pdf;
        return 1;
    }
    std::string vorlage = plOrtTemp() + "/velmo-druck-XXXXXX";
    std::vector<char> puffer(vorlage.begin(), vorlage.end());
    puffer.push_back('\0');
    if (!g_mkdtemp(puffer.data())) {
        std::fprintf(stderr, "velmo: kein Platz fuer die Druckdatei in %s\n", plOrtTemp().c_str());
        return 0;
    }
    auto j = std::make_unique<gkDruckJob>();
    j->ordner = puffer.data();
    bool pdf = gtk_printer_accepts_pdf(drucker);
    j->datei = j->ordner + (pdf ? "/druck.pdf" : "/druck.ps");
    j->drucker = GTK_PRINTER(g_object_ref(drucker));
    j->einst = gtk_print_settings_copy(s);
    j->seite = seite ? gtk_page_setup_copy(seite) : gkSeiteAus(*e);
    e->datei = plCpAusUtf8Melden(j->datei, "Druckdatei");
    e->format = pdf ? plDruckFormat::Pdf : plDruckFormat::PostScript;
    gkJobs.push_back(std::move(j));
    if (!gkJobTimer) gkJobTimer = g_timeout_add(GK_DRUCK_PRUEF_MS, gkJobsPruefen, nullptr);
    return 1;
}

// GTK's export action: the settings of the print-to-file printer, asked of
// nobody.
int gkDruckExport(plDruckEinstellung* e)
{
    GtkPrintSettings* s = gkEinstellungenAus(*e);
    std::string u8 = plCpNachUtf8(gkExportPfad);
    gchar* uri = g_filename_to_uri(u8.c_str(), nullptr, nullptr);
    if (!uri) {
        g_object_unref(s);
        return 0;
    }
    gtk_print_settings_set(s, GTK_PRINT_SETTINGS_OUTPUT_URI, uri);
    gtk_print_settings_set(s, GTK_PRINT_SETTINGS_OUTPUT_FILE_FORMAT, "pdf");
    g_free(uri);
    GtkPageSetup* seite = gkSeiteAus(*e);
    const std::string ordner = gkDruckOrdner;  // asked of nobody: no choice of the user
    int r = gkDruckUebernehmen(nullptr, s, seite, e);
    gkDruckOrdner = ordner;
    g_object_unref(seite);
    g_object_unref(s);
    return r;
}

int gkDruckNativ(HWND besitzer, plDruckEinstellung* e)
{
    if (!e) return 0;
    if (gkExportAn) {
        gkExportAn = false;
        return gkDruckExport(e);
    }
    GtkWidget* d = gtk_print_unix_dialog_new("Drucken", gkGtkFensterVon(besitzer));
    GtkPrintUnixDialog* pd = GTK_PRINT_UNIX_DIALOG(d);
    GtkPrintSettings* s = gkEinstellungenAus(*e);
    gkDruckDateiVorschlagen(s);
    if (!gkDruckerName.empty()) gtk_print_settings_set_printer(s, gkDruckerName.c_str());
    GtkPageSetup* seite = gkSeiteAus(*e);
    gtk_print_unix_dialog_set_settings(pd, s);
    gtk_print_unix_dialog_set_page_setup(pd, seite);
    gtk_print_unix_dialog_set_embed_page_setup(pd, TRUE);
    gtk_print_unix_dialog_set_manual_capabilities(
        pd, static_cast<GtkPrintCapabilities>(GTK_PRINT_CAPABILITY_COPIES | GTK_PRINT_CAPABILITY_COLLATE |
                                              GTK_PRINT_CAPABILITY_GENERATE_PDF | GTK_PRINT_CAPABILITY_GENERATE_PS));
    g_object_unref(s);
    g_object_unref(seite);
    gtk_window_set_modal(GTK_WINDOW(d), TRUE);
    int r = 0;
    if (gtk_dialog_run(GTK_DIALOG(d)) == GTK_RESPONSE_OK) {
        GtkPrinter* drucker = gtk_print_unix_dialog_get_selected_printer(pd);
        if (drucker) gkDruckerName = gtk_printer_get_name(drucker);
        GtkPrintSettings* gew = gtk_print_unix_dialog_get_settings(pd);
        GtkPageSetup* gseite = gtk_print_unix_dialog_get_page_setup(pd);
        r = gkDruckUebernehmen(drucker, gew, gseite, e);
        g_object_unref(gew);
    }
    gtk_widget_destroy(d);
    gkDialogWeg();
    return r;
}

std::string gkMusterOhneFall(const std::string& m)
{
    // GTK compares patterns by case; the program's files come from file
    // systems that do not.
    std::string aus;
    for (char c : m) {
        if (g_ascii_isalpha(c)) {
            aus += '[';
            aus += g_ascii_tolower(c);
            aus += g_ascii_toupper(c);
            aus += ']';
        } else {
            aus += c;
        }
    }
    return aus;
}

}  // namespace

std::vector<plGtkFilter> plGtkFilterZerlegen(const char* filter1252)
{
    std::vector<plGtkFilter> liste;
    if (!filter1252) return liste;
    std::vector<std::string> teile;
    std::string t = filter1252;
    size_t p = 0;
    for (;;) {
        size_t e = t.find('|', p);
        teile.push_back(t.substr(p, e == std::string::npos ? std::string::npos : e - p));
        if (e == std::string::npos) break;
        p = e + 1;
    }
    for (size_t i = 0; i + 1 < teile.size(); i += 2) {
        plGtkFilter f;
        f.name = plCpNachUtf8(teile[i]);
        size_t q = 0;
        const std::string& m = teile[i + 1];
        for (;;) {
            size_t e = m.find(';', q);
            std::string eins = m.substr(q, e == std::string::npos ? std::string::npos : e - q);
            while (!eins.empty() && eins.front() == ' ') eins.erase(eins.begin());
            while (!eins.empty() && eins.back() == ' ') eins.pop_back();
            if (!eins.empty()) f.muster.push_back(plCpNachUtf8(eins));
            if (e == std::string::npos) break;
            q = e + 1;
        }
        if (!f.name.empty() || !f.muster.empty()) liste.push_back(std::move(f));
    }
    return liste;
}

std::string plGtkFilterName(const plGtkFilter& f)
{
    // The chooser's list shows names only: the patterns follow in
    // parentheses unless the name already gives them.
    if (f.muster.empty() || f.name.find('(') != std::string::npos) return f.name;
    std::string n = f.name + " (";
    for (size_t i = 0; i < f.muster.size(); ++i) n += (i ? ";" : "") + f.muster[i];
    return n + ")";
}

int gkDateiDialog(const plDateiDialogAuftrag* a, std::string* ergebnis)
{
    if (!a || !ergebnis) return 0;
    GtkFileChooserAction art = a->art == 1   ? GTK_FILE_CHOOSER_ACTION_SAVE
                               : a->art == 2 ? GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER
                                             : GTK_FILE_CHOOSER_ACTION_OPEN;
    const char* vorgabe = a->art == 1 ? "Speichern unter" : a->art == 2 ? "Ordner w\xE4hlen" : "\xD6" "ffnen";
    std::string titel = plCpNachUtf8(a->titel && *a->titel ? a->titel : vorgabe);
    std::string knopf = a->art == 1 ? "_Speichern" : a->art == 2 ? "_Ausw\xC3\xA4hlen" : "\xC3\x96" "_ffnen";
    GtkFileChooserNative* d = gtk_file_chooser_native_new(titel.c_str(), gkGtkFensterVon(a->besitzer), art,
                                                          knopf.c_str(), "_Abbrechen");
    gtk_native_dialog_set_modal(GTK_NATIVE_DIALOG(d), TRUE);
    GtkFileChooser* fc = GTK_FILE_CHOOSER(d);
    auto utf8 = [](const char* s) {
        std::string u = plCpNachUtf8(s ? s : "");
        for (char& c : u)
            if (c == '\\') c = '/';
        return u;
    };
    std::string ordner = utf8(a->ordner), name = utf8(a->name);
    // A pattern as the initial name ("*.dxf") chooses the filter that holds
    // it; it is no name to propose.
    const bool muster = name.find_first_of("*?") != std::string::npos;
    std::vector<plGtkFilter> filter = plGtkFilterZerlegen(a->art == 2 ? nullptr : a->filter);
    int gewaehlt = a->filterIndex;
    bool gefunden = false;
    for (size_t i = 0; muster && !gefunden && i < filter.size(); ++i)
        for (const std::string& m : filter[i].muster)
            if (!gefunden && g_ascii_strcasecmp(m.c_str(), name.c_str()) == 0) {
                gewaehlt = static_cast<int>(i) + 1;
                gefunden = true;
            }
    for (size_t i = 0; i < filter.size(); ++i) {
        GtkFileFilter* ff = gtk_file_filter_new();
        gtk_file_filter_set_name(ff, plGtkFilterName(filter[i]).c_str());
        for (const std::string& m : filter[i].muster) gtk_file_filter_add_pattern(ff, gkMusterOhneFall(m).c_str());
        gtk_file_chooser_add_filter(fc, ff);  // takes the floating reference
        if (static_cast<int>(i) + 1 == gewaehlt) gtk_file_chooser_set_filter(fc, ff);
    }
    if (muster) name.clear();
    // GTK takes absolute folders only; a relative one is the working folder's.
    if (!ordner.empty() && ordner[0] != '/') {
        gchar* hier = g_get_current_dir();
        gchar* ganz = g_build_filename(hier, ordner.c_str(), nullptr);
        ordner = ganz;
        g_free(ganz);
        g_free(hier);
    }
    if (!ordner.empty()) gtk_file_chooser_set_current_folder(fc, ordner.c_str());
    if (!name.empty()) {
        if (a->art == 1)
            gtk_file_chooser_set_current_name(fc, name.c_str());
        else if (a->art == 0 && !ordner.empty())
            gtk_file_chooser_set_filename(fc, (ordner + "/" + name).c_str());
    }
    gtk_file_chooser_set_select_multiple(fc, a->mehrere && a->art == 0);
    int r = 0;
    if (gtk_native_dialog_run(GTK_NATIVE_DIALOG(d)) == GTK_RESPONSE_ACCEPT) {
        GSList* dateien = gtk_file_chooser_get_filenames(fc);
        std::vector<std::string> pfade;
        for (GSList* l = dateien; l; l = l->next) {
            pfade.push_back(plCpAusUtf8Melden(static_cast<const char*>(l->data), "Dateiauswahl"));
            g_free(l->data);
        }
        g_slist_free(dateien);
        if (pfade.size() == 1) {
            *ergebnis = pfade[0];
            r = 1;
        } else if (pfade.size() > 1) {
            // Several: the folder, then the names, each ended by '\0'.
            std::string o = pfade[0].substr(0, pfade[0].rfind('/'));
            std::string t = o;
            t += '\0';
            for (const std::string& p : pfade) {
                t += p.substr(p.rfind('/') + 1);
                t += '\0';
            }
            t += '\0';
            *ergebnis = t;
            r = 1;
        }
    }
    g_object_unref(d);
    gkDialogWeg();
    return r;
}

int gkDruckDialog(plDruckDialogAuftrag*, cairo_surface_t**)
{
    // The layer's print dialog asks through plDruckDialogNativ (installed at
    // start), which gives the printer DC its file; no surface is handed out.
    return 0;
}

void gkDruckStart()
{
    plDruckDialogNativ(gkDruckNativ);
}

void gkDruckEnde()
{
    plDruckDialogNativ(nullptr);
    if (gkJobTimer) g_source_remove(gkJobTimer);
    gkJobTimer = 0;
    for (auto& j : gkJobs) {
        if (!j->gesendet)
            gkJobAufraeumen(j.get());
        else
            (void)j.release();  // GTK still holds it for its answer; the program ends
    }
    gkJobs.clear();
    gkExportAn = false;
}

void plGtkDruckExport(const char* pfad1252)
{
    gkExportPfad = pfad1252 ? pfad1252 : "";
    gkExportAn = !gkExportPfad.empty();
}
