#pragma once
// Where the program finds its files: its own folder (level reference table,
// help file, Horalix.ini) and the host's table folder.
#include <filesystem>

namespace enlazora::formats {

// The folder of the running executable.
std::filesystem::path ProgramFolder();

// The host's table folder: C:\HTEMP on Windows; elsewhere ENLAZORA_TABLAS when
// set, else drive_c/HTEMP under $WINEPREFIX (default ~/.wine), where a host
// running under Wine keeps its C:\HTEMP.
std::filesystem::path DefaultTableFolder();

}  // namespace enlazora::formats
