#pragma once

class Durnix_Class;

// The assignment statement: the run loop calls it with the target's name (a
// variable or an underscore name) as the current token.
void Assign(Durnix_Class& interpreter);
