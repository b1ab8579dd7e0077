// vec3.h -- the three-float point and vector type shared by every subsystem
#pragma once

// A point or vector in model or world units.
struct Vec3 {
    float x;
    float y;
    float z;
};
