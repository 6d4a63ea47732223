/* Preloaded into a GL program (LD_PRELOAD) to time its frames from outside: every glXSwapBuffers
 * prints the same lines the viewer prints with NERIO_FRAME_STATS=1, so the benchmark reads both
 * programs alike. A program that swaps only once the scene is read (osgviewer) has its first
 * frame as its first model frame. NERIO_FRAME_STATS=exit ends the program right after it. */
#define _GNU_SOURCE
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now(clockid_t clock)
{
    struct timespec ts;
    clock_gettime(clock, &ts);
    return (double)ts.tv_sec + (double)ts.tv_nsec * 1e-9;
}

static double since_start(void)
{
    char buf[4096];
    FILE* f = fopen("/proc/self/stat", "r");
    if (!f)
        return -1.0;
    size_t n = fread(buf, 1, sizeof buf - 1, f);
    fclose(f);
    buf[n] = 0;
    char* p = strrchr(buf, ')');
    if (!p)
        return -1.0;
    p += 2;
    for (int field = 3; field < 22 && p; ++field) {
        p = strchr(p, ' ');
        if (p)
            ++p;
    }
    if (!p)
        return -1.0;
    return now(CLOCK_BOOTTIME) - strtod(p, NULL) / (double)sysconf(_SC_CLK_TCK);
}

void glXSwapBuffers(Display* dpy, GLXDrawable drawable)
{
    static void (*real)(Display*, GLXDrawable);
    static long frames;
    static double last;
    if (!real)
        real = (void (*)(Display*, GLXDrawable))dlsym(RTLD_NEXT, "glXSwapBuffers");
    real(dpy, drawable);
    const double t = now(CLOCK_MONOTONIC);
    if (++frames == 1) {
        const double after = since_start();
        fprintf(stderr, "nerio-frame-stats: first-frame at %.6f after %.3f\n", t, after);
        fprintf(stderr, "nerio-frame-stats: first-model-frame at %.6f after %.3f\n", t, after);
        const char* stats = getenv("NERIO_FRAME_STATS");
        if (stats && strcmp(stats, "exit") == 0) { /* as the viewer does: start-up alone */
            fflush(stderr);
            _exit(0);
        }
    } else {
        fprintf(stderr, "nerio-frame-stats: frame %ld at %.6f dt %.2f\n", frames, t, (t - last) * 1000.0);
    }
    last = t;
}
