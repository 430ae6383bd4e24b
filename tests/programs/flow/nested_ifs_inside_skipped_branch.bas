x = 0
if x
if 1
print "no"
endif
if 1 then print "no"
else
print "yes"
endif
print "done"
