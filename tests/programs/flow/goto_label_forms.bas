goto skip
print "no"
skip:
print "a"
goto 100
print "no"
100 print "b"
