// Registry of the packed modules and the Windows-shaped resource calls (see
// ressource.h). Prefix `rc`. Calls the script parser and writes parse errors to stderr (the
// trace hook lies above this layer).
//
// The packer hands most modules over as parsed at build time: opening one
// reads its entries' types and names; a dialog, menu, table or image is
// unpacked at its first lookup and a text at its first LoadString, so a start
// builds only what it shows. Modules registered as scripts alone are parsed
// at their first use (or ahead, on a thread of their own).
//
// Handles: a module handle is 0x00010000 + the module's index in the registry;
// a resource handle (HRSRC and its HGLOBAL) is 0x00200000 + module index *
// 0x10000 + entry index + 1. Both stay valid for the process's life, so a
// struct handed out is never freed under its user; FreeLibrary only counts.
#include "platform/ressource.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <deque>
#include <memory>
#include <system_error>
#include <thread>

#include "platform/rcparser.h"

namespace {

// A parse running ahead on a thread of its own (rcModulVorausParsen): its
// own copies in, its own results out, taken over at the module's first use.
struct RcVoraus {
    std::thread faden;
    RcModul modul;
    std::string fehler;
    bool ok = false;
    bool nochmal = false;  // it failed otherwise than by a script error: parse at the first use
    ~RcVoraus()
    {
        if (faden.joinable()) faden.join();
    }
};

struct RcPaket {
    std::string name;
    std::string gross;
    // As registered (static data of the generated code): turned into a
    // list and a map only for a parse.
    const char* const* skripteRoh = nullptr;
    int anzSkripte = 0;
    const RcGepackteDatei* dateienRoh = nullptr;
    int anzDateien = 0;
    bool geparst = false;
    bool kaputt = false;
    std::string fehler;
    RcModul modul;
    int geladen = 0;
    std::unique_ptr<RcVoraus> voraus;
    // Packed as parsed by the build: the entries hold type and name until
    // their content is first asked for (inhaltDa), texts come in one by one.
    std::string_view gepacktBytes;
    RcGepackt gepackt;
    std::vector<char> inhaltDa;
};

// Built on first use, so the generated code's start-up registration may run
// before anything else of this file.
std::deque<RcPaket>& rcPakete()
{
    static std::deque<RcPaket> pakete;
    return pakete;
}

constexpr DWORD RC_MODULBASIS = 0x00010000;
constexpr DWORD RC_RESBASIS = 0x00200000;
constexpr DWORD RC_RESPROMODUL = 0x10000;

std::string rcGrossText(const std::string& s)
{
    return rcNameAus(s.c_str()).gross;
}

// The module name of a file name: without folder and extension, upper case.
std::string rcDateiModul(const std::string& datei)
{
    std::string n = datei;
    size_t s = n.find_last_of("/\\");
    if (s != std::string::npos) n = n.substr(s + 1);
    size_t pkt = n.rfind('.');
    if (pkt != std::string::npos && pkt > 0) n = n.substr(0, pkt);
    return rcGrossText(n);
}

std::vector<std::string> rcSkripte(const RcPaket& p)
{
    return std::vector<std::string>(p.skripteRoh, p.skripteRoh + p.anzSkripte);
}

// The reader of a module's registered files (the later of two with one path).
RcLeser rcPaketLeser(const RcPaket& p)
{
    std::map<std::string, std::string_view> dateien;
    for (int i = 0; i < p.anzDateien; ++i)
        dateien[p.dateienRoh[i].pfad] = std::string_view(p.dateienRoh[i].bytes, p.dateienRoh[i].groesse);
    return [dateien = std::move(dateien)](const std::string& pfad, std::string& inhalt) {
        auto it = dateien.find(pfad);
        if (it == dateien.end()) return false;
        inhalt.assign(it->second.data(), it->second.size());
        return true;
    };
}

// Opens a module packed as parsed: every entry's type and name.
bool rcGepacktOeffnen(RcPaket& p)
{
    p.modul = RcModul{};
    p.modul.name = p.name;
    bool ok = p.gepackt.oeffnen(p.gepacktBytes);
    if (ok) {
        p.modul.eintraege.resize(p.gepackt.eintraege());
        for (size_t i = 0; ok && i < p.modul.eintraege.size(); ++i) ok = p.gepackt.kopf(i, p.modul.eintraege[i]);
        p.inhaltDa.assign(p.modul.eintraege.size(), 0);
    }
    if (!ok) {
        p.modul = RcModul{};
        p.modul.name = p.name;
        p.fehler = p.name + ": gepackte Ressourcen unlesbar";
    }
    return ok;
}

bool rcParsenWennNoetig(RcPaket& p)
{
    if (p.geparst) return !p.kaputt;
    p.geparst = true;
    if (!p.gepacktBytes.empty()) {
        if (rcGepacktOeffnen(p)) return true;
        p.kaputt = true;
        std::fprintf(stderr, "ERROR Ressourcen %s: %s\n", p.name.c_str(), p.fehler.c_str());
        return false;
    }
    bool ok = false;
    std::unique_ptr<RcVoraus> v = std::move(p.voraus);
    if (v) v->faden.join();
    if (v && !v->nochmal) {
        ok = v->ok;
        p.modul = std::move(v->modul);
        p.fehler = std::move(v->fehler);
    } else {
        ok = rcModulParsen(p.name, rcSkripte(p), rcPaketLeser(p), p.modul, p.fehler);
    }
    if (!ok) {
        p.kaputt = true;
        std::fprintf(stderr, "ERROR Ressourcen %s: %s\n", p.name.c_str(), p.fehler.c_str());
        return false;
    }
    return true;
}

RcPaket* rcPaketVonHandle(HMODULE h)
{
    auto& pakete = rcPakete();
    if (h < RC_MODULBASIS || h >= RC_MODULBASIS + pakete.size()) return nullptr;
    return &pakete[h - RC_MODULBASIS];
}

bool rcIstProgramm(const RcPaket& p)
{
    return p.gross == "VELMO";
}

// A module usable for lookups: the program's, or one loaded by LoadLibrary.
RcPaket* rcBereitVonHandle(HMODULE h)
{
    RcPaket* p = rcPaketVonHandle(h);
    if (!p || (!rcIstProgramm(*p) && p->geladen <= 0)) return nullptr;
    if (!rcParsenWennNoetig(*p)) return nullptr;
    return p;
}

RcModul* rcModulVonHandle(HMODULE h)
{
    RcPaket* p = rcBereitVonHandle(h);
    return p ? &p->modul : nullptr;
}

// Entry i of a ready module with its content; null when the packed content
// does not read.
const RcEintrag* rcEintragMitInhalt(RcPaket& p, size_t i)
{
    RcEintrag& e = p.modul.eintraege[i];
    if (i < p.inhaltDa.size() && !p.inhaltDa[i]) {
        if (!p.gepackt.inhalt(i, e)) {
            std::fprintf(stderr, "ERROR Ressourcen %s: Eintrag %zu unlesbar\n", p.name.c_str(), i);
            return nullptr;
        }
        p.inhaltDa[i] = 1;
    }
    return &e;
}

WORD rcTypNummer(LPCSTR typ)
{
    return IS_INTRESOURCE(typ) ? static_cast<WORD>(reinterpret_cast<uintptr_t>(typ)) : 0;
}

const RcEintrag* rcEintragSuchen(HMODULE h, LPCSTR name, WORD typ, int* index)
{
    RcPaket* p = rcBereitVonHandle(h);
    if (!p || !name || typ == 0) return nullptr;
    RcName n = rcNameAus(name);
    for (size_t i = 0; i < p->modul.eintraege.size(); ++i) {
        const RcEintrag& e = p->modul.eintraege[i];
        if (e.typ == typ && rcNameGleich(e.name, n)) {
            if (index) *index = static_cast<int>(i);
            return rcEintragMitInhalt(*p, i);
        }
    }
    return nullptr;
}

const RcEintrag* rcEintragVonHandle(DWORD h)
{
    if (h <= RC_RESBASIS) return nullptr;
    DWORD rest = h - RC_RESBASIS;
    DWORD modulIndex = rest / RC_RESPROMODUL;
    DWORD eintrag = rest % RC_RESPROMODUL;
    RcPaket* p = rcBereitVonHandle(RC_MODULBASIS + modulIndex);
    if (!p || eintrag == 0 || eintrag > p->modul.eintraege.size()) return nullptr;
    return rcEintragMitInhalt(*p, eintrag - 1);
}

void rcAnmelden(const char* name, const char* const* skripte, int anzSkripte, const RcGepackteDatei* dateien,
                int anzDateien, std::string_view gepackt)
{
    RcPaket p;
    p.name = name;
    p.gross = rcGrossText(name);
    p.skripteRoh = skripte;
    p.anzSkripte = std::max(0, anzSkripte);
    p.dateienRoh = dateien;
    p.anzDateien = std::max(0, anzDateien);
    p.gepacktBytes = gepackt;
    auto& pakete = rcPakete();
    for (auto& alt : pakete) {
        if (alt.gross == p.gross) {
            alt = std::move(p);  // the same module packed twice: the later wins
            return;
        }
    }
    pakete.push_back(std::move(p));
}

}  // namespace

