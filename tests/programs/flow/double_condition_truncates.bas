if 0.5 then print "no"
if 1.5 then print "yes"
