// The shipped program's threads functions for the runtime, against the real system and with
// the runtime using them: once-only initialisation, mutexes, thread-local keys and their
// destructors, and exceptions thrown on several threads at once. A plain program: a test
// framework's own locks would bring the toolchain's threads library back, and a second
// definition of these functions would then fail the link.
#include <windows.h>

#include <pthread.h>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

int Failures = 0;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("FAIL: %s\n", what);
    ++Failures;
  }
}

struct TStart {
  const std::function<void(int)>* Body;
  HANDLE Go;
  int Index;
};

DWORD WINAPI StartThread(void* p) {
  auto* start = static_cast<TStart*>(p);
  WaitForSingleObject(start->Go, INFINITE);
  (*start->Body)(start->Index);
  return 0;
}

// Runs body on `count` threads released together, and waits for all of them.
void OnThreads(int count, const std::function<void(int)>& body) {
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::vector<TStart> starts(size_t(count), TStart{&body, go, 0});
  std::vector<HANDLE> threads;
  for (int i = 0; i < count; ++i) {
    starts[size_t(i)].Index = i;
    threads.push_back(CreateThread(nullptr, 0, StartThread, &starts[size_t(i)], 0, nullptr));
    Check(threads.back() != nullptr, "a thread starts");
  }
  SetEvent(go);
  WaitForMultipleObjects(DWORD(threads.size()), threads.data(), TRUE, INFINITE);
  for (HANDLE h : threads) CloseHandle(h);
  CloseHandle(go);
}

constexpr int Threads = 8;

volatile LONG InitRuns = 0;
void SlowInit() {
  InterlockedIncrement(&InitRuns);
  Sleep(50);
}

void TestOnce() {
  static pthread_once_t once = PTHREAD_ONCE_INIT;
  volatile LONG sawUnfinished = 0;
  OnThreads(Threads, [&](int) {
    Check(pthread_once(&once, SlowInit) == 0, "pthread_once returns 0");
    if (InitRuns != 1) InterlockedIncrement(&sawUnfinished);
  });
  Check(InitRuns == 1, "the initialiser runs once among racing threads");
  Check(sawUnfinished == 0, "no caller returns before the initialiser has finished");
  Check(pthread_once(&once, SlowInit) == 0 && InitRuns == 1, "a later call does not run it");
}

int ThrowingRuns = 0;
void InitThrowsFirst() {
  if (++ThrowingRuns == 1) throw 1;
}

void TestOnceUnwinding() {
  static pthread_once_t once = PTHREAD_ONCE_INIT;
  bool caught = false;
  try {
    pthread_once(&once, InitThrowsFirst);
  } catch (int) {
    caught = true;
  }
  Check(caught, "an initialiser's exception reaches the caller");
  // Left running, this call would wait for ever.
  Check(pthread_once(&once, InitThrowsFirst) == 0 && ThrowingRuns == 2,
        "after an unwound initialiser the next call runs it again");
  Check(pthread_once(&once, InitThrowsFirst) == 0 && ThrowingRuns == 2, "and then never again");
}

void Count(pthread_mutex_t& mutex, long& counter, int rounds) {
  for (int i = 0; i < rounds; ++i) {
    pthread_mutex_lock(&mutex);
    long value = counter;
    if (i % 1000 == 0) Sleep(0); // let another thread try the lock while it is held
    counter = value + 1;
    pthread_mutex_unlock(&mutex);
  }
}

