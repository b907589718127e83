// What the exe carries for Windows to read before it runs: the manifest and the version.
#include "check.h"
#include "process.h"
#include "scenario_table.h"
#include "version.h"

#include <windows.h>

#include <string>

namespace {

// The exe loaded as data only: its resources can be read, none of its code runs.
struct ExeAsData {
    HMODULE module;
    ExeAsData()
        : module(LoadLibraryExA(ProgramPath().c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {
        Expect(module != nullptr, "cannot load " + ProgramPath() + " as data");
    }
    ~ExeAsData() { FreeLibrary(module); }
    ExeAsData(const ExeAsData&) = delete;
    ExeAsData& operator=(const ExeAsData&) = delete;
};

std::string ResourceBytes(HMODULE module, LPCSTR name, LPCSTR type, const std::string& what) {
    HRSRC found = FindResourceA(module, name, type);
    Expect(found != nullptr, "the exe has no " + what);
    HGLOBAL loaded = LoadResource(module, found);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    Expect(bytes != nullptr, "the exe's " + what + " cannot be read");
    return std::string(bytes, SizeofResource(module, found));
}

// Blanks and line breaks inside a tag don't matter to Windows; they don't here either.
std::string WithBlanksJoined(const std::string& text) {
    std::string joined;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank) {
            joined += c;
        } else if (!joined.empty() && joined.back() != ' ') {
            joined += ' ';
        }
    }
    return joined;
}

void ExpectInManifest(const std::string& manifest, const std::string& part,
                      const std::string& what) {
    Expect(manifest.find(part) != std::string::npos,
           "the manifest does not say " + what + " (" + part + ")");
}

// The version resource as the system reads it for a file's properties.
std::string VersionBlock() {
    const DWORD size = GetFileVersionInfoSizeA(ProgramPath().c_str(), nullptr);
    std::string block(size, '\0');
    if (size == 0 || !GetFileVersionInfoA(ProgramPath().c_str(), 0, size, block.data())) {
        Fail("the exe has no version resource");
    }
    return block;
}

// A string of the version resource's English, Windows-1252 block.
std::string VersionString(const std::string& block, const char* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || length == 0) {
        Fail(std::string("the version resource has no ") + name);
    }
    return std::string(static_cast<const char*>(value), length - 1);
}

void ExeCarriesManifestAndVersion() {
    ExeAsData exe;
    const std::string manifest = WithBlanksJoined(
        ResourceBytes(exe.module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24), "manifest"));
    const char* const systems[][2] = {
        {"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "Windows 7"},
        {"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "Windows 8"},
        {"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "Windows 8.1"},
        {"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "Windows 10 and 11"},
    };
    for (const auto& system : systems) {
        ExpectInManifest(manifest, std::string("<supportedOS Id=\"") + system[0] + "\"/>",
                         std::string("that it runs on ") + system[1]);
    }
    ExpectInManifest(manifest, "<requestedExecutionLevel level=\"asInvoker\"",
                     "that it runs with the user's own rights");
    ExpectInManifest(manifest,
                     "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" "
                     "version=\"6.0.0.0\"",
                     "that its controls have the visual styles");
    ExpectInManifest(manifest,
                     "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">"
                     "true</dpiAware>",
                     "that it draws itself at the system's DPI");

    const std::string version = VersionBlock();
    ExpectBytes(VersionString(version, "ProductVersion"), ProgramVersion, "the product version");
    ExpectBytes(VersionString(version, "FileVersion"), ProgramVersion, "the file version");
    ExpectBytes(VersionString(version, "LegalCopyright"),
                "Copyright (c) 2026 the Quillpad authors", "the copyright");
}

const bool registered = RegisterScenarios({
    {"exe_carries_manifest_and_version", "supported systems, asInvoker, styles, DPI; version",
     ExeCarriesManifestAndVersion},
});

} // namespace
