#pragma once
// The one way the Windows layer includes <windows.h>. The SDK's A/W macros
// (PostMessage -> PostMessageW ...) would rename the core's port members in
// some translation units and not in others, depending on include order; here
// they are removed, and this layer calls the W functions by their full names.
#include <windows.h>

#undef CreateDirectory
#undef DeleteFile
#undef GetClassName
#undef GetUserName
#undef GetWindowLong
#undef GetWindowText
#undef LoadString
#undef MessageBox
#undef MoveFile
#undef PostMessage
#undef ReplaceFile
#undef SendMessageTimeout
#undef GetVersionEx
#undef GetWindowsDirectory
#undef GetSystemDirectory
#undef GetTempPath
#undef GetDriveType
#undef GetLocaleInfo
#undef DRIVE_CDROM
#undef DRIVE_FIXED
#undef DRIVE_RAMDISK
#undef DRIVE_REMOTE
#undef DRIVE_REMOVABLE
