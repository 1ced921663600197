/*
 * tevalib: the model database library.
 *
 * One building project is open at a time; the library keeps it in an SQLite
 * file and derives the building's topology (layers, axes, crossings, nodes,
 * spans, slope planes) from its records in memory.
 *
 * The 48 editor entries are bound by name at run time by the editor module
 * (plain C linkage, plain C calling convention). The host-side entries
 * (teva_*) open, create and check project files, which the editor never
 * does; the editor binds the undo entries (teva_step_begin ... teva_redo_label)
 * when the library has them.
 *
 * Conventions shared by every entry:
 *  - integers are 32-bit; record fields and name numbers 16-bit signed;
 *    positions 32-bit floats in millimetres (X, Y in plan, Z up);
 *  - text is UTF-8, zero-terminated; names are at most 63 bytes and every
 *    name buffer a caller passes holds at least 64 bytes;
 *  - a null pointer, an out-of-range number or an unknown kind gives an
 *    error result, never a crash and never a write;
 *  - records: 0 done, -3 not found, -4 bad argument; names: a number >= 1,
 *    -2 no such name (DB_Usfind), -1 failure;
 *  - without an open project every entry answers "not found".
 */
#ifndef TEVALIB_H
#define TEVALIB_H

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define TEVA_API __attribute__((visibility("default")))
#else
#define TEVA_API
#endif

/* Record kinds and their sizes in bytes. */
enum {
    TEVA_REC_PROJECT = 1,      /* 200 bytes, project title from byte 0 */
    TEVA_REC_LEVEL = 12,       /* 32 bytes */
    TEVA_REC_AXIS_LINE = 15,   /* 32 bytes */
    TEVA_REC_AXIS_POINT = 17,  /* 24 bytes */
    TEVA_REC_SLOPE = 18,       /* 136 bytes */
    TEVA_REC_SLOPE_EDGE = 19,  /* 16 bytes */
    TEVA_REC_MESH_FILE = 171   /* 268 bytes, path from byte 2 */
};

enum {
    TEVA_SIZE_PROJECT = 200,
    TEVA_SIZE_LEVEL = 32,
    TEVA_SIZE_AXIS_LINE = 32,
    TEVA_SIZE_AXIS_POINT = 24,
    TEVA_SIZE_SLOPE = 136,
    TEVA_SIZE_SLOPE_EDGE = 16,
    TEVA_SIZE_MESH_FILE = 268
};

/* Name kinds. */
enum { TEVA_NAME_STOREY = 1, TEVA_NAME_AXIS = 2, TEVA_NAME_SUBLAYER = 3, TEVA_NAME_SLOPE = 4 };

/* Result codes. TEVA_WRITE_FAILED: the file could not be written (disk
 * full, I/O error); nothing changed. */
enum { TEVA_OK = 0, TEVA_END = -1, TEVA_NOT_FOUND = -3, TEVA_BAD_ARGUMENT = -4, TEVA_WRITE_FAILED = -5 };

/* ---- Records -------------------------------------------------------- */

/* Unused by the editor; stubs answering -1. */
TEVA_API int DB_initset(void);
TEVA_API int DB_textread(void);
TEVA_API int DB_textwrite(void);

/* Recomputes the derived model from the records. 0 done, -3 no project.
 * DB_put and DB_del do not: the queries answer from the model as of the
 * last DB_restruct (teva_open, teva_add_storey). */
TEVA_API int DB_restruct(int flag);
/* rec == NULL rewinds the enumeration of `kind`; otherwise copies the next
 * record in key order into rec: 0 one read, -1 at the end. */
TEVA_API int DB_getr(int kind, void* rec);
/* Reads the record whose key is set in rec. 0 read, -3 not found, -4 bad. */
TEVA_API short DB_get(int kind, void* rec);
/* A positive handle of an existing slope record (kind 18), else 0. */
TEVA_API int DBp_get(int kind, void* rec, int* out1, int* out2);
/* Inserts or replaces by key; committed before it returns. 0, -3, -4. */
TEVA_API short DB_put(int kind, const void* rec);
/* Deletes by key; committed before it returns. 0, -3 missing key, -4. */
TEVA_API short DB_del(int kind, const void* rec);

/* ---- Names (kinds 1 storey, 2 axis, 3 sub-layer, 4 slope) ------------ */

/* Number of an existing name, or a new one registered (smallest free
 * number); -1 for an empty or too long text. Storey names (kind 1) are
 * made only with their storeys (teva_add_storey): a new kind-1 text is -1. */
TEVA_API short DB_Usno(int kind, const char* text);
/* Copies the name's text into out (64 bytes): 0, or -1. */
TEVA_API short DB_Usnam(int kind, short number, char* out);
/* The name's number, or -2 when there is no such name. */
TEVA_API short DB_Usfind(int kind, const char* text);
/* Renames; -1 when the text is taken by another name or the name is missing. */
TEVA_API short DB_Usren(int kind, short number, const char* text);
/* 0 when the name exists (out, 64 bytes, receives its text), -1 otherwise. */
TEVA_API short DB_Usino(int kind, short number, char* out);
/* Removes the name: 0, or -1. */
TEVA_API short DB_Usdel(int kind, short number);
/* kind 1: writes storey `storey`'s height as a double at byte 8 of rec
 * (16 bytes at least): 0, or -3 for no such storey. */
