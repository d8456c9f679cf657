# XLRENDER.DLL: the plug-in's objects, exactly the two exports of xlrender.def, a version resource
# carrying the plug-in version, and every library but Windows' own linked in statically, so the
# DLL needs nothing that Windows does not ship.

# The file version is the plug-in version GetInfo answers (major word, minor word), taken from
# the one place the code defines it.
file(STRINGS ${PROJECT_SOURCE_DIR}/plugin/settings/devmode_identity.h plugin_version_line
     REGEX "kPrivateDevmodeVersion = 0x[0-9A-Fa-f]+;")
if(NOT plugin_version_line MATCHES "0x([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])")
  message(FATAL_ERROR "kPrivateDevmodeVersion not found in plugin/settings/devmode_identity.h")
endif()
math(EXPR plugin_version_major "0x${CMAKE_MATCH_1}")
math(EXPR plugin_version_minor "0x${CMAKE_MATCH_2}")
set(XLRENDER_FILE_VERSION "${plugin_version_major}.${plugin_version_minor}.0.0")
set(XLRENDER_FILE_VERSION_COMMAS "${plugin_version_major},${plugin_version_minor},0,0")
configure_file(${CMAKE_CURRENT_LIST_DIR}/xlrender-version.rc.in
               ${CMAKE_CURRENT_BINARY_DIR}/xlrender-version.rc @ONLY)

enable_language(RC)
add_library(xlrender-dll MODULE
  $<TARGET_OBJECTS:xlrender_plugin_objects>
  ${CMAKE_CURRENT_LIST_DIR}/xlrender.def
  ${CMAKE_CURRENT_BINARY_DIR}/xlrender-version.rc)
set_target_properties(xlrender-dll PROPERTIES OUTPUT_NAME XLRENDER PREFIX "" SUFFIX ".DLL")
# -s: the shipped file carries no symbol table. On 32-bit Windows the two exports are __stdcall
# functions, decorated as _DllGetClassObject@12; xlrender.def names them undecorated, as COM
# looks them up, and the stdcall fixup links the one to the other.
target_link_options(xlrender-dll PRIVATE -static -s)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(xlrender-dll PRIVATE -Wl,--enable-stdcall-fixup)
endif()
target_link_libraries(xlrender-dll PRIVATE
  JPEG::JPEG kernel32 advapi32 gdi32 user32 winspool version rpcrt4)
