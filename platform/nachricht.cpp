// Messages, loops and timers of the window manager; see nachricht.h for the
// order in which work is handed out. Helpers: prefix `nachricht`.
//
// Invariants:
//  1. `posted` holds posted messages in the order they were posted; the
//     WM_CHAR of TranslateMessage goes to its front, so it comes next.
//  2. Input events are turned into messages only when taken
//     (plEingabeNehmen); messages made by a look that did not remove them
//     wait in `eingabeNachrichten` and are handed out before newer input.
//  3. WM_PAINT and WM_TIMER are never queued: they are made when nothing
//     else waits, from the update regions and the timer table.
//  4. A timer fires once per expiry: when its WM_TIMER is taken it is due
//     again one period after that moment.
#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "platform/fensterint.h"
#include "platform/uhr.h"

namespace {

inline constexpr size_t PL_NACHRICHT_POSTSUP = 10000;  // posted messages waiting, as on Windows

std::vector<std::string> nachrichtNamen;  // RegisterWindowMessage, value 0xC000 + index
UINT_PTR nachrichtTimerId = 0x7F00;       // ids of timers without a window

int64_t nachrichtJetzt()
{
    return plUhrJetztMs();
}

bool nachrichtPasst(const MSG& m, HWND filt, UINT first, UINT last)
{
    if (first || last) {
        if (m.message < first || m.message > last) return false;
    }
    if (!filt) return true;
    if (filt == static_cast<HWND>(-1)) return m.hwnd == 0;
    return m.hwnd == filt || IsChild(filt, m.hwnd);
}

bool nachrichtImBereich(UINT msg, UINT first, UINT last)
{
    return (!first && !last) || (msg >= first && msg <= last);
}

void nachrichtStempeln(MSG* m)
{
    plWmZustand& wm = plWm();
    m->time = GetTickCount();
    m->pt = wm.maus;
}

// The layer's own timers (caret blink) are served here, not as messages.
void nachrichtSystemTimer()
{
    plWmZustand& wm = plWm();
    int64_t jetzt = nachrichtJetzt();
    for (size_t i = 0; i < wm.timer.size(); ++i) {
        plTimer& t = wm.timer[i];
        if (!t.system || t.faellig > jetzt) continue;
        t.faellig = jetzt + t.periode;
        if (t.id == PL_CARET_TIMER) plCaretTimer();
    }
}

plTimer* nachrichtFaelligerTimer(HWND filt)
{
    plWmZustand& wm = plWm();
    int64_t jetzt = nachrichtJetzt();
    plTimer* best = nullptr;
    for (plTimer& t : wm.timer) {
        if (t.system || t.faellig > jetzt) continue;
        MSG m{t.fenster, WM_TIMER, 0, 0, 0, {0, 0}};
        if (!nachrichtPasst(m, filt, 0, 0)) continue;
        if (!best || t.faellig < best->faellig) best = &t;
    }
    return best;
}

bool nachrichtHolen(MSG* m, HWND filt, UINT first, UINT last, bool entfernen)
{
    plWmZustand& wm = plWm();
    for (;;) {
        // 1. Posted messages.
        for (auto it = wm.posted.begin(); it != wm.posted.end(); ++it)
            if (nachrichtPasst(*it, filt, first, last)) {
                *m = *it;
                if (entfernen) wm.posted.erase(it);
                return true;
            }
        // 2. Input.
        for (auto it = wm.eingabeNachrichten.begin(); it != wm.eingabeNachrichten.end(); ++it)
            if (nachrichtPasst(*it, filt, first, last)) {
                *m = *it;
                if (entfernen) wm.eingabeNachrichten.erase(it);
                return true;
            }
        bool gefunden = false;
        while (!wm.eingabe.empty()) {
            MSG n;
            if (!plEingabeNehmen(&n)) continue;
            if (nachrichtPasst(n, filt, first, last)) {
                *m = n;
                if (!entfernen) wm.eingabeNachrichten.push_back(n);
                gefunden = true;
                break;
            }
            wm.eingabeNachrichten.push_back(n);
        }
        if (gefunden) return true;
        // A window procedure run by the input step may have posted something.
        if (!wm.posted.empty() && std::any_of(wm.posted.begin(), wm.posted.end(),
                                              [&](const MSG& x) { return nachrichtPasst(x, filt, first, last); }))
            continue;
        // 3. Quit.
        if (wm.quit && nachrichtImBereich(WM_QUIT, first, last)) {
            *m = MSG{0, WM_QUIT, static_cast<WPARAM>(wm.quitCode), 0, 0, {0, 0}};
            nachrichtStempeln(m);
            if (entfernen) wm.quit = false;
            return true;
        }
        // 4. Paint.
        if (nachrichtImBereich(WM_PAINT, first, last)) {
            HWND h = plFensterMalKandidat();
            if (h) {
                plFenster* w = plFensterVon(h);
                if (w->ncMalen && w->update.leer() && !w->internMalen && !w->loeschen) {
                    // Only the frame is due: paint it without a WM_PAINT.
                    w->ncMalen = false;
                    SendMessage(h, WM_NCPAINT, 1, 0);
                    continue;
                }
                if (w->update.leer() && !w->internMalen && w->loeschen) {
                    w->loeschen = false;
                    continue;
                }
                MSG p{h, WM_PAINT, 0, 0, 0, {0, 0}};
                if (nachrichtPasst(p, filt, first, last)) {
                    *m = p;
                    nachrichtStempeln(m);
                    return true;
                }
            }
        }
        // 5. Timers.
        nachrichtSystemTimer();
        if (nachrichtImBereich(WM_TIMER, first, last)) {
            if (plTimer* t = nachrichtFaelligerTimer(filt)) {
                *m = MSG{t->fenster, WM_TIMER, t->id, reinterpret_cast<LPARAM>(t->proc), 0, {0, 0}};
                nachrichtStempeln(m);
                if (entfernen) t->faellig = nachrichtJetzt() + t->periode;
                return true;
            }
        }
        return false;
    }
}

void nachrichtGenommen(const MSG* m)
{
    plWmZustand& wm = plWm();
    wm.nachrichtZeit = m->time;
    wm.nachrichtPos = m->pt;
}

}  // namespace

