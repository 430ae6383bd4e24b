#!/bin/sh
# A stand-alone executable is the environment's executable with a program
# appended behind the upper-cased compiled-program marker; the first occurrence
# of that marker must be the appended one. Fails when the environment's own
# executable ($1) holds it. The marker is spelt here in lower case only.
marker=$(echo quorvatine_compil_file | tr a-z A-Z)
if grep -qa "$marker" "$1"; then
    echo "error: $1 contains the compiled-program marker" >&2
    exit 1
fi
