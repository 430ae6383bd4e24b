while 0
while 1
wend
print "no"
wend
print "yes"
