// The few Windows types that host_api.h uses, declared as the Windows SDK declares them for
// 32-bit and 64-bit code, so that the host compiler's decoration can be computed without the
// SDK.
#pragma once
struct HINSTANCE__ {
    int unused;
};
typedef struct HINSTANCE__* HINSTANCE;
struct HWND__ {
    int unused;
};
typedef struct HWND__* HWND;
typedef unsigned long DWORD;
typedef unsigned int UINT;
#ifdef _WIN64
typedef unsigned __int64 WPARAM; // UINT_PTR
typedef __int64 LPARAM;          // LONG_PTR
#define CALLBACK                 // one calling convention on x64
#else
typedef unsigned int WPARAM; // UINT_PTR
typedef long LPARAM;         // LONG_PTR
#define CALLBACK __stdcall
#endif
