# Fails when the module exports anything but its four entry points: a host
# resolves those by name, and every other visible symbol risks clashing with
# the host's own. Run as: cmake -DNM=... -DMODULE=... -P exports.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${NM}" -D --defined-only "${MODULE}"
  OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Cannot list the symbols of ${MODULE}: ${errors}")
endif()

# Symbols the linker itself defines in every shared object.
set(linker_symbols _edata _end __bss_start _init _fini __bss_start__ __bss_end__ _bss_end__ __end__)
set(exported)
string(REPLACE "\n" ";" lines "${listing}")
foreach(line IN LISTS lines)
  # Upper-case types are global; u and i are global too (unique, indirect).
  if(line MATCHES "^[0-9a-fA-F]* *([A-Zui]) (.+)$")
    set(name "${CMAKE_MATCH_2}")
    if(NOT name IN_LIST linker_symbols)
      list(APPEND exported "${name}")
    endif()
  endif()
endforeach()
list(SORT exported)

set(expected DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer)
if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "${MODULE} exports [${exported}], expected only [${expected}]")
endif()
