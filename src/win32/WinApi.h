#pragma once
// <windows.h> for the Win32 layer, minus the A/W macros whose names clash
// with the ports' operations (GetWindowText, MessageBox, DeleteFile, ...).
// Code here calls the W functions by their full names.
#include <windows.h>
// These two need <windows.h> first.
#include <psapi.h>
#include <tlhelp32.h>

#undef CreateDirectory
#undef DeleteFile
#undef EnumProcesses
#undef GetClassName
#undef GetCurrentDirectory
#undef GetUserName
#undef GetVersionEx
#undef GetWindowLong
#undef GetWindowText
#undef LoadString
#undef MessageBox
#undef MoveFile
#undef PostMessage
#undef ReplaceFile
#undef SendMessageTimeout
