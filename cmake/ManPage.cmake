# Writes a program's manual page from what its --help and --version print, so the two cannot
# drift apart. The help text is kept as the program lays it out (a no-fill block): it is written
# for an 80-column terminal already, and reflowing it would scramble its option tables.
# The sections that --help has no room for (exit status, files, examples) come from a roff file
# of their own, written by hand.
#   cmake -DPROGRAM=path -DNAME=name -DSUMMARY=text [-DSECTIONS=file.roff] -DSEE_ALSO="a;b"
#         -DOUTPUT=file -P ManPage.cmake
foreach(required PROGRAM NAME SUMMARY OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "ManPage.cmake needs -D${required}=...")
  endif()
endforeach()

function(run_program option result)
  execute_process(COMMAND "${PROGRAM}" ${option}
    OUTPUT_VARIABLE out RESULT_VARIABLE status ENCODING UTF-8)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} ${option} exited with ${status}")
  endif()
  set(${result} "${out}" PARENT_SCOPE)
endfunction()

# Text as roff prints it: backslashes and hyphens escaped, no line taken for a request.
function(roff_text text result)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${result} "${text}" PARENT_SCOPE)
endfunction()

run_program(--help help)
run_program(--version version)
string(STRIP "${version}" version)
string(TOUPPER "${NAME}" title)
roff_text("${help}" help_roff)
roff_text("${SUMMARY}" summary_roff)

set(page ".TH ${title} 1 \"\" \"${version}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${NAME} \\- ${summary_roff}\n")
string(APPEND page ".SH DESCRIPTION\n.nf\n${help_roff}.fi\n")
if(SECTIONS)
  file(READ "${SECTIONS}" sections)
  string(APPEND page "${sections}")
endif()
if(SEE_ALSO)
  list(TRANSFORM SEE_ALSO APPEND "(1)")
  list(JOIN SEE_ALSO ", " see_also)
  roff_text("${see_also}" see_also)
  string(APPEND page ".SH SEE ALSO\n${see_also}\n")
endif()
file(WRITE "${OUTPUT}" "${page}")
