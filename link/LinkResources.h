// String table of the link library.
#pragma once

#define IDS_PORT_NAME_FIRST 1       // "COM1:" .. "COM8:" at 1..8
#define IDS_PORT_MUTEX_FIRST 11     // "CCommPortCom1Mutex" .. at 11..18
#define IDS_LIBRARY_MUTEX 20        // "CameraCommPortDLLGlobalMutex"
#define IDS_PORT_EXCEPTION 30       // "Exception Location: %u\nException Reason: %u"
