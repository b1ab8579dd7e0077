// extension_list.h -- looks a name up in a space-separated extension list (GL, GLX, EGL)
#pragma once

// True when name stands in list as a whole word. A null list holds nothing.
bool hasExtension(const char* list, const char* name);
