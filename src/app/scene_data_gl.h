// scene_data_gl.h -- builds everything the frames draw: models, textures and mountains
#pragma once

// Loads the aircraft body from cessna.txt and the propeller from propeller.txt, makes the sea
// and sky textures from sea02.jpg and sky08.jpg, generates and welds the three mountains and
// computes their normals, in this order. Reads the files from the working directory and needs
// a current OpenGL context. A missing cessna.txt is reported and the run goes on without the
// body; a missing propeller.txt ends the process with status 1.
void buildSceneData();
