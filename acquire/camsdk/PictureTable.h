// The pictures of the memory card in the camera's own numbering: the albums of \PCCARD\DCIMAGES in
// listing order, each with its picture files, then the folder's own picture files.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CSerialCamera;

struct CameraPicture {
    std::string name;   // 8.3, as "PV000001.JPG"
    std::string path;   // the camera path of the file
    DWORD size = 0;
};

// Reads the listing through pvhost; answers the pvhost result of the first failing call.
DWORD ReadPictureTable(CSerialCamera* camera, std::vector<CameraPicture>* pictures);

// "PV000001.JPG" from a directory entry's blank-padded name and extension.
std::string EntryName(const BYTE* entry);
bool IsPictureName(const std::string& name);
