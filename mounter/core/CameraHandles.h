// What the camera library hands out, owned until it goes back to the library: the camera object of
// a session (DestroyCamera), file, list and thumbnail buffers (FreeCameraBuffer) and picture
// information answers (FreePictureInfo). A camera call may leave a buffer behind even when it fails
// (a list whose later packets did not come), so every call's out slot is one of these.
#pragma once

#include "UniqueResource.h"
#include "pvhost.h"

namespace mounter {

struct CameraObjectTraits : pv::NullHandle<CSerialCamera*> {
    static void close(CSerialCamera* h) { DestroyCamera(h); }
};
using CameraObject = pv::UniqueResource<CameraObjectTraits>;

struct CameraBufferTraits : pv::NullHandle<BYTE*> {
    static void close(BYTE* h) { FreeCameraBuffer(h); }
};
using CameraBuffer = pv::UniqueResource<CameraBufferTraits>;

struct PictureInfoTraits : pv::NullHandle<CPictureInfo*> {
    static void close(CPictureInfo* h) { FreePictureInfo(h); }
};
using PictureInfo = pv::UniqueResource<PictureInfoTraits>;

}  // namespace mounter
