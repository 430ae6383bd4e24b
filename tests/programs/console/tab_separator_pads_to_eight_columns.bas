print "ab"; "cd"
