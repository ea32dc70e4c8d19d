// Local commands between processes of one user, in place of DDE: the
// DDE management calls the program uses (DdeInitialize with a callback,
// DdeNameService, string handles, DdeConnect, DdeClientTransaction with
// XTYP_EXECUTE and a time-out, DdeDisconnect, data handles), shaped like the
// Windows calls with their documented values, over Unix-domain sockets.
// Prefix `plLokal`. May call: handle.h, nachricht.h (the polling timer),
// backend.h, fenster.h, zeichen.h and the POSIX socket calls.
//
// Sockets: one per service name in the per-user folder
// $XDG_RUNTIME_DIR/velmo, else /tmp/velmo-<uid> (made with mode 0700; a
// folder of another user or a symbolic link there is refused), named after
// the name in lower case ("velmo.sock"), mode 0600. A peer of another user
// is refused (SO_PEERCRED). Names are compared ignoring case. A socket file
// whose process is gone (connecting is refused) is replaced when the name
// is registered again.
//
// Protocol (stream frames: one type byte, a 32-bit little-endian length,
// the bytes): 'C' service NUL topic NUL -> 'A' one byte (1 accepted);
// 'E' command bytes -> 'R' 32-bit flags (DDE_FACK when processed). An
// execute string longer than PL_LOKAL_BEFEHLSUP bytes arrives cut to that
// many bytes (the terminating NUL not counted) and is never refused.
//
// The server side is polled on the GUI thread by a timer of the message
// loop (plLokalPollen), so callbacks run there, between messages, also in
// nested loops. A conversation with a service of the same process calls the
// callback directly.
#pragma once

#include <cstdint>
#include <string>

#include "platform/winconst.h"
#include "platform/windef.h"

typedef uint32_t HCONV;
typedef uint32_t HSZ;
typedef uintptr_t HDDEDATA;
typedef HDDEDATA (*PFNCALLBACK)(UINT type, UINT fmt, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data, ULONG_PTR d1,
                                ULONG_PTR d2);

#ifndef XTYP_EXECUTE
#define XCLASS_BOOL 0x1000
#define XCLASS_DATA 0x2000
#define XCLASS_FLAGS 0x4000
#define XCLASS_NOTIFICATION 0x8000
#define XTYPF_NOBLOCK 0x0002
#define XTYP_ADVSTART (0x0030 | XCLASS_BOOL)
#define XTYP_EXECUTE (0x0050 | XCLASS_FLAGS)
#define XTYP_CONNECT (0x0060 | XCLASS_BOOL | XTYPF_NOBLOCK)
#define XTYP_CONNECT_CONFIRM (0x0070 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK)
#define XTYP_REGISTER (0x00A0 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK)
#define XTYP_DISCONNECT (0x00C0 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK)
#define XTYP_UNREGISTER (0x00D0 | XCLASS_NOTIFICATION | XTYPF_NOBLOCK)
#define DDE_FACK 0x8000
#define DDE_FBUSY 0x4000
#define DDE_FNOTPROCESSED 0x0000
#define APPCLASS_STANDARD 0x00000000L
#define APPCMD_CLIENTONLY 0x00000010L
#define CBF_FAIL_ADVISES 0x00004000L
#define CBF_SKIP_CONNECT_CONFIRMS 0x00040000L
#define CBF_SKIP_REGISTRATIONS 0x00080000L
#define CBF_SKIP_UNREGISTRATIONS 0x00100000L
#define CBF_SKIP_DISCONNECTS 0x00200000L
#define DNS_REGISTER 0x0001
#define DNS_UNREGISTER 0x0002
#define CP_WINANSI 1004
#define TIMEOUT_ASYNC 0xFFFFFFFF
#define DMLERR_NO_ERROR 0
#define DMLERR_BUSY 0x4001
#define DMLERR_DLL_NOT_INITIALIZED 0x4003
#define DMLERR_EXECACKTIMEOUT 0x4005
#define DMLERR_INVALIDPARAMETER 0x4006
#define DMLERR_NOTPROCESSED 0x4009
#define DMLERR_NO_CONV_ESTABLISHED 0x400A
#define DMLERR_SYS_ERROR 0x400F
#endif

