// frame_capture_gl.h -- the finished frame, before it is swapped, written as a PNG file
#pragma once

// Reads the buffer the frame was drawn into (the back buffer, or a single-buffered surface's
// only one), width x height pixels from the lower-left corner, before any swap, and
// writes it to file as an 8-bit RGB PNG, top row first, through writeOutputFile
// (output/output_file.h): the file is whole or left as it was. Leaves the pack alignment as it
// found it. Returns false, with one line naming the file and the reason on standard error,
// when the picture cannot be held or written.
bool writeFramePng(const char* file, int width, int height);
