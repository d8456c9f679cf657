// The one place that knows the operating system. On Windows it brings in the SDK and DDK
// headers; elsewhere the declarations below with the Windows x64 layouts, implemented by the
// stand-in. Plug-in code includes platform/win32_api.h, never an SDK header.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>
#include <winddi.h>
#include <winspool.h>
#define XLR_TEXT(literal) L##literal
#else
#include "platform/linux/base_types.h"
#include "platform/linux/com.h"
#include "platform/linux/ddi.h"
#include "platform/linux/gdi_fonts.h"
#include "platform/linux/kernel32.h"
#include "platform/linux/locale.h"
#include "platform/linux/modules.h"
#include "platform/linux/os_version.h"
#include "platform/linux/printer_data.h"
#include "platform/linux/registry.h"
#include "platform/linux/rpc.h"
#include "platform/linux/spooler.h"
#include "platform/linux/time.h"
#include "platform/linux/version.h"
#define XLR_TEXT(literal) u##literal
#endif

// UTF-16 literal: W("RAW") is L"RAW" on Windows and u"RAW" elsewhere.
#define W(literal) XLR_TEXT(literal)
