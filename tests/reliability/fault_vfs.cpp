#include "reliability/fault_vfs.h"

#include <cstring>
#include <sqlite3.h>
#include <stdexcept>

namespace {

struct State {
    sqlite3_vfs* real = nullptr;
    long count = 0;
    long failFrom = 0; // 0: nothing fails
    int code = SQLITE_OK;
    long failed = 0;
};

State g_state;
sqlite3_vfs g_vfs;

// The file as the wrapped system opened it sits right after this header.
struct FaultFile {
    sqlite3_file base;
    sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

FaultFile* Cast(sqlite3_file* file) {
    return reinterpret_cast<FaultFile*>(file);
}

// The result for one changing call: SQLITE_OK when it may run.
int Fault(int ioCode) {
    ++g_state.count;
    if (g_state.failFrom == 0 || g_state.count < g_state.failFrom)
        return SQLITE_OK;
    ++g_state.failed;
    return (g_state.code & 0xff) == SQLITE_IOERR ? ioCode : g_state.code;
}

int Close(sqlite3_file* file) {
    sqlite3_file* real = Cast(file)->Real();
    const int rc = real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
    file->pMethods = nullptr;
    return rc;
}
int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xRead(real, buffer, amount, offset);
}
int Write(sqlite3_file* file, const void* buffer, int amount, sqlite3_int64 offset) {
    if (const int rc = Fault(SQLITE_IOERR_WRITE))
        return rc;
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xWrite(real, buffer, amount, offset);
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    if (const int rc = Fault(SQLITE_IOERR_TRUNCATE))
        return rc;
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xTruncate(real, size);
}
int Sync(sqlite3_file* file, int flags) {
    if (const int rc = Fault(SQLITE_IOERR_FSYNC))
        return rc;
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xSync(real, flags);
}
int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xFileSize(real, size);
}
int Lock(sqlite3_file* file, int level) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xLock(real, level);
}
int Unlock(sqlite3_file* file, int level) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xUnlock(real, level);
}
int CheckReservedLock(sqlite3_file* file, int* result) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xCheckReservedLock(real, result);
}
int FileControl(sqlite3_file* file, int op, void* arg) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xFileControl(real, op, arg);
}
int SectorSize(sqlite3_file* file) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xSectorSize(real);
}
int DeviceCharacteristics(sqlite3_file* file) {
    sqlite3_file* real = Cast(file)->Real();
    return real->pMethods->xDeviceCharacteristics(real);
}

// Version 1 of the methods: the lists use a rollback journal, no shared memory and no
// memory mapping, so the engine never asks for more.
const sqlite3_io_methods kMethods = [] {
    sqlite3_io_methods methods = {};
    methods.iVersion = 1;
    methods.xClose = Close;
    methods.xRead = Read;
    methods.xWrite = Write;
    methods.xTruncate = Truncate;
    methods.xSync = Sync;
    methods.xFileSize = FileSize;
    methods.xLock = Lock;
    methods.xUnlock = Unlock;
    methods.xCheckReservedLock = CheckReservedLock;
    methods.xFileControl = FileControl;
    methods.xSectorSize = SectorSize;
    methods.xDeviceCharacteristics = DeviceCharacteristics;
    return methods;
}();

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* wrapper = Cast(file);
    wrapper->base.pMethods = nullptr;
    sqlite3_file* real = wrapper->Real();
    std::memset(real, 0, size_t(g_state.real->szOsFile));
    const int rc = g_state.real->xOpen(g_state.real, name, real, flags, outFlags);
    if (real->pMethods)
        wrapper->base.pMethods = &kMethods;
    return rc;
}
int Delete(sqlite3_vfs*, const char* name, int syncDir) {
    return g_state.real->xDelete(g_state.real, name, syncDir);
}
int Access(sqlite3_vfs*, const char* name, int flags, int* result) {
    return g_state.real->xAccess(g_state.real, name, flags, result);
}
int FullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return g_state.real->xFullPathname(g_state.real, name, size, out);
}
void* DlOpen(sqlite3_vfs*, const char* name) {
    return g_state.real->xDlOpen(g_state.real, name);
}
void DlError(sqlite3_vfs*, int size, char* out) {
    g_state.real->xDlError(g_state.real, size, out);
}
void (*DlSym(sqlite3_vfs*, void* handle, const char* symbol))(void) {
    return g_state.real->xDlSym(g_state.real, handle, symbol);
}
void DlClose(sqlite3_vfs*, void* handle) {
    g_state.real->xDlClose(g_state.real, handle);
}
int Randomness(sqlite3_vfs*, int size, char* out) {
    return g_state.real->xRandomness(g_state.real, size, out);
}
int Sleep(sqlite3_vfs*, int microseconds) {
    return g_state.real->xSleep(g_state.real, microseconds);
}
int CurrentTime(sqlite3_vfs*, double* now) {
    return g_state.real->xCurrentTime(g_state.real, now);
}
int GetLastError(sqlite3_vfs*, int size, char* out) {
    return g_state.real->xGetLastError ? g_state.real->xGetLastError(g_state.real, size, out) : 0;
}
int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now) {
    return g_state.real->xCurrentTimeInt64(g_state.real, now);
}

} // namespace

FaultVfs::FaultVfs() {
    sqlite3_initialize();
    g_state = State();
    g_state.real = sqlite3_vfs_find(nullptr);
    if (!g_state.real)
        throw std::runtime_error("no SQLite file system to wrap");
    std::memset(&g_vfs, 0, sizeof g_vfs);
    g_vfs.iVersion = 2;
    g_vfs.szOsFile = int(sizeof(FaultFile)) + g_state.real->szOsFile;
    g_vfs.mxPathname = g_state.real->mxPathname;
    g_vfs.zName = "lettrino-fault";
    g_vfs.xOpen = Open;
    g_vfs.xDelete = Delete;
    g_vfs.xAccess = Access;
    g_vfs.xFullPathname = FullPathname;
    g_vfs.xDlOpen = DlOpen;
    g_vfs.xDlError = DlError;
    g_vfs.xDlSym = DlSym;
    g_vfs.xDlClose = DlClose;
    g_vfs.xRandomness = Randomness;
    g_vfs.xSleep = Sleep;
    g_vfs.xCurrentTime = CurrentTime;
    g_vfs.xGetLastError = GetLastError;
    g_vfs.xCurrentTimeInt64 = CurrentTimeInt64;
    sqlite3_vfs_register(&g_vfs, 1);
}

FaultVfs::~FaultVfs() {
    sqlite3_vfs_unregister(&g_vfs);
    sqlite3_vfs_register(g_state.real, 1);
    g_state = State();
}

void FaultVfs::FailFrom(long first, int code) {
    g_state.count = 0;
    g_state.failed = 0;
    g_state.failFrom = first;
    g_state.code = code;
}

void FaultVfs::Disarm() {
    g_state.failFrom = 0;
}

long FaultVfs::Count() const {
    return g_state.count;
}

void FaultVfs::ResetCount() {
    g_state.count = 0;
}

long FaultVfs::Failed() const {
    return g_state.failed;
}
