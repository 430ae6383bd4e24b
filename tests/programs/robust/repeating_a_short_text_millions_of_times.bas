// A short text repeated millions of times is built in a few dozen copies, not
// one per repeat: a loop of such repeats ends in moments, also in a sanitized
// build, and the text is the same as repeating one by one.
for i = 1 to 20
s = srepeat("ab", 3000000)
next
print length(s), " ", right(s, 2), " ", instring(s, "aa", 1), " ", instring(s, "ba", 1)
print srepeat("xyz", 4), " ", length(srepeat("q", 16777217))
