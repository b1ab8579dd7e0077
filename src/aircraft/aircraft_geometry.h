// aircraft_geometry.h -- the aircraft's sizes and parts, shared by the drawing code, the
// generator of the two model files, the tests and the benchmark
#pragma once

// World units per model unit: both model files are drawn at this scale. Held in double so the
// generator builds with the same numbers the drawing hands to OpenGL as float.
inline constexpr double kModelScale = 0.6;

// Each propeller spins about an axis parallel to the model's x axis through
// (0, kPropellerPivotY, kPropellerPivotZ), model units; the spinner and the first engine's
// nacelle are centred on it.
inline constexpr double kPropellerPivotY = -0.15;
inline constexpr double kPropellerPivotZ = 0.35;

// The second propeller is shifted by this along the placed aircraft's z axis, world units,
// before the model scale; its nacelle is built on the shifted axis.
inline constexpr double kSecondPropellerOffset = -0.421;
inline constexpr double kSecondPropellerPivotZ =
    kPropellerPivotZ + kSecondPropellerOffset / kModelScale;

// Faces drawn of each propeller group: the propeller file's first faces only.
inline constexpr int kPropellerFacesDrawn = 133;

// The body's parts are told apart only by their group number in the body file.
inline constexpr int kFuselageGroup = 0;
inline constexpr int kWingsGroup = 1;
inline constexpr int kTailplaneGroup = 2;
inline constexpr int kNacellesGroup = 3;
inline constexpr int kWindowsGroup = 4;
inline constexpr int kCowlingsGroup = 5;
inline constexpr int kStripeGroup = 6;
inline constexpr int kFinGroup = 7;
// Wing tips and trim: every group from kFirstTrimGroup to kLastTrimGroup. The generator fills
// only the first of them (the wing tips).
inline constexpr int kFirstTrimGroup = 14;
inline constexpr int kLastTrimGroup = 25;

// The propeller's two groups.
inline constexpr int kBladesGroup = 0;
inline constexpr int kSpinnerGroup = 1;