void TestMutexes() {
  constexpr int Rounds = 20000;
  // The first locks race to create the lock of a statically initialised mutex.
  static pthread_mutex_t staticMutex = PTHREAD_MUTEX_INITIALIZER;
  long counter = 0;
  OnThreads(Threads, [&](int) { Count(staticMutex, counter, Rounds); });
  Check(counter == long(Threads) * Rounds, "a static mutex excludes");

  pthread_mutex_t made;
  Check(pthread_mutex_init(&made, nullptr) == 0, "pthread_mutex_init");
  counter = 0;
  OnThreads(Threads, [&](int) { Count(made, counter, Rounds); });
  Check(counter == long(Threads) * Rounds, "an initialised mutex excludes");
  Check(pthread_mutex_destroy(&made) == 0, "pthread_mutex_destroy");
  // The runtime may still lock a mutex of its own after destroying it at exit.
  Check(pthread_mutex_lock(&made) == 0 && pthread_mutex_unlock(&made) == 0,
        "a destroyed mutex can be locked again");
  pthread_mutex_destroy(&made);

  pthread_mutex_t fresh = PTHREAD_MUTEX_INITIALIZER, zero = 0;
  pthread_mutexattr_t attr = 0;
  Check(pthread_mutex_unlock(&fresh) == EPERM, "unlocking a mutex never locked");
  Check(pthread_mutex_lock(&zero) == EINVAL, "locking a mutex never initialised");
  Check(pthread_mutex_init(&fresh, &attr) == ENOTSUP, "a mutex of another kind is refused");
  Check(pthread_mutex_lock(nullptr) == EINVAL && pthread_once(nullptr, SlowInit) == EINVAL,
        "null arguments");
}

volatile LONG Destroyed = 0;
volatile LONG DestroyedSum = 0;
void Destroy(void* value) {
  InterlockedIncrement(&Destroyed);
  InterlockedExchangeAdd(&DestroyedSum, LONG(reinterpret_cast<INT_PTR>(value)));
}

void TestKeys() {
  pthread_key_t key;
  Check(pthread_key_create(&key, Destroy) == 0, "pthread_key_create");
  pthread_setspecific(key, reinterpret_cast<void*>(INT_PTR(1000)));
  volatile LONG mixedUp = 0;
  OnThreads(Threads, [&](int index) {
    if (pthread_getspecific(key) != nullptr) InterlockedIncrement(&mixedUp);
    // The last thread clears its value: no destructor runs for it.
    void* own = index == Threads - 1 ? nullptr : reinterpret_cast<void*>(INT_PTR(index + 1));
    pthread_setspecific(key, reinterpret_cast<void*>(INT_PTR(77)));
    pthread_setspecific(key, own);
    Sleep(10);
    if (pthread_getspecific(key) != own) InterlockedIncrement(&mixedUp);
  });
  Check(mixedUp == 0, "each thread sees its own value, starting empty");
  Check(pthread_getspecific(key) == reinterpret_cast<void*>(INT_PTR(1000)),
        "the main thread keeps its value");
  Check(Destroyed == Threads - 1, "the destructor runs for each ending thread with a value");
  Check(DestroyedSum == (Threads - 1) * Threads / 2, "the destructor gets each thread's value");

  SetLastError(1234);
  pthread_getspecific(key);
  Check(GetLastError() == 1234, "reading a key keeps the last error");
  Check(pthread_key_create(nullptr, nullptr) == EINVAL, "a null key");
}

struct TThrown {
  int Thread, Round;
};

void TestExceptionsOnThreads() {
  volatile LONG wrong = 0;
  OnThreads(Threads, [&](int index) {
    for (int round = 0; round < 2000; ++round) {
      try {
        if (round % 2) throw TThrown{index, round};
        throw std::vector<int>(size_t(round % 7 + 1), index);
      } catch (const TThrown& e) {
        if (e.Thread != index || e.Round != round) InterlockedIncrement(&wrong);
      } catch (const std::vector<int>& v) {
        if (v.size() != size_t(round % 7 + 1) || v[0] != index) InterlockedIncrement(&wrong);
      }
    }
  });
  Check(wrong == 0, "exceptions thrown on several threads at once each reach their own handler");
}

} // namespace

int main() {
  TestOnce();
  TestOnceUnwinding();
  TestMutexes();
  TestKeys();
  TestExceptionsOnThreads();
  std::printf(Failures ? "%d failed\n" : "passed\n", Failures);
  return Failures ? 1 : 0;
}
