// String numbers of the uninstall helper.
#pragma once

#define IDS_SHELL_WINDOW_CLASS 1
#define IDS_SHELL_COMMAND 2
#define IDS_SHELL_NOT_STOPPED 3
#define IDS_CAPTION 4
