// controls.cpp -- the summary of the controls, as start-up and --help print it
#include "flight/controls.h"

void printControls(FILE* out)
{
    fputs("== CONTROLS ==\n"
          "MOUSE\t\tDirection\n"
          "UP ARROW\tIncrease Altitude\n"
          "DOWN ARROW\tDecrease Altitude\n"
          "PAGE UP\t\tIncrease Speed\n"
          "PAGE DOWN\tDecrease Speed\n\n"
          "W\t\tToggle Wireframe\n"
          "S\t\tToggle Scene\n"
          "M\t\tToggle Mountains\n"
          "B\t\tToggle Fog\n\n"
          "F\t\tToggle Fullscreen\n\n"
          "Q\t\tQuit\n\n",
          out);
    fflush(out);
}
