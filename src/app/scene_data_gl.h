// scene_data_gl.h -- builds everything the frames draw: models, textures and mountains
#pragma once

// Loads the aircraft body from cessna.txt and the propeller from propeller.txt, makes the sea
// and sky textures from sea02.jpg and sky08.jpg, generates and welds the three mountains and
// computes their normals, in this order, and returns true. Reads the files from the working
// directory and needs a current OpenGL context. A missing cessna.txt is reported and the run
// goes on without the body; a missing propeller.txt is reported and false returned at once.
bool buildSceneData();
