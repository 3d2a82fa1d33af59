// What the communication manager's sequence thread received, shown once each, after the call that posted it.
#ifndef ZODAVUDAZ_TOOLS_DEMO_DEMOMESSAGES_H
#define ZODAVUDAZ_TOOLS_DEMO_DEMOMESSAGES_H

/// Prints the messages the sequence thread handled since the last call, one line each, or that
/// it received none.
void ShowNewSeqThreadMessages();

#endif