// Longest execute string delivered (bytes before the terminating NUL).
inline constexpr size_t PL_LOKAL_BEFEHLSUP = 200;
// Longest frame a peer may announce; a longer one ends the connection.
inline constexpr uint32_t PL_LOKAL_RAHMENSUP = 1u << 20;
// Milliseconds DdeConnect waits for the server's answer.
inline constexpr int PL_LOKAL_VERBINDEN_MS = 5000;
// Polling period of the message loop's timer, in milliseconds.
inline constexpr UINT PL_LOKAL_TAKT_MS = 20;
// Peers served at once: a further one is closed as it connects (its
// DdeConnect fails), so that peers cannot take the program's memory.
inline constexpr size_t PL_LOKAL_PEERSUP = 16;
// Milliseconds a peer may owe the rest of a frame (or its connect frame)
// before it is dropped; a peer in a conversation may stay silent.
inline constexpr int PL_LOKAL_HALB_MS = PL_LOKAL_VERBINDEN_MS;

// Peers connected now (tests); the half-frame wait in ms (tests; <= 0:
// PL_LOKAL_HALB_MS).
size_t plLokalPeerZahl();
void plLokalHalbWartenSetzen(int ms);

UINT DdeInitialize(DWORD* inst, PFNCALLBACK rueckruf, DWORD befehle, DWORD reserviert);
BOOL DdeUninitialize(DWORD inst);
UINT DdeGetLastError(DWORD inst);

HSZ DdeCreateStringHandle(DWORD inst, LPCSTR text, int codePage);
BOOL DdeFreeStringHandle(DWORD inst, HSZ hsz);
BOOL DdeKeepStringHandle(DWORD inst, HSZ hsz);
// Copies at most max - 1 characters and a NUL; the length (buf NULL: the
// whole length); 0 for a bad handle.
DWORD DdeQueryString(DWORD inst, HSZ hsz, LPSTR buf, DWORD max, int codePage);
// 0 when equal ignoring case, -1 / 1 otherwise.
int DdeCmpStringHandles(HSZ a, HSZ b);

// DNS_REGISTER / DNS_UNREGISTER of service `dienst` (hsz2 unused). Non-zero
// on success; 0 when the name is taken by a live server or the socket
// cannot be made.
HDDEDATA DdeNameService(DWORD inst, HSZ dienst, HSZ hsz2, UINT befehl);
HCONV DdeConnect(DWORD inst, HSZ dienst, HSZ thema, void* kontext);
BOOL DdeDisconnect(HCONV conv);
// Only XTYP_EXECUTE: sends `n` bytes (the text with its NUL); TRUE when the
// server acknowledged it (DDE_FACK), with the server's flags in *ergebnis;
// 0 on time-out (DMLERR_EXECACKTIMEOUT) or a lost connection.
HDDEDATA DdeClientTransaction(const BYTE* daten, DWORD n, HCONV conv, HSZ item, UINT format, UINT typ,
                              DWORD zeitMs, DWORD* ergebnis);

HDDEDATA DdeCreateDataHandle(DWORD inst, const BYTE* daten, DWORD n, DWORD versatz, HSZ item, UINT format,
                             UINT befehle);
// Copies at most `n` bytes from `versatz`; buf NULL: the size of the data.
DWORD DdeGetData(HDDEDATA h, BYTE* buf, DWORD n, DWORD versatz);
BYTE* DdeAccessData(HDDEDATA h, DWORD* groesse);
BOOL DdeUnaccessData(HDDEDATA h);
BOOL DdeFreeDataHandle(HDDEDATA h);

// ---- The project's own calls -----------------------------------------------------------------
// The per-user folder (made when missing); empty when it cannot be made or
// is not safe (another owner, a link).
std::string plLokalOrdner();
// Makes the socket of a window class, so that other processes find it
// (single-instance test) whether or not a service is registered; a later
// DdeNameService of the same name uses this socket. 0 or -1.
int plLokalKlasseMelden(LPCSTR klasse);
void plLokalKlasseAbmelden(LPCSTR klasse);
// True when a live process serves the name (connecting succeeds).
bool plLokalServerLebt(LPCSTR name);
// FindWindow of a class that no window of this process has asks this module
// (through the window manager's hook, installed when this module is linked
// and again by DdeInitialize and plLokalKlasseMelden): when another process
// serves the class's name, FindWindow returns PL_LOKAL_FREMDES_FENSTER, a
// value that is no window of this process (IsWindow is FALSE for it).
inline constexpr HWND PL_LOKAL_FREMDES_FENSTER = 0xFFFFFFF0u;
// Serves what waits on the sockets (new peers, requests, ends), waiting at
// most `wartenMs` for something to arrive. The number of requests served.
int plLokalPollen(int wartenMs);
// Closes everything (end of the program or of a test): instances, sockets,
// conversations; socket files of this process are removed.
void plLokalEnde();
