// Both programs carry the build's one version number, in their version
// resource and (tarnwick-cli) on the console, and the application icon in
// every size the shell asks for.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "TarnwickVersion.h"
#include "support/ProcessRunner.h"

namespace {

const wchar_t* const kPrograms[] = {L"tarnwick.exe", L"tarnwick-cli.exe"};

std::wstring SiblingPath(const std::wstring& name)
{
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, length);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + name;
}

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());
}

struct VersionResource {
    bool found = false;
    VS_FIXEDFILEINFO fixed{};
    std::vector<unsigned char> block;

    std::wstring Text(const wchar_t* name) const
    {
        void* value = nullptr;
        UINT length = 0;
        std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        auto* data = const_cast<unsigned char*>(block.data());
        if (!VerQueryValueW(data, query.c_str(), &value, &length) || length == 0)
            return L"(none)";
        return std::wstring(static_cast<const wchar_t*>(value), length - 1);
    }
};

VersionResource ReadVersion(const std::wstring& path)
{
    VersionResource version;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), nullptr);
    if (size == 0)
        return version;
    version.block.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, version.block.data()))
        return version;
    void* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueW(version.block.data(), L"\\", &fixed, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        version.fixed = *static_cast<VS_FIXEDFILEINFO*>(fixed);
        version.found = true;
    }
    return version;
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The pixel sizes of the program's first icon group (a width of 0 means 256).
std::set<int> IconSizes(const std::wstring& path)
{
    std::set<int> sizes;
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return sizes;
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    const auto* group = found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
    if (group && SizeofResource(module, found) >= 6) {
        WORD count = *reinterpret_cast<const WORD*>(group + 4);
        const auto* entries = reinterpret_cast<const IconGroupEntry*>(group + 6);
        if (SizeofResource(module, found) >= 6 + count * sizeof(IconGroupEntry))
            for (WORD i = 0; i < count; ++i)
                sizes.insert(entries[i].width == 0 ? 256 : entries[i].width);
    }
    FreeLibrary(module);
    return sizes;
}

}  // namespace

TEST(CliVersion, PrintsTheBuildsVersionAndSucceeds)
{
    ProcessResult run = RunSiblingProgram(L"tarnwick-cli.exe", {L"--version"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_EQ(run.output, "tarnwick-cli " TARNWICK_VERSION_TEXT "\r\n");

    // Only in the first place: after a command it is that command's argument.
    ProcessResult late = RunSiblingProgram(L"tarnwick-cli.exe", {L"sites", L"--version", L"x"});
    EXPECT_EQ(late.output.find(TARNWICK_VERSION_TEXT), std::string::npos) << late.output;
}

TEST(VersionResource, BothProgramsCarryTheBuildsVersion)
{
    const DWORD high = MAKELONG(TARNWICK_VERSION_MINOR, TARNWICK_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, TARNWICK_VERSION_PATCH);
    for (const wchar_t* program : kPrograms) {
        SCOPED_TRACE(Narrow(program));
        VersionResource version = ReadVersion(SiblingPath(program));
        ASSERT_TRUE(version.found);
        EXPECT_EQ(version.fixed.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(version.fixed.dwFileVersionMS, high);
        EXPECT_EQ(version.fixed.dwFileVersionLS, low);
        EXPECT_EQ(version.fixed.dwProductVersionMS, high);
        EXPECT_EQ(version.fixed.dwProductVersionLS, low);
        EXPECT_EQ(Narrow(version.Text(L"FileVersion")), TARNWICK_VERSION_TEXT);
        EXPECT_EQ(Narrow(version.Text(L"ProductVersion")), TARNWICK_VERSION_TEXT);
        EXPECT_EQ(version.Text(L"ProductName"), L"Tarnwick");
        EXPECT_EQ(version.Text(L"CompanyName"), L"Velmora Software");
        EXPECT_EQ(version.Text(L"OriginalFilename"), program);
        EXPECT_NE(version.Text(L"LegalCopyright").find(L"Velmora Software"), std::wstring::npos);
    }
}

TEST(ProgramIcon, BothProgramsShowTheIconInEverySizeTheShellUses)
{
    for (const wchar_t* program : kPrograms) {
        SCOPED_TRACE(Narrow(program));
        EXPECT_EQ(IconSizes(SiblingPath(program)), (std::set<int>{16, 24, 32, 48, 256}));
    }
}
