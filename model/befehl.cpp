// Command records and the command table; see befehl.h. The table is the one
// description of every record's shape: the compact codec, the text form and
// record equality are all driven by it. Calls the buffered files of the
// support library and the system's case map.
#include "model/befehl.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "model/flach.h"
#include "platform/zeichen.h"
#include "support/bdatei.h"

namespace {

struct BefZeile {
    char name[5];      // mnemonic, NUL-padded; empty for unused rows
    uint8_t objekt;    // kept in the drawing as an object
    uint8_t makro;     // written by the macro recorder
    uint8_t sub;       // carries the sub byte
    uint8_t ints;      // integer arguments
    uint8_t reals;     // real arguments
    uint8_t text;      // carries the text
    uint8_t zehntel;   // bit i: integer i+1 is in tenths
    uint8_t neutral;   // leaves the undo grouping alone
};

// name, object, macro, sub, ints, reals, text, tenths, neutral
constexpr BefZeile befTabelle[BEFCODESUP] = {
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 0
    {"_BMG", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 1
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 2
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 3
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 4
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 5
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 6
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 7
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 8
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 9
    {"_MSM", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 10
    {"_MSF", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 11
    {"_RIC", 0, 1, 0, 1, 0, 0, 0x01, 0},  // 12
    {"MS", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 13
    {"DRH", 0, 1, 0, 1, 0, 0, 0x01, 0},  // 14
    {"LAY", 0, 1, 0, 1, 0, 0, 0x00, 1},  // 15
    {"LRA", 0, 1, 0, 2, 0, 0, 0x00, 1},  // 16
    {"LRS", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 17
    {"_MR5", 0, 1, 0, 2, 0, 0, 0x00, 0},  // 18
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 19
    {"BW", 0, 1, 0, 0, 2, 0, 0x00, 1},  // 20
    {"_BA", 0, 1, 0, 0, 2, 0, 0x00, 1},  // 21
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 22
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 23
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 24
    {"ST", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 25
    {"SA", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 26
    {"SL", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 27
    {"_SG", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 28
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 29
    {"TG", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 30
    {"TR", 0, 1, 0, 1, 0, 0, 0x01, 0},  // 31
    {"TV", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 32
    {"TH", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 33
    {"TS", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 34
    {"BD", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 35
    {"TD", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 36
    {"TAR", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 37
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 38
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 39
    {"ZL", 1, 1, 1, 0, 2, 0, 0x00, 0},  // 40
    {"ZRW", 0, 1, 0, 1, 1, 0, 0x01, 0},  // 41
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 42
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 43
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 44
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 45
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 46
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 47
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 48
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 49
    {"TFA", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 50
    {"TFM", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 51
    {"TFE", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 52
    {"TFZ", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 53
    {"TSA", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 54
    {"TSM", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 55
    {"TSE", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 56
    {"TSZ", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 57
    {"_TSC", 1, 1, 1, 0, 0, 1, 0x00, 0},  // 58
    {"TXT", 0, 0, 0, 1, 0, 0, 0x00, 0},  // 59
    {"_KRE", 1, 1, 1, 1, 2, 0, 0x00, 0},  // 60
    {"_RTK", 1, 1, 1, 1, 2, 0, 0x00, 0},  // 61
    {"PKT", 1, 1, 1, 0, 0, 0, 0x00, 0},  // 62
    {"DRE", 1, 1, 1, 3, 2, 0, 0x02, 0},  // 63
    {"TKR", 1, 1, 1, 2, 2, 0, 0x03, 0},  // 64
    {"BOG", 1, 1, 1, 3, 2, 0, 0x03, 0},  // 65
    {"_GRF", 1, 1, 0, 1, 2, 1, 0x00, 0},  // 66
    {"KRE", 1, 1, 1, 2, 2, 0, 0x02, 0},  // 67
    {"RTK", 1, 1, 1, 2, 2, 0, 0x02, 0},  // 68
    {"GRF", 1, 1, 0, 2, 2, 1, 0x02, 0},  // 69
    {"_MSA", 0, 1, 0, 0, 1, 0, 0x00, 0},  // 70
    {"_BRI", 0, 1, 0, 0, 2, 0, 0x00, 0},  // 71
    {"_BMI", 0, 1, 0, 0, 2, 0, 0x00, 0},  // 72
    {"_MLE", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 73
    {"_MLG", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 74
    {"_LAO", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 75
    {"_BML", 0, 0, 0, 1, 0, 0, 0x00, 0},  // 76
    {"_MFO", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 77
    {"_BMC", 0, 1, 0, 3, 2, 1, 0x00, 0},  // 78
    {"BMK", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 79
    {"ZB", 1, 1, 0, 0, 0, 1, 0x00, 0},  // 80
    {"ZBW", 1, 1, 0, 1, 0, 1, 0x01, 0},  // 81
    {"ZBZ", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 82
    {"ZBR", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 83
    {"ZBO", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 84
    {"ZBL", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 85
    {"ZBU", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 86
    {"RHX", 1, 1, 0, 1, 0, 1, 0x00, 0},  // 87
    {"RHY", 1, 1, 0, 1, 0, 1, 0x00, 0},  // 88
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 89
    {"VAR", 1, 1, 0, 0, 0, 0, 0x00, 0},  // 90
    {"QVW", 1, 1, 0, 1, 0, 0, 0x00, 0},  // 91
    {"QVB", 1, 1, 0, 1, 4, 0, 0x00, 0},  // 92
    {"_HOT", 0, 0, 0, 0, 2, 0, 0x00, 0},  // 93
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 94
    {"UNT", 1, 1, 0, 0, 2, 0, 0x00, 0},  // 95
    {"ZML", 1, 1, 0, 8, 8, 1, 0x00, 0},  // 96
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 97
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 98
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 99
    {"E", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 100
    {"ZZ", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 101
    {"ZV", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 102
    {"SZ", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 103
    {"ZO", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 104
    {"ZSN", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 105
    {"DRU", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 106
    {"DIR", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 107
    {"HZ", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 108
    {"HZL", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 109
    {"DOK", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 110
    {"ZVS", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 111
    {"ORVA", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 112
    {"TBD", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 113
    {"_MEN", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 114
    {"_RFR", 0, 0, 0, 1, 0, 1, 0x00, 0},  // 115
    {"ZA3", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 116
    {"ZA4", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 117
    {"VER", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 118
    {"ZAT", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 119
    {"EL1", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 120
    {"VRA", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 121
    {"ZTX", 0, 1, 0, 1, 0, 1, 0x00, 0},  // 122
    {"SMT", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 123
    {"HZA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 124
    {"VRZ", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 125
    {"QVA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 126
    {"ATA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 127
    {"FKA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 128
    {"TA", 0, 1, 0, 1, 0, 0, 0x00, 1},  // 129
    {"TDA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 130
    {"TM", 0, 1, 0, 1, 0, 0, 0x00, 1},  // 131
    {"QBA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 132
    {"UBA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 133
    {"BMZ", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 134
    {"SB", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 135
    {"EB", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 136
    {"LB", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 137
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 138
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 139
    {"STA", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 140
    {"CZL", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 141
    {"SW", 0, 1, 0, 0, 2, 0, 0x00, 1},  // 142
    {"CS", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 143
    {"CL", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 144
    {"MKT", 0, 1, 0, 0, 2, 0, 0x00, 1},  // 145
    {"RLG", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 146
    {"RZT", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 147
    {"CFM", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 148
    {"CPV", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 149
    {"CPR", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 150
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 151
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 152
    {"", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 153
    {"ELB", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 154
    {"FEN", 0, 1, 0, 0, 0, 1, 0x00, 1},  // 155
    {"LUP", 0, 1, 0, 2, 0, 0, 0x00, 1},  // 156
    {"_BME", 0, 0, 0, 2, 0, 0, 0x00, 0},  // 157
    {"BEA", 0, 0, 0, 1, 0, 0, 0x00, 0},  // 158
    {"_BST", 0, 0, 0, 2, 0, 0, 0x00, 0},  // 159
    {"REC", 0, 0, 0, 0, 0, 1, 0x00, 0},  // 160
    {"MAC", 0, 0, 0, 0, 0, 1, 0x00, 0},  // 161
    {"UDO", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 162
    {"RDO", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 163
    {"SUB", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 164
    {"SUT", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 165
    {"SUP", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 166
    {"SUV", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 167
    {"VRV", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 168
    {"VRR", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 169
    {"ATS", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 170
    {"ATV", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 171
    {"ATR", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 172
    {"_QTS", 0, 0, 0, 0, 2, 0, 0x00, 1},  // 173
    {"SUQ", 0, 1, 0, 0, 0, 0, 0x00, 1},  // 174
    {"_ZML", 0, 0, 0, 1, 2, 1, 0x00, 0},  // 175
    {"MFL", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 176
    {"MFB", 0, 1, 0, 0, 4, 0, 0x00, 0},  // 177
    {"MFS", 0, 1, 0, 2, 1, 0, 0x00, 0},  // 178
    {"_ELA", 0, 0, 0, 2, 0, 0, 0x00, 0},  // 179
    {"WH", 0, 0, 0, 0, 0, 0, 0x00, 0},  // 180
    {"BWE", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 181
    {"LE", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 182
    {"LER", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 183
    {"LA", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 184
    {"SUE", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 185
    {"SUA", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 186
    {"ELV", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 187
    {"ELR", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 188
    {"BER", 0, 1, 0, 0, 4, 0, 0x00, 0},  // 189
    {"ELM", 0, 1, 0, 1, 0, 0, 0x00, 0},  // 190
    {"LME", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 191
    {"EXP", 0, 1, 0, 1, 0, 1, 0x00, 0},  // 192
    {"ZAK", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 193
    {"ZAE", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 194
    {"TAU", 0, 1, 0, 0, 0, 1, 0x00, 0},  // 195
    {"ZAA", 0, 1, 0, 0, 0, 0, 0x00, 0},  // 196
    {"DLG", 0, 0, 0, 0, 0, 1, 0x00, 0},  // 197
    {"_FCS", 0, 0, 0, 1, 0, 0, 0x00, 0},  // 198
    {"_UDB", 0, 0, 0, 1, 0, 0, 0x00, 0},  // 199
};

const BefZeile* befZeile(int code)
{
    if (code < 0 || code >= BEFCODESUP) {
        return nullptr;
    }
    return &befTabelle[code];
}

}  // namespace

const char* BefName(int code)
{
    const BefZeile* z = befZeile(code);
    return z ? z->name : "?";
}

const char* BefName(int code, char* puffer, size_t kap)
{
    const BefZeile* z = befZeile(code);
    if (puffer && kap > 0) {
        puffer[0] = '\0';
        if (z) {
            size_t n = std::strlen(z->name);
            if (n >= kap) {
                n = kap - 1;
            }
            std::memcpy(puffer, z->name, n);
            puffer[n] = '\0';
        }
    }
    return z ? z->name : "?";
}

int BefCode(const char* mnemonik)
{
    if (!mnemonik) {
        return -1;
    }
    // Every text line looks its name up: a table by name, the first row of
    // a name kept.
    static const std::unordered_map<std::string_view, int> nachName = [] {
        std::unordered_map<std::string_view, int> m;
        for (int c = 0; c < BEFCODESUP; ++c) m.emplace(befTabelle[c].name, c);
        return m;
    }();
    const auto it = nachName.find(mnemonik);
    return it == nachName.end() ? -1 : it->second;
}

int BefIstObjekt(int code) { const BefZeile* z = befZeile(code); return z ? z->objekt : 0; }
int BefMakro(int code) { const BefZeile* z = befZeile(code); return z ? z->makro : 0; }
int BefHatSub(int code) { const BefZeile* z = befZeile(code); return z ? z->sub : 0; }
int BefAnzInt(int code) { const BefZeile* z = befZeile(code); return z ? z->ints : 0; }
int BefAnzReal(int code) { const BefZeile* z = befZeile(code); return z ? z->reals : 0; }
int BefHatText(int code) { const BefZeile* z = befZeile(code); return z ? z->text : 0; }
int BefNeutral(int code) { const BefZeile* z = befZeile(code); return z ? z->neutral : 0; }

int BefZehntel(int code, int i)
{
    const BefZeile* z = befZeile(code);
    if (!z || i < 0 || i > 7) {
        return 0;
    }
    return (z->zehntel >> i) & 1;
}

int BefFormat(int code) { return code == BEF_ZA3 || code == BEF_ZA4; }
int BefIstText(int code) { return code >= 50 && code <= 57; }
int BefIstTextS(int code) { return code >= 54 && code <= 57; }
int BefIstZB(int code) { return code >= 80 && code <= 86; }
int BefIstZBRH(int code) { return code >= 80 && code <= 88; }
int BefIstKopfSatz(int code) { return code == 16 || code == 17 || code == BEF_ZAT || code == BEF_ZTX; }

int BefGleicheArt(int a, int b)
{
    return a == b || (BefIstText(a) && BefIstText(b)) || (BefIstZB(a) && BefIstZB(b));
}

int BefGleich(const BEF* a, const BEF* b)
{
    if (a->code != b->code) {
        return 0;
    }
    int c = a->code;
    if (BefHatSub(c) && a->sub != b->sub) {
        return 0;
    }
    for (int i = 0; i < BefAnzInt(c); ++i) {
        if (a->iarg[i] != b->iarg[i]) {
            return 0;
        }
    }
    for (int i = 0; i < BefAnzReal(c); ++i) {
        if (!(a->darg[i] == b->darg[i])) {  // an unordered pair counts as different
            return 0;
        }
    }
    if (BefHatText(c) && std::strncmp(a->text, b->text, sizeof a->text) != 0) {
        return 0;
    }
    return 1;
}

void BefTextSetzen(BEF* b, const char* text)
{
    size_t n = text ? strnlen(text, BEFTEXTSUP) : 0;
    if (n > 0) {
        std::memcpy(b->text, text, n);
    }
    std::memset(b->text + n, 0, sizeof b->text - n);
}

void BefDateiForm(const BEF* ein, BEF* aus)
{
    flachKopieren(aus, ein);
    switch (ein->code) {
    case BEF_KRE:
        if (ein->iarg[1] == 0 || ein->darg[0] == ein->darg[1]) {
            aus->code = BEF__KRE;
            aus->iarg[1] = 0;
        }
        break;
    case BEF_RTK:
        if (ein->iarg[1] == 0) {
            aus->code = BEF__RTK;
        }
        break;
    case BEF_GRF:
        if (ein->iarg[1] == 0) {
            aus->code = BEF__GRF;
        }
        break;
    default:
        break;
    }
}

void BefAusDateiForm(const BEF* ein, BEF* aus)
{
    *aus = *ein;
    switch (ein->code) {
    case BEF__KRE: aus->code = BEF_KRE; break;
    case BEF__RTK: aus->code = BEF_RTK; break;
    case BEF__GRF: aus->code = BEF_GRF; break;
    default: break;
    }
}

int BefMindestVersion(const BEF* b)
{
    switch (b->code) {
    case BEF_KRE:
    case BEF_RTK:
    case BEF_GRF:
        return b->iarg[1] != 0 ? 9 : 0;
    case 96:
        return 10;
    case BEF_ZTX:
        return 8;
    default:
        return 0;
    }
}

// ---- compact codec ----------------------------------------------------

int BefSchreiben(BDAT* d, const BEF* b)
{
    // The record is put together first and written in one piece.
    unsigned char roh[2 + 2 * BEFINTSUP + 8 * BEFREALSUP + 2 + sizeof b->text];
    const int c = b->code;
    int n = 0;
    roh[n++] = static_cast<unsigned char>(c);
    if (BefHatSub(c)) roh[n++] = b->sub;
    auto wort = [&](int w) {
        roh[n++] = static_cast<unsigned char>(w);
        roh[n++] = static_cast<unsigned char>(w >> 8);
    };
    for (int i = 0; i < BefAnzInt(c); ++i) wort(b->iarg[i] & 0xFFFF);
    for (int i = 0; i < BefAnzReal(c); ++i) {
        std::memcpy(roh + n, &b->darg[i], 8);
        n += 8;
    }
    if (BefHatText(c)) {
        const int l = static_cast<int>(strnlen(b->text, BEFTEXTSUP));
        wort(l);
        std::memcpy(roh + n, b->text, static_cast<size_t>(l));
        n += l;
    }
    return bdwrite(d, roh, n) == 0 ? n : -1;
}

int BefLesen(BDAT* d, BEF* b)
{
    int c = bdgetc(d);
    if (c < 0) {
        return -1;
    }
    b->code = static_cast<uint8_t>(c);
    int n = 1;
    if (BefHatSub(c)) {
        int s = bdgetc(d);
        if (s < 0) {
            return -1;
        }
        b->sub = static_cast<uint8_t>(s);
        n += 1;
    }
    for (int i = 0; i < BefAnzInt(c); ++i) {
        b->iarg[i] = static_cast<int16_t>(static_cast<uint16_t>(bdgetw(d)));
        n += 2;
    }
    for (int i = 0; i < BefAnzReal(c); ++i) {
        unsigned char roh[8];
        if (bdread(d, roh, 8) != 0) {
            return -1;
        }
        std::memcpy(&b->darg[i], roh, 8);
        n += 8;
    }
    if (BefHatText(c)) {
        int l = static_cast<int16_t>(static_cast<uint16_t>(bdgetw(d)));
        n += 2;
        std::memset(b->text, 0, sizeof b->text);
        if (l > 0) {
            int lesen = l > BEFTEXTSUP ? BEFTEXTSUP : l;
            if (bdread(d, b->text, lesen) != 0) {
                std::memset(b->text, 0, sizeof b->text);
                return -1;
            }
            // Skip what does not fit, so the next record starts where it lies.
            if (l > lesen && bdseekrel(d, l - lesen) != 0) {
                return -1;
            }
            n += l;
        }
    }
    return n;
}
