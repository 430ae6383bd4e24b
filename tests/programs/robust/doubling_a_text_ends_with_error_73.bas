// Doubling "ab" passes the bound of every text at the 28th turn; the run ends
// with error 73 at that line instead of exhausting the memory.
s = "ab"
for i = 1 to 31
s = s + s
print length(s)
next
