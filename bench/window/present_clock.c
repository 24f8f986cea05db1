/* Preloaded into the real game by window_pacing.sh: stamps the monotonic clock each time a
 * frame is handed to the display (SDL_RenderPresent for the software renderer's window,
 * SDL_GL_SwapWindow for a GL one), so the frame rate is measured where a player sees it,
 * without the game or the layer knowing. Each stamp is one 64-bit count of nanoseconds,
 * appended to the file named by POKUTAN_PRESENT_LOG. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static int log_file = -2;

static void Stamp(void) {
    if (log_file == -2) {
        const char* path = getenv("POKUTAN_PRESENT_LOG");
        log_file = path ? open(path, O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644) : -1;
    }
    if (log_file < 0) {
        return;
    }
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const int64_t nanoseconds = (int64_t)now.tv_sec * 1000000000 + now.tv_nsec;
    if (write(log_file, &nanoseconds, sizeof nanoseconds) != sizeof nanoseconds) {
        log_file = -1;
    }
}

typedef void (*PresentFunction)(void*);

static PresentFunction Next(const char* name) {
    return (PresentFunction)dlsym(RTLD_NEXT, name);
}

void SDL_RenderPresent(void* renderer) {
    static PresentFunction next;
    if (!next) {
        next = Next("SDL_RenderPresent");
    }
    next(renderer);
    Stamp();
}

void SDL_GL_SwapWindow(void* window) {
    static PresentFunction next;
    if (!next) {
        next = Next("SDL_GL_SwapWindow");
    }
    next(window);
    Stamp();
}