static bool nachrichtWarten();

// ---- Sending and posting -------------------------------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    plWmZustand& wm = plWm();
    if (hwnd == HWND_BROADCAST) {
        std::vector<HWND> oben = plFensterOderDesktop(wm.desktop)->kinder;
        for (HWND h : oben)
            if (plFensterVon(h)) SendMessage(h, msg, wp, lp);
        return 0;
    }
    if (!plFensterOderDesktop(hwnd)) return 0;
    ++wm.sendeTiefe;
    LRESULT r = plFensterRufen(hwnd, msg, wp, lp);
    --plWm().sendeTiefe;
    return r;
}

BOOL SendNotifyMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (hwnd != HWND_BROADCAST && !plFensterOderDesktop(hwnd)) return FALSE;
    SendMessage(hwnd, msg, wp, lp);
    return TRUE;
}

BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    plWmZustand& wm = plWm();
    if (hwnd == HWND_BROADCAST) {
        for (HWND h : plFensterOderDesktop(wm.desktop)->kinder) PostMessage(h, msg, wp, lp);
        return TRUE;
    }
    if (hwnd && !plFensterOderDesktop(hwnd)) return FALSE;
    if (wm.posted.size() >= PL_NACHRICHT_POSTSUP) {
        std::fprintf(stderr, "velmo: Nachrichtenschlange voll, Nachricht 0x%04X verworfen\n", msg);
        return FALSE;
    }
    MSG m{hwnd, msg, wp, lp, 0, {0, 0}};
    nachrichtStempeln(&m);
    wm.posted.push_back(m);
    plBeWecken();
    return TRUE;
}

BOOL PostThreadMessage(DWORD, UINT msg, WPARAM wp, LPARAM lp)
{
    return PostMessage(0, msg, wp, lp);
}

void PostQuitMessage(int code)
{
    plWmZustand& wm = plWm();
    wm.quit = true;
    wm.quitCode = code;
}

