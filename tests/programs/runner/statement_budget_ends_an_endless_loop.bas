i = 0
while 1
i++
print i
wend
print "never"
