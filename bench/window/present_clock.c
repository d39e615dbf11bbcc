/* Preloaded into the real game by bench/window/measure.sh: notes the time of every presented
   frame so the frame interval can be measured without touching the game, and the time the
   program was loaded, for the wait until its first frame. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static double NowMs(void) {
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

/* Runs as the program is loaded, before its main. */
__attribute__((constructor)) static void NoteStart(void) {
    const char* path = getenv("PRESENT_CLOCK_START");
    if (path == NULL) return;
    FILE* start = fopen(path, "w");
    if (start == NULL) return;
    fprintf(start, "%.3f\n", NowMs());
    fclose(start);
}

static void NotePresent(void) {
    static FILE* log = NULL;
    if (log == NULL) {
        const char* path = getenv("PRESENT_CLOCK_LOG");
        log = fopen(path != NULL ? path : "/dev/null", "w");
    }
    fprintf(log, "%.3f\n", NowMs());
    fflush(log);
}

int SDL_UpdateWindowSurface(void* window) {
    static int (*real)(void*) = NULL;
    if (real == NULL) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
    const int result = real(window);
    NotePresent();
    return result;
}

/* The window may be given only the rows that changed. */
int SDL_UpdateWindowSurfaceRects(void* window, const void* rects, int count) {
    static int (*real)(void*, const void*, int) = NULL;
    if (real == NULL) {
        real = (int (*)(void*, const void*, int))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
    }
    const int result = real(window, rects, count);
    NotePresent();
    return result;
}