BOOL InSendMessage()
{
    return FALSE;
}

BOOL ReplyMessage(LRESULT)
{
    return FALSE;
}

// ---- Taking messages -----------------------------------------------------------------------------

BOOL PeekMessage(MSG* msg, HWND hwnd, UINT first, UINT last, UINT remove)
{
    if (!msg) return FALSE;
    if (hwnd && hwnd != static_cast<HWND>(-1) && !IsWindow(hwnd)) return FALSE;
    bool entfernen = (remove & PM_REMOVE) != 0;
    if (nachrichtHolen(msg, hwnd, first, last, entfernen)) {
        if (entfernen) nachrichtGenommen(msg);
        return TRUE;
    }
    // Let the backend queue what has arrived meanwhile, without waiting.
    plBeWarten(plUhrJetztMs(), 0);
    if (nachrichtHolen(msg, hwnd, first, last, entfernen)) {
        if (entfernen) nachrichtGenommen(msg);
        return TRUE;
    }
    return FALSE;
}

BOOL GetMessage(MSG* msg, HWND hwnd, UINT first, UINT last)
{
    if (!msg) return -1;
    if (hwnd && hwnd != static_cast<HWND>(-1) && !IsWindow(hwnd)) return -1;
    for (;;) {
        if (nachrichtHolen(msg, hwnd, first, last, true)) {
            nachrichtGenommen(msg);
            return msg->message == WM_QUIT ? FALSE : TRUE;
        }
        // What waits did not pass the filter: wait for something new.
        if (!nachrichtWarten()) {
            // Nothing can ever arrive (no user, no timer): end the loop
            // rather than hang.
            std::fprintf(stderr, "velmo: keine Eingabe und kein Zeitgeber mehr, Nachrichtenschleife beendet\n");
            PostQuitMessage(1);
        }
    }
}

BOOL WaitMessage()
{
    if (plNachrichtArbeitWartet()) return TRUE;
    return nachrichtWarten() ? TRUE : FALSE;
}

