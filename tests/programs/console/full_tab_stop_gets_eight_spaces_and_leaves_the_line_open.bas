print "abcdefgh";
print "x"
