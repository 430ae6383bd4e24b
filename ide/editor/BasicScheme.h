#pragma once

class TsxPainter;

// The captions of the five word groups, in the order the environment fills
// them from the vocabulary (commands, functions, statements, constants,
// operators).
inline constexpr const char* BasicWordGroups[5]
    = { "Commands", "Functions", "Statements", "Constants", "WordOperaters" };

// Sets a painter up with the scheme of the BASIC language: line comments ' and
// //, block comments /* */, double-quoted strings, decimal, hexadecimal (0x)
// and binary (0%) numbers, and the five empty word groups with their colours.
void SetupBasicScheme(TsxPainter& painter);
