# Writes the help's troubleshooting page from the README's Troubleshooting table, so that the
# table is kept in one place. The page keeps what a user needs (the input and what happens) and
# leaves out the column of test names, which is for whoever works on the program.
#   cmake -DREADME=README.md -DOUTPUT=troubleshooting.html -P TroubleshootingPage.cmake
cmake_policy(SET CMP0054 NEW)
foreach(required README OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "TroubleshootingPage.cmake needs -D${required}=...")
  endif()
endforeach()

file(READ "${README}" readme)
# Set aside before the text is split into a CMake list of lines, whose separator is the semicolon.
set(semicolon "@SEMICOLON@")
string(REPLACE ";" "${semicolon}" readme "${readme}")
string(REPLACE "\n" ";" lines "${readme}")

set(in_section FALSE)
set(rows "")
set(row_count 0)
foreach(line IN LISTS lines)
  if(line MATCHES "^## ")
    if(line STREQUAL "## Troubleshooting")
      set(in_section TRUE)
    elseif(in_section)
      break()
    endif()
    continue()
  endif()
  if(NOT in_section OR NOT line MATCHES "^\\| ")
    continue()
  endif()
  # "| input | what happens | tests |": the cells between the outer bars.
  string(REGEX REPLACE "^\\| (.*) \\|$" "\\1" cells "${line}")
  string(REPLACE " | " ";" cells "${cells}")
  list(LENGTH cells cell_count)
  if(cell_count LESS 2)
    message(FATAL_ERROR "README Troubleshooting: a row without its two cells: ${line}")
  endif()
  list(GET cells 0 input)
  list(GET cells 1 outcome)
  if(input MATCHES "^-+$" OR input STREQUAL "input")
    continue() # the heading and its rule
  endif()
  string(APPEND rows "${input}@CELL@${outcome}@ROW@")
  math(EXPR row_count "${row_count} + 1")
endforeach()
if(row_count EQUAL 0)
  message(FATAL_ERROR "README has no Troubleshooting table")
endif()
string(REPLACE "&" "&amp;" rows "${rows}")
string(REPLACE "<" "&lt;" rows "${rows}")
string(REPLACE ">" "&gt;" rows "${rows}")
string(REPLACE "${semicolon}" ";" rows "${rows}")
string(REGEX REPLACE "`([^`]*)`" "<code>\\1</code>" rows "${rows}")
string(REPLACE "@CELL@" "</td><td>" rows "${rows}")
string(REPLACE "@ROW@" "</td></tr>\n<tr><td>" rows "${rows}")
string(REGEX REPLACE "\n<tr><td>$" "\n" rows "<tr><td>${rows}")

file(WRITE "${OUTPUT}" "<html><head><title>Troubleshooting</title></head><body>
<p><a href=\"index.html\">Contents</a></p>
<h1>Troubleshooting</h1>
<p>What the program does with bad input, wherever a user or a file can give it. In every case
nothing else changes and no logged row is lost.</p>
<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">
<tr><th align=\"left\">Input</th><th align=\"left\">What happens</th></tr>
${rows}</table>
</body></html>
")
