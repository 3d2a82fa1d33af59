// The start and stop buttons, posted to the sequence thread, and the start LED, posted to the GUI thread.
#ifndef ZODAVUDAZ_CONTROL_STARTCONTROLS_H
#define ZODAVUDAZ_CONTROL_STARTCONTROLS_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Posts a start (or stop) of the module's sequence with message 0x437: its trigger information
/// block and a message record of kind 2. 0 when posted; 0xFFFF, with nothing posted and nothing
/// kept, for an unknown module, a record that cannot be made or filled, or a refused post.
ZODAVUDAZ_EXPORT WORD ZocStartButton(WORD station, WORD slot) noexcept;
ZODAVUDAZ_EXPORT WORD ZocStopButton(WORD station, WORD slot) noexcept;

/// Posts message 0x43A with word 0x400 and first | low byte of second << 16 | low byte of third
/// << 24 to the GUI thread; the post's result.
ZODAVUDAZ_EXPORT WORD ZocUpdateStartLED(WORD first, WORD second, WORD third) noexcept;

#endif
