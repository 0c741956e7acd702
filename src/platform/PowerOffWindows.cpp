#include "platform/SystemDesktop.h"

#ifdef Q_OS_WIN

#include <windows.h>

// Enable the shutdown privilege for this process, then ask for power-off.
// Failures of the privilege steps are ignored; the system may refuse.
void RequestPowerOff()
{
    HANDLE token = nullptr;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        TOKEN_PRIVILEGES privileges{};
        if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
            privileges.PrivilegeCount = 1;
            privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
            AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        }
        CloseHandle(token);
    }
    ExitWindowsEx(EWX_POWEROFF, 0);
}

#endif
