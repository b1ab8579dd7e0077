// colours.h -- the RGBA colour type and the material colours shared by the drawing code
#pragma once

// Four floats r, g, b, a, handed straight to glMaterialfv and glFogfv.
using RgbaColour = float[4];

inline constexpr RgbaColour black = {0.0f, 0.0f, 0.0f, 1.0f};
inline constexpr RgbaColour white = {1.0f, 1.0f, 1.0f, 1.0f};
inline constexpr RgbaColour yellow = {1.0f, 1.0f, 0.0f, 1.0f};
inline constexpr RgbaColour blue = {0.0f, 0.0f, 1.0f, 1.0f};
inline constexpr RgbaColour purple = {0.8f, 0.4f, 0.8f, 1.0f};
inline constexpr RgbaColour red = {1.0f, 0.0f, 0.0f, 1.0f};
inline constexpr RgbaColour brown = {0.55f, 0.4f, 0.23f, 1.0f};
inline constexpr RgbaColour green = {0.3f, 0.5f, 0.18f, 1.0f};
inline constexpr RgbaColour paleBlue = {0.7f, 0.7f, 0.9f, 1.0f};          // aircraft ambient
inline constexpr RgbaColour specularColour = {1.0f, 0.8f, 0.3f, 0.4f};    // aircraft specular
inline constexpr RgbaColour fogColour = {0.8f, 0.55f, 0.9f, 0.5f};        // colour the sea fades to
