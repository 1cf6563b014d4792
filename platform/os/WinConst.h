#pragma once
// Win32 constants under their Windows names, for code that reaches the system through Sys().
// Never include this next to <windows.h>: the backends use the real headers instead.
#ifdef _WINDOWS_
#error "WinConst.h and <windows.h> must not meet in one translation unit"
#endif

#include "platform/os/System.h"

#include <cstdint>

constexpr uint32_t MAX_PATH = 260;

constexpr Handle INVALID_HANDLE_VALUE = kInvalidHandle;
constexpr uint32_t INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr uint32_t INVALID_FILE_SIZE = 0xFFFFFFFF;
constexpr uint32_t INVALID_SET_FILE_POINTER = 0xFFFFFFFF;

constexpr uint32_t GENERIC_READ = 0x80000000;
constexpr uint32_t GENERIC_WRITE = 0x40000000;
constexpr uint32_t FILE_SHARE_READ = 1;
constexpr uint32_t FILE_SHARE_WRITE = 2;
constexpr uint32_t FILE_SHARE_DELETE = 4;
constexpr uint32_t CREATE_NEW = 1;
constexpr uint32_t CREATE_ALWAYS = 2;
constexpr uint32_t OPEN_EXISTING = 3;
constexpr uint32_t OPEN_ALWAYS = 4;
constexpr uint32_t TRUNCATE_EXISTING = 5;
constexpr uint32_t FILE_ATTRIBUTE_READONLY = 0x01;
constexpr uint32_t FILE_ATTRIBUTE_HIDDEN = 0x02;
constexpr uint32_t FILE_ATTRIBUTE_SYSTEM = 0x04;
constexpr uint32_t FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr uint32_t FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr uint32_t FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr uint32_t FILE_ATTRIBUTE_REPARSE_POINT = 0x400;
constexpr uint32_t FILE_FLAG_SEQUENTIAL_SCAN = 0x08000000;
constexpr uint32_t FILE_BEGIN = 0;
constexpr uint32_t FILE_CURRENT = 1;
constexpr uint32_t FILE_END = 2;

constexpr uint32_t ERROR_SUCCESS = 0;
constexpr uint32_t ERROR_FILE_NOT_FOUND = 2;
constexpr uint32_t ERROR_PATH_NOT_FOUND = 3;
constexpr uint32_t ERROR_ACCESS_DENIED = 5;
constexpr uint32_t ERROR_INVALID_HANDLE = 6;
constexpr uint32_t ERROR_NOT_READY = 21;
constexpr uint32_t ERROR_SHARING_VIOLATION = 32;
constexpr uint32_t ERROR_HANDLE_DISK_FULL = 39;
constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
constexpr uint32_t ERROR_DISK_FULL = 112;
constexpr uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
constexpr uint32_t ERROR_FILENAME_EXCED_RANGE = 206;
constexpr uint32_t ERROR_ALREADY_EXISTS = 183;
constexpr uint32_t ERROR_MORE_DATA = 234;
constexpr uint32_t ERROR_NO_MORE_FILES = 18;
constexpr uint32_t ERROR_NOT_CONNECTED = 2250;
constexpr uint32_t ERROR_BAD_DEVICE = 1200;

constexpr uint32_t DRIVE_UNKNOWN = 0;
constexpr uint32_t DRIVE_NO_ROOT_DIR = 1;
constexpr uint32_t DRIVE_REMOVABLE = 2;
constexpr uint32_t DRIVE_FIXED = 3;
constexpr uint32_t DRIVE_REMOTE = 4;
constexpr uint32_t DRIVE_CDROM = 5;
constexpr uint32_t DRIVE_RAMDISK = 6;

constexpr uint32_t FS_CASE_SENSITIVE = 0x01;
constexpr uint32_t FS_CASE_IS_PRESERVED = 0x02;
constexpr uint32_t FS_UNICODE_STORED_ON_DISK = 0x04;
constexpr uint32_t SEM_FAILCRITICALERRORS = 0x0001;

constexpr uint32_t IOCTL_STORAGE_QUERY_PROPERTY = 0x2D1400;

constexpr int CSIDL_PROGRAMS = 0x02;
constexpr int CSIDL_PERSONAL = 0x05;
constexpr int CSIDL_DESKTOPDIRECTORY = 0x10;
constexpr int CSIDL_COMMON_PROGRAMS = 0x17;
constexpr int CSIDL_COMMON_DESKTOPDIRECTORY = 0x19;
constexpr int CSIDL_APPDATA = 0x1A;
constexpr int CSIDL_COMMON_APPDATA = 0x23;
constexpr int CSIDL_PROGRAM_FILES = 0x26;
constexpr uint32_t SHGFP_TYPE_CURRENT = 0;

constexpr int32_t S_OK = 0;
constexpr int32_t E_FAIL = static_cast<int32_t>(0x80004005);
constexpr int32_t E_NOTIMPL = static_cast<int32_t>(0x80004001);

constexpr uint32_t CP_ACP = 0;
constexpr uint32_t MB_PRECOMPOSED = 0x01;
constexpr uint32_t LOCALE_USER_DEFAULT = 0x0400;
constexpr uint32_t NORM_IGNORECASE = 0x0001;
constexpr uint32_t SORT_STRINGSORT = 0x1000;
constexpr int CSTR_LESS_THAN = 1;
constexpr int CSTR_EQUAL = 2;
constexpr int CSTR_GREATER_THAN = 3;
constexpr int SM_DBCSENABLED = 42;

const Handle HKEY_CURRENT_USER = kHKeyCurrentUser;
const Handle HKEY_LOCAL_MACHINE = kHKeyLocalMachine;
constexpr uint32_t KEY_ALL_ACCESS = 0xF003F;
constexpr uint32_t REG_OPTION_NON_VOLATILE = 0;
constexpr uint32_t REG_NONE = 0;
constexpr uint32_t REG_SZ = 1;
constexpr uint32_t REG_EXPAND_SZ = 2;
constexpr uint32_t REG_BINARY = 3;
constexpr uint32_t REG_DWORD = 4;
constexpr uint32_t REG_CREATED_NEW_KEY = 1;
constexpr uint32_t REG_OPENED_EXISTING_KEY = 2;

constexpr uint32_t MB_OK = 0x00;
constexpr uint32_t MB_OKCANCEL = 0x01;
constexpr uint32_t MB_ABORTRETRYIGNORE = 0x02;
constexpr uint32_t MB_YESNOCANCEL = 0x03;
constexpr uint32_t MB_YESNO = 0x04;
constexpr uint32_t MB_RETRYCANCEL = 0x05;
constexpr uint32_t MB_ICONERROR = 0x10;
constexpr uint32_t MB_ICONQUESTION = 0x20;
constexpr uint32_t MB_ICONWARNING = 0x30;
constexpr uint32_t MB_ICONINFORMATION = 0x40;
constexpr uint32_t MB_TASKMODAL = 0x2000;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

constexpr uint32_t SW_SHOW = 5;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETICON = 0x0080;
constexpr uint32_t WM_TIMER = 0x0113;
constexpr uintptr_t ICON_BIG = 1;
constexpr int IDC_WAIT = 32514;

constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_GRAYTEXT = 17;

constexpr uint32_t DT_LEFT = 0x0000;
constexpr uint32_t DT_CENTER = 0x0001;
constexpr uint32_t DT_RIGHT = 0x0002;
constexpr uint32_t DT_VCENTER = 0x0004;
constexpr uint32_t DT_SINGLELINE = 0x0020;
constexpr uint32_t DT_NOPREFIX = 0x0800;
