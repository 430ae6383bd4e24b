#include "lib/greet.bas"
call greet("you")
print greet__Result
