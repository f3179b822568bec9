// The benchmark's timed build of the program (sorrisa_firstpaint): the program's own run, with
// its libraries, ending at the login window's first paint (FirstPaint.h).
#include "FirstPaint.h"

#include "app/Startup.h"

int main(int argc, char *argv[]) { return Startup::run(argc, argv, &FirstPaint::watch); }
