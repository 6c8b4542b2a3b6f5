// The texts of the acquire dialog's four status fields: port and speed of the camera connection,
// the number of pictures retrieved and the number selected.
#pragma once

#include <windows.h>

#include <string>

namespace acquire {

std::string PortFieldText(int port);
std::string SpeedFieldText(DWORD baud);
std::string RetrievedFieldText(int count);
std::string SelectedFieldText(int count);

}  // namespace acquire
