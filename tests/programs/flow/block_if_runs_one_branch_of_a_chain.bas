for x = 1 to 4
if x = 1
print "one"
elseif x = 2
print "two"
else if x = 3
print "three"
else
print "other"
endif
next
