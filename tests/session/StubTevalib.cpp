// A stand-in model library for session tests. Its project check answers
// STUB_PROJECT_STATUS; with STUB_OMIT_SP_NNO it lacks the sp_nno entry.
// stub_load_serial() tells how many times DB_get ran since this copy was
// loaded, so a test can see that a session loaded the library afresh.

#include <unistd.h>

#include "tevalib.h"

#ifndef STUB_PROJECT_STATUS
#define STUB_PROJECT_STATUS 0
#endif

namespace {
int g_dbGetCalls = 0;
}

extern "C" {
TEVA_API int stub_db_get_calls(void) { return g_dbGetCalls; }

int DB_initset(void) { return -1; }
int DB_textread(void) { return -1; }
int DB_textwrite(void) { return -1; }
int DB_restruct(int) { return 0; }
int DB_getr(int, void*) { return -1; }
short DB_get(int kind, void*) {
    ++g_dbGetCalls;
    return kind == 1 ? STUB_PROJECT_STATUS : -3;
}
int DBp_get(int, void*, int*, int*) { return 0; }
short DB_put(int, const void*) { return -3; }
short DB_del(int, const void*) { return -3; }
short DB_Usno(int, const char*) { return -1; }
short DB_Usnam(int, short, char*) { return -1; }
short DB_Usfind(int, const char*) { return -2; }
short DB_Usren(int, short, const char*) { return -1; }
short DB_Usino(int, short, char*) { return -1; }
short DB_Usdel(int, short) { return -1; }
short DB_Uhgget(int, int, void*) { return -3; }
int sp_lslay(int) { return 0; }
int sp_layls(int) { return 0; }
int sp_lslevel(int, int, int) { return 0; }
int sp_cpnam(int) { return 0; }
int sp_cpno(int) { return 0; }
int sp_GetSubLayNo(int, int) { return -1; }
int sp_GetMaxSeqLay(void) { return 0; }
int sp_GetMaxLevel(void) { return 0; }
int sp_GetMaxLin(int) { return 0; }
int sp_wnam(int) { return -1; }
int sp_wno(int) { return -1; }
int sp_GetTwoPntCord(int, int, float*, float*, float*, float*) { return -1; }
int sp_GetMaxCros(void) { return 0; }
int sp_xwno2(int, int*, int*) { return -1; }
int sp_xnow(int, int) { return 0; }
int sp_GetMaxNode(int) { return 0; }
#ifndef STUB_OMIT_SP_NNO
int sp_nno(int, int) { return 0; }
#endif
int sp_nnox_L(int, int, int*) { return -1; }
int sp_nnox_N(int, int) { return -1; }
int sp_GetCord3d(int, int, float*, float*, float*) { return -1; }
int sp_GetMaxMinCord(int, float*, float*, float*, float*) { return -1; }
int sp_GetMaxSpan(int) { return 0; }
int sp_snox(int, int, int*, int*, int*) { return -1; }
int sp_scon(int, int, int*, int*) { return -1; }
int sp_snon(int, int, int*, int*) { return -1; }
int sp_sno(int, int, int, int, int*, int*, int*, int) { return -1; }
int sp_Pnt2ToSpanFB(int, int, int) { return -1; }
int sp_st_spn_get(void) { return -1; }
int sp_GetMaxBayS(int) { return 0; }
int sp_pwno_N(int, int, int*) { return 0; }
int sp_pwno_L(int, int, int*, int*) { return 0; }
int sp_GetMaxLinG(void) { return -1; }
int sp_GetMaxEdge(void) { return -1; }

// The host side: a "project" is any file that exists.
int teva_open(const char* path) { return path && access(path, R_OK) == 0 ? 0 : -1; }
void teva_close(void) {}
const char* teva_last_error(void) { return "no such project file"; }
int teva_create(const char*, const char*) { return -1; }
int teva_add_storey(const char*, double) { return -1; }
int teva_check(void) { return 0; }
}