void rcModulAnmelden(const char* name, const char* const* skripte, int anzSkripte,
                     const RcGepackteDatei* dateien, int anzDateien)
{
    rcAnmelden(name, skripte, anzSkripte, dateien, anzDateien, {});
}

void rcModulGepacktAnmelden(const char* name, const char* const* skripte, int anzSkripte,
                            const RcGepackteDatei* dateien, int anzDateien, const char* gepackt,
                            unsigned long groesse)
{
    rcAnmelden(name, skripte, anzSkripte, dateien, anzDateien, std::string_view(gepackt, groesse));
}

bool rcModulSkripteParsen(const std::string& name, RcModul& modul, std::string& fehler)
{
    std::string g = rcGrossText(name);
    for (const auto& p : rcPakete())
        if (p.gross == g) return rcModulParsen(p.name, rcSkripte(p), rcPaketLeser(p), modul, fehler);
    fehler = name + ": kein solches Modul";
    return false;
}

void rcModulVorausParsen(const std::string& name)
{
    std::string g = rcGrossText(name);
    for (auto& p : rcPakete()) {
        if (p.gross != g) continue;
        if (p.geparst || p.voraus || !p.gepacktBytes.empty()) return;
        auto v = std::make_unique<RcVoraus>();
        try {
            v->faden = std::thread([z = v.get(), n = p.name, s = rcSkripte(p), l = rcPaketLeser(p)] {
                try {
                    z->ok = rcModulParsen(n, s, l, z->modul, z->fehler);
                } catch (...) {
                    z->nochmal = true;
                }
            });
        } catch (const std::system_error&) {
            return;  // no thread: parsed at the first use
        }
        p.voraus = std::move(v);
        return;
    }
}

