/* Loaded with LD_PRELOAD into mkdict: ends the process with SIGKILL, as
 * kill -9 does, just before its k-th change to the file system (k from
 * MKDICT_CRASH_AT): a file created or truncated, renamed, removed, or a
 * folder made or removed. Without MKDICT_CRASH_AT it changes nothing. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

static long changes_left = -1; /* -1: not read yet; 0: never crash */

static void before_change(void) {
  if (changes_left < 0) {
    const char *at = getenv("MKDICT_CRASH_AT");
    changes_left = at != NULL ? atol(at) : 0;
    if (changes_left < 0) changes_left = 0;
  }
  if (changes_left > 0 && --changes_left == 0) raise(SIGKILL);
}

#define NEXT(name) ((__typeof__(&name))dlsym(RTLD_NEXT, #name))

static mode_t mode_of(int flags, va_list args) {
  return (flags & (O_CREAT | O_TMPFILE)) != 0 ? (mode_t)va_arg(args, int) : 0;
}

static int changes(int flags) { return (flags & (O_CREAT | O_TRUNC | O_TMPFILE)) != 0; }

int open(const char *path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (changes(flags)) before_change();
  return NEXT(open)(path, flags, mode);
}

int open64(const char *path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (changes(flags)) before_change();
  return NEXT(open64)(path, flags, mode);
}

int openat(int dir, const char *path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (changes(flags)) before_change();
  return NEXT(openat)(dir, path, flags, mode);
}

int openat64(int dir, const char *path, int flags, ...) {
  va_list args;
  va_start(args, flags);
  mode_t mode = mode_of(flags, args);
  va_end(args);
  if (changes(flags)) before_change();
  return NEXT(openat64)(dir, path, flags, mode);
}

int creat(const char *path, mode_t mode) {
  before_change();
  return NEXT(creat)(path, mode);
}

int rename(const char *from, const char *to) {
  before_change();
  return NEXT(rename)(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to) {
  before_change();
  return NEXT(renameat)(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned flags) {
  before_change();
  return NEXT(renameat2)(fromDir, from, toDir, to, flags);
}

int unlink(const char *path) {
  before_change();
  return NEXT(unlink)(path);
}

int unlinkat(int dir, const char *path, int flags) {
  before_change();
  return NEXT(unlinkat)(dir, path, flags);
}

int mkdir(const char *path, mode_t mode) {
  before_change();
  return NEXT(mkdir)(path, mode);
}

int mkdirat(int dir, const char *path, mode_t mode) {
  before_change();
  return NEXT(mkdirat)(dir, path, mode);
}

int rmdir(const char *path) {
  before_change();
  return NEXT(rmdir)(path);
}

int truncate(const char *path, off_t length) {
  before_change();
  return NEXT(truncate)(path, length);
}

int ftruncate(int fd, off_t length) {
  before_change();
  return NEXT(ftruncate)(fd, length);
}
