#pragma once

#include "base/Values.h"
#include "support/regex/Regexp.h"

// The one compiled expression and the one match result that every
// regular-expression function of a BASIC program shares, for the program's life.
extern CRegexpA GlobalRegexp;
extern MatchResult GlobalMatchResult;

// Puts the shared expression and result back as a program starts with them:
// each run starts afresh, whatever the run before it set up.
void re_Reset();

// The regular-expression functions. Positions are 1-based as the program sees them.
int re_Setup(const AnsiString& pattern, int flags); // caller maps omitted/negative flags to 0
int re_match(const AnsiString& text);
int re_search(const AnsiString& text, int start); // 1-based start as given (<1: from the beginning)
int re_start(int group); // group -1 = whole match
int re_end(int group);
int re_grpnumber(const AnsiString& name);
int re_numofgrps();
AnsiString re_replace(const AnsiString& text, const AnsiString& replacement, int start, int count);
