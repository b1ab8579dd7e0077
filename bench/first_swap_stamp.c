/* first_swap_stamp.c -- preload library that times a GLUT program's start-up. It notes the
 * monotonic time when glutCreateWindow returns and when the event loop is entered (glutMainLoop,
 * or the first glutMainLoopEvent of a program with its own loop); at the first
 * buffer swap it writes those two times, the swap's time and the OpenGL renderer string to the
 * file named by BRINEWINGS_SWAP_STAMP, one per line, then ends the process. The three times
 * split the start-up into: opening the window; the program's own work before its event loop;
 * drawing and showing the first frame. A window that is not freeglut's (Wayland's, through
 * eglSwapBuffers) has no window time: it is written as 0. */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <GL/gl.h>
#include <GL/glx.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static double windowOpened = 0.0;
static double loopEntered = 0.0;

static double now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

int glutCreateWindow(const char* title)
{
    typedef int (*CreateFunction)(const char*);
    CreateFunction realCreate = (CreateFunction)dlsym(RTLD_NEXT, "glutCreateWindow");
    int window = realCreate(title);
    windowOpened = now();
    return window;
}

void glutMainLoop(void)
{
    typedef void (*LoopFunction)(void);
    LoopFunction realLoop = (LoopFunction)dlsym(RTLD_NEXT, "glutMainLoop");
    loopEntered = now();
    realLoop();
}

/* A program with its own loop takes freeglut's events a pass at a time: the first pass is
 * where its loop begins. */
void glutMainLoopEvent(void)
{
    typedef void (*PassFunction)(void);
    PassFunction realPass = (PassFunction)dlsym(RTLD_NEXT, "glutMainLoopEvent");
    if (loopEntered == 0.0)
        loopEntered = now();
    realPass();
}

/* Writes the stamp of the first swap, which has just been made, and ends the process. */
static void stampFirstSwap(void)
{
    glFinish();
    double swapped = now();
    const char* file = getenv("BRINEWINGS_SWAP_STAMP");
    if (file != NULL) {
        FILE* out = fopen(file, "w");
        if (out != NULL) {
            const char* renderer = (const char*)glGetString(GL_RENDERER);
            fprintf(out, "%.9f\n%.9f\n%.9f\n%s\n", windowOpened, loopEntered, swapped,
                    renderer != NULL ? renderer : "unknown");
            fclose(out);
        }
    }
    _exit(0);
}

void glXSwapBuffers(Display* display, GLXDrawable drawable)
{
    typedef void (*SwapFunction)(Display*, GLXDrawable);
    SwapFunction realSwap = (SwapFunction)dlsym(RTLD_NEXT, "glXSwapBuffers");
    realSwap(display, drawable);
    stampFirstSwap();
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    typedef EGLBoolean (*SwapFunction)(EGLDisplay, EGLSurface);
    SwapFunction realSwap = (SwapFunction)dlsym(RTLD_NEXT, "eglSwapBuffers");
    realSwap(display, surface);
    stampFirstSwap();
    return EGL_TRUE;
}
