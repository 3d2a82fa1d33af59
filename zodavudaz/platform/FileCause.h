// Why a file call failed, in the framework's terms.
#ifndef ZODAVUDAZ_PLATFORM_FILECAUSE_H
#define ZODAVUDAZ_PLATFORM_FILECAUSE_H

enum class FileCause { None, Generic, FileNotFound, AccessDenied, SharingViolation, DiskFull };

#endif
