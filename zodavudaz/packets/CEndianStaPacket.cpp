// The accessors are defined in the header so that callers inline them; this file is compiled with
// -fkeep-inline-functions so that the library still carries and exports a copy of each.
#include <zodavudaz/packets/CEndianStaPacket.h>
