// MinGW's winddi.h includes this Direct3D header, which Debian's mingw-w64 does not ship. The
// plug-in uses nothing from it.
#pragma once
