// The client side of the local command socket: a server of the harness
// (a thread) answers the program's connect request with the input's first
// part and its execute request with the second ("\n--\n" between), then
// closes. Checked: the conversation and the execute are taken exactly when
// the answers are the frames that grant them.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <thread>

#include "platform/lokalbefehl.h"
#include "tests/fuzz/fuzzhilfe.h"

namespace {

const char* const LK_DIENST = "VelmoFuzzServer";
const char* const LK_THEMA = "System";

// The length of the first whole frame at the front of `s`, 0 when none.
size_t lkRahmen(const std::string& s)
{
    if (s.size() < 5) return 0;
    uint32_t len = 0;
    for (int i = 0; i < 4; ++i) len |= static_cast<uint32_t>(static_cast<unsigned char>(s[1 + i])) << (8 * i);
    if (len > PL_LOKAL_RAHMENSUP || s.size() < 5 + static_cast<size_t>(len)) return 0;
    return 5 + len;
}

void lkSchreiben(int fd, const std::string& s)
{
    size_t w = 0;
    while (w < s.size()) {
        const ssize_t k = send(fd, s.data() + w, s.size() - w, MSG_NOSIGNAL);
        if (k <= 0) return;
        w += static_cast<size_t>(k);
    }
}

// Reads until the peer has sent more than `bis` bytes in all (true) or has
// closed (false).
bool lkLesenBis(int fd, size_t bis, size_t* gelesen)
{
    char b[4096];
    while (*gelesen <= bis) {
        const ssize_t k = recv(fd, b, sizeof b, 0);
        if (k <= 0) return false;
        *gelesen += static_cast<size_t>(k);
    }
    return true;
}

void lkServer(int lausch, std::string a, std::string e)
{
    const int fd = accept(lausch, nullptr, nullptr);
    if (fd < 0) return;
    const size_t c = 5 + std::strlen(LK_DIENST) + 1 + std::strlen(LK_THEMA) + 1;
    size_t gelesen = 0;
    if (lkLesenBis(fd, c - 1, &gelesen)) {
        lkSchreiben(fd, a);
        // A connect answer cut short: the client would wait for the rest.
        if (lkRahmen(a) && lkLesenBis(fd, c, &gelesen)) lkSchreiben(fd, e);
    }
    shutdown(fd, SHUT_WR);
    char b[4096];
    while (recv(fd, b, sizeof b, 0) > 0) {
    }
    close(fd);
}

HDDEDATA lkRueckruf(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* d, size_t n)
{
    fz::start({.projekt = false});
    static DWORD inst = 0;
    static HSZ dienst = 0, thema = 0;
    static int lausch = -1;
    if (!inst) {
        if (DdeInitialize(&inst, lkRueckruf, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) std::abort();
        dienst = DdeCreateStringHandle(inst, LK_DIENST, CP_WINANSI);
        thema = DdeCreateStringHandle(inst, LK_THEMA, CP_WINANSI);
        const std::string pfad = plLokalOrdner() + "/velmofuzzserver.sock";
        lausch = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un adr{};
        adr.sun_family = AF_UNIX;
        std::memcpy(adr.sun_path, pfad.c_str(), pfad.size() + 1);
        if (bind(lausch, reinterpret_cast<sockaddr*>(&adr), sizeof adr) != 0 || listen(lausch, 4) != 0) std::abort();
    }
    std::string a, e;
    fz::teilen(d, n, a, e);
    std::thread server(lkServer, lausch, a, e);
    const HCONV conv = DdeConnect(inst, dienst, thema, nullptr);
    const size_t ra = lkRahmen(a);
    const bool verbunden = ra == 6 && a[0] == 'A' && a[5] == 1;
    if ((conv != 0) != verbunden) __builtin_trap();
    if (conv) {
        static const char befehl[] = "[Oeffnen(\"Plan.001\")]";
        DWORD flags = 0;
        const HDDEDATA r = DdeClientTransaction(reinterpret_cast<const BYTE*>(befehl), sizeof befehl, conv, 0, 0,
                                                XTYP_EXECUTE, 2000, &flags);
        const size_t re = lkRahmen(e);
        const bool ok = re == 9 && e[0] == 'R' && (static_cast<unsigned char>(e[6]) & 0x80);
        if ((r != 0) != ok) __builtin_trap();
        DdeDisconnect(conv);
    }
    server.join();
    return 0;
}
