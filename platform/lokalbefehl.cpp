// Local commands over Unix-domain sockets; see lokalbefehl.h.
//
// State (`lk`):
//  1. `instanzen`: DdeInitialize ids with their callback and flags.
//  2. `dienste`: one listening socket per name (case-insensitive), owned by
//     an instance (DdeNameService) or only by a window class
//     (plLokalKlasseMelden), or both; removed when neither holds it.
//  3. `verbindungen`: accepted peers with their read buffer; a peer becomes
//     a conversation once its 'C' frame was accepted by the callback.
//  4. Client conversations (HCONV table): a socket to another process, or a
//     direct link to a service of this process.
// Callbacks may call back into this module (even DdeUninitialize): every
// object is looked up again by its id after a callback returned.
#include "platform/lokalbefehl.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/fenster.h"
#include "platform/handle.h"
#include "platform/nachricht.h"
#include "platform/zeichen.h"

namespace {

inline constexpr UINT_PTR PL_LOKAL_TIMER = 0x7E01;
inline constexpr plHandleArt PL_LOKAL_ART_HSZ = static_cast<plHandleArt>(static_cast<int>(plHandleArt::Erweitert) + 1);
inline constexpr plHandleArt PL_LOKAL_ART_CONV = static_cast<plHandleArt>(static_cast<int>(plHandleArt::Erweitert) + 2);
inline constexpr plHandleArt PL_LOKAL_ART_DATEN = static_cast<plHandleArt>(static_cast<int>(plHandleArt::Erweitert) + 3);

struct plLokalInstanz {
    DWORD id;
    PFNCALLBACK rueckruf;
    DWORD befehle;
    UINT fehler = DMLERR_NO_ERROR;
};

struct plLokalDienst {
    std::string name;
    std::string pfad;
    int fd = -1;
    DWORD inst = 0;      // 0: no service registered
    bool klasse = false;  // held by a window class
};

struct plLokalVerbindung {
    int id;
    int fd;
    std::string puffer;
    std::string ausgang;  // answers the peer has not taken yet
    std::string dienst;
    std::string thema;
    bool gespraech = false;
    HCONV conv = 0;  // the server side's handle of the conversation
    DWORD inst = 0;
    int64_t schuldetSeit = 0;  // real ms since the peer owes a frame's rest (0 nothing owed)
};

struct plLokalText {
    std::string text;
    int zaehler = 1;
};

struct plLokalGespraech {
    DWORD inst = 0;
    int fd = -1;             // another process
    DWORD zielInst = 0;      // a service of this process
    bool server = false;     // the server side's handle of a peer
    std::string dienst, thema;
};

struct plLokalDaten {
    std::vector<BYTE> bytes;
};

struct plLokalZustand {
    std::vector<plLokalInstanz> instanzen;
    DWORD naechsteInstanz = 1;
    std::vector<plLokalDienst> dienste;
    std::vector<plLokalVerbindung> verbindungen;
    int naechsteVerbindung = 1;
    plHandleTabelle<plLokalText> texte{PL_LOKAL_ART_HSZ};
    plHandleTabelle<plLokalGespraech> gespraeche{PL_LOKAL_ART_CONV};
    plHandleTabelle<plLokalDaten> daten{PL_LOKAL_ART_DATEN};
    bool imPollen = false;
    int halbMs = PL_LOKAL_HALB_MS;
};

plLokalZustand& lk()
{
    static plLokalZustand z;
    return z;
}

bool lokalGleich(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (plZeichenGross(static_cast<unsigned char>(a[i])) != plZeichenGross(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

plLokalInstanz* lokalInstanz(DWORD id)
{
    for (plLokalInstanz& i : lk().instanzen)
        if (i.id == id) return &i;
    return nullptr;
}

plLokalDienst* lokalDienst(const std::string& name)
{
    for (plLokalDienst& d : lk().dienste)
        if (lokalGleich(d.name, name)) return &d;
    return nullptr;
}

plLokalVerbindung* lokalVerbindung(int id)
{
    for (plLokalVerbindung& v : lk().verbindungen)
        if (v.id == id) return &v;
    return nullptr;
}

void lokalFehler(DWORD inst, UINT fehler)
{
    if (plLokalInstanz* i = lokalInstanz(inst)) i->fehler = fehler;
}

// The socket file of a name: lower case, letters, digits, '.', '_' and '-'
// kept, every other byte as %XX.
std::string lokalPfad(const std::string& name)
{
    std::string ordner = plLokalOrdner();
    if (ordner.empty() || name.empty()) return std::string();
    std::string datei;
    for (unsigned char c : name) {
        c = plZeichenKlein(c);
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-') {
            datei += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            datei += hex;
        }
    }
    std::string pfad = ordner + "/" + datei + ".sock";
    if (pfad.size() >= sizeof(sockaddr_un::sun_path)) return std::string();
    return pfad;
}

sockaddr_un lokalAdresse(const std::string& pfad)
{
    sockaddr_un a{};
    a.sun_family = AF_UNIX;
    std::memcpy(a.sun_path, pfad.c_str(), pfad.size() + 1);
    return a;
}

void lokalNichtBlockierend(int fd)
{
    int f = fcntl(fd, F_GETFL, 0);
    if (f >= 0) fcntl(fd, F_SETFL, f | O_NONBLOCK);
}

// Connects to the socket of a path: the descriptor, -1 when nobody serves
// it (*verweigert: a socket file without a live process behind it).
int lokalVerbinden(const std::string& pfad, bool* verweigert)
{
    if (verweigert) *verweigert = false;
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    sockaddr_un a = lokalAdresse(pfad);
    if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        if (verweigert) *verweigert = errno == ECONNREFUSED;
        close(fd);
        return -1;
    }
    return fd;
}

// A listening socket at the path, replacing a stale one; -1 when a live
// server holds it or the socket cannot be made.
int lokalLauschen(const std::string& pfad)
{
    for (int versuch = 0; versuch < 2; ++versuch) {
        int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return -1;
        sockaddr_un a = lokalAdresse(pfad);
        mode_t alt = umask(0177);  // the socket file is made with mode 0600
        int r = bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        umask(alt);
        if (r == 0 && listen(fd, 16) == 0) {
            lokalNichtBlockierend(fd);
            return fd;
        }
        int fehler = errno;
        close(fd);
        if (r == 0 || fehler != EADDRINUSE || versuch > 0) return -1;
        bool verweigert = false;
        int probe = lokalVerbinden(pfad, &verweigert);
        if (probe >= 0) {
            close(probe);
            return -1;  // a live server
        }
        struct stat st;
        if (!verweigert || lstat(pfad.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return -1;
        unlink(pfad.c_str());  // stale: its process is gone
    }
    return -1;
}

void lokalTakt(HWND, UINT, UINT_PTR, DWORD);

void lokalTaktPruefen()
{
    plLokalZustand& z = lk();
    if (!z.dienste.empty() || !z.verbindungen.empty())
        SetTimer(0, PL_LOKAL_TIMER, PL_LOKAL_TAKT_MS, lokalTakt);
    else
        KillTimer(0, PL_LOKAL_TIMER);
}

void lokalDienstSchliessen(size_t i)
{
    plLokalZustand& z = lk();
    plLokalDienst d = z.dienste[i];
    z.dienste.erase(z.dienste.begin() + static_cast<long>(i));
    if (d.fd >= 0) {
        close(d.fd);
        unlink(d.pfad.c_str());
    }
}

// Makes or finds the service entry of a name (with its socket).
plLokalDienst* lokalDienstAnlegen(const std::string& name)
{
    if (plLokalDienst* d = lokalDienst(name)) return d;
    std::string pfad = lokalPfad(name);
    if (pfad.empty()) return nullptr;
    int fd = lokalLauschen(pfad);
    if (fd < 0) return nullptr;
    lk().dienste.push_back(plLokalDienst{name, pfad, fd, 0, false});
    lokalTaktPruefen();
    return &lk().dienste.back();
}

void lokalDienstAufraeumen()
{
    plLokalZustand& z = lk();
    for (size_t i = z.dienste.size(); i-- > 0;)
        if (!z.dienste[i].inst && !z.dienste[i].klasse) lokalDienstSchliessen(i);
    lokalTaktPruefen();
}

// ---- Frames ---------------------------------------------------------------------------------------

std::string lokalRahmen(char typ, const void* daten, size_t n)
{
    std::string r(5, '\0');
    r[0] = typ;
    uint32_t len = static_cast<uint32_t>(n);
    for (int i = 0; i < 4; ++i) r[1 + i] = static_cast<char>((len >> (8 * i)) & 0xFF);
    r.append(static_cast<const char*>(daten), n);
    return r;
}

bool lokalSenden(int fd, const std::string& s)
{
    size_t gesendet = 0;
    while (gesendet < s.size()) {
        ssize_t n = send(fd, s.data() + gesendet, s.size() - gesendet, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd p{fd, POLLOUT, 0};
                if (poll(&p, 1, 1000) <= 0) return false;
                continue;
            }
            return false;
        }
        gesendet += static_cast<size_t>(n);
    }
    return true;
}

// Answers of the server side: sent as far as the socket takes them at once,
// the rest when the peer reads (plLokalPollen), so a peer that does not read
// never holds up the message loop. false when the peer let more than a frame
// of answers pile up (it is then dropped).
bool lokalAntwortSenden(plLokalVerbindung* v, const std::string& s)
{
    v->ausgang += s;
    while (!v->ausgang.empty()) {
        const ssize_t n = send(v->fd, v->ausgang.data(), v->ausgang.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) break;
            return false;
        }
        v->ausgang.erase(0, static_cast<size_t>(n));
    }
    return v->ausgang.size() <= PL_LOKAL_RAHMENSUP;
}

// A frame header in `puffer` that announces more than any peer may send.
bool lokalRahmenZuGross(const std::string& puffer)
{
    if (puffer.size() < 5) return false;
    uint32_t len = 0;
    for (int i = 0; i < 4; ++i) len |= static_cast<uint32_t>(static_cast<unsigned char>(puffer[1 + i])) << (8 * i);
    return len > PL_LOKAL_RAHMENSUP;
}

// Takes one whole frame off the front of `puffer`: 1 done, 0 incomplete,
// -1 a frame longer than any peer may send.
int lokalRahmenNehmen(std::string& puffer, char& typ, std::string& inhalt)
{
    if (puffer.size() < 5) return 0;
    uint32_t len = 0;
    for (int i = 0; i < 4; ++i) len |= static_cast<uint32_t>(static_cast<unsigned char>(puffer[1 + i])) << (8 * i);
    if (len > PL_LOKAL_RAHMENSUP) return -1;
    if (puffer.size() < 5 + static_cast<size_t>(len)) return 0;
    typ = puffer[0];
    inhalt = puffer.substr(5, len);
    puffer.erase(0, 5 + static_cast<size_t>(len));
    return 1;
}

int64_t lokalEchtMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Waits for one frame on a client socket, at most `zeitMs` of real time
// (the peer is another process; the program clock may be virtual).
bool lokalAntwort(int fd, int zeitMs, char& typ, std::string& inhalt)
{
    std::string puffer;
    int64_t bis = lokalEchtMs() + zeitMs;
    for (;;) {
        int r = lokalRahmenNehmen(puffer, typ, inhalt);
        if (r < 0) return false;
        if (r > 0) return true;
        int rest = static_cast<int>(bis - lokalEchtMs());
        if (rest <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        int n = poll(&p, 1, rest);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        char b[4096];
        ssize_t k = recv(fd, b, sizeof b, 0);
        if (k <= 0) return false;
        puffer.append(b, static_cast<size_t>(k));
    }
}

// ---- Callbacks -----------------------------------------------------------------------------------------

HSZ lokalTextHandle(const std::string& s)
{
    return DdeCreateStringHandle(0, s.c_str(), CP_WINANSI);
}

HDDEDATA lokalRufen(DWORD inst, UINT typ, HCONV conv, const std::string& s1, const std::string& s2, HDDEDATA d)
{
    plLokalInstanz* i = lokalInstanz(inst);
    if (!i || !i->rueckruf) return 0;
    PFNCALLBACK f = i->rueckruf;
    HSZ h1 = lokalTextHandle(s1), h2 = lokalTextHandle(s2);
    HDDEDATA r = f(typ, 0, conv, h1, h2, d, 0, 0);
    DdeFreeStringHandle(0, h1);
    DdeFreeStringHandle(0, h2);
    return r;
}

bool lokalUeberspringen(DWORD inst, DWORD flag)
{
    plLokalInstanz* i = lokalInstanz(inst);
    return !i || (i->befehle & flag);
}

// A connect request for `dienst` on `thema`: the serving instance, 0 when
// the name is not served or the callback refuses.
DWORD lokalAnnehmen(const std::string& dienst, const std::string& thema)
{
    plLokalDienst* d = lokalDienst(dienst);
    if (!d || !d->inst) return 0;
    DWORD inst = d->inst;
    return lokalRufen(inst, XTYP_CONNECT, 0, thema, d->name, 0) ? inst : 0;
}

// An execute request: the text cut to PL_LOKAL_BEFEHLSUP bytes, handed to
// the callback as a data handle; the callback's flags.
DWORD lokalAusfuehren(DWORD inst, HCONV conv, const std::string& thema, const std::string& roh)
{
    std::string text = roh.substr(0, std::min(roh.find('\0'), PL_LOKAL_BEFEHLSUP));
    HDDEDATA d = DdeCreateDataHandle(inst, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1), 0, 0, CF_TEXT, 0);
    HDDEDATA r = lokalRufen(inst, XTYP_EXECUTE, conv, thema, std::string(), d);
    DdeFreeDataHandle(d);  // harmless when the callback freed it already
    return static_cast<DWORD>(r & 0xFFFF);
}

void lokalVerbindungWeg(int id)
{
    plLokalZustand& z = lk();
    plLokalVerbindung* v = lokalVerbindung(id);
    if (!v) return;
    close(v->fd);
    bool melden = v->gespraech && !lokalUeberspringen(v->inst, CBF_SKIP_DISCONNECTS);
    DWORD inst = v->inst;
    HCONV conv = v->conv;
    std::string thema = v->thema, dienst = v->dienst;
    for (auto it = z.verbindungen.begin(); it != z.verbindungen.end(); ++it)
        if (it->id == id) {
            z.verbindungen.erase(it);
            break;
        }
    if (melden) lokalRufen(inst, XTYP_DISCONNECT, conv, thema, dienst, 0);
    lk().gespraeche.freigeben(conv);
}

// One frame of a peer; false when the connection is to end.
bool lokalRahmenBedienen(int id, char typ, const std::string& inhalt, int* bedient)
{
    plLokalVerbindung* v = lokalVerbindung(id);
    if (!v) return false;
    if (typ == 'C' && !v->gespraech) {
        size_t nul = inhalt.find('\0');
        std::string dienst = inhalt.substr(0, nul);
        std::string thema = nul == std::string::npos ? std::string() : inhalt.substr(nul + 1);
        thema = thema.substr(0, thema.find('\0'));
        DWORD inst = lokalAnnehmen(dienst, thema);
        ++*bedient;
        if (!(v = lokalVerbindung(id))) return false;
        char ja = inst ? 1 : 0;
        if (!lokalAntwortSenden(v, lokalRahmen('A', &ja, 1)) || !inst) return false;
        auto g = std::make_unique<plLokalGespraech>();
        g->inst = inst;
        g->server = true;
        g->dienst = dienst;
        g->thema = thema;
        v->gespraech = true;
        v->inst = inst;
        v->dienst = dienst;
        v->thema = thema;
        v->conv = lk().gespraeche.anlegen(std::move(g));
        if (!lokalUeberspringen(inst, CBF_SKIP_CONNECT_CONFIRMS))
            lokalRufen(inst, XTYP_CONNECT_CONFIRM, v->conv, thema, dienst, 0);
        return true;
    }
    if (typ == 'E') {
        DWORD flags = DDE_FNOTPROCESSED;
        if (v->gespraech && lokalInstanz(v->inst)) {
            flags = lokalAusfuehren(v->inst, v->conv, v->thema, inhalt);
            ++*bedient;
        }
        if (!(v = lokalVerbindung(id))) return false;
        uint32_t f = flags;
        unsigned char b[4] = {static_cast<unsigned char>(f & 0xFF), static_cast<unsigned char>((f >> 8) & 0xFF), 0, 0};
        return lokalAntwortSenden(v, lokalRahmen('R', b, 4));
    }
    return false;  // a frame no peer of ours sends
}

bool lokalPeerErlaubt(int fd)
{
    ucred cred{};
    socklen_t n = sizeof cred;
    if (getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &cred, &n) != 0) return false;
    return cred.uid == geteuid();
}

void lokalAnnehmenNeue()
{
    plLokalZustand& z = lk();
    for (size_t i = 0; i < z.dienste.size(); ++i) {
        for (;;) {
            int fd = accept4(z.dienste[i].fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
            if (fd < 0) break;
            if (!lokalPeerErlaubt(fd)) {
                close(fd);
                continue;
            }
            if (z.verbindungen.size() >= PL_LOKAL_PEERSUP) {
                close(fd);
                continue;
            }
            plLokalVerbindung v{};
            v.id = z.naechsteVerbindung++;
            v.fd = fd;
            v.schuldetSeit = lokalEchtMs();  // its connect frame
            z.verbindungen.push_back(std::move(v));
        }
    }
}

HWND lokalFremdesFenster(LPCSTR klasse, LPCSTR)
{
    return plLokalServerLebt(klasse) ? PL_LOKAL_FREMDES_FENSTER : 0;
}

// Installed with the module, so that FindWindow asks before any service runs.
const bool lokalHookGesetzt = (plFensterFremdHookSetzen(lokalFremdesFenster), true);

void lokalTakt(HWND, UINT, UINT_PTR, DWORD)
{
    // Headless with nothing else to do: wait here in real time, until the
    // next timer of the program at most, rather than let the virtual clock
    // race from tick to tick.
    int warten = 0;
    if (std::strcmp(plBackendName(), "headless") == 0 && !plNachrichtArbeitWartet())
        warten = static_cast<int>(std::clamp<int64_t>(plNachrichtNaechsterTimer(false), 0, PL_LOKAL_TAKT_MS));
    plLokalPollen(warten);
}

}  // namespace

// ---- Instances and strings ----------------------------------------------------------------------

UINT DdeInitialize(DWORD* inst, PFNCALLBACK rueckruf, DWORD befehle, DWORD)
{
    plFensterFremdHookSetzen(lokalFremdesFenster);
    (void)lokalHookGesetzt;
    if (!inst) return DMLERR_INVALIDPARAMETER;
    if (*inst) {
        plLokalInstanz* i = lokalInstanz(*inst);
        if (!i) return DMLERR_INVALIDPARAMETER;
        i->rueckruf = rueckruf;
        i->befehle = befehle;
        return DMLERR_NO_ERROR;
    }
    plLokalZustand& z = lk();
    z.instanzen.push_back(plLokalInstanz{z.naechsteInstanz++, rueckruf, befehle});
    *inst = z.instanzen.back().id;
    return DMLERR_NO_ERROR;
}

BOOL DdeUninitialize(DWORD inst)
{
    plLokalZustand& z = lk();
    if (!lokalInstanz(inst)) return FALSE;
    for (plLokalDienst& d : z.dienste)
        if (d.inst == inst) d.inst = 0;
    std::vector<int> weg;
    for (const plLokalVerbindung& v : z.verbindungen)
        if (v.inst == inst) weg.push_back(v.id);
    for (plLokalInstanz& i : z.instanzen)
        if (i.id == inst) i.befehle |= CBF_SKIP_DISCONNECTS;
    for (int id : weg) lokalVerbindungWeg(id);
    for (HCONV c : z.gespraeche.alle()) {
        plLokalGespraech* g = z.gespraeche.finden(c);
        if (g && g->inst == inst && !g->server) DdeDisconnect(c);
    }
    for (auto it = z.instanzen.begin(); it != z.instanzen.end(); ++it)
        if (it->id == inst) {
            z.instanzen.erase(it);
            break;
        }
    lokalDienstAufraeumen();
    return TRUE;
}

UINT DdeGetLastError(DWORD inst)
{
    plLokalInstanz* i = lokalInstanz(inst);
    if (!i) return DMLERR_DLL_NOT_INITIALIZED;
    UINT f = i->fehler;
    i->fehler = DMLERR_NO_ERROR;
    return f;
}

HSZ DdeCreateStringHandle(DWORD, LPCSTR text, int)
{
    if (!text) return 0;
    plLokalZustand& z = lk();
    // Like atoms: one handle per text, ignoring case.
    for (HSZ h : z.texte.alle()) {
        plLokalText* t = z.texte.finden(h);
        if (lokalGleich(t->text, text)) {
            ++t->zaehler;
            return h;
        }
    }
    auto t = std::make_unique<plLokalText>();
    t->text = text;
    return z.texte.anlegen(std::move(t));
}

BOOL DdeFreeStringHandle(DWORD, HSZ hsz)
{
    plLokalText* t = lk().texte.finden(hsz);
    if (!t) return FALSE;
    if (--t->zaehler <= 0) lk().texte.freigeben(hsz);
    return TRUE;
}

BOOL DdeKeepStringHandle(DWORD, HSZ hsz)
{
    plLokalText* t = lk().texte.finden(hsz);
    if (!t) return FALSE;
    ++t->zaehler;
    return TRUE;
}

DWORD DdeQueryString(DWORD, HSZ hsz, LPSTR buf, DWORD max, int)
{
    if (buf && max) buf[0] = '\0';
    plLokalText* t = lk().texte.finden(hsz);
    if (!t) return 0;
    if (!buf) return static_cast<DWORD>(t->text.size());
    if (!max) return 0;
    size_t n = std::min(t->text.size(), static_cast<size_t>(max - 1));
    std::memcpy(buf, t->text.data(), n);
    buf[n] = '\0';
    return static_cast<DWORD>(n);
}

int DdeCmpStringHandles(HSZ a, HSZ b)
{
    if (a == b) return 0;
    plLokalText* x = lk().texte.finden(a);
    plLokalText* y = lk().texte.finden(b);
    if (!x || !y) return a < b ? -1 : 1;
    if (lokalGleich(x->text, y->text)) return 0;
    return a < b ? -1 : 1;
}

// ---- Services and conversations -----------------------------------------------------------------

HDDEDATA DdeNameService(DWORD inst, HSZ dienst, HSZ, UINT befehl)
{
    if (!lokalInstanz(inst)) return 0;
    plLokalText* t = lk().texte.finden(dienst);
    if (befehl & DNS_REGISTER) {
        if (!t) {
            lokalFehler(inst, DMLERR_INVALIDPARAMETER);
            return 0;
        }
        plLokalDienst* d = lokalDienstAnlegen(t->text);
        if (!d || (d->inst && d->inst != inst)) {
            lokalFehler(inst, DMLERR_SYS_ERROR);
            return 0;
        }
        d->inst = inst;
        return 1;
    }
    if (befehl & DNS_UNREGISTER) {
        for (plLokalDienst& d : lk().dienste)
            if (d.inst == inst && (!t || lokalGleich(d.name, t->text))) d.inst = 0;
        lokalDienstAufraeumen();
        return 1;
    }
    return 0;
}

HCONV DdeConnect(DWORD inst, HSZ dienst, HSZ thema, void*)
{
    plLokalZustand& z = lk();
    if (!lokalInstanz(inst)) return 0;
    plLokalText* d = z.texte.finden(dienst);
    plLokalText* t = z.texte.finden(thema);
    if (!d || !t) {
        lokalFehler(inst, DMLERR_INVALIDPARAMETER);
        return 0;
    }
    auto g = std::make_unique<plLokalGespraech>();
    g->inst = inst;
    g->dienst = d->text;
    g->thema = t->text;
    if (plLokalDienst* eigen = lokalDienst(g->dienst); eigen && eigen->inst) {
        // A service of this process: no socket round trip (it would wait for
        // this very thread).
        DWORD ziel = lokalAnnehmen(g->dienst, g->thema);
        if (!ziel) {
            lokalFehler(inst, DMLERR_NO_CONV_ESTABLISHED);
            return 0;
        }
        g->zielInst = ziel;
        std::string th = g->thema, di = g->dienst;
        HCONV c = z.gespraeche.anlegen(std::move(g));
        if (!lokalUeberspringen(ziel, CBF_SKIP_CONNECT_CONFIRMS)) lokalRufen(ziel, XTYP_CONNECT_CONFIRM, c, th, di, 0);
        return c;
    }
    std::string pfad = lokalPfad(g->dienst);
    int fd = pfad.empty() ? -1 : lokalVerbinden(pfad, nullptr);
    if (fd < 0) {
        lokalFehler(inst, DMLERR_NO_CONV_ESTABLISHED);
        return 0;
    }
    std::string anfrage = g->dienst + '\0' + g->thema + '\0';
    char typ = 0;
    std::string antwort;
    if (!lokalSenden(fd, lokalRahmen('C', anfrage.data(), anfrage.size())) ||
        !lokalAntwort(fd, PL_LOKAL_VERBINDEN_MS, typ, antwort) || typ != 'A' || antwort.size() != 1 ||
        antwort[0] != 1) {
        close(fd);
        lokalFehler(inst, DMLERR_NO_CONV_ESTABLISHED);
        return 0;
    }
    g->fd = fd;
    return z.gespraeche.anlegen(std::move(g));
}

BOOL DdeDisconnect(HCONV conv)
{
    std::unique_ptr<plLokalGespraech> g = lk().gespraeche.herausnehmen(conv);
    if (!g) return FALSE;
    if (g->fd >= 0) close(g->fd);
    if (g->zielInst && !lokalUeberspringen(g->zielInst, CBF_SKIP_DISCONNECTS))
        lokalRufen(g->zielInst, XTYP_DISCONNECT, conv, g->thema, g->dienst, 0);
    return TRUE;
}

HDDEDATA DdeClientTransaction(const BYTE* daten, DWORD n, HCONV conv, HSZ, UINT, UINT typ, DWORD zeitMs,
                              DWORD* ergebnis)
{
    if (ergebnis) *ergebnis = 0;
    plLokalGespraech* g = lk().gespraeche.finden(conv);
    if (!g || g->server) return 0;
    DWORD inst = g->inst;
    if (typ != XTYP_EXECUTE || !daten) {
        lokalFehler(inst, DMLERR_NOTPROCESSED);
        return 0;
    }
    std::string text(reinterpret_cast<const char*>(daten), n);
    DWORD flags = 0;
    if (g->zielInst) {
        flags = lokalAusfuehren(g->zielInst, conv, g->thema, text);
    } else {
        char antwortTyp = 0;
        std::string antwort;
        // An asynchronous transaction is not offered: it waits like a
        // synchronous one with the connection time-out.
        int warten = zeitMs == TIMEOUT_ASYNC ? PL_LOKAL_VERBINDEN_MS : static_cast<int>(std::min<DWORD>(zeitMs, 3600000));
        if (!lokalSenden(g->fd, lokalRahmen('E', text.data(), text.size())) ||
            !lokalAntwort(g->fd, warten, antwortTyp, antwort) || antwortTyp != 'R' || antwort.size() != 4) {
            lokalFehler(inst, DMLERR_EXECACKTIMEOUT);
            return 0;
        }
        flags = static_cast<unsigned char>(antwort[0]) | (static_cast<unsigned char>(antwort[1]) << 8);
    }
    if (ergebnis) *ergebnis = flags;
    if (!(flags & DDE_FACK)) {
        lokalFehler(inst, DMLERR_NOTPROCESSED);
        return 0;
    }
    return TRUE;
}

// ---- Data handles -----------------------------------------------------------------------------------------

HDDEDATA DdeCreateDataHandle(DWORD, const BYTE* daten, DWORD n, DWORD versatz, HSZ, UINT, UINT)
{
    auto d = std::make_unique<plLokalDaten>();
    if (daten && n > versatz) d->bytes.assign(daten + versatz, daten + n);
    return lk().daten.anlegen(std::move(d));
}

DWORD DdeGetData(HDDEDATA h, BYTE* buf, DWORD n, DWORD versatz)
{
    plLokalDaten* d = h > 0xFFFFFFFFu ? nullptr : lk().daten.finden(static_cast<uint32_t>(h));
    if (!d) return 0;
    if (!buf) return static_cast<DWORD>(d->bytes.size());
    if (versatz >= d->bytes.size()) return 0;
    DWORD k = std::min<DWORD>(n, static_cast<DWORD>(d->bytes.size() - versatz));
    std::memcpy(buf, d->bytes.data() + versatz, k);
    return k;
}

BYTE* DdeAccessData(HDDEDATA h, DWORD* groesse)
{
    plLokalDaten* d = h > 0xFFFFFFFFu ? nullptr : lk().daten.finden(static_cast<uint32_t>(h));
    if (groesse) *groesse = d ? static_cast<DWORD>(d->bytes.size()) : 0;
    return d && !d->bytes.empty() ? d->bytes.data() : nullptr;
}

BOOL DdeUnaccessData(HDDEDATA h)
{
    return h <= 0xFFFFFFFFu && lk().daten.gueltig(static_cast<uint32_t>(h)) ? TRUE : FALSE;
}

BOOL DdeFreeDataHandle(HDDEDATA h)
{
    return h <= 0xFFFFFFFFu && lk().daten.freigeben(static_cast<uint32_t>(h)) ? TRUE : FALSE;
}

// ---- The project's own calls ----------------------------------------------------------------------------

std::string plLokalOrdner()
{
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    std::string ordner = (xdg && *xdg) ? std::string(xdg) + "/velmo" : "/tmp/velmo-" + std::to_string(geteuid());
    if (mkdir(ordner.c_str(), 0700) != 0 && errno != EEXIST) return std::string();
    struct stat st;
    if (lstat(ordner.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()) return std::string();
    if ((st.st_mode & 0777) != 0700 && chmod(ordner.c_str(), 0700) != 0) return std::string();
    return ordner;
}

int plLokalKlasseMelden(LPCSTR klasse)
{
    plFensterFremdHookSetzen(lokalFremdesFenster);
    if (!klasse || !*klasse) return -1;
    plLokalDienst* d = lokalDienstAnlegen(klasse);
    if (!d) return -1;
    d->klasse = true;
    return 0;
}

void plLokalKlasseAbmelden(LPCSTR klasse)
{
    if (!klasse) return;
    if (plLokalDienst* d = lokalDienst(klasse)) d->klasse = false;
    lokalDienstAufraeumen();
}

bool plLokalServerLebt(LPCSTR name)
{
    if (!name || !*name) return false;
    if (lokalDienst(name)) return true;
    std::string pfad = lokalPfad(name);
    if (pfad.empty()) return false;
    int fd = lokalVerbinden(pfad, nullptr);
    if (fd < 0) return false;
    close(fd);
    return true;
}

int plLokalPollen(int wartenMs)
{
    plLokalZustand& z = lk();
    if (z.imPollen) return 0;  // a callback's nested loop: the outer call serves
    z.imPollen = true;
    std::vector<pollfd> fds;
    for (const plLokalDienst& d : z.dienste) fds.push_back(pollfd{d.fd, POLLIN, 0});
    for (const plLokalVerbindung& v : z.verbindungen)
        fds.push_back(pollfd{v.fd, static_cast<short>(POLLIN | (v.ausgang.empty() ? 0 : POLLOUT)), 0});
    int bedient = 0;
    if (!fds.empty() && poll(fds.data(), fds.size(), wartenMs) > 0) {
        lokalAnnehmenNeue();
        std::vector<int> ids;
        for (const plLokalVerbindung& v : z.verbindungen) ids.push_back(v.id);
        for (int id : ids) {
            plLokalVerbindung* v = lokalVerbindung(id);
            if (!v) continue;
            bool ende = false;
            if (!v->ausgang.empty() && !lokalAntwortSenden(v, std::string())) ende = true;
            char b[4096];
            // Read as it arrives, checked against the frame limit on the
            // way, and no more than one whole frame before it is served.
            while (!ende && v->puffer.size() < 5 + static_cast<size_t>(PL_LOKAL_RAHMENSUP)) {
                ssize_t k = recv(v->fd, b, sizeof b, 0);
                if (k > 0) {
                    v->puffer.append(b, static_cast<size_t>(k));
                    if (lokalRahmenZuGross(v->puffer)) ende = true;
                    continue;
                }
                if (k == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) ende = true;
                break;
            }
            bool genommen = false;
            for (;;) {
                v = lokalVerbindung(id);
                if (!v) break;
                char typ = 0;
                std::string inhalt;
                int r = lokalRahmenNehmen(v->puffer, typ, inhalt);
                if (r == 0) break;
                genommen = true;
                if (r < 0 || !lokalRahmenBedienen(id, typ, inhalt, &bedient)) {
                    ende = true;
                    break;
                }
            }
            // The time runs from the last whole frame: a peer that leaves a
            // frame half sent, or never sends its connect frame, goes.
            v = lokalVerbindung(id);
            if (v && !ende) {
                if (v->puffer.empty() && v->gespraech) v->schuldetSeit = 0;
                else if (genommen || v->schuldetSeit == 0) v->schuldetSeit = lokalEchtMs();
            }
            if (ende) lokalVerbindungWeg(id);
        }
    } else if (fds.empty() && wartenMs > 0) {
        usleep(static_cast<useconds_t>(wartenMs) * 1000);
    }
    std::vector<int> saeumig;
    const int64_t jetzt = lokalEchtMs();
    for (const plLokalVerbindung& v : z.verbindungen)
        if (v.schuldetSeit != 0 && jetzt - v.schuldetSeit > z.halbMs) saeumig.push_back(v.id);
    for (int id : saeumig) lokalVerbindungWeg(id);
    z.imPollen = false;
    lokalTaktPruefen();
    return bedient;
}

size_t plLokalPeerZahl()
{
    return lk().verbindungen.size();
}

void plLokalHalbWartenSetzen(int ms)
{
    lk().halbMs = ms > 0 ? ms : PL_LOKAL_HALB_MS;
}

void plLokalEnde()
{
    plLokalZustand& z = lk();
    for (const plLokalVerbindung& v : z.verbindungen) close(v.fd);
    z.verbindungen.clear();
    for (HCONV c : z.gespraeche.alle()) {
        plLokalGespraech* g = z.gespraeche.finden(c);
        if (g && g->fd >= 0) close(g->fd);
    }
    z.gespraeche.leeren();
    while (!z.dienste.empty()) lokalDienstSchliessen(z.dienste.size() - 1);
    z.instanzen.clear();
    z.texte.leeren();
    z.daten.leeren();
    KillTimer(0, PL_LOKAL_TIMER);
}
