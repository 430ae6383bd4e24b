s = ""
for i = 1 to 200000
s = s + "x"
next
print length(s)
