// frame_capture_gl.cpp -- the finished frame in the back buffer written as a PNG file
#include "run/frame_capture_gl.h"

#include <GL/gl.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

bool writeBackBufferPng(const char* file, int width, int height)
{
    if (width < 1 || height < 1) {
        fprintf(stderr, "brinewings: %s: the window has no pixels to capture\n", file);
        return false;
    }
    size_t rowBytes = (size_t)width * 3;
    std::vector<unsigned char> rgb(rowBytes * (size_t)height);
    // Rows are read packed; the pack alignment is put back, as the frame found it.
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    // OpenGL gives the bottom row first; PNG wants the top row first. X window sizes fit in
    // 16 bits, so the row length fits in an int.
    stbi_flip_vertically_on_write(1);
    errno = 0;
    if (stbi_write_png(file, width, height, 3, rgb.data(), (int)rowBytes) == 0) {
        fprintf(stderr, "brinewings: %s: %s\n", file, errno != 0 ? strerror(errno) : "cannot write the PNG");
        return false;
    }
    return true;
}
