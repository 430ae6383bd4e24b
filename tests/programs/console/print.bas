print "Hello"; "world"
print 1, 2.5
x = 7 / 2
print "x="; x
