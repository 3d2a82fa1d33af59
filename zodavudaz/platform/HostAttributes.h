// The host's extended attributes of open files (the access control list among them).
#ifndef ZODAVUDAZ_PLATFORM_HOSTATTRIBUTES_H
#define ZODAVUDAZ_PLATFORM_HOSTATTRIBUTES_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/FileCause.h>

/// The names of the attributes of file that the caller may see, each followed by a zero byte;
/// empty where the file system keeps none.
bool ListHostAttributes(int file, CString& names) noexcept;
/// The value of name; false with FileNotFound where file has none of that name or its file
/// system keeps none, another cause on another failure.
bool GetHostAttribute(int file, const char* name, CString& value, FileCause& cause) noexcept;
/// False with AccessDenied where the caller may not set name or the file system keeps none.
bool SetHostAttribute(int file, const char* name, const CString& value, FileCause& cause) noexcept;
/// True also where file has none of that name.
bool RemoveHostAttribute(int file, const char* name) noexcept;

#endif
