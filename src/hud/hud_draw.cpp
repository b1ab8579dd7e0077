// hud_draw.cpp -- the heads-up display drawn last, in immediate mode, with stb_easy_font
#include "hud/hud_draw.h"

#include <GL/gl.h>

// The font's routines are static in its header; the unused ones are not ours to remove.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

static const int kMargin = 8;              // pixels from the window's corner to the backing
static const int kPadding = 4;             // pixels of backing around the text, before scaling
static const int kLineHeight = 12;         // stb_easy_font's line advance, unscaled pixels
static const int kPixelsPerScale = 480;    // window height that earns one more step of scale
static const int kQuadBytes = 4 * 16;      // one quad: 4 vertices of x, y, z and 4 colour bytes
static const int kFontBufferBytes = kHudLineChars * 64 * kQuadBytes;  // generous per line

static char quadBuffer[kFontBufferBytes];  // one line's quads from stb_easy_font_print

static void drawLine(float x, float y, char* text)
{
    int quads = stb_easy_font_print(x, y, text, nullptr, quadBuffer, kFontBufferBytes);
    glBegin(GL_QUADS);
        for (int i = 0; i < quads * 4; i++) {
            const float* vertex = (const float*)(quadBuffer + i * 16);
            glVertex2f(vertex[0], vertex[1]);
        }
    glEnd();
}

void drawHud(const HudFigures& figures, int width, int height)
{
    char lines[kHudLines][kHudLineChars];
    int count = formatHud(figures, lines);
    int textWidth = 0;
    for (int i = 0; i < count; i++) {
        int lineWidth = stb_easy_font_width(lines[i]);
        textWidth = lineWidth > textWidth ? lineWidth : textWidth;
    }
    int scale = 1 + (height > 0 ? height : 0) / kPixelsPerScale;

    glPushAttrib(GL_ALL_ATTRIB_BITS);  // enables, colour, material, lines, polygons, texture, fog
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
        glLoadIdentity();
        // Window pixels, y down from the top edge, as stb_easy_font lays out its text.
        glOrtho(0.0, width > 0 ? width : 1, height > 0 ? height : 1, 0.0, -1.0, 1.0);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
            glLoadIdentity();
            glDisable(GL_LIGHTING);
            glDisable(GL_DEPTH_TEST);
            glDisable(GL_FOG);
            glDisable(GL_TEXTURE_2D);
            glDisable(GL_CULL_FACE);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glTranslatef((float)kMargin, (float)kMargin, 0.0f);
            glScalef((float)scale, (float)scale, 1.0f);
            // A dark backing keeps the text readable on the sea, the sky and the reference scene.
            glColor4f(0.05f, 0.07f, 0.10f, 0.72f);
            glRectf(0.0f, 0.0f, (float)(textWidth + 2 * kPadding), (float)(count * kLineHeight + 2 * kPadding));
            glColor4f(0.95f, 0.97f, 0.88f, 1.0f);
            for (int i = 0; i < count; i++)
                drawLine((float)kPadding, (float)(kPadding + i * kLineHeight), lines[i]);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();  // puts the matrix mode back too
}
