// Threads in a browser build without shared memory: the C library's
// pthread_create only reports failure there, which std::thread turns into
// an abort. The game starts threads only to decode pictures side by side,
// so here a new thread runs its function to the end at once, on the one
// thread there is, and joining it has nothing left to wait for.
#include <pthread.h>

extern "C" {

int pthread_create(pthread_t* thread, const pthread_attr_t*, void* (*start)(void*), void* argument) {
  *thread = pthread_self();  // not null: the std::thread is joinable until joined
  start(argument);
  return 0;
}

int pthread_join(pthread_t, void** result) {
  if (result) *result = nullptr;
  return 0;
}

int pthread_detach(pthread_t) { return 0; }

}  // extern "C"
