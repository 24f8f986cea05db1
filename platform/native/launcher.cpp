// pokutan-launcher.exe: starts the installed game in the player's own run folder,
// %LOCALAPPDATA%\pokutan. The game reads Resource\ below its working directory and writes its
// record to Resource\Binary\Miss.bin there; the installed folder is shared and read-only, so each
// player gets a folder whose Resource\Binary is theirs (never touched here) and whose other
// Resource\ folders mirror the installed assets. A file is copied again when its size or time
// differs from the installed one, so an update is seen at the next start. Copies rather than
// directory junctions: they need no file-system support and behave alike under Wine, which the
// Windows build is tested on, and the assets are small. Returns the game's exit code.
#include <windows.h>

#include <string>

namespace {

const wchar_t kCaption[] = L"POKUTAN";

std::wstring FolderOfThisProgram() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring LocalAppData() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::wstring(path, length) : std::wstring();
}

bool MakeFolder(const std::wstring& path) {
    return CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

bool SameFile(const WIN32_FIND_DATAW& installed, const std::wstring& copy) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(copy.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    return data.nFileSizeLow == installed.nFileSizeLow &&
           data.nFileSizeHigh == installed.nFileSizeHigh &&
           CompareFileTime(&data.ftLastWriteTime, &installed.ftLastWriteTime) == 0;
}

// Copies what differs of the folder `from` (and its folders) into `to`.
bool Mirror(const std::wstring& from, const std::wstring& to) {
    if (!MakeFolder(to)) {
        return false;
    }
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((from + L"\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return true;  // an empty folder
    }
    bool ok = true;
    do {
        const std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") {
            continue;
        }
        const std::wstring source = from + L"\\" + name;
        const std::wstring target = to + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            ok = Mirror(source, target) && ok;
        } else if (!SameFile(entry, target)) {
            SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
            ok = CopyFileW(source.c_str(), target.c_str(), FALSE) && ok;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return ok;
}

// The player's run folder with the installed assets and the player's own Binary folder.
bool PrepareRunFolder(const std::wstring& installed, const std::wstring& run) {
    if (!MakeFolder(run) || !MakeFolder(run + L"\\Resource") ||
        !MakeFolder(run + L"\\Resource\\Binary")) {
        return false;
    }
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((installed + L"\\Resource\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return false;
    }
    bool ok = true;
    do {
        const std::wstring name = entry.cFileName;
        if (name != L"." && name != L".." && name != L"Binary" &&
            (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ok = Mirror(installed + L"\\Resource\\" + name, run + L"\\Resource\\" + name) && ok;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return ok;
}

int Fail(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
    return 1;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    const std::wstring installed = FolderOfThisProgram();
    const std::wstring localAppData = LocalAppData();
    if (installed.empty() || localAppData.empty()) {
        return Fail(
            L"The folder for the record (%LOCALAPPDATA%) is not known.\n"
            L"記録のフォルダ (%LOCALAPPDATA%) が分かりません。");
    }
    const std::wstring run = localAppData + L"\\pokutan";
    if (!PrepareRunFolder(installed, run)) {
        return Fail(L"Cannot prepare " + run + L".\n" + run + L" を準備できません。");
    }
    std::wstring commandLine = L"\"" + installed + L"\\pokutan.exe\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        run.c_str(), &startup, &process)) {
        return Fail(L"Cannot start " + installed + L"\\pokutan.exe.\n起動できません。");
    }
    CloseHandle(process.hThread);
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}
