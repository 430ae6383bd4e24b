print 1
sub a()
sub a()
