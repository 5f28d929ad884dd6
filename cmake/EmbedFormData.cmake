# Writes a form description with a file's bytes as the value of one binary
# property:
#   cmake -DSOURCE=<checked-in .form> -DPROPERTY=<name> -DDATA=<file>
#         [-DCOMPONENT=<name>] [-DPREFIX=<hex>] [-DSIZED=ON]
#         -DOUTPUT=<.form> -P EmbedFormData.cmake
# The checked-in description holds the line "<name> = {}" where the bytes go:
# PREFIX (hex pairs, when the property's value starts with more than the file,
# such as a picture's class name), then with SIZED the file's length as a
# 32-bit little-endian number (a bitmap published on its own, a glyph), then
# the file, as hex pairs, 32 bytes a line, indented as that line.
# With COMPONENT the line is the one among that component's own properties
# (several buttons each have an empty "Glyph.Data"). SOURCE may be OUTPUT, to
# fill several properties one after the other.
file(READ ${DATA} hex HEX)
if(SIZED)
  file(SIZE ${DATA} size)
  set(sizeHex "")
  foreach(shift 0 8 16 24)
    math(EXPR byte "(${size} >> ${shift}) & 255" OUTPUT_FORMAT HEXADECIMAL)
    string(SUBSTRING "${byte}" 2 -1 byte)
    string(LENGTH "${byte}" digits)
    if(digits LESS 2)
      set(byte "0${byte}")
    endif()
    string(APPEND sizeHex "${byte}")
  endforeach()
  set(hex "${sizeHex}${hex}")
endif()
string(TOUPPER "${PREFIX}${hex}" hex)
string(LENGTH "${hex}" length)
file(READ ${SOURCE} text)

# The part of the text searched for the marker: all of it, or the
# component's own properties (from its header to its first child or "end").
set(head "")
set(body "${text}")
if(COMPONENT)
  string(REGEX MATCH "\n[ ]*${COMPONENT}: [A-Za-z0-9_]+\n" header "${text}")
  if(NOT header)
    message(FATAL_ERROR "${SOURCE}: no component ${COMPONENT}")
  endif()
  string(FIND "${text}" "${header}" start)
  string(LENGTH "${header}" headerLength)
  math(EXPR start "${start} + ${headerLength} - 1")
  string(SUBSTRING "${text}" 0 ${start} head)
  string(SUBSTRING "${text}" ${start} -1 body)
  string(REGEX MATCH "\n[ ]*([A-Za-z0-9_]+: [A-Za-z0-9_]+|end)\n" next "${body}")
  string(FIND "${body}" "${next}" ownEnd)
  string(SUBSTRING "${body}" 0 ${ownEnd} own)
  string(FIND "${own}" "${PROPERTY} = {}" inside)
  if(inside EQUAL -1)
    message(FATAL_ERROR "${SOURCE}: ${COMPONENT} has no \"${PROPERTY} = {}\" line")
  endif()
endif()

string(REGEX MATCH "\n([ ]*)${PROPERTY} = {}" marker "${body}")
if(NOT marker)
  message(FATAL_ERROR "${SOURCE}: no \"${PROPERTY} = {}\" line")
endif()
set(lead "${CMAKE_MATCH_1}")
set(indent "${lead}  ")
set(lines "")
set(at 0)
while(at LESS length)
  string(SUBSTRING "${hex}" ${at} 64 piece)
  string(APPEND lines "\n${indent}${piece}")
  math(EXPR at "${at} + 64")
endwhile()
# Only the first marker of the searched part is filled.
string(FIND "${body}" "${marker}" markerAt)
string(LENGTH "${marker}" markerLength)
string(SUBSTRING "${body}" 0 ${markerAt} before)
math(EXPR afterAt "${markerAt} + ${markerLength}")
string(SUBSTRING "${body}" ${afterAt} -1 after)
set(text "${head}${before}\n${lead}${PROPERTY} = {${lines}}${after}")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
