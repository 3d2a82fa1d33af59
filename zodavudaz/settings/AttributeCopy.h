// A file's extended attributes (its access control list among them) given to another file.
#ifndef ZODAVUDAZ_SETTINGS_ATTRIBUTECOPY_H
#define ZODAVUDAZ_SETTINGS_ATTRIBUTECOPY_H

#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/settings/WriteStep.h>

/// Makes the attributes of target those of source that the caller can see, but for the one named
/// skipped, which target keeps as it is: each of source's is set where target lacks it or holds
/// another value, and target's others (one inherited from its folder, say) are removed. Refused
/// where the caller may not set or remove one; Failed where a call fails otherwise.
WriteStep CopyAttributes(FileAccess::Handle source, FileAccess::Handle target, LPCTSTR skipped) noexcept;

#endif
