#include "interpreter/ErrorMessages.h"

const char* const ErrorMessages[ErrorMessageCount] = {
#define RUN_TIME_ERROR(number, name, message) message,
#include "interpreter/ErrorTable.inc"
#undef RUN_TIME_ERROR
};
