/* Preloaded into the real game by bench/window/measure.sh: notes the time of every presented
   frame so the frame interval can be measured without touching the game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

int SDL_UpdateWindowSurface(void* window) {
    static int (*real)(void*) = NULL;
    static FILE* log = NULL;
    if (real == NULL) {
        real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
        const char* path = getenv("PRESENT_CLOCK_LOG");
        log = fopen(path != NULL ? path : "/dev/null", "w");
    }
    const int result = real(window);
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    fprintf(log, "%.3f\n", now.tv_sec * 1000.0 + now.tv_nsec / 1e6);
    fflush(log);
    return result;
}
