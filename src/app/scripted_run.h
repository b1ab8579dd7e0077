// scripted_run.h -- replayed and recorded flights, frame capture and the benchmark, wired into GLUT
#pragma once

// Reads our options (app/run_options.h) from what glutInit left, reads the flight file to
// replay (--replay, or the benchmark's route) and creates the recording. Call after glutInit,
// before the window opens. On a bad option or file prints one line on standard error and
// returns false: the program then ends with status 2.
bool prepareScriptedRun(int argc, char** argv);

// With any option of ours, replaces the display, idle, keyboard and pointer callbacks
// by ones that feed the replay, record, capture frames and time them, and arranges the end
// line and the benchmark figures at exit. Without options it does nothing, so the program's
// output and OpenGL calls stay those of a plain run. Call once the window and the standard
// callbacks exist, just before glutMainLoop.
void beginScriptedRun();
