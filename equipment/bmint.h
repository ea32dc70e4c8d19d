// Shared inside equipment/ only: the changed marks the store saves around a
// write and restores when the write failed.
#pragma once

struct BmMarken {
    int ges;
    int btl;
    int btlZaehler;
    int gtx;
    int ztx;
    int wse;
};
void GesMarkeSetzen(int geaendert);
void BtlMarkeSetzen(int geaendert, int zaehler);
int GesInitialisiert();
int BtlInitialisiert();
void GtxMarkeSetzen(int geaendert);
void ZtxMarkeSetzen(int geaendert);
void WseMarkeSetzen(int geaendert);
