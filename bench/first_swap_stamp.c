/* first_swap_stamp.c -- preload library: at the first buffer swap it writes the monotonic time
 * and the OpenGL renderer string to the file named by BRINEWINGS_SWAP_STAMP, then ends the
 * process. Lets a benchmark time a program from exec to its first frame on the screen. */
#define _GNU_SOURCE
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    typedef void (*SwapFunction)(Display*, GLXDrawable);
    SwapFunction realSwap = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
    realSwap(display, drawable);
    glFinish();

    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const char* file = getenv("BRINEWINGS_SWAP_STAMP");
    if (file != NULL) {
        FILE* out = fopen(file, "w");
        if (out != NULL) {
            const char* renderer = (const char*)glGetString(GL_RENDERER);
            fprintf(out, "%lld.%09ld\n%s\n", (long long)now.tv_sec, now.tv_nsec,
                    renderer != NULL ? renderer : "unknown");
            fclose(out);
        }
    }
    _exit(0);
}
