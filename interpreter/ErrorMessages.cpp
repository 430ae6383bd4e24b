#include "interpreter/ErrorMessages.h"

const char* const ErrorMessages[ErrorMessageCount] = {
    "Syntax Error", // 0
    "Unbalanced Paranthisis", "No Expression Present", "Equals Sign Expected", "No closing Quote",
    "Label Table Full", // 5
    "Duplicate Label Not Allowed", "Undefined Label", "This is not a label", "Subs Table Full",
    "Duplicate Subs Not Allowed", // 10
    "Undefined Sub Name", "This is not a Sub", "Subs must have an openning paranthisis", "Too many parameters",
    "THEN expected", // 15
    "If without an EndIf", "Endif without an If", "Else without an IF", "TO expected",
    "Too Many Nested FOR Loops", // 20
    "NEXT without FOR", "FOR Counters have to be Integer Numbers", "For STEP size must be integer",
    "Too Many Nested GOSUBs",
    "RETURN without GOSUB", // 25
    "Too Many Nested Repeat-Until loops", "Until without a corresponding Repeat", "Too Many Nested While-Wend loops",
    "Wend without a corresponding While",
    "Not Enough Parameters", // 30
    "Parameter should be numeric", "Parameter should be a string", "Incorrect Function Name",
    "Function Without Paranthisis",
    "Function needs a string parameter", // 35
    "Function needs a numeric parameter", "Function not enough parameters",
    "Function parameter is not allowed e.g. Log(-1)  ", "Illegal math operation",
    "Division by zero is illegal", // 40
    "Illegal Numerical Format", "Floating Point Number Is Too Big For Operation", "This is not a logical expression",
    "Cannot perform AND/OR on string values",
    "Null string is not allowed in function", // 45
    "Logical Comparison Of String and Number is Not Allowed", "Cannot Multiply or Divide Strings",
    "Cannot Use Powers of Strings or On Strings", "Cannot use Unary +/- on Strings",
    "Variables Count Exceeds Limit", // 50
    "Variable Not Initialized", "This is not a valid Variable Name", "The variable has to contain a NUMERIC value",
    "The variable has to contain a STRING value",
    "The variable has not been declared", // 55
    "The expression must result in a NUMERIC", "The expression must result in a STRING",
    "Variable must be assigned a Number", "Variable must be assigned a string",
    "Need a Number Input", // 60
    "Need a String Input", "Object Does Not Exist", "This is not an Array Variable", "Error in Array Definition",
    "Array Dimensions must be an Integer value", // 65
    "Need to have a ]   ", "A semicolon ';' is required after Array name", "Arrays have to be same dimension",
    "The Array must be Two Dimensional",
    "The Array has the wrong dimension for operation", // 70
    "Array Contains Data of the wrong type for operation", "Array Has Not Been Defined",
    "Could Not Create Memory for Operation", "Array Has To Be A Aquare Matrix",
    "Could Not Write Array To File", // 75
    "Could Not Read Array From File", "Array Element Not Initialized", "Incorrect Array Element Indexing",
    "Robot Has Collided With An Obstacle",
    "Robot Has Not Been Initialized", // 80
    "Robot Batteries Are Depleted", "Serial Communications Has Timed Out", "File name not found",
    "File operation failed",
    "The Include File was not found", // 85
    "Could not read the Include File", "Could not open bitmap file", "Evaluate() error", "Email Data is not Correct",
    "Email Could Not Be Sent", // 90
    "Could Not Connect To Email Host", "File Write Operation Failed", "The Specified Comm Port Is not Valid",
    "The Durnix Class is Not Initialized Properly",
    "Program Was Aborted", // 95
};
