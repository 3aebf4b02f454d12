#pragma once

#include <QString>

// Where the program keeps Daten/ and error.log: the folder of the executable
// when it can be written, else the user's data folder, seeded once from the
// shipped files beside the executable.
QString resolveProgramFolder(const QString& executableFolder, const QString& userDataFolder);

// The folder chosen at start (set by the start-up, read by everyone else).
QString programFolder();
void setProgramFolder(const QString& folder);