std::vector<std::string> rcModulNamen()
{
    std::vector<std::string> r;
    for (const auto& p : rcPakete()) r.push_back(p.name);
    return r;
}

bool rcModulPruefen(const std::string& name, std::string* fehler)
{
    std::string g = rcGrossText(name);
    for (auto& p : rcPakete()) {
        if (p.gross == g) {
            bool ok = rcParsenWennNoetig(p);
            if (fehler) *fehler = p.fehler;
            return ok;
        }
    }
    if (fehler) *fehler = name + ": kein solches Modul";
    return false;
}

std::string rcModulName(HMODULE modul)
{
    RcPaket* p = rcPaketVonHandle(modul);
    return p ? p->name : std::string();
}

HMODULE GetModuleHandle(LPCSTR name)
{
    auto& pakete = rcPakete();
    std::string g = name ? rcDateiModul(name) : std::string();
    for (size_t i = 0; i < pakete.size(); ++i) {
        bool treffer = name ? (pakete[i].gross == g && (pakete[i].geladen > 0 || rcIstProgramm(pakete[i])))
                            : rcIstProgramm(pakete[i]);
        if (treffer) return RC_MODULBASIS + static_cast<DWORD>(i);
    }
    return 0;
}

HMODULE LoadLibrary(LPCSTR datei)
{
    if (!datei || !*datei) return 0;
    std::string g = rcDateiModul(datei);
    auto& pakete = rcPakete();
    for (size_t i = 0; i < pakete.size(); ++i) {
        if (pakete[i].gross != g) continue;
        if (!rcParsenWennNoetig(pakete[i])) return 0;
        ++pakete[i].geladen;
        return RC_MODULBASIS + static_cast<DWORD>(i);
    }
    return 0;
}
BOOL FreeLibrary(HMODULE modul)
{
    RcPaket* p = rcPaketVonHandle(modul);
    if (!p) return FALSE;
    if (rcIstProgramm(*p)) return TRUE;
    if (p->geladen <= 0) return FALSE;
    --p->geladen;
    return TRUE;
}

