x = 1
if x = 2
print "a"
else  if x = 5
print "b"
endif
