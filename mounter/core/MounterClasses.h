// Class identifiers and ProgIDs of the Mounter's folder classes.
#pragma once

#include <windows.h>

// {a84c0500-b187-11d0-8ae7-00c04fd28d85}
constexpr CLSID CLSID_PV360Camera = {0xa84c0500, 0xb187, 0x11d0, {0x8a, 0xe7, 0x00, 0xc0, 0x4f, 0xd2, 0x8d, 0x85}};
// {a84c0501-b187-11d0-8ae7-00c04fd28d85}
constexpr CLSID CLSID_PV360Memory = {0xa84c0501, 0xb187, 0x11d0, {0x8a, 0xe7, 0x00, 0xc0, 0x4f, 0xd2, 0x8d, 0x85}};
// {a84c0502-b187-11d0-8ae7-00c04fd28d85}
constexpr CLSID CLSID_PV360Album = {0xa84c0502, 0xb187, 0x11d0, {0x8a, 0xe7, 0x00, 0xc0, 0x4f, 0xd2, 0x8d, 0x85}};

constexpr char kCameraClassText[] = "{a84c0500-b187-11d0-8ae7-00c04fd28d85}";
constexpr char kMyComputerClassText[] = "{20d04fe0-3aea-1069-a2d8-08002b30309d}";
