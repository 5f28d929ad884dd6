# Writes a form description with a file's bytes as the value of one binary
# property:
#   cmake -DSOURCE=<checked-in .form> -DPROPERTY=<name> -DDATA=<file>
#         [-DPREFIX=<hex>] -DOUTPUT=<.form> -P EmbedFormData.cmake
# The checked-in description holds the line "<name> = {}" where the bytes go:
# PREFIX (hex pairs, when the property's value starts with more than the file,
# such as a picture's class name), then the file, as hex pairs, 32 bytes a
# line, indented as that line.
file(READ ${DATA} hex HEX)
string(TOUPPER "${PREFIX}${hex}" hex)
string(LENGTH "${hex}" length)
file(READ ${SOURCE} text)
string(REGEX MATCH "\n([ ]*)${PROPERTY} = {}" marker "${text}")
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
string(REPLACE "${marker}" "\n${lead}${PROPERTY} = {${lines}}" text "${text}")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
