#include "interpreter/ErrorMessages.h"

const char* const ErrorMessages[ErrorMessageCount] = {
    "Syntax Error", // 0
    "Unbalanced Paranthisis", // 1
    "No Expression Present", // 2
    "Equals Sign Expected", // 3
    "No closing Quote", // 4
    "Label Table Full", // 5
    "Duplicate Label Not Allowed", // 6
    "Undefined Label", // 7
    "This is not a label", // 8
    "Subs Table Full", // 9
    "Duplicate Subs Not Allowed", // 10
    "Undefined Sub Name", // 11
    "This is not a Sub", // 12
    "Subs must have an openning paranthisis", // 13
    "Too many parameters", // 14
    "THEN expected", // 15
    "If without an EndIf", // 16
    "Endif without an If", // 17
    "Else without an IF", // 18
    "TO expected", // 19
    "Too Many Nested FOR Loops", // 20
    "NEXT without FOR", // 21
    "FOR Counters have to be Integer Numbers", // 22
    "For STEP size must be integer", // 23
    "Too Many Nested GOSUBs", // 24
    "RETURN without GOSUB", // 25
    "Too Many Nested Repeat-Until loops", // 26
    "Until without a corresponding Repeat", // 27
    "Too Many Nested While-Wend loops", // 28
    "Wend without a corresponding While", // 29
    "Not Enough Parameters", // 30
    "Parameter should be numeric", // 31
    "Parameter should be a string", // 32
    "Incorrect Function Name", // 33
    "Function Without Paranthisis", // 34
    "Function needs a string parameter", // 35
    "Function needs a numeric parameter", // 36
    "Function not enough parameters", // 37
    "Function parameter is not allowed e.g. Log(-1)  ", // 38
    "Illegal math operation", // 39
    "Division by zero is illegal", // 40
    "Illegal Numerical Format", // 41
    "Floating Point Number Is Too Big For Operation", // 42
    "This is not a logical expression", // 43
    "Cannot perform AND/OR on string values", // 44
    "Null string is not allowed in function", // 45
    "Logical Comparison Of String and Number is Not Allowed", // 46
    "Cannot Multiply or Divide Strings", // 47
    "Cannot Use Powers of Strings or On Strings", // 48
    "Cannot use Unary +/- on Strings", // 49
    "Variables Count Exceeds Limit", // 50
    "Variable Not Initialized", // 51
    "This is not a valid Variable Name", // 52
    "The variable has to contain a NUMERIC value", // 53
    "The variable has to contain a STRING value", // 54
    "The variable has not been declared", // 55
    "The expression must result in a NUMERIC", // 56
    "The expression must result in a STRING", // 57
    "Variable must be assigned a Number", // 58
    "Variable must be assigned a string", // 59
    "Need a Number Input", // 60
    "Need a String Input", // 61
    "Object Does Not Exist", // 62
    "This is not an Array Variable", // 63
    "Error in Array Definition", // 64
    "Array Dimensions must be an Integer value", // 65
    "Need to have a ]   ", // 66
    "A semicolon ';' is required after Array name", // 67
    "Arrays have to be same dimension", // 68
    "The Array must be Two Dimensional", // 69
    "The Array has the wrong dimension for operation", // 70
    "Array Contains Data of the wrong type for operation", // 71
    "Array Has Not Been Defined", // 72
    "Could Not Create Memory for Operation", // 73
    "Array Has To Be A Aquare Matrix", // 74
    "Could Not Write Array To File", // 75
    "Could Not Read Array From File", // 76
    "Array Element Not Initialized", // 77
    "Incorrect Array Element Indexing", // 78
    "Robot Has Collided With An Obstacle", // 79
    "Robot Has Not Been Initialized", // 80
    "Robot Batteries Are Depleted", // 81
    "Serial Communications Has Timed Out", // 82
    "File name not found", // 83
    "File operation failed", // 84
    "The Include File was not found", // 85
    "Could not read the Include File", // 86
    "Could not open bitmap file", // 87
    "Evaluate() error", // 88
    "Email Data is not Correct", // 89
    "Email Could Not Be Sent", // 90
    "Could Not Connect To Email Host", // 91
    "File Write Operation Failed", // 92
    "The Specified Comm Port Is not Valid", // 93
    "The Durnix Class is Not Initialized Properly", // 94
    "Program Was Aborted", // 95
};
