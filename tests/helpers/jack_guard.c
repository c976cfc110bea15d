/* A JACK server for one test that never outlives it. Starts
 * `jackd -n NAME ARGS...`, prints "ready PID" (the server's process) once a
 * client can connect (or
 * "failed" when none can within 15 s), and then watches its owner: when its
 * standard input closes (the owner closed it, or died: even a killed process's
 * pipes close) or the process given with -w has gone, the server is ended:
 * SIGTERM, a bounded wait, then SIGKILL (SIGTERM, SIGINT or SIGHUP to the
 * guard end the server the same way). jackd's own shutdown sometimes hangs
 * when a client dies at the same moment, and a killed server leaves its entry
 * in JACK's shared registry (which has room for eight servers) and its memory
 * (a hundred megabytes) in /dev/shm: both are removed, so later servers start.
 * Usage: jack_guard [-w PID] NAME [JACKD-ARGUMENTS...] */
#define _GNU_SOURCE /* semtimedop */
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <jack/jack.h>
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/sem.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { kReadyWaitMs = 15000, kProbeWaitMs = 3000, kTermWaitMs = 2000, kPollMs = 50, kMaxArgs = 64 };

/* JACK's shared registry, /dev/shm/jack-shm-registry: a header with eight
 * server entries (each a process id and a name, the entry's size given by the
 * header's length), then the entries of the memory segments. Its lock is a
 * System V semaphore of a fixed key. */
static const char* const kShmDir = "/dev/shm";
static const char* const kRegistry = "/dev/shm/jack-shm-registry";
enum { kRegistryMagic = 0x4a41434b, kSemKey = 0x282929, kServers = 8 };
struct RegistryHeader {
  uint32_t magic;
  uint16_t protocol;
  int32_t type;
  int32_t size;
  int32_t hdr_len;
  int32_t entry_len;
  char servers[];  /* kServers entries of (hdr_len - offsetof(servers)) / kServers bytes */
};
struct ServerEntry {
  pid_t pid;
  char name[];
};
struct RegistryEntry {
  int16_t index;
  pid_t allocator;
  int32_t size;
  char id[];
};

static long NowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000L + t.tv_nsec / 1000000L;
}

static int server_reaped;
static volatile sig_atomic_t told_to_end;

static void OnEndSignal(int signal_number) {
  (void)signal_number;
  told_to_end = 1;
}

static int Alive(pid_t pid) { return pid > 0 && (kill(pid, 0) == 0 || errno == EPERM); }

/* True once the server has ended (and is reaped), waiting up to wait_ms. */
static int Reaped(pid_t pid, int wait_ms) {
  const long end = NowMs() + wait_ms;
  for (;;) {
    if (server_reaped) return 1;
    if (waitpid(pid, NULL, WNOHANG) == pid) return server_reaped = 1;
    if (NowMs() >= end) return 0;
    poll(NULL, 0, 10);
  }
}

/* The lock is taken with a bound: a server hung while holding it must not
 * hold the clean-up too (what is cleared is only the dead server's own). */
static int LockRegistry(int lock) {
  const int id = semget(kSemKey, 1, 0);
  if (id < 0) return -1;
  struct sembuf op = {0, (short)(lock ? -1 : 1), SEM_UNDO};
  struct timespec bound = {2, 0};
  return semtimedop(id, &op, 1, &bound);
}

