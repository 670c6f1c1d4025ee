#pragma once
// Loading a library by its Windows name. "vexplayer.dll" is looked up as "libvexplayer.so",
// first in the program's folder, then through the system's search. A stdcall-decorated export
// name ("setInst@4") is looked up undecorated ("setInst").

#include <string>

namespace platform {

using HMODULE = void*;

HMODULE LoadLibraryA(const char* windowsName);
void* GetProcAddress(HMODULE module, const char* exportName);
bool FreeLibrary(HMODULE module);

std::string ElfLibraryName(const std::string& windowsName);
std::string UndecoratedExportName(const std::string& exportName);
// The last loader error, for traces.
std::string LastLibraryError();

} // namespace platform
