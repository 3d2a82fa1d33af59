// The whole public interface of the library: the database and its records, the packets, the
// viewer settings, the settings files and the control functions.
//
// The library calls the system's communication, sequence and frontend libraries (declared in
// <zodavudaz/packets/siblings/>) and never contains them: a program links them too. On a machine
// without them, the simulated ones stand in: link libzodavudaz-sim (ZoDavudaz::sim, pkg-config
// zodavudaz-sim) after libzodavudaz and set up its stations with <zodavudaz/sim/SimControl.h>.
//
// C and other languages use the C interface over this one, <zodavudaz/zodavudaz_c.h>, whose opening
// comment gives its conventions (and <zodavudaz/sim/zodavudaz_sim_c.h> for virtual stations).
#ifndef ZODAVUDAZ_H
#define ZODAVUDAZ_H

#include <zodavudaz/Version.h>

#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/ControlRequests.h>
#include <zodavudaz/control/LineEndConversion.h>
#include <zodavudaz/control/ModuleTest.h>
#include <zodavudaz/control/PacketDecoding.h>
#include <zodavudaz/control/StartControls.h>
#include <zodavudaz/control/UnitText.h>
#include <zodavudaz/database/ActOnTrigInfo.h>
#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/database/CGuiFilter.h>
#include <zodavudaz/database/CHNLINF.h>
#include <zodavudaz/database/CModule.h>
#include <zodavudaz/database/CStation.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/entry/LibraryVersion.h>
#include <zodavudaz/packets/AcqDataInfo.h>
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CEndianSemiModulePacket.h>
#include <zodavudaz/packets/CEndianStaPacket.h>
#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/CManagerAPI.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/CSequence.h>
#include <zodavudaz/packets/CStationInfo.h>
#include <zodavudaz/packets/CWink.h>
#include <zodavudaz/packets/CZosManager.h>
#include <zodavudaz/packets/WAVEINF.h>
#include <zodavudaz/packets/siblings/CFeFrontend.h>
#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/packets/siblings/COBJECT.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Desktop.h>
#include <zodavudaz/platform/Registry.h>
#include <zodavudaz/platform/RegistryFile.h>
#include <zodavudaz/settings/BackupInformation.h>
#include <zodavudaz/settings/DisplayProperty.h>
#include <zodavudaz/settings/InstallDirectory.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>
#include <zodavudaz/viewer/CViewerInfo.h>
#include <zodavudaz/viewer/ViewerProperty.h>
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyLookup.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#endif
