# Fails when PROGRAM's DT_NEEDED entries name Qt: the command line starts
# without Qt and without a display ("gui" loads the add-in library only
# when asked).
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "readelf cannot read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]*\\]" needed "${dynamic}")
if(NOT needed MATCHES "libc\\.so")
  message(FATAL_ERROR "the needed libraries lack libc, so they were not read right: ${needed}")
endif()
if(needed MATCHES "Qt")
  message(FATAL_ERROR "quorbel needs Qt: ${needed}")
endif()
