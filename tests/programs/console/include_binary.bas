#include "lib/hidden_.bas"
call hidden(41)
print hidden__Result
