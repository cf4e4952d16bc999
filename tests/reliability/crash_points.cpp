// Preloaded into a child process (LD_PRELOAD) to stop it dead at a chosen point of its
// work on files. Every call that changes a file counts as one point: writing to a regular
// file, flushing or truncating one, renaming, linking and removing. The environment says
// what to do:
//   LETTRINO_KILL_AT=N     the N-th point (from 1) raises SIGKILL instead of running;
//   LETTRINO_POINTS_FILE=F at a normal exit, the number of points passed is written to F.
// Nothing else changes: with neither variable set the calls run as they are.

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

std::atomic<long> g_points{0};

long KillAt() {
    static const long at = [] {
        const char* text = std::getenv("LETTRINO_KILL_AT");
        return text ? std::atol(text) : 0L;
    }();
    return at;
}

void Point() {
    const long n = ++g_points;
    if (KillAt() > 0 && n >= KillAt())
        ::raise(SIGKILL);
}

bool IsRegularFile(int fd) {
    struct stat info;
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

template <typename F> F Real(const char* name) {
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

struct PointsReport {
    ~PointsReport() {
        const char* path = std::getenv("LETTRINO_POINTS_FILE");
        if (!path)
            return;
        const long points = g_points.load();
        g_points = -1'000'000'000; // the report's own writes are not points
        if (FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "%ld\n", points);
            std::fclose(file);
        }
    }
} g_report;

} // namespace

extern "C" {

ssize_t write(int fd, const void* buffer, size_t size) {
    static auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
    if (IsRegularFile(fd))
        Point();
    return real(fd, buffer, size);
}

ssize_t pwrite(int fd, const void* buffer, size_t size, off_t offset) {
    static auto real = Real<ssize_t (*)(int, const void*, size_t, off_t)>("pwrite");
    Point();
    return real(fd, buffer, size, offset);
}

ssize_t pwrite64(int fd, const void* buffer, size_t size, off64_t offset) {
    static auto real = Real<ssize_t (*)(int, const void*, size_t, off64_t)>("pwrite64");
    Point();
    return real(fd, buffer, size, offset);
}

ssize_t writev(int fd, const struct iovec* vector, int count) {
    static auto real = Real<ssize_t (*)(int, const struct iovec*, int)>("writev");
    if (IsRegularFile(fd))
        Point();
    return real(fd, vector, count);
}

int fsync(int fd) {
    static auto real = Real<int (*)(int)>("fsync");
    Point();
    return real(fd);
}

int fdatasync(int fd) {
    static auto real = Real<int (*)(int)>("fdatasync");
    Point();
    return real(fd);
}

int ftruncate(int fd, off_t length) {
    static auto real = Real<int (*)(int, off_t)>("ftruncate");
    Point();
    return real(fd, length);
}

int ftruncate64(int fd, off64_t length) {
    static auto real = Real<int (*)(int, off64_t)>("ftruncate64");
    Point();
    return real(fd, length);
}

int rename(const char* from, const char* to) {
    static auto real = Real<int (*)(const char*, const char*)>("rename");
    Point();
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    static auto real = Real<int (*)(int, const char*, int, const char*)>("renameat");
    Point();
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    static auto real = Real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    Point();
    return real(fromDir, from, toDir, to, flags);
}

int link(const char* from, const char* to) {
    static auto real = Real<int (*)(const char*, const char*)>("link");
    Point();
    return real(from, to);
}

int unlink(const char* path) {
    static auto real = Real<int (*)(const char*)>("unlink");
    Point();
    return real(path);
}

int unlinkat(int dir, const char* path, int flags) {
    static auto real = Real<int (*)(int, const char*, int)>("unlinkat");
    Point();
    return real(dir, path, flags);
}

} // extern "C"
