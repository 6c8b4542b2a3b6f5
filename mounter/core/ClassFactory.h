// The class objects of the three folder classes.
#pragma once

#include <windows.h>

// The class object of clsid asked for iid; CLASS_E_CLASSNOTAVAILABLE for other classes.
HRESULT GetMounterClassObject(REFCLSID clsid, REFIID iid, void** out);
