print "start"
y = z + 1
print "never"
