/* SPDX-FileCopyrightText: 2026 Quadrelon developers
 * SPDX-License-Identifier: GPL-3.0-or-later */

/* pdftoppm.exe for the Windows tests under Wine: runs the host's pdftoppm (Debian's
 * poppler-utils), which has no Windows build here, so that the print test renders
 * its PDF under Wine as on Linux. Arguments that name a file ("C:/...", "C:\...")
 * are turned into the host's paths. A Windows program cannot wait for a host program
 * it starts the usual way (Wine gives it no process handle), so this waits through
 * Wine's own spawn call and returns the host program's exit code.
 * scripts/windows-checks.sh builds it with MinGW-w64 and puts it on Wine's PATH. */
#include <stdlib.h>
#include <windows.h>

#ifndef HOST_PROGRAM
#define HOST_PROGRAM "/usr/bin/pdftoppm"
#endif

typedef int(__cdecl *Spawn)(char *const argv[], int wait);
typedef char *(__cdecl *UnixName)(const WCHAR *name);

int wmain(int argc, WCHAR **argv)
{
    const Spawn spawn = (Spawn)(void *)GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "__wine_unix_spawnvp");
    const UnixName unixName =
        (UnixName)(void *)GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name");
    if (!spawn || !unixName)
        return 127; /* not under Wine */
    char **args = calloc((size_t)argc + 1, sizeof *args);
    args[0] = HOST_PROGRAM;
    for (int i = 1; i < argc; ++i) {
        const WCHAR *arg = argv[i];
        const int drive = arg[0] && arg[1] == L':' && (arg[2] == L'/' || arg[2] == L'\\');
        if (drive) {
            args[i] = unixName(arg);
        } else {
            const int size = WideCharToMultiByte(CP_UTF8, 0, arg, -1, NULL, 0, NULL, NULL);
            args[i] = malloc((size_t)size);
            WideCharToMultiByte(CP_UTF8, 0, arg, -1, args[i], size, NULL, NULL);
        }
    }
    return spawn(args, 1);
}
