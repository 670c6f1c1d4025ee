#include "platform/library.h"

#include <dlfcn.h>

#include <cctype>
#include <filesystem>
#include <mutex>

#include "platform/shell.h"

namespace platform {

namespace {

struct LoaderError {
    std::mutex mutex;
    std::string text;
};

LoaderError& TheError() {
    static LoaderError error;
    return error;
}

void RememberError(std::string text) {
    LoaderError& error = TheError();
    std::lock_guard lock(error.mutex);
    error.text = std::move(text);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool EndsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The folder of this library: where the programs' libraries sit beside it.
std::filesystem::path OwnFolder() {
    Dl_info info{};
    if (::dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || !info.dli_fname) return {};
    return std::filesystem::path(info.dli_fname).parent_path();
}

void* Open(const std::string& path) { return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }

void RememberLoaderError(const std::string& fallback) {
    const char* message = ::dlerror();
    RememberError(message ? std::string(message) : fallback);
}

} // namespace

std::string ElfLibraryName(const std::string& windowsName) {
    const std::size_t slash = windowsName.find_last_of("\\/");
    std::string name = slash == std::string::npos ? windowsName : windowsName.substr(slash + 1);
    // An ELF name ("libusb-0.1.so.4") is already what the loader wants.
    if (EndsWith(name, ".so") || name.find(".so.") != std::string::npos) return name;
    name = Lower(name);
    if (EndsWith(name, ".dll")) name.resize(name.size() - 4);
    if (name.rfind("lib", 0) != 0) name.insert(0, "lib");
    return name + ".so";
}

std::string UndecoratedExportName(const std::string& exportName) {
    const std::size_t at = exportName.rfind('@');
    if (at == std::string::npos || at == 0 || at + 1 == exportName.size()) return exportName;
    for (std::size_t i = at + 1; i < exportName.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(exportName[i]))) return exportName;
    return exportName.substr(0, at);
}

HMODULE LoadLibraryA(const char* windowsName) {
    if (!windowsName || !*windowsName) {
        RememberError("no library name");
        return nullptr;
    }
    const std::string name = ElfLibraryName(windowsName);
    // The program's folder, then the folder of the platform library (sanitizer runtimes hide
    // the caller's run path from dlopen), then the system's search.
    for (const std::filesystem::path& folder : {ProgramDir(), OwnFolder()}) {
        std::error_code error;
        const std::filesystem::path candidate = folder / name;
        if (folder.empty() || !std::filesystem::is_regular_file(candidate, error)) continue;
        if (void* module = Open(candidate.string())) return module;
        RememberLoaderError(candidate.string() + ": cannot be loaded");
        return nullptr;
    }
    if (void* module = Open(name)) return module;
    RememberLoaderError(name + ": cannot be loaded");
    return nullptr;
}

void* GetProcAddress(HMODULE module, const char* exportName) {
    if (!module || !exportName) return nullptr;
    ::dlerror();
    void* address = ::dlsym(module, UndecoratedExportName(exportName).c_str());
    if (!address) RememberLoaderError(std::string(exportName) + ": not exported");
    return address;
}

bool FreeLibrary(HMODULE module) { return module && ::dlclose(module) == 0; }

std::string LastLibraryError() {
    LoaderError& error = TheError();
    std::lock_guard lock(error.mutex);
    return error.text;
}

} // namespace platform
