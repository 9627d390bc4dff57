// Sets Windows' apps and system theme to light (1) or dark (0) and tells
// every window of the desktop, as Windows' settings do when the user
// switches: WM_SETTINGCHANGE with "ImmersiveColorSet". Then has every shown
// window paint itself while it waits (Qt's windows take the theme change
// at once and paint on WM_PAINT), so when it returns, what the windows show
// is what they draw after the change.
//
//     quenlory_theme.exe 0|1

#include <windows.h>

#include <cwchar>
#include <initializer_list>

namespace {

BOOL CALLBACK paintNow(HWND window, LPARAM)
{
    if (IsWindowVisible(window))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

} // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc != 2 || (std::wcscmp(argv[1], L"0") != 0 && std::wcscmp(argv[1], L"1") != 0))
        return 2;
    const DWORD light = argv[1][0] == L'1' ? 1 : 0;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", 0,
                        nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return 1;
    for (const wchar_t *name : {L"AppsUseLightTheme", L"SystemUsesLightTheme"}) {
        if (RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&light), sizeof light)
            != ERROR_SUCCESS) {
            RegCloseKey(key);
            return 1;
        }
    }
    RegCloseKey(key);
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"),
                        SMTO_ABORTIFHUNG, 5000, &answer);
    return EnumWindows(paintNow, 0) ? 0 : 1;
}
