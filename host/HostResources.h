// String table of the camera library.
#pragma once

#define IDS_CAMERA_MUTEX 8076       // "PV360_Camera_Mutex"
#define IDS_VIEW_CLASS 8078         // "PV360_Mounter_View"
#define IDS_CAMERA_EXCEPTION 8079   // the text of CCameraException
