// Why a file call failed, in the framework's terms.
#ifndef ZODAVUDAZ_PLATFORM_FILECAUSE_H
#define ZODAVUDAZ_PLATFORM_FILECAUSE_H

/// CrossDevice: a move onto a mount point or to another file system, which only a copy could make.
enum class FileCause { None, Generic, FileNotFound, AccessDenied, SharingViolation, DiskFull, CrossDevice };

#endif
