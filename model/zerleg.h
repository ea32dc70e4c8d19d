// Record expansion: the one way in which consumers see the primitives of a
// record (components, dimension lines, equipment-reference texts). Every
// record and every record it expands into goes to the callback with the
// state in force; the caller's state is kept up to date. Prefix `Bef`.
//
// Until the full expander is built, model/zlersatz.cpp holds a stand-in that
// hands the record itself to the callback and applies it to the state.
#pragma once

struct BEF;
struct STT;

// Called per record; the result matters only to callers that say so.
using BefZerlegenFn = int (*)(const BEF* bef, const STT* stt);

// Sets the depth to 0 and expands the record (callback may be null).
void BefZerlegen(const BEF* b, STT* s, BefZerlegenFn fn);
