# Writes a man page from a program's --help: cmake -DPROGRAM=… -DNAME=… -DSUMMARY=… -DVERSION=…
# -DOUT=… -P man_page.cmake. The help text is the page's description, line for line, so the page
# says exactly what the program says of itself.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} --help failed: ${status}")
endif()
# The help names the program by the path it was started with.
string(REPLACE "${PROGRAM}" "${NAME}" help "${help}")
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(TOUPPER "${NAME}" title)
file(WRITE "${OUT}" ".TH ${title} 1 \"\" \"Kovrel ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${SUMMARY}
.SH DESCRIPTION
.nf
${help}.fi
.SH SEE ALSO
.BR kovrel (1),
.BR kovrel-server (1),
.BR kovrel-cli (1)
")
