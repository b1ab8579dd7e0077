// frame_capture_gl.cpp -- the finished frame, before it is swapped, written as a PNG file
#include "output/frame_capture_gl.h"

#include "common/shown_path.h"
#include "output/output_file.h"

#include <GL/gl.h>

#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO  // the file is written by output/output_file.h, every write checked
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

#include <cstdio>
#include <vector>

// stb hands the encoded PNG over in one piece; it is kept until the file is written.
static void appendBytes(void* context, void* data, int size)
{
    auto* bytes = (std::vector<unsigned char>*)context;
    bytes->insert(bytes->end(), (unsigned char*)data, (unsigned char*)data + size);
}

bool writeFramePng(const char* file, int width, int height)
{
    if (width < 1 || height < 1) {
        fprintf(stderr, "brinewings: %s: the window has no pixels to capture\n", shownPath(file));
        return false;
    }
    size_t rowBytes = (size_t)width * 3;
    std::vector<unsigned char> rgb(rowBytes * (size_t)height);
    // Rows are read packed; the pack alignment is put back, as the frame found it.
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    // The buffer the frame was drawn into: the back one, or the one a single-buffered surface has.
    GLint drawn = GL_BACK;
    glGetIntegerv(GL_DRAW_BUFFER, &drawn);
    glReadBuffer((GLenum)drawn);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    // OpenGL gives the bottom row first; PNG wants the top row first. X window sizes fit in
    // 16 bits, so the row length fits in an int.
    stbi_flip_vertically_on_write(1);
    std::vector<unsigned char> png;
    if (stbi_write_png_to_func(appendBytes, &png, width, height, 3, rgb.data(), (int)rowBytes) == 0) {
        fprintf(stderr, "brinewings: %s: not enough memory to encode the PNG\n", shownPath(file));
        return false;
    }
    return writeOutputFile(file, png.data(), png.size());
}
