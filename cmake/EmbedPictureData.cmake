# Writes a form description with a bitmap file as a picture's "Data":
#   cmake -DSOURCE=<checked-in .form> -DPICTURE=<.bmp> -DOUTPUT=<.form> -P EmbedPictureData.cmake
# The checked-in description holds the line "Picture.Data = {}" where the
# bytes go: the picture's class name with its length byte ("TBitmap"), then
# the bitmap file, as hex pairs, 32 bytes a line, indented as that line.
file(READ ${PICTURE} hex HEX)
string(TOUPPER "07544269746D6170${hex}" hex)
string(LENGTH "${hex}" length)
file(READ ${SOURCE} text)
string(REGEX MATCH "\n([ ]*)Picture.Data = {}" marker "${text}")
if(NOT marker)
  message(FATAL_ERROR "${SOURCE}: no \"Picture.Data = {}\" line")
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
string(REPLACE "${marker}" "\n${lead}Picture.Data = {${lines}}" text "${text}")
file(WRITE ${OUTPUT}.new "${text}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
