# Writes the hanamori-cli manual page from the program's own help, so the two never
# disagree. Usage: cmake -DCLI=path/to/hanamori-cli -DOUT=hanamori-cli.1 -P make-man-page.cmake

function(help_of out)
    execute_process(COMMAND ${CLI} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${CLI} ${ARGN}: exit status ${rc}")
    endif()
    # Backslashes and leading dots or quotes would be read as roff requests.
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${CLI} --version OUTPUT_VARIABLE version OUTPUT_STRIP_TRAILING_WHITESPACE)
help_of(usage --help)
string(REGEX REPLACE "^usage: " "" usage "${usage}")
string(REGEX MATCHALL "\n  hanamori-cli ([a-z]+) " lines "${usage}")
set(commands "")
foreach(line ${lines})
    string(REGEX REPLACE "\n  hanamori-cli ([a-z]+) " "\\1" command "${line}")
    list(APPEND commands ${command})
endforeach()
list(REMOVE_DUPLICATES commands)

set(page ".TH HANAMORI-CLI 1 \"\" \"${version}\" \"User Commands\"
.SH NAME
hanamori-cli \\- the Hanamori auction seller's assistant from the command line
.SH SYNOPSIS
.nf
${usage}.fi
.SH DESCRIPTION
hanamori-cli works on the same listing files, settings, rate files and templates as the
Hanamori desktop program: it creates, shows, imports, copies and deletes listings, builds
product pages and guidance mails, registers winning bidders and computes shipping costs.
Arguments and output are UTF-8; the files keep Shift-JIS.
.SH OPTIONS
.TP
.BI \\-\\-dir \" DIR\"
Use the installation directory DIR. It must hold
.I CostData/
and
.IR template/ .
.TP
.B \\-\\-help
Print the usage; after a command, that command's help.
.TP
.B \\-\\-version
Print the version.
.SH COMMANDS
")
foreach(command ${commands})
    help_of(text ${command} --help)
    # After the general usage line come the command's own usage lines, then (after a
    # blank line) its text, if it has one.
    string(REGEX REPLACE "^usage: [^\n]*\n" "" text "${text}")
    string(FIND "${text}" "\n\n" blank)
    if(blank EQUAL -1)
        set(synopsis "${text}")
        set(body "")
    else()
        string(SUBSTRING "${text}" 0 ${blank} synopsis)
        math(EXPR body_start "${blank} + 2")
        string(SUBSTRING "${text}" ${body_start} -1 body)
        set(synopsis "${synopsis}\n\n")
    endif()
    string(APPEND page ".SS ${command}\n.nf\n${synopsis}${body}.fi\n")
endforeach()
string(APPEND page ".SH ENVIRONMENT
.TP
.B HANAMORI_DIR
The installation directory when
.B \\-\\-dir
is not given.
.TP
.B XDG_DATA_HOME
Without either, and when the program's own directory is not an installation directory
(an installed program), the per-user directory
.I $XDG_DATA_HOME/hanamori/
(default
.IR ~/.local/share/hanamori/ )
is used, made from the shipped data on first use. The desktop program uses the same.
.SH EXIT STATUS
0 on success; 1 when the operation failed, with one line on standard error; 2 for a
usage error.
")
file(WRITE ${OUT} "${page}")
