#include "interpreter/Durnix_class.h"

#include "support/FloatText.h"

// The typed operand slots that statement handlers declare and one parser fills.

void Durnix_Class::SetParamDefaults(int count, int value, char letter)
{
    for (int k = 0; k < count && k < ParamSlots; ++k) {
        paramText[k].clear();
        paramInt[k] = value;
        paramFloat[k] = value;
        paramType[k] = letter;
    }
}

void Durnix_Class::SetParamRow(const char* letters, const int* defaults)
{
    SetParamDefaults(ParamSlots, 0, 'i');
    for (int k = 0; k < ParamSlots && letters[k]; ++k) {
        paramType[k] = letters[k];
        paramInt[k] = defaults[k];
        paramFloat[k] = defaults[k];
    }
}

void Durnix_Class::ParseParams(int required, int maximum, int& given)
{
    ParseOperands(required, maximum, given, false);
}

void Durnix_Class::ParseParamsWithNames(int required, int maximum, int& given)
{
    ParseOperands(required, maximum, given, true);
}

void Durnix_Class::ParseOperands(int required, int maximum, int& given, bool withNames)
{
    Expression_Class& e = expression;
    given = 0;
    if (required == 0) {
        e.NextToken();
        if (e.endOfStatement) return;
        e.PutBack();
    }
    if (maximum > ParamSlots) maximum = ParamSlots;
    for (int slot = 0;; ++slot) {
        if (slot >= maximum) e.RaiseError(ErrorCode::SyntaxError);
        if (!ReadParameter(slot, withNames) && slot < required) e.RaiseError(ErrorCode::NotEnoughParameters);
        given = slot + 1;
        if (e.endOfStatement || slot + 1 >= maximum) break;
        if (!CurrentIs(',')) e.RaiseError(ErrorCode::SyntaxError);
    }
    if (!e.endOfStatement) e.RaiseError(ErrorCode::SyntaxError);
    if (given < required) e.RaiseError(ErrorCode::NotEnoughParameters);
}

bool Durnix_Class::ReadParameter(int slot, bool withNames)
{
    Expression_Class& e = expression;
    const char letter = paramType[slot];
    const bool isName
        = withNames && (letter == 'v' || letter == 'a' || letter == 'A' || (letter >= '1' && letter <= '5'));
    if (isName) {
        int type = e.NextToken();
        if (CurrentIs(',')) return false;
        if (type != TokenType::Variable)
            e.RaiseError(letter == 'v' ? ErrorCode::NotAVariableName : ErrorCode::NotAnArray);
        if (letter == 'A' || (letter >= '1' && letter <= '5')) {
            int dimensions = arrays.DimCount(e.tokenText);
            if (dimensions == 0) e.RaiseError(ErrorCode::ArrayNotDefined);
            if (letter == '2' && dimensions != 2) e.RaiseError(ErrorCode::ArrayNotTwoDimensional);
            if (letter != 'A' && dimensions != letter - '0') e.RaiseError(ErrorCode::ArrayWrongDimension);
        }
        paramText[slot] = e.tokenText;
        e.NextToken();
        return true;
    }

    Value value;
    char tag = e.Evaluate(value);
    if (tag == Tag::Omitted) return false;
    switch (letter) {
    case 'i':
        if (tag == Tag::String) e.RaiseError(ErrorCode::ParameterShouldBeNumeric);
        paramInt[slot] = tag == Tag::Int ? value.i : e.RoundToIntChecked(value.f, false);
        break;
    case 'f':
        if (tag == Tag::String) e.RaiseError(ErrorCode::ParameterShouldBeNumeric);
        paramFloat[slot] = value.asDouble();
        break;
    case 'n':
        if (tag == Tag::String) e.RaiseError(ErrorCode::ParameterShouldBeNumeric);
        if (tag == Tag::Int)
            paramInt[slot] = value.i;
        else
            paramFloat[slot] = value.f;
        paramType[slot] = tag;
        break;
    case 's':
        if (tag != Tag::String) e.RaiseError(ErrorCode::ParameterShouldBeString);
        paramText[slot] = value.s;
        break;
    case 'z':
        if (tag == Tag::Int)
            paramText[slot] = std::to_string(value.i);
        else if (tag == Tag::Float)
            paramText[slot] = FloatToStr(value.f);
        else
            paramText[slot] = value.s;
        paramType[slot] = tag;
        break;
    default: // '0' and anything else: any value, kept as given
        KeepOperand(slot, value);
        break;
    }
    return true;
}

void Durnix_Class::KeepOperand(int slot, const Value& value)
{
    if (value.tag == Tag::Int) {
        paramInt[slot] = value.i;
        paramFloat[slot] = value.i;
    } else if (value.tag == Tag::Float) {
        paramFloat[slot] = value.f;
    } else {
        paramText[slot] = value.s;
    }
    paramType[slot] = value.tag;
}
