// The module's process-wide state: its instance handle, the count of living objects and locks, and
// the global record with the shell allocator that every part of the Mounter allocates through.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace mounter {

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Objects and server locks keep the module loaded.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

// The shell allocator of the global record (taken under "MounterGlobalMutex"); null when the
// record could not be made.
IMalloc* ShellAllocator();
// Puts another allocator (with its reference) in the record's place and hands back the one it held,
// with its reference: tests count and refuse allocations through it.
IMalloc* SwapShellAllocator(IMalloc* allocator);
// The identifier list of My Computer, kept by the record.
LPCITEMIDLIST DrivesIdList();

// Makes the record once per process: S_OK, or the failure's code (the record then stays absent).
HRESULT CreateGlobalRecord();
void DestroyGlobalRecord();
bool HasGlobalRecord();

// Whether the most recently created view is hosted in a common file dialog: its copies then stay in
// the temporary area when the module stops.
void SetLastViewInFileDialog(bool inFileDialog);
bool LastViewInFileDialog();

}  // namespace mounter
