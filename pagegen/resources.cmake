# The built-in designs and scripts, one file per resource id. Several of them
# share whole scripts: a line "<!--#include NAME-->" stands for the file NAME
# (relative to pagegen/resources/), so each shared script is written once.
# The complete files are assembled at configure time into the build folder
# and compiled in from there.

set(GALLORIM_RESOURCE_SOURCE ${CMAKE_SOURCE_DIR}/pagegen/resources)
set(GALLORIM_RESOURCE_OUTPUT ${CMAKE_BINARY_DIR}/pagegen/resources)

function(gallorim_expand_includes text out depth)
  if(depth GREATER 8)
    message(FATAL_ERROR "resource includes nested too deeply")
  endif()
  set(result "")
  while(TRUE)
    string(FIND "${text}" "<!--#include " at)
    if(at EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${text}" 0 ${at} before)
    math(EXPR nameStart "${at} + 13")
    string(SUBSTRING "${text}" ${nameStart} -1 after)
    string(FIND "${after}" "-->\n" close)
    if(close EQUAL -1)
      message(FATAL_ERROR "unterminated resource include")
    endif()
    string(SUBSTRING "${after}" 0 ${close} name)
    math(EXPR restStart "${close} + 4")
    string(SUBSTRING "${after}" ${restStart} -1 text)
    set(part ${GALLORIM_RESOURCE_SOURCE}/${name})
    if(NOT EXISTS ${part})
      message(FATAL_ERROR "resource include ${name} not found")
    endif()
    set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${part})
    file(READ ${part} partText)
    math(EXPR next "${depth} + 1")
    gallorim_expand_includes("${partText}" partText ${next})
    string(APPEND result "${before}${partText}")
  endwhile()
  string(APPEND result "${text}")
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# Rewritten only when it changes, so an unrelated reconfigure rebuilds nothing.
function(gallorim_write_if_changed path text)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL text)
      return()
    endif()
  endif()
  file(WRITE ${path} "${text}")
endfunction()

file(GLOB resourceFiles CONFIGURE_DEPENDS ${GALLORIM_RESOURCE_SOURCE}/*.html)
set(qrcEntries "")
foreach(file IN LISTS resourceFiles)
  get_filename_component(name ${file} NAME)
  file(READ ${file} text)
  gallorim_expand_includes("${text}" text 0)
  gallorim_write_if_changed(${GALLORIM_RESOURCE_OUTPUT}/${name} "${text}")
  string(APPEND qrcEntries "    <file>resources/${name}</file>\n")
endforeach()
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${resourceFiles})
gallorim_write_if_changed(${CMAKE_BINARY_DIR}/pagegen/resources.qrc
"<!DOCTYPE RCC><RCC version=\"1.0\">
<qresource prefix=\"/pagegen\">
${qrcEntries}</qresource>
</RCC>
")
set(GALLORIM_CORE_QRC ${CMAKE_BINARY_DIR}/pagegen/resources.qrc)
