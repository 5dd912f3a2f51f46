#pragma once

#include <QString>

// The help page of the supported ECUs, made from the ECU tables the connection reads, so that it
// lists exactly what the program knows.
QString SupportedEcusPage();
