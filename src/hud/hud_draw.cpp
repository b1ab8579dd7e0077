// hud_draw.cpp -- the heads-up display drawn last, in immediate mode, with stb_easy_font
#include "hud/hud_draw.h"

#include <GL/gl.h>

// The font's routines are static in its header; the unused ones are not ours to remove.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

// A dark backing keeps the light text readable on the sea, the sky and the reference scene.
static const float kBackingColour[4] = {0.05f, 0.07f, 0.10f, 0.72f};  // r, g, b, opacity
static const float kTextColour[4] = {0.95f, 0.97f, 0.88f, 1.0f};
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
    HudLayout layout = layoutHud(lines, count, width, height);
    if (layout.count == 0)
        return;

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
            glTranslatef((float)kHudMargin, (float)kHudMargin, 0.0f);
            glScalef((float)layout.scale, (float)layout.scale, 1.0f);
            glColor4f(kBackingColour[0], kBackingColour[1], kBackingColour[2], kBackingColour[3]);
            glRectf(0.0f, 0.0f, (float)layout.backingWidth, (float)layout.backingHeight);
            glColor4f(kTextColour[0], kTextColour[1], kTextColour[2], kTextColour[3]);
            for (int i = 0; i < layout.count; i++)
                drawLine((float)kHudPadding, (float)(kHudPadding + i * kHudLineHeight), lines[layout.shown[i]]);
        glPopMatrix();
        glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();  // puts the matrix mode back too
}