TEVA_API short DB_Uhgget(int kind, int storey, void* rec);

/* ---- Layers ---------------------------------------------------------- */

TEVA_API int sp_lslay(int index);
TEVA_API int sp_layls(int code);
TEVA_API int sp_lslevel(int crossing, int code, int zero);
TEVA_API int sp_cpnam(int code);
TEVA_API int sp_cpno(int nameCode);
TEVA_API int sp_GetSubLayNo(int low, int high);
TEVA_API int sp_GetMaxSeqLay(void);
TEVA_API int sp_GetMaxLevel(void);

/* ---- Axes and crossings ---------------------------------------------- */

TEVA_API int sp_GetMaxLin(int layer);
TEVA_API int sp_wnam(int axis);
TEVA_API int sp_wno(int nameCode);
TEVA_API int sp_GetTwoPntCord(int layer, int axis, float* x1, float* y1, float* x2, float* y2);
TEVA_API int sp_GetMaxCros(void);
TEVA_API int sp_xwno2(int crossing, int* axisA, int* axisB);
TEVA_API int sp_xnow(int axisA, int axisB);

/* ---- Nodes, positions, spans ------------------------------------------ */

TEVA_API int sp_GetMaxNode(int layer);
TEVA_API int sp_nno(int layer, int crossing);
/* Writes at most 512 crossings into list; answers their count. */
TEVA_API int sp_nnox_L(int layer, int node, int* list);
TEVA_API int sp_nnox_N(int layer, int node);
TEVA_API int sp_GetCord3d(int layer, int crossing, float* x, float* y, float* z);
TEVA_API int sp_GetMaxMinCord(int storeyIndex, float* maxX, float* maxY, float* minX, float* minY);
TEVA_API int sp_GetMaxSpan(int layer);
TEVA_API int sp_snox(int layer, int span, int* axis, int* cutAxis1, int* cutAxis2);
TEVA_API int sp_scon(int layer, int axis, int* firstSpan, int* lastSpan);
TEVA_API int sp_snon(int layer, int span, int* node1, int* node2);
/* work1 and work2 have room for 512 ints each. */
TEVA_API int sp_sno(int layer, int pos, int crossing1, int crossing2, int* span, int* work1,
                    int* work2, int zero);
TEVA_API int sp_Pnt2ToSpanFB(int layer, int node1, int node2);
TEVA_API int sp_st_spn_get(void); /* unused stub: -1 */

/* ---- Slopes ------------------------------------------------------------ */

TEVA_API int sp_GetMaxBayS(int slope);
TEVA_API int sp_pwno_N(int slope, int n, int* indexList);
TEVA_API int sp_pwno_L(int slope, int n, int* indexList, int* out);
TEVA_API int sp_GetMaxLinG(void); /* unused stub: -1 */
TEVA_API int sp_GetMaxEdge(void); /* unused stub: -1 */

/* ---- Host side --------------------------------------------------------- */

/* Opens a project file (an open project is closed first): 0, or -1 with
 * teva_last_error() telling why. Nothing is written to a refused file. */
TEVA_API int teva_open(const char* path);
TEVA_API void teva_close(void);
/* Text of the last failure of a teva_* entry ("" when none). The pointer
 * stays valid until the next teva_* call. */
TEVA_API const char* teva_last_error(void);
/* Creates a new, empty project file (refused when the file exists) and
 * opens it: 0, or -1. */
TEVA_API int teva_create(const char* path, const char* title);
/* Appends a storey to the open project: its name (kind 1 name number = its
 * storey number) and floor height, strictly above the last storey's. The
 * new storey's number, or -1. */
TEVA_API int teva_add_storey(const char* name, double height);
/* Undo and redo. The writes between teva_step_begin and teva_step_end form
 * one step named by the label (UTF-8; a label longer than 63 bytes is cut
 * after its last whole character within 63 bytes; the label is read no
 * further than 64 bytes). A write outside a step is a step of its own,
 * named after its entry ("DB_put", "DB_del", "DB_Usno", "DB_Usren",
 * "DB_Usdel", "teva_add_storey"); a step without writes is no step.
 * Begin: 0, -4 when a step is open already or the label is null, empty or
 * not UTF-8, -3 without a project. End: 0, -4 when no step is open, -3.
 * teva_undo / teva_redo take the last step back (forth) in one committed
 * transaction: 0 done, -3 nothing to undo or redo (or no project), -4 while
 * a step is open, -5 the file refused it (nothing changed, teva_last_error()
 * tells why). A new step after an undo empties the redo side; teva_open and
 * teva_close empty the history. Like DB_put, undo and redo do not
 * restructure: the caller runs DB_restruct. */
TEVA_API int teva_step_begin(const char* label);
TEVA_API int teva_step_end(void);
TEVA_API int teva_undo(void);
TEVA_API int teva_redo(void);
/* The label of the step teva_undo (teva_redo) would take, "" when none.
 * The text stays valid until the next call of the same entry. */
TEVA_API const char* teva_undo_label(void);
TEVA_API const char* teva_redo_label(void);
/* Checks the open project's integrity (database and records): 0 when sound;
 * -1 with the problems, one per line, in teva_last_error(). */
TEVA_API int teva_check(void);

#ifdef __cplusplus
}
#endif

#endif
