print 1, 2.5, "z"
