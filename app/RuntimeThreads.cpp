// The eight POSIX threads functions the compiler's runtime calls: the unwinder's and the
// exception allocator's locks and the thread-local storage behind exceptions. The toolchain's
// threads library brings 32 KB for them, most of it for threads the program never starts.
// These sit below the program's system seam, as the runtime itself does, and keep the
// library's types, initialisers and return values, so the runtime sees no difference.
#include <windows.h>

#include <pthread.h>

// The C runtime's list of key destructors, run when a thread ends.
extern "C" int __mingwthr_key_dtor(DWORD key, void (*dtor)(void*));

namespace {

enum : pthread_once_t { OnceNew = 0, OnceRunning = 1, OnceDone = 2 };

// A mutex is a pointer to its lock. The static initialiser (-1) gets its lock on first use.
constexpr pthread_mutex_t StaticMutex = PTHREAD_MUTEX_INITIALIZER;

PSRWLOCK NewLock() {
  void* lock = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SRWLOCK)); // SRWLOCK_INIT
  return static_cast<PSRWLOCK>(lock);
}

void FreeLock(pthread_mutex_t value) {
  if (value != StaticMutex && value != 0)
    HeapFree(GetProcessHeap(), 0, reinterpret_cast<void*>(value));
}

// Null when the mutex was never initialised or its lock cannot be made.
PSRWLOCK LockOf(pthread_mutex_t* m) {
  pthread_mutex_t value = __atomic_load_n(m, __ATOMIC_ACQUIRE);
  if (value != StaticMutex) return reinterpret_cast<PSRWLOCK>(value);
  PSRWLOCK lock = NewLock();
  if (!lock) return nullptr;
  pthread_mutex_t expected = StaticMutex;
  if (__atomic_compare_exchange_n(m, &expected, reinterpret_cast<pthread_mutex_t>(lock), false,
                                  __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE))
    return lock;
  HeapFree(GetProcessHeap(), 0, lock); // another thread's lock came first
  return reinterpret_cast<PSRWLOCK>(expected);
}

// An initialiser that unwinds leaves the control new, so a waiter does not wait for ever.
struct TOnceGuard {
  pthread_once_t* Once;
  ~TOnceGuard() {
    if (Once) __atomic_store_n(Once, OnceNew, __ATOMIC_RELEASE);
  }
};

} // namespace

extern "C" {

int pthread_once(pthread_once_t* once, void (*init)(void)) {
  if (!once || !init) return EINVAL;
  for (;;) {
    pthread_once_t state = __atomic_load_n(once, __ATOMIC_ACQUIRE);
    if (state == OnceDone) return 0;
    if (state == OnceNew && __atomic_compare_exchange_n(once, &state, OnceRunning, false,
                                                        __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) {
      TOnceGuard guard{once};
      init();
      guard.Once = nullptr;
      __atomic_store_n(once, OnceDone, __ATOMIC_RELEASE);
      return 0;
    }
    // Another thread runs the initialiser; Sleep(1) lets it run even at a lower priority.
    if (state == OnceRunning) Sleep(1);
  }
}

int pthread_key_create(pthread_key_t* key, void (*dtor)(void*)) {
  if (!key) return EINVAL;
  const DWORD index = TlsAlloc();
  if (index == TLS_OUT_OF_INDEXES) return EAGAIN;
  if (dtor && __mingwthr_key_dtor(index, dtor) != 0) {
    TlsFree(index);
    return ENOMEM;
  }
  *key = index;
  return 0;
}

// Thread-local variables are read between a failing call and its GetLastError.
void* pthread_getspecific(pthread_key_t key) {
  const DWORD error = GetLastError();
  void* value = TlsGetValue(key);
  SetLastError(error);
  return value;
}

int pthread_setspecific(pthread_key_t key, const void* value) {
  return TlsSetValue(key, const_cast<void*>(value)) ? 0 : EINVAL;
}

// Only the default kind of mutex is made; the runtime asks for no other.
int pthread_mutex_init(pthread_mutex_t* m, const pthread_mutexattr_t* attr) {
  if (!m) return EINVAL;
  if (attr) return ENOTSUP;
  PSRWLOCK lock = NewLock();
  if (!lock) return ENOMEM;
  *m = reinterpret_cast<pthread_mutex_t>(lock);
  return 0;
}

// A destroyed mutex reads as statically initialised again: a lock taken after the runtime's
// own clean-up still works.
int pthread_mutex_destroy(pthread_mutex_t* m) {
  if (!m) return EINVAL;
  FreeLock(__atomic_exchange_n(m, StaticMutex, __ATOMIC_ACQ_REL));
  return 0;
}

int pthread_mutex_lock(pthread_mutex_t* m) {
  if (!m) return EINVAL;
  PSRWLOCK lock = LockOf(m);
  if (!lock) return *m == 0 ? EINVAL : ENOMEM;
  AcquireSRWLockExclusive(lock);
  return 0;
}

int pthread_mutex_unlock(pthread_mutex_t* m) {
  if (!m) return EINVAL;
  const pthread_mutex_t value = __atomic_load_n(m, __ATOMIC_ACQUIRE);
  if (value == StaticMutex || value == 0) return EPERM; // never locked
  ReleaseSRWLockExclusive(reinterpret_cast<PSRWLOCK>(value));
  return 0;
}

} // extern "C"
