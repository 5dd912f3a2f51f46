#pragma once

#include "soak/SoakOptions.h"
#include "soak/SoakReport.h"

// Runs the whole stack for the options' duration: dazederir-ecusim on a pseudo-terminal behind a
// symbolic link, the link thread with the serial-port driver on that link, the connection ticked
// by a 50 ms timer, and the data log sampled by its own timer and saved every few minutes, all on
// this thread's event loop as in the program. Needs a QCoreApplication.
SoakResult RunSoak(const SoakOptions& options);
