// The functions that the host application, Orbiter.exe, offers its modules.
//
// They are imported by the host's decorated C++ names (see orbiter_host_<processor>.def), so
// the types below are part of the binary interface: change none of them.
#pragma once

#include <windows.h>

// The dialog procedure that oapiOpenDialogEx takes.
typedef int(CALLBACK* OapiDialogProc)(HWND, UINT, WPARAM, LPARAM);
// The callback of a custom command; it receives the context given at registration.
typedef void (*OapiCustomCmdCallback)(void* context);

// Tells the host the module's instance handle, once, at process attach.
void InitLib(HINSTANCE module);

// Turns a date text such as "Aug 28 2016" into a version number.
int Date2Int(char* date);

// Offers the user a command; the host calls callback(context) on its UI thread when it is
// picked. Returns the command's identifier.
DWORD oapiRegisterCustomCmd(char* label, char* description, OapiCustomCmdCallback callback,
                            void* context);

// Creates a modeless dialog from the module's template resourceId, routing its messages to
// proc. Returns the dialog's window, which the module closes with oapiCloseDialog.
HWND oapiOpenDialogEx(HINSTANCE module, int resourceId, OapiDialogProc proc, DWORD flags,
                      void* context);

// Closes a dialog opened by oapiOpenDialogEx.
void oapiCloseDialog(HWND dialog);

// Default processing for every message that a module's dialog procedure does not handle.
int oapiDefDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
