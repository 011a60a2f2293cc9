/* Preloaded into every wine process of the test suite. Wine's serial
 * driver maps each /dev/ttyS<n>, /dev/ttyUSB<n> and /dev/ttyACM<n> that
 * exists (and its parallel driver each /dev/lp<n>) to a COM or LPT port,
 * testing them with access(). On the machines that run the suite
 * /dev/ttyS0 is the console line, which nothing of ours may map or open,
 * so to wine those paths do not exist: the only COM ports are the ones the
 * suite maps to pseudo-terminals it made. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <string.h>
#include <unistd.h>

static int is_system_line(const char *path) {
  static const char *const prefixes[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM", "/dev/lp"};
  if (path == NULL) return 0;
  for (size_t i = 0; i < sizeof prefixes / sizeof prefixes[0]; ++i) {
    if (strncmp(path, prefixes[i], strlen(prefixes[i])) == 0) return 1;
  }
  return 0;
}

int access(const char *path, int mode) {
  static int (*real_access)(const char *, int);
  if (is_system_line(path)) {
    errno = ENOENT;
    return -1;
  }
  if (real_access == NULL) real_access = (int (*)(const char *, int))dlsym(RTLD_NEXT, "access");
  return real_access(path, mode);
}
