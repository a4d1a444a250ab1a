// The process entry: no arguments or environment are read; the exit status is the
// runtime's, unchanged.
#include "shell/startup.h"

int main(int, char**, char**) {
    return RunProgram();
}
