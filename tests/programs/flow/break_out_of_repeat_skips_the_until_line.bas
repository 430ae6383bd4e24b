repeat
break
until x
print "out"