static bool nachrichtWarten()
{
    int64_t user = plNachrichtNaechsterTimer(false);
    int64_t alle = plNachrichtNaechsterTimer(true);
    int64_t jetzt = plUhrJetztMs();
    if (user >= 0) return plBeWarten(jetzt + user, 0) != 0;
    if (alle >= 0) return plBeWarten(jetzt + alle, 1) != 0;
    return plBeWarten(-1, 0) != 0;
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
    BYTE zustand[256];
    GetKeyboardState(zustand);
    WORD c = 0;
    if (ToAscii(static_cast<UINT>(msg->wParam), (static_cast<UINT>(msg->lParam) >> 16) & 0xFF, zustand, &c, 0) == 1) {
        MSG m = *msg;
        m.message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
        m.wParam = static_cast<BYTE>(c);
        plWm().posted.push_front(m);
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        TIMERPROC p = reinterpret_cast<TIMERPROC>(msg->lParam);
        p(msg->hwnd, WM_TIMER, static_cast<UINT_PTR>(msg->wParam), GetTickCount());
        return 0;
    }
    if (!msg->hwnd || !plFensterOderDesktop(msg->hwnd)) return 0;
    return SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LONG GetMessageTime()
{
    return static_cast<LONG>(plWm().nachrichtZeit);
}

DWORD GetMessagePos()
{
    POINT p = plWm().nachrichtPos;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

DWORD GetQueueStatus(UINT flags)
{
    plWmZustand& wm = plWm();
    DWORD s = 0;
    if (!wm.posted.empty()) s |= QS_POSTMESSAGE;
    for (const auto& e : wm.eingabe) s |= (e.art == plEreignisArt::TasteRunter || e.art == plEreignisArt::TasteHoch ||
                                           e.art == plEreignisArt::Zeichen)
                                              ? QS_KEY
                                              : (e.art == plEreignisArt::MausBewegung ? QS_MOUSEMOVE : QS_MOUSEBUTTON);
    if (plFensterMalKandidat()) s |= QS_PAINT;
    if (nachrichtFaelligerTimer(0)) s |= QS_TIMER;
    s &= flags;
    return (s << 16) | s;
}

DWORD GetCurrentThreadId()
{
    return 1;
}

UINT RegisterWindowMessage(LPCSTR name)
{
    if (!name || !*name) return 0;
    for (size_t i = 0; i < nachrichtNamen.size(); ++i)
        if (plTextGleich(nachrichtNamen[i].c_str(), name)) return static_cast<UINT>(0xC000 + i);
    if (nachrichtNamen.size() >= 0x3FFF) return 0;
    nachrichtNamen.emplace_back(name);
    return static_cast<UINT>(0xC000 + nachrichtNamen.size() - 1);
}

// ---- Timers --------------------------------------------------------------------------------------------

static UINT_PTR nachrichtTimerSetzen(HWND hwnd, UINT_PTR id, UINT ms, TIMERPROC proc, bool system)
{
    plWmZustand& wm = plWm();
    if (hwnd && !plFensterVon(hwnd)) return 0;
    if (!hwnd) {
        bool frei = id != 0;
        for (const plTimer& t : wm.timer)
            if (t.fenster == 0 && t.id == id) frei = true;  // replacing an own timer
        if (!frei || id == 0) id = ++nachrichtTimerId;
    }
    if (ms < 1) ms = 1;
    for (plTimer& t : wm.timer)
        if (t.fenster == hwnd && t.id == id) {
            t.periode = ms;
            t.faellig = nachrichtJetzt() + ms;
            t.proc = proc;
            return hwnd ? (id ? id : 1) : id;
        }
    wm.timer.push_back(plTimer{hwnd, id, ms, nachrichtJetzt() + ms, proc, system});
    plBeWecken();
    return hwnd ? (id ? id : 1) : id;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT ms, TIMERPROC proc)
{
    return nachrichtTimerSetzen(hwnd, id, ms, proc, false);
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    plWmZustand& wm = plWm();
    for (auto it = wm.timer.begin(); it != wm.timer.end(); ++it)
        if (it->fenster == hwnd && it->id == id && !it->system) {
            wm.timer.erase(it);
            return TRUE;
        }
    return FALSE;
}

UINT_PTR plNachrichtSystemTimer(HWND h, UINT_PTR id, UINT ms)
{
    return nachrichtTimerSetzen(h, id, ms, nullptr, true);
}

void plNachrichtSystemTimerWeg(HWND h, UINT_PTR id)
{
    plWmZustand& wm = plWm();
    for (auto it = wm.timer.begin(); it != wm.timer.end(); ++it)
        if (it->fenster == h && it->id == id && it->system) {
            wm.timer.erase(it);
            return;
        }
}

void plNachrichtTimerWeg(HWND h)
{
    plWmZustand& wm = plWm();
    wm.timer.erase(std::remove_if(wm.timer.begin(), wm.timer.end(), [h](const plTimer& t) { return t.fenster == h; }),
                   wm.timer.end());
}

int plNachrichtTimerAnzahl()
{
    return static_cast<int>(plWm().timer.size());
}

int64_t plNachrichtNaechsterTimer(bool auchSystem)
{
    plWmZustand& wm = plWm();
    int64_t best = -1;
    int64_t jetzt = nachrichtJetzt();
    for (const plTimer& t : wm.timer) {
        if (t.system && !auchSystem) continue;
        int64_t d = std::max<int64_t>(0, t.faellig - jetzt);
        if (best < 0 || d < best) best = d;
    }
    return best;
}

bool plNachrichtArbeitWartet()
{
    plWmZustand& wm = plWm();
    return !wm.posted.empty() || !wm.eingabe.empty() || !wm.eingabeNachrichten.empty() || wm.quit ||
           plFensterMalKandidat() != 0 || nachrichtFaelligerTimer(0) != nullptr;
}

void plNachrichtEnde()
{
    plWmZustand& wm = plWm();
    wm.posted.clear();
    wm.eingabeNachrichten.clear();
    wm.timer.clear();
    wm.quit = false;
}