HRSRC FindResource(HMODULE modul, LPCSTR name, LPCSTR typ)
{
    int index = 0;
    if (!rcEintragSuchen(modul, name, rcTypNummer(typ), &index)) return 0;
    if (static_cast<DWORD>(index) + 1 >= RC_RESPROMODUL) return 0;  // beyond what a handle can name
    return RC_RESBASIS + (modul - RC_MODULBASIS) * RC_RESPROMODUL + static_cast<DWORD>(index) + 1;
}

HGLOBAL LoadResource(HMODULE modul, HRSRC res)
{
    (void)modul;  // the handle names its module itself
    return rcEintragVonHandle(res) ? res : 0;
}

DWORD SizeofResource(HMODULE modul, HRSRC res)
{
    (void)modul;
    const RcEintrag* e = rcEintragVonHandle(res);
    return e ? static_cast<DWORD>(e->bytes.size()) : 0;
}

LPVOID LockResource(HGLOBAL daten)
{
    const RcEintrag* e = rcEintragVonHandle(daten);
    if (!e) return nullptr;
    if (e->dialog) return e->dialog.get();
    if (e->menue) return e->menue.get();
    if (e->accel) return e->accel.get();
    return const_cast<char*>(e->bytes.data());
}

BOOL FreeResource(HGLOBAL daten)
{
    (void)daten;
    return FALSE;  // as on Windows: nothing to free
}

const std::string* rcText(HMODULE modul, UINT id)
{
    RcPaket* p = rcBereitVonHandle(modul);
    if (!p || id > 0xFFFF) return nullptr;
    auto& texte = p->modul.texte;
    auto it = texte.find(static_cast<WORD>(id));
    if (it != texte.end()) return &it->second;
    std::string t;
    if (p->gepacktBytes.empty() || !p->gepackt.text(static_cast<WORD>(id), t)) return nullptr;
    return &texte.emplace(static_cast<WORD>(id), std::move(t)).first->second;
}

int LoadString(HINSTANCE modul, UINT id, LPSTR puffer, int groesse)
{
    if (!puffer || groesse <= 0) return 0;
    puffer[0] = '\0';
    const std::string* t = rcText(modul, id);
    if (!t) return 0;
    size_t n = std::min(t->size(), static_cast<size_t>(groesse - 1));
    std::memcpy(puffer, t->data(), n);
    puffer[n] = '\0';
    return static_cast<int>(n);
}

const RcDialog* rcDialog(HMODULE modul, LPCSTR name)
{
    const RcEintrag* e = rcEintragSuchen(modul, name, 5, nullptr);
    return e ? e->dialog.get() : nullptr;
}

std::vector<std::string> rcDialogNamen(HMODULE modul)
{
    std::vector<std::string> namen;
    const RcModul* m = rcModulVonHandle(modul);
    if (!m) return namen;
    // Every dialog entry holds its template (a packed one once unpacked).
    for (const RcEintrag& e : m->eintraege)
        if (e.typ == 5 && !e.name.istZahl) namen.push_back(e.name.text);
    return namen;
}

const RcMenue* rcMenue(HMODULE modul, LPCSTR name)
{
    const RcEintrag* e = rcEintragSuchen(modul, name, 4, nullptr);
    return e ? e->menue.get() : nullptr;
}

const RcAccel* rcAccel(HMODULE modul, LPCSTR name)
{
    const RcEintrag* e = rcEintragSuchen(modul, name, 9, nullptr);
    return e ? e->accel.get() : nullptr;
}

const RcBild* rcBild(HMODULE modul, LPCSTR name, LPCSTR typ)
{
    WORD t = rcTypNummer(typ);
    if (t != 1 && t != 2 && t != 3) return nullptr;
    const RcEintrag* e = rcEintragSuchen(modul, name, t, nullptr);
    return e ? e->bild.get() : nullptr;
}
