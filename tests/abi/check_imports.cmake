# SPDX-License-Identifier: MIT
# The DLL needs nothing but Windows' own DLLs: unpacked into the editor's plugins folder it
# must load without a compiler's runtime beside it.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
list(TRANSFORM imports REPLACE "DLL Name: " "")
list(TRANSFORM imports TOLOWER)
set(system_dlls advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll
    oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll)
set(others ${imports})
list(REMOVE_ITEM others ${system_dlls})
list(FILTER others EXCLUDE REGEX "^api-ms-win-")
if(NOT imports OR others)
  message(FATAL_ERROR "${DLL} imports DLLs that Windows does not provide: ${others} (all imports: ${imports})")
endif()
message(STATUS "${DLL} imports only system DLLs: ${imports}")
