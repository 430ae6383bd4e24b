x = 3
if x > 2 then print "big"
if x > 5 then print "huge"
print "end"
