print "Hello from Quorvatine"
