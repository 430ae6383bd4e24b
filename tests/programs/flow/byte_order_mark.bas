print "a byte-order mark is no statement"
