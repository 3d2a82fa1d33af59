// The one mark of what the libraries export: everything else builds with hidden visibility.
#ifndef ZODAVUDAZ_PLATFORM_EXPORT_H
#define ZODAVUDAZ_PLATFORM_EXPORT_H

/// Makes a class (its members, vtable and type information) or a function part of the library's
/// exported interface.
#define ZODAVUDAZ_EXPORT __attribute__((visibility("default")))

#endif
