s = ""
for k = 1 to 1000000
    buffprintb s, k
next k
print length(s)