/* Takes the dead server's entry and its segments out of the registry. */
static void CleanRegistry(const char* name, pid_t server) {
  const int fd = open(kRegistry, O_RDWR);
  if (fd < 0) return;
  struct stat st;
  if (fstat(fd, &st) != 0 || (size_t)st.st_size < sizeof(struct RegistryHeader)) {
    close(fd);
    return;
  }
  char* base = mmap(NULL, (size_t)st.st_size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (base == MAP_FAILED) return;
  struct RegistryHeader* h = (struct RegistryHeader*)base;
  char prefix[300];
  snprintf(prefix, sizeof prefix, "jack-%d:%s:", (int)getuid(), name);
  const int locked = LockRegistry(1) == 0;
  const int server_len = (h->hdr_len - (int)sizeof *h) / kServers;
  if (h->magic == kRegistryMagic && server_len > (int)sizeof(struct ServerEntry) &&
      h->entry_len > (int)sizeof(struct RegistryEntry) && h->size <= st.st_size) {
    for (int i = 0; i < kServers; ++i) {
      struct ServerEntry* server_entry = (struct ServerEntry*)(h->servers + i * server_len);
      const size_t name_len = (size_t)server_len - sizeof *server_entry;
      if (strncmp(server_entry->name, prefix, name_len) == 0 && !Alive(server_entry->pid)) {
        memset(server_entry, 0, (size_t)server_len);
      }
    }
    for (int off = h->hdr_len; off + h->entry_len <= h->size; off += h->entry_len) {
      struct RegistryEntry* e = (struct RegistryEntry*)(base + off);
      if (e->allocator != server) continue;
      const size_t id_len = (size_t)h->entry_len - sizeof *e;
      if (e->id[0] == '/' && memchr(e->id, '\0', id_len)) shm_unlink(e->id);
      e->allocator = 0;
      e->size = 0;
      memset(e->id, 0, id_len);
    }
  }
  if (locked) LockRegistry(0);
  munmap(base, (size_t)st.st_size);
}

/* The server's socket and semaphore files: jack_NAME_UID_N, jack_sem.UID_NAME_*. */
static void RemoveServerFiles(const char* name) {
  char socket_prefix[300], sem_prefix[300];
  snprintf(socket_prefix, sizeof socket_prefix, "jack_%s_%d_", name, (int)getuid());
  snprintf(sem_prefix, sizeof sem_prefix, "jack_sem.%d_%s_", (int)getuid(), name);
  DIR* dir = opendir(kShmDir);
  if (!dir) return;
  for (struct dirent* d; (d = readdir(dir)) != NULL;) {
    if (strncmp(d->d_name, socket_prefix, strlen(socket_prefix)) == 0 ||
        strncmp(d->d_name, sem_prefix, strlen(sem_prefix)) == 0) {
      unlinkat(dirfd(dir), d->d_name, 0);
    }
  }
  closedir(dir);
}

static void Quiet(const char* message) { (void)message; }

/* One try to connect a client, in a child process of its own: a client that
 * connects while the server is still setting up can crash in the JACK library,
 * and that must not take the guard (and with it the server) down. */
static int ProbeOnce(void) {
  const pid_t probe = fork();
  if (probe < 0) return 0;
  if (probe == 0) {
    jack_set_error_function(Quiet);
    jack_set_info_function(Quiet);
    jack_client_t* client = jack_client_open("jack-guard-probe", JackNoStartServer, NULL);
    if (!client) _exit(1);
    jack_client_close(client);
    _exit(0);
  }
  int status = 0;
  const long end = NowMs() + kProbeWaitMs;
  while (waitpid(probe, &status, WNOHANG) == 0) {
    if (NowMs() >= end) {
      kill(probe, SIGKILL);
      waitpid(probe, &status, 0);
      return 0;
    }
    poll(NULL, 0, 5);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

/* Waits until a client can connect; 0 when the server ends or time runs out. */
static int WaitReady(pid_t server) {
  const long end = NowMs() + kReadyWaitMs;
  while (NowMs() < end && !told_to_end) {
    if (Reaped(server, 0)) return 0;
    if (ProbeOnce()) return 1;
    poll(NULL, 0, kPollMs);
  }
  return 0;
}

/* Until the owner goes (standard input closed, the watched process gone) or
 * the server ends by itself. */
static void WatchOwner(pid_t owner, pid_t server) {
  for (;;) {
    struct pollfd in = {0, POLLIN, 0};
    const int ready = poll(&in, 1, kPollMs);
    if (ready > 0) {
      char scrap[64];
      if (read(0, scrap, sizeof scrap) <= 0) return;
    } else if (ready < 0 && errno != EINTR) {
      return;
    }
    if (told_to_end || (owner > 0 && !Alive(owner)) || Reaped(server, 0)) return;
  }
}

int main(int argc, char** argv) {
  pid_t owner = 0;
  int first = 1;
  if (argc > 2 && strcmp(argv[1], "-w") == 0) {
    owner = (pid_t)atoi(argv[2]);
    first = 3;
  }
  if (argc <= first || argc - first + 3 > kMaxArgs) {
    fprintf(stderr, "usage: jack_guard [-w PID] NAME [JACKD-ARGUMENTS...]\n");
    return 2;
  }
  const char* name = argv[first];
  /* Out of the owner's process group and session, and a signal to end is the
   * owner's word like a closed input: the guard ends the server and clears up
   * before it goes itself. */
  setsid();
  struct sigaction end_action;
  memset(&end_action, 0, sizeof end_action);
  end_action.sa_handler = OnEndSignal;
  sigaction(SIGINT, &end_action, NULL);
  sigaction(SIGHUP, &end_action, NULL);
  sigaction(SIGTERM, &end_action, NULL);
  signal(SIGPIPE, SIG_IGN);
  setenv("JACK_DEFAULT_SERVER", name, 1);
  setenv("JACK_NO_START_SERVER", "1", 1);

  const pid_t server = fork();
  if (server < 0) return 1;
  if (server == 0) {
    /* Should the guard itself be killed, the server goes with it. */
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, 0);
      dup2(null, 1);
      dup2(null, 2);
    }
    char* args[kMaxArgs];
    int n = 0;
    args[n++] = "jackd";
    args[n++] = "-n";
    args[n++] = (char*)name;
    for (int i = first + 1; i < argc; ++i) args[n++] = argv[i];
    args[n] = NULL;
    execvp(args[0], args);
    _exit(127);
  }

  const int ready = WaitReady(server);
  if (ready) {
    printf("ready %d\n", (int)server);
  } else {
    printf("failed\n");
  }
  fflush(stdout);
  if (ready) WatchOwner(owner, server);
  if (!Reaped(server, 0)) {
    kill(server, SIGTERM);
    if (!Reaped(server, kTermWaitMs)) {
      kill(server, SIGKILL);
      waitpid(server, NULL, 0);
    }
  }
  CleanRegistry(name, server);
  RemoveServerFiles(name);
  return 0;
}
