// Helpers of the drawing-store tests: a fresh store, queue and stand-in
// editor per test over the drawing area (0, 0)..(400, 400), record builders
// and a command run.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "config/konfhaken.h"
#include "model/beffifo.h"
#include "model/edhaken.h"
#include "model/einstell.h"
#include "model/tempzeic.h"
#include "model/undo.h"
#include "platform/fehlersim.h"
#include "tests/model/edprotokoll.h"

using namespace modh;  // the model's calls through its service tables

inline BEF tzRec(int code, std::vector<double> reals = {}, const char* text = nullptr, std::vector<int> ints = {})
{
    BEF b;
    std::memset(&b, 0, sizeof b);
    b.code = static_cast<uint8_t>(code);
    for (size_t i = 0; i < ints.size(); ++i) b.iarg[i] = ints[i];
    for (size_t i = 0; i < reals.size(); ++i) b.darg[i] = reals[i];
    if (text) BefTextSetzen(&b, text);
    return b;
}

// The start state of the tests: the program's defaults with scale 1.
inline STT tzStart()
{
    STT s;
    SttInit(&s, nullptr);
    s.mass = s.msm = s.msf = 1.0;
    s.layer = 1;
    s.st = 1;
    s.sl = 1.0;
    s.tg = 2.5;
    s.tv = s.th = 1.0;
    return s;
}

// A state at (x, y), otherwise the start state.
inline STT tzStt(double x, double y)
{
    STT s = tzStart();
    s.x = x;
    s.y = y;
    return s;
}

inline constexpr int TZ_ZL = 40;
inline constexpr int TZ_TEXT = 50;
inline constexpr int TZ_ZB = 80;

struct TzTest : ::testing::Test {
    PlFehlerScope fehler;
    int ram = -1;  // "ZeiRAM" given to the store, -1 the default
    void SetUp() override { starten(1); }
    void TearDown() override
    {
        BefQueueFrei();
        TzEnde();
        EdProtokollStarten();
        konfHakenZuruecksetzen();
    }
    void starten(int zeiRam)
    {
        VIEINST* v = ViEinst();
        v->flux = 0;
        v->fluy = 0;
        v->frox = 400;
        v->froy = 400;
        EdProtokollStarten();
        BefZuruecksetzen();
        TzEnde();
        TzZeiRamVorgeben(zeiRam);
        TzInit();
        TzZeiRamVorgeben(-1);
        BefQueueInit();
        STT s = tzStart();
        EditorZustandSetzen(&s);
        for (int l = 1; l <= LAYERSUP; ++l) LayerSichtSetzen(l, 1);
    }
    // A line of vector (dx, dy) from (x, y), inserted directly.
    int linie(double x, double y, double dx, double dy)
    {
        BEF b = tzRec(TZ_ZL, {dx, dy});
        STT s = tzStt(x, y);
        return TzEinfuegen(&b, &s);
    }
    int text(double x, double y, const char* t)
    {
        BEF b = tzRec(TZ_TEXT, {}, t);
        STT s = tzStt(x, y);
        return TzEinfuegen(&b, &s);
    }
    // One command run around f, as the editor's handler brackets it.
    void lauf(const std::function<void()>& f)
    {
        BefehlAbarbStart();
        f();
        BefehlAbarbStop();
    }
    // Queues the records and drains them in one run.
    void befehle(const std::vector<BEF>& v)
    {
        for (const BEF& b : v) BefEinreihen(&b);
        BefAbarbeiten();
    }
    std::vector<std::string> texte()
    {
        std::vector<std::string> t;
        for (int id = TzNaechstes(-1); id < TZENDE; id = TzNaechstes(id)) {
            BEF b;
            STT s;
            TzObjHolen(id, &b, &s);
            t.push_back(b.text);
        }
        return t;
    }
};
