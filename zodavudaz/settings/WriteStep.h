// How a step of a settings write ended.
#ifndef ZODAVUDAZ_SETTINGS_WRITESTEP_H
#define ZODAVUDAZ_SETTINGS_WRITESTEP_H

/// Done; Refused where the host does not let the step be made here (the write takes another way,
/// the file as it was); Failed where a file call failed.
enum class WriteStep { Done, Refused, Failed };

#endif
