// The one-line stored form of multi-line settings texts.
#ifndef ZODAVUDAZ_CONTROL_LINEENDCONVERSION_H
#define ZODAVUDAZ_CONTROL_LINEENDCONVERSION_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// Appends source to target with every CR and every LF turned into ";"; an empty source sets
/// target to ";".
ZODAVUDAZ_EXPORT void ConvertTerm(CString source, CString& target) noexcept;

/// Appends source to target with every pair ";;" turned into CR LF; a source of exactly ";" sets
/// target to empty text.
ZODAVUDAZ_EXPORT void ReverseTerm(CString source, CString& target) noexcept;

#endif
