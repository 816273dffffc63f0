#pragma once
// MinGW's threads library (winpthreads, linked statically) keeps the table
// of thread-specific keys behind a read-write lock that is statically
// initialised and made on its first use; every thread that used a key (the
// C++ runtime's exception and thread_local storage do) takes that lock as it
// ends. Its making is not safe against threads that end at the same moment:
// one of them can read the lock while it is still the initialiser's mark, a
// read at address 7. Under Wine a dozen sound threads ending together did.
// Creating and deleting one key makes the lock while the process still has
// a single thread: every entry point that goes on to start threads calls
// this first.

#include <pthread.h>

namespace brevaro::monitor {

inline void prepareThreadLibrary() {
    pthread_key_t key;
    if (pthread_key_create(&key, nullptr) == 0) pthread_key_delete(key);
}

}  // namespace brevaro::monitor
