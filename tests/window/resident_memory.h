// Resident memory of the running process, for probe programs that report how
// much a window opening keeps.
#pragma once

#include <unistd.h>

#include <fstream>

inline long ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
